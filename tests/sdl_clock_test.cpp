// The desktop frame wait: never short of the tick the frame may start on,
// and spent asleep rather than spinning. Only bounds that hold however busy
// the machine is: a wait may run long, never short, and a sleeping wait
// uses no processor time however late it wakes.
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

TEST(SdlFrameWait, TheWaitNeverEndsBeforeItsTickAndCostsAlmostNoProcessorTime)
{
    const PlatformBackend* sdl = sdl_backend();
    double before = processor_ms();
    uint32_t waited = 0;
    for (uint32_t ms : {1u, 2u, 5u, 17u, 35u, 35u, 35u, 35u, 35u, 35u, 35u, 35u}) {
        uint32_t start = sdl->ticks();
        sdl->idle(ms);
        EXPECT_GE(sdl->ticks() - start, ms) << ms;
        waited += ms;
    }
    // A spinning wait would use nearly all of the time waited.
    EXPECT_LT(processor_ms() - before, waited / 10.0);
}

}  // namespace
