#include "board/menu.h"

#include "audio/sound.h"
#include "board/game_screen.h"
#include "frame/frame.h"
#include "input/input.h"
#include "platform/globals.h"
#include "resources/resources.h"
#include "video/display.h"
#include "video/image.h"

const MenuRect menu_items[MENU_ITEMS] = {
    {237, 44, 124, 103},    // new game
    {290, 160, 125, 77},    // sound
    {195, 235, 110, 74},    // quit
    {257, 329, 160, 72},    // continue
};

int menu_item_at(int x, int y)
{
    for (int item = MENU_ITEMS - 1; item >= 0; item--) {
        const MenuRect& r = menu_items[item];
        if (x >= r.x && x <= r.x + r.width && y >= r.y && y <= r.y + r.height)
            return item;
    }
    return MENU_NONE;
}

namespace {

struct MenuState {
    int selected;
    int phase;
};

// The highlight runs its 20-frame cycle to the end before it may follow the
// pointer to another item (or away from all of them).
void follow_pointer(MenuState& menu)
{
    int hovered = menu_item_at(input.mouse_x, input.mouse_y);
    if (++menu.phase == MENU_HIGHLIGHT_FRAMES)
        menu.phase = 0;
    if (menu.phase == 0 && hovered != menu.selected) {
        menu.selected = hovered;
        menu.phase = 1;
    }
}

void draw_panel(const MenuState& menu, int switch_image)
{
    display_restore_background(screen_snapshot);
    speed_slider_update();    // the speed keys work inside the menu too
    draw_fill_runs(nullptr, 0, 0, table_image(MenuImages, MENU_PANEL_PICTURE));
    if (menu.selected >= 0)
        draw_runs(nullptr, 0, 0, table_image(MenuItemImages[menu.selected], menu.phase));
    draw_sprite(nullptr, MENU_SWITCH_X, MENU_SWITCH_Y, table_image(MenuToggleImages, switch_image));
}

int resting_switch_image() { return sound_system.sound_enabled ? MENU_SWITCH_ON : MENU_SWITCH_OFF; }

// The sound switch: the sample of the new setting, six frames of the switch
// turning, and only then the setting itself changes (switching off, the
// sample is still heard). 0 when the program is closing.
int toggle_sound(MenuState& menu)
{
    bool was_off = sound_system.sound_enabled == 0;
    if (was_off && sound_system.sound_available)
        sound_system.sound_enabled = 1;
    sound_play_sample(was_off ? SAMPLE_SOUND_ON : SAMPLE_SOUND_OFF);
    for (int k = 0; k <= MENU_SWITCH_ON; k++) {
        if (!frame_next())
            return 0;
        follow_pointer(menu);
        draw_panel(menu, was_off ? k : MENU_SWITCH_ON - k);
        display_present();
    }
    if (!was_off && sound_system.sound_available)
        sound_system.sound_enabled = 0;
    return 1;
}

}  // namespace

int ingame_menu()
{
    // Without memory for the picture of the game the menu cannot be shown
    // over it; play simply goes on.
    if (!snapshot_allocate())
        return MENU_CONTINUE;
    current_screen = "menu";
    display_snapshot(screen_snapshot);
    sound_play_sample(SAMPLE_MENU_OPENS);
    for (int i = 0; i < MENU_OPEN_FRAMES; i++) {
        if (!frame_next())
            return MENU_QUIT;
        display_restore_background(screen_snapshot);
        draw_fill_runs(nullptr, 0, 0, table_image(MenuImages, i));
        display_present();
    }

    MenuState menu = {MENU_NONE, 1};
    for (;;) {
        // One pass of the selection loop, until something is chosen. A
        // choice is the release of the left button while an item is
        // highlighted, wherever the pointer then is.
        bool armed = input.mouse_left != 0;
        bool chosen = false;
        while (!chosen) {
            if (!frame_next())
                return MENU_QUIT;
            if (input.mouse_left)
                armed = true;
            else if (armed && menu.selected >= 0)
                chosen = true;
            else
                armed = false;
            follow_pointer(menu);
            if (input.keys[KEY_ESCAPE]) {
                menu.selected = MENU_CONTINUE;
                chosen = true;
            }
            draw_panel(menu, resting_switch_image());
            draw_sprite(nullptr, input.mouse_x, input.mouse_y, PointerImage);
            display_present();
        }

        sound_play_sample(SAMPLE_MENU_CHOICE);
        if (menu.selected == MENU_SOUND) {
            if (!toggle_sound(menu))
                return MENU_QUIT;
            continue;
        }

        input_wait_keys_up();
        for (int i = MENU_CLOSE_FIRST; i < MENU_CLOSE_END; i++) {
            if (!frame_next())
                return MENU_QUIT;
            display_restore_background(screen_snapshot);
            draw_fill_runs(nullptr, 0, 0, table_image(MenuImages, i));
            display_present();
        }
        display_restore_background(screen_snapshot);
        snapshot_free();
        return menu.selected;
    }
}
