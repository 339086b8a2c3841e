// Every test starts on a fresh headless machine.
#include "platform/headless/headless.h"
#include "platform/platform.h"
#include "frame/pump.h"

#include <gtest/gtest.h>

namespace {
class FreshMachine : public testing::EmptyTestEventListener {
    void OnTestStart(const testing::TestInfo&) override
    {
        headless_reset(0);
        // A script that runs out closes the window instead of hanging the run.
        headless_devices().frame_limit = 100000;
        platform_use(headless_backend());
        pump_reset();    // a window just created: not yet active, no close asked
        // Nothing left over from a test that stopped half way: no player
        // laid over the devices, nobody watching the frames.
        platform_set_input_filter(nullptr);
        pump_frame_hook = nullptr;
    }
};
}  // namespace

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    testing::UnitTest::GetInstance()->listeners().Append(new FreshMachine);
    return RUN_ALL_TESTS();
}
