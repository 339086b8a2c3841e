// The window procedure's table: what each window message does to the game,
// and the rule by which the pump takes the messages one at a time.
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

// ---- The window's side of the pump -----------------------------------------------

struct EventQueue;

// The events the window procedure has made of its messages, waiting for
// the game's pump.
extern EventQueue win32_window_events;

// What the window procedure does with one message: the table's event for
// the game is queued, the rest of the action is left to the caller's
// system calls.
WindowMessageAction win32_window_message(uint32_t message, uintptr_t wparam);

// The system's message calls the pump runs on, passed in so that the rule
// below runs on any system.
struct MessageCalls {
    bool (*message_waiting)();    // a message is in the thread's queue (PeekMessageA, not removing it)
    // Takes the next message, waiting for one, and dispatches it to the
    // window procedure (GetMessageA, TranslateMessage, DispatchMessageA).
    // False when it was the quit message.
    bool (*dispatch_message)();
};

struct PlatformEvent;

// One message per call, when one is waiting: the pump handles at most one
// per pass. Its event, or EVENT_NONE for a message that means nothing to the
// game (still one handled, so the pump goes on polling instead of sleeping),
// or EVENT_QUIT for the quit message. 0 when nothing is waiting.
int win32_poll_message(const MessageCalls& calls, PlatformEvent* event);
// The same, but waiting for a message when none is there.
void win32_wait_message(const MessageCalls& calls, PlatformEvent* event);
