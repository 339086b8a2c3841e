#include "platform/win32/messages.h"

#include "platform/event_queue.h"
#include "platform/platform.h"

WindowMessageAction win32_message_action(uint32_t message, uintptr_t wparam)
{
    WindowMessageAction action = {EVENT_NONE, 0, false, 0, false, false, false};
    switch (message) {
    case MESSAGE_CREATE:
    case MESSAGE_PAINT:              // nothing is painted and the window stays invalid
    case MESSAGE_ERASE_BACKGROUND:
    case MESSAGE_NONCLIENT_PAINT:
        break;
    case MESSAGE_DESTROY:
        action.post_quit = true;
        break;
    case MESSAGE_ACTIVATE_APP:
        action.event_kind = EVENT_ACTIVATE;
        action.event_value = wparam != 0 ? 1 : 0;
        break;
    case MESSAGE_SET_CURSOR:
        // The system pointer never shows over the window: the game draws its own.
        action.hide_cursor = true;
        action.result = 1;
        break;
    case MESSAGE_KEY_DOWN:
        if (wparam == VIRTUAL_KEY_RETURN) {
            action.cursor_to_corner = true;
            action.event_kind = EVENT_ENTER;
        }
        break;
    case MESSAGE_CHAR:
        action.event_kind = EVENT_CHAR;
        action.event_value = (uint32_t)(wparam & 0xFF);
        break;
    case MESSAGE_SYSTEM_COMMAND:
        // Compared whole: a close command with other low bits set is not one.
        if (wparam == SYSTEM_COMMAND_CLOSE)
            action.event_kind = EVENT_CLOSE;
        action.default_handling = true;
        break;
    default:
        action.default_handling = true;
        break;
    }
    return action;
}

EventQueue win32_window_events;

WindowMessageAction win32_window_message(uint32_t message, uintptr_t wparam)
{
    WindowMessageAction action = win32_message_action(message, wparam);
    if (action.event_kind != EVENT_NONE)
        event_queue_push(&win32_window_events, action.event_kind, action.event_value);
    return action;
}

// One message dispatched; what the window procedure made of it handed on.
static void take_one(const MessageCalls& calls, PlatformEvent* event)
{
    if (!calls.dispatch_message()) {
        *event = PlatformEvent{EVENT_QUIT, 0};
        return;
    }
    if (!event_queue_pop(&win32_window_events, event))
        *event = PlatformEvent{EVENT_NONE, 0};
}

int win32_poll_message(const MessageCalls& calls, PlatformEvent* event)
{
    if (event_queue_pop(&win32_window_events, event))
        return 1;
    if (!calls.message_waiting())
        return 0;
    take_one(calls, event);
    return 1;
}

void win32_wait_message(const MessageCalls& calls, PlatformEvent* event)
{
    if (event_queue_pop(&win32_window_events, event))
        return;
    take_one(calls, event);
}
