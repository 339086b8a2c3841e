// The program: start-up, the command line, the main loop, shutdown and the
// relaunch of the collection's shell.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// What the shell is started with at exit; the "P" becomes "1" after a playback.
extern char relaunch_command[15];
constexpr int RELAUNCH_ARGUMENT = 13;

// The recording word: recording into the input file when it is the whole
// argument text (Windows-1251 bytes).
extern const char RECORDING_WORD[];

// The data files, found in the current directory, beside the program or in
// the installed data directory.
extern std::string game_pack_path;
extern std::string input_file_path;
// Where the game pack was looked for (whole paths), when it was found in
// none of those places; the error box and stderr list them.
extern std::vector<std::string> game_pack_places;

// The launcher command, the pack and recording paths and the places looked
// in as a new process has them.
void app_reset();

// The exit code of a start that failed after its "ERROR!" box, so a script
// or a launcher can tell that the game never ran.
constexpr int EXIT_START_FAILED = 1;

// The "ERROR!" box with `text`, over the game's window when `owned`.
void app_error_box(const char* text, bool owned);

// Creates the display, input, sound and the CD-audio device in that order;
// false, after an "ERROR!" box, when one that the game needs fails.
bool app_init();
void app_shutdown();

// The whole run for an argument text (Windows-1251): "Q..." quick start,
// "5..." playback, the recording word recording, anything else a normal
// start. Returns the exit code: 0 after a game, EXIT_START_FAILED after a
// start-up failure.
int app_run(const char* argument_text);
