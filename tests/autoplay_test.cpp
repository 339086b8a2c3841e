// The autoplayer: what it chooses on a board, and how it plays the whole
// program through nothing but the pointer, the buttons and typed keys.
#include "board_helpers.h"
#include "flow_helpers.h"
#include "shell/trace.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

int column_count(int col, int colour)
{
    int n = 0;
    for (int row = 0; row < BOARD_ROWS; row++) {
        const Cell& c = board.cells[cell_index(col, row)];
        n += c.state == CELL_SETTLED && c.colour == colour;
    }
    return n;
}

// Whether the move is one the rules accept on this board.
bool legal(const AutoplayMove& move)
{
    const Cell& from = board.cells[move.from];
    if (from.state != CELL_SETTLED)
        return false;
    if (move.kind == CLICK_COLLECT)
        return board_group_ok(move.from % BOARD_COLUMNS, move.from / BOARD_COLUMNS);
    const Cell& to = board.cells[move.to];
    return move.kind == CLICK_PICK && to.state == CELL_SETTLED && from.colour != to.colour &&
           move.from % BOARD_COLUMNS != move.to % BOARD_COLUMNS;
}

// The pointer on every frame, and the board and input of every frame of play.
struct Seen {
    std::vector<int> x, y;
    std::vector<std::string> lines;
};
Seen* seen;

void watch_frame()
{
    seen->x.push_back(input.mouse_x);
    seen->y.push_back(input.mouse_y);
    if (std::string(current_screen) == "game") {
        std::string line = trace_line(0);
        line.erase(0, line.find("\"input\""));    // the frame number and the clock are not the game's
        seen->lines.push_back(line);
    }
}

}  // namespace

