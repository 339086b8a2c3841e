// The desktop frame wait: never short of the tick the frame may start on,
// and spent asleep rather than spinning.
#include "platform/platform.h"
#include "platform/sdl/backend.h"

#include <gtest/gtest.h>

#include <ctime>

namespace {

double processor_ms()
{
    timespec t;
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return t.tv_sec * 1000.0 + t.tv_nsec / 1e6;
}

TEST(SdlFrameWait, TheWaitEndsOnTheTickItWasAskedForAndNeverBefore)
{
    const PlatformBackend* sdl = sdl_backend();
    for (uint32_t ms : {1u, 2u, 5u, 17u, 35u}) {
        uint32_t start = sdl->ticks();
        sdl->idle(ms);
        uint32_t end = sdl->ticks();
        EXPECT_GE(end - start, ms) << ms;
        EXPECT_LT(end - start, ms + 50) << ms;    // generous: the machine may be busy
    }
}

TEST(SdlFrameWait, WaitingCostsAlmostNoProcessorTime)
{
    const PlatformBackend* sdl = sdl_backend();
    double before = processor_ms();
    for (int frame = 0; frame < 10; frame++)
        sdl->idle(35);
    double used = processor_ms() - before;
    // 350 ms of waiting; a spinning wait would use nearly all of it.
    EXPECT_LT(used, 35.0);
}

}  // namespace
