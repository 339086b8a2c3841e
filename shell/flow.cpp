// The screen flow and its helpers: the palette fade, the screen transition
// and the one shared snapshot buffer, whose owner is noted at each use.
#include "shell/flow.h"

#include "audio/sound.h"
#include "board/board.h"
#include "board/game_screen.h"
#include "hiscore/hiscore.h"
#include "input/input.h"
#include "platform/globals.h"
#include "platform/platform.h"
#include "resources/resources.h"
#include "frame/frame.h"
#include "frame/pump.h"
#include "frame/settings_keeper.h"
#include "video/display.h"
#include "video/image.h"

#include <cstring>

int32_t quit_game;
uint8_t fade_palette[768];
std::string logo_pack_path = "brenmoor.res";

void flow_reset()
{
    quit_game = 0;
    std::memset(fade_palette, 0, sizeof fade_palette);
    logo_pack_path = "brenmoor.res";
}

void palette_fade(const uint8_t* source, int num, int den, int first, int last)
{
    for (int i = 0; i < 256; i++)
        for (int c = 0; c < 3; c++)
            fade_palette[i * 3 + c] = (first <= i && i <= last) ? (uint8_t)(source[i * 3 + c] * num / den) : source[i * 3 + c];
    display_set_palette(fade_palette);
}

// A picture that fills the screen, over whatever the snapshot (or, without
// one, the back buffer) holds.
static void restore_snapshot()
{
    if (screen_snapshot)
        display_restore_background(screen_snapshot);
}

int screen_transition(int first, int step, int end, int own)
{
    current_screen = "transition";
    if (own && snapshot_allocate())
        display_snapshot(screen_snapshot);
    sound_play_sample(SAMPLE_TRANSITION);
    for (int index = first; index != end && index >= 0 && index < TransitionImages.count; index += step) {
        if (!frame_next())
            return 0;
        restore_snapshot();
        draw_fill_runs(nullptr, 0, 0, table_image(TransitionImages, index));
        display_present();
    }
    if (own)
        snapshot_free();
    return 1;
}

// ---- Intro ----------------------------------------------------------------

// The logo runs on the pump alone: no input is read and nothing skips it.
static bool logo_frame() { return frame_pump((uint32_t)frame_period) != 0; }

static bool logo_fade(int first, int last, bool in)
{
    for (int step = 0; step <= FADE_STEPS; step++) {
        if (!logo_frame())
            return false;
        palette_fade(LogoPalette, in ? step : FADE_STEPS - step, FADE_STEPS, first, last);
        display_present();
    }
    return true;
}

// Shows the last picture for `ms` milliseconds, measured as elapsed time so
// the tick counter's wrap-around cannot cut it short or stretch it.
static bool logo_hold(uint32_t ms)
{
    uint32_t start = platform_ticks();
    while (platform_ticks() - start < ms) {
        if (!logo_frame())
            return false;
        display_present();
    }
    return true;
}

static bool logo_sequence()
{
    current_screen = "logo";
    palette_fade(LogoPalette, 0, 1, 0, 255);
    draw_fill_runs(nullptr, 0, 0, table_image(LogoImages, 0));
    if (!logo_frame() || !logo_fade(0, 255, true))
        return false;
    for (int i = 0; i < LOGO_ANIMATION_FRAMES; i++) {
        if (!logo_frame())
            return false;
        draw_fill_runs(nullptr, 0, 0, table_image(LogoImages, i));
        display_present();
    }
    // The maker's name: its accent colours light up on their own.
    palette_fade(LogoPalette, 0, 1, LOGO_ACCENT_FIRST, 255);
    draw_fill_runs(nullptr, 0, 0, table_image(LogoImages, LOGO_STILL));
    if (!logo_fade(LOGO_ACCENT_FIRST, 255, true) || !logo_hold(LOGO_HOLD_MS) || !logo_fade(0, 255, false))
        return false;
    draw_fill_runs(nullptr, 0, 0, table_image(LogoImages, COLLECTION_STILL));
    return logo_fade(0, 255, true) && logo_hold(COLLECTION_HOLD_MS) && logo_fade(0, 255, false);
}

// The title's fades run without the frame wait, as fast as presenting goes.
static void fast_fade(const uint8_t* palette, bool in)
{
    for (int step = 0; step <= FADE_STEPS; step++) {
        input_poll_mouse();
        input_poll_keys();
        palette_fade(palette, in ? step : FADE_STEPS - step, FADE_STEPS, 0, 255);
        display_present();
    }
}

