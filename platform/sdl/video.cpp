// The window and the picture: the 640 x 480 colour indices become 32-bit
// colour through a 256-entry table, go up in one streaming-texture upload,
// and are drawn scaled with sharp pixels between black bars. A frame the
// same as the last one shown costs a comparison and nothing more.
//
// Where the only OpenGL is one that draws on the processor (no graphics
// driver: a virtual machine, a remote desktop, Xvfb), the picture is drawn
// by SDL's software renderer straight into the window's shared image
// instead, which does the same work in a fraction of the time.
#include "platform/globals.h"
#include "platform/png.h"
#include "platform/posix/posix.h"
#include "platform/sdl/backend.h"
#include "platform/sdl/internal.h"

#include <SDL.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <vector>

namespace {

const char WINDOW_TITLE[] = "FlickerMoth";

// Room a new window leaves on the desktop's usable area for its frame and
// title bar, so that it opens whole on the screen.
constexpr int WINDOW_ROOM_X = 16;
constexpr int WINDOW_ROOM_Y = 48;

struct Video {
    SDL_Window* window = nullptr;
    SDL_Renderer* renderer = nullptr;
    SDL_Texture* texture = nullptr;
    bool software = false;    // SDL's software renderer, not the GPU's
    bool fullscreen = false;
    int window_width = 0, window_height = 0;    // its size when not full screen
    PictureScale scale = SCALE_INTEGER;

    // The frame on show: what the last upload held.
    bool shown = false;
    uint8_t pixels[SCREEN_WIDTH * SCREEN_HEIGHT];
    uint8_t rgb[768];
    uint32_t colours[256];
    uint64_t uploads = 0;
};

Video video;

void build_colours(const uint8_t* rgb)
{
    for (int i = 0; i < 256; i++)
        video.colours[i] = 0xFF000000u | (uint32_t)rgb[i * 3] << 16 | (uint32_t)rgb[i * 3 + 1] << 8 | rgb[i * 3 + 2];
}

bool make_texture()
{
    // The colours are 0xFFRRGGBB: the same bits in ARGB8888 and in the
    // X-R-G-B layout most windows have. A software renderer whose texture
    // matches its window copies it without converting each pixel.
    Uint32 format = SDL_PIXELFORMAT_ARGB8888;
    if (video.software && SDL_GetWindowPixelFormat(video.window) == SDL_PIXELFORMAT_RGB888)
        format = SDL_PIXELFORMAT_RGB888;
    video.texture = SDL_CreateTexture(video.renderer, format, SDL_TEXTUREACCESS_STREAMING, SCREEN_WIDTH,
                                      SCREEN_HEIGHT);
    if (!video.texture)
        return false;
    SDL_SetTextureScaleMode(video.texture, SDL_ScaleModeNearest);
    video.shown = false;
    return true;
}

void upload()
{
    void* target;
    int target_pitch;
    if (SDL_LockTexture(video.texture, nullptr, &target, &target_pitch) != 0)
        return;
    const uint8_t* source = video.pixels;
    for (int y = 0; y < SCREEN_HEIGHT; y++, source += SCREEN_WIDTH) {
        uint32_t* row = (uint32_t*)((uint8_t*)target + (size_t)y * target_pitch);
        for (int x = 0; x < SCREEN_WIDTH; x++)
            row[x] = video.colours[source[x]];
    }
    SDL_UnlockTexture(video.texture);
    video.uploads++;
}

void draw()
{
    int width, height;
    if (SDL_GetRendererOutputSize(video.renderer, &width, &height) != 0)
        return;
    PictureRect rect = picture_place(width, height, video.scale);
    SDL_Rect target = {rect.x, rect.y, rect.width, rect.height};
    SDL_SetRenderDrawColor(video.renderer, 0, 0, 0, 255);
    SDL_RenderClear(video.renderer);
    SDL_RenderCopy(video.renderer, video.texture, nullptr, &target);
    SDL_RenderPresent(video.renderer);
}

// Copies the frame in, row by row; true when anything differed.
bool take_pixels(const uint8_t* pixels, int pitch)
{
    bool changed = false;
    for (int y = 0; y < SCREEN_HEIGHT; y++) {
        const uint8_t* row = pixels + (size_t)y * pitch;
        uint8_t* kept = video.pixels + (size_t)y * SCREEN_WIDTH;
        if (std::memcmp(kept, row, SCREEN_WIDTH) != 0) {
            std::memcpy(kept, row, SCREEN_WIDTH);
            changed = true;
        }
    }
    return changed;
}

}  // namespace

