// The whole program on the headless machine, from its entry point.
#include "flow_helpers.h"

#include <gtest/gtest.h>

namespace {

// The game generator's state as the first frame begins: the run's seed.
uint32_t first_frame_rng;
bool first_frame_seen;

int run_program(const char* argument_text, Player& player, uint64_t frames)
{
    first_frame_seen = false;
    pump_frame_hook = [] {
        first_frame_rng = first_frame_seen ? first_frame_rng : rng_state;
        first_frame_seen = true;
    };
    headless_devices().frame_limit = frames;
    headless_on_present(player_act, &player);
    int code = app_run(argument_text);
    headless_on_present(nullptr, nullptr);
    pump_frame_hook = nullptr;
    return code;
}

}  // namespace

// How the program starts: with the logo, or straight to the title when asked
// to or when the logo's pack is missing (quick start still loads the logo).
TEST(ProgramFlow, StartsThroughTheLogoOrStraightAtTheTitle)
{
    const struct {
        const char* arguments;
        bool logo_pack;
        int quick;
        std::vector<std::string> screens;
    } starts[] = {
        {"", true, 0, {"logo", "title", "hiscore", "transition", "game"}},
        {"Quick", true, 1, {"title"}},
        {"", false, 0, {"title"}},
    };
    for (const auto& start : starts) {
        RunDir dir;
        if (!start.logo_pack)
            unlink("brenmoor.res");
        Player player;
        player.swap_moths = false;
        EXPECT_EQ(run_program(start.arguments, player, 700), 0);
        EXPECT_EQ(quick_start, start.quick) << start.arguments;
        ASSERT_FALSE(player.screens.empty());
        EXPECT_EQ(player.screens.front(), start.screens.front()) << testing::PrintToString(player.screens);
        EXPECT_TRUE(saw_in_order(player.screens, start.screens)) << testing::PrintToString(player.screens);
        EXPECT_EQ(player.logo_pack_loaded, start.logo_pack);
    }
}

TEST(ProgramFlow, QuittingFromTheMenuClearsToColourOneAndRelaunchesTheShell)
{
    RunDir dir;
    Player player;
    player.quit_from_menu = true;
    EXPECT_EQ(run_program("Q", player, 5000), 0);
    EXPECT_LT(headless_frame(), 5000u);    // it ended by itself, not at the frame limit
    const std::vector<uint8_t>& last = headless_last_frame().pixels;
    EXPECT_EQ(std::count(last.begin(), last.end(), 1), (long)last.size()) << "the screen is cleared to colour 1";
    EXPECT_EQ(headless_started_programs(), std::vector<std::string>{"TINHOARD.EXE P"});
    EXPECT_TRUE(saw_in_order(player.screens, {"game", "menu"}));
    EXPECT_EQ(std::find(player.screens.begin(), player.screens.end(), "gameover"), player.screens.end());
}

// A lost game: the end pictures, the table, then the next board. A result
// that cannot enter the table goes straight to the wait, and the click that
// closes it lands on the menu button: it must not open the menu over the
// next board.
TEST(ProgramFlow, ALostGameShowsTheEndPicturesAndTheTableThenTheNextBoardWithoutTheMenu)
{
    for (bool table_full : {false, true}) {
        SCOPED_TRACE(table_full ? "a full table closed by a click on the menu button" : "a name typed");
        RunDir dir;
        dir.restart(0);
        Player player;
        if (table_full) {
            write_table(dir.session.dir + "HIGH50", std::vector<std::pair<const char*, int32_t>>(HISCORE_MAX, {"Champion", 1000000}));
            player.close_table_x = MENU_BUTTON_X + MENU_BUTTON_WIDTH / 2;
            player.close_table_y = MENU_BUTTON_Y + MENU_BUTTON_HEIGHT / 2;
        }
        EXPECT_EQ(run_program("Q", player, 20000), 0);
        auto lost = std::find(player.screens.begin(), player.screens.end(), "gameover");
        ASSERT_NE(lost, player.screens.end()) << testing::PrintToString(player.screens);
        std::vector<std::string> after(lost, player.screens.end());
        after.resize(std::min<size_t>(after.size(), 5));
        EXPECT_EQ(after, (std::vector<std::string>{"gameover", "transition", "hiscore", "transition", "game"}));
        auto rows = read_table(dir.session.dir + "HIGH50");
        ASSERT_FALSE(rows.empty());
        if (table_full)
            EXPECT_EQ(rows.size(), (size_t)HISCORE_MAX);
        else
            EXPECT_EQ(rows[0].first, "Tester");
    }
}

