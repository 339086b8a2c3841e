// Cell animations frame by frame: what each frame draws, when `pending`
// falls, and where the rules' states lead.
#include "board_helpers.h"
#include "testkit/game_helpers.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

void open_board(int mode)
{
    start_services();
    fresh_board(10);
    sound_load_sample(SETTLE_SOUND_SLOT, 2);    // the settle sound, as the game screen has it
    for (int col = 0; col < BOARD_COLUMNS; col++)
        board.column_frame[col] = COLUMN_OPEN_FRAME;
    board.mode = mode;
}

// One frame of drawing over a fresh background.
void draw_frame()
{
    display_restore_background(GameBackground);
    board_draw();
}

int settle_plays()
{
    int plays = 0;
    for (const HeadlessSoundEvent& e : headless_sound_log())
        plays += e.kind == SOUND_LOG_PLAY && e.voice == sound_system.slot_voices[SETTLE_SOUND_SLOT];
    return plays;
}

}  // namespace

TEST(ArrivingMoth, IsInvisibleForFiveFramesAMothThenAppearsOverTwentyFrames)
{
    open_board(MODE_WAVE);
    int cell = cell_index(4, 2);
    board.cells[cell].state = CELL_WAITING;
    board.cells[cell].colour = 3;
    board.cells[cell].counter = 2 * 5;    // the second moth of its wave
    board.pending = 1;
    headless_clear_sound_log();
    // Frames 1..10 show the background, then images 0..19, then the steady one.
    for (int frame = 1; frame <= 31; frame++) {
        draw_frame();
        int image = frame <= 10 ? -1 : frame <= 30 ? frame - 11 : MOTH_STEADY_FRAME;
        int x = cell_centres[cell].x, y = cell_centres[cell].y;
        EXPECT_EQ(pixel_at(x, y), image < 0 ? background_at(x, y) : moth_colour_index(3, image)) << "frame " << frame;
        EXPECT_EQ(board.pending, frame >= 30 ? 0 : 1) << "frame " << frame;
        if (frame == 10 || frame == 30) {
            EXPECT_EQ(board.cells[cell].state, frame == 10 ? CELL_APPEARING : CELL_SETTLED);
        }
    }
    EXPECT_EQ(settle_plays(), 1);
}

TEST(CollectedMoth, StaysThenBurstsLaunchesAndFliesTwentyTwoSteps)
{
    open_board(MODE_PLAYER_TURN);
    put_rows(3, {0, 2, 5, 7}, 1);
    board_click(3, 0, CLICK_COLLECT);
    ASSERT_EQ(board.mode, MODE_COLLECTING);
    ASSERT_EQ(board.pending, 4);

    // The first moth of the group (k = 1): steady for 3 frames, the last of
    // them already showing the first burst step over it.
    int cell = cell_index(3, 0);
    int cx = cell_centres[cell].x, cy = cell_centres[cell].y;
    std::vector<int> centre;
    int landed_frame = 0, emptied_frame = 0;
    for (int frame = 1; frame <= 80 && board.pending > 0; frame++) {
        draw_frame();
        centre.push_back(pixel_at(cx, cy));
        if (!landed_frame && board.cells[cell].state == CELL_EMPTY)
            landed_frame = frame;
        if (board.pending == 0)
            emptied_frame = frame;
    }
    // Steady, steady, then the burst: flight frames 0..7, 0..6, 0 on frames 3..18.
    const int burst[18] = {-1, -1, 0, 1, 2, 3, 4, 5, 6, 7, 0, 1, 2, 3, 4, 5, 6, 0};
    for (int i = 0; i < 18; i++) {
        int wanted = burst[i] < 0 ? moth_colour_index(1, MOTH_STEADY_FRAME) : flight_colour_index(burst[i]);
        EXPECT_EQ(centre[i], wanted) << "frame " << i + 1;
    }
    // The launch shows frame 1 at the centre, and the first flight step
    // follows in the same frame; 22 steps in all.
    EXPECT_EQ(landed_frame, 3 + 15 + 1 + 21);
    // The last moth (k = 4) starts 9 frames later and lands 9 frames later.
    EXPECT_EQ(emptied_frame, 3 * 4 + 37);
    EXPECT_EQ(board.pending, 0);
}

// Each moth scores as it lands: one for the moth and k + 1 for colour k.
TEST(CollectedMoth, EachScoresOneAndOneMoreThanItsColourNumberAsItLands)
{
    const struct {
        int colour, moths, points;
    } groups[] = {{0, 4, 8}, {1, 5, 15}, {2, 4, 16}, {3, 6, 30}, {4, 8, 48}};
    for (const auto& g : groups) {
        SCOPED_TRACE(g.colour);
        open_board(MODE_PLAYER_TURN);
        for (int row = 0; row < g.moths; row++)
            put_moth(5, row, g.colour);
        board_click(5, 0, CLICK_COLLECT);
        for (int frame = 0; frame < 200 && board.pending > 0; frame++)
            draw_frame();
        EXPECT_EQ(board.pending, 0);
        EXPECT_EQ(collect_points, g.points);
    }
}

