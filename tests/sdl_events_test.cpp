// The desktop window's events as the game's pump receives them, and the
// keyboard as the game reads it once a frame.
#include "sdl_helpers.h"

#include "platform/keys.h"

#include <cstring>

namespace {

using SdlWindowEvents = SdlMachine;
using Events = std::vector<std::pair<int, uint32_t>>;

void push_text(const char* utf8)
{
    SDL_Event event = {.text = {SDL_TEXTINPUT, 0, window_id(), {}}};
    std::strncpy(event.text.text, utf8, sizeof event.text.text - 1);
    SDL_PushEvent(&event);
}

// Letters come as typed text, not from their keys; Enter is announced
// before the carriage return it types. Alt+Enter switches between a window
// and the full screen without typing Enter; the window manager's close,
// Alt+F4 and the last window gone ask the game to close.
TEST_F(SdlWindowEvents, TypedTextControlKeysAltEnterAndTheWindowsCloseReachTheGameAsTheirEvents)
{
    activate();
    push_text("Ёж✓");    // the tick has no place in the code page: nothing arrives for it
    push_key(SDL_SCANCODE_BACKSPACE, true);
    push_key(SDL_SCANCODE_BACKSPACE, true, KMOD_NONE, true);    // held: it repeats
    push_key(SDL_SCANCODE_ESCAPE, true);
    push_key(SDL_SCANCODE_RETURN, true);
    push_key(SDL_SCANCODE_A, true);
    EXPECT_EQ(take_events(), (Events{{EVENT_CHAR, 0xA8}, {EVENT_CHAR, 0xE6}, {EVENT_CHAR, 8}, {EVENT_CHAR, 8},
                                     {EVENT_CHAR, 27}, {EVENT_ENTER, 0}, {EVENT_CHAR, 13}}));

    ASSERT_FALSE(sdl_video_is_fullscreen());
    push_key(SDL_SCANCODE_RETURN, true, KMOD_LALT);
    EXPECT_TRUE(take_events().empty());
    EXPECT_TRUE(sdl_video_is_fullscreen());
    push_key(SDL_SCANCODE_RETURN, true, KMOD_RALT);
    take_events();
    EXPECT_FALSE(sdl_video_is_fullscreen());

    push_window_event(SDL_WINDOWEVENT_CLOSE);
    push_key(SDL_SCANCODE_F4, true, KMOD_LALT);
    SDL_Event quit = {.quit = {SDL_QUIT, 0}};
    SDL_PushEvent(&quit);
    EXPECT_EQ(take_events(), (Events{{EVENT_CLOSE, 0}, {EVENT_CLOSE, 0}, {EVENT_CLOSE, 0}, {EVENT_QUIT, 0}}));
}

// The gain taken back before the pump saw it reaches the game as nothing;
// an exposed window is redrawn by the backend, nothing for the game.
TEST_F(SdlWindowEvents, LosingTheFocusOrBeingMinimisedMakesTheGameInactiveAndItWaitsForItsOwnEvents)
{
    push_window_event(SDL_WINDOWEVENT_FOCUS_GAINED);
    push_window_event(SDL_WINDOWEVENT_FOCUS_LOST);
    push_window_event(SDL_WINDOWEVENT_MINIMIZED);
    EXPECT_EQ(take_events(), (Events{{EVENT_ACTIVATE, 0}, {EVENT_ACTIVATE, 0}}));
    push_window_event(SDL_WINDOWEVENT_EXPOSED);
    push_window_event(SDL_WINDOWEVENT_FOCUS_GAINED);
    PlatformEvent event;
    sdl->wait_event(&event);
    EXPECT_EQ(std::make_pair(event.kind, event.value), std::make_pair((int)EVENT_ACTIVATE, 1u));
}

using SdlKeys = SdlMachine;

// A held key reads down until released, a tap between two reads once; a
// key that types + reads as the speed key wherever the layout puts it (a
// German keyboard's + sits where a US keyboard has ]: both codes are down);
// in the background every key reads up, and stays up once back in front.
TEST_F(SdlKeys, HeldTappedAndLayoutKeysReadAsPressedAndNothingInTheBackground)
{
    auto down = [&] {
        uint8_t keys[256];
        sdl->read_keys(keys);
        std::vector<int> codes;
        for (int code = 0; code < 256; code++)
            if (keys[code])
                codes.push_back(keys[code] == 0x80 ? code : -code);
        return codes;
    };
    activate();
    push_key(SDL_SCANCODE_KP_PLUS, true);
    push_key(SDL_SCANCODE_AUDIOPLAY, true);    // of no interest: no key at all
    EXPECT_EQ(down(), std::vector<int>{KEY_NUMPAD_PLUS});
    EXPECT_EQ(down(), std::vector<int>{KEY_NUMPAD_PLUS});
    push_key(SDL_SCANCODE_KP_PLUS, false);
    push_key(SDL_SCANCODE_ESCAPE, true);
    push_key(SDL_SCANCODE_ESCAPE, false);
    EXPECT_EQ(down(), std::vector<int>{KEY_ESCAPE});
    EXPECT_EQ(down(), std::vector<int>{});

    push_key(SDL_SCANCODE_RIGHTBRACKET, true, KMOD_NONE, false, SDLK_PLUS);
    EXPECT_EQ(down(), (std::vector<int>{KEY_EQUALS, KEY_RIGHT_BRACKET}));
    push_key(SDL_SCANCODE_RIGHTBRACKET, false, KMOD_NONE, false, SDLK_PLUS);
    EXPECT_EQ(down(), std::vector<int>{});

    push_key(SDL_SCANCODE_F10, true);
    push_key(SDL_SCANCODE_LSHIFT, true);
    EXPECT_EQ(down(), (std::vector<int>{KEY_LEFT_SHIFT, KEY_F10}));
    push_window_event(SDL_WINDOWEVENT_FOCUS_LOST);
    EXPECT_EQ(down(), std::vector<int>{});
    push_window_event(SDL_WINDOWEVENT_FOCUS_GAINED);
    EXPECT_EQ(down(), std::vector<int>{});
}

}  // namespace
