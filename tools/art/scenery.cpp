// The night garden, painted in layers from the sky forward.
#include "tools/art/scenery.h"

#include "tools/art/art.h"
#include "tools/art/palettes.h"

#include <algorithm>
#include <cmath>

namespace {

void set(cairo_t* cr, Rgb c, double a = 1.0) { cairo_set_source_rgba(cr, c.r, c.g, c.b, a); }

double ridge(double x, double horizon, int seed, double height)
{
    double y = horizon;
    for (int k = 1; k <= 4; k++) {
        double phase = art_noise(k, 7, seed) * 2 * M_PI;
        y -= height / k * (0.5 + 0.5 * std::sin(x * 0.006 * k * (1.0 + 0.3 * art_noise(k, 9, seed)) + phase));
    }
    return y;
}

}  // namespace

void rounded_rect(cairo_t* cr, double x, double y, double w, double h, double r)
{
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - r, y + r, r, -M_PI / 2, 0);
    cairo_arc(cr, x + w - r, y + h - r, r, 0, M_PI / 2);
    cairo_arc(cr, x + r, y + h - r, r, M_PI / 2, M_PI);
    cairo_arc(cr, x + r, y + r, r, M_PI, 3 * M_PI / 2);
    cairo_close_path(cr);
}

void scenery_sky(ArtPicture& picture, double horizon)
{
    art_draw(picture, 0, 0.0, [&](cairo_t* cr) {
        cairo_pattern_t* g = cairo_pattern_create_linear(0, 0, 0, horizon);
        cairo_pattern_add_color_stop_rgb(g, 0.0, 0.008, 0.016, 0.06);
        cairo_pattern_add_color_stop_rgb(g, 0.35, 0.024, 0.05, 0.15);
        cairo_pattern_add_color_stop_rgb(g, 0.75, 0.055, 0.11, 0.27);
        cairo_pattern_add_color_stop_rgb(g, 1.0, 0.12, 0.2, 0.40);
        cairo_set_source(cr, g);
        cairo_paint(cr);
        cairo_pattern_destroy(g);
    });
    // A faint river of stars across the sky.
    art_glow(picture, -1, 1.0, 40.0, CAIRO_OPERATOR_ADD, [&](cairo_t* cr) {
        cairo_set_source_rgba(cr, 0.16, 0.2, 0.34, 0.35);
        cairo_set_line_width(cr, 60);
        cairo_move_to(cr, -40, horizon * 0.9);
        cairo_curve_to(cr, 180, horizon * 0.45, 380, horizon * 0.2, 700, -20);
        cairo_stroke(cr);
    });
}

void scenery_stars(ArtPicture& picture, int count, double bottom, int seed)
{
    int star = art_element(picture, {range_light(), range_sky()});
    art_draw(picture, star, 0.45, [&](cairo_t* cr) {
        for (int i = 0; i < count; i++) {
            double x = art_noise(i, 1, seed) * picture.width + picture.origin_x;
            double y = std::pow(art_noise(i, 2, seed), 1.3) * bottom + picture.origin_y;
            double bright = art_noise(i, 3, seed);
            double size = bright > 0.93 ? 1.3 : bright > 0.7 ? 0.9 : 0.65;
            cairo_set_source_rgba(cr, 0.8 + 0.2 * bright, 0.88 + 0.12 * bright, 1.0, 0.45 + 0.55 * bright);
            cairo_arc(cr, x, y, size, 0, 2 * M_PI);
            cairo_fill(cr);
            if (bright > 0.965) {
                cairo_set_line_width(cr, 0.7);
                cairo_move_to(cr, x - 4, y);
                cairo_line_to(cr, x + 4, y);
                cairo_move_to(cr, x, y - 4);
                cairo_line_to(cr, x, y + 4);
                cairo_stroke(cr);
            }
        }
    });
}

void scenery_moon(ArtPicture& picture, double x, double y, double radius)
{
    art_glow(picture, -1, 1.0, radius * 2.2, CAIRO_OPERATOR_ADD, [&](cairo_t* cr) {
        cairo_set_source_rgba(cr, 0.3, 0.4, 0.6, 0.55);
        cairo_arc(cr, x, y, radius * 1.5, 0, 2 * M_PI);
        cairo_fill(cr);
    });
    int moon = art_element(picture, {range_light(), range_sky()});
    art_draw(picture, moon, 0.5, [&](cairo_t* cr) {
        // the lit crescent: the disc less a disc moved towards the upper right
        cairo_push_group(cr);
        cairo_pattern_t* g = cairo_pattern_create_radial(x - radius * 0.4, y + radius * 0.2, 0, x, y, radius);
        cairo_pattern_add_color_stop_rgb(g, 0.0, 1.0, 0.99, 0.94);
        cairo_pattern_add_color_stop_rgb(g, 1.0, 0.78, 0.86, 0.98);
        cairo_set_source(cr, g);
        cairo_arc(cr, x, y, radius, 0, 2 * M_PI);
        cairo_fill(cr);
        cairo_pattern_destroy(g);
        cairo_set_operator(cr, CAIRO_OPERATOR_CLEAR);
        cairo_arc(cr, x + radius * 0.48, y - radius * 0.3, radius * 0.9, 0, 2 * M_PI);
        cairo_fill(cr);
        cairo_pop_group_to_source(cr);
        cairo_paint(cr);
    });
}

