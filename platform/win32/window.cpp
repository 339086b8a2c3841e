// The window, its procedure and the message loop.
//
// The window procedure turns the few messages that matter into the game's
// platform events and queues them; the pump takes them one at a time
// through poll_event and wait_event, which run the message calls
// (PeekMessageA, GetMessageA, TranslateMessage, DispatchMessageA) that make
// the procedure run. Messages that arrive while the window is created and
// shown, before the game pumps at all, wait in the queue.
#include "platform/win32/backend.h"
#include "platform/win32/internal.h"
#include "platform/win32/messages.h"

#include "platform/system_clock.h"

#include <mmsystem.h>

static_assert(MESSAGE_CREATE == WM_CREATE && MESSAGE_DESTROY == WM_DESTROY && MESSAGE_PAINT == WM_PAINT &&
              MESSAGE_ERASE_BACKGROUND == WM_ERASEBKGND && MESSAGE_ACTIVATE_APP == WM_ACTIVATEAPP &&
              MESSAGE_SET_CURSOR == WM_SETCURSOR && MESSAGE_NONCLIENT_PAINT == WM_NCPAINT &&
              MESSAGE_KEY_DOWN == WM_KEYDOWN && MESSAGE_CHAR == WM_CHAR && MESSAGE_SYSTEM_COMMAND == WM_SYSCOMMAND &&
              VIRTUAL_KEY_RETURN == VK_RETURN && SYSTEM_COMMAND_CLOSE == SC_CLOSE,
              "the window message table uses the system's numbers");

HINSTANCE app_instance = nullptr;
HWND main_window = nullptr;

namespace {

const char WINDOW_CLASS[] = "KOLTA_VIREN";
MSG pump_message;
bool fine_timer = false;

LRESULT CALLBACK app_window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam)
{
    WindowMessageAction action = win32_window_message(message, wparam);
    if (action.hide_cursor)
        SetCursor(nullptr);
    if (action.cursor_to_corner)
        SetCursorPos(0, 0);
    if (action.post_quit)
        PostQuitMessage(0);
    if (action.default_handling)
        return DefWindowProcA(window, message, wparam, lparam);
    return (LRESULT)action.result;
}

bool message_waiting() { return PeekMessageA(&pump_message, nullptr, 0, 0, PM_NOREMOVE) != 0; }

bool dispatch_message()
{
    if (GetMessageA(&pump_message, nullptr, 0, 0) == 0)
        return false;
    TranslateMessage(&pump_message);
    DispatchMessageA(&pump_message);
    return true;
}

const MessageCalls SYSTEM_MESSAGES = {message_waiting, dispatch_message};

}  // namespace

bool win32_open_window(void* instance, int show, int icon_resource, const char* title)
{
    app_instance = (HINSTANCE)instance;
    WNDCLASSA window_class = {};
    window_class.style = CS_HREDRAW | CS_VREDRAW;
    window_class.lpfnWndProc = app_window_proc;
    window_class.cbClsExtra = 0;
    window_class.cbWndExtra = 0;
    window_class.hInstance = app_instance;
    window_class.hIcon = LoadIconA(app_instance, MAKEINTRESOURCEA(icon_resource));
    window_class.hCursor = LoadCursorA(nullptr, (LPCSTR)IDC_ARROW);
    window_class.hbrBackground = nullptr;
    window_class.lpszMenuName = nullptr;
    window_class.lpszClassName = WINDOW_CLASS;
    RegisterClassA(&window_class);

    main_window = CreateWindowExA(0, WINDOW_CLASS, title, WS_POPUP, 0, 0, 640, 480, nullptr, nullptr, app_instance,
                                  nullptr);
    if (!main_window)
        return false;
    ShowWindow(main_window, show);
    // Frame waits sleep to within a millisecond of their end.
    fine_timer = timeBeginPeriod(1) == TIMERR_NOERROR;
    return true;
}

void win32_close()
{
    if (fine_timer)
        timeEndPeriod(1);
    fine_timer = false;
}

uint32_t win32_ticks() { return system_ticks(); }

// Nothing to do until the frame is due: sleep, but wake as soon as a message
// comes in, so the window answers at once. The last millisecond is polled,
// so the frame starts when its period has passed and not a tick later.
void win32_idle(uint32_t ms)
{
    if (ms > 1) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, ms - 1, QS_ALLINPUT);
        return;
    }
    Sleep(0);
}

int win32_poll_event(PlatformEvent* event) { return win32_poll_message(SYSTEM_MESSAGES, event); }

// The game is in the background: block until a message comes and hand back
// what it meant, which may be nothing (the pump then stops the CD-audio
// device again and waits for the next one).
void win32_wait_event(PlatformEvent* event) { win32_wait_message(SYSTEM_MESSAGES, event); }

void win32_message_box(const char* caption, const char* text, int owned)
{
    MessageBoxA(owned ? main_window : nullptr, text, caption, MB_ICONERROR | MB_OK);
}

int win32_start_program(const char* command) { return WinExec(command, SW_SHOW) > 31 ? 1 : 0; }
