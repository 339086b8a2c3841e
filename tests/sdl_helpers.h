// The desktop backend on SDL's own stand-in devices: a dummy video driver
// (a window with nothing to show it on) and a dummy sound device, so that
// the backend runs whole on any machine, display or not.
#pragma once

#include "platform/platform.h"
#include "platform/sdl/backend.h"
#include "platform/sdl/internal.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

inline Uint32 window_id() { return SDL_GetWindowID(sdl_window()); }

class SdlMachine : public testing::Test {
protected:
    const PlatformBackend* sdl = nullptr;

    void SetUp() override
    {
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        std::string reason;
        ASSERT_TRUE(sdl_video_open(&reason)) << reason;
        ASSERT_TRUE(sdl_create_window(true));
        sdl = sdl_backend();
        ASSERT_EQ(sdl->display_open(), 1);
    }
    void TearDown() override
    {
        sdl_shutdown();
        unsetenv("SDL_VIDEODRIVER");
        unsetenv("SDL_AUDIODRIVER");
    }

    // Every event of the game's that is waiting now, as (kind, value).
    std::vector<std::pair<int, uint32_t>> take_events()
    {
        std::vector<std::pair<int, uint32_t>> events;
        PlatformEvent event;
        while (sdl->poll_event(&event))
            events.emplace_back(event.kind, event.value);
        return events;
    }

    static void push_window_event(Uint8 what)
    {
        SDL_Event event = {.window = {SDL_WINDOWEVENT, 0, window_id(), what, 0, 0, 0, 0, 0}};
        SDL_PushEvent(&event);
    }
    // `sym`: what the key types in the layout, else the key's US meaning.
    static void push_key(SDL_Scancode scancode, bool down, Uint16 mod = KMOD_NONE, bool repeat = false,
                         SDL_Keycode sym = SDLK_UNKNOWN)
    {
        SDL_Keysym key = {scancode, sym != SDLK_UNKNOWN ? sym : SDL_GetKeyFromScancode(scancode), mod, 0};
        SDL_Event event = {.key = {down ? SDL_KEYDOWN : SDL_KEYUP, 0, window_id(),
                                   (Uint8)(down ? SDL_PRESSED : SDL_RELEASED), repeat, 0, 0, key}};
        SDL_PushEvent(&event);
    }
    static void push_button(Uint8 button, bool down)
    {
        SDL_Event event = {.button = {down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP, 0, window_id(), 0, button,
                                      (Uint8)(down ? SDL_PRESSED : SDL_RELEASED), 0, 0, 0, 0}};
        SDL_PushEvent(&event);
    }
    // The window gets the focus, as when the player clicks it or switches to it.
    void activate()
    {
        push_window_event(SDL_WINDOWEVENT_FOCUS_GAINED);
        take_events();
    }
};
