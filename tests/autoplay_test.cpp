// The autoplayer: what it chooses on a board, and how it plays the whole
// program through nothing but the pointer, the buttons and typed keys.
#include "autoplay/autoplay.h"
#include "board/game_screen.h"
#include "board_helpers.h"
#include "input/input.h"
#include "platform/globals.h"
#include "platform/headless/headless.h"
#include "shell/app.h"
#include "shell/flow.h"
#include "frame/pump.h"
#include "shell/trace.h"
#include "testkit/game_helpers.h"
#include "testkit/session.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

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

// Applies a chosen swap to the board, as the game would once it is done.
void exchange(const AutoplayMove& move)
{
    std::swap(board.cells[move.from], board.cells[move.to]);
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

}  // namespace

// ---- Choices ---------------------------------------------------------------------

TEST(AutoplayChoice, AGroupOfFourIsCollectedRatherThanSwapped)
{
    fresh_board();
    for (int row = 0; row < 4; row++)
        put_moth(6, row * 2, 3);
    put_moth(6, 1, 0);
    put_moth(2, 0, 1);
    put_moth(2, 1, 2);
    uint32_t dice = 5;
    AutoplayMove move;
    ASSERT_TRUE(autoplay_choose(AUTOPLAY_BEST, &dice, &move));
    EXPECT_EQ(move.kind, CLICK_COLLECT);
    EXPECT_EQ(move.from % BOARD_COLUMNS, 6);
    EXPECT_EQ(board.cells[move.from].colour, 3);
}

TEST(AutoplayChoice, TheCollectThatEmptiesItsColumnComesFirst)
{
    fresh_board();
    // Column 1: four of colour 4 among others; column 8: four of colour 0 alone.
    for (int row = 0; row < 4; row++)
        put_moth(1, row, 4);
    put_moth(1, 4, 2);
    put_moth(1, 5, 3);
    for (int row = 0; row < 4; row++)
        put_moth(8, row, 0);
    uint32_t dice = 1;
    AutoplayMove move;
    ASSERT_TRUE(autoplay_choose(AUTOPLAY_BEST, &dice, &move));
    EXPECT_EQ(move.kind, CLICK_COLLECT);
    EXPECT_EQ(move.from % BOARD_COLUMNS, 8);
}

TEST(AutoplayChoice, TheSwapThatCompletesAGroupOfFourIsMade)
{
    fresh_board();
    for (int row = 0; row < 3; row++)
        put_moth(4, row, 2);
    put_moth(4, 3, 1);
    put_moth(9, 0, 0);
    put_moth(9, 1, 2);
    put_moth(0, 0, 3);
    put_moth(0, 1, 4);
    for (uint32_t seed = 1; seed <= 20; seed++) {
        uint32_t dice = seed;
        AutoplayMove move;
        ASSERT_TRUE(autoplay_choose(AUTOPLAY_BEST, &dice, &move));
        ASSERT_EQ(move.kind, CLICK_PICK);
        ASSERT_TRUE(legal(move));
        exchange(move);
        EXPECT_EQ(column_count(4, 2), 4) << "dice " << seed;
        exchange(move);
    }
}

TEST(AutoplayChoice, NothingToDoWhenEveryMothHasTheSameColour)
{
    fresh_board();
    put_moth(0, 0, 1);
    put_moth(3, 2, 1);
    put_moth(7, 5, 1);
    uint32_t dice = 3;
    AutoplayMove move;
    EXPECT_FALSE(autoplay_choose(AUTOPLAY_BEST, &dice, &move));
    EXPECT_FALSE(autoplay_choose(AUTOPLAY_RANDOM, &dice, &move));
}

TEST(AutoplayChoice, EveryStrategyMakesOnlyLegalMovesAndNeverTouchesTheGamesGenerator)
{
    // Random boards, some with collectable groups, some with full columns.
    uint32_t dice = 99;
    auto roll = [&](int n) {
        dice ^= dice << 13;
        dice ^= dice >> 17;
        dice ^= dice << 5;
        return (int)(dice % (uint32_t)n);
    };
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
                if (strategy == AUTOPLAY_CARELESS) {
                    EXPECT_EQ(move.kind, CLICK_PICK) << "round " << round << ": the careless player collected";
                }
            }
            EXPECT_EQ(rng_state, state) << "a recording would no longer replay";
        }
    }
}

