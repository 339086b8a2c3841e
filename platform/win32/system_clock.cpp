#include "platform/system_clock.h"

#include <windows.h>

// Milliseconds since Windows started; wraps after 49.7 days like the game's
// own tick count.
uint32_t system_ticks() { return (uint32_t)GetTickCount(); }

// GetTickCount moves in steps of the system timer; a sleep of `ms` lets it
// move on by at least that much.
void system_wait(uint32_t ms) { Sleep(ms); }