// ---- Placement ---------------------------------------------------------------------

static int floor_div(int64_t a, int64_t b) { return (int)(a >= 0 ? a / b : -((-a + b - 1) / b)); }

void sdl_window_to_picture(const PictureRect& rect, int window_width, int window_height, int area_width,
                           int area_height, int x, int y, int* picture_x, int* picture_y)
{
    // Window points to drawable pixels (they differ on high-density screens).
    int64_t area_x = window_width > 0 ? (int64_t)x * area_width / window_width : x;
    int64_t area_y = window_height > 0 ? (int64_t)y * area_height / window_height : y;
    *picture_x = floor_div((area_x - rect.x) * SCREEN_WIDTH, std::max(rect.width, 1));
    *picture_y = floor_div((area_y - rect.y) * SCREEN_HEIGHT, std::max(rect.height, 1));
}

int sdl_window_multiple(int usable_width, int usable_height)
{
    int whole = std::min((usable_width - WINDOW_ROOM_X) / SCREEN_WIDTH, (usable_height - WINDOW_ROOM_Y) / SCREEN_HEIGHT);
    return std::max(1, whole);
}

void sdl_window_size(const Settings& settings, int usable_width, int usable_height, int* width, int* height)
{
    bool known = usable_width > 0 && usable_height > 0;
    // A remembered size, as long as it still fits the desktop.
    if (settings.window_width >= SETTINGS_WINDOW_MIN_WIDTH && settings.window_height >= SETTINGS_WINDOW_MIN_HEIGHT &&
        (!known || (settings.window_width <= usable_width && settings.window_height <= usable_height))) {
        *width = settings.window_width;
        *height = settings.window_height;
        return;
    }
    int whole = known ? sdl_window_multiple(usable_width, usable_height) : 2;
    *width = SCREEN_WIDTH * whole;
    *height = SCREEN_HEIGHT * whole;
}

// ---- The window ----------------------------------------------------------------------

bool sdl_create_window(bool windowed)
{
    Settings settings;
    settings.fullscreen = !windowed;
    return sdl_create_window(settings);
}

bool sdl_create_window(const Settings& settings)
{
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "nearest");
    SDL_SetHint(SDL_HINT_RENDER_VSYNC, "0");
    int width, height;
    SDL_Rect usable;
    if (SDL_GetDisplayUsableBounds(0, &usable) == 0)
        sdl_window_size(settings, usable.w, usable.h, &width, &height);
    else
        sdl_window_size(settings, 0, 0, &width, &height);
    bool windowed = !settings.fullscreen;
    video.scale = settings.scale;
    Uint32 flags = SDL_WINDOW_ALLOW_HIGHDPI | SDL_WINDOW_RESIZABLE;
    int made_width = width, made_height = height;
    if (!windowed) {
        // Made as big as the desktop from the start, so that it covers the
        // screen even where no window manager makes it do so.
        flags |= SDL_WINDOW_FULLSCREEN_DESKTOP;
        SDL_DisplayMode desktop;
        if (SDL_GetDesktopDisplayMode(0, &desktop) == 0) {
            made_width = desktop.w;
            made_height = desktop.h;
        }
    }
    video.window = SDL_CreateWindow(WINDOW_TITLE, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, made_width,
                                    made_height, flags);
    if (!video.window)
        return false;
    video.window_width = width;
    video.window_height = height;
    video.fullscreen = !windowed;
    SDL_SetWindowMinimumSize(video.window, SCREEN_WIDTH / 2, SCREEN_HEIGHT / 2);
    // The game draws its own pointer; the system's is hidden over the window.
    SDL_ShowCursor(SDL_DISABLE);
    // Full screen keeps the mouse in the window; a window lets it go.
    SDL_SetWindowGrab(video.window, video.fullscreen ? SDL_TRUE : SDL_FALSE);
    return true;
}

