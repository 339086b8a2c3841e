// The program's entry point on POSIX systems: the command line, the choice
// of backend, then the game.
#include "autoplay/autoplay.h"
#include "platform/globals.h"
#include "platform/headless/headless.h"
#include "platform/platform.h"
#include "platform/posix/posix.h"
#include "platform/sdl/backend.h"
#include "platform/system_clock.h"
#include "shell/app.h"
#include "shell/flow.h"
#include "shell/options.h"
#include "frame/settings_keeper.h"
#include "shell/trace.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#ifndef FLICKERMOTH_DATA_DIR
#define FLICKERMOTH_DATA_DIR "/usr/local/share/flickermoth"
#endif

// Headless runs without --frames stop after this many frames, so a run with
// nobody to click never goes on for ever.
static const long long HEADLESS_DEFAULT_FRAMES = 200000;

// A data file: the current directory first, then beside the program, then
// the data directory of an installation (wherever it was moved to), then
// the one the program was built for. When it is in none of them, `tried`
// gets their whole paths.
static std::string find_data_file(const char* name, std::vector<std::string>* tried = nullptr)
{
    std::string program_dir = posix_program_dir();
    char here[4096];
    std::string current_dir = getcwd(here, sizeof here) ? std::string(here) + "/" : "./";
    std::vector<std::string> places = {current_dir, program_dir, program_dir + "../share/flickermoth/",
                                       std::string(FLICKERMOTH_DATA_DIR) + "/"};
    for (const std::string& dir : places) {
        std::string path = dir + name;
        if (posix_is_file(path))
            return dir == current_dir ? name : path;
    }
    if (tried)
        for (const std::string& dir : places)
            if (!dir.empty() && std::find(tried->begin(), tried->end(), dir + name) == tried->end())
                tried->push_back(dir + name);
    return name;
}

struct ShotWriter {
    std::string dir;
    long long every;
    long long presented;
    bool failed;    // a picture could not be written: the rest are not tried
};

static void write_shot(const HeadlessFrame& frame, void* context)
{
    ShotWriter* shots = (ShotWriter*)context;
    if (shots->failed || shots->presented++ % shots->every != 0)
        return;
    char name[64];
    std::snprintf(name, sizeof name, "/frame-%06lld.png", shots->presented - 1);
    std::string path = shots->dir + name;
    if (!headless_write_png(frame, path.c_str())) {
        std::fprintf(stderr, "flickermoth: cannot write %s; no more pictures are written\n", path.c_str());
        shots->failed = true;
    }
}

static bool open_trace(const Options& options)
{
    if (options.trace_path.empty() || trace_open(options.trace_path.c_str()))
        return true;
    std::fprintf(stderr, "flickermoth: cannot write the trace %s\n", options.trace_path.c_str());
    return false;
}

// ---- The player's settings, in the user's configuration folder ---------------

static std::string settings_path()
{
    std::string dir = posix_config_dir();
    return dir.empty() ? "" : dir + "settings";
}

// The remembered settings; a file that cannot be read, or lines of it that
// make no sense, are passed over with a warning: the game always starts.
static Settings read_settings(const std::string& path)
{
    Settings settings;
    std::string text, error;
    int found = posix_read_text(path, SETTINGS_TEXT_MAX, &text, &error);
    if (found < 0)
        std::fprintf(stderr, "flickermoth: cannot read the settings in %s (%s); using the defaults\n", path.c_str(),
                     error.c_str());
    if (found <= 0)
        return settings;
    std::vector<std::string> problems;
    settings_parse(text, &settings, &problems);
    for (const std::string& problem : problems)
        std::fprintf(stderr, "flickermoth: ignoring a setting in %s: %s\n", path.c_str(), problem.c_str());
    return settings;
}

static bool save_settings(const std::string& text)
{
    static bool warned = false;
    std::string path = settings_path(), error;
    if (!path.empty() && posix_write_atomically(path, text, &error))
        return true;
    if (!warned)
        std::fprintf(stderr, "flickermoth: cannot keep the settings in %s (%s)\n", path.c_str(), error.c_str());
    warned = true;
    return false;
}

// The icon the generator drew: beside the program in the build, else in
// the desktop's icon theme of the installation.
static std::string find_icon()
{
    std::string program_dir = posix_program_dir();
    const char* themed = "icons/hicolor/256x256/apps/flickermoth.png";
    for (const std::string& path : {program_dir + "icons/flickermoth-256.png", program_dir + "../share/" + themed,
                                    std::string(FLICKERMOTH_DATA_DIR) + "/../" + themed,
                                    std::string("/usr/share/") + themed})
        if (posix_is_file(path))
            return path;
    return "";
}

