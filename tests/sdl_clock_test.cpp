// The desktop's clock and frame wait. Nothing here bounds how long a step
// takes, which a busy machine could break: a wait may run long, never short,
// and a wait that sleeps gives the processor up, however late it wakes.
#include "platform/platform.h"
#include "platform/sdl/backend.h"

#include <gtest/gtest.h>

#include <ctime>
#include <sys/resource.h>

namespace {

uint32_t machine_ms()
{
    timespec up;
    clock_gettime(CLOCK_MONOTONIC, &up);
    return (uint32_t)((uint64_t)up.tv_sec * 1000u + (uint64_t)up.tv_nsec / 1000000u);
}

long times_given_up()
{
    rusage usage;
    getrusage(RUSAGE_THREAD, &usage);
    return usage.ru_nvcsw;
}

// The tick counts from the machine's start, not the program's (the random
// seed is taken from it): it lies between readings of the machine's own
// clock taken around it. A wait never ends before its tick, and sleeps.
TEST(SdlClock, TicksCountFromTheMachinesStartAndAWaitNeverEndsEarlyAndSleepsRatherThanSpins)
{
    const PlatformBackend* sdl = sdl_backend();
    long given_up = times_given_up();
    int waits = 0;
    for (uint32_t ms : {1u, 2u, 5u, 17u, 35u, 35u, 35u, 35u}) {
        uint32_t before = machine_ms(), start = sdl->ticks();
        sdl->idle(ms);
        uint32_t end = sdl->ticks(), after = machine_ms();
        EXPECT_LE(start - before, after - before) << ms;
        EXPECT_LE(end - before, after - before) << ms;
        EXPECT_GE(end - start, ms) << ms;
        waits += ms >= 2;    // a wait of one tick may be spent spinning
    }
    // A spinning wait never gives the processor up of its own accord.
    EXPECT_GE(times_given_up() - given_up, waits / 2);
}

}  // namespace
