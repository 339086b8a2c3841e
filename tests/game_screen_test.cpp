// The game screen played through input alone, frame by frame.
#include "board_helpers.h"
#include "testkit/game_helpers.h"

#include <gtest/gtest.h>

namespace {

class GameScreen : public testing::Test {
protected:
    void SetUp() override
    {
        start_services();
        start_game();
    }

    void reach_first_turn() { ASSERT_GT(play_until_turn(), 0); }    // after the first wave

    // Puts four settled moths of `colour` in an emptied column.
    void arrange_group(int col, int colour)
    {
        for (int row = 0; row < BOARD_ROWS; row++) {
            Cell& cell = board.cells[cell_index(col, row)];
            board.moth_count -= cell.state != CELL_EMPTY;
            cell.state = CELL_EMPTY;
        }
        put_rows(col, {1, 2, 3, 4}, colour);
    }

    // Plays on while the board is in `mode`; the frames it stayed.
    int frames_in(int mode)
    {
        int frames = 0;
        while (board.mode == mode && frames < 200 && play_frame())
            frames++;
        return frames;
    }
};

}  // namespace

TEST_F(GameScreen, StartsWithTwentyFourFramesOfPauseThenThirtyOfOpeningColumns)
{
    EXPECT_EQ(play_frames(23), 23);
    EXPECT_EQ(board.mode, MODE_START_PAUSE);
    play_frames(1);
    EXPECT_EQ(board.mode, MODE_COLUMNS_OPENING);
    EXPECT_EQ(board.open_columns, 10);
    play_frames(29);
    EXPECT_EQ(board.mode, MODE_COLUMNS_OPENING);
    play_frames(1);
    EXPECT_EQ(board.mode, MODE_WAVE);
    EXPECT_EQ(board.moth_count, 10);
    EXPECT_EQ(board.pending, 10);
    // The tenth moth waits 50 frames counting the frame of the wave, appears
    // over the next 20, and the turn comes on the frame after it settles.
    EXPECT_EQ(play_until_turn(), 50 + 20);
    EXPECT_EQ(cells_in_state(CELL_SETTLED), 10);
}

TEST_F(GameScreen, ALeftClickActsOnReleaseSelectingThenSwappingAndAwayFromEveryMothDisarms)
{
    reach_first_turn();
    click_at(320, 470);    // no trail down there
    play_frames(2);
    EXPECT_EQ(click_armed, 0);
    EXPECT_EQ(board.selected, -1);
    EXPECT_EQ(board.mode, MODE_PLAYER_TURN);

    int first = find_cell(CELL_SETTLED);
    int second = find_cell(CELL_SETTLED, board.cells[first].colour, first % 10);
    ASSERT_GE(second, 0);
    uint64_t f = press_cell(first);
    play_frames(1);
    EXPECT_EQ(board.selected, -1);    // the press alone does nothing
    EXPECT_EQ(click_armed, 1);
    headless_button(f + 1, 0, false);
    play_frames(1);
    EXPECT_EQ(board.selected, first);

    script_left_click(second);
    play_frames(2);
    EXPECT_EQ(board.mode, MODE_SWAP_OUT);
    EXPECT_EQ(board.selected, -1);
    uint8_t first_colour = board.cells[first].colour, second_colour = board.cells[second].colour;
    int frames = play_until_turn();
    EXPECT_EQ(board.cells[first].colour, second_colour);
    EXPECT_EQ(board.cells[second].colour, first_colour);
    // 15 fade-out frames, 15 fade-in frames, then a wave of four.
    EXPECT_GT(frames, 30);
    EXPECT_EQ(board.moth_count, 14);
}

TEST_F(GameScreen, ARightClickCollectsThenPausesNinePlusFifteenFramesBeforeCreditingAndAWaveOfTwo)
{
    reach_first_turn();
    arrange_group(6, 2);
    headless_button(press_cell(cell_index(6, 3), 1) + 1, 1, false);
    int score_before = board.score;
    play_frames(1);
    ASSERT_EQ(board.mode, MODE_COLLECTING);
    // The column emptied with all ten open: 100 at once.
    EXPECT_EQ(board.score, score_before + 100);
    frames_in(MODE_COLLECTING);
    EXPECT_EQ(frames_in(MODE_COLLECT_PAUSE), 9);
    // The group's points wait for the end of the credit.
    play_frames(14);
    EXPECT_EQ(board.mode, MODE_COLLECT_CREDIT);
    EXPECT_EQ(board.score, score_before + 100);
    play_frames(1);
    // Four moths of colour 2 score 4 x (1 + 3).
    EXPECT_EQ(board.score, score_before + 100 + 4 * 4);
    EXPECT_EQ(board.mode, MODE_WAVE);
    EXPECT_EQ(board.pending, 2);
}

