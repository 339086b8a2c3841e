// The program's entry point in a browser: the page's backend, the packs
// the site preloads, the address's choices, then the game.
#include "audio/sound.h"
#include "autoplay/autoplay.h"
#include "board/board.h"
#include "platform/platform.h"
#include "platform/web/web_backend.h"
#include "shell/app.h"
#include "shell/flow.h"
#include "board/menu.h"
#include "frame/pump.h"
#include "shell/trace.h"

#include <string>

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

int main()
{
    platform_use(web_backend());
    game_pack_path = "/DATA50.RES";
    logo_pack_path = "/brenmoor.res";
    input_file_path = std::string(WEB_STORE_DIR) + "DATA52.RES";
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
