// The display: the back buffer in ordinary memory and the palette on show.
// The screen itself belongs to the platform backend; the game touches it
// only once a frame, in display_present.
#include "video/display.h"

#include "platform/platform.h"

#include <cstdlib>
#include <cstring>

Display display;

bool display_create()
{
    return display_create_pitched(DISPLAY_PITCH);
}

bool display_create_pitched(int pitch)
{
    display_release();
    if (pitch < SCREEN_WIDTH)
        return false;
    if (!platform_display_open())
        return false;
    display.width = SCREEN_WIDTH;
    display.height = SCREEN_HEIGHT;
    display.pitch = pitch;
    // calloc: the first frame shows colour 0 everywhere.
    display.back_buffer = (uint8_t*)std::calloc((size_t)pitch * SCREEN_HEIGHT, 1);
    if (!display.back_buffer) {
        platform_display_close();
        return false;
    }
    std::memset(display.rgb, 0, sizeof display.rgb);
    display.palette_set = 0;
    return true;
}

void display_release()
{
    if (display.back_buffer)
        platform_display_close();
    std::free(display.back_buffer);
    display.back_buffer = nullptr;
    display.palette_set = 0;
}

void display_reset()
{
    std::free(display.back_buffer);
    display = {};
}

void display_present()
{
    if (!display.back_buffer)
        return;
    platform_present(display.back_buffer, display.pitch, display.rgb);
}

void display_clear(uint8_t colour)
{
    uint8_t* row = display.back_buffer;
    for (int y = 0; y < display.height; y++, row += display.pitch)
        std::memset(row, colour, (size_t)display.width);
}

void display_restore_background(const uint8_t* screen_copy)
{
    uint8_t* row = display.back_buffer;
    for (int y = 0; y < SCREEN_HEIGHT; y++, row += display.pitch, screen_copy += SCREEN_WIDTH)
        std::memcpy(row, screen_copy, SCREEN_WIDTH);
}

void display_snapshot(uint8_t* screen_copy)
{
    const uint8_t* row = display.back_buffer;
    for (int y = 0; y < SCREEN_HEIGHT; y++, row += display.pitch, screen_copy += SCREEN_WIDTH)
        std::memcpy(screen_copy, row, SCREEN_WIDTH);
}

// The palette's 6-bit components become 8-bit ones (63 -> 252). The
// backend receives the colours with every present, so they reach the screen
// with the next one; every fade step presents.
void display_set_palette(const uint8_t* palette)
{
    for (int i = 0; i < PALETTE_BYTES; i++)
        display.rgb[i] = display_level8(palette[i]);
    display.palette_set = 1;
}
