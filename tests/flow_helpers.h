// Whole runs of the program on the headless machine, the placeholder packs in
// a directory of the test's own and the autoplayer at the mouse, at its quick pace.
#pragma once

#include "hiscore_helpers.h"
#include "shell/app.h"
#include "shell/flow.h"
#include "testkit/game_helpers.h"
#include "testkit/session.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

// A run directory with the placeholder packs, the test in it until it is
// removed, and the program's globals as a new process has them.
struct RunDir {
    AutoplaySession session;    // session.dir ends with '/'
    RunDir()
    {
        EXPECT_TRUE(autoplay_session_open(&session));
        headless_devices().install_dir = session.dir;
        autoplay_stop();
        autoplay_fresh_program();
    }
    // A fresh process in the same directory, the machine's clock at `tick`.
    void restart(uint32_t tick)
    {
        autoplay_stop();
        autoplay_fresh_program();
        headless_reset(tick);
        headless_devices().install_dir = session.dir;
    }
    ~RunDir() { autoplay_session_close(&session); }
};

// The autoplayer, started at a run's first presented frame, and what it saw.
struct Player {
    bool swap_moths = true;        // play the board hastily until the game is lost
    bool quit_from_menu = false;   // open the menu and quit once the first turn comes
    std::string name = "Tester";
    int close_table_x = -1, close_table_y = -1;    // a click that closes a table; -1: typing
    std::vector<std::string> screens;    // each screen seen, in order, once per visit
    bool logo_pack_loaded = false;

    ~Player() { autoplay_stop(); }

    void act()
    {
        if (!autoplay_running()) {
            AutoplaySettings settings = autoplay_quick_settings();
            settings.strategy = AUTOPLAY_HASTY;
            settings.plays_board = swap_moths || quit_from_menu;
            settings.quits_at_first_turn = quit_from_menu;
            settings.name = name.c_str();
            settings.table_click_x = close_table_x;
            settings.table_click_y = close_table_y;
            autoplay_start(settings);
        }
        if (screens.empty() || screens.back() != current_screen)
            screens.push_back(current_screen);
        logo_pack_loaded |= LogoPack != nullptr;
    }
};

inline void player_act(const HeadlessFrame&, void* player) { ((Player*)player)->act(); }

inline bool saw_in_order(const std::vector<std::string>& seen, const std::vector<std::string>& wanted)
{
    size_t at = 0;
    for (const std::string& s : seen)
        if (at < wanted.size() && s == wanted[at])
            at++;
    return at == wanted.size();
}