// Plain ASCII: window managers that read only the old Latin-1 title show it right too.
static const char WINDOW_TITLE_DEMO[] = "FlickerMoth - demo";

// The game in a real window on the desktop.
static int run_in_window(const Options& options)
{
    if (options.frames || !options.shots_dir.empty()) {
        std::fprintf(stderr, "flickermoth: --frames and --shots work with --headless only\n");
        return 2;
    }
    std::string reason;
    if (!sdl_video_open(&reason)) {
        std::fprintf(stderr, "flickermoth: no display to open a window on (%s); run it with --headless to play without one\n",
                     reason.c_str());
        return 1;
    }
    platform_use(sdl_backend());
#ifdef FLICKERMOTH_BUSY_WAIT
    // The measuring build: the frame wait spins instead of sleeping.
    static PlatformBackend busy = *sdl_backend();
    busy.idle = [](uint32_t) {};
    platform_use(&busy);
#endif
    std::string path = settings_path();
    Settings remembered = path.empty() ? Settings{} : read_settings(path);
    Settings run = settings_for_run(remembered, options);
    if (!sdl_create_window(run)) {
        app_error_box("Can't create MainWindow.", false);
        sdl_shutdown();
        return EXIT_START_FAILED;
    }
    static const SettingsStore store = {sdl_window_settings, save_settings};
    settings_keep(path.empty() ? nullptr : &store, remembered, run);
    if (options.demo && autoplay_running())
        sdl_set_window_title(WINDOW_TITLE_DEMO);
    std::string icon = find_icon();
    if (icon.empty() || !sdl_set_window_icon(icon.c_str()))
        std::fprintf(stderr, "flickermoth: the window goes without its icon (no readable flickermoth-256.png)\n");
    if (!open_trace(options)) {
        sdl_shutdown();
        return 1;
    }
    int code = app_run(options.argument_text.c_str());
    trace_close();
    sdl_shutdown();
    return code;
}

int main(int argc, char** argv)
{
    Options options = parse_options(std::vector<std::string>(argv + 1, argv + argc));
    if (!options.error.empty()) {
        std::fprintf(stderr, "flickermoth: %s\n\n%s", options.error.c_str(), usage_text().c_str());
        return 2;
    }
    if (options.help) {
        std::fputs(usage_text().c_str(), stdout);
        return 0;
    }
    if (options.version) {
        std::printf("FlickerMoth %s\n", FLICKERMOTH_VERSION);
        return 0;
    }

    // A recording named with --play or --record that cannot be used stops
    // the program here; the argument texts keep their quiet fall-back.
    std::string problem = input_file_problem(options);
    if (!problem.empty()) {
        std::fprintf(stderr, "flickermoth: %s\n", problem.c_str());
        return 2;
    }
    game_pack_path = find_data_file("DATA50.RES", &game_pack_places);
    logo_pack_path = find_data_file("brenmoor.res");
    input_file_path = options.input_file;
    if (options.demo) {
        // The autoplayer plays, in a window or headless, until someone clicks or presses a key.
        AutoplaySettings demo;
        demo.yield_to_player = true;
        demo.on_yield = [](void*) { sdl_set_window_title("FlickerMoth"); };
        autoplay_start(demo);
    }

    if (!options.headless)
        return run_in_window(options);

    static ShotWriter shots;
    platform_use(headless_backend());
    headless_reset(system_ticks());    // a different board on every run, as on a real machine
    HeadlessDevices& devices = headless_devices();
    devices.frame_limit = (uint64_t)(options.frames ? options.frames : HEADLESS_DEFAULT_FRAMES);
    // Headless runs keep their table in the current directory unless told
    // otherwise, so scripts never touch the player's own.
    if (std::getenv("FLICKERMOTH_DIR"))
        devices.install_dir = posix_install_dir(false);
    if (!options.shots_dir.empty()) {
        mkdir(options.shots_dir.c_str(), 0755);
        if (!posix_is_directory(options.shots_dir)) {
            std::fprintf(stderr, "flickermoth: cannot make the directory %s for --shots\n", options.shots_dir.c_str());
            return 1;
        }
        shots = {options.shots_dir, options.shot_every, 0, false};
        headless_on_present(write_shot, &shots);
    }
    if (!open_trace(options))
        return 1;
    int code = app_run(options.argument_text.c_str());
    trace_close();
    return code;
}
