// The game screen driven by a recording, as the playback fuzzer and its
// seed maker run it: a fresh game from the recording seed 10 on the
// headless machine, the game screen frame after frame (the in-game menu
// too, when the recording opens it), the mouse read from or written to
// "DATA52.RES".
#pragma once

#include "board/board.h"
#include "board/game_screen.h"
#include "input/input.h"
#include "platform/globals.h"
#include "platform/headless/headless.h"
#include "platform/platform.h"
#include "resources/pack_writer.h"
#include "resources/resources.h"
#include "shell/flow.h"
#include "frame/frame.h"
#include "frame/pump.h"
#include "testkit/game_helpers.h"
#include "testkit/session.h"
#include "video/display.h"

#include <cstring>
#include <string>
#include <unistd.h>

// Frames of one run: the start pause, the columns opening and the first
// wave take about 125, and a few turns follow.
constexpr int REPLAY_HARNESS_FRAMES = 400;

// Once: a directory of the run's own, the placeholder pack bound, the display.
inline bool replay_harness_set_up(std::string* dir)
{
    char name[] = "/tmp/flickermoth-replay-fuzz-XXXXXX";
    if (!mkdtemp(name))
        return false;
    *dir = std::string(name) + "/";
    headless_reset(0);
    platform_use(headless_backend());
    bind_test_resources();
    return display_create();
}

// A fresh machine and a fresh game, as start-up and the main loop prepare
// them for a recording or a playback of `path`.
inline void replay_harness_start(const std::string& path, bool recording)
{
    headless_reset(0);
    HeadlessDevices& devices = headless_devices();
    devices.sound = false;
    // The in-game menu waits for the pointer; once the recording has ended
    // nothing moves it, and the window closes after this many frames.
    devices.frame_limit = REPLAY_HARNESS_FRAMES * 2;
    autoplay_fresh_globals();
    input_create();
    display_set_palette(GamePalette);
    replay_open(path.c_str(), recording);
    start_game(10);
}

// Runs the game screen until the game is lost, the menu's quit is chosen,
// the window closes or the frames are done; `after_frame` (if any) after each.
inline void replay_harness_run(void (*after_frame)())
{
    for (int frame = 0; frame < REPLAY_HARNESS_FRAMES; frame++) {
        current_screen = "game";
        if (!frame_next() || !game_screen_frame(0))
            break;
        if (after_frame)
            after_frame();
        if (board.mode == MODE_PLAYER_TURN && board_lost())
            break;
    }
    replay_stop();
    snapshot_free();
}
