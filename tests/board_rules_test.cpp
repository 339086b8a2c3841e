// The rules of the board, driven by calling the operations directly (the
// animations that move cells on are tested frame by frame on their own).
#include "board_helpers.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

uint32_t seed_giving(int n, int wanted)    // whose first random(n) is `wanted`
{
    for (uint32_t seed = 1;; seed++) {
        rng_seed(seed);
        if (random(n) == wanted)
            return seed;
    }
}

}  // namespace

TEST(Collect, GroupsOfThreeOrOfMothsStillArrivingAreNotCollectedAndKeepTheSelection)
{
    fresh_board();
    put_rows(4, {0, 3, 7}, 2);
    put_moth(4, 5, 1);
    board_click(4, 5, CLICK_PICK);
    board_click(4, 3, CLICK_COLLECT);
    EXPECT_EQ(cells_in_state(CELL_SETTLED), 4);
    EXPECT_EQ(board.mode, MODE_PLAYER_TURN);
    EXPECT_EQ(board.moth_count, 4);
    EXPECT_EQ(board.selected, cell_index(4, 5));
    EXPECT_TRUE(samples_heard().empty());

    put_moth(4, 1, 2);
    board.cells[cell_index(4, 1)].state = CELL_APPEARING;
    EXPECT_FALSE(board_group_ok(4, 0));
    board.cells[cell_index(4, 1)].state = CELL_SETTLED;
    EXPECT_TRUE(board_group_ok(4, 0));
}

TEST(Collect, FourMothsInAnyRowsAllLeaveTopRowFirst)
{
    fresh_board();
    put_rows(6, {1, 4, 6, 7}, 3);
    put_moth(6, 2, 0);
    put_moth(2, 0, 3);    // same colour, other column: stays
    board_click(6, 6, CLICK_COLLECT);

    EXPECT_EQ(board.mode, MODE_COLLECTING);
    EXPECT_EQ(board.group_colour, 3);
    EXPECT_EQ(board.pending, 4);
    EXPECT_EQ(board.moth_count, 2);    // falls by 4 at once
    EXPECT_EQ(collect_points, 0);
    const int rows[] = {1, 4, 6, 7};
    for (int k = 0; k < 4; k++) {
        const Cell& cell = board.cells[cell_index(6, rows[k])];
        EXPECT_EQ(cell.state, CELL_MARKED);
        EXPECT_EQ(cell.counter, 3 * (k + 1)) << "row " << rows[k];
    }
    EXPECT_EQ(board.cells[cell_index(6, 2)].state, CELL_SETTLED);
    EXPECT_EQ(board.cells[cell_index(2, 0)].state, CELL_SETTLED);
    EXPECT_EQ(samples_heard(), std::vector<int>{SAMPLE_COLLECT});
}

