// Records a game that is lost quickly, for the real-window tests and the
// measurements:
//
//   flickermoth_record_game <directory with DATA50.RES> <recording file> [--to-name-entry]
//
// The headless machine runs the whole program in recording mode (seed 10,
// the real packs, an empty high-score table) while the autoplayer, as a
// careless player who never collects, clicks through the title and the
// opening table and then only swaps moths at random, so the columns fill and
// close and the game is lost after a few hundred frames. The recording stops
// as the end pictures come up. Played back with `flickermoth --play <file>`
// (also with an empty table, which the opening screen shows row by row) the
// game in a real window plays the same moves and loses the same way; from
// the end pictures on, the mouse is the live one again.
//
// With --to-name-entry the player also clicks the end pictures away, and as
// the table opens for the name it takes its hands off the mouse; the
// recording goes on for another NAME_ENTRY_FRAMES of that still mouse, so a
// copy playing it back is still playing while a test looks at it and starts
// other copies, and then waits there for whoever is at the keyboard.
#include "autoplay/autoplay.h"
#include "board/board.h"
#include "input/input.h"
#include "platform/headless/headless.h"
#include "platform/platform.h"
#include "shell/app.h"
#include "shell/flow.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr uint64_t NAME_ENTRY_FRAMES = 2000;

struct Outcome {
    bool to_name_entry = false;
    bool lost = false;
    bool done = false;
    uint64_t name_entry_at = 0;    // the frame the table opened for the name; 0 before
    AutoplayGame game{};
};

void finish(Outcome& outcome)
{
    replay_stop();
    autoplay_stop();
    outcome.done = true;
    headless_event(headless_frame(), EVENT_CLOSE);
}

// After each frame: the table waiting for the name of the lost game.
void on_frame(const HeadlessFrame&, void* context)
{
    Outcome& outcome = *(Outcome*)context;
    if (!outcome.lost || outcome.done)
        return;
    if (!outcome.name_entry_at && std::string(current_screen) == "hiscore" && input.char_capture) {
        outcome.name_entry_at = headless_frame();
        autoplay_stop();
    }
    if (outcome.name_entry_at && headless_frame() >= outcome.name_entry_at + NAME_ENTRY_FRAMES)
        finish(outcome);
}

// The end pictures are up: the recording ends here, and the rest belongs to
// whoever plays it back.
void on_lost(const AutoplayGame& game, void* context)
{
    Outcome& outcome = *(Outcome*)context;
    if (outcome.lost)
        return;
    outcome.lost = true;
    outcome.game = game;
    if (!outcome.to_name_entry)
        finish(outcome);
}

}  // namespace

int main(int argc, char** argv)
{
    bool to_name_entry = argc == 4 && std::string(argv[3]) == "--to-name-entry";
    if (argc != 3 && !to_name_entry) {
        std::fprintf(stderr, "usage: flickermoth_record_game <directory with DATA50.RES> <recording file> "
                             "[--to-name-entry]\n");
        return 2;
    }
    std::string data = std::string(argv[1]) + "/";
    char table_dir[] = "/tmp/flickermoth-record-XXXXXX";
    if (!mkdtemp(table_dir)) {
        std::perror("flickermoth_record_game");
        return 1;
    }

    platform_use(headless_backend());
    headless_reset(0);
    HeadlessDevices& devices = headless_devices();
    devices.frame_limit = 100000;
    devices.install_dir = std::string(table_dir) + "/";
    game_pack_path = data + "DATA50.RES";
    logo_pack_path = data + "brenmoor.res";
    input_file_path = argv[2];

    Outcome outcome;
    outcome.to_name_entry = to_name_entry;
    headless_on_present(on_frame, &outcome);
    AutoplaySettings careless = autoplay_quick_settings();
    careless.strategy = AUTOPLAY_CARELESS;
    careless.on_game_over = on_lost;
    careless.context = &outcome;
    autoplay_start(careless);
    app_run(RECORDING_WORD);
    autoplay_stop();

    std::string high = std::string(table_dir) + "/HIGH50";
    unlink(high.c_str());
    rmdir(table_dir);
    struct stat info;
    long long bytes = stat(argv[2], &info) == 0 ? (long long)info.st_size : -1;
    if (!outcome.done) {
        std::fprintf(stderr, "flickermoth_record_game: no lost game was recorded within %llu frames\n",
                     (unsigned long long)headless_frame());
        return 1;
    }
    std::printf("recorded %s: %llu frames (%llu on the board, %d swaps, score %d), %lld bytes\n", argv[2],
                (unsigned long long)headless_frame(), (unsigned long long)outcome.game.frames, outcome.game.swaps,
                (int)outcome.game.score, bytes);
    return 0;
}
