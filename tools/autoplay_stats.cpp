// How well the autoplayer plays: one whole headless run of the program per
// seed, quick start, one game each, for the best strategy and for a player
// that makes any legal move at random. Prints mean and median score and
// game length (turns and frames of the game screen).
//
//   flickermoth_autoplay_stats [--games N] [--first-seed S] [--pack DATA50.RES]
//                              [--strategy best|random|both] [--each]
#include "autoplay/autoplay.h"
#include "testkit/session.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

// Far more than any game takes; a run that reaches it is reported.
constexpr uint64_t FRAME_LIMIT = 20000000;

struct Results {
    std::vector<AutoplayGame> games;
};

void keep_game(const AutoplayGame& game, void* results) { ((Results*)results)->games.push_back(game); }

double mean(std::vector<double> values)
{
    double sum = 0;
    for (double v : values)
        sum += v;
    return values.empty() ? 0 : sum / (double)values.size();
}

double median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

struct Options {
    int games = 200;
    uint32_t first_seed = 1;
    std::string pack;
    bool best = true;
    bool random = true;
    bool each = false;
};

bool parse(int argc, char** argv, Options* o)
{
    for (int i = 1; i < argc; i++) {
        std::string a = argv[i];
        bool has_value = i + 1 < argc;
        if (a == "--games" && has_value)
            o->games = std::atoi(argv[++i]);
        else if (a == "--first-seed" && has_value)
            o->first_seed = (uint32_t)std::strtoul(argv[++i], nullptr, 10);
        else if (a == "--pack" && has_value)
            o->pack = argv[++i];
        else if (a == "--strategy" && has_value) {
            std::string s = argv[++i];
            o->best = s == "best" || s == "both";
            o->random = s == "random" || s == "both";
        } else if (a == "--each")
            o->each = true;
        else
            return false;
    }
    return o->games > 0 && (o->best || o->random);
}

bool play(const AutoplaySession& session, const Options& o, int strategy, Results* results)
{
    const char* label = strategy == AUTOPLAY_BEST ? "best" : "random";
    for (int g = 0; g < o.games; g++) {
        uint32_t seed = o.first_seed + (uint32_t)g;
        unlink("HIGH50");    // every game meets the same empty table
        AutoplaySettings settings = autoplay_quick_settings();
        settings.strategy = strategy;
        settings.seed = seed;
        settings.games = 1;
        settings.on_game_over = keep_game;
        settings.context = results;
        size_t before = results->games.size();
        autoplay_run_program(session, "Q", settings, seed, FRAME_LIMIT);
        if (results->games.size() != before + 1) {
            std::fprintf(stderr, "autoplay_stats: seed %u (%s) did not finish its game\n", seed, label);
            return false;
        }
        const AutoplayGame& game = results->games.back();
        if (o.each)
            std::printf("%-6s seed %5u score %7d turns %6d frames %8llu%s\n", label, seed, game.score,
                        game.swaps + game.collects, (unsigned long long)game.frames, game.restarted ? " (new board)" : "");
    }
    return true;
}

void report(const char* label, const Results& r)
{
    std::vector<double> scores, turns, frames, collects;
    for (const AutoplayGame& g : r.games) {
        scores.push_back(g.score);
        turns.push_back(g.swaps + g.collects);
        collects.push_back(g.collects);
        frames.push_back((double)g.frames);
    }
    std::printf("| %-6s | %5zu | %10.1f | %12.1f | %10.1f | %12.1f | %11.0f | %13.0f | %13.1f |\n", label, r.games.size(),
                mean(scores), median(scores), mean(turns), median(turns), mean(frames), median(frames), mean(collects));
}

}  // namespace

int main(int argc, char** argv)
{
    Options o;
    if (!parse(argc, argv, &o)) {
        std::fprintf(stderr, "usage: flickermoth_autoplay_stats [--games N] [--first-seed S] [--pack DATA50.RES] "
                             "[--strategy best|random|both] [--each]\n");
        return 2;
    }
    AutoplaySession session;
    if (!autoplay_session_open(&session, o.pack.empty() ? nullptr : o.pack.c_str())) {
        std::fprintf(stderr, "autoplay_stats: cannot prepare a directory with the packs\n");
        autoplay_session_close(&session);
        return 1;
    }
    Results best, random;
    bool ok = (!o.best || play(session, o, AUTOPLAY_BEST, &best)) && (!o.random || play(session, o, AUTOPLAY_RANDOM, &random));
    autoplay_session_close(&session);
    if (!ok)
        return 1;

    std::printf("seeds %u..%u, one game each, quick start\n\n", o.first_seed, o.first_seed + (uint32_t)o.games - 1);
    std::printf("| player | games | mean score | median score | mean turns | median turns | mean frames | median frames | mean collects |\n");
    std::printf("|--------|------:|-----------:|-------------:|-----------:|-------------:|------------:|--------------:|--------------:|\n");
    if (o.best)
        report("best", best);
    if (o.random)
        report("random", random);
    return 0;
}
