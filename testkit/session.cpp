// Whole headless runs of the program with the autoplayer at the mouse.
#include "testkit/session.h"

#include "audio/music.h"
#include "audio/sound.h"
#include "board/board.h"
#include "board/game_screen.h"
#include "hiscore/hiscore.h"
#include "input/input.h"
#include "platform/globals.h"
#include "platform/headless/headless.h"
#include "platform/platform.h"
#include "platform/posix/posix.h"
#include "resources/pack_writer.h"
#include "resources/resources.h"
#include "shell/app.h"
#include "shell/flow.h"
#include "frame/pump.h"
#include "testkit/test_pack.h"
#include "video/display.h"
#include "video/font.h"

#include <cstdio>
#include <filesystem>

bool autoplay_session_open(AutoplaySession* session, const char* game_pack, const char* logo_pack)
{
    std::error_code failed;
    session->old_dir = std::filesystem::current_path(failed).string();
    if (failed)
        session->old_dir = "/tmp";
    session->dir = posix_make_temp_dir("flickermoth-autoplay");
    if (session->dir.empty())
        return false;
    // Packs given by a relative path are found before leaving for the session.
    std::string game = game_pack ? std::filesystem::absolute(game_pack).string() : "";
    std::string logo = logo_pack ? std::filesystem::absolute(logo_pack).string() : "";
    std::filesystem::current_path(session->dir, failed);
    auto copy_pack = [](const std::string& from, const char* to) {
        std::error_code failed;
        return std::filesystem::copy_file(from, to, std::filesystem::copy_options::overwrite_existing, failed);
    };
    bool packs = !failed &&
                 (game_pack ? copy_pack(game, "DATA50.RES") : save_bytes("DATA50.RES", make_test_game_pack())) &&
                 (logo_pack ? copy_pack(logo, "brenmoor.res") : save_bytes("brenmoor.res", make_test_logo_pack()));
    if (!packs) {
        // Nothing left behind: back where we were, the directory gone.
        autoplay_session_close(session);
        return false;
    }
    game_pack_path = "DATA50.RES";
    logo_pack_path = "brenmoor.res";
    input_file_path = REPLAY_FILE_NAME;
    return true;
}

void autoplay_session_close(AutoplaySession* session)
{
    release_resources();
    std::error_code failed;
    std::filesystem::current_path(session->old_dir, failed);
    if (failed)
        std::fprintf(stderr, "autoplay: cannot go back to %s\n", session->old_dir.c_str());
    if (!session->dir.empty())
        std::filesystem::remove_all(session->dir, failed);
    session->dir.clear();
}

void autoplay_fresh_program()
{
    release_resources();
    display_reset();
    font_reset();
    autoplay_fresh_globals();
}

// Each subsystem puts back what it owns, from the bottom layer up.
void autoplay_fresh_globals()
{
    globals_reset();
    input_reset();
    sound_reset();
    music_reset();
    board_reset();
    game_screen_reset();
    hiscore_table_reset();
    hiscore_screens_reset();
    frame_reset();
    flow_reset();
    app_reset();
}

int autoplay_run_program(const AutoplaySession& session, const char* argument_text, const AutoplaySettings& settings,
                         uint32_t start_tick, uint64_t frame_limit)
{
    autoplay_fresh_program();
    platform_use(headless_backend());
    headless_reset(start_tick);
    headless_devices().install_dir = session.dir;
    headless_devices().frame_limit = frame_limit;
    autoplay_start(settings);
    int code = app_run(argument_text);
    autoplay_stop();
    return code;
}
