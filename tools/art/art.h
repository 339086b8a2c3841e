// The game's art, sounds and texts, made by code. Every function here is
// deterministic: the same program draws the same pixels on every run.
#pragma once

#include "resources/pack_writer.h"
#include "tools/art/canvas.h"

#include <string>
#include <vector>

// ---- The board's sprites (raw, hot spot at the moth's centre) ------------------------
constexpr int MOTH_FRAMES = 20;      // 0..19 appearing, 19 steady
constexpr int SWAP_FRAMES = 30;      // 1..15 out, 15..29 in
constexpr int RING_FRAMES = 7;
constexpr int FLIGHT_FRAMES = 8;
std::vector<IndexImage> art_moth_frames(int colour);
std::vector<IndexImage> art_swap_frames(int colour);
// The selection ring the pack holds: warm, thick and glowing.
std::vector<IndexImage> art_selection_ring_frames();
std::vector<IndexImage> art_flight_frames();
// A moth in true colour, for pictures that are not sprites. `spread` folds
// the wings (1 open, 0 edge-on); `scale` is half the wingspan in pixels.
void art_draw_moth(cairo_t* cr, int colour, double cx, double cy, double scale, double spread);

// ---- The playfield and its trails --------------------------------------------------
constexpr int COLUMN_FRAMES = 16;    // 0..5 opening, 5 open, 5..15 closing
IndexImage art_playfield();          // 640 x 480
// The pictures of one column, each cropped to what it changes.
std::vector<RunImage> art_column_frames(int column);

// ---- The game screen's controls and the in-game menu ------------------------------------
std::vector<RunImage> art_menu_button_frames();        // 6, over x 13..101, y 375..438
std::vector<RunImage> art_menu_item_frames(int item);  // 20 each, over the item's rectangle
std::vector<IndexImage> art_sound_switch_frames();     // 6: 0 off .. 5 on, drawn at (440, 185)
std::vector<RunImage> art_menu_frames();               // 32 full-screen: 0..19 opening, 20..31 closing
IndexImage art_pointer();
std::vector<IndexImage> art_digit_frames();            // 10, drawn at y 87
// The score's plaque, its outer edges (inclusive), sized for scores of up
// to six digits as the game draws them, and the digits' x offset that
// places them inside it.
constexpr int SCORE_MAX_DIGITS = 6;
struct ArtScorePlaque {
    int left, top, right, bottom;
    int digit_shift;
};
ArtScorePlaque art_score_plaque();
std::vector<IndexImage> art_slider_frames();           // bar at (550, 30), knob at (526..576, 30)

// ---- Text ----------------------------------------------------------------------------
std::vector<IndexImage> art_font_glyphs();             // 256, by Windows-1251 code
std::vector<std::string> art_score_texts();            // Windows-1251

// ---- Full-screen sequences ------------------------------------------------------------
std::vector<RunImage> art_transition_frames();         // 43
std::vector<RunImage> art_end_frames();                // 11
std::vector<IndexImage> art_score_highlight_frames();  // 8, drawn at (300, row * 21 + 103)
RunImage art_title_picture();
std::vector<RunImage> art_logo_frames();               // 43

// ---- Sound ---------------------------------------------------------------------------
constexpr int SAMPLE_RATE = 22050;
std::vector<Bytes> art_sound_samples();                // unsigned 8-bit mono

// ---- Packs -----------------------------------------------------------------------------
Bytes art_game_pack();
Bytes art_logo_pack();
// Application icons: PNG files of the given sizes into `directory`.
bool art_write_icons(const std::string& directory);