// The title: its gradient and picture until a click, Escape or the space
// bar, or five seconds. False when the program is closing.
static bool title_screen()
{
    current_screen = "title";
    for (int y = 0; y < SCREEN_HEIGHT; y++)
        fill_rect(0, y, SCREEN_WIDTH, 1, (uint8_t)(y % 255));
    draw_fill_runs(nullptr, 0, 0, TitlePicture);
    TitlePalette[0] = TitlePalette[1] = TitlePalette[2] = 0;
    fast_fade(TitlePalette, true);

    // A click counts when it is released, also one already held now.
    bool was_down = input.mouse_left != 0;
    uint32_t start = platform_ticks();
    if (!frame_next())
        return false;
    for (;;) {
        bool ended = false;
        if (input.mouse_left)
            was_down = true;
        else if (was_down)
            ended = true;
        if (input.keys[KEY_ESCAPE] || input.keys[KEY_SPACE])
            ended = true;
        if (platform_ticks() - start > (uint32_t)TITLE_WAIT_MS)
            ended = true;
        display_present();
        if (ended)
            break;
        if (!frame_next())
            return false;
    }
    input_wait_keys_up();
    fast_fade(TitlePalette, false);
    return true;
}

void intro_sequence()
{
    bool logo = load_logo_pack(logo_pack_path.c_str());
    // The empty back buffer, to come back to after the title. Owned here.
    if (snapshot_allocate())
        display_snapshot(screen_snapshot);
    if (!quick_start && logo && !logo_sequence())
        return;
    if (!title_screen())
        return;
    if (screen_snapshot)
        display_restore_background(screen_snapshot);
    else
        display_clear(0);
    fast_fade(GamePalette, true);
    snapshot_free();
    display_set_palette(GamePalette);
}

// ---- Opening and the games ---------------------------------------------------

int opening_screen()
{
    current_screen = "opening";
    game_screen_frame(0);
    // The table is shown over the covered playfield. Owned here.
    bool owned = snapshot_allocate() != nullptr;
    game_screen_frame(0);
    draw_fill_runs(nullptr, 0, 0, table_image(TransitionImages, TRANSITION_COVERED));
    hiscore_view();
    current_screen = "opening";
    game_screen_frame(0);
    if (owned)
        display_snapshot(screen_snapshot);
    screen_transition(TRANSITION_COVERED, 1, TRANSITION_END, 0);
    snapshot_free();
    return 1;
}

// The last picture of a lost game, then the still that waits for a key or
// a click. False when the program is closing.
static bool end_pictures()
{
    current_screen = "gameover";
    for (int i = 0; i < END_PICTURES; i++) {
        if (!frame_next())
            return false;
        display_restore_background(screen_snapshot);
        draw_fill_runs(nullptr, 0, 0, table_image(MainScreenImages, i));
        display_present();
    }
    input_begin_typing();
    for (;;) {
        if (!frame_next())
            return false;
        display_restore_background(screen_snapshot);
        draw_fill_runs(nullptr, 0, 0, table_image(MainScreenImages, END_STILL));
        display_present();
        if (input_peek_char() && input_next_char())
            break;
        if (input.mouse_left || input.mouse_right)
            break;    // a button still held from the game ends it at once
    }
    return true;
}

// A fresh board as a game starts: the opening pause comes first, so the
// player's turn (the menu button, the pointer, clicks) is not run on it.
static void start_board()
{
    board_new_game();
    board.mode = MODE_START_PAUSE;
    board.pending = GAME_START_PAUSE;
}

void main_loop()
{
    display_set_palette(GamePalette);
    input.mouse_x = 320;
    input.mouse_y = 240;
    sound_load_sample(3, SAMPLE_MOTH_SETTLES);
    settings_apply_sound();
    keep_score = 0;
    board_reset_columns();
    intro_sequence();
    board_new_game();
    opening_screen();

    for (;;) {
        quit_game = 0;
        start_board();
        for (;;) {
            current_screen = "game";
            if (!frame_next())
                return;
            if (!game_screen_frame(1)) {
                quit_game = 1;
                break;
            }
            if (board.mode == MODE_PLAYER_TURN && board_lost())
                break;
        }
        input_end_typing();
        if (quit_game) {
            display_clear(1);
            display_present();
            return;
        }
        // The end pictures need the final picture of the board; without it
        // (no memory for it) the game goes straight on to the table.
        if (screen_snapshot) {
            bool going_on = end_pictures();
            snapshot_free();
            if (!going_on)
                return;
            input_end_typing();
            input_wait_keys_up();
        }
        screen_transition(0, 1, TRANSITION_COVERED + 1, 1);
        hiscore_after_game(board.score);
        // The board the transition plays over is the next game's, before its
        // first turn; the lost game's turn must not go on under the click or
        // key that closed the table.
        start_board();
        game_screen_frame(0);
        screen_transition(TRANSITION_COVERED + 1, 1, TRANSITION_END, 1);
    }
}
