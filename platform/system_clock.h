// The system's millisecond clock, for real backends: milliseconds since the
// machine started, truncated to 32 bits as the game's tick count is. Never
// since the program started: the random seed is taken from it at start-up,
// and every launch would otherwise begin with nearly the same board.
#pragma once

#include <cstdint>

uint32_t system_ticks();
// Returns at the first moment the tick count above has moved on by `ms`
// from now (never earlier), having slept for all but the last fraction of a
// millisecond of it, so that a frame starts on time without the wait being
// spent spinning.
void system_wait(uint32_t ms);
