// The desktop frame wait: never over before the tick the frame may start on,
// and spent asleep rather than spinning. Nothing here bounds how long a step
// takes, which a busy machine could break: a wait may run long, never short,
// and a wait that sleeps gives up the processor, however late it wakes.
#include "platform/platform.h"
#include "platform/sdl/backend.h"

#include <gtest/gtest.h>

#include <sys/resource.h>

namespace {

long times_given_up()
{
    rusage usage;
    getrusage(RUSAGE_THREAD, &usage);
    return usage.ru_nvcsw;
}

TEST(SdlFrameWait, TheWaitNeverEndsBeforeItsTickAndSleepsRatherThanSpins)
{
    const PlatformBackend* sdl = sdl_backend();
    long given_up = times_given_up();
    int waits = 0;
    for (uint32_t ms : {1u, 2u, 5u, 17u, 35u, 35u, 35u, 35u}) {
        uint32_t start = sdl->ticks();
        sdl->idle(ms);
        EXPECT_GE(sdl->ticks() - start, ms) << ms;
        waits += ms >= 2;    // a wait of one tick may be spent spinning
    }
    // A spinning wait never gives the processor up of its own accord.
    EXPECT_GE(times_given_up() - given_up, waits / 2);
}

}  // namespace
