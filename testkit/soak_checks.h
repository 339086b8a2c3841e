// The board's invariants, as the soak test checks them after every frame
// (the playback fuzzer checks them too).
#pragma once

#include "board/board.h"
#include "board/game_screen.h"

#include <string>

// Cells holding a moth that moth_count still counts: settled, arriving,
// leaving at a restart and swapping. Moths marked for a collect and flying
// away are taken off the count when the collect starts.
inline bool soak_counted_moth(int state)
{
    return state == CELL_SETTLED || state == CELL_WAITING || state == CELL_APPEARING || state == CELL_LEAVING ||
           state == CELL_DEPARTING || state == CELL_SWAP_START || state == CELL_FADING_OUT || state == CELL_FADING_IN;
}

// What is wrong with the board, or "" when it holds together. `game_started`:
// a game has been set up since the program started (before that the pause
// counter may have counted down from nothing, see the soak test).
// `playing`: the game screen or its menu is up, so a selection must be a
// settled moth. `failed_spawn` is set when moth_count is raised by a spawn
// that found no room.
inline std::string soak_check_board(bool game_started, bool playing, bool* failed_spawn)
{
    *failed_spawn = false;
    if (game_started && board.pending < 0)
        return "pending " + std::to_string(board.pending);

    int counted = 0, open = 0;
    for (int col = 0; col < BOARD_COLUMNS; col++) {
        int state = board.column_state[col];
        if (state < COLUMN_CLOSED || state > COLUMN_CLOSING)
            return "column " + std::to_string(col) + " in state " + std::to_string(state);
        open += state == COLUMN_OPENING || state == COLUMN_OPEN;
    }
    for (int i = 0; i < BOARD_CELLS; i++) {
        int state = board.cells[i].state;
        if (state < CELL_EMPTY || state > CELL_FADING_IN)
            return "cell " + std::to_string(i) + " in state " + std::to_string(state);
        int column = board.column_state[i % BOARD_COLUMNS];
        if (state != CELL_EMPTY && column != COLUMN_OPEN && column != COLUMN_CLOSING)
            return "cell " + std::to_string(i) + " holds a moth in a column in state " + std::to_string(column);
        counted += soak_counted_moth(state);
    }
    if (board.open_columns != open)
        return "open_columns " + std::to_string(board.open_columns) + " but " + std::to_string(open) +
               " columns opening or open";
    // A spawn that found no room leaves the count raised above what the open
    // columns hold; that board is lost on its next turn. A restart keeps
    // counting the moths that leave until the new board is set up, also
    // those whose flight has ended.
    bool departed = board.mode == MODE_RESTARTING && board.moth_count > counted;
    if (board.moth_count != counted && !departed) {
        *failed_spawn = board.moth_count > counted && board.moth_count > BOARD_ROWS * board.open_columns;
        if (!*failed_spawn)
            return "moth_count " + std::to_string(board.moth_count) + " but " + std::to_string(counted) + " moths";
        if (board.mode == MODE_PLAYER_TURN && !board_lost())
            return "a failed spawn left a turn that is not lost";
    }
    if (playing && board.selected >= 0 &&
        (board.selected >= BOARD_CELLS || board.cells[board.selected].state != CELL_SETTLED))
        return "selected cell " + std::to_string(board.selected) + " holds no settled moth";
    return "";
}