void scenery_hills(ArtPicture& picture, double horizon, int seed)
{
    double left = picture.origin_x, right = picture.origin_x + picture.width;
    // mist rising from the valley
    art_glow(picture, -1, 1.0, 24.0, CAIRO_OPERATOR_ADD, [&](cairo_t* cr) {
        cairo_set_source_rgba(cr, 0.12, 0.17, 0.3, 0.5);
        cairo_rectangle(cr, left, horizon - 34, right - left, 30);
        cairo_fill(cr);
    });
    int hills = art_element(picture, {range_sky()});
    art_draw(picture, hills, 0.5, [&](cairo_t* cr) {
        cairo_move_to(cr, left - 2, picture.origin_y + picture.height + 2);
        for (double x = left - 2; x <= right + 2; x += 2)
            cairo_line_to(cr, x, ridge(x, horizon, seed, 26));
        cairo_line_to(cr, right + 2, picture.origin_y + picture.height + 2);
        cairo_close_path(cr);
        cairo_pattern_t* g = cairo_pattern_create_linear(0, horizon - 40, 0, horizon + 40);
        cairo_pattern_add_color_stop_rgb(g, 0.0, 0.09, 0.15, 0.31);
        cairo_pattern_add_color_stop_rgb(g, 1.0, 0.03, 0.06, 0.14);
        cairo_set_source(cr, g);
        cairo_fill(cr);
        cairo_pattern_destroy(g);
    });
    // a line of trees, round crowns on a dark band
    int trees = art_element(picture, {range_leaf(), range_sky()});
    art_draw(picture, trees, 0.5, [&](cairo_t* cr) {
        set(cr, rgb_hex(0x040d14));
        cairo_move_to(cr, left - 2, picture.origin_y + picture.height + 2);
        for (double x = left - 2; x <= right + 2; x += 2)
            cairo_line_to(cr, x, ridge(x, horizon + 26, seed + 1, 14));
        cairo_line_to(cr, right + 2, picture.origin_y + picture.height + 2);
        cairo_close_path(cr);
        cairo_fill(cr);
        for (int i = 0; i < 70; i++) {
            double x = left + art_noise(i, 4, seed) * (right - left);
            double r = 6 + 12 * art_noise(i, 5, seed);
            double y = ridge(x, horizon + 26, seed + 1, 14) - r * 0.5 + 4;
            cairo_pattern_t* g = cairo_pattern_create_radial(x - r * 0.3, y - r * 0.5, 0, x, y, r * 1.1);
            cairo_pattern_add_color_stop_rgb(g, 0.0, 0.07, 0.16, 0.19);
            cairo_pattern_add_color_stop_rgb(g, 1.0, 0.015, 0.05, 0.07);
            cairo_set_source(cr, g);
            cairo_arc(cr, x, y, r, 0, 2 * M_PI);
            cairo_fill(cr);
            cairo_pattern_destroy(g);
        }
    });
}

