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
        SDL_Event event = {};
        event.type = SDL_WINDOWEVENT;
        event.window.event = what;
        event.window.windowID = SDL_GetWindowID(sdl_window());
        SDL_PushEvent(&event);
    }
    // `sym`: what the key types in the layout, else the key's US meaning.
    static void push_key(SDL_Scancode scancode, bool down, Uint16 mod = KMOD_NONE, bool repeat = false,
                         SDL_Keycode sym = SDLK_UNKNOWN)
    {
        SDL_Event event = {};
        event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
        event.key.windowID = SDL_GetWindowID(sdl_window());
        event.key.state = down ? SDL_PRESSED : SDL_RELEASED;
        event.key.repeat = repeat;
        event.key.keysym.scancode = scancode;
        event.key.keysym.sym = sym != SDLK_UNKNOWN ? sym : SDL_GetKeyFromScancode(scancode);
        event.key.keysym.mod = mod;
        SDL_PushEvent(&event);
    }
    static void push_button(Uint8 button, bool down)
    {
        SDL_Event event = {};
        event.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
        event.button.windowID = SDL_GetWindowID(sdl_window());
        event.button.button = button;
        event.button.state = down ? SDL_PRESSED : SDL_RELEASED;
        SDL_PushEvent(&event);
    }
    // The window gets the focus, as when the player clicks it or switches to it.
    void activate()
    {
        push_window_event(SDL_WINDOWEVENT_FOCUS_GAINED);
        take_events();
    }
};
