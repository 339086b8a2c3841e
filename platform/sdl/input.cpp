// The keyboard and the mouse as devices the game reads once a frame.
//
// Every event is watched as it arrives, so a key or a button that went down
// and up again between two reads still reads down once: a quick tap is
// never lost between frames. While the window is in the background (no
// focus, or minimised) every key reads up and the mouse reads still.
#include "platform/keys.h"
#include "platform/platform.h"
#include "platform/sdl/internal.h"

#include <SDL.h>

#include <climits>
#include <cstring>

namespace {

struct Devices {
    bool active = false;
    uint8_t down[256] = {};
    uint8_t tapped[256] = {};       // went down since the last read
    bool button_down[2] = {};
    bool button_tapped[2] = {};
    int last_x = INT_MIN, last_y = INT_MIN;    // the position last reported
    bool pointer_away = false;                 // the system pointer left the window
};

Devices devices;

void let_go_of_everything()
{
    std::memset(devices.down, 0, sizeof devices.down);
    std::memset(devices.tapped, 0, sizeof devices.tapped);
    devices.button_down[0] = devices.button_down[1] = false;
    devices.button_tapped[0] = devices.button_tapped[1] = false;
}

int button_index(Uint8 button)
{
    if (button == SDL_BUTTON_LEFT)
        return 0;
    if (button == SDL_BUTTON_RIGHT)
        return 1;
    return -1;
}

}  // namespace

void sdl_input_watch(const SDL_Event& event)
{
    switch (event.type) {
    case SDL_KEYDOWN:
        if (int code = sdl_scan_code(event.key.keysym.scancode)) {
            devices.down[code] = 1;
            devices.tapped[code] = 1;
        }
        if (int code = sdl_layout_code(event.key.keysym.sym)) {
            devices.down[code] = 1;
            devices.tapped[code] = 1;
        }
        break;
    case SDL_KEYUP:
        if (int code = sdl_scan_code(event.key.keysym.scancode))
            devices.down[code] = 0;
        if (int code = sdl_layout_code(event.key.keysym.sym))
            devices.down[code] = 0;
        break;
    case SDL_MOUSEBUTTONDOWN:
        if (int b = button_index(event.button.button); b >= 0)
            devices.button_down[b] = devices.button_tapped[b] = true;
        break;
    case SDL_MOUSEBUTTONUP:
        if (int b = button_index(event.button.button); b >= 0)
            devices.button_down[b] = false;
        break;
    case SDL_MOUSEMOTION:
        devices.pointer_away = false;
        break;
    case SDL_WINDOWEVENT:
        switch (event.window.event) {
        case SDL_WINDOWEVENT_FOCUS_GAINED:
            devices.active = !(SDL_GetWindowFlags(sdl_window()) & SDL_WINDOW_MINIMIZED);
            break;
        case SDL_WINDOWEVENT_RESTORED:
            devices.active = (SDL_GetWindowFlags(sdl_window()) & SDL_WINDOW_INPUT_FOCUS) != 0;
            break;
        case SDL_WINDOWEVENT_ENTER:
            devices.pointer_away = false;
            break;
        case SDL_WINDOWEVENT_LEAVE:
            devices.pointer_away = true;
            break;
        case SDL_WINDOWEVENT_FOCUS_LOST:
        case SDL_WINDOWEVENT_MINIMIZED:
            devices.active = false;
            let_go_of_everything();
            break;
        default:
            break;
        }
        break;
    default:
        break;
    }
}

bool sdl_input_active() { return devices.active; }

void sdl_input_reset() { devices = Devices{}; }

int sdl_keyboard_open() { return sdl_window() ? 1 : 0; }
int sdl_mouse_open() { return sdl_window() ? 1 : 0; }
void sdl_input_close() { sdl_input_reset(); }

void sdl_read_keys(uint8_t keys[256])
{
    SDL_PumpEvents();
    if (!devices.active) {
        std::memset(keys, 0, 256);
        let_go_of_everything();
        return;
    }
    for (int code = 0; code < 256; code++) {
        keys[code] = devices.down[code] || devices.tapped[code] ? 0x80 : 0;
        devices.tapped[code] = 0;
    }
}

// Where the system pointer is over the window, in window points. Outside
// the window its place is taken from the desktop, so that the game's pointer
// waits at the nearest edge while the mouse is away.
static void pointer_in_window(SDL_Window* window, int* x, int* y)
{
    if (!devices.pointer_away) {
        SDL_GetMouseState(x, y);
        return;
    }
    int desktop_x, desktop_y, window_x, window_y;
    SDL_GetGlobalMouseState(&desktop_x, &desktop_y);
    SDL_GetWindowPosition(window, &window_x, &window_y);
    *x = desktop_x - window_x;
    *y = desktop_y - window_y;
}

void sdl_read_mouse(PlatformMouse* mouse)
{
    SDL_PumpEvents();
    *mouse = PlatformMouse{};
    SDL_Window* window = sdl_window();
    if (!devices.active || !window) {
        let_go_of_everything();
        return;
    }
    for (int b = 0; b < 2; b++) {
        bool down = devices.button_down[b] || devices.button_tapped[b];
        (b == 0 ? mouse->left : mouse->right) = down ? 0x80 : 0;
        devices.button_tapped[b] = false;
    }

    int window_x, window_y, window_width, window_height, area_width, area_height;
    pointer_in_window(window, &window_x, &window_y);
    SDL_GetWindowSize(window, &window_width, &window_height);
    sdl_video_area(&area_width, &area_height);
    int x, y;
    sdl_window_to_picture(picture_place(area_width, area_height, sdl_video_scale()), window_width, window_height, area_width,
                          area_height, window_x, window_y, &x, &y);
    if (x != devices.last_x || y != devices.last_y) {
        mouse->has_position = 1;
        mouse->x = x;
        mouse->y = y;
        devices.last_x = x;
        devices.last_y = y;
    }
}
