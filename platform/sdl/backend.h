// The desktop backend over SDL2: a real window (full screen or not), the
// system keyboard and mouse, one sound device, the system clock.
//
// Only the program's entry point includes this header. It opens the video
// system, creates the window (so that a failure there gets the game's own
// "Can't create MainWindow." box), hands sdl_backend() to platform_use and
// runs the game; sdl_shutdown closes everything at the very end.
#pragma once

#include "platform/platform.h"

#include <string>

const PlatformBackend* sdl_backend();

// Opens the video system. False when there is no display to show a window
// on; `reason` then says what SDL reported.
bool sdl_video_open(std::string* reason);

// Creates the game's window: full screen on the desktop's own resolution,
// or (`windowed`) a resizable window at twice the picture's size, or the
// largest whole multiple that fits the desktop. False when it cannot be made.
bool sdl_create_window(bool windowed);

// Closes the window and every SDL subsystem.
void sdl_shutdown();
