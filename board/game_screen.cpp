#include "board/game_screen.h"

#include "board/animation.h"
#include "board/board.h"
#include "input/input.h"
#include "platform/globals.h"
#include "resources/resources.h"
#include "board/menu.h"
#include "video/display.h"
#include "video/image.h"

#include <cstdio>

const uint8_t keep_score_chord[KEEP_SCORE_CHORD_KEYS] = {
    KEY_F, KEY_L, KEY_I, KEY_C, KEY_K, KEY_E, KEY_R, KEY_M, KEY_O, KEY_T, KEY_H,
};

int32_t collect_pause;
int32_t menu_hover;
int32_t menu_frame;
int32_t slider_timer;
int32_t slider_x;

void game_screen_reset() { collect_pause = menu_hover = menu_frame = slider_timer = slider_x = 0; }

int board_hit_test(int x, int y)
{
    for (int i = 0; i < BOARD_CELLS; i++) {
        int dx = cell_centres[i].x - x;
        int dy = cell_centres[i].y - y;
        if (dx * dx + dy * dy < HIT_RADIUS_SQUARED)
            return i;
    }
    return -1;
}

static void click_at_pointer(int kind)
{
    int i = board_hit_test(input.mouse_x, input.mouse_y);
    if (i >= 0)
        board_click(i % BOARD_COLUMNS, i / BOARD_COLUMNS, kind);
}

static bool pointer_on_menu_button()
{
    return input.mouse_x >= MENU_BUTTON_X && input.mouse_x <= MENU_BUTTON_X + MENU_BUTTON_WIDTH &&
           input.mouse_y >= MENU_BUTTON_Y && input.mouse_y <= MENU_BUTTON_Y + MENU_BUTTON_HEIGHT;
}

static bool chord_held()
{
    for (uint8_t key : keep_score_chord)
        if (!input.keys[key])
            return false;
    return true;
}

// The turn loop's timers and the waits for animations.
static void advance_mode()
{
    switch (board.mode) {
    case MODE_START_PAUSE:
        if (--board.pending == 0) {
            board.mode = MODE_COLUMNS_OPENING;
            for (int col = 0; col < BOARD_COLUMNS; col++) {
                board.column_state[col] = COLUMN_OPENING;
                board.column_frame[col] = 0;
            }
            board.open_columns = BOARD_COLUMNS;
            board.pending = COLUMNS_OPENING_FRAMES;
        }
        break;
    case MODE_COLUMNS_OPENING:
        if (--board.pending == 0)
            board_spawn_wave(spawn_new_board);
        break;
    case MODE_PLAYER_TURN:
        if (input.mouse_left) {
            click_armed = 1;
        } else if (input.mouse_right) {
            click_armed = 0;
            click_at_pointer(CLICK_COLLECT);
        }
        break;
    case MODE_COLLECTING:
        if (board.pending == 0) {
            board.mode = MODE_COLLECT_PAUSE;
            board.pending = 3;
            collect_pause = 3;
        }
        break;
    case MODE_COLLECT_PAUSE:
    case MODE_COLLECT_CREDIT:
        if (--collect_pause != 0)
            break;
        collect_pause = 3;
        if (--board.pending != 0)
            break;
        if (board.mode == MODE_COLLECT_PAUSE) {
            board.mode = MODE_COLLECT_CREDIT;
            board.pending = 5;
        } else {
            board_collect_finish();
        }
        break;
    case MODE_WAVE:
        if (board.pending == 0)
            board.mode = MODE_PLAYER_TURN;
        break;
    case MODE_RESTARTING:
        if (board.pending == 0) {
            board_new_game();
            board_spawn_wave(spawn_new_board);
        }
        break;
    case MODE_SWAP_OUT:
        if (board.pending == 0)
            board_swap_exchange();
        break;
    case MODE_SWAP_IN:
        if (board.pending == 0)
            board_swap_finish();
        break;
    default:
        break;
    }
}

