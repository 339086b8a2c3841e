// The in-game menu, driven through input on the headless machine. Every
// menu frame presents once, so presented frame n is the menu's frame n.
#include "testkit/game_helpers.h"

#include <gtest/gtest.h>

namespace {


int switch_image(const HeadlessFrame& frame)
{
    int colour = frame.pixels[(size_t)MENU_SWITCH_Y * 640 + MENU_SWITCH_X];
    for (int k = 0; k < 6; k++)
        if (colour == placeholder_colour(60, k))
            return k;
    return -1;
}

// The switch's images on the six presented frames from `from` on.
std::vector<int> switch_turn(size_t from)
{
    std::vector<int> images;
    for (size_t n = from; n < from + 6; n++)
        images.push_back(switch_image(headless_frames()[n]));
    return images;
}

// The first presented frame that shows item's highlight: the placeholder
// highlight of item k, phase p, lies at a known place in a colour of its own.
int first_highlight(int item)
{
    const auto& frames = headless_frames();
    for (size_t n = 0; n < frames.size(); n++)
        for (int p = 0; p < MENU_HIGHLIGHT_FRAMES; p++) {
            int x = 40 + (p % 16) * 18 + 5, y = 100 + 40 * item + (p / 16) * 14 + 5;
            if (frames[n].pixels[(size_t)y * 640 + x] == placeholder_colour(120 + 20 * item, p))
                return (int)n;
        }
    return -1;
}

class Menu : public testing::Test {
protected:
    void SetUp() override
    {
        start_services();
        display_restore_background(GameBackground);
        headless_keep_frames(true);
        start = headless_frame();
    }
    // Frame n of the menu (0 = the first opening frame).
    uint64_t at(int n) const { return start + (uint64_t)n; }
    void point_at(int n, int x, int y) { headless_mouse_to(at(n), x, y); }
    void click(int n)
    {
        headless_button(at(n), 0, true);
        headless_button(at(n + 1), 0, false);
    }
    uint64_t start = 0;
};

}  // namespace

// The highlight first shows on the nineteenth frame after the opening, and
// follows the pointer to another item only at the end of its cycle.
TEST_F(Menu, OpensOverTwentyFramesThenTheHighlightFollowsThePointerAtTheEndOfItsCycle)
{
    headless_clear_sound_log();
    point_at(0, 300, 90);      // "new game"
    point_at(39, 300, 380);    // to "continue" while "new game" shows phase 2
    click(60);
    EXPECT_EQ(ingame_menu(), MENU_CONTINUE);
    EXPECT_EQ(first_highlight(MENU_NEW_GAME), 20 + 18);    // selection frame 19
    EXPECT_EQ(first_highlight(MENU_CONTINUE), 39 + 18);
    // The opening pictures come one a frame, and the sample of the menu opening was heard.
    EXPECT_FALSE(headless_sound_log().empty());
    EXPECT_EQ(screen_snapshot, nullptr);    // freed on closing
    // 20 opening frames, 42 selecting up to the release, 12 closing.
    EXPECT_EQ(headless_present_count(), 20u + 42u + 12u);
}

TEST_F(Menu, TheHighlightedItemAtTheReleaseIsChosenAndEscapeChoosesContinueAtOnce)
{
    point_at(0, 220, 290);    // "quit" only
    click(45);
    EXPECT_EQ(ingame_menu(), MENU_QUIT);

    start = headless_frame();
    point_at(0, 300, 380);    // "continue"
    click(45);
    EXPECT_EQ(ingame_menu(), MENU_CONTINUE);

    start = headless_frame();
    point_at(0, 300, 90);
    headless_key(at(25), KEY_ESCAPE, true);    // long before any highlight of "new game" ends
    headless_key(at(26), KEY_ESCAPE, false);
    EXPECT_EQ(ingame_menu(), MENU_CONTINUE);

    // A release over another item chooses the highlighted one.
    start = headless_frame();
    point_at(0, 300, 90);          // "new game" highlighted from selection frame 19
    point_at(42, 300, 380);        // move to "continue" at phase 4
    click(44);
    EXPECT_EQ(ingame_menu(), MENU_NEW_GAME);

    // A release just as the pointer leaves every item closes with none.
    start = headless_frame();
    point_at(0, 300, 90);               // "new game" highlighted from frame 38
    headless_button(at(30), 0, true);
    point_at(57, 600, 10);              // outside every item as the cycle ends at 57
    headless_button(at(57), 0, false);  // released on that very frame
    EXPECT_EQ(ingame_menu(), MENU_NONE);
}

TEST_F(Menu, ThePointerWhereQuitAndSoundOverlapCountsAsQuit)
{
    EXPECT_EQ(menu_item_at(300, 236), MENU_QUIT);
    EXPECT_EQ(menu_item_at(237, 44), MENU_NEW_GAME);    // edges are inside
    EXPECT_EQ(menu_item_at(361, 147), MENU_NEW_GAME);
    EXPECT_EQ(menu_item_at(362, 147), MENU_NONE);
}

// The switch turns off through images 5 to 0 and on through 0 to 5; without
// a sound device it turns on but the sound stays off.
TEST_F(Menu, TheSoundSwitchTurnsOffThroughFiveToZeroAndOnThroughZeroToFiveButStaysOffWithoutADevice)
{
    ASSERT_EQ(sound_system.sound_enabled, 1);
    point_at(0, 350, 200);    // "sound"
    click(40);                // chosen at frame 41
    click(70);                // and again at frame 71
    headless_key(at(100), KEY_ESCAPE, true);
    headless_key(at(101), KEY_ESCAPE, false);
    ingame_menu();
    EXPECT_EQ(switch_turn(42), (std::vector<int>{5, 4, 3, 2, 1, 0}));
    EXPECT_EQ(switch_turn(72), (std::vector<int>{0, 1, 2, 3, 4, 5}));
    EXPECT_EQ(switch_image(headless_frames()[60]), MENU_SWITCH_OFF);
    EXPECT_EQ(switch_image(headless_frames()[90]), MENU_SWITCH_ON);
    EXPECT_EQ(sound_system.sound_enabled, 1);

    headless_devices().sound = false;
    sound_create();
    size_t first = headless_frames().size();
    start = headless_frame();
    click(40);
    headless_key(at(80), KEY_ESCAPE, true);
    ingame_menu();
    EXPECT_EQ(switch_turn(first + 42), (std::vector<int>{0, 1, 2, 3, 4, 5}));
    EXPECT_EQ(switch_image(headless_frames()[first + 60]), MENU_SWITCH_OFF);
    EXPECT_EQ(sound_system.sound_enabled, 0);
}

TEST_F(Menu, AClosingProgramReturnsQuitFromAnyFrame)
{
    headless_event(at(5), EVENT_CLOSE);
    EXPECT_EQ(ingame_menu(), MENU_QUIT);
    EXPECT_LE(headless_present_count(), 6u);
    snapshot_free();    // a closing program leaves the picture to the process's end
}

TEST_F(Menu, NewGameFromTheGameScreenRestartsAndResetsTheScore)
{
    start_game();
    ASSERT_GT(play_until_turn(), 0);
    board.score = 55;
    start = headless_frame();
    headless_key(at(0), KEY_ESCAPE, true);
    headless_key(at(1), KEY_ESCAPE, false);
    point_at(2, 300, 90);
    click(60);
    play_frames(1);
    EXPECT_EQ(board.mode, MODE_RESTARTING);
    EXPECT_GT(play_until_turn(), 0);
    EXPECT_EQ(board.score, 0);
}
