// The autoplayer's hands: one mouse read is one frame, in which it looks at
// the screen, decides, moves the pointer one step and presses or lets go.
#include "autoplay/autoplay.h"

#include "board/board.h"
#include "board/game_screen.h"
#include "board/menu.h"
#include "frame/frame.h"
#include "hiscore/hiscore.h"
#include "input/input.h"
#include "platform/platform.h"

#include <cmath>
#include <cstring>

namespace {

constexpr int HOLD_FRAMES = 2;          // a button stays down this long
constexpr int SETTLE_FRAMES = 2;        // and the hand rests this long after letting go
constexpr int MENU_HOVER_FRAMES = 25;   // the menu's highlight needs a cycle to follow the pointer
constexpr int RETRY_FRAMES = 40;        // a click that changed nothing is tried again after this
constexpr int STUCK_FRAMES = 40;        // a turn with no legal move: a new board from the menu

enum ClickStage { CLICK_TRAVEL, CLICK_HOVER, CLICK_PRESS, CLICK_RELEASE };
enum { BUTTON_LEFT = 0, BUTTON_RIGHT = 1 };

struct Click {
    bool active;
    int x, y;
    int button;
    int stage;
    int frames;     // left in the stage
};

struct Autoplayer {
    AutoplaySettings settings;
    PlatformInputFilter filter;
    uint32_t dice;

    bool placed;
    int x, y;                 // where it has put the pointer
    Click click;
    bool left_down, right_down;

    const char* screen;       // as last seen
    int screen_frames;        // frames on it so far
    int capture_frames;       // frames the screen has been waiting for typing or a click
    int since_click;          // frames since the last click on this screen ended

    int last_mode;
    int wait;                 // frames to look before acting
    AutoplayMove move;
    bool move_pending;        // the second pick of a swap is still to come
    int stuck;
    int menu_choice;

    char typing[HISCORE_NAME_MAX + 2];
    int typing_at;
    int typing_wait;
    bool typed_name;          // on this visit of the table
    uint8_t char_to_send;
    bool close_pending;

