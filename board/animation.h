// Board animation and drawing: each frame the game screen calls board_draw
// once, which draws the column pictures and every cell and moves each cell
// on by one frame through the states the rules started.
#pragma once

#include "board/board.h"

// Draws the board into the back buffer and advances every animation by one
// frame, lowering `pending` for each awaited animation that ends.
void board_draw();
// Advances and draws one cell; 1 when an awaited animation has just ended.
int cell_animate(Cell& cell, int col, int row, bool is_selected);
// The selected moth's shake: a new offset every second frame.
void cell_jitter(Cell& cell);

// Frames of the animations, as the pictures are laid out.
constexpr int MOTH_STEADY_FRAME = 19;
constexpr int MOTH_APPEAR_FRAMES = 20;
constexpr int RING_FRAMES = 7;
constexpr int FLIGHT_FRAMES = 8;
constexpr int BURST_STEPS = 16;
constexpr int SWAP_HALF_STEPS = 15;
constexpr int COLUMN_OPEN_FRAME = 5;
constexpr int COLUMN_CLOSED_FRAME = 15;
constexpr float COLLECT_FLIGHT_SPEED = 500.0f;
constexpr float RESTART_FLIGHT_SPEED = 600.0f;
constexpr int SETTLE_SOUND_SLOT = 3;
