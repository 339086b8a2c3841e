// The window procedure's table: what each window message does to the game.
// Kept apart from the Windows calls so the tests can read the table on any
// system; the backend checks these numbers against the system's headers.
#pragma once

#include <cstdint>

enum : uint32_t {
    MESSAGE_CREATE = 0x0001,
    MESSAGE_DESTROY = 0x0002,
    MESSAGE_PAINT = 0x000F,
    MESSAGE_ERASE_BACKGROUND = 0x0014,
    MESSAGE_ACTIVATE_APP = 0x001C,
    MESSAGE_SET_CURSOR = 0x0020,
    MESSAGE_NONCLIENT_PAINT = 0x0085,
    MESSAGE_KEY_DOWN = 0x0100,
    MESSAGE_CHAR = 0x0102,
    MESSAGE_SYSTEM_COMMAND = 0x0112,
};

constexpr uintptr_t VIRTUAL_KEY_RETURN = 0x0D;
constexpr uintptr_t SYSTEM_COMMAND_CLOSE = 0xF060;

// What the window procedure does with one message.
struct WindowMessageAction {
    int event_kind;           // a PlatformEventKind for the game, or EVENT_NONE
    uint32_t event_value;
    bool default_handling;    // hand the message on to DefWindowProcA, return its result
    intptr_t result;          // otherwise returned as it is
    bool hide_cursor;         // SetCursor(no cursor)
    bool cursor_to_corner;    // SetCursorPos(0, 0)
    bool post_quit;           // PostQuitMessage(0)
};

WindowMessageAction win32_message_action(uint32_t message, uintptr_t wparam);
