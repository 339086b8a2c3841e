// The desktop window's events as the game's pump receives them, and the
// keyboard as the game reads it once a frame.
#include "sdl_helpers.h"

#include "platform/keys.h"

#include <algorithm>
#include <cstring>

namespace {

using SdlWindowEvents = SdlMachine;

std::vector<uint32_t> chars_of(const std::vector<PlatformEvent>& events)
{
    std::vector<uint32_t> chars;
    for (const PlatformEvent& e : events)
        if (e.kind == EVENT_CHAR)
            chars.push_back(e.value);
    return chars;
}

void push_text(const char* utf8)
{
    SDL_Event event = {};
    event.type = SDL_TEXTINPUT;
    event.text.windowID = SDL_GetWindowID(sdl_window());
    std::strncpy(event.text.text, utf8, sizeof event.text.text - 1);
    SDL_PushEvent(&event);
}

TEST_F(SdlWindowEvents, TypedTextAndControlKeysBecomeCharactersAndEnterIsAlsoAnnounced)
{
    activate();
    push_text("Ёж✓");    // the tick has no place in the code page: nothing arrives for it
    push_key(SDL_SCANCODE_BACKSPACE, true);
    push_key(SDL_SCANCODE_BACKSPACE, true, KMOD_NONE, true);    // held: it repeats
    push_key(SDL_SCANCODE_ESCAPE, true);
    push_key(SDL_SCANCODE_RETURN, true);
    push_key(SDL_SCANCODE_A, true);    // letters come as typed text, not from their keys
    std::vector<PlatformEvent> events = take_events();
    EXPECT_EQ(chars_of(events), (std::vector<uint32_t>{0xA8, 0xE6, 8, 8, 27, 13}));
    ASSERT_EQ(events.size(), 7u);
    EXPECT_EQ(events[5].kind, EVENT_ENTER);    // before the carriage return it types
}

// Alt+Enter switches between a window and the full screen without typing
// Enter; the window manager's close, Alt+F4 and the last window gone ask
// the game to close.
TEST_F(SdlWindowEvents, AltEnterSwitchesTheFullScreenAndCloseAltF4AndQuitAskTheGameToClose)
{
    activate();
    ASSERT_FALSE(sdl_video_is_fullscreen());
    push_key(SDL_SCANCODE_RETURN, true, KMOD_LALT);
    EXPECT_TRUE(take_events().empty());
    EXPECT_TRUE(sdl_video_is_fullscreen());
    push_key(SDL_SCANCODE_RETURN, true, KMOD_RALT);
    take_events();
    EXPECT_FALSE(sdl_video_is_fullscreen());

    push_window_event(SDL_WINDOWEVENT_CLOSE);
    push_key(SDL_SCANCODE_F4, true, KMOD_LALT);
    SDL_Event quit = {};
    quit.type = SDL_QUIT;
    SDL_PushEvent(&quit);
    std::vector<int> kinds;
    for (const PlatformEvent& e : take_events())
        kinds.push_back(e.kind);
    EXPECT_EQ(kinds, (std::vector<int>{EVENT_CLOSE, EVENT_CLOSE, EVENT_CLOSE, EVENT_QUIT}));
}

TEST_F(SdlWindowEvents, LosingTheFocusOrBeingMinimisedMakesTheGameInactiveAndItWaitsForItsOwnEvents)
{
    push_window_event(SDL_WINDOWEVENT_FOCUS_GAINED);
    push_window_event(SDL_WINDOWEVENT_FOCUS_LOST);
    push_window_event(SDL_WINDOWEVENT_MINIMIZED);
    std::vector<PlatformEvent> events = take_events();
    ASSERT_EQ(events.size(), 2u);    // the gain was taken back before the pump saw it
    EXPECT_EQ(events[0].kind, EVENT_ACTIVATE);
    EXPECT_EQ(events[0].value + events[1].value, 0u);
    push_window_event(SDL_WINDOWEVENT_EXPOSED);    // redrawn by the backend, nothing for the game
    push_window_event(SDL_WINDOWEVENT_FOCUS_GAINED);
    PlatformEvent event;
    sdl->wait_event(&event);
    EXPECT_EQ(event.kind, EVENT_ACTIVATE);
    EXPECT_EQ(event.value, 1u);
}

using SdlKeys = SdlMachine;

std::vector<uint8_t> read_keys(const PlatformBackend* sdl)
{
    std::vector<uint8_t> keys(256);
    sdl->read_keys(keys.data());
    return keys;
}

int keys_down(const std::vector<uint8_t>& keys) { return 256 - (int)std::count(keys.begin(), keys.end(), 0); }

// A held key reads down until released, a tap between two reads once; a
// key that types + reads as the speed key wherever the layout puts it (a
// German keyboard's + sits where a US keyboard has ]: both codes are down);
// in the background every key reads up, and stays up once back in front.
TEST_F(SdlKeys, HeldTappedAndLayoutKeysReadAsPressedAndNothingInTheBackground)
{
    activate();
    push_key(SDL_SCANCODE_KP_PLUS, true);
    push_key(SDL_SCANCODE_AUDIOPLAY, true);    // of no interest: no key at all
    EXPECT_EQ(read_keys(sdl)[KEY_NUMPAD_PLUS], 0x80);
    EXPECT_EQ(keys_down(read_keys(sdl)), 1);
    push_key(SDL_SCANCODE_KP_PLUS, false);
    push_key(SDL_SCANCODE_ESCAPE, true);
    push_key(SDL_SCANCODE_ESCAPE, false);
    std::vector<uint8_t> keys = read_keys(sdl);
    EXPECT_EQ(keys[KEY_ESCAPE], 0x80);
    EXPECT_EQ(keys_down(keys), 1);
    EXPECT_EQ(keys_down(read_keys(sdl)), 0);

    push_key(SDL_SCANCODE_RIGHTBRACKET, true, KMOD_NONE, false, SDLK_PLUS);
    keys = read_keys(sdl);
    EXPECT_EQ(keys[KEY_EQUALS], 0x80);
    EXPECT_EQ(keys[KEY_RIGHT_BRACKET], 0x80);
    push_key(SDL_SCANCODE_RIGHTBRACKET, false, KMOD_NONE, false, SDLK_PLUS);
    EXPECT_EQ(keys_down(read_keys(sdl)), 0);

    push_key(SDL_SCANCODE_F10, true);
    push_key(SDL_SCANCODE_LSHIFT, true);
    EXPECT_EQ(read_keys(sdl)[KEY_F10], 0x80);
    push_window_event(SDL_WINDOWEVENT_FOCUS_LOST);
    EXPECT_EQ(keys_down(read_keys(sdl)), 0);
    push_window_event(SDL_WINDOWEVENT_FOCUS_GAINED);
    EXPECT_EQ(keys_down(read_keys(sdl)), 0);
}

}  // namespace
