// The game's three palettes and the ranges each kind of art may use.
//
// The game palette is laid out in fixed ranges, each a ramp from dark to
// light, the way 8-bit games were painted: five moth ramps, the night sky,
// the garden, the lantern glow, gold, the menu's glass, text and cold light.
#pragma once

#include "tools/art/canvas.h"

#include "shell/flow.h"

// ---- GamePalette (entry 0) -------------------------------------------------------
constexpr int PAL_BLACK = 1;          // 0 is transparent in sprites; 1 is what the quit screen shows
constexpr int PAL_INK = 2;            // outlines and shadows, near-black blues
constexpr int PAL_INK_SIZE = 14;
constexpr int PAL_MOTH = 16;          // five ramps, one per moth colour
constexpr int PAL_MOTH_SIZE = 16;
constexpr int PAL_SKY = 96;           // night sky, hills, distant things
constexpr int PAL_SKY_SIZE = 40;
constexpr int PAL_LEAF = 136;         // the garden: leaves, grass, hedges
constexpr int PAL_LEAF_SIZE = 24;
constexpr int PAL_GLOW = 160;         // lantern light, from the dark into warm white
constexpr int PAL_GLOW_SIZE = 24;
constexpr int PAL_GOLD = 184;         // trims, the score digits
constexpr int PAL_GOLD_SIZE = 16;
constexpr int PAL_GLASS = 200;        // the menu's night-glass panels
constexpr int PAL_GLASS_SIZE = 16;
constexpr int PAL_TEXT = 216;         // lettering: dark edge to cream
constexpr int PAL_TEXT_SIZE = 12;
constexpr int PAL_LIGHT = 228;        // cold light: stars, moon, ring, flight
constexpr int PAL_LIGHT_SIZE = 12;
constexpr int PAL_BLOOM = 240;        // night flowers
constexpr int PAL_BLOOM_SIZE = 16;

inline ArtRange range_ink() { return {PAL_INK, PAL_INK_SIZE}; }
inline ArtRange range_moth(int colour) { return {PAL_MOTH + colour * PAL_MOTH_SIZE, PAL_MOTH_SIZE}; }
inline ArtRange range_sky() { return {PAL_SKY, PAL_SKY_SIZE}; }
inline ArtRange range_leaf() { return {PAL_LEAF, PAL_LEAF_SIZE}; }
inline ArtRange range_glow() { return {PAL_GLOW, PAL_GLOW_SIZE}; }
inline ArtRange range_gold() { return {PAL_GOLD, PAL_GOLD_SIZE}; }
inline ArtRange range_glass() { return {PAL_GLASS, PAL_GLASS_SIZE}; }
inline ArtRange range_text() { return {PAL_TEXT, PAL_TEXT_SIZE}; }
inline ArtRange range_light() { return {PAL_LIGHT, PAL_LIGHT_SIZE}; }
inline ArtRange range_bloom() { return {PAL_BLOOM, PAL_BLOOM_SIZE}; }

const ArtPalette& art_game_palette();
// The colour the board's sprites are usually seen on, for their soft edges.
Rgb art_night_backdrop();

// ---- TitlePalette (entry 45) -------------------------------------------------------
// Entries 0..254 are the title's sky, row y painted with colour y mod 255;
// the title picture is drawn with the same colours, plus 255 for sparkle.
const ArtPalette& art_title_palette();

// ---- The logo pack's palette ---------------------------------------------------------
// LOGO_ACCENT_FIRST..255 fade in on their own on the last still.
const ArtPalette& art_logo_palette();
