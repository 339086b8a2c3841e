// The high-score screens: insertion, climbing, name entry and the notice of
// a table held by another copy of the game.
#include "testkit/game_helpers.h"
#include "hiscore_helpers.h"

#include <gtest/gtest.h>

#include <map>

namespace {

// Presented frames by the row whose highlight they show.
std::map<int, int> highlight_counts()
{
    std::map<int, int> counts;
    for (const HeadlessFrame& frame : headless_frames()) {
        for (int row = 0; row < HISCORE_MAX; row++) {
            int colour = frame.pixels[(size_t)(row * 21 + 103) * 640 + 300];
            if (colour >= placeholder_colour(90, 0) && colour <= placeholder_colour(90, 7)) {
                counts[row]++;
                break;
            }
        }
    }
    return counts;
}

// Text in the font's colour on the screen line y (the second line of a
// notice is drawn at 260; a table of one row has nothing there).
bool text_on_line(const HeadlessFrame& frame, int y)
{
    auto line = frame.pixels.begin() + (ptrdiff_t)y * 640;
    return std::find(line, line + 640, 15) != line + 640;
}

class HighScoreScreen : public testing::Test {
protected:
    void SetUp() override { fresh_machine(); }
    // The services on a fresh machine, every frame kept, for each case of a table.
    void fresh_machine()
    {
        start_services();
        headless_reset(0);
        headless_devices().install_dir = dir.path;
        headless_keep_frames(true);
        display_restore_background(GameBackground);
    }
    ScoreDir dir;
};

}  // namespace

// A result that does not climb: the first ever flashes 64 frames on row
// zero, an equal one settles below the older (no climb past it, so no
// second flash), and a full table takes none equal to its lowest but one
// above it in its place.
TEST_F(HighScoreScreen, AResultWithoutAClimbFlashesOnceWhereItLandsOrIsNotTaken)
{
    using Rows = std::vector<std::pair<const char*, int32_t>>;
    Rows full;
    for (int i = 0; i < 15; i++)
        full.push_back({"full", 1500 - i * 100});
    Rows bumped(full.begin(), full.end() - 1);
    bumped.push_back({"Bob", 101});
    const struct {
        Rows before;
        int32_t score;
        std::map<int, int> flashes;
        Rows after;
    } cases[] = {
        {{}, 120, {{0, 64}}, {{"Bob", 120}}},
        {{{"top", 900}, {"old", 300}}, 300, {{2, 64}}, {{"top", 900}, {"old", 300}, {"Bob", 300}}},
        {full, 100, {}, full},
        {full, 101, {{14, 64}}, bumped},
    };
    for (const auto& c : cases) {
        fresh_machine();
        write_table(dir.file(), c.before);
        type_at_a_pace(200, "Bob\r");
        headless_button(300, 0, true);
        hiscore_after_game(c.score);
        EXPECT_EQ(highlight_counts(), c.flashes) << c.score;
        EXPECT_EQ(read_bytes(dir.file()), rows_bytes(c.after)) << c.score;
        EXPECT_FALSE(file_is_open(&hiscore_table.file));
        EXPECT_EQ(screen_snapshot, nullptr);
    }
}

TEST_F(HighScoreScreen, AResultClimbsOneRowEverySecondFrameToTheTopAndFlashesAgain)
{
    write_table(dir.file(), {{"a", 500}, {"b", 400}, {"c", 300}, {"d", 200}, {"e", 100}});
    type_at_a_pace(400, "New\r");
    headless_button(500, 0, true);
    hiscore_after_game(550);
    std::map<int, int> counts = highlight_counts();
    // Five rows climbed in 2 x 5 - 1 frames: one more on row 5, two on each
    // of rows 4 to 1; then the second flash on row 0.
    EXPECT_GE(counts[0], 81);
    EXPECT_LE(counts[0], 96);
    counts.erase(0);
    EXPECT_EQ(counts, (std::map<int, int>{{1, 2}, {2, 2}, {3, 2}, {4, 2}, {5, 64 + 1}}));
    EXPECT_EQ(read_bytes(dir.file()),
              rows_bytes({{"New", 550}, {"a", 500}, {"b", 400}, {"c", 300}, {"d", 200}, {"e", 100}}));
}

// A name takes 32 characters (backspace, high codes; backspace on an empty
// name does nothing); Enter on an empty one takes the player's name, or the
// pack's default when that is too long for a row.
TEST_F(HighScoreScreen, ANameTakesThirtyTwoCharactersOrThePlayersNameOrThePacksDefault)
{
    const struct {
        std::string owner, typed, name;
    } cases[] = {
        {"", "\b" + std::string(40, 'a') + "\b\b\x7F\xC6\xFF\r", std::string(30, 'a') + "\x7F\xC6"},
        {"Ann Other", "\r", "Ann Other"},
        {std::string(32, 'L'), "\r", "PLAYER"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.owner);
        fresh_machine();
        std::filesystem::remove(dir.file());
        headless_devices().owner_name = c.owner;
        type_at_a_pace(200, c.typed);
        headless_button(400, 0, true);
        hiscore_after_game(10);
        EXPECT_EQ(read_bytes(dir.file()), rows_bytes({{c.name.c_str(), 10}}));
    }
}

