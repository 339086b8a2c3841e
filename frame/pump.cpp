// The frame pump: window events, the frame wait, the background freeze.
#include "frame/pump.h"

#include "audio/music.h"
#include "input/input.h"
#include "frame/settings_keeper.h"

uint32_t last_frame_tick = 0;
int32_t app_active = 0;
int32_t quit_requested = 0;
void (*pump_frame_hook)() = nullptr;

int app_handle_event(const PlatformEvent& event)
{
    switch (event.kind) {
    case EVENT_ACTIVATE:
        app_active = (int32_t)event.value;
        // The first frame after switching back comes one full period later.
        last_frame_tick = platform_ticks();
        break;
    case EVENT_CLOSE:
        quit_requested = 1;
        break;
    case EVENT_QUIT:
        // The window can go without a close request first; either way the
        // game must not go on waiting for frames of a window that is gone.
        quit_requested = 1;
        return 0;
    case EVENT_CHAR:
        input_put_char(event.value);
        break;
    case EVENT_ENTER:
        // Only the system pointer would move; the game's own pointer stays.
        break;
    default:
        break;
    }
    return 1;
}

// Active: handle events one per pass until the period has passed since the
// last frame, measured as an unsigned difference so the tick counter's
// wrap-around does not matter. A late frame is not made up: the next one is
// timed from the tick read last, not from the deadline. With nothing to
// handle the remaining time is slept away instead of spun.
static int wait_for_frame(uint32_t period)
{
    uint32_t now;
    for (;;) {
        PlatformEvent event;
        bool handled = platform_poll_event(&event);
        if (handled && (!app_handle_event(event) || quit_requested))
            return 0;
        now = platform_ticks();
        uint32_t elapsed = now - last_frame_tick;
        if (elapsed >= period)
            break;
        if (!handled)
            platform_idle(period - elapsed);
    }
    last_frame_tick = now;
    return 1;
}

int frame_pump(uint32_t period)
{
    while (!quit_requested) {
        if (app_active) {
            if (!wait_for_frame(period))
                return 0;
            if (app_active) {
                settings_frame();
                if (pump_frame_hook)
                    pump_frame_hook();
                return 1;
            }
            // Switched away during the wait: freeze from the next pass on.
        } else {
            // In the background the game is frozen: nothing returns until
            // the player switches back or the program closes.
            music_stop();
            PlatformEvent event;
            platform_wait_event(&event);
            if (!app_handle_event(event))
                return 0;
        }
    }
    return 0;
}

void pump_reset()
{
    last_frame_tick = 0;
    app_active = 0;
    quit_requested = 0;
}