    bool in_game;
    AutoplayGame game;
    int games_played;
};

Autoplayer player;

bool screen_is(const char* name) { return player.screen && std::strcmp(player.screen, name) == 0; }

void start_click(int x, int y, int button, int hover = 0)
{
    player.click = {true, x, y, button, CLICK_TRAVEL, hover};
}

uint32_t dice_roll() { return autoplay_dice(&player.dice); }

// A point on the moth of cell i that hits that cell and no other: near its
// centre, a little off it now and then, as a hand aims.
void aim_at(int cell, int* x, int* y)
{
    int cx = cell_centres[cell].x, cy = cell_centres[cell].y;
    for (int tries = 0; tries < 6; tries++) {
        int px = cx + (int)(dice_roll() % 7) - 3;
        int py = cy + (int)(dice_roll() % 7) - 3;
        if (board_hit_test(px, py) == cell) {
            *x = px;
            *y = py;
            return;
        }
    }
    // Overlapping circles: the part of the moth the lower cell does not cover.
    for (int r = 0; r * r < HIT_RADIUS_SQUARED; r++)
        for (int dy = -r; dy <= r; dy++)
            for (int dx = -r; dx <= r; dx++)
                if ((dx == -r || dx == r || dy == -r || dy == r) && board_hit_test(cx + dx, cy + dy) == cell) {
                    *x = cx + dx;
                    *y = cy + dy;
                    return;
                }
    *x = cx;
    *y = cy;
}

void click_cell(int cell, int button)
{
    int x, y;
    aim_at(cell, &x, &y);
    start_click(x, y, button);
}

// ---- What it sees ------------------------------------------------------------

void game_over(bool restarted)
{
    player.in_game = false;
    player.game.score = board.score;
    player.game.restarted = restarted;
    player.games_played++;
    if (player.settings.on_game_over)
        player.settings.on_game_over(player.game, player.settings.context);
}

void new_game()
{
    player.in_game = true;
    player.game = AutoplayGame{};
}

void observe()
{
    const char* now = current_screen;
    if (!player.screen || std::strcmp(now, player.screen) != 0) {
        player.screen = now;
        player.screen_frames = 0;
        player.capture_frames = 0;
        player.since_click = 0;
        player.click.active = false;    // a hand lets go when the picture changes
        player.typed_name = false;
        player.typing[0] = 0;
        player.typing_at = 0;
    } else {
        player.screen_frames++;
    }
    player.capture_frames = input.char_capture ? player.capture_frames + 1 : 0;

    bool playing = screen_is("game") || screen_is("menu");
    if (player.in_game && !playing)
        game_over(false);
    if (screen_is("game")) {
        if (player.in_game && board.mode == MODE_RESTARTING && player.last_mode != MODE_RESTARTING) {
            game_over(true);
            new_game();
        }
        if (!player.in_game && board.mode == MODE_START_PAUSE)
            new_game();
        if (player.last_mode == MODE_PLAYER_TURN && board.mode == MODE_COLLECTING)
            player.game.collects++;
        if (player.last_mode == MODE_PLAYER_TURN && board.mode == MODE_SWAP_OUT)
            player.game.swaps++;
        player.last_mode = board.mode;
        if (player.settings.games > 0 && player.games_played >= player.settings.games)
            player.close_pending = true;
    }
    if (player.in_game)
        player.game.frames++;
}

// ---- What it does ------------------------------------------------------------

void decide_turn()
{
    if (board.mode != MODE_PLAYER_TURN || !player.settings.plays_board) {
        player.wait = player.settings.reaction_frames;
        player.stuck = 0;
        return;
    }
    if (player.click.active)
        return;
    if (player.settings.quits_at_first_turn) {
        player.menu_choice = MENU_QUIT;
        start_click(MENU_BUTTON_X + MENU_BUTTON_WIDTH / 2, MENU_BUTTON_Y + MENU_BUTTON_HEIGHT / 2, BUTTON_LEFT);
        return;
    }
    if (player.wait > 0) {
        player.wait--;
        return;
    }
    if (board.selected >= 0) {
        if (player.move_pending && player.move.from == board.selected)
            click_cell(player.move.to, BUTTON_LEFT);
        else
            click_cell(board.selected, BUTTON_LEFT);    // put it down and think again
        player.move_pending = false;
        return;
    }
    player.move_pending = false;
    AutoplayMove move;
    if (!autoplay_choose(player.settings.strategy, &player.dice, &move)) {
        // Nothing can be collected or swapped: only a new board goes on.
        if (++player.stuck >= STUCK_FRAMES) {
            player.menu_choice = MENU_NEW_GAME;
            start_click(MENU_BUTTON_X + MENU_BUTTON_WIDTH / 2, MENU_BUTTON_Y + MENU_BUTTON_HEIGHT / 2, BUTTON_LEFT);
        }
        return;
    }
    player.move = move;
    if (move.kind == CLICK_COLLECT) {
        click_cell(move.from, BUTTON_RIGHT);
    } else {
        click_cell(move.from, BUTTON_LEFT);
        player.move_pending = true;
    }
}

void decide_menu()
{
    if (player.click.active || (player.since_click > 0 && player.since_click < RETRY_FRAMES))
        return;
    int item = player.menu_choice == MENU_NEW_GAME || player.menu_choice == MENU_QUIT ? player.menu_choice
                                                                                     : MENU_CONTINUE;
    const MenuRect& r = menu_items[item];
    start_click(r.x + r.width / 2, r.y + r.height / 2, BUTTON_LEFT, MENU_HOVER_FRAMES);
}

// A click on a picture that waits for one, once it has been looked at.
void click_on(int frames_looked)
{
    if (player.click.active || frames_looked < player.settings.reading_frames)
        return;
    if (player.since_click > 0 && player.since_click < RETRY_FRAMES)
        return;
    if (player.settings.table_click_x >= 0 && screen_is("hiscore"))
        start_click(player.settings.table_click_x, player.settings.table_click_y, BUTTON_LEFT);
    else
        start_click(player.x, player.y, BUTTON_LEFT);
}

// The name entry shows the new row empty, with the result just played.
bool name_entry_open()
{
    if (!input.char_capture)
        return false;
    for (int row = 0; row < hiscore_table.count; row++)
        if (hiscore_table.entries[row].name[0] == 0 && hiscore_table.entries[row].score == board.score)
            return true;
    return false;
}

void decide_table()
{
    if (!player.typed_name && name_entry_open()) {
        std::strncpy(player.typing, player.settings.name ? player.settings.name : "", HISCORE_NAME_MAX);
        player.typing[HISCORE_NAME_MAX] = 0;
        std::strcat(player.typing, "\r");
        player.typing_at = 0;
        player.typing_wait = player.settings.reaction_frames;
        player.typed_name = true;
    }
    if (player.typing[player.typing_at]) {
        if (--player.typing_wait > 0)
            return;
        player.char_to_send = (uint8_t)player.typing[player.typing_at++];
        player.typing_wait = player.settings.typing_frames;
        player.capture_frames = 0;
        return;
    }
    if (input.char_capture)
        click_on(player.capture_frames);
}

void decide()
{
    if (screen_is("game"))
        decide_turn();
    else if (screen_is("menu"))
        decide_menu();
    else if (screen_is("hiscore"))
        decide_table();
    else if (screen_is("title") || screen_is("gameover"))
        click_on(player.screen_frames);
    if (!screen_is("menu") && !player.click.active)
        player.menu_choice = MENU_CONTINUE;
}

// One step of the hand: the pointer eases toward the click's spot, then the
// button goes down for a moment and comes up again.
void move_hand()
{
    player.left_down = player.right_down = false;
    Click& c = player.click;
    if (!c.active) {
        player.since_click += player.since_click > 0;
        return;
    }
    switch (c.stage) {
    case CLICK_TRAVEL: {
        double dx = c.x - player.x, dy = c.y - player.y;
        double distance = std::sqrt(dx * dx + dy * dy);
        if (distance <= 2.0) {
            player.x = c.x;
            player.y = c.y;
            c.stage = c.frames > 0 ? CLICK_HOVER : CLICK_PRESS;
            if (c.stage == CLICK_PRESS)
                c.frames = HOLD_FRAMES;
        } else {
            double step = std::fmin((double)player.settings.pointer_speed, std::fmax(2.0, distance * 0.35));
            player.x += (int)std::lround(dx * step / distance);
            player.y += (int)std::lround(dy * step / distance);
        }
        break;
    }
    case CLICK_HOVER:
        if (--c.frames <= 0) {
            c.stage = CLICK_PRESS;
            c.frames = HOLD_FRAMES;
        }
        break;
    case CLICK_PRESS:
        (c.button == BUTTON_LEFT ? player.left_down : player.right_down) = true;
        if (--c.frames <= 0) {
            c.stage = CLICK_RELEASE;
            c.frames = SETTLE_FRAMES;
        }
        break;
    case CLICK_RELEASE:
        if (--c.frames <= 0) {
            c.active = false;
            player.since_click = 1;
        }
        break;
    }
}

// ---- The filter ----------------------------------------------------------------

void yield_to_player()
{
    autoplay_stop();
    if (player.settings.on_yield)
        player.settings.on_yield(player.settings.context);
}

void on_mouse(PlatformMouse* mouse, void*)
{
    if (player.settings.yield_to_player && (mouse->left || mouse->right)) {
        yield_to_player();
        return;
    }
    if (!player.placed) {
        player.x = input.mouse_x;
        player.y = input.mouse_y;
        player.placed = true;
    }
    observe();
    decide();
    move_hand();
    mouse->dx = mouse->dy = 0;
    mouse->has_position = 1;
    mouse->x = player.x;
    mouse->y = player.y;
    mouse->left = player.left_down ? 0x80 : 0;
    mouse->right = player.right_down ? 0x80 : 0;
}

void on_keys(uint8_t keys[256], void*)
{
    if (!player.settings.yield_to_player)
        return;
    for (int key = 0; key < 256; key++)
        if (keys[key]) {
            yield_to_player();
            return;
        }
}

int on_event(PlatformEvent* event, void*)
{
    if (player.close_pending) {
        player.close_pending = false;
        *event = PlatformEvent{EVENT_CLOSE, 0};
        return 1;
    }
    if (player.char_to_send) {
        *event = PlatformEvent{EVENT_CHAR, player.char_to_send};
        if (player.settings.on_typed)
            player.settings.on_typed(player.char_to_send, player.settings.context);
        player.char_to_send = 0;
        return 1;
    }
    return 0;
}

}  // namespace

AutoplaySettings autoplay_quick_settings()
{
    AutoplaySettings quick;
    quick.pointer_speed = 40;
    quick.reaction_frames = 1;
    quick.reading_frames = 12;
    quick.typing_frames = 1;
    return quick;
}

void autoplay_start(const AutoplaySettings& settings)
{
    player = Autoplayer{};
    player.settings = settings;
    player.dice = settings.seed * 2654435761u + 1;
    player.last_mode = -1;
    player.menu_choice = MENU_CONTINUE;
    player.filter = PlatformInputFilter{on_mouse, on_keys, on_event, nullptr};
    platform_set_input_filter(&player.filter);
}

void autoplay_stop()
{
    if (platform_input_filter() == &player.filter)
        platform_set_input_filter(nullptr);
}

bool autoplay_running() { return platform_input_filter() == &player.filter; }
