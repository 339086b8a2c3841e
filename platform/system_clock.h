// The system's millisecond clock, for real backends: milliseconds since the
// machine started, truncated to 32 bits as the game's tick count is. Never
// since the program started: the random seed is taken from it at start-up,
// and every launch would otherwise begin with nearly the same board.
#pragma once

#include <cstdint>

uint32_t system_ticks();
void system_sleep(uint32_t ms);
