// Whole runs of the program on the headless machine with the autoplayer at
// the mouse, for the soak test, the statistics tool and the benchmarks: a
// directory of the run's own with the packs and the high-score file, and
// the program started through its real entry point as often as wanted in
// one process.
#pragma once

#include "autoplay/autoplay.h"

#include <cstdint>
#include <string>

struct AutoplaySession {
    std::string dir;          // ends with '/'; the packs, "HIGH50", "DATA52.RES"
    std::string old_dir;      // the working directory before the session
};

// Makes a fresh directory under /tmp, changes into it and writes the packs:
// copies of `game_pack` and `logo_pack` when given (the generated art),
// else the placeholder packs. False when the directory or a pack cannot be
// had.
bool autoplay_session_open(AutoplaySession* session, const char* game_pack = nullptr, const char* logo_pack = nullptr);
// Back to the old directory; the session's directory is removed.
void autoplay_session_close(AutoplaySession* session);

// The program's globals as a new process has them, no pack bound.
void autoplay_fresh_program();
// The same but for the packs: the ones bound stay bound (for harnesses that
// bind once and run many times).
void autoplay_fresh_globals();

// One run of the program: a fresh machine whose clock starts at
// `start_tick` (which seeds the game's generator unless the argument text
// asks for a recording or a playback), the autoplayer with `settings`, then
// the real entry point with `argument_text`. The machine closes the window
// after `frame_limit` frames should the autoplayer not have closed it.
// Returns the program's exit code.
int autoplay_run_program(const AutoplaySession& session, const char* argument_text, const AutoplaySettings& settings,
                         uint32_t start_tick, uint64_t frame_limit);