// Once kept, the result has its name as typed so far; a fresh load finds the table free.
TEST_F(HighScoreScreen, ClosingAtAnyStageLetsGoOfTheTableAndSavesOnlyFromTheNameEntryOn)
{
    // Five rows revealed in frames 0-4, the pause until 84, the flash until
    // 148, the climb of four rows until 155, the second flash until about
    // 240, then the name entry ("Al" typed at 280) and the wait.
    struct Stage {
        const char* name;
        uint64_t close_at;
        bool saved;
        const char* typed;
    } stages[] = {
        {"reveal", 2, false, "Al"},       {"pause", 40, false, "Al"},         {"flash", 100, false, "Al"},
        {"climb", 152, false, "Al"},      {"second flash", 200, false, "Al"}, {"name entry", 300, true, "Al"},
        {"wait", 400, true, "Al\r"},
    };
    for (const Stage& stage : stages) {
        SCOPED_TRACE(stage.name);
        fresh_machine();
        write_table(dir.file(), {{"a", 500}, {"b", 400}, {"c", 300}, {"d", 200}, {"e", 100}});
        std::vector<uint8_t> before = read_bytes(dir.file());
        type_at_a_pace(280, stage.typed);
        headless_event(stage.close_at, EVENT_CLOSE);
        hiscore_after_game(450);
        EXPECT_FALSE(file_is_open(&hiscore_table.file));
        hiscore_close();    // the next stage starts clean, whatever happened here
        EXPECT_EQ(hiscore_load(), HISCORE_LOADED) << "a fresh load finds the table free";
        hiscore_close();
        EXPECT_EQ(read_bytes(dir.file()), stage.saved ? rows_bytes({{"a", 500}, {"Al", 450}, {"b", 400}, {"c", 300},
                                                                    {"d", 200}, {"e", 100}})
                                                      : before);
    }
}

TEST_F(HighScoreScreen, AResultThatCannotBeSavedIsToldOnScreenForAMomentAndOnStderrWithWhy)
{
    // A home in which nothing can be made: the directory lies under a file.
    write_bytes(dir.path + "blocked", {});
    headless_devices().install_dir = dir.path + "blocked/";
    type_at_a_pace(200, "Bo\r");
    headless_button(500, 0, true);
    testing::internal::CaptureStderr();
    hiscore_after_game(120);
    std::string said = testing::internal::GetCapturedStderr();
    EXPECT_NE(said.find(dir.path + "blocked/HIGH50 (path not found)"), std::string::npos) << said;
    int notice_frames = 0;
    for (const HeadlessFrame& frame : headless_frames())
        notice_frames += text_on_line(frame, 262);
    EXPECT_EQ(notice_frames, 1) << "the notice is presented once, after the name entry";
    ASSERT_FALSE(headless_frames().empty());
    EXPECT_FALSE(text_on_line(headless_frames().back(), 262)) << "the table is back before the wait ends";
    EXPECT_FALSE(file_is_open(&hiscore_table.file));
}

TEST_F(HighScoreScreen, WhileAnotherCopyHoldsTheTableTheNoticeStaysUntilItLetsGo)
{
    write_table(dir.file(), {{"held", 40}});
    static File other;
    ASSERT_TRUE(file_open(&other, dir.file().c_str(), FILE_UPDATE));
    // The other copy lets go after 30 frames of the notice.
    pump_frame_hook = [] {
        if (headless_frame() == 30)
            file_close(&other);
    };
    headless_button(100, 0, true);
    snapshot_free();    // the screen owns a snapshot of its own below
    bool owned = snapshot_allocate() != nullptr;
    hiscore_view();
    if (owned)
        snapshot_free();
    pump_frame_hook = nullptr;
    ASSERT_FALSE(headless_frames().empty());
    // The first frame shows the notice: text at y 240 and 260 over the table's backdrop.
    EXPECT_TRUE(text_on_line(headless_frames().front(), 262));
    EXPECT_GE(headless_frame(), 30u);
    EXPECT_LT(headless_frame(), 1000u);    // it went on by itself once the file was free
    EXPECT_EQ(hiscore_table.count, 1);
    EXPECT_STREQ(hiscore_table.entries[0].name, "held");
    EXPECT_FALSE(file_is_open(&hiscore_table.file)) << "viewing lets go of the table";
}