// ---- Whole runs --------------------------------------------------------------------

namespace {

struct Seen {
    std::vector<int> x, y;
    std::vector<std::string> lines;    // the board and input of every frame of play
    bool keep_lines = false;
};
Seen* seen;

void watch_frame()
{
    seen->x.push_back(input.mouse_x);
    seen->y.push_back(input.mouse_y);
    if (seen->keep_lines && std::string(current_screen) == "game") {
        std::string line = trace_line(0);
        line.erase(0, line.find("\"input\""));    // the frame number and the clock are not the game's
        seen->lines.push_back(line);
    }
}

struct Session {
    AutoplaySession s;
    Session() { EXPECT_TRUE(autoplay_session_open(&s)); }
    ~Session()
    {
        pump_frame_hook = nullptr;
        autoplay_session_close(&s);
    }
};

}  // namespace

TEST(AutoplayRun, ThePointerGlidesAFewToAFewTensOfPixelsAFrame)
{
    Session session;
    Seen watched;
    seen = &watched;
    pump_frame_hook = watch_frame;
    AutoplaySettings settings;    // the demo's own pace
    settings.games = 1;
    autoplay_run_program(session.s, "Q", settings, 21, 60000);
    ASSERT_GT(watched.x.size(), 1000u);
    double longest = 0;
    int moves = 0;
    for (size_t i = 1; i < watched.x.size(); i++) {
        double step = std::hypot(watched.x[i] - watched.x[i - 1], watched.y[i] - watched.y[i - 1]);
        longest = std::max(longest, step);
        moves += step > 0;
    }
    EXPECT_LE(longest, settings.pointer_speed + 1.0);
    EXPECT_GT(moves, 500);
}

TEST(AutoplayRun, ItsRecordedGamePlaysBackWithoutItFrameForFrame)
{
    Session session;
    Seen recorded, played;
    recorded.keep_lines = played.keep_lines = true;
    AutoplaySettings settings = autoplay_quick_settings();
    settings.games = 1;
    seen = &recorded;
    pump_frame_hook = watch_frame;
    autoplay_run_program(session.s, RECORDING_WORD, settings, 77, 200000);
    ASSERT_GT(recorded.lines.size(), 2000u);

    // Played back by the game alone: the mouse comes from the file. Play
    // stops at the same frame, when the window closes.
    seen = &played;
    autoplay_fresh_program();
    headless_reset(4242);
    headless_devices().install_dir = session.s.dir;
    headless_devices().frame_limit = recorded.x.size() + 1;
    EXPECT_EQ(app_run("5"), 0);
    ASSERT_GE(played.lines.size(), recorded.lines.size());
    for (size_t i = 0; i < recorded.lines.size(); i++)
        ASSERT_EQ(played.lines[i], recorded.lines[i]) << "frame of play " << i;
}

TEST(AutoplayRun, AClickOfThePersonAtTheMachineTakesTheDemoOver)
{
    Session session;
    AutoplaySettings settings;
    settings.yield_to_player = true;
    // The person's own click, while the autoplayer plays the first board.
    headless_reset(0);
    autoplay_fresh_program();
    platform_use(headless_backend());
    headless_devices().install_dir = session.s.dir;
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
    for (int frame = 0; frame < 2000 && board.mode != MODE_PLAYER_TURN; frame++)
        ASSERT_TRUE(play_frame());
    for (Cell& cell : board.cells)
        cell.colour = 3;
    for (int col = 0; col < BOARD_COLUMNS; col++)
        for (int row = 3; row < BOARD_ROWS; row++)
            if (board.cells[cell_index(col, row)].state == CELL_SETTLED) {
                board.cells[cell_index(col, row)].state = CELL_EMPTY;
                board.moth_count--;
            }
    AutoplaySettings settings = autoplay_quick_settings();
    autoplay_start(settings);
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
