#include "platform/globals.h"

#include <cstdlib>

uint32_t rng_state = 1;
int32_t frame_period = FRAME_PERIOD_START;
uint8_t quick_start = 0;
uint8_t* screen_snapshot = nullptr;

void rng_seed(uint32_t seed) { rng_state = seed; }

int rng_draw()
{
    rng_state = rng_state * 214013u + 2531011u;
    return (int)((rng_state >> 16) & 0x7FFF);
}

int random(int n) { return rng_draw() * n / 32768; }

// There is only ever one snapshot: asking for it while it exists gives the
// same buffer again rather than a second one that nobody would free (the
// fresh board drawn after a game lost with too few open columns still
// counts as lost, and asks again).
uint8_t* snapshot_allocate()
{
    if (!screen_snapshot)
        screen_snapshot = (uint8_t*)std::malloc(SCREEN_COPY_BYTES);
    return screen_snapshot;
}

void snapshot_free()
{
    std::free(screen_snapshot);
    screen_snapshot = nullptr;
}

void globals_reset()
{
    rng_seed(1);
    frame_period = FRAME_PERIOD_START;
    quick_start = 0;
    snapshot_free();
}
