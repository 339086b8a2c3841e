// A game screen on the headless machine with the placeholder pack bound, for
// tests that play through input.
#pragma once

#include "audio/sound.h"
#include "board/animation.h"
#include "board/board.h"
#include "board/game_screen.h"
#include "input/input.h"
#include "platform/globals.h"
#include "platform/headless/headless.h"
#include "resources/resources.h"
#include "frame/frame.h"
#include "board/menu.h"
#include "frame/pump.h"
#include "testkit/session.h"
#include "testkit/test_pack.h"
#include "video/display.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

// The placeholder pack, bound afresh for each test (other tests bind packs
// of their own, and the roles are shared).
inline void bind_test_resources()
{
    static const Bytes pack = make_test_game_pack();
    std::string error;
    if (!bind_resources_pack(load_pack_memory(pack.data(), pack.size(), &error), "placeholder pack", &error)) {
        // Nothing below can run without resources: stop with the reason
        // rather than crash in a drawing routine.
        std::fprintf(stderr, "the placeholder pack did not bind: %s\n", error.c_str());
        std::abort();
    }
}

// The colour index of frame `frame` of a placeholder raw table whose first
// image has colour first + 1: how tests tell which picture was drawn.
inline int placeholder_colour(int first, int frame) { return (first + frame) % 255 + 1; }
inline int moth_colour_index(int colour, int frame) { return placeholder_colour(32 + 40 * colour, frame); }
inline int swap_colour_index(int colour, int frame) { return placeholder_colour(48 + 40 * colour, frame); }
inline int flight_colour_index(int frame) { return placeholder_colour(160, frame); }
inline int ring_colour_index(int frame) { return placeholder_colour(200, frame); }

inline int pixel_at(int x, int y) { return display.back_buffer[(size_t)y * display.pitch + x]; }
inline int centre_pixel(int cell) { return pixel_at(cell_centres[cell].x, cell_centres[cell].y); }
inline int background_at(int x, int y) { return GameBackground[(size_t)y * 640 + x]; }

// The services a screen needs, as start-up creates them.
inline void start_services()
{
    autoplay_fresh_program();    // the globals as a new process has them
    bind_test_resources();
    display_create();
    display_set_palette(GamePalette);
    input_create();
    sound_create();
    sound_load_sample(SETTLE_SOUND_SLOT, 2);
}

// A fresh game about to start, as the main loop prepares it.
inline void start_game(uint32_t seed = 10)
{
    std::memset(&board, 0, sizeof board);
    rng_seed(seed);
    keep_score = 0;
    board_reset_columns();
    board_new_game();
    board.mode = MODE_START_PAUSE;
    board.pending = GAME_START_PAUSE;
}

// One frame of play as the main loop runs it; false when the screen quit or
// the program is closing.
inline bool play_frame() { return frame_next() && game_screen_frame(1); }

inline int play_frames(int n)
{
    for (int i = 0; i < n; i++)
        if (!play_frame())
            return i;
    return n;
}

// Plays until the player's turn; the number of frames it took.
inline int play_until_turn(int limit = 2000)
{
    for (int i = 1; i <= limit; i++) {
        if (!play_frame())
            return -1;
        if (board.mode == MODE_PLAYER_TURN)
            return i;
    }
    return -1;
}

// A left click on a cell: press in the next frame, release in the one after.
inline void script_left_click(int cell)
{
    uint64_t f = headless_frame();
    headless_mouse_to(f, cell_centres[cell].x, cell_centres[cell].y);
    headless_button(f, 0, true);
    headless_button(f + 1, 0, false);
}

inline int find_cell(int state, int not_colour = -1, int not_column = -1)
{
    for (int i = 0; i < BOARD_CELLS; i++)
        if (board.cells[i].state == state && board.cells[i].colour != not_colour && i % 10 != not_column)
            return i;
    return -1;
}
