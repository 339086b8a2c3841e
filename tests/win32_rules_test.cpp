// The Windows program's rules that need no Windows: the argument text of a
// command line, the registry keys and values, the window's message table
// (also driving the game's frame pump), the palette entries.
#include "input/input.h"
#include "platform/event_queue.h"
#include "platform/headless/headless.h"
#include "platform/platform.h"
#include "platform/win32/messages.h"
#include "platform/win32/palette_entries.h"
#include "platform/win32/startup.h"
#include "shell/app.h"
#include "frame/pump.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <deque>
#include <string>
#include <utility>

namespace {

TEST(WindowsCommandLine, TheArgumentTextIsWhatFollowsTheProgramNameAndItsBlanks)
{
    const std::pair<const char*, const char*> cases[] = {
        {"flickermoth.exe Q", "Q"},    {"C:\\Games\\flickermoth.exe \t  5 and more", "5 and more"},
        {"flickermoth.exe   ", ""},    {"", ""},    {nullptr, ""},
        {"flickermoth.exe Q  x ", "Q  x "},    // blanks inside and at the end are the player's own
        {"\"C:\\Program Files\\Tinhoard\\flickermoth.exe\" 5", "5"}, {"\"C:\\Program Files\\flickermoth.exe\"Q", "Q"},
        {"\"C:\\Program Files\\flickermoth.exe 5", ""},    // a quote never closed: all of it is the name
        {"\xC8\xE3\xF0\xE0.exe Q", "Q"},    // Windows-1251 letters are not blanks, signed char or not
    };
    for (const auto& [line, text] : cases)
        EXPECT_EQ(win32_argument_text(line), text) << (line ? line : "(none)");
    EXPECT_EQ(win32_argument_text((std::string("flickermoth.exe ") + RECORDING_WORD).c_str()), RECORDING_WORD);
}

// The installation's key (quick start: the collection's), the owner's by the
// system (Windows NT when the version's high bit is clear), and text values,
// which must end in a NUL within their room or count as missing.
TEST(WindowsRegistry, TheKeysAndTextValuesThatEndInANulWithinTheirRoom)
{
    EXPECT_EQ(win32_install_key(false), "SOFTWARE\\Brenmoor\\Tinhoard-FlickerMoth");
    EXPECT_EQ(win32_install_key(true), "SOFTWARE\\Brenmoor\\Tinhoard");
    EXPECT_EQ(win32_owner_key(0x7FFFFFFFu), "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion");
    EXPECT_EQ(win32_owner_key(0x80000000u), "SOFTWARE\\Microsoft\\Windows\\CurrentVersion");
    struct Case { const char* stored; uint32_t length, room; bool found; const char* text; };
    const Case cases[] = {
        {"C:\\A\\\0xx", 6, 8, true, "C:\\A\\"},
        {"Ann", 3, 8, true, "Ann"},           // stored without its NUL: one is added where there is room
        {"12345678", 8, 8, false, nullptr},   // the whole room and no NUL: none to add
        {"", 0, 0, false, nullptr},
        {"", 1, 8, true, ""},                 // empty, not missing
        {"", 0, 8, true, ""},
    };
    for (const Case& c : cases) {
        char buffer[9] = "xxxxxxxx";    // no NUL but the one beyond the room
        std::memcpy(buffer, c.stored, std::min<size_t>(8, c.length));
        EXPECT_EQ(win32_registry_text(buffer, c.length, c.room), c.found) << c.stored << " " << c.length;
        if (c.found) {
            EXPECT_STREQ(buffer, c.text);
        }
    }
}

TEST(WindowsMessages, EachMessageBecomesItsEventAndItsHandling)
{
    struct Case { uint32_t message; uintptr_t wparam; int kind; uint32_t value; bool default_handling, to_corner; };
    const Case cases[] = {
        {MESSAGE_ACTIVATE_APP, 0x2A, EVENT_ACTIVATE, 1, false, false},    // any non-zero is active
        {MESSAGE_ACTIVATE_APP, 0, EVENT_ACTIVATE, 0, false, false},
        {MESSAGE_CHAR, 0x1C8, EVENT_CHAR, 0xC8, false, false},           // the character's low byte
        {MESSAGE_KEY_DOWN, VIRTUAL_KEY_RETURN, EVENT_ENTER, 0, false, true},
        {MESSAGE_KEY_DOWN, 0x41, EVENT_NONE, 0, false, false},
        {MESSAGE_SYSTEM_COMMAND, SYSTEM_COMMAND_CLOSE, EVENT_CLOSE, 0, true, false},
        {MESSAGE_SYSTEM_COMMAND, SYSTEM_COMMAND_CLOSE | 2, EVENT_NONE, 0, true, false},    // not the whole command
        {MESSAGE_PAINT, 0, EVENT_NONE, 0, false, false},    // nothing is painted
        {0x0005 /* size */, 0, EVENT_NONE, 0, true, false},
    };
    for (const Case& c : cases) {
        WindowMessageAction action = win32_message_action(c.message, c.wparam);
        SCOPED_TRACE(testing::Message() << c.message << " " << c.wparam);
        EXPECT_EQ(action.event_kind, c.kind);
        if (c.kind != EVENT_NONE) {
            EXPECT_EQ(action.event_value, c.value);
        }
        EXPECT_EQ(action.default_handling, c.default_handling);
        EXPECT_EQ(action.cursor_to_corner, c.to_corner);
        EXPECT_EQ(action.result, 0);
    }
    WindowMessageAction cursor = win32_message_action(MESSAGE_SET_CURSOR, 0);
    EXPECT_TRUE(cursor.hide_cursor);
    EXPECT_EQ(cursor.result, 1);
    EXPECT_FALSE(cursor.default_handling);
    EXPECT_TRUE(win32_message_action(MESSAGE_DESTROY, 0).post_quit);
}

// The window as the backend runs it: the backend's own poll and wait over
// a scripted thread queue, each dispatched message going through the window
// procedure's table into the backend's event queue.
struct MessageScript { std::deque<std::pair<uint32_t, uintptr_t>> messages; bool quit_posted = false; };

MessageScript script;

const MessageCalls SCRIPTED_MESSAGES = {
    // The quit message PostQuitMessage leaves comes once the queue is empty.
    []() { return !script.messages.empty() || script.quit_posted; },
    []() {
        // A script that has run out stands for a window that is gone.
        if (script.messages.empty()) {
            script.quit_posted = false;
            return false;
        }
        auto [message, wparam] = script.messages.front();
        script.messages.pop_front();
        script.quit_posted |= win32_window_message(message, wparam).post_quit;
        return true;
    },
};


// Enter comes as the key and the character TranslateMessage makes of it.
// Switched away, the game freezes until the window is active again. Alt+F4
// comes as the close command, then the default handling closes and destroys
// the window; a window destroyed without it ends the game as well.
TEST(WindowsPump, TypedCharactersReachTheRingSwitchingAwayFreezesAndTheWindowsEndEndsEveryFrame)
{
    static PlatformBackend scripted = *headless_backend();
    scripted.poll_event = [](PlatformEvent* event) { return win32_poll_message(SCRIPTED_MESSAGES, event); };
    scripted.wait_event = [](PlatformEvent* event) { win32_wait_message(SCRIPTED_MESSAGES, event); };
    platform_use(&scripted);
    win32_window_events = EventQueue{};
    input_begin_typing();
    script.messages = {{MESSAGE_ACTIVATE_APP, 1}, {MESSAGE_CHAR, 'M'}, {MESSAGE_KEY_DOWN, VIRTUAL_KEY_RETURN},
                       {MESSAGE_CHAR, 13}, {MESSAGE_PAINT, 0}};
    while (!script.messages.empty() || win32_window_events.count > 0)
        ASSERT_EQ(frame_pump(35), 1);
    EXPECT_EQ(input_next_char(), 'M');
    EXPECT_EQ(input_next_char(), 13);
    EXPECT_EQ(input_next_char(), 0);
    input_end_typing();

    script.messages = {{MESSAGE_ACTIVATE_APP, 0}, {MESSAGE_PAINT, 0}, {MESSAGE_ACTIVATE_APP, 1}};
    uint32_t before = platform_ticks();
    EXPECT_EQ(frame_pump(35), 1);
    EXPECT_TRUE(script.messages.empty());    // nothing returned before the switch back
    EXPECT_EQ(app_active, 1);
    EXPECT_GE(platform_ticks() - before, 35u);
    for (bool command : {true, false}) {
        quit_requested = 0;
        script.messages = {{MESSAGE_ACTIVATE_APP, 1}};
        EXPECT_EQ(frame_pump(35), 1);
        script.messages = {{MESSAGE_DESTROY, 0}};
        if (command)
            script.messages = {{MESSAGE_SYSTEM_COMMAND, SYSTEM_COMMAND_CLOSE}, {0x0010, 0}, {MESSAGE_DESTROY, 0}};
        EXPECT_EQ(frame_pump(35), 0) << command;
        EXPECT_EQ(frame_pump(35), 0) << command;
        EXPECT_EQ(quit_requested, 1) << command;
    }

    // Each poll dispatches one message: the paint is handled with nothing for
    // the game; the destroyed window posts the quit message, which comes on
    // the poll after. Queued events come out in order; a flood loses only its newest.
    PlatformEvent event = {-1, 0};
    EXPECT_EQ(win32_poll_message(SCRIPTED_MESSAGES, &event), 0);    // nothing waiting
    script.messages = {{MESSAGE_PAINT, 0}, {MESSAGE_ACTIVATE_APP, 1}, {MESSAGE_DESTROY, 0}};
    for (int kind : {EVENT_NONE, EVENT_ACTIVATE, EVENT_NONE, EVENT_QUIT}) {
        ASSERT_EQ(win32_poll_message(SCRIPTED_MESSAGES, &event), 1);
        EXPECT_EQ(event.kind, kind);
    }
    EXPECT_EQ(win32_poll_message(SCRIPTED_MESSAGES, &event), 0);

    for (int i = 0; i < EVENT_QUEUE_SIZE + 5; i++)
        win32_window_message(MESSAGE_CHAR, (uintptr_t)(i & 0xFF));
    for (int i = 0; i < EVENT_QUEUE_SIZE; i++) {
        win32_wait_message(SCRIPTED_MESSAGES, &event);
        ASSERT_EQ(event.kind, EVENT_CHAR);
        EXPECT_EQ(event.value, (uint32_t)i);
    }
    win32_wait_message(SCRIPTED_MESSAGES, &event);
    EXPECT_EQ(event.kind, EVENT_QUIT);    // the queue is empty and the script has run out
}

TEST(WindowsPalette, TheTwentySystemColoursAreExplicitAndTheRestMayNotBeMerged)
{
    uint8_t rgb[768], entries[1024];
    for (int i = 0; i < 768; i++)
        rgb[i] = (uint8_t)(i * 7);
    win32_palette_entries(rgb, entries);
    for (int i = 0; i < 256; i++) {
        EXPECT_EQ(std::memcmp(&entries[i * 4], &rgb[i * 3], 3), 0) << i;
        bool system = i <= 9 || i >= 246;
        EXPECT_EQ(entries[i * 4 + 3], system ? PALETTE_FLAG_EXPLICIT : PALETTE_FLAG_NO_COLLAPSE) << i;
    }
}

}  // namespace
