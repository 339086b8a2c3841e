// The screen flow: the intro (the maker's logo and the title), the opening
// table over the game screen, then game after game with the end pictures,
// the high-score screen and the transitions between them.
#pragma once

#include "frame/frame.h"

#include <cstdint>
#include <string>

extern int32_t quit_game;       // the game screen asked to end the program
extern uint8_t fade_palette[768];

// Where the logo pack is read from; a missing or broken one skips the logo.
extern std::string logo_pack_path;

// The quit request, the fade palette and the logo pack's path as a new
// process has them.
void flow_reset();

constexpr int FADE_STEPS = 10;
constexpr int TITLE_WAIT_MS = 5000;
constexpr int LOGO_HOLD_MS = 2000;
constexpr int COLLECTION_HOLD_MS = 500;
constexpr int LOGO_ANIMATION_FRAMES = 41;
constexpr int LOGO_STILL = 41;
constexpr int COLLECTION_STILL = 42;
constexpr int LOGO_ACCENT_FIRST = 224;
constexpr int END_PICTURES = 10;
constexpr int END_STILL = 10;
constexpr int TRANSITION_COVERED = 21;
constexpr int TRANSITION_END = 43;
constexpr int SAMPLE_TRANSITION = 0;
constexpr int SAMPLE_MOTH_SETTLES = 2;

void main_loop();
void intro_sequence();
int opening_screen();
// Entries first..last of `source` scaled by num / den, the rest as they are,
// onto the display.
void palette_fade(const uint8_t* source, int num, int den, int first, int last);
// Transition pictures first, first + step, ... up to (not including) end,
// one a frame, over the snapshot (a fresh one of the back buffer when `own`).
int screen_transition(int first, int step, int end, int own);
