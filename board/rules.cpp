// The rules of the board. Random draws happen in exactly the order written
// here: a recording holds only the player's input, so a game replays only
// if every draw comes at the same moment with the same range.
#include "board/board.h"

#include "audio/sound.h"
#include "platform/globals.h"

Board board;

int32_t spawn_stagger;
int32_t collect_points;
int32_t keep_score;
int32_t click_armed;

int32_t spawn_new_board = 10;
int32_t spawn_after_collect = 2;
int32_t spawn_after_swap = 4;
int32_t min_group = 4;
const uint8_t colour_points[MOTH_COLOURS] = {1, 2, 3, 4, 5};

void board_reset()
{
    board = {};
    spawn_stagger = collect_points = keep_score = click_armed = 0;
}

static Cell& cell_at(int col, int row) { return board.cells[cell_index(col, row)]; }

void board_click(int col, int row, int kind)
{
    int i = cell_index(col, row);
    Cell& cell = board.cells[i];
    if (cell.state == CELL_EMPTY)
        return;

    if (kind == CLICK_PICK) {
        if (board.selected < 0) {
            board_select(i);
        } else if (board.selected == i) {
            board_select(-1);
        } else if (board.cells[board.selected].colour == cell.colour) {
            // a second moth of the same colour: the selection stays
        } else if (board.selected % BOARD_COLUMNS == col) {
            // a moth in the same column: the selection stays
        } else {
            board_swap_start(board.selected, i);
            board_select(-1);
        }
        return;
    }

    if (board_group_ok(col, row)) {
        board_select(-1);
        board.mode = MODE_COLLECTING;
        collect_points = 0;
        board.group_colour = cell.colour;
        board_collect(col, row);
        sound_play_sample(SAMPLE_COLLECT);
    }
}

bool board_group_ok(int col, int row)
{
    uint8_t colour = cell_at(col, row).colour;
    int count = 0;
    for (int r = 0; r < BOARD_ROWS; r++) {
        const Cell& c = cell_at(col, r);
        if (c.state == CELL_SETTLED && c.colour == colour)
            count++;
    }
    return count >= min_group;
}

void board_collect(int col, int row)
{
    uint8_t colour = cell_at(col, row).colour;
    spawn_stagger = 1;
    board.pending = 0;
    for (int r = 0; r < BOARD_ROWS; r++) {
        Cell& c = cell_at(col, r);
        if (c.colour == colour && c.state == CELL_SETTLED) {
            c.state = CELL_MARKED;
            c.counter = spawn_stagger * 3;
            spawn_stagger++;
            board.moth_count--;
            board.pending++;
        }
    }
    for (int r = 0; r < BOARD_ROWS; r++)
        if (cell_at(col, r).state == CELL_SETTLED)
            return;

    // The column has no settled moth left: reopen a closed column, searching
    // on from a random one, or give the bonus when all ten are open.
    int c = random(BOARD_COLUMNS);
    int looked = 0;
    while (board.column_state[c] == COLUMN_OPEN) {
        if (++looked == BOARD_COLUMNS) {
            board.score += 100;
            return;
        }
        c = (c + 1) % BOARD_COLUMNS;
    }
    board.column_state[c] = COLUMN_OPENING;
    board.column_frame[c] = 0;
    board.open_columns++;
}

void board_collect_finish()
{
    board.score += collect_points;
    board_spawn_wave(spawn_after_collect);
}

void board_swap_start(int a, int b)
{
    board.swap_from = a;
    board.swap_to = b;
    board.cells[a].state = CELL_SWAP_START;
    board.cells[b].state = CELL_SWAP_START;
    board.mode = MODE_SWAP_OUT;
    board.pending = 2;
    sound_play_sample(SAMPLE_SWAP);
}

