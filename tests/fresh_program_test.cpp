// The fresh-program reset that tests, fuzzers and benchmarks run between
// whole runs of the program in one process.
#include "hiscore/hiscore.h"
#include "shell/trace.h"
#include "testkit/game_helpers.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

namespace {

std::vector<std::string>* traced;

// Each frame's state, as the trace shows it, of a normal start that goes on
// into the first game.
std::vector<std::string> traced_run(const AutoplaySession& session)
{
    std::vector<std::string> lines;
    traced = &lines;
    pump_frame_hook = [] { traced->push_back(trace_line(traced->size())); };
    autoplay_run_program(session, "", autoplay_quick_settings(), 31, 2500);
    pump_frame_hook = nullptr;
    return lines;
}

size_t open_files() { return (size_t)std::distance(std::filesystem::directory_iterator("/proc/self/fd"), {}); }

}  // namespace

TEST(FreshProgram, ARunCutOffHalfWayLeavesNothingToTheNext)
{
    AutoplaySession session;
    ASSERT_TRUE(autoplay_session_open(&session));
    std::vector<std::string> first = traced_run(session);
    ASSERT_GT(first.size(), 2000u);
    size_t files = open_files();

    // A quick start cut off in the middle of a game, left at another speed
    // with its table held and a recording still being written, as a run
    // stopped during a name entry leaves them.
    autoplay_run_program(session, "Q", autoplay_quick_settings(), 5, 1200);
    frame_period = FRAME_PERIOD_MAX;
    ASSERT_TRUE(hiscore_create());
    ASSERT_TRUE(replay_open("cut.rec", true));

    autoplay_fresh_program();
    EXPECT_EQ(open_files(), files);
    EXPECT_STREQ(current_screen, "logo");
    EXPECT_EQ(hiscore_load(), HISCORE_LOADED) << "the table's file is still held";
    hiscore_close();
    // The same start again runs frame for frame as the first did.
    std::vector<std::string> again = traced_run(session);
    ASSERT_EQ(again.size(), first.size());
    for (size_t i = 0; i < first.size(); i++)
        ASSERT_EQ(again[i], first[i]) << "frame " << i;
    autoplay_session_close(&session);
}
