// The in-game menu: new game, sound on/off, quit, continue. Modal: it runs
// its own frames over a picture of the game screen until an item other than
// the sound switch is chosen.
#pragma once

enum MenuItem {
    MENU_NONE = -1,
    MENU_NEW_GAME = 0,
    MENU_SOUND = 1,
    MENU_QUIT = 2,
    MENU_CONTINUE = 3,
};
constexpr int MENU_ITEMS = 4;

struct MenuRect {
    int x, y, width, height;    // edges included
};
extern const MenuRect menu_items[MENU_ITEMS];

constexpr int MENU_OPEN_FRAMES = 20;        // pictures 0..19, 19 the open panel
constexpr int MENU_PANEL_PICTURE = 19;
constexpr int MENU_CLOSE_FIRST = 20;        // pictures 20..31
constexpr int MENU_CLOSE_END = 32;
constexpr int MENU_HIGHLIGHT_FRAMES = 20;
constexpr int MENU_SWITCH_X = 440;
constexpr int MENU_SWITCH_Y = 185;
constexpr int MENU_SWITCH_OFF = 0;
constexpr int MENU_SWITCH_ON = 5;

constexpr int SAMPLE_MENU_OPENS = 4;
constexpr int SAMPLE_SOUND_ON = 6;
constexpr int SAMPLE_SOUND_OFF = 7;
constexpr int SAMPLE_MENU_CHOICE = 8;

// MENU_NEW_GAME, MENU_QUIT or MENU_CONTINUE; MENU_QUIT too when the program
// is closing; MENU_NONE when a release chose an item just as the pointer
// left every item (the game treats it as continue).
int ingame_menu();
// The highest-numbered item whose rectangle holds (x, y), or MENU_NONE.
int menu_item_at(int x, int y);