void board_swap_exchange()
{
    Cell held = board.cells[board.swap_from];
    board.cells[board.swap_from] = board.cells[board.swap_to];
    board.cells[board.swap_to] = held;
    board.mode = MODE_SWAP_IN;
    board.pending = 2;
}

void board_swap_finish()
{
    board.cells[board.swap_from].state = CELL_SETTLED;
    board.cells[board.swap_to].state = CELL_SETTLED;
    board_close_full_columns();
    board_spawn_wave(spawn_after_swap);
}

void board_close_full_columns()
{
    bool closed = false;
    for (int col = 0; col < BOARD_COLUMNS; col++) {
        int settled = 0;
        for (int r = 0; r < BOARD_ROWS; r++)
            if (cell_at(col, r).state == CELL_SETTLED)
                settled++;
        if (settled != BOARD_ROWS)
            continue;
        board.column_state[col] = COLUMN_CLOSING;
        board.open_columns--;
        for (int r = 0; r < BOARD_ROWS; r++)
            cell_at(col, r).state = CELL_EMPTY;
        board.moth_count -= BOARD_ROWS;
        closed = true;
    }
    if (closed)
        sound_play_sample(SAMPLE_COLUMN_CLOSES);
}

void board_spawn_wave(int n)
{
    spawn_stagger = 1;
    board.pending = 0;
    for (int k = 0; k < n; k++)
        board_spawn_one();
    board.mode = MODE_WAVE;
}

void board_spawn_one()
{
    board.moth_count++;
    if (board.moth_count > BOARD_ROWS * board.open_columns)
        return;    // no room: the raised count tells board_lost

    // Scan on from a random cell for an empty one in an open column. The
    // capacity test above normally guarantees one; should the counts ever
    // disagree, the scan gives up after one round and the attempt counts as
    // one that found no room, rather than looping for ever.
    int i = random(BOARD_CELLS);
    int looked = 0;
    while (board.cells[i].state != CELL_EMPTY || board.column_state[i % BOARD_COLUMNS] != COLUMN_OPEN) {
        if (++looked == BOARD_CELLS)
            return;
        i = (i + 1) % BOARD_CELLS;
    }
    Cell& cell = board.cells[i];
    cell.colour = (uint8_t)random(MOTH_COLOURS);
    cell.state = CELL_WAITING;
    cell.counter = spawn_stagger * 5;
    spawn_stagger++;
    board.pending++;
}

void board_restart()
{
    spawn_stagger = 1;
    board.pending = 0;
    board.mode = MODE_RESTARTING;
    for (Cell& cell : board.cells) {
        if (cell.state == CELL_SETTLED) {
            cell.state = CELL_LEAVING;
            cell.counter = 1;
            board.pending++;
        }
    }
    sound_play_sample(SAMPLE_RESTART);
    for (int col = 0; col < BOARD_COLUMNS; col++) {
        if (board.column_state[col] == COLUMN_CLOSED) {
            board.column_state[col] = COLUMN_OPENING;
            board.column_frame[col] = 0;
        }
    }
    board.open_columns = BOARD_COLUMNS;
    board_select(-1);
}

void board_new_game()
{
    if (!keep_score)
        board.score = 0;
    keep_score = 0;
    click_armed = 0;
    board_clear_cells();
}

void board_clear_cells()
{
    for (Cell& cell : board.cells)
        cell.state = CELL_EMPTY;
    board.moth_count = 0;
    board_select(-1);
}

void board_select(int i)
{
    board.selected = i;
    if (i >= 0) {
        board.cells[i].counter = 0;
        board.cells[i].jitter_wait = 1;
    }
}

void board_reset_columns()
{
    for (int col = 0; col < BOARD_COLUMNS; col++) {
        board.column_state[col] = COLUMN_CLOSED;
        board.column_frame[col] = 0;
    }
}

bool board_lost()
{
    return board.mode == MODE_PLAYER_TURN && (board.moth_count > BOARD_ROWS * board.open_columns || board.open_columns < 2);
}
