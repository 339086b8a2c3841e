// The native Windows backend: the window, DirectDraw, DirectInput,
// DirectSound, the CD-audio device and the registry. Only the program's
// entry point (shell/main_win32.cpp) includes this header.
#pragma once

#include "platform/platform.h"

const PlatformBackend* win32_backend();

// Registers the window class and creates and shows the game's one popup
// window, before any device is opened; false when the window cannot be had.
// `instance` is the module's instance handle, `show` the show command the
// process was started with.
bool win32_open_window(void* instance, int show, int icon_resource, const char* title);

// What the program leaves behind at its end: the timer resolution it asked for.
void win32_close();