// Boards given column by column, from row 0 down: a colour digit for a
// settled moth, '.' for an empty cell. Whatever its dice, the best player
// collects a group (the one that empties its column first) rather than swap,
// else makes the swap that completes a group of four.
TEST(AutoplayChoice, TheBestMoveIsTheColumnEmptyingCollectThenAnyCollectThenTheSwapThatMakesFour)
{
    const struct {
        const char* what;
        std::vector<std::pair<int, const char*>> columns;
        int kind;          // -1: no legal move at all
        int column, colour;    // the group collected, or the one the swap completes
    } cases[] = {
        {"a group of four rather than a swap", {{6, "303.3.3"}, {2, "12"}}, CLICK_COLLECT, 6, 3},
        {"the collect that empties its column", {{1, "444423"}, {8, "0000"}}, CLICK_COLLECT, 8, 0},
        {"the swap that completes four", {{4, "2221"}, {9, "02"}, {0, "34"}}, CLICK_PICK, 4, 2},
        {"every moth of one colour", {{0, "1"}, {3, "..1"}, {7, ".....1"}}, -1, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        fresh_board();
        for (auto [col, rows] : c.columns)
            for (int row = 0; rows[row]; row++)
                if (rows[row] != '.')
                    put_moth(col, row, rows[row] - '0');
        for (uint32_t seed = 1; seed <= 20; seed++) {
            uint32_t dice = seed;
            AutoplayMove move;
            EXPECT_EQ(autoplay_choose(AUTOPLAY_RANDOM, &dice, &move), c.kind >= 0);
            ASSERT_EQ(autoplay_choose(AUTOPLAY_BEST, &dice, &move), c.kind >= 0);
            if (c.kind < 0)
                break;
            ASSERT_EQ(move.kind, c.kind);
            ASSERT_TRUE(legal(move));
            if (move.kind == CLICK_COLLECT) {
                EXPECT_EQ(move.from % BOARD_COLUMNS, c.column) << "dice " << seed;
                EXPECT_EQ(board.cells[move.from].colour, c.colour) << "dice " << seed;
            } else {
                std::swap(board.cells[move.from], board.cells[move.to]);    // the swap made
                EXPECT_EQ(column_count(c.column, c.colour), 4) << "dice " << seed;
                std::swap(board.cells[move.from], board.cells[move.to]);
            }
        }
    }
}

TEST(AutoplayChoice, EveryStrategyMakesOnlyLegalMovesAndNeverTouchesTheGamesGenerator)
{
    // Random boards, some with collectable groups, some with full columns.
    uint32_t dice = 99;
    auto roll = [&](int n) { return (int)(autoplay_dice(&dice) % (uint32_t)n); };
    for (int round = 0; round < 300; round++) {
        fresh_board(1234);
        for (int col = 0; col < BOARD_COLUMNS; col++) {
            if (roll(6) == 0) {
                board.column_state[col] = COLUMN_CLOSED;
                board.open_columns--;
                continue;
            }
            int fill = roll(9);
            for (int row = 0; row < fill; row++)
                put_moth(col, row, roll(round % 2 ? 2 : MOTH_COLOURS));
        }
        for (int strategy : {AUTOPLAY_BEST, AUTOPLAY_RANDOM, AUTOPLAY_CARELESS, AUTOPLAY_HASTY}) {
            uint32_t state = rng_state;
            AutoplayMove move;
            if (autoplay_choose(strategy, &dice, &move)) {
                EXPECT_TRUE(legal(move)) << "round " << round << " strategy " << strategy;
                // The careless player never collects.
                EXPECT_TRUE(strategy != AUTOPLAY_CARELESS || move.kind == CLICK_PICK) << "round " << round;
            }
            EXPECT_EQ(rng_state, state) << "a recording would no longer replay";
        }
    }
}

// A whole game by the autoplayer, recorded, then played back by the game
// alone (the mouse comes from the file) until the same frame, when the
// window closes. On the way the pointer glides, a few to a few tens of
// pixels a frame.
TEST(AutoplayRun, ItsRecordedGamePlaysBackWithoutItFrameForFrame)
{
    RunDir dir;
    Seen recorded, played;
    AutoplaySettings settings = autoplay_quick_settings();
    settings.games = 1;
    seen = &recorded;
    pump_frame_hook = watch_frame;
    autoplay_run_program(dir.session, RECORDING_WORD, settings, 77, 200000);
    ASSERT_GT(recorded.lines.size(), 2000u);
    double longest = 0;
    int moves = 0;
    for (size_t i = 1; i < recorded.x.size(); i++) {
        double step = std::hypot(recorded.x[i] - recorded.x[i - 1], recorded.y[i] - recorded.y[i - 1]);
        longest = std::max(longest, step);
        moves += step > 0;
    }
    EXPECT_LE(longest, settings.pointer_speed + 1.0);
    EXPECT_GT(moves, 500);

    seen = &played;
    dir.restart(4242);
    headless_devices().frame_limit = recorded.x.size() + 1;
    EXPECT_EQ(app_run("5"), 0);
    // The pointer of every frame (the title's and the tables' too) on the
    // same frame, and the board and input of every frame of play.
    ASSERT_GE(played.x.size(), recorded.x.size());
    EXPECT_TRUE(std::equal(recorded.x.begin(), recorded.x.end(), played.x.begin()) &&
                std::equal(recorded.y.begin(), recorded.y.end(), played.y.begin()));
    ASSERT_GE(played.lines.size(), recorded.lines.size());
    for (size_t i = 0; i < recorded.lines.size(); i++)
        ASSERT_EQ(played.lines[i], recorded.lines[i]) << "frame of play " << i;
}

TEST(AutoplayRun, AClickOfThePersonAtTheMachineTakesTheDemoOver)
{
    RunDir dir;
    dir.restart(0);
    AutoplaySettings settings;
    settings.yield_to_player = true;
    // The person's own click, while the autoplayer plays the first board.
    headless_devices().frame_limit = 900;
    headless_mouse_to(600, 30, 40);
    headless_button(600, 0, true);
    headless_button(601, 0, false);
    autoplay_start(settings);
    EXPECT_EQ(app_run("Q"), 0);
    EXPECT_FALSE(autoplay_running());
    EXPECT_EQ(input.mouse_x, 30);
    EXPECT_EQ(input.mouse_y, 40);
    EXPECT_EQ(platform_input_filter(), nullptr);
}

TEST(AutoplayRun, ABoardWithNoMoveLeftIsStartedAgainFromTheMenu)
{
    // Every moth of one colour and no group of four: nothing can be
    // collected or swapped, and only "new game" in the menu goes on.
    start_services();
    start_game();
    ASSERT_GT(play_until_turn(), 0);
    for (int i = 0; i < BOARD_CELLS; i++) {
        Cell& cell = board.cells[i];
        cell.colour = 3;
        if (i / BOARD_COLUMNS >= 3 && cell.state == CELL_SETTLED) {
            cell.state = CELL_EMPTY;
            board.moth_count--;
        }
    }
    autoplay_start(autoplay_quick_settings());
    bool menu_seen = false, restarted = false;
    for (int frame = 0; frame < 600 && !restarted; frame++) {
        current_screen = "game";
        ASSERT_TRUE(play_frame());
        menu_seen |= std::string(current_screen) == "menu";
        restarted = board.mode == MODE_RESTARTING;
    }
    autoplay_stop();
    EXPECT_TRUE(menu_seen);
    EXPECT_TRUE(restarted);
}
