// Small helpers that build boards without drawing, for the rule tests, and
// a sound bank whose samples can be told apart.
#pragma once

#include "audio/sound.h"
#include "board/board.h"
#include "platform/globals.h"
#include "platform/headless/headless.h"
#include "resources/resources.h"

#include <cstring>
#include <initializer_list>
#include <vector>

// A sound bank of 14 pointers (samples 0..12), sample k being k + 1 bytes of
// value 0x40 + k, so a test can tell which sample was heard.
inline void install_test_sound_bank()
{
    static uint8_t bytes[13 * 14 / 2 + 13];
    static const uint8_t* pointers[14];
    size_t at = 0;
    for (int k = 0; k < 13; k++) {
        pointers[k] = bytes + at;
        for (int i = 0; i <= k; i++)
            bytes[at++] = (uint8_t)(0x40 + k);
    }
    pointers[13] = bytes + at;
    SoundBank.count = 14;
    SoundBank.items = pointers;
}

inline std::vector<uint8_t> test_sample(int k) { return std::vector<uint8_t>((size_t)k + 1, (uint8_t)(0x40 + k)); }

// The samples heard since the log was last cleared, by number.
inline std::vector<int> samples_heard()
{
    std::vector<int> heard;
    for (const HeadlessSoundEvent& e : headless_sound_log())
        if (e.kind == SOUND_LOG_PLAY && !e.bytes.empty())
            heard.push_back(e.bytes[0] - 0x40);
    return heard;
}

// An empty board with every column open, sound on, the generator at `seed`.
inline void fresh_board(uint32_t seed = 1)
{
    std::memset(&board, 0, sizeof board);
    board.selected = -1;
    for (int col = 0; col < BOARD_COLUMNS; col++)
        board.column_state[col] = COLUMN_OPEN;
    board.open_columns = BOARD_COLUMNS;
    board.mode = MODE_PLAYER_TURN;
    spawn_stagger = collect_points = keep_score = click_armed = 0;
    rng_seed(seed);
    install_test_sound_bank();
    sound_create();
    headless_clear_sound_log();
}

inline void put_moth(int col, int row, int colour)
{
    Cell& cell = board.cells[cell_index(col, row)];
    cell.state = CELL_SETTLED;
    cell.colour = (uint8_t)colour;
    board.moth_count++;
}

inline void put_rows(int col, std::initializer_list<int> rows, int colour)
{
    for (int row : rows)
        put_moth(col, row, colour);
}

// A press at (x, y) scripted for the next frame, and with click_at its
// release in the frame after; the frame of the press.
inline uint64_t press_at(int x, int y, int button = 0)
{
    uint64_t f = headless_frame();
    headless_mouse_to(f, x, y);
    headless_button(f, button, true);
    return f;
}
inline uint64_t click_at(int x, int y, int button = 0)
{
    uint64_t f = press_at(x, y, button);
    headless_button(f + 1, button, false);
    return f;
}
inline uint64_t press_cell(int cell, int button = 0)
{
    return press_at(cell_centres[cell].x, cell_centres[cell].y, button);
}

inline int cells_in_state(int state)
{
    int n = 0;
    for (const Cell& cell : board.cells)
        n += cell.state == state;
    return n;
}
