// The soak: whole games by the autoplayer through the program's entry point,
// high-score screens and name entry included, the board checked every frame.
// FLICKERMOTH_SOAK_GAMES games (200 unless set): a fifth played well, the rest
// at random, which loses quickly. A long run:
//   FLICKERMOTH_SOAK_GAMES=10000 build/tests/flickermoth_tests --gtest_filter='Soak.*'
#include "flow_helpers.h"
#include "testkit/soak_checks.h"

#include <gtest/gtest.h>

namespace {

struct Watch {
    uint64_t frames = 0;            // frames checked
    int failures = 0;
    bool game_seen = false;
    int32_t score_floor = -1;       // the score may not fall below it within a game
    int32_t last_mode = -1;
    std::vector<AutoplayGame> games;

    void fail(const std::string& what)
    {
        if (++failures <= 20)
            ADD_FAILURE() << "frame " << frames << " (" << current_screen << ", mode " << board.mode << "): " << what;
    }
};

Watch* watch;

bool on_screen(const char* name) { return std::strcmp(current_screen, name) == 0; }

// After every frame (checked as the next one starts, before its update).
void check_frame()
{
    Watch& w = *watch;
    // The machine's copies of every sound would fill a long soak's memory.
    if (++w.frames % 100000 == 0)
        headless_clear_sound_log();
    bool playing = on_screen("game") || on_screen("menu");
    w.game_seen |= on_screen("game");

    // The opening table draws the game screen before any game is set up; its
    // pause counts down from nothing there, harmlessly, until the first game.
    bool failed_spawn;
    std::string wrong = soak_check_board(w.game_seen, playing, &failed_spawn);
    if (!wrong.empty())
        w.fail(wrong);

    // Within a game (or a new board from the menu) the score only grows.
    bool game_starts = board.mode == MODE_START_PAUSE || board.mode == MODE_RESTARTING || w.last_mode == MODE_RESTARTING;
    if (!playing || (on_screen("game") && game_starts)) {
        w.score_floor = playing ? board.score : -1;
    } else {
        if (w.score_floor >= 0 && board.score < w.score_floor)
            w.fail("score fell from " + std::to_string(w.score_floor) + " to " + std::to_string(board.score));
        w.score_floor = board.score;
    }
    w.last_mode = playing ? board.mode : -1;
}

void keep_game(const AutoplayGame& game, void* context) { ((Watch*)context)->games.push_back(game); }

int soak_games()
{
    const char* text = std::getenv("FLICKERMOTH_SOAK_GAMES");
    return text && std::atoi(text) > 0 ? std::atoi(text) : 200;
}

// One run of the program that plays `games` games with `strategy`.
void soak(const AutoplaySession& session, int strategy, int games, uint32_t seed, Watch* w)
{
    watch = w;
    AutoplaySettings settings = autoplay_quick_settings();
    settings.strategy = strategy;
    settings.seed = seed;
    settings.games = games;
    settings.name = strategy == AUTOPLAY_BEST ? "Soak Best" : "Soak Random";
    settings.on_game_over = keep_game;
    settings.context = w;
    pump_frame_hook = check_frame;
    uint64_t limit = (uint64_t)games * 400000;
    EXPECT_EQ(autoplay_run_program(session, "Q", settings, seed, limit), 0);
    pump_frame_hook = nullptr;
    EXPECT_LT(headless_frame(), limit) << "the autoplayer did not finish its games";
    EXPECT_EQ((int)w->games.size(), games);
    EXPECT_EQ(headless_started_programs().size(), 1u) << "the program did not end through its normal path";
}

}  // namespace

TEST(Soak, WholeGamesThroughTheEntryPointKeepTheBoardConsistentOnEveryFrame)
{
    int total = soak_games();
    int best_games = std::max(total / 5, 1), random_games = std::max(total - best_games, 1);

    AutoplaySession session;
    ASSERT_TRUE(autoplay_session_open(&session));
    // The random games first: they fill the table, and the good results
    // then climb over theirs.
    Watch random, best;
    soak(session, AUTOPLAY_RANDOM, random_games, 11, &random);
    soak(session, AUTOPLAY_BEST, best_games, 7, &best);
    auto table = read_table(session.dir + HISCORE_FILE_NAME);
    autoplay_session_close(&session);

    EXPECT_EQ(best.failures + random.failures, 0);

    // The good results took the top of the table with their typed name.
    for (const AutoplayGame& g : best.games)
        EXPECT_GT(g.swaps + g.collects, 0);
    ASSERT_EQ(table.size(), (size_t)std::min(best_games + random_games, HISCORE_MAX));
    for (size_t row = 0; row < table.size(); row++)
        EXPECT_EQ(table[row].first, (int)row < best_games ? "Soak Best" : "Soak Random") << "row " << row;
}
