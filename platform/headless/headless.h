// The headless backend: a machine with no window, no devices and no real
// time. Tests, tools and `--headless` runs use it.
//
// Time is a virtual millisecond clock that only the frame wait moves.
// Input is a script keyed by frame: frame n begins with the n-th mouse read
// (counting from 0), which is the first thing every game frame does. Mouse
// and key changes scripted for frame n take effect at that read; events
// scripted for frame n (typed characters, activation, close) can be taken
// by the window pump from then on, and those for frame 0 from the start.
// Keys read twice within one frame (the game waiting for keys to come up)
// read as released: the scripted player lets go when the game waits.
//
// Every presented frame is kept (the last one always, all of them when
// asked) and can be written as a PNG.
#pragma once

#include "platform/platform.h"

#include <cstdint>
#include <string>
#include <vector>

const PlatformBackend* headless_backend();

// Back to a fresh machine: clock at `start_tick`, no script, no logs,
// every device present, the game active from frame 0.
void headless_reset(uint32_t start_tick = 0);

// ---- Clock -------------------------------------------------------------------
void headless_set_ticks(uint32_t tick);
void headless_advance(uint32_t ms);   // time passing outside the frame wait
uint32_t headless_ticks();

// ---- Input script ------------------------------------------------------------
uint64_t headless_frame();                          // mouse reads so far
void headless_mouse_to(uint64_t frame, int x, int y);     // pointer at (x, y)
void headless_mouse_motion(uint64_t frame, int dx, int dy);
void headless_button(uint64_t frame, int button, bool down);  // 0 left, 1 right
void headless_key(uint64_t frame, int scan_code, bool down);
void headless_type(uint64_t frame, const std::string& bytes);  // one EVENT_CHAR a byte
void headless_event(uint64_t frame, int kind, uint32_t value = 0);
// Events still waiting to be taken, and input changes not yet applied.
size_t headless_script_left();

// ---- Presented frames --------------------------------------------------------
struct HeadlessFrame {
    std::vector<uint8_t> pixels;   // 640 x 480 colour indices, no padding
    std::vector<uint8_t> rgb;      // 256 x (red, green, blue), 0..255
};
uint64_t headless_present_count();
const HeadlessFrame& headless_last_frame();
void headless_keep_frames(bool keep);               // keep every frame in memory
const std::vector<HeadlessFrame>& headless_frames();
// Called after every present (for dumping frames as they come).
void headless_on_present(void (*callback)(const HeadlessFrame& frame, void* context), void* context);
bool headless_write_png(const HeadlessFrame& frame, const char* path);

// ---- Devices -----------------------------------------------------------------
struct HeadlessDevices {
    bool display = true;
    bool keyboard = true;
    bool mouse = true;
    bool sound = true;
    bool voices = true;            // voice_create succeeds
    bool cd = false;               // a CD-audio device is there
    int start_program_result = 1;
    std::string install_dir;       // empty: the system has none
    std::string owner_name;        // empty: the system knows no name
    // After this many frames the window is closed, so that a script that
    // runs out never leaves the game waiting for ever; 0: no limit.
    uint64_t frame_limit = 0;
};
HeadlessDevices& headless_devices();

// ---- What the game asked of the machine ----------------------------------------
enum HeadlessSoundKind { SOUND_LOG_CREATE, SOUND_LOG_FILL, SOUND_LOG_PLAY, SOUND_LOG_RELEASE, SOUND_LOG_RESTORE };
struct HeadlessSoundEvent {
    int kind;
    int voice;
    std::vector<uint8_t> bytes;    // FILL: what was copied; PLAY: what the voice holds
    int flags;
};
const std::vector<HeadlessSoundEvent>& headless_sound_log();
void headless_clear_sound_log();
void headless_lose_voice(int voice);               // its memory goes, as after a device loss
int headless_live_voices();

int headless_cd_stops();
bool headless_cd_is_open();
const std::vector<std::string>& headless_message_boxes();
const std::vector<std::string>& headless_started_programs();