TEST(CollectedMoth, FliesInAStraightLineOfTwentyTwoPixelSteps)
{
    open_board(MODE_COLLECTING);
    int cell = cell_index(0, 0);
    Cell& c = board.cells[cell];
    c.state = CELL_LAUNCHING;
    c.colour = 1;
    board.pending = 1;
    rng_seed(10);    // random(360) = 0: straight to the right
    draw_frame();
    EXPECT_EQ(c.state, CELL_FLYING);
    EXPECT_EQ(c.step_x, 22.0f);
    EXPECT_EQ(c.step_y, 0.0f);
    EXPECT_EQ(c.steps, 21);    // 22 set up, the first step already taken
    EXPECT_EQ((int)c.pos_x, cell_centres[cell].x + 22);
    EXPECT_EQ(c.colour, 2);    // the flight frame runs on: 1 at launch, then 2
}

TEST(RestartFlight, AllLeaveOneFrameLaterAndFlyTwentySevenSteps)
{
    open_board(MODE_PLAYER_TURN);
    put_moth(1, 1, 0);
    put_moth(8, 6, 4);
    board_restart();
    ASSERT_EQ(board.pending, 2);
    draw_frame();
    EXPECT_EQ(board.cells[cell_index(1, 1)].state, CELL_DEPARTING);
    EXPECT_EQ(board.cells[cell_index(1, 1)].steps, 27);
    EXPECT_EQ(board.cells[cell_index(8, 6)].speed, 600.0f);
    int frames = 1;
    for (; board.pending > 0 && frames < 100; frames++)
        draw_frame();
    EXPECT_EQ(frames, 1 + 27);
    EXPECT_EQ(board.cells[cell_index(1, 1)].state, CELL_EMPTY);
    EXPECT_EQ(board.cells[cell_index(8, 6)].state, CELL_EMPTY);
}

TEST(SwapFade, FadesOutFifteenStepsThenInFifteenWithImageFifteenTwice)
{
    open_board(MODE_PLAYER_TURN);
    int a = cell_index(2, 4), b = cell_index(7, 1);
    put_moth(2, 4, 0);
    put_moth(7, 1, 4);
    board_swap_start(a, b);
    std::vector<int> images_at_a;
    int frame = 0;
    while (board.mode != MODE_WAVE && frame < 100) {
        // What the game screen does between frames: the exchange after the
        // fade-out, the finish after the fade-in.
        if (board.pending == 0 && board.mode == MODE_SWAP_OUT)
            board_swap_exchange();
        else if (board.pending == 0 && board.mode == MODE_SWAP_IN)
            board_swap_finish();
        if (board.mode == MODE_WAVE)
            break;
        draw_frame();
        frame++;
        int shown = centre_pixel(a);
        int colour = board.mode == MODE_SWAP_OUT ? 0 : 4;    // after the exchange a holds b's moth
        for (int image = 0; image < 30; image++)
            if (shown == swap_colour_index(colour, image))
                images_at_a.push_back(image);
        if (frame == 15) {
            EXPECT_EQ(board.pending, 0);
        }
    }
    std::vector<int> expected(30);
    for (int i = 0; i < 30; i++)
        expected[(size_t)i] = i < 15 ? i + 1 : i;    // 1..15 out, 15..29 in
    EXPECT_EQ(images_at_a, expected);
    EXPECT_EQ(board.cells[a].colour, 4);
    EXPECT_EQ(board.cells[b].colour, 0);
    EXPECT_EQ(board.cells[a].state, CELL_SETTLED);
}

TEST(Columns, OpenOverSixFramesAndCloseOverEleven)
{
    open_board(MODE_WAVE);
    board.column_state[6] = COLUMN_OPENING;
    board.column_frame[6] = 0;
    std::vector<int> frames;
    for (int i = 0; i < 8; i++) {
        frames.push_back(board.column_frame[6]);
        draw_frame();
    }
    EXPECT_EQ(frames, (std::vector<int>{0, 1, 2, 3, 4, 5, 5, 5}));
    EXPECT_EQ(board.column_state[6], COLUMN_OPEN);

    board.column_state[6] = COLUMN_CLOSING;
    int drawn = 0;
    for (; board.column_state[6] == COLUMN_CLOSING && drawn < 30; drawn++)
        draw_frame();
    EXPECT_EQ(drawn, 11);    // frames 5..15
    EXPECT_EQ(board.column_state[6], COLUMN_CLOSED);
}

TEST(SelectedMoth, ShowsTheRingFromFrameZeroAndShakesEverySecondFrame)
{
    open_board(MODE_PLAYER_TURN);
    int cell = cell_index(5, 3);
    put_moth(5, 3, 2);
    board.cells[cell].counter = 4;
    board_click(5, 3, CLICK_PICK);
    int cx = cell_centres[cell].x, cy = cell_centres[cell].y;
    std::vector<int> ring;
    std::vector<std::pair<int, int>> offsets;
    for (int i = 0; i < 9; i++) {
        // A point of the ring (16 x 16 round the centre) that the shaking
        // moth (12 x 12, moved by its offset) does not cover this frame.
        int jx = board.cells[cell].jitter_x, jy = board.cells[cell].jitter_y;
        int px = jx > 0 ? cx - 7 : cx + 6, py = jy > 0 ? cy - 7 : cy + 6;
        draw_frame();
        ring.push_back(pixel_at(px, py) - ring_colour_index(0));
        offsets.push_back({board.cells[cell].jitter_x, board.cells[cell].jitter_y});
        EXPECT_LE(std::abs(board.cells[cell].jitter_x), 2);
        EXPECT_LE(std::abs(board.cells[cell].jitter_y), 2);
    }
    EXPECT_EQ(ring, (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 0, 1}));
    // A new offset is chosen on frames 1, 3, 5, ...: each holds for two frames.
    for (int i = 0; i < 6; i += 2)
        EXPECT_EQ(offsets[i], offsets[i + 1]) << i;
}
