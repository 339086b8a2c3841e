// The game screen: one frame of play. It restores the playfield, runs the
// turn loop (the board's `mode`), turns clicks into board operations, draws
// the board, the score, the menu button, the speed slider and the pointer,
// opens the in-game menu, and keeps the picture of a lost game.
#pragma once

#include <cstdint>

constexpr int GAME_START_PAUSE = 24;
constexpr int COLUMNS_OPENING_FRAMES = 30;

// The menu button: x 13..101, y 375..438, edges included.
constexpr int MENU_BUTTON_X = 13;
constexpr int MENU_BUTTON_Y = 375;
constexpr int MENU_BUTTON_WIDTH = 88;
constexpr int MENU_BUTTON_HEIGHT = 63;
constexpr int MENU_BUTTON_FRAMES = 6;

// The score: digits centred on x 580 at y 87, 3 pixels apart.
constexpr int SCORE_CENTRE_X = 580;
constexpr int SCORE_Y = 87;
constexpr int SCORE_DIGIT_GAP = 3;

// The speed slider: bar at (550, 30), knob from x 526 (period 80) to 576 (5).
constexpr int SLIDER_BAR_X = 550;
constexpr int SLIDER_Y = 30;
constexpr int SLIDER_SHOWN_FRAMES = 60;

// A moth is hit within 17 pixels of its cell's centre.
constexpr int HIT_RADIUS_SQUARED = 17 * 17;

// The eleven keys held together that start a new board keeping the score:
// the letters of the game's name, which no one presses all at once by chance.
constexpr int KEEP_SCORE_CHORD_KEYS = 11;
extern const uint8_t keep_score_chord[KEEP_SCORE_CHORD_KEYS];

extern int32_t collect_pause;    // the step timer of the collect pauses, 3 frames a step
extern int32_t menu_hover;
extern int32_t menu_frame;
extern int32_t slider_timer;
extern int32_t slider_x;

// One frame of play; presents it when `present` is set. 0 when the player
// quit from the in-game menu (or the program is closing inside it), else 1.
int game_screen_frame(int present);
// The collect pause, the menu's hover and frame and the speed slider as a
// new process has them.
void game_screen_reset();
void score_draw();
void speed_slider_update();
// The cell whose moth lies under (x, y), the lowest index when circles
// overlap, or -1.
int board_hit_test(int x, int y);
