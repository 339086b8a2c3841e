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
#include "shell/trace.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/stat.h>
#include <vector>

#ifndef FLICKERMOTH_DATA_DIR
#define FLICKERMOTH_DATA_DIR "/usr/local/share/flickermoth"
#endif

// Headless runs without --frames stop after this many frames, so a run with
// nobody to click never goes on for ever.
static const long long HEADLESS_DEFAULT_FRAMES = 200000;

// A data file: the current directory first, then beside the program, then
// the data directory of an installation (wherever it was moved to), then
// the one the program was built for.
static std::string find_data_file(const char* name)
{
    std::string program_dir = posix_program_dir();
    std::vector<std::string> places = {"", program_dir, program_dir + "../share/flickermoth/",
                                       std::string(FLICKERMOTH_DATA_DIR) + "/"};
    for (const std::string& dir : places) {
        std::string path = dir + name;
        if (posix_is_file(path))
            return path;
    }
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
    if (!sdl_create_window(options.window)) {
        app_error_box("Can't create MainWindow.", false);
        sdl_shutdown();
        return 0;
    }
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

    game_pack_path = find_data_file("DATA50.RES");
    logo_pack_path = find_data_file("brenmoor.res");
    input_file_path = options.input_file;
    if (options.demo) {
        // The autoplayer plays, in a window or headless, until someone clicks or presses a key.
        AutoplaySettings demo;
        demo.yield_to_player = true;
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
