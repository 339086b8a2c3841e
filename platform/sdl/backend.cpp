// The desktop backend's table, its clock and its window events.
//
// SDL's event queue plays the part of the window's messages: focus and
// minimising become activation, a close request from the window manager
// (or Alt+F4) becomes the close event, typed text becomes characters in the
// Windows-1251 code page. Alt+Enter switches between full screen and a
// window, F11 between whole multiples of the picture and the largest fit,
// and F12 saves a screenshot; none of them reaches the game.
#include "platform/sdl/backend.h"

#include "platform/event_queue.h"
#include "platform/posix/posix.h"
#include "platform/sdl/internal.h"
#include "platform/system_clock.h"

#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

// Events already translated and waiting to be taken: one SDL event can
// stand for several of the game's (a typed word, Enter with its character).
// The next SDL event is translated only once these are all taken, so the
// most ever waiting is one typed text's worth (under 32 of the queue's 64).
EventQueue pending;

void push(int kind, uint32_t value = 0) { event_queue_push(&pending, kind, value); }

bool pop(PlatformEvent* event) { return event_queue_pop(&pending, event); }

int SDLCALL watch(void*, SDL_Event* event)
{
    sdl_input_watch(*event);
    return 1;
}

void translate_window_event(const SDL_WindowEvent& window)
{
    switch (window.event) {
    case SDL_WINDOWEVENT_FOCUS_GAINED:
        if (sdl_input_active())
            push(EVENT_ACTIVATE, 1);
        break;
    case SDL_WINDOWEVENT_RESTORED:
        if (sdl_input_active())
            push(EVENT_ACTIVATE, 1);
        sdl_video_redraw();
        break;
    case SDL_WINDOWEVENT_FOCUS_LOST:
    case SDL_WINDOWEVENT_MINIMIZED:
        push(EVENT_ACTIVATE, 0);
        break;
    case SDL_WINDOWEVENT_CLOSE:
        push(EVENT_CLOSE);
        break;
    case SDL_WINDOWEVENT_EXPOSED:
    case SDL_WINDOWEVENT_SIZE_CHANGED:
        sdl_video_redraw();
        break;
    default:
        break;
    }
}

void translate_key(const SDL_KeyboardEvent& key)
{
    bool alt = (key.keysym.mod & KMOD_ALT) != 0;
    SDL_Keycode sym = key.keysym.sym;
    if (alt && (sym == SDLK_RETURN || sym == SDLK_KP_ENTER)) {
        if (!key.repeat)
            sdl_video_toggle_fullscreen();
        return;
    }
    if (alt && sym == SDLK_F4) {
        push(EVENT_CLOSE);
        return;
    }
    if (sym == SDLK_F11) {
        if (!key.repeat)
            sdl_video_switch_scale();
        return;
    }
    if (sym == SDLK_F12) {
        if (!key.repeat) {
            std::string path = sdl_video_screenshot();
            if (!path.empty())
                std::fprintf(stderr, "flickermoth: screenshot saved as %s\n", path.c_str());
        }
        return;
    }
    if (sym == SDLK_RETURN || sym == SDLK_KP_ENTER)
        push(EVENT_ENTER);
    // Control keys type their characters, repeating while held, as the
    // window's character messages do.
    if (int c = sdl_control_char(sym))
        push(EVENT_CHAR, (uint32_t)c);
}

// One SDL event into the game's events, if it stands for any.
void translate(const SDL_Event& event)
{
    switch (event.type) {
    case SDL_WINDOWEVENT:
        translate_window_event(event.window);
        break;
    case SDL_KEYDOWN:
        translate_key(event.key);
        break;
    case SDL_TEXTINPUT:
        for (char c : sdl_typed_text(event.text.text))
            push(EVENT_CHAR, (uint8_t)c);
        break;
    case SDL_QUIT:
        push(EVENT_CLOSE);
        push(EVENT_QUIT);
        break;
    case SDL_RENDER_TARGETS_RESET:
    case SDL_RENDER_DEVICE_RESET:
        sdl_video_restore();
        break;
    default:
        break;
    }
}

// ---- Backend entries ---------------------------------------------------------

uint32_t ticks() { return system_ticks(); }

// The frame wait: asleep until the tick the pump asked for, not spinning.
void idle(uint32_t ms) { system_wait(ms); }

int poll_event(PlatformEvent* event)
{
    SDL_Event sdl;
    while (!pop(event)) {
        if (!SDL_PollEvent(&sdl))
            return 0;
        translate(sdl);
    }
    return 1;
}

void wait_event(PlatformEvent* event)
{
    SDL_Event sdl;
    while (!pop(event)) {
        if (!SDL_WaitEvent(&sdl)) {
            *event = PlatformEvent{EVENT_QUIT, 0};
            return;
        }
        translate(sdl);
    }
}

// The game has no CD-audio device on this machine; it runs on without one.
int cd_open() { return 0; }
void cd_stop() {}
void cd_close() {}

void message_box(const char* caption, const char* text, int owned)
{
    std::fprintf(stderr, "%s %s\n", caption, text);
    SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, caption, text, owned ? sdl_window() : nullptr);
}

int start_program(const char* command) { return posix_start_program(command); }

int copy_text(const std::string& text, char* buffer, size_t size)
{
    if (text.empty() || text.size() + 1 > size)
        return 0;
    std::memcpy(buffer, text.c_str(), text.size() + 1);
    return 1;
}

int read_install_dir(int quick, char* buffer, size_t size)
{
    return copy_text(posix_install_dir(quick != 0), buffer, size);
}

int read_owner_name(char* buffer, size_t size) { return copy_text(posix_owner_name(), buffer, size); }

const PlatformBackend backend = {
    "sdl",
    ticks, idle, poll_event, wait_event,
    sdl_display_open, sdl_display_close, sdl_present,
    sdl_keyboard_open, sdl_mouse_open, sdl_input_close, sdl_read_keys, sdl_read_mouse,
    sdl_sound_open, sdl_sound_close, sdl_voice_create, sdl_voice_release, sdl_voice_fill, sdl_voice_play,
    sdl_voice_restore,
    cd_open, cd_stop, cd_close,
    message_box, start_program, read_install_dir, read_owner_name,
};

bool watching = false;

}  // namespace

const PlatformBackend* sdl_backend() { return &backend; }

bool sdl_video_open(std::string* reason)
{
    const char* driver = std::getenv("SDL_VIDEODRIVER");
    bool chosen = driver && *driver;
#if defined(__linux__) || defined(__FreeBSD__)
    // Without a desktop session SDL would fall back to drawing off screen,
    // where nobody can see or play the game.
    if (!chosen && !std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY")) {
        *reason = "neither DISPLAY nor WAYLAND_DISPLAY is set";
        return false;
    }
#endif
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        *reason = SDL_GetError();
        return false;
    }
    const char* current = SDL_GetCurrentVideoDriver();
    if (!chosen && current && (!std::strcmp(current, "offscreen") || !std::strcmp(current, "dummy"))) {
        *reason = std::string("only the ") + current + " video driver is there";
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        return false;
    }
    // The devices follow the window's events from its very first one.
    if (!watching)
        SDL_AddEventWatch(watch, nullptr);
    watching = true;
    SDL_StartTextInput();
    return true;
}

void sdl_shutdown()
{
    sdl_display_close();
    sdl_sound_close();
    sdl_video_close_window();
    if (watching)
        SDL_DelEventWatch(watch, nullptr);
    watching = false;
    sdl_input_reset();
    pending = EventQueue{};
    SDL_Quit();
}
