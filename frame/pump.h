// The window events and the frame pump.
//
// Every screen's frame is: input_poll_mouse, input_poll_keys,
// frame_pump(frame_period), then update, draw and present. The pump handles
// the window events that have come in, waits until the period has passed
// since the previous frame, freezes the whole game while it is not the
// active application, and returns 0 once the program is closing, at which
// every screen returns to its caller at once.
#pragma once

#include "platform/platform.h"

#include <cstdint>

// The tick of the end of the last completed wait, or of the last activation.
extern uint32_t last_frame_tick;
// Non-zero while the game is the active application; 0 until the window is
// first activated.
extern int32_t app_active;
// Set by any request to close; never cleared while the program runs.
extern int32_t quit_requested;

// Called each time the pump is about to return 1 (the frame trace uses it).
extern void (*pump_frame_hook)();

// 1: the period has passed, run the next frame. 0: the program is closing;
// this and every later call return 0.
int frame_pump(uint32_t period);

// One window event: activation, a close request, a typed character, Enter.
// Returns 0 when the window is gone and no more events will come.
int app_handle_event(const PlatformEvent& event);

// Back to the state of a freshly created window: not yet active, no close
// requested.
void pump_reset();
