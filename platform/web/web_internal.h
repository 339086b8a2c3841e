// The pieces of the browser backend that its files share. Game code never
// sees this.
#pragma once

#include <cstdint>

struct PlatformMouse;

// ---- The page's raw events (web_backend.cpp) ----------------------------------

enum WebRawKind {
    WEB_RAW_KEY_DOWN = 1,    // code, key; flags: WEB_FLAG_*
    WEB_RAW_KEY_UP = 2,      // code
    WEB_RAW_BUTTON_DOWN = 3, // value: 0 left, 1 right
    WEB_RAW_BUTTON_UP = 4,
    WEB_RAW_ACTIVE = 5,      // value: 1 the page is shown and has the focus, 0 not
    WEB_RAW_LAYOUT = 6,      // the page changed size or went full screen
    WEB_RAW_SCALE = 7,       // the page's scale button was pressed
};

enum {
    WEB_FLAG_REPEAT = 1,
    WEB_FLAG_SHORTCUT = 2,    // Control or Meta held (not AltGr)
};

// Takes every raw event the page has queued into the devices and the
// game's event queue (up to the queue's room).
void web_pump();

// ---- Keyboard and pointer (web_input.cpp) -----------------------------------------

void web_input_key(const char* code, bool down);
void web_input_button(int button, bool down);
void web_input_activate(bool active);
bool web_input_active();
int web_keyboard_open();
int web_mouse_open();
void web_input_close();
void web_read_keys(uint8_t keys[256]);
void web_read_mouse(PlatformMouse* mouse);

// ---- Sound (web_audio.cpp) ----------------------------------------------------------

int web_sound_open();
void web_sound_close();
int web_voice_create(uint32_t length);
void web_voice_release(int voice);
void web_voice_fill(int voice, const uint8_t* sample, uint32_t length);
int web_voice_play(int voice, int flags);
void web_voice_restore(int voice);