void scenery_foreground(ArtPicture& picture, double top, int seed)
{
    double left = picture.origin_x, right = picture.origin_x + picture.width;
    double bottom = picture.origin_y + picture.height;
    int leaves = art_element(picture, {range_leaf()});
    art_draw(picture, leaves, 0.5, [&](cairo_t* cr) {
        // bushes, lit by the moon from the upper left
        for (int i = 0; i < 46; i++) {
            double x = left + (i + art_noise(i, 1, seed)) / 46.0 * (right - left + 40) - 20;
            double edge = std::min(x - left, right - x);
            double lift = edge < 60 ? (60 - edge) * 0.45 : 0;
            double r = 16 + 20 * art_noise(i, 2, seed) + lift * 0.15;
            double y = top + 22 + 26 * art_noise(i, 3, seed) - lift;
            cairo_pattern_t* g = cairo_pattern_create_radial(x - r * 0.35, y - r * 0.45, r * 0.1, x, y, r);
            cairo_pattern_add_color_stop_rgb(g, 0.0, 0.14, 0.30, 0.24);
            cairo_pattern_add_color_stop_rgb(g, 0.6, 0.04, 0.12, 0.10);
            cairo_pattern_add_color_stop_rgb(g, 1.0, 0.015, 0.05, 0.045);
            cairo_set_source(cr, g);
            cairo_arc(cr, x, y, r, 0, 2 * M_PI);
            cairo_fill(cr);
            cairo_pattern_destroy(g);
            // leaves along the bush's moonlit top
            for (int k = 0; k < 14; k++) {
                double a = M_PI * (1.05 + 0.9 * k / 13.0);
                double lx = x + std::cos(a) * r * 0.92, ly = y + std::sin(a) * r * 0.92;
                double lit = 0.5 + 0.5 * std::cos(a + M_PI * 0.25) * -1;
                cairo_save(cr);
                cairo_translate(cr, lx, ly);
                cairo_rotate(cr, a + M_PI / 2 + (art_noise(i, k, seed + 5) - 0.5));
                cairo_scale(cr, 2.4, 5.5);
                cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
                cairo_restore(cr);
                cairo_set_source_rgb(cr, 0.04 + 0.1 * lit, 0.12 + 0.2 * lit, 0.1 + 0.14 * lit);
                cairo_fill(cr);
            }
        }
        set(cr, rgb_hex(0x020a08));
        cairo_rectangle(cr, left, top + 48, right - left, bottom - top - 48);
        cairo_fill(cr);
        // grass blades in front
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        for (int i = 0; i < 260; i++) {
            double x = left + art_noise(i, 6, seed) * (right - left);
            double base = bottom + 4;
            double h = 16 + 34 * art_noise(i, 7, seed);
            double lean = (art_noise(i, 8, seed) - 0.5) * 18;
            double lit = art_noise(i, 9, seed);
            cairo_set_source_rgb(cr, 0.03 + 0.12 * lit, 0.09 + 0.22 * lit, 0.08 + 0.14 * lit);
            cairo_set_line_width(cr, 1.2 + lit);
            cairo_move_to(cr, x, base);
            cairo_curve_to(cr, x, base - h * 0.5, x + lean * 0.5, base - h * 0.8, x + lean, base - h);
            cairo_stroke(cr);
        }
    });
    // night flowers in the bushes
    int blooms = art_element(picture, {range_bloom(), range_leaf()});
    art_draw(picture, blooms, 0.5, [&](cairo_t* cr) {
        for (int i = 0; i < 16; i++) {
            double x = left + 20 + art_noise(i, 10, seed) * (right - left - 40);
            double y = top + 26 + art_noise(i, 11, seed) * 34;
            double r = 2.6 + 1.6 * art_noise(i, 12, seed);
            bool white = art_noise(i, 13, seed) > 0.5;
            for (int k = 0; k < 5; k++) {
                double a = k * 2 * M_PI / 5 + art_noise(i, 14, seed);
                cairo_set_source_rgb(cr, white ? 0.95 : 0.78, white ? 0.9 : 0.56, white ? 0.98 : 0.82);
                cairo_arc(cr, x + std::cos(a) * r, y + std::sin(a) * r, r * 0.75, 0, 2 * M_PI);
                cairo_fill(cr);
            }
            cairo_set_source_rgb(cr, 0.45, 0.2, 0.45);
            cairo_arc(cr, x, y, r * 0.45, 0, 2 * M_PI);
            cairo_fill(cr);
        }
    });
}

Rgb gold_light() { return rgb_hex(0xfff0b0); }
Rgb gold_deep() { return rgb_hex(0xc8821c); }

void scenery_lettering(cairo_t* cr, const char* text, ArtFont font, double size, double x, double baseline,
                       int alignment, Rgb top, Rgb bottom, double outline)
{
    art_use_font(cr, font, size);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    if (outline > 0) {
        art_text_path(cr, text, x, baseline, alignment);
        cairo_set_source_rgb(cr, 0.015, 0.015, 0.04);
        cairo_set_line_width(cr, outline * 2);
        cairo_stroke(cr);
    }
    art_text_path(cr, text, x, baseline, alignment);
    cairo_pattern_t* g = cairo_pattern_create_linear(0, baseline - size * 0.75, 0, baseline);
    cairo_pattern_add_color_stop_rgb(g, 0.0, top.r, top.g, top.b);
    cairo_pattern_add_color_stop_rgb(g, 1.0, bottom.r, bottom.g, bottom.b);
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
}

void scenery_glass_panel(cairo_t* cr, double x, double y, double w, double h, double radius)
{
    // dark glass with a faint sheen from above
    rounded_rect(cr, x, y, w, h, radius);
    cairo_pattern_t* g = cairo_pattern_create_linear(0, y, 0, y + h);
    cairo_pattern_add_color_stop_rgb(g, 0.0, 0.09, 0.11, 0.3);
    cairo_pattern_add_color_stop_rgb(g, 0.5, 0.035, 0.045, 0.16);
    cairo_pattern_add_color_stop_rgb(g, 1.0, 0.05, 0.06, 0.2);
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
}

