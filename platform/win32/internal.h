// What the Windows backend's files share. Not for the game: only the
// files of platform/win32 include it.
#pragma once

#include "platform/platform.h"

#include <windows.h>

// The module instance and the game's one window, from win32_open_window.
extern HINSTANCE app_instance;
extern HWND main_window;

// ---- window.cpp ---------------------------------------------------------------
uint32_t win32_ticks();
void win32_idle(uint32_t ms);
int win32_poll_event(PlatformEvent* event);
void win32_wait_event(PlatformEvent* event);
void win32_message_box(const char* caption, const char* text, int owned);
int win32_start_program(const char* command);

// ---- display.cpp: DirectDraw ----------------------------------------------------
int win32_display_open();
void win32_display_close();
void win32_present(const uint8_t* pixels, int pitch, const uint8_t* rgb);

// ---- input.cpp: DirectInput -----------------------------------------------------
int win32_keyboard_open();
int win32_mouse_open();
void win32_input_close();
void win32_read_keys(uint8_t keys[256]);
void win32_read_mouse(PlatformMouse* mouse);

// ---- sound.cpp: DirectSound -----------------------------------------------------
int win32_sound_open();
void win32_sound_close();
int win32_voice_create(uint32_t length);
void win32_voice_release(int voice);
void win32_voice_fill(int voice, const uint8_t* sample, uint32_t length);
int win32_voice_play(int voice, int flags);
void win32_voice_restore(int voice);

// ---- cd_audio.cpp: the Media Control Interface ----------------------------------
int win32_cd_open();
void win32_cd_stop();
void win32_cd_close();

// ---- registry.cpp -----------------------------------------------------------------
int win32_read_install_dir(int quick, char* buffer, size_t size);
int win32_read_owner_name(char* buffer, size_t size);
