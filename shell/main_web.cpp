// The program's entry point in a browser: the page's backend, the packs
// the site preloads, the address's choices, then the game.
#include "autoplay/autoplay.h"
#include "platform/platform.h"
#include "platform/web/web_backend.h"
#include "shell/app.h"
#include "shell/flow.h"
#include "shell/pump.h"

static void publish_screen() { web_publish_screen(current_screen); }

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
    pump_frame_hook = publish_screen;
    return app_run(web_argument_text());
}
