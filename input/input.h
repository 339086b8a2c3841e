// Input: the keyboard, the mouse, typed characters, and the recording and
// playback of the mouse.
//
// Everything a screen needs lives in the one record `input`. Once per frame
// a screen calls input_poll_mouse, then input_poll_keys, then frame_pump, and
// afterwards reads the fields directly. Typed text does not come from the
// keyboard state but from the window's character events, which the pump
// hands to input_put_char; screens take them out of a small ring between
// input_begin_typing and input_end_typing.
//
// The mouse poll is also where a recording is written or played back: one
// record per poll, so a recording made from seed 10 replays the same game.
#pragma once

#include "platform/keys.h"
#include "platform/file.h"

#include <cstdint>

constexpr int INPUT_CHAR_RING = 32;    // holds at most 31 characters

struct InputState {
    int32_t keyboard_device;    // 1 once the platform keyboard was opened
    int32_t mouse_device;       // 1 once the platform mouse was opened

    uint8_t keys[256];          // by scan code (platform/keys.h); non-zero while down
    int32_t mouse_x;            // pointer in screen pixels, 0..639 after a poll
    int32_t mouse_y;            // 0..479 after a poll
    int32_t mouse_left;         // non-zero while down (0x80 live, 1 played back)
    int32_t mouse_right;

    int32_t char_capture;       // typed characters are kept only while set
    uint8_t char_ring[INPUT_CHAR_RING];
    int32_t char_head;          // where the next typed character goes
    int32_t char_tail;          // the oldest unread character; empty when equal to head

    int32_t replay_active;      // recording or playing back
    int32_t replay_recording;   // 1 recording, 0 playing back
    File replay_file;
};

extern InputState input;

// ---- Devices ----------------------------------------------------------------

// Opens the keyboard, then the mouse. 3 = ready; 1 = no keyboard; 2 = no
// mouse (start-up treats anything but 3 as fatal). 0 is kept for a machine
// without an input system at all, which the platform layer never reports.
// Leaves the pointer at (0, 0), every key up and typing off.
int input_create();
// Closes the devices, and a recording or playback still running.
void input_release();
// The input as a new process has it: no device, nothing held or typed, a
// recording or playback file closed without another word written to it.
// The devices belong to the machine and are not asked to close.
void input_reset();

// ---- Keyboard ---------------------------------------------------------------

void input_poll_keys();
int input_keys_all_up();     // from the last poll; does not poll
// Polls the keyboard until nothing is held, so the key that ended one screen
// is not seen by the next. Returns at once when nothing was held at the last
// poll. Pumps no window events and leaves the mouse alone.
void input_wait_keys_up();

// ---- Mouse ------------------------------------------------------------------

// The per-frame mouse poll: motion (or the absolute position a backend
// knows) moves the pointer, clamped to the screen, the buttons are taken as
// they are; then, while a recording or playback runs, its step and the F8
// stop test (against the keys of the previous keyboard poll).
void input_poll_mouse();

// ---- Typed characters -------------------------------------------------------

void input_put_char(uint32_t code);    // from the window pump only
uint8_t input_next_char();             // 0 when typing is off or nothing is waiting
uint8_t input_peek_char();             // as next, but leaves the character there
void input_begin_typing();             // capture on, everything earlier discarded
void input_end_typing();               // capture off, everything buffered discarded

// ---- Recording and playback -------------------------------------------------
//
// The file is a sequence of 32-bit little-endian words, one record per mouse
// poll: a button mark when a button was down (the left mark whenever the left
// one was, else the right mark), then the position y * 65536 + x. Positions
// never reach the marks' values, since x is at most 639.

constexpr const char* REPLAY_FILE_NAME = "DATA52.RES";
constexpr uint32_t REPLAY_LEFT_MARK = 0xFFFF;
constexpr uint32_t REPLAY_RIGHT_MARK = 0xFEFE;

// Starts recording into `name` (created or truncated) or playing it back.
// Returns whether the file could be opened; when it could not, nothing is
// recorded or played back and the mouse stays live.
bool replay_open(const char* name, bool recording);
// Ends recording or playback, as F8 does: the file is closed and from the
// next poll on the mouse is live. Nothing happens when none is running.
void replay_stop();
// One word at the end of the recording; true when all 4 bytes were written.
bool replay_write_word(uint32_t word);
// The next word of the playback; false on a short or failed read.
bool replay_read_word(uint32_t* word);
// The recording or playback step of one mouse poll, then the F8 test.
void replay_step();

// One mouse poll as a record holds it.
struct ReplayRecord {
    int32_t x, y;           // 0..639, 0..479
    int32_t left, right;    // 1 when the button was down
};
// Writes `record` with `write_word` (the recording's is replay_write_word):
// the button mark when a button is down, then the position. True when every
// word was written.
bool replay_encode_record(const ReplayRecord& record, bool (*write_word)(uint32_t));
// Reads the next record with `read_word` (the playback's is
// replay_read_word). False when the words run out inside the record or its
// position lies off the screen: nothing this game could have written.
bool replay_decode_record(bool (*read_word)(uint32_t*), ReplayRecord* record);
