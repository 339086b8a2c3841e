// Whole runs of the program on the headless machine, with the placeholder
// packs in a directory of the test's own and a simple scripted player that
// reacts to what is on the screen as a person would: it clicks through the
// title and the tables, swaps moths until the game is lost, types a name.
#pragma once

#include "hiscore/hiscore.h"
#include "hiscore_helpers.h"
#include "shell/app.h"
#include "shell/flow.h"
#include "testkit/game_helpers.h"
#include "testkit/session.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

// A run directory with the placeholder packs (an autoplay session: the
// test changes into it and it is removed afterwards), and the program's
// globals as a new process has them.
struct RunDir {
    AutoplaySession session;
    std::string path;    // without the closing '/'
    RunDir()
    {
        EXPECT_TRUE(autoplay_session_open(&session));
        path = session.dir.substr(0, session.dir.size() - 1);
        headless_devices().install_dir = session.dir;
        autoplay_fresh_program();
    }
    // The program started again in the same directory: a fresh process on
    // a fresh machine whose clock starts at `tick`.
    void restart(uint32_t tick)
    {
        autoplay_fresh_program();
        headless_reset(tick);
        headless_devices().install_dir = session.dir;
    }
    ~RunDir() { autoplay_session_close(&session); }
};

// What the player does, decided after each presented frame.
struct Player {
    bool swap_moths = true;        // play the game by swapping until it is lost
    bool quit_from_menu = false;   // open the menu and quit once the first turn comes
    std::string name = "Tester\r";
    // Where the player clicks to close a table instead of typing; x -1:
    // typing (a name entry waits for typing either way).
    int close_table_x = -1, close_table_y = -1;
    std::vector<std::string> screens;    // each screen seen, in order, once per visit
    bool logo_pack_loaded = false;
    int games_lost = 0;
    uint64_t busy_until = 0;             // frames already scripted
    std::vector<std::pair<uint64_t, std::string>> typed;    // what was typed, and when

    void click(uint64_t at, int x, int y, int button = 0)
    {
        headless_mouse_to(at, x, y);
        headless_button(at, button, true);
        headless_button(at + 1, button, false);
        busy_until = at + 2;
    }
    void type(uint64_t at, const std::string& text)
    {
        headless_type(at, text);
        typed.push_back({at, text});
        busy_until = at + text.size() + 2;
    }
    void act()
    {
        if (screens.empty() || screens.back() != current_screen)
            screens.push_back(current_screen);
        logo_pack_loaded |= LogoPack != nullptr;
        uint64_t now = headless_frame();
        if (now < busy_until)
            return;
        std::string screen = current_screen;
        if (screen == "title" || screen == "gameover") {
            click(now + 1, 320, 240);
        } else if (screen == "hiscore") {
            if (input.char_capture && close_table_x >= 0)
                click(now + 1, close_table_x, close_table_y);
            else if (input.char_capture)
                type(now + 1, name);
            else
                busy_until = now + 1;
        } else if (screen == "game" && board.mode == MODE_PLAYER_TURN) {
            if (quit_from_menu) {
                click(now + 1, 50, 400);           // the menu button
                headless_mouse_to(now + 3, 220, 290);
                click(now + 60, 220, 290);         // "quit", once its highlight is on
                busy_until = now + 100;
            } else if (swap_moths) {
                swap();
            }
        }
    }
    void swap()
    {
        // A group of four or more is collected first, with the right button.
        for (int i = 0; i < BOARD_CELLS; i++)
            if (board.cells[i].state == CELL_SETTLED && board_group_ok(i % 10, i / 10)) {
                click(headless_frame() + 1, cell_centres[i].x, cell_centres[i].y, 1);
                busy_until += 4;
                return;
            }
        for (int a = 0; a < BOARD_CELLS; a++)
            for (int b = a + 1; b < BOARD_CELLS; b++)
                if (board.cells[a].state == CELL_SETTLED && board.cells[b].state == CELL_SETTLED &&
                    a % 10 != b % 10 && board.cells[a].colour != board.cells[b].colour) {
                    uint64_t now = headless_frame();
                    click(now + 1, cell_centres[a].x, cell_centres[a].y);
                    click(now + 3, cell_centres[b].x, cell_centres[b].y);
                    busy_until = now + 8;
                    return;
                }
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
