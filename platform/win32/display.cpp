// The screen: DirectDraw in exclusive full-screen 640 x 480 with 8 bits per
// pixel, one primary surface and one palette object. No flipping, no
// blitting: each frame is one row-by-row copy of the game's back buffer
// into the locked primary surface.
#include "platform/win32/internal.h"
#include "platform/win32/palette_entries.h"

#include <ddraw.h>

#include <cstring>

namespace {

struct Display {
    IDirectDraw* direct_draw = nullptr;
    IDirectDrawSurface* primary = nullptr;
    DDSURFACEDESC description = {};
    IDirectDrawPalette* palette = nullptr;
    uint8_t* locked = nullptr;
    int pitch = 0;
    uint8_t shown_rgb[768] = {};    // the colours the palette object holds
};

Display display;

// A surface that is lost again right after every successful restore would
// otherwise hold the frame for ever.
constexpr int MOST_RESTORES = 8;

bool restore_surface();

// Attaches the palette to the primary surface, waiting while the surface is
// busy and restoring it when it was lost.
void attach_palette()
{
    for (int restores = 0;;) {
        HRESULT result = display.primary->SetPalette(display.palette);
        if (result == DDERR_SURFACEBUSY)
            continue;
        if (result == DDERR_SURFACELOST) {
            if (restores++ == MOST_RESTORES || !restore_surface())
                return;
            continue;
        }
        return;
    }
}

void set_palette(const uint8_t* rgb)
{
    PALETTEENTRY entries[256];
    static_assert(sizeof entries == 1024, "four bytes an entry: red, green, blue, flags");
    win32_palette_entries(rgb, (uint8_t*)entries);
    if (!display.palette) {
        if (FAILED(display.direct_draw->CreatePalette(DDPCAPS_8BIT | DDPCAPS_ALLOW256, entries, &display.palette,
                                                      nullptr)))
            return;
        display.direct_draw->WaitForVerticalBlank(DDWAITVB_BLOCKBEGIN, nullptr);
        display.palette->SetEntries(0, 0, 256, entries);
        attach_palette();
    }
    // Every later change (each step of a fade) sets the colours without
    // waiting for the vertical blank.
    display.palette->SetEntries(0, 0, 256, entries);
    std::memcpy(display.shown_rgb, rgb, sizeof display.shown_rgb);
}

// Brings a lost primary surface back. When another program has left the
// screen in a mode of its own meanwhile (a second copy of the game that
// closed, say), the game's mode is set again first: the window holds the
// screen exclusively again once it is active. The palette goes back on too.
bool restore_surface()
{
    HRESULT result = display.primary->Restore();
    if (result == DDERR_WRONGMODE && SUCCEEDED(display.direct_draw->SetDisplayMode(640, 480, 8)))
        result = display.primary->Restore();
    if (FAILED(result))
        return false;
    if (display.palette) {
        PALETTEENTRY entries[256];
        win32_palette_entries(display.shown_rgb, (uint8_t*)entries);
        display.palette->SetEntries(0, 0, 256, entries);
        display.primary->SetPalette(display.palette);
    }
    return true;
}

// Locks the whole primary surface. Busy: try again at once. Lost: restore
// and try again, or give up when it cannot be restored.
bool lock()
{
    display.locked = nullptr;
    for (int restores = 0;;) {
        display.description.dwSize = sizeof display.description;
        HRESULT result = display.primary->Lock(nullptr, &display.description, DDLOCK_WAIT, nullptr);
        if (result == DDERR_SURFACEBUSY)
            continue;
        if (result == DDERR_SURFACELOST) {
            if (restores++ == MOST_RESTORES || !restore_surface())
                return false;
            continue;
        }
        if (FAILED(result))
            return false;
        display.locked = (uint8_t*)display.description.lpSurface;
        display.pitch = (int)display.description.lPitch;
        return display.locked != nullptr;
    }
}

void unlock()
{
    display.primary->Unlock(nullptr);
    display.locked = nullptr;
}

}  // namespace

int win32_display_open()
{
    display.palette = nullptr;
    if (FAILED(DirectDrawCreate(nullptr, &display.direct_draw, nullptr)))
        return 0;
    if (FAILED(display.direct_draw->SetCooperativeLevel(main_window, DDSCL_EXCLUSIVE | DDSCL_FULLSCREEN)))
        return 0;
    if (FAILED(display.direct_draw->SetDisplayMode(640, 480, 8)))
        return 0;
    std::memset(&display.description, 0, sizeof display.description);
    display.description.dwSize = sizeof display.description;
    display.description.dwFlags = DDSD_CAPS;
    display.description.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE;
    if (FAILED(display.direct_draw->CreateSurface(&display.description, &display.primary, nullptr)))
        return 0;
    display.primary->GetSurfaceDesc(&display.description);
    display.pitch = (int)display.description.lPitch;
    return 1;
}

void win32_display_close()
{
    if (display.palette)
        display.palette->Release();
    display.palette = nullptr;
    if (display.direct_draw) {
        display.direct_draw->RestoreDisplayMode();
        if (display.primary)
            display.primary->Release();
        display.primary = nullptr;
        display.direct_draw->Release();
        display.direct_draw = nullptr;
    }
}

// The game hands over its colours with every frame; the palette object is
// rewritten only when they changed, and the first time created.
void win32_present(const uint8_t* pixels, int pitch, const uint8_t* rgb)
{
    // A minimized window has no screen to show on (and must not take the
    // display's mode back) until it is restored.
    if (!display.primary || IsIconic(main_window))
        return;
    if (!display.palette || std::memcmp(rgb, display.shown_rgb, sizeof display.shown_rgb) != 0)
        set_palette(rgb);
    // A surface that could not be locked shows nothing this frame; the next
    // frame copies the whole picture again.
    if (!lock())
        return;
    uint8_t* to = display.locked;
    for (int y = 0; y < 480; y++, to += display.pitch, pixels += pitch)
        std::memcpy(to, pixels, 640);
    unlock();
}
