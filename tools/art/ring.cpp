// The ring round the selected moth: a thick band of amber lantern light
// between dark edges, in a soft warm glow, with three beads of light
// chasing round it. Amber of middle lightness stands out both from the
// dark sky and garden and, by its dark edges, from the white stars and
// the pale moths.
#include "tools/art/art.h"
#include "tools/art/palettes.h"

#include <cmath>

namespace {

constexpr int CANVAS = 45;            // the hot spot is pixel 22
constexpr double CENTRE = CANVAS / 2.0;
constexpr double RADIUS = 16.0;       // just clear of a moth's wing tips

void circle(cairo_t* cr, double radius) { cairo_arc(cr, CENTRE, CENTRE, radius, 0, 2 * M_PI); }

}  // namespace

std::vector<IndexImage> art_selection_ring_frames()
{
    std::vector<IndexImage> frames;
    for (int f = 0; f < RING_FRAMES; f++) {
        double pulse = 0.5 + 0.5 * std::cos(f * 2 * M_PI / RING_FRAMES);
        ArtPicture picture = art_picture_create(CANVAS, CANVAS, {range_glow(), range_ink()});
        // The glow spreads outwards, into the night; inside lies the moth.
        int halo = art_element(picture, {range_glow()});
        art_draw(picture, halo, 0.12, [&](cairo_t* cr) {
            cairo_pattern_t* g = cairo_pattern_create_radial(CENTRE, CENTRE, RADIUS, CENTRE, CENTRE, RADIUS + 7.5);
            double strength = 0.75 + 0.25 * pulse;
            cairo_pattern_add_color_stop_rgba(g, 0.0, 1.0, 0.55, 0.12, 0.0);
            cairo_pattern_add_color_stop_rgba(g, 0.01, 1.0, 0.55, 0.12, strength);
            cairo_pattern_add_color_stop_rgba(g, 0.5, 1.0, 0.5, 0.1, 0.45 * strength);
            cairo_pattern_add_color_stop_rgba(g, 1.0, 1.0, 0.45, 0.1, 0.0);
            cairo_set_source(cr, g);
            cairo_paint(cr);
            cairo_pattern_destroy(g);
        });
        int edge = art_element(picture, {range_ink()});
        art_draw(picture, edge, 0.5, [&](cairo_t* cr) {
            cairo_set_source_rgb(cr, 0.03, 0.02, 0.03);
            cairo_set_line_width(cr, 6.6);
            circle(cr, RADIUS);
            cairo_stroke(cr);
        });
        // The band keeps to one amber of middle lightness on every frame;
        // the glow and the beads carry the pulse.
        int band = art_element(picture, {range_glow(), range_gold()});
        art_draw(picture, band, 0.5, [&](cairo_t* cr) {
            cairo_set_source_rgb(cr, 0.80, 0.465, 0.11);
            cairo_set_line_width(cr, 3.4);
            circle(cr, RADIUS);
            cairo_stroke(cr);
        });
        int beads = art_element(picture, {range_glow(), range_ink()});
        art_draw(picture, beads, 0.5, [&](cairo_t* cr) {
            for (int k = 0; k < 3; k++) {
                double a = (k / 3.0 + f / (3.0 * RING_FRAMES)) * 2 * M_PI - M_PI / 2;
                double x = CENTRE + std::cos(a) * RADIUS, y = CENTRE + std::sin(a) * RADIUS;
                cairo_arc(cr, x, y, 2.6, 0, 2 * M_PI);
                cairo_set_source_rgb(cr, 0.03, 0.02, 0.03);
                cairo_fill(cr);
                cairo_arc(cr, x, y, 1.7, 0, 2 * M_PI);
                cairo_set_source_rgb(cr, 1.0, 0.86, 0.5);
                cairo_fill(cr);
            }
        });
        ArtQuantize how;
        how.backdrop = art_night_backdrop();
        how.alpha_cutoff = 0.12;
        IndexImage image;
        image.width = CANVAS;
        image.height = CANVAS;
        image.x_offset = -(CANVAS / 2);
        image.y_offset = -(CANVAS / 2);
        image.pixels = art_quantize(picture, art_game_palette(), how);
        frames.push_back(image);
        art_picture_free(picture);
    }
    return frames;
}
