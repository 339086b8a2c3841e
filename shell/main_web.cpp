// The program's entry point in a browser: the page's backend, the packs
// the site preloads, the player's remembered settings, the address's
// choices, then the game.
#include "audio/sound.h"
#include "autoplay/autoplay.h"
#include "board/board.h"
#include "platform/platform.h"
#include "platform/web/web_backend.h"
#include "platform/web/web_rules.h"
#include "shell/app.h"
#include "shell/flow.h"
#include "board/menu.h"
#include "frame/pump.h"
#include "frame/settings_keeper.h"
#include "shell/trace.h"

#include <cstdio>
#include <string>
#include <vector>

static bool tracing = false;
static unsigned long long frames = 0;

static void publish_frame()
{
    std::string line;
    if (tracing) {
        // The trace's line, with whether the sound is on.
        line = trace_line(frames);
        line.pop_back();
        line += ", \"sound_enabled\": " + std::to_string(sound_system.sound_enabled) + "}";
    }
    frames++;
    web_publish_frame(current_screen, tracing ? line.c_str() : nullptr);
}

// Where the board's cells and the menu's items lie, for the page's tests.
static void publish_places()
{
    std::string places = "{\"cells\": [";
    for (int i = 0; i < BOARD_CELLS; i++)
        places += (i ? ", [" : "[") + std::to_string(cell_centres[i].x) + ", " + std::to_string(cell_centres[i].y) + "]";
    places += "], \"menu\": [";
    for (int i = 0; i < MENU_ITEMS; i++) {
        const MenuRect& r = menu_items[i];
        places += (i ? ", [" : "[") + std::to_string(r.x) + ", " + std::to_string(r.y) + ", " + std::to_string(r.width) +
                  ", " + std::to_string(r.height) + "]";
    }
    web_publish_places((places + "]}").c_str());
}

// ---- The player's settings, in the page's storage ---------------------------------

// The settings text the keeper last handed over; the scale the player
// picked with the page's button is laid over it whenever either changes.
static std::string kept_text;

static bool keep_settings()
{
    PictureScale scale;
    bool chosen = web_chosen_scale(&scale);
    return web_settings_save(web_settings_text(kept_text, chosen ? &scale : nullptr));
}

static bool save_settings(const std::string& text)
{
    kept_text = text;
    return keep_settings();
}

// The sound switch and the speed count in the page as on the desktop, and
// so does the scale once the player picked one. A page enters full screen
// only on the player's own click or key, so full screen and the window's
// size are left as the text has them: never taken, never changed.
static void use_settings()
{
    Settings remembered;
    std::string text;
    if (web_settings_load(&text)) {
        std::vector<std::string> problems;
        settings_parse(text, &remembered, &problems);
        for (const std::string& problem : problems)
            std::fprintf(stderr, "flickermoth: ignoring a remembered setting: %s\n", problem.c_str());
        PictureScale scale;
        if (web_settings_scale(text, &scale))
            web_set_scale(&scale);
    }
    kept_text = settings_format(remembered);
    web_on_scale_chosen([] { keep_settings(); });
    static const SettingsStore store = {nullptr, save_settings};
    settings_keep(&store, remembered, remembered);
}

int main()
{
    platform_use(web_backend());
    game_pack_path = "/DATA50.RES";
    logo_pack_path = "/brenmoor.res";
    input_file_path = std::string(WEB_STORE_DIR) + "DATA52.RES";
    use_settings();
    int demo = web_demo_mode();
    if (demo) {
        // The autoplayer plays until someone clicks or presses a key; the
        // losing kind picks any move, quickly, so a game soon ends.
        AutoplaySettings settings = demo == 2 ? autoplay_quick_settings() : AutoplaySettings{};
        if (demo == 2)
            settings.strategy = AUTOPLAY_RANDOM;
        settings.yield_to_player = true;
        autoplay_start(settings);
    }
    tracing = web_trace_wanted();
    if (tracing)
        publish_places();
    pump_frame_hook = publish_frame;
    return app_run(web_argument_text());
}
