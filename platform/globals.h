// The few globals every subsystem shares: the random generator, the frame
// period, the quick-start flag and the one full-screen snapshot buffer.
#pragma once

#include <cstdint>

// ---- Random generator -------------------------------------------------------
// One 32-bit state, 1 at program start. A draw advances it as
// state * 214013 + 2531011 (mod 2^32) and yields (state >> 16) & 0x7FFF.
// Recordings store only input, so every caller must draw in a fixed order.
extern uint32_t rng_state;

void rng_seed(uint32_t seed);
int rng_draw();             // 0..32767
int random(int n);          // rng_draw() * n / 32768, truncated: 0..n-1

// ---- Frame period ---------------------------------------------------------
// Milliseconds between frames: 35 from start-up, 5..80 under the speed keys.
constexpr int FRAME_PERIOD_START = 35;
constexpr int FRAME_PERIOD_MIN = 5;
constexpr int FRAME_PERIOD_MAX = 80;
extern int32_t frame_period;

// ---- Quick start ------------------------------------------------------------
// Set when the command line begins with "Q": no logo sequence, and the
// collection's own installation directory.
extern uint8_t quick_start;

// ---- The shared full-screen snapshot ----------------------------------------
// One ScreenCopy (640 x 480 colour indices, no padding) that a screen
// allocates, fills from the back buffer and restores every frame as its
// background. At most one exists at a time; its owner frees it.
constexpr int SCREEN_WIDTH = 640;
constexpr int SCREEN_HEIGHT = 480;
constexpr int SCREEN_COPY_BYTES = SCREEN_WIDTH * SCREEN_HEIGHT;
extern uint8_t* screen_snapshot;

// Allocate / free the snapshot buffer. Allocation gives the existing buffer
// when there is one, and null when memory cannot be had (callers decide how
// to go on without it).
uint8_t* snapshot_allocate();
void snapshot_free();

// ---- Start-up state -----------------------------------------------------------
// The generator, the frame period and the quick-start flag as a new process
// has them; the snapshot freed.
void globals_reset();