// A collect that leaves its column without a settled moth draws a column
// and searches on from it (wrapping) for a closed one to reopen; with all
// ten open it scores 100 at once instead.
TEST(Collect, EmptyingAColumnReopensAClosedOneOrScoresOneHundred)
{
    const struct {
        const char* what;
        int start, closed;    // the column drawn; the closed one, or -1
        bool left_holding;    // a moth of another colour stays in the column
        int closed_after;
        int32_t score;
    } cases[] = {
        {"all ten open", 0, -1, false, 0, 100},
        {"from column 8 round to column 1", 8, 1, false, COLUMN_OPENING, 0},
        {"a moth stays in the column", 0, 7, true, COLUMN_CLOSED, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        fresh_board(seed_giving(BOARD_COLUMNS, c.start));
        if (c.closed >= 0) {
            board.column_state[c.closed] = COLUMN_CLOSED;
            board.column_frame[c.closed] = 9;
            board.open_columns = 9;
        }
        put_rows(3, {0, 1, 2, 3}, 0);
        if (c.left_holding)
            put_moth(3, 7, 1);
        uint32_t before = rng_state;
        board_click(3, 0, CLICK_COLLECT);
        EXPECT_EQ(rng_state != before, !c.left_holding);
        EXPECT_EQ(board.score, c.score);
        EXPECT_EQ(board.open_columns, c.left_holding ? 9 : 10);
        if (c.closed >= 0) {
            EXPECT_EQ(board.column_state[c.closed], c.closed_after);
            EXPECT_EQ(board.column_frame[c.closed], c.left_holding ? 9 : 0);
        }
    }
}

TEST(Pick, SelectDeselectAndTheMovesThatKeepTheSelection)
{
    fresh_board();
    put_moth(0, 0, 0);
    put_moth(1, 0, 0);    // same colour as the first
    put_moth(0, 5, 1);    // same column as the first
    board_click(2, 2, CLICK_PICK);    // empty cell
    EXPECT_EQ(board.selected, -1);

    board.cells[0].counter = 5;
    board_click(0, 0, CLICK_PICK);
    EXPECT_EQ(board.selected, 0);
    EXPECT_EQ(board.cells[0].counter, 0);      // the ring starts at frame 0
    EXPECT_EQ(board.cells[0].jitter_wait, 1);
    for (auto [col, row] : {std::pair{1, 0}, {0, 5}, {5, 5}}) {
        board_click(col, row, CLICK_PICK);
        EXPECT_EQ(board.selected, 0) << col << "," << row;
    }
    board_click(0, 0, CLICK_PICK);
    EXPECT_EQ(board.selected, -1);
    EXPECT_EQ(board.mode, MODE_PLAYER_TURN);
    EXPECT_TRUE(samples_heard().empty());
}

TEST(Swap, TwoMothsExchangeCompleteRecordsAndFullColumnsCloseOnlyAtTheEndOfTheNextSwap)
{
    fresh_board();
    put_moth(2, 3, 0);
    put_moth(7, 1, 4);
    Cell &a = board.cells[cell_index(2, 3)], &b = board.cells[cell_index(7, 1)];
    a.steps = 15, a.pos_x = 11.5f, a.jitter_x = 2;    // fields the swap must carry along
    b.steps = 14, b.pos_y = -3.25f;
    board_click(2, 3, CLICK_PICK);
    board_click(7, 1, CLICK_PICK);
    EXPECT_EQ(board.mode, MODE_SWAP_OUT);
    EXPECT_EQ(board.pending, 2);
    EXPECT_EQ(board.swap_from, cell_index(2, 3));
    EXPECT_EQ(board.swap_to, cell_index(7, 1));
    EXPECT_EQ(a.state, CELL_SWAP_START);
    EXPECT_EQ(b.state, CELL_SWAP_START);
    EXPECT_EQ(board.selected, -1);
    EXPECT_EQ(samples_heard(), std::vector<int>{SAMPLE_SWAP});

    Cell old_a = a, old_b = b;
    board_swap_exchange();
    EXPECT_EQ(std::memcmp(&a, &old_b, sizeof(Cell)), 0);
    EXPECT_EQ(std::memcmp(&b, &old_a, sizeof(Cell)), 0);
    EXPECT_EQ(board.mode, MODE_SWAP_IN);
    EXPECT_EQ(board.pending, 2);

    // Full columns close together, with one sound, only at the end of the
    // next swap; the moths in them are lost.
    fresh_board();
    for (int row = 0; row < 8; row++) {
        put_moth(4, row, row % 5);    // full, colours do not matter
        put_moth(6, row, 2);
    }
    put_moth(0, 0, 0);
    put_moth(1, 0, 1);
    EXPECT_EQ(board.column_state[4], COLUMN_OPEN);    // filling does not close it

    board_click(0, 0, CLICK_PICK);
    board_click(1, 0, CLICK_PICK);
    board_swap_exchange();
    EXPECT_EQ(board.column_state[4], COLUMN_OPEN);
    headless_clear_sound_log();
    board_swap_finish();

    for (int col : {4, 6}) {
        EXPECT_EQ(board.column_state[col], COLUMN_CLOSING);
        for (int row = 0; row < 8; row++)
            EXPECT_NE(board.cells[cell_index(col, row)].state, CELL_SETTLED);
    }
    EXPECT_EQ(board.open_columns, 8);
    EXPECT_EQ(board.cells[0].state, CELL_SETTLED);
    EXPECT_EQ(board.cells[0].colour, 1);    // the swapped moths stay, exchanged
    EXPECT_EQ(board.cells[1].colour, 0);
    EXPECT_EQ(board.score, 0);
    EXPECT_EQ(board.mode, MODE_WAVE);
    EXPECT_EQ(board.moth_count, 6);    // 18, less 16 lost with the columns, and 4 arriving
    std::vector<int> heard = samples_heard();
    EXPECT_EQ(std::count(heard.begin(), heard.end(), SAMPLE_COLUMN_CLOSES), 1);
    headless_clear_sound_log();
    board_close_full_columns();    // nothing full now: silent
    EXPECT_TRUE(samples_heard().empty());
}

TEST(Spawn, AWaveArrivesFiveFramesApartInOpenColumnsOnlyThePositionDrawnFirstAndTheScanWrapping)
{
    fresh_board(77);
    for (int col = 0; col < 10; col += 2)
        board.column_state[col] = COLUMN_CLOSED;
    board.open_columns = 5;
    board_spawn_wave(10);
    EXPECT_EQ(board.mode, MODE_WAVE);
    EXPECT_EQ(board.pending, 10);
    EXPECT_EQ(board.moth_count, 10);
    std::vector<int> counters;
    for (int i = 0; i < BOARD_CELLS; i++) {
        if (board.cells[i].state == CELL_WAITING) {
            EXPECT_EQ(i % 2, 1) << "cell " << i << " lies in a closed column";
            EXPECT_LT(board.cells[i].colour, 5);
            counters.push_back(board.cells[i].counter);
        }
    }
    std::sort(counters.begin(), counters.end());
    EXPECT_EQ(counters, (std::vector<int>{5, 10, 15, 20, 25, 30, 35, 40, 45, 50}));

    // The position is drawn before the colour, and the scan wraps.
    fresh_board(2024);
    int cell = random(BOARD_CELLS);
    int colour = random(MOTH_COLOURS);
    rng_seed(2024);
    board_spawn_one();
    EXPECT_EQ(board.cells[cell].state, CELL_WAITING);
    EXPECT_EQ(board.cells[cell].colour, colour);

    // Cells 75..79 are taken: the scan from 75 wraps round to cell 0.
    fresh_board(seed_giving(BOARD_CELLS, 75));
    for (int i = 75; i < 80; i++)
        put_moth(i % 10, i / 10, 0);
    board_spawn_one();
    EXPECT_EQ(board.cells[0].state, CELL_WAITING);
}

TEST(Spawn, OnAFullBoardTheCountRisesAboveCapacityAndNothingIsPlaced)
{
    fresh_board();
    board.column_state[9] = COLUMN_CLOSED;
    board.open_columns = 9;
    for (int col = 0; col < 9; col++)
        for (int row = 0; row < 8; row++)
            put_moth(col, row, (col + row) % 5);
    uint32_t before = rng_state;
    board_spawn_wave(4);
    EXPECT_EQ(board.moth_count, 76);
    EXPECT_EQ(board.pending, 0);
    EXPECT_EQ(cells_in_state(CELL_WAITING), 0);
    EXPECT_EQ(rng_state, before);    // no draws for an attempt with no room

    // The counts say there is room, but every column is still opening.
    fresh_board();
    for (int col = 0; col < 10; col++)
        board.column_state[col] = COLUMN_OPENING;
    board_spawn_one();
    EXPECT_EQ(cells_in_state(CELL_EMPTY), BOARD_CELLS) << "the scan gives up instead of looping for ever";
    EXPECT_EQ(board.moth_count, 1);
}

TEST(Restart, SettledMothsLeaveTogetherAndClosedColumnsReopen)
{
    fresh_board();
    put_moth(0, 0, 0);
    put_moth(3, 2, 1);
    put_moth(5, 5, 2);
    board.cells[cell_index(5, 5)].state = CELL_APPEARING;    // not settled: stays
    board.column_state[2] = COLUMN_CLOSED, board.column_frame[2] = 7;
    board.column_state[8] = COLUMN_CLOSING, board.column_frame[8] = 9;
    board.open_columns = 8;
    board_click(0, 0, CLICK_PICK);
    board_restart();

    EXPECT_EQ(board.mode, MODE_RESTARTING);
    EXPECT_EQ(board.pending, 2);
    EXPECT_EQ(board.cells[0].state, CELL_LEAVING);
    EXPECT_EQ(board.cells[0].counter, 1);
    EXPECT_EQ(board.cells[cell_index(3, 2)].state, CELL_LEAVING);
    EXPECT_EQ(board.cells[cell_index(5, 5)].state, CELL_APPEARING);
    EXPECT_EQ(board.column_state[2], COLUMN_OPENING);
    EXPECT_EQ(board.column_frame[2], 0);
    EXPECT_EQ(board.column_state[8], COLUMN_CLOSING);
    EXPECT_EQ(board.column_frame[8], 9);
    EXPECT_EQ(board.open_columns, 10);
    EXPECT_EQ(board.selected, -1);
    EXPECT_EQ(board.moth_count, 3);    // cleared later, by the new game
    EXPECT_EQ(samples_heard(), std::vector<int>{SAMPLE_RESTART});
}

TEST(NewGame, ResetsTheScoreUnlessTheChordAskedToKeepItAndClosesEveryColumn)
{
    fresh_board();
    put_moth(1, 1, 1);
    board.score = 250;
    click_armed = 1;
    board_new_game();
    EXPECT_EQ(board.score, 0);
    EXPECT_EQ(click_armed, 0);
    EXPECT_EQ(board.moth_count, 0);
    EXPECT_EQ(cells_in_state(CELL_EMPTY), BOARD_CELLS);

    board.score = 250;
    keep_score = 1;
    board_new_game();
    EXPECT_EQ(board.score, 250);
    EXPECT_EQ(keep_score, 0);
    board_new_game();
    EXPECT_EQ(board.score, 0);

    board.column_frame[3] = 5;
    board_reset_columns();
    for (int col = 0; col < 10; col++) {
        EXPECT_EQ(board.column_state[col], COLUMN_CLOSED);
        EXPECT_EQ(board.column_frame[col], 0);
    }
}

TEST(GameOver, MoreThanEightyMothsOrOneOpenColumnOnThePlayersTurn)
{
    const struct {
        int moths, open_columns, mode;
        bool lost;
    } cases[] = {
        {81, 10, MODE_PLAYER_TURN, true}, {81, 10, MODE_WAVE, false}, {80, 10, MODE_PLAYER_TURN, false},
        {0, 2, MODE_PLAYER_TURN, false},  {0, 1, MODE_PLAYER_TURN, true},
    };
    for (const auto& c : cases) {
        fresh_board();
        board.moth_count = c.moths;
        board.open_columns = c.open_columns;
        board.mode = c.mode;
        EXPECT_EQ(board_lost(), c.lost) << c.moths << " moths, " << c.open_columns << " open, mode " << c.mode;
    }
}
