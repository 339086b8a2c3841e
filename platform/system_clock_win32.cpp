#include "platform/system_clock.h"

#include <windows.h>

// Milliseconds since Windows started; wraps after 49.7 days like the game's
// own tick count.
uint32_t system_ticks() { return (uint32_t)GetTickCount(); }

void system_sleep(uint32_t ms) { Sleep(ms); }