void scenery_gold_rim(cairo_t* cr, double x, double y, double w, double h, double radius, double rim, double lit)
{
    rounded_rect(cr, x, y, w, h, radius);
    cairo_set_source_rgb(cr, 0.02, 0.02, 0.05);
    cairo_set_line_width(cr, rim + 2.0);
    cairo_stroke(cr);
    rounded_rect(cr, x, y, w, h, radius);
    Rgb top = rgb_mix(rgb_hex(0xffe080), rgb_hex(0xfff8e0), lit);
    Rgb middle = rgb_mix(rgb_hex(0xc08418), rgb_hex(0xf0b040), lit);
    Rgb bottom = rgb_mix(rgb_hex(0xf0b84c), rgb_hex(0xffe090), lit);
    cairo_pattern_t* gold = cairo_pattern_create_linear(0, y, 0, y + h);
    cairo_pattern_add_color_stop_rgb(gold, 0.0, top.r, top.g, top.b);
    cairo_pattern_add_color_stop_rgb(gold, 0.5, middle.r, middle.g, middle.b);
    cairo_pattern_add_color_stop_rgb(gold, 1.0, bottom.r, bottom.g, bottom.b);
    cairo_set_source(cr, gold);
    cairo_set_line_width(cr, rim);
    cairo_stroke(cr);
    cairo_pattern_destroy(gold);
    if (rim >= 2.5) {
        double inset = rim / 2 + 2.5;
        rounded_rect(cr, x + inset, y + inset, w - 2 * inset, h - 2 * inset, std::max(1.0, radius - inset));
        cairo_set_source_rgba(cr, 0.9, 0.7, 0.32, 0.6);
        cairo_set_line_width(cr, 0.9);
        cairo_stroke(cr);
    }
}

void scenery_night_garden(ArtPicture& picture)
{
    const double horizon = 352;
    scenery_sky(picture, horizon);
    scenery_stars(picture, 340, horizon - 10, 5);
    scenery_moon(picture, 176, 50, 17);
    scenery_hills(picture, horizon, 3);
    scenery_foreground(picture, 404, 9);
    // fireflies over the garden
    int flies = art_element(picture, {range_glow(), range_leaf(), range_sky()});
    auto firefly_places = [&](cairo_t* cr, double radius, double alpha) {
        for (int i = 0; i < 18; i++) {
            double x = 20 + art_noise(i, 1, 77) * 600;
            double y = 330 + art_noise(i, 2, 77) * 130;
            cairo_set_source_rgba(cr, 1.0, 0.85, 0.4, alpha);
            cairo_arc(cr, x, y, radius, 0, 2 * M_PI);
            cairo_fill(cr);
        }
    };
    art_glow(picture, flies, 0.3, 6.0, CAIRO_OPERATOR_ADD, [&](cairo_t* cr) { firefly_places(cr, 3.0, 0.9); });
    art_draw(picture, flies, 0.5, [&](cairo_t* cr) { firefly_places(cr, 0.9, 1.0); });
}

void scenery_game_fixtures(ArtPicture& picture)
{
    // The score plaque, sized for the widest score; its dark outline and
    // gold rim reach 2 pixels outside the glass.
    const ArtScorePlaque plaque = art_score_plaque();
    const double x = plaque.left + 2, y = plaque.top + 2;
    const double w = plaque.right + 1 - 2 - x, h = plaque.bottom + 1 - 2 - y;
    int glass = art_element(picture, {range_glass(), range_ink()});
    art_draw(picture, glass, 0.5, [&](cairo_t* cr) { scenery_glass_panel(cr, x, y, w, h, 10); });
    int gold = art_element(picture, {range_gold(), range_ink()});
    art_draw(picture, gold, 0.5, [&](cairo_t* cr) {
        scenery_gold_rim(cr, x, y, w, h, 10, 2, 0);
        // the label on a small tab above the plaque
        art_use_font(cr, FONT_SERIF_BOLD, 10.5);
        cairo_set_source_rgb(cr, 0.02, 0.02, 0.05);
        art_text_path(cr, "S C O R E", x + w / 2, y - 5, 1);
        cairo_set_line_width(cr, 2.5);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        cairo_stroke(cr);
        cairo_set_source_rgb(cr, 0.98, 0.82, 0.42);
        art_text_path(cr, "S C O R E", x + w / 2, y - 5, 1);
        cairo_fill(cr);
    });
}