SDL_Window* sdl_window() { return video.window; }

void sdl_window_settings(Settings* settings)
{
    settings->fullscreen = video.fullscreen;
    settings->scale = video.scale;
    if (!video.window)
        return;
    // The window's own size, while it is one: not full screen, not
    // maximised (a maximised window comes back to its own size).
    Uint32 flags = SDL_GetWindowFlags(video.window);
    if (!video.fullscreen && !(flags & (SDL_WINDOW_FULLSCREEN | SDL_WINDOW_MAXIMIZED | SDL_WINDOW_MINIMIZED))) {
        int width, height;
        SDL_GetWindowSize(video.window, &width, &height);
        if (width >= SETTINGS_WINDOW_MIN_WIDTH && height >= SETTINGS_WINDOW_MIN_HEIGHT) {
            video.window_width = width;
            video.window_height = height;
        }
    }
    settings->window_width = video.window_width;
    settings->window_height = video.window_height;
}

void sdl_set_window_title(const char* title)
{
    if (video.window)
        SDL_SetWindowTitle(video.window, title);
}

bool sdl_set_window_icon(const char* png_path)
{
    std::vector<uint8_t> rgba;
    int width, height;
    if (!video.window || !png_read_rgba(png_path, &rgba, &width, &height))
        return false;
    SDL_Surface* icon = SDL_CreateRGBSurfaceWithFormatFrom(rgba.data(), width, height, 32, width * 4,
                                                           SDL_PIXELFORMAT_RGBA32);
    if (!icon)
        return false;
    SDL_SetWindowIcon(video.window, icon);
    SDL_FreeSurface(icon);
    return true;
}

PictureScale sdl_video_scale() { return video.scale; }

void sdl_video_switch_scale()
{
    video.scale = video.scale == SCALE_INTEGER ? SCALE_FIT : SCALE_INTEGER;
    sdl_video_redraw();
}

void sdl_video_area(int* width, int* height)
{
    *width = *height = 0;
    if (video.renderer && SDL_GetRendererOutputSize(video.renderer, width, height) == 0)
        return;
    if (video.window)
        SDL_GetWindowSize(video.window, width, height);
}

bool sdl_video_is_fullscreen() { return video.fullscreen; }

uint64_t sdl_video_uploads() { return video.uploads; }

