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

#include <cstring>
#include <deque>
#include <string>
#include <utility>

namespace {

// ---- The command line -----------------------------------------------------------

TEST(WindowsCommandLine, TheArgumentTextIsWhatFollowsTheProgramNameAndItsBlanks)
{
    EXPECT_EQ(win32_argument_text("flickermoth.exe Q"), "Q");
    EXPECT_EQ(win32_argument_text("C:\\Games\\flickermoth.exe \t  5 and more"), "5 and more");
    EXPECT_EQ(win32_argument_text("flickermoth.exe"), "");
    EXPECT_EQ(win32_argument_text("flickermoth.exe   "), "");
    EXPECT_EQ(win32_argument_text(""), "");
    EXPECT_EQ(win32_argument_text(nullptr), "");
    // Blanks inside the text and at its end are the player's own.
    EXPECT_EQ(win32_argument_text("flickermoth.exe Q  x "), "Q  x ");
}

TEST(WindowsCommandLine, AQuotedProgramNameIsSkippedUpToItsClosingQuote)
{
    EXPECT_EQ(win32_argument_text("\"C:\\Program Files\\Tinhoard\\flickermoth.exe\" 5"), "5");
    EXPECT_EQ(win32_argument_text("\"C:\\Program Files\\flickermoth.exe\"Q"), "Q");
    EXPECT_EQ(win32_argument_text("\"C:\\Program Files\\flickermoth.exe\""), "");
    // A quote that never closes takes the whole line as the name.
    EXPECT_EQ(win32_argument_text("\"C:\\Program Files\\flickermoth.exe 5"), "");
}

TEST(WindowsCommandLine, TheRecordingWordComesThroughByteForByte)
{
    std::string line = std::string("flickermoth.exe ") + RECORDING_WORD;
    EXPECT_EQ(win32_argument_text(line.c_str()), RECORDING_WORD);
    // Windows-1251 letters are not blanks, also where a char is signed.
    std::string name = std::string("\xC8\xE3\xF0\xE0.exe") + " Q";
    EXPECT_EQ(win32_argument_text(name.c_str()), "Q");
}

// ---- The registry ------------------------------------------------------------------

TEST(WindowsRegistry, TheInstallationDirectoryIsTheGamesKeyUnlessQuickStartAsksForTheCollections)
{
    EXPECT_EQ(win32_install_key(false), "SOFTWARE\\Brenmoor\\Tinhoard-FlickerMoth");
    EXPECT_EQ(win32_install_key(true), "SOFTWARE\\Brenmoor\\Tinhoard");
}

TEST(WindowsRegistry, TheOwnerIsReadUnderWindowsNTWhenTheVersionsHighBitIsClear)
{
    EXPECT_EQ(win32_owner_key(0x23F00206u), "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion");
    EXPECT_EQ(win32_owner_key(0x7FFFFFFFu), "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion");
    EXPECT_EQ(win32_owner_key(0xC0000A04u), "SOFTWARE\\Microsoft\\Windows\\CurrentVersion");
    EXPECT_EQ(win32_owner_key(0x80000000u), "SOFTWARE\\Microsoft\\Windows\\CurrentVersion");
}

TEST(WindowsRegistry, TextValuesEndInANulWithinTheirRoomOrCountAsMissing)
{
    char buffer[8];
    std::memcpy(buffer, "C:\\A\\\0xx", 8);
    EXPECT_TRUE(win32_registry_text(buffer, 6, sizeof buffer));
    EXPECT_STREQ(buffer, "C:\\A\\");

    // Stored without its NUL: one is added where there is room.
    std::memcpy(buffer, "Ann", 3);
    EXPECT_TRUE(win32_registry_text(buffer, 3, sizeof buffer));
    EXPECT_STREQ(buffer, "Ann");

    // Filling the whole room without a NUL leaves none to add.
    std::memcpy(buffer, "12345678", 8);
    EXPECT_FALSE(win32_registry_text(buffer, 8, sizeof buffer));
    EXPECT_FALSE(win32_registry_text(buffer, 9, sizeof buffer));
    EXPECT_FALSE(win32_registry_text(buffer, 0, 0));

    // A value that exists but is empty is an empty name, not a missing one.
    buffer[0] = 0;
    EXPECT_TRUE(win32_registry_text(buffer, 1, sizeof buffer));
    EXPECT_STREQ(buffer, "");
    EXPECT_TRUE(win32_registry_text(buffer, 0, sizeof buffer));
    EXPECT_STREQ(buffer, "");
}

// ---- The window's messages ------------------------------------------------------------

TEST(WindowsMessages, ActivationTypedCharactersAndEnterBecomeTheGamesEvents)
{
    WindowMessageAction on = win32_message_action(MESSAGE_ACTIVATE_APP, 1);
    EXPECT_EQ(on.event_kind, EVENT_ACTIVATE);
    EXPECT_EQ(on.event_value, 1u);
    EXPECT_EQ(win32_message_action(MESSAGE_ACTIVATE_APP, 0x2A).event_value, 1u);    // any non-zero is active
    EXPECT_EQ(win32_message_action(MESSAGE_ACTIVATE_APP, 0).event_value, 0u);
    EXPECT_FALSE(on.default_handling);

    WindowMessageAction typed = win32_message_action(MESSAGE_CHAR, 0x1C8);
    EXPECT_EQ(typed.event_kind, EVENT_CHAR);
    EXPECT_EQ(typed.event_value, 0xC8u);    // the character's low byte

    WindowMessageAction enter = win32_message_action(MESSAGE_KEY_DOWN, VIRTUAL_KEY_RETURN);
    EXPECT_EQ(enter.event_kind, EVENT_ENTER);
    EXPECT_TRUE(enter.cursor_to_corner);
    WindowMessageAction other_key = win32_message_action(MESSAGE_KEY_DOWN, 0x41);
    EXPECT_EQ(other_key.event_kind, EVENT_NONE);
    EXPECT_FALSE(other_key.cursor_to_corner);
    EXPECT_FALSE(other_key.default_handling);
}

TEST(WindowsMessages, OnlyTheWholeCloseCommandAsksToCloseAndEverySystemCommandGoesOn)
{
    WindowMessageAction close = win32_message_action(MESSAGE_SYSTEM_COMMAND, SYSTEM_COMMAND_CLOSE);
    EXPECT_EQ(close.event_kind, EVENT_CLOSE);
    EXPECT_TRUE(close.default_handling);
    WindowMessageAction close_with_low_bits = win32_message_action(MESSAGE_SYSTEM_COMMAND, SYSTEM_COMMAND_CLOSE | 2);
    EXPECT_EQ(close_with_low_bits.event_kind, EVENT_NONE);
    EXPECT_TRUE(close_with_low_bits.default_handling);
    EXPECT_TRUE(win32_message_action(MESSAGE_DESTROY, 0).post_quit);
}

TEST(WindowsMessages, NothingIsPaintedTheCursorIsHiddenAndOtherMessagesGoToTheDefault)
{
    for (uint32_t message : {MESSAGE_CREATE, MESSAGE_PAINT, MESSAGE_ERASE_BACKGROUND, MESSAGE_NONCLIENT_PAINT}) {
        WindowMessageAction action = win32_message_action(message, 0);
        EXPECT_FALSE(action.default_handling) << message;
        EXPECT_EQ(action.result, 0) << message;
        EXPECT_EQ(action.event_kind, EVENT_NONE) << message;
    }
    WindowMessageAction cursor = win32_message_action(MESSAGE_SET_CURSOR, 0);
    EXPECT_TRUE(cursor.hide_cursor);
    EXPECT_EQ(cursor.result, 1);
    EXPECT_FALSE(cursor.default_handling);
    for (uint32_t message : {0x0010u /* close */, 0x0005u /* size */, 0x0200u /* mouse move */, 0x0101u /* key up */})
        EXPECT_TRUE(win32_message_action(message, 0).default_handling) << message;
}

// The window as the backend runs it: the backend's own poll and wait over
// a scripted thread queue, each dispatched message going through the window
// procedure's table into the backend's event queue.
struct MessageScript {
    std::deque<std::pair<uint32_t, uintptr_t>> messages;
    bool quit_posted = false;
};

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

PlatformBackend scripted;

class WindowsPump : public testing::Test {
protected:
    void SetUp() override
    {
        script = MessageScript{};
        win32_window_events = EventQueue{};
        scripted = *headless_backend();
        scripted.poll_event = [](PlatformEvent* event) { return win32_poll_message(SCRIPTED_MESSAGES, event); };
        scripted.wait_event = [](PlatformEvent* event) { win32_wait_message(SCRIPTED_MESSAGES, event); };
        platform_use(&scripted);
    }
};

TEST_F(WindowsPump, AltF4ClosesTheGameThroughTheCloseCommandAndTheWindowsEnd)
{
    script.messages = {{MESSAGE_ACTIVATE_APP, 1}};
    EXPECT_EQ(frame_pump(35), 1);
    // Alt+F4: the system command, then the default handling closes and
    // destroys the window.
    script.messages = {{MESSAGE_SYSTEM_COMMAND, SYSTEM_COMMAND_CLOSE}, {0x0010, 0}, {MESSAGE_DESTROY, 0}};
    EXPECT_EQ(frame_pump(35), 0);
    EXPECT_EQ(frame_pump(35), 0);
    EXPECT_EQ(quit_requested, 1);
}

TEST_F(WindowsPump, AWindowDestroyedWithoutACloseCommandStillEndsEveryFrame)
{
    script.messages = {{MESSAGE_ACTIVATE_APP, 1}};
    EXPECT_EQ(frame_pump(35), 1);
    script.messages = {{MESSAGE_DESTROY, 0}};
    EXPECT_EQ(frame_pump(35), 0);
    EXPECT_EQ(frame_pump(35), 0);
}

TEST_F(WindowsPump, TypedCharactersReachTheRingAndEnterTypesACarriageReturn)
{
    input_begin_typing();
    // Enter comes as the key and the character TranslateMessage makes of it.
    script.messages = {{MESSAGE_ACTIVATE_APP, 1}, {MESSAGE_CHAR, 'M'}, {MESSAGE_KEY_DOWN, VIRTUAL_KEY_RETURN},
                       {MESSAGE_CHAR, 13}, {MESSAGE_PAINT, 0}};
    while (!script.messages.empty() || win32_window_events.count > 0)
        ASSERT_EQ(frame_pump(35), 1);
    EXPECT_EQ(input_next_char(), 'M');
    EXPECT_EQ(input_next_char(), 13);
    EXPECT_EQ(input_next_char(), 0);
    input_end_typing();
}

TEST_F(WindowsPump, SwitchingAwayFreezesTheGameUntilTheWindowIsActiveAgain)
{
    script.messages = {{MESSAGE_ACTIVATE_APP, 1}};
    EXPECT_EQ(frame_pump(35), 1);
    script.messages = {{MESSAGE_ACTIVATE_APP, 0}, {MESSAGE_PAINT, 0}, {MESSAGE_ACTIVATE_APP, 1}};
    uint32_t before = platform_ticks();
    EXPECT_EQ(frame_pump(35), 1);
    EXPECT_TRUE(script.messages.empty());    // nothing returned before the switch back
    EXPECT_EQ(app_active, 1);
    EXPECT_GE(platform_ticks() - before, 35u);
}

TEST_F(WindowsPump, EachPollDispatchesOneMessageAndHandsOnWhatItMeant)
{
    PlatformEvent event = {-1, 0};
    EXPECT_EQ(win32_poll_message(SCRIPTED_MESSAGES, &event), 0);    // nothing waiting
    script.messages = {{MESSAGE_PAINT, 0}, {MESSAGE_ACTIVATE_APP, 1}, {MESSAGE_DESTROY, 0}};
    ASSERT_EQ(win32_poll_message(SCRIPTED_MESSAGES, &event), 1);
    EXPECT_EQ(event.kind, EVENT_NONE);    // handled, but nothing for the game
    EXPECT_EQ(script.messages.size(), 2u);
    ASSERT_EQ(win32_poll_message(SCRIPTED_MESSAGES, &event), 1);
    EXPECT_EQ(event.kind, EVENT_ACTIVATE);
    EXPECT_EQ(event.value, 1u);
    ASSERT_EQ(win32_poll_message(SCRIPTED_MESSAGES, &event), 1);
    EXPECT_EQ(event.kind, EVENT_NONE);    // the destroyed window posts the quit message
    ASSERT_EQ(win32_poll_message(SCRIPTED_MESSAGES, &event), 1);
    EXPECT_EQ(event.kind, EVENT_QUIT);
    EXPECT_EQ(win32_poll_message(SCRIPTED_MESSAGES, &event), 0);
}

TEST_F(WindowsPump, QueuedEventsComeOutInOrderAndAFloodLosesOnlyItsNewest)
{
    for (int i = 0; i < EVENT_QUEUE_SIZE + 5; i++)
        win32_window_message(MESSAGE_CHAR, (uintptr_t)(i & 0xFF));
    PlatformEvent event;
    for (int i = 0; i < EVENT_QUEUE_SIZE; i++) {
        win32_wait_message(SCRIPTED_MESSAGES, &event);
        ASSERT_EQ(event.kind, EVENT_CHAR);
        EXPECT_EQ(event.value, (uint32_t)i);
    }
    win32_wait_message(SCRIPTED_MESSAGES, &event);
    EXPECT_EQ(event.kind, EVENT_QUIT);    // the queue is empty and the script has run out
}

// ---- The palette ---------------------------------------------------------------------

TEST(WindowsPalette, TheTwentySystemColoursAreExplicitAndTheRestMayNotBeMerged)
{
    uint8_t rgb[768], entries[1024];
    for (int i = 0; i < 768; i++)
        rgb[i] = (uint8_t)(i * 7);
    win32_palette_entries(rgb, entries);
    for (int i = 0; i < 256; i++) {
        EXPECT_EQ(entries[i * 4 + 0], rgb[i * 3 + 0]) << i;
        EXPECT_EQ(entries[i * 4 + 1], rgb[i * 3 + 1]) << i;
        EXPECT_EQ(entries[i * 4 + 2], rgb[i * 3 + 2]) << i;
        bool system = i <= 9 || i >= 246;
        EXPECT_EQ(entries[i * 4 + 3], system ? PALETTE_FLAG_EXPLICIT : PALETTE_FLAG_NO_COLLAPSE) << i;
    }
}

}  // namespace
