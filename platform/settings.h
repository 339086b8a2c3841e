// The player's remembered choices: full screen or a window, the window's
// size, how the picture is scaled, the sound switch and the game's speed.
//
// Kept as a few "key = value" lines of text, which this file reads and
// writes and nothing more: where the text is kept (a file in the user's
// configuration folder, a browser page's storage) is the business of the
// program's entry, so this code runs the same everywhere.
#pragma once

#include "platform/globals.h"

#include <string>
#include <vector>

// How the 640 x 480 picture fills a larger window or screen.
enum PictureScale {
    SCALE_INTEGER = 0,    // the largest whole multiple that fits, black bars around it
    SCALE_FIT = 1,        // the largest size that fits with the picture's shape kept
};

struct Settings {
    bool fullscreen = true;
    int window_width = 0;     // the window's size when not full screen;
    int window_height = 0;    // 0 x 0: not chosen, the largest whole multiple that fits
    PictureScale scale = SCALE_INTEGER;
    bool sound = true;                        // the in-game menu's sound switch
    int frame_period = FRAME_PERIOD_START;    // milliseconds a frame, the speed keys' value

    bool operator==(const Settings&) const = default;
};

// Window sizes outside these are not taken from the text.
constexpr int SETTINGS_WINDOW_MIN_WIDTH = 320;
constexpr int SETTINGS_WINDOW_MIN_HEIGHT = 240;
constexpr int SETTINGS_WINDOW_MAX = 16384;
// A longer text is not a settings text: it is left alone as a whole.
constexpr size_t SETTINGS_TEXT_MAX = 4096;

// Reads the text over `settings`. Blank lines and lines beginning with '#'
// are skipped. A line that cannot be understood (no '=', an unknown key, a
// value out of range) leaves its value as it was, and one sentence naming
// the line and what was wrong goes into `problems`.
void settings_parse(const std::string& text, Settings* settings, std::vector<std::string>* problems);
// The text for `settings`, read back to the same values by settings_parse.
std::string settings_format(const Settings& settings);

// "integer" or "fit" (the command line's words too); false for any other.
bool settings_parse_scale(const std::string& word, PictureScale* scale);
const char* settings_scale_name(PictureScale scale);

// The choices the player changed during a run are the ones to remember:
// every value that differs between `before` and `now` is copied into `kept`,
// and the others in `kept` stay as they were (a value given on the command
// line for one run is thus not written back unless the player changes it).
// True when `kept` changed.
bool settings_take_changes(const Settings& before, const Settings& now, Settings* kept);
