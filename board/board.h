// The board and its rules: ten columns of eight cells, moths of five colours.
//
// This file holds the board record and the rule operations; it draws
// nothing. Cell animations (board/animation) move each cell on through its
// states and lower `pending` when an awaited animation ends; the game screen
// waits for `pending` to reach 0 and then calls the next rule operation.
#pragma once

#include <cstdint>

constexpr int BOARD_COLUMNS = 10;
constexpr int BOARD_ROWS = 8;
constexpr int BOARD_CELLS = BOARD_COLUMNS * BOARD_ROWS;
constexpr int MOTH_COLOURS = 5;

// Cell states. Every animation that follows a rule operation is in board/animation.
enum CellState {
    CELL_EMPTY = 0,
    CELL_SETTLED = 1,        // idle moth; can be picked
    CELL_MARKED = 2,         // marked for collection, waiting `counter` frames
    CELL_BURSTING = 3,       // 16 frames in place
    CELL_LAUNCHING = 4,      // one frame
    CELL_FLYING = 5,         // 22 frames away after a collect; scores at the end
    CELL_WAITING = 6,        // waiting `counter` frames to appear, invisible
    CELL_APPEARING = 7,      // 20 frames
    CELL_LEAVING = 8,        // waiting `counter` frames to leave at a restart
    CELL_DEPARTING = 9,      // 27 frames away at a restart, no score
    CELL_SWAP_START = 10,    // one frame
    CELL_FADING_OUT = 11,    // 15 frames
    CELL_FADING_IN = 12,     // 15 frames
};

// Column states.
enum ColumnState {
    COLUMN_CLOSED = 0,
    COLUMN_OPENING = 1,
    COLUMN_OPEN = 2,
    COLUMN_CLOSING = 3,
};

// The game screen's states, kept in the board's `mode`: the rules set the
// states that wait for animations, the game screen the pauses and the turn.
enum GameMode {
    MODE_START_PAUSE = 0,    // before a game: `pending` frames
    MODE_COLUMNS_OPENING = 1,
    MODE_PLAYER_TURN = 2,
    MODE_COLLECTING = 4,
    MODE_COLLECT_PAUSE = 5,
    MODE_COLLECT_CREDIT = 6,
    MODE_WAVE = 8,
    MODE_RESTARTING = 9,
    MODE_SWAP_OUT = 10,
    MODE_SWAP_IN = 11,
};

struct Cell {
    uint8_t colour;      // 0..4 while the moth lives; the flight frame 0..7 once it leaves
    int32_t state;
    int32_t counter;     // delay countdown (2, 6, 8); frame index (7; the selection ring 0..6)
    float pos_x, pos_y;  // drawing position during flights and swaps
    float speed;         // 500 for a collect flight, 600 for a restart flight
    float angle;
    float cos_a, sin_a;
    float step_x, step_y;
    int32_t steps;       // burst or flight frames left (3, 5, 9); swap frame 0..30 (11, 12)
    int32_t jitter_x, jitter_y;
    int32_t jitter_wait;
};

struct Board {
    Cell cells[BOARD_CELLS];    // by cell index col + row * 10
    int32_t moth_count;         // moths on the board, arriving ones and failed spawns included
    int32_t selected;           // cell index of the selected moth, -1 for none
    int32_t swap_from, swap_to;
    int32_t pending;            // animations the game screen waits for; its countdown in modes 0, 1, 5, 6
    uint8_t group_colour;
    int32_t mode;               // the game screen's state, a GameMode
    int32_t column_state[BOARD_COLUMNS];
    int32_t open_columns;       // columns opening or open
    int32_t column_frame[BOARD_COLUMNS];
    int32_t score;
};

extern Board board;

// Rule globals.
extern int32_t spawn_stagger;     // running number of the moth within a wave, group or restart
extern int32_t collect_points;    // points of the running collect, credited at its end
extern int32_t keep_score;        // the next board_new_game keeps the score
extern int32_t click_armed;       // a left press on the player's turn waits for its release

// Rule parameters, the same for every game.
extern int32_t spawn_new_board;       // 10
extern int32_t spawn_after_collect;   // 2
extern int32_t spawn_after_swap;      // 4
extern int32_t min_group;             // 4
extern const uint8_t colour_points[MOTH_COLOURS];   // 1, 2, 3, 4, 5

// Sound bank samples the rules play.
constexpr int SAMPLE_RESTART = 9;
constexpr int SAMPLE_SWAP = 10;
constexpr int SAMPLE_COLLECT = 11;
constexpr int SAMPLE_COLUMN_CLOSES = 12;

// Click kinds of board_click.
constexpr int CLICK_COLLECT = 0;
constexpr int CLICK_PICK = 1;

inline int cell_index(int col, int row) { return col + row * BOARD_COLUMNS; }

void board_click(int col, int row, int kind);
void board_spawn_wave(int n);
void board_spawn_one();
void board_swap_start(int a, int b);
void board_swap_exchange();
void board_swap_finish();
bool board_group_ok(int col, int row);
void board_collect(int col, int row);
void board_collect_finish();
void board_close_full_columns();
void board_restart();
void board_new_game();
void board_clear_cells();
void board_select(int i);
void board_reset_columns();
bool board_lost();
// The board and the rule globals as a new process has them: all zero.
void board_reset();

// Where each cell's moth is drawn and the mouse is tested: the eight spots
// of a column form a curved trail on the playfield picture.
struct CellCentre {
    int16_t x, y;
};
extern const CellCentre cell_centres[BOARD_CELLS];
