// Fuzzing playback: any bytes become "DATA52.RES" and drive the game screen
// for a few hundred frames from a fresh game, the in-game menu included
// when a recorded click opens it. Marks anywhere, positions off the screen,
// files that end inside a record: the reader must never read past what it
// has, and the board must hold together after every frame.
#include "replay_harness.h"
#include "testkit/soak_checks.h"

#include <cstdio>

namespace {

std::string dir;

void check_board()
{
    bool failed_spawn;
    std::string wrong = soak_check_board(true, true, &failed_spawn);
    if (!wrong.empty()) {
        std::fprintf(stderr, "replay_fuzz: %s\n", wrong.c_str());
        __builtin_trap();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static bool ready = replay_harness_set_up(&dir);
    if (!ready)
        __builtin_trap();
    std::string path = dir + REPLAY_FILE_NAME;
    if (!save_bytes(path.c_str(), Bytes(data, data + size)))
        __builtin_trap();
    replay_harness_start(path, false);
    replay_harness_run(check_board);
    return 0;
}
