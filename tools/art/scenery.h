// Pieces of the night garden that several pictures share: the sky, stars,
// the moon, the hills and trees, the garden in front, and the fixtures of
// the game screen (the score's plaque).
#pragma once

#include "tools/art/canvas.h"

// The whole garden of the playfield, without the trails.
void scenery_night_garden(ArtPicture& picture);
// The score plaque and its label, where the score is drawn.
void scenery_game_fixtures(ArtPicture& picture);

// Parts, for the other screens.
void scenery_sky(ArtPicture& picture, double horizon);
void scenery_stars(ArtPicture& picture, int count, double bottom, int seed);
void scenery_moon(ArtPicture& picture, double x, double y, double radius);
void scenery_hills(ArtPicture& picture, double horizon, int seed);
void scenery_foreground(ArtPicture& picture, double top, int seed);

// Night glass: a rounded panel, for the menu, the plaques and the
// high-score table; and the gold rim that goes round it (`rim` wide, `lit`
// 0..1 for a brighter gold).
void scenery_glass_panel(cairo_t* cr, double x, double y, double w, double h, double radius);
void scenery_gold_rim(cairo_t* cr, double x, double y, double w, double h, double radius, double rim, double lit);
void rounded_rect(cairo_t* cr, double x, double y, double w, double h, double r);

// Lettering: `text` filled with a vertical gradient from `top` to `bottom`
// over a dark outline `outline` pixels wide, baseline at y.
void scenery_lettering(cairo_t* cr, const char* text, ArtFont font, double size, double x, double baseline,
                       int alignment, Rgb top, Rgb bottom, double outline);
// A gold gradient for lettering and trims.
Rgb gold_light();
Rgb gold_deep();
