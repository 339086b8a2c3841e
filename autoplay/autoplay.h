// The autoplayer: a player that plays the game only through its input, as a
// person at the mouse would.
//
// It stands between the game and the backend as the platform's input filter
// (platform_set_input_filter), so the same player drives the headless
// machine and a real window. Each mouse read is one frame for it: it looks at
// the screen as a person sees it (which screen is up, the board, the table,
// where its pointer is), moves the pointer a few to a few tens of pixels
// toward where it wants to be, and presses and releases buttons there. It
// clicks through the title, the tables and the end pictures, types its name
// at the name entry, and on the player's turn collects whenever it can, else
// makes the swap that best builds groups of four.
//
// It never draws from the game's random generator: a recording made while
// it plays holds only its input and replays like any other.
//
// Lives in a folder of its own because three kinds of program use it and
// none owns it: the game (`--demo`), the soak test and the statistics tool.
#pragma once

#include <cstdint>

enum AutoplayStrategy {
    AUTOPLAY_BEST = 0,      // collects whenever it can, else the swap that best builds groups
    AUTOPLAY_RANDOM = 1,    // any legal collect or swap, picked at random
    AUTOPLAY_CARELESS = 2,  // never collects: swaps moths at random, so the columns fill and the game is soon lost
    AUTOPLAY_HASTY = 3,     // collects whenever it can, else swaps at random: a short game with some points
};

// One game as the player saw it: from the pause before a new board to the
// turn on which it was lost (or the player started a new board from the menu).
struct AutoplayGame {
    int32_t score;
    uint64_t frames;     // frames of the game screen, the in-game menu's included
    int32_t swaps;
    int32_t collects;
    bool restarted;      // ended by "new game" from the menu, not lost
};

struct AutoplaySettings {
    int strategy = AUTOPLAY_BEST;
    uint32_t seed = 1;                 // the player's own choices and aim
    int games = 0;                     // closes the window after this many games; 0 plays on
    const char* name = "Moth-o-matic"; // typed at the name entry (Windows-1251)
    int pointer_speed = 24;            // most pixels the pointer travels in a frame
    int reaction_frames = 6;           // frames it looks at a new turn before acting
    int reading_frames = 45;           // frames it looks at a picture or a table before clicking on
    int typing_frames = 3;             // frames between two typed characters
    // false: it clicks through the pictures and tables but leaves the board alone.
    bool plays_board = true;
    // On its first turn it opens the menu and quits instead of playing.
    bool quits_at_first_turn = false;
    // Where it clicks to close a table that waits for a click; x -1: where
    // its pointer already is.
    int table_click_x = -1, table_click_y = -1;
    // The demo: a real click or key press hands the game back to the person
    // at the machine, and the autoplayer steps aside for good.
    bool yield_to_player = false;
    void (*on_game_over)(const AutoplayGame& game, void* context) = nullptr;
    // Called once when the player takes over (with yield_to_player).
    void (*on_yield)(void* context) = nullptr;
    // Called as each typed character goes to the game, on the frame it is read.
    void (*on_typed)(uint8_t character, void* context) = nullptr;
    void* context = nullptr;
};

// A pace for runs nobody watches (soak, statistics): the same gestures,
// quicker hands.
AutoplaySettings autoplay_quick_settings();

// Installs the player as the platform's input filter.
void autoplay_start(const AutoplaySettings& settings);
// Takes it away again; the backend's own input is live from the next read.
void autoplay_stop();
bool autoplay_running();

// ---- The choice of a move ----------------------------------------------------

struct AutoplayMove {
    int kind;    // CLICK_COLLECT: collect at cell `from`; CLICK_PICK: swap `from` with `to`
    int from, to;
};

// The move the strategy makes on the board as it stands on the player's
// turn; false when no collect or swap is legal. `random_state` is the
// player's own generator, advanced by the choices it makes.
bool autoplay_choose(int strategy, uint32_t* random_state, AutoplayMove* move);
// The player's own dice, apart from the game's generator (which it must
// never draw from, or a recording would no longer replay): the next number
// of the xorshift sequence kept in `state`.
uint32_t autoplay_dice(uint32_t* state);