TEST_F(GameScreen, AHeldRightButtonOnAnIllegalCollectDoesNothingAndAHeldLeftBlocksIt)
{
    reach_first_turn();
    int cell = find_cell(CELL_SETTLED);
    press_cell(cell, 1);
    play_frames(5);
    EXPECT_EQ(board.mode, MODE_PLAYER_TURN);

    arrange_group(cell % 10, board.cells[cell].colour);
    press_cell(cell_index(cell % 10, 2));
    play_frames(3);
    EXPECT_EQ(board.mode, MODE_PLAYER_TURN);    // the left button is down: no collect
    headless_button(headless_frame(), 0, false);
    play_frames(1);    // once the left is up the held right button collects, and the pick is dropped
    EXPECT_EQ(board.mode, MODE_COLLECTING);
    EXPECT_EQ(board.selected, -1);
    EXPECT_EQ(click_armed, 0);
}

// A cell is hit within 16 pixels of its centre, 17 is out; where circles
// overlap the lower cell wins: cells 10 (517, 390) and 20 (542, 395) are 25
// apart and (529, 392) lies within 17 of both.
TEST(HitTest, SixteenPixelsFromACentreHitsAndTheLowerOfTwoCellsWins)
{
    const int cell_4 = cell_index(4, 0);    // (490, 207): nothing else within reach to the left
    const struct {
        int x, y, cell;
    } points[] = {{490 - 16, 207, cell_4}, {490 - 17, 207, -1}, {490, 207 - 16, cell_4}, {529, 392, 10}, {540, 395, 20}};
    for (const auto& p : points)
        EXPECT_EQ(board_hit_test(p.x, p.y), p.cell) << p.x << ", " << p.y;
}

TEST_F(GameScreen, SpeedKeysOfTheKeypadAndTheMainRowChangeThePeriodWithinFiveToEightyAndShowTheSlider)
{
    auto hold = [](uint8_t key, int frames) {
        headless_key(headless_frame(), key, true);
        play_frames(frames);
        headless_key(headless_frame(), key, false);
    };
    hold(KEY_NUMPAD_PLUS, 40);
    EXPECT_EQ(frame_period, FRAME_PERIOD_MIN);
    EXPECT_EQ(slider_x, 576);
    hold(KEY_NUMPAD_MINUS, 100);
    EXPECT_EQ(frame_period, FRAME_PERIOD_MAX);
    EXPECT_EQ(slider_x, 526);
    play_frames(1);
    EXPECT_EQ(slider_timer, 59 - 1);
    play_frames(60);
    EXPECT_EQ(slider_timer, 0);

    // Laptops have no keypad: the main row's = (+ with Shift) and - do the same.
    frame_period = 35;
    hold(KEY_EQUALS, 3);
    EXPECT_EQ(frame_period, 35 - 3);
    EXPECT_GT(slider_timer, 0);
    hold(KEY_MINUS, 5);
    EXPECT_EQ(frame_period, 35 - 3 + 5);
}

TEST_F(GameScreen, TheKeyChordStartsANewBoardKeepingTheScoreAndDropsAnArmedClick)
{
    reach_first_turn();
    board.score = 77;
    int cell = find_cell(CELL_SETTLED);
    uint64_t f = press_cell(cell);    // a press waiting for its release
    for (uint8_t key : keep_score_chord)
        headless_key(f + 1, key, true);
    for (uint8_t key : keep_score_chord)
        headless_key(f + 2, key, false);
    headless_button(f + 3, 0, false);    // released over a leaving moth
    play_frames(4);
    EXPECT_EQ(board.mode, MODE_RESTARTING);
    EXPECT_EQ(board.selected, -1);
    EXPECT_TRUE(board.cells[cell].state == CELL_DEPARTING || board.cells[cell].state == CELL_EMPTY);
    EXPECT_GT(play_until_turn(), 0);
    EXPECT_EQ(board.score, 77);
    EXPECT_EQ(board.moth_count, 10);
}

TEST_F(GameScreen, TheLosingFrameIsKeptUnpresentedWithoutThePointerAndAZeroScoreIsOneCentredDigit)
{
    reach_first_turn();
    board.open_columns = 1;    // fewer than two open columns: lost
    uint64_t before = headless_present_count();
    ASSERT_TRUE(play_frame());
    EXPECT_TRUE(board_lost());
    EXPECT_EQ(headless_present_count(), before);
    ASSERT_NE(screen_snapshot, nullptr);
    EXPECT_EQ(std::memcmp(screen_snapshot, display.back_buffer, SCREEN_COPY_BYTES), 0);
    snapshot_free();

    // A score of zero is one digit centred on its place.
    display_restore_background(GameBackground);
    board.score = 0;
    score_draw();
    const ImageRecord* zero = table_image(DigitImages, 0);
    int left = 580 - image_width(zero) / 2 + image_x_offset(zero);
    EXPECT_EQ(pixel_at(left + 3, 87 + image_y_offset(zero) + 3), placeholder_colour(80, 0));
}