// The menu, the menu button's hover animation and the key chord, on the
// player's turn only. 0 when the player quit.
static int player_turn_extras()
{
    if ((pointer_on_menu_button() && input.mouse_left) || input.keys[KEY_ESCAPE] || input.keys[KEY_F10]) {
        input_wait_keys_up();
        int choice = ingame_menu();
        if (choice == MENU_NEW_GAME)
            board_restart();
        if (choice == MENU_QUIT)
            return 0;
        input_wait_keys_up();
        click_armed = 0;
        menu_hover = 0;
        menu_frame = 0;
        if (board.mode != MODE_PLAYER_TURN)
            return 1;
    }

    if (pointer_on_menu_button()) {
        if (menu_hover) {
            if (++menu_frame == MENU_BUTTON_FRAMES)
                menu_frame = 0;
        } else {
            menu_frame = 0;
            menu_hover = 1;
        }
    } else if (menu_hover) {
        if (++menu_frame == MENU_BUTTON_FRAMES) {
            menu_frame = 0;
            menu_hover = 0;
        }
    }

    if (chord_held()) {
        keep_score = 1;
        board_restart();
        // A left press still held when the board restarts is dropped: its
        // release must not pick one of the moths now leaving.
        click_armed = 0;
    }
    return 1;
}

int game_screen_frame(int present)
{
    display_restore_background(GameBackground);
    advance_mode();

    // A left click acts on its release, wherever the pointer then is.
    if (click_armed && !input.mouse_left) {
        click_armed = 0;
        click_at_pointer(CLICK_PICK);
    }

    board_draw();
    score_draw();

    if (board.mode == MODE_PLAYER_TURN && !player_turn_extras())
        return 0;

    draw_runs(nullptr, 0, 0, table_image(MenuButtonImages, menu_frame));
    speed_slider_update();

    if (board_lost()) {
        // The final picture, without the pointer and unpresented, for the
        // end-of-game pictures. Without memory for it the game ends all the
        // same and the main loop skips those pictures.
        if (snapshot_allocate())
            display_snapshot(screen_snapshot);
        return 1;
    }
    if (board.mode == MODE_PLAYER_TURN)
        draw_sprite(nullptr, input.mouse_x, input.mouse_y, PointerImage);
    if (present)
        display_present();
    return 1;
}

void score_draw()
{
    char text[12];
    std::snprintf(text, sizeof text, "%d", (int)board.score);
    int total = 0;
    for (const char* c = text; *c; c++)
        if (*c >= '0' && *c <= '9')
            total += image_width(table_image(DigitImages, *c - '0'));
    int x = SCORE_CENTRE_X - total / 2;
    for (const char* c = text; *c; c++) {
        if (*c < '0' || *c > '9')
            continue;
        const ImageRecord* digit = table_image(DigitImages, *c - '0');
        draw_sprite(nullptr, x, SCORE_Y, digit);
        x += image_width(digit) + SCORE_DIGIT_GAP;
    }
}

static int slider_position() { return (FRAME_PERIOD_MAX - frame_period) * 51 / 76 + 526; }

void speed_slider_update()
{
    // Laptops have no keypad: the main row's = (+ with Shift) and - work too.
    if (input.keys[KEY_NUMPAD_PLUS] || input.keys[KEY_EQUALS]) {
        slider_timer = SLIDER_SHOWN_FRAMES;
        if (frame_period > FRAME_PERIOD_MIN)
            frame_period--;
        slider_x = slider_position();
    }
    if (input.keys[KEY_NUMPAD_MINUS] || input.keys[KEY_MINUS]) {
        slider_timer = SLIDER_SHOWN_FRAMES;
        if (frame_period < FRAME_PERIOD_MAX)
            frame_period++;
        slider_x = slider_position();
    }
    if (slider_timer > 0) {
        slider_timer--;
        draw_sprite(nullptr, SLIDER_BAR_X, SLIDER_Y, table_image(SpeedSliderImages, 0));
        draw_sprite(nullptr, slider_x, SLIDER_Y, table_image(SpeedSliderImages, 1));
    }
}