// The title waits five seconds from its first frame, counted on the clock
// the frames run on: 143 frames of 35 ms, as on a real machine, where the
// window's first activation is waiting when the game starts and takes no time.
TEST(ProgramFlow, AQuickStartsTitleWaitsItsFiveSecondsOfFrames)
{
    RunDir dir;
    static int title_frames;
    title_frames = 0;
    pump_frame_hook = [] { title_frames += std::string(current_screen) == "title"; };
    headless_devices().frame_limit = 400;
    EXPECT_EQ(app_run("Q"), 0);
    pump_frame_hook = nullptr;
    EXPECT_EQ(title_frames, TITLE_WAIT_MS / FRAME_PERIOD_START + 1);
}

TEST(ProgramFlow, ClosingTheWindowEndsTheProgramThroughTheNormalPath)
{
    RunDir dir;
    Player player;
    player.swap_moths = false;
    headless_event(300, EVENT_CLOSE);
    EXPECT_EQ(run_program("Q", player, 100000), 0);
    EXPECT_LE(headless_frame(), 302u);
    EXPECT_EQ(headless_started_programs().size(), 1u);
}

// The words that choose a mode: "5..." plays "DATA52.RES" back and the
// recording word alone records into it, both from seed 10, and the shell is
// told "1" after a playback; the recording word followed by anything is a
// normal start, seeded from the clock.
TEST(CommandLine, FiveSelectsPlaybackAndTheRecordingWordAloneRecordsBothFromSeedTen)
{
    const std::string recording = RECORDING_WORD;
    const struct {
        std::string arguments;
        uint32_t seed;
        bool recorded;
        const char* shell;
    } runs[] = {
        {"5 and more", 10, false, "TINHOARD.EXE 1"},
        {recording, 10, true, "TINHOARD.EXE P"},
        {recording + " ", 777, false, "TINHOARD.EXE P"},
    };
    for (const auto& run : runs) {
        SCOPED_TRACE(testing::PrintToString(run.arguments));
        RunDir dir;
        dir.restart(777);
        write_bytes("DATA52.RES", {});
        Player player;
        player.swap_moths = false;
        headless_event(3, EVENT_CLOSE);
        EXPECT_EQ(run_program(run.arguments.c_str(), player, 100), 0);
        ASSERT_TRUE(first_frame_seen);
        EXPECT_EQ(first_frame_rng, run.seed);
        EXPECT_EQ(!read_bytes("DATA52.RES").empty(), run.recorded);
        EXPECT_EQ(headless_started_programs(), std::vector<std::string>{run.shell});
    }
}

// Every start-up failure ends with its box and an exit code that says the
// game never ran: no display, no mouse, no game pack.
TEST(CommandLine, AMissingDisplayInputOrGamePackEndsStartUpWithItsBox)
{
    RunDir dir;
    Player player;
    for (int missing = 0; missing < 3; missing++) {
        headless_devices().display = missing != 0;
        headless_devices().mouse = missing != 1;
        if (missing == 2)
            unlink("DATA50.RES");
        EXPECT_EQ(run_program("", player, 100), EXIT_START_FAILED);
    }
    EXPECT_EQ(headless_message_boxes(),
              (std::vector<std::string>{"Can't initialise VDP", "Can't initialise INPUT", "Can't initialise resources"}));
    EXPECT_TRUE(headless_started_programs().empty());

    // Looked for in several places and found in none: the box and stderr
    // list them (the entry point of the new process fills in the places).
    dir.restart(0);
    game_pack_places = {"/nowhere/DATA50.RES", "/usr/share/flickermoth/DATA50.RES"};
    testing::internal::CaptureStderr();
    EXPECT_EQ(run_program("", player, 100), EXIT_START_FAILED);
    std::string said = testing::internal::GetCapturedStderr();
    game_pack_places.clear();
    ASSERT_EQ(headless_message_boxes().size(), 1u);
    EXPECT_EQ(headless_message_boxes()[0], "Can't initialise resources\n\nThe game's data was looked for in:\n"
                                           "/nowhere/DATA50.RES\n/usr/share/flickermoth/DATA50.RES");
    EXPECT_NE(said.find("  /nowhere/DATA50.RES\n  /usr/share/flickermoth/DATA50.RES\n"), std::string::npos) << said;
}
