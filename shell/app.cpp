#include "shell/app.h"

#include "audio/music.h"
#include "audio/sound.h"
#include "input/input.h"
#include "platform/globals.h"
#include "platform/platform.h"
#include "resources/resources.h"
#include "shell/flow.h"
#include "frame/settings_keeper.h"
#include "video/display.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

char relaunch_command[15] = "TINHOARD.EXE P";
const char RECORDING_WORD[] = "\xC6\xC8\xD0\xC0\xD4\xD7\xC8\xCA\xC8";    // the word in Cyrillic capitals
std::string game_pack_path = "DATA50.RES";
std::vector<std::string> game_pack_places;
std::string input_file_path = REPLAY_FILE_NAME;

static const char ERROR_CAPTION[] = "ERROR!";

void app_reset()
{
    std::strcpy(relaunch_command, "TINHOARD.EXE P");
    game_pack_path = "DATA50.RES";
    game_pack_places.clear();
    input_file_path = REPLAY_FILE_NAME;
}

void app_error_box(const char* text, bool owned) { platform_message_box(ERROR_CAPTION, text, owned ? 1 : 0); }

bool app_init()
{
    if (!display_create()) {
        app_error_box("Can't initialise VDP", true);
        return false;
    }
    if (input_create() != 3) {
        app_error_box("Can't initialise INPUT", true);
        return false;
    }
    sound_create();    // never fails: without a device the game is silent
    music_open();      // a machine without a CD-audio device starts all the same
    return true;
}

void app_shutdown()
{
    display_release();
    music_close();
    input_release();
    sound_release();
}

// The resources box; when the pack was found nowhere, it and stderr list
// the places it was looked for in.
static void resources_error_box()
{
    std::string text = "Can't initialise resources";
    if (!game_pack_places.empty()) {
        text += "\n\nThe game's data was looked for in:";
        std::fprintf(stderr, "flickermoth: the game's data was looked for in:\n");
        for (const std::string& place : game_pack_places) {
            text += "\n" + place;
            std::fprintf(stderr, "  %s\n", place.c_str());
        }
    }
    app_error_box(text.c_str(), false);
}

int app_run(const char* argument_text)
{
    if (!app_init())
        return EXIT_START_FAILED;
    quick_start = argument_text[0] == 'Q';
    if (argument_text[0] == '5') {
        replay_open(input_file_path.c_str(), false);
        rng_seed(10);
        relaunch_command[RELAUNCH_ARGUMENT] = '1';
    } else {
        rng_seed(platform_ticks());
    }
    // Recording and playing back both start from seed 10: a recording holds
    // only the input, and the same draws must come up again.
    if (std::strcmp(argument_text, RECORDING_WORD) == 0) {
        rng_seed(10);
        replay_open(input_file_path.c_str(), true);
    }
    if (!bind_resources(game_pack_path.c_str())) {
        resources_error_box();
        return EXIT_START_FAILED;
    }
    // The player's own speed, but never in playback or recording: the title
    // waits a fixed time, so the speed decides how many frames it takes.
    bool replaying = argument_text[0] == '5' || std::strcmp(argument_text, RECORDING_WORD) == 0;
    frame_period = settings_start_frame_period(replaying);
    main_loop();
    settings_flush();
    release_resources();
    app_shutdown();
    platform_start_program(relaunch_command);
    return 0;
}
