// The desktop backend over SDL2: a real window (full screen or not), the
// system keyboard and mouse, one sound device, the system clock.
//
// Only the program's entry point includes this header. It opens the video
// system, creates the window (so that a failure there gets the game's own
// "Can't create MainWindow." box), hands sdl_backend() to platform_use and
// runs the game; sdl_shutdown closes everything at the very end.
#pragma once

#include "platform/platform.h"
#include "platform/settings.h"

#include <string>

const PlatformBackend* sdl_backend();

// Opens the video system. False when there is no display to show a window
// on; `reason` then says what SDL reported.
bool sdl_video_open(std::string* reason);

// Creates the game's window, titled "FlickerMoth": full screen on the
// desktop's own resolution, or a resizable window of the settings' size
// (while it fits the desktop), else of the largest whole multiple of the
// picture that fits the desktop comfortably; the picture scaled as the
// settings say. False when it cannot be made.
bool sdl_create_window(const Settings& settings);
// The same with the settings' defaults, full screen unless `windowed`.
bool sdl_create_window(bool windowed);
// The window's choices as they are now: full screen or not, its size as a
// window (kept while it is full screen or maximised), the scale.
void sdl_window_settings(Settings* settings);
void sdl_set_window_title(const char* title);
// The window's icon from a PNG picture; false when it cannot be read.
bool sdl_set_window_icon(const char* png_path);

// Closes the window and every SDL subsystem.
void sdl_shutdown();