// The window is sized by hand on the way in and out as well, so that it
// covers the screen, and comes back to its own size, even where no window
// manager does that for it.
void sdl_video_toggle_fullscreen()
{
    if (!video.window)
        return;
    bool fullscreen = !video.fullscreen;
    SDL_DisplayMode desktop;
    if (fullscreen && SDL_GetDesktopDisplayMode(0, &desktop) == 0) {
        SDL_SetWindowPosition(video.window, 0, 0);
        SDL_SetWindowSize(video.window, desktop.w, desktop.h);
    }
    if (SDL_SetWindowFullscreen(video.window, fullscreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0) != 0)
        return;
    video.fullscreen = fullscreen;
    SDL_SetWindowGrab(video.window, fullscreen ? SDL_TRUE : SDL_FALSE);
    if (!fullscreen) {
        SDL_SetWindowSize(video.window, video.window_width, video.window_height);
        SDL_SetWindowPosition(video.window, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
    }
    sdl_video_redraw();
}

void sdl_video_redraw()
{
    if (video.renderer && video.texture && video.shown)
        draw();
}

void sdl_video_close_window()
{
    if (video.window)
        SDL_DestroyWindow(video.window);
    video.window = nullptr;
}

// ---- Backend entries ------------------------------------------------------------------

bool sdl_gl_draws_on_cpu(const char* gl_renderer)
{
    if (!gl_renderer)
        return false;
    static const char* const software[] = {"llvmpipe", "softpipe", "swrast", "Software Rasterizer", "SWR"};
    for (const char* name : software)
        if (std::strstr(gl_renderer, name))
            return true;
    return false;
}

namespace {

// Whether the renderer just made is OpenGL drawn by the processor. Its
// context is current right after it is made, so the GL can be asked.
bool renderer_draws_on_cpu(SDL_Renderer* renderer)
{
    SDL_RendererInfo info;
    if (SDL_GetRendererInfo(renderer, &info) != 0 || std::strncmp(info.name, "opengl", 6) != 0)
        return false;
    using GetString = const unsigned char* (*)(unsigned int);
    auto get_string = (GetString)SDL_GL_GetProcAddress("glGetString");
    const unsigned int GL_RENDERER_NAME = 0x1F01;
    return get_string && sdl_gl_draws_on_cpu((const char*)get_string(GL_RENDERER_NAME));
}

// The renderer for the window: the best SDL offers, unless that is a GL
// drawing on the processor and the player has not named a renderer.
SDL_Renderer* make_renderer()
{
    video.software = false;
    SDL_Renderer* renderer = SDL_CreateRenderer(video.window, -1, 0);
    if (!renderer || SDL_GetHint(SDL_HINT_RENDER_DRIVER) || !renderer_draws_on_cpu(renderer))
        return renderer;
    SDL_DestroyRenderer(renderer);
    // The window's own image in shared memory, not a GL texture behind it.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    renderer = SDL_CreateRenderer(video.window, -1, SDL_RENDERER_SOFTWARE);
    if (renderer) {
        video.software = true;
        return renderer;
    }
    return SDL_CreateRenderer(video.window, -1, 0);
}

}  // namespace

bool sdl_video_software() { return video.software; }

int sdl_display_open()
{
    if (!video.window)
        return 0;
    video.renderer = make_renderer();
    if (!video.renderer)
        return 0;
    if (!make_texture()) {
        SDL_DestroyRenderer(video.renderer);
        video.renderer = nullptr;
        return 0;
    }
    SDL_SetRenderDrawColor(video.renderer, 0, 0, 0, 255);
    SDL_RenderClear(video.renderer);
    SDL_RenderPresent(video.renderer);
    return 1;
}

void sdl_display_close()
{
    if (video.texture)
        SDL_DestroyTexture(video.texture);
    if (video.renderer)
        SDL_DestroyRenderer(video.renderer);
    video.texture = nullptr;
    video.renderer = nullptr;
    video.shown = false;
}

// The renderer lost its textures (a device reset): make them again; the next
// present shows the whole frame.
void sdl_video_restore()
{
    if (!video.renderer)
        return;
    if (video.texture)
        SDL_DestroyTexture(video.texture);
    make_texture();
}

void sdl_present(const uint8_t* pixels, int pitch, const uint8_t* rgb)
{
    if (!video.texture)
        return;
    bool palette_changed = !video.shown || std::memcmp(rgb, video.rgb, sizeof video.rgb) != 0;
    bool pixels_changed = take_pixels(pixels, pitch) || !video.shown;
    if (!palette_changed && !pixels_changed)
        return;
    // A fade changes only the colours: one table rebuild, then the upload.
    if (palette_changed) {
        std::memcpy(video.rgb, rgb, sizeof video.rgb);
        build_colours(rgb);
    }
    upload();
    video.shown = true;
    draw();
}

std::string sdl_video_screenshot()
{
    if (!video.shown)
        return "";
    std::string dir = posix_pictures_dir();
    if (dir.empty())
        dir = posix_install_dir(false);
    if (dir.empty())
        return "";
    char stamp[32];
    std::time_t now = std::time(nullptr);
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", std::localtime(&now));
    std::string path = dir + "flickermoth-" + stamp + ".png";
    for (int n = 2; posix_is_directory(path) || std::ifstream(path).good(); n++)
        path = dir + "flickermoth-" + stamp + "-" + std::to_string(n) + ".png";
    if (!png_write_indexed(path.c_str(), video.pixels, SCREEN_WIDTH, SCREEN_HEIGHT, SCREEN_WIDTH, video.rgb))
        return "";
    return path;
}
