// The one door to the operating system.
//
// Game code talks to the machine only through these functions. A backend
// (headless for tests and tools, SDL for the desktop, later native Windows)
// fills in a PlatformBackend table; platform_use() picks the one in force.
// Nothing outside the code that picks a backend includes a backend's header.
#pragma once

#include <cstddef>
#include <cstdint>

// ---- Events the window would send ---------------------------------------

enum PlatformEventKind {
    EVENT_NONE = 0,
    EVENT_ACTIVATE,    // value: 1 the game became the active application, 0 it lost it
    EVENT_CLOSE,       // the player asked the window to close (Alt+F4, window manager)
    EVENT_QUIT,        // the window is gone: no more events will come
    EVENT_CHAR,        // value: a typed character, Windows-1251 code 1..255
    EVENT_ENTER,       // the Enter key went down
};

struct PlatformEvent {
    int kind;
    uint32_t value;
};

// ---- Mouse as the relative device reports it -----------------------------

struct PlatformMouse {
    int32_t dx, dy;      // motion since the last read, one count per pixel
    uint8_t left;        // 0x80 while down, else 0
    uint8_t right;
    // A backend that knows where the system pointer is in the 640 x 480
    // picture reports it here (has_position 1) on reads where it moved; the
    // game's pointer then follows it one-to-one instead of adding motion.
    uint8_t has_position;
    int32_t x, y;
};

// ---- Voice results --------------------------------------------------------

enum {
    VOICE_OK = 0,
    VOICE_LOST = 1,    // the voice's memory was lost: restore, refill, play again
    VOICE_FAILED = 2,
};

// ---- The backend table ----------------------------------------------------

struct PlatformBackend {
    const char* name;

    // Milliseconds since the system started, truncated to 32 bits.
    uint32_t (*ticks)();
    // Nothing to do for up to `ms` milliseconds: real backends sleep (waking
    // early is fine), the headless backend advances its virtual clock.
    void (*idle)(uint32_t ms);

    // Window events. poll takes one if there is one (1) or returns 0;
    // wait blocks until one arrives (the game is in the background).
    int (*poll_event)(PlatformEvent* event);
    void (*wait_event)(PlatformEvent* event);

    // Picture: 640 x 480 colour indices (rows `pitch` bytes apart) and 256
    // colours of 8-bit red, green, blue.
    int (*display_open)();
    void (*display_close)();
    void (*present)(const uint8_t* pixels, int pitch, const uint8_t* rgb);

    // Input devices: 1 when the device is there. Keys are indexed by the
    // keyboard scan codes of platform/keys.h, 0x80 = down; a device that cannot
    // be read (game in the background) reports everything up and no motion.
    int (*keyboard_open)();
    int (*mouse_open)();
    void (*input_close)();
    void (*read_keys)(uint8_t keys[256]);
    void (*read_mouse)(PlatformMouse* mouse);

    // Sound voices: unsigned 8-bit mono 22050 Hz. open reports whether a
    // device exists. voice_create returns a voice number > 0, or 0.
    int (*sound_open)();
    void (*sound_close)();
    int (*voice_create)(uint32_t length);
    void (*voice_release)(int voice);
    void (*voice_fill)(int voice, const uint8_t* sample, uint32_t length);
    int (*voice_play)(int voice, int flags);    // VOICE_OK / VOICE_LOST / VOICE_FAILED
    void (*voice_restore)(int voice);

    // The CD-audio device: open reports 1 when there is one.
    int (*cd_open)();
    void (*cd_stop)();
    void (*cd_close)();

    // Everything else the system does for the game.
    void (*message_box)(const char* caption, const char* text, int owned);
    int (*start_program)(const char* command);
    // The collection's installation directory (ends with a separator), or 0.
    int (*read_install_dir)(int quick, char* buffer, size_t size);
    // The name the system knows the player by, or 0.
    int (*read_owner_name)(char* buffer, size_t size);
};

void platform_use(const PlatformBackend* backend);
// The backend in force until platform_use picks one: the headless machine
// (defined with it, so that this layer includes no backend).
const PlatformBackend* platform_default_backend();
const PlatformBackend* platform_backend();

// ---- An input source laid over the backend ------------------------------
//
// A player program (the autoplayer of the demo, the soak test and the tools)
// stands between the game and whatever backend is in force: every read of
// the mouse and the keys goes to the backend first and then to the filter,
// which may change what was read; every event poll or wait asks the filter first,
// which may hand over an event of its own (a typed character, a close).
// Any entry may be null. The same player thus drives any backend.
struct PlatformInputFilter {
    void (*mouse)(PlatformMouse* mouse, void* context);
    void (*keys)(uint8_t keys[256], void* context);
    int (*event)(PlatformEvent* event, void* context);    // 1: an event of its own
    void* context;
};
// Null takes the filter away. The filter record must outlive its use.
void platform_set_input_filter(const PlatformInputFilter* filter);
const PlatformInputFilter* platform_input_filter();

// The game's calls, one per table entry.
uint32_t platform_ticks();
void platform_idle(uint32_t ms);
int platform_poll_event(PlatformEvent* event);
void platform_wait_event(PlatformEvent* event);
int platform_display_open();
void platform_display_close();
void platform_present(const uint8_t* pixels, int pitch, const uint8_t* rgb);
int platform_keyboard_open();
int platform_mouse_open();
void platform_input_close();
void platform_read_keys(uint8_t keys[256]);
void platform_read_mouse(PlatformMouse* mouse);
int platform_sound_open();
void platform_sound_close();
int platform_voice_create(uint32_t length);
void platform_voice_release(int voice);
void platform_voice_fill(int voice, const uint8_t* sample, uint32_t length);
int platform_voice_play(int voice, int flags);
void platform_voice_restore(int voice);
int platform_cd_open();
void platform_cd_stop();
void platform_cd_close();
void platform_message_box(const char* caption, const char* text, int owned);
int platform_start_program(const char* command);
int platform_read_install_dir(int quick, char* buffer, size_t size);
int platform_read_owner_name(char* buffer, size_t size);
