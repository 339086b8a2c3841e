// The command line on POSIX systems. Options beginning with "--" are taken
// out first; the arguments left, joined by single spaces and converted from
// UTF-8 to Windows-1251, are the argument text the game reads: "Q..." quick
// start, "5..." playback, the recording word alone recording.
#pragma once

#include "platform/settings.h"

#include <optional>
#include <string>
#include <vector>

struct Options {
    std::string argument_text;    // Windows-1251
    bool headless = false;
    bool window = false;           // --window: in a window for this run
    bool fullscreen = false;       // --fullscreen: full screen for this run (the last of the two wins)
    std::optional<PictureScale> scale;    // --scale integer|fit for this run
    bool help = false;
    bool version = false;
    long long frames = 0;          // headless: stop after this many frames (0: the default)
    std::string shots_dir;         // headless: PNGs of presented frames
    long long shot_every = 1;
    std::string trace_path;
    std::string input_file;        // the recording to play back or record ("DATA52.RES")
    bool input_file_asked = false; // --play or --record: the recording must be usable
    bool demo = false;             // the autoplayer plays (a real click or key takes over)
    std::string error;             // what was wrong with the command line, if anything
};

Options parse_options(const std::vector<std::string>& arguments);
// The remembered settings with this run's choices from the command line
// laid over them.
Settings settings_for_run(const Settings& remembered, const Options& options);
// What makes the recording that --play or --record asks for unusable (a
// file that cannot be read, a folder that is not there), or empty. Only
// the options are checked: the argument texts "5" and the recording word
// go on without a recording, as they always have.
std::string input_file_problem(const Options& options);
std::string usage_text();
