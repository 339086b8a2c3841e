// The title picture: the game's name over a dusk sky, a garden of lanterns
// below. It shares the title palette with the sky behind it, whose rows
// the game paints in colour y mod 255, so every colour here is one of the
// sky's own.
#include "tools/art/art.h"
#include "tools/art/palettes.h"
#include "tools/art/scenery.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int W = 640, H = 480;
constexpr double HORIZON = 214;   // everything below is covered by the garden

Rgb title_colour(int index)
{
    uint8_t c[3];
    art_palette_rgb8(art_title_palette(), index, c);
    return Rgb{c[0] / 255.0, c[1] / 255.0, c[2] / 255.0};
}

void set(cairo_t* cr, Rgb c, double a = 1.0) { cairo_set_source_rgba(cr, c.r, c.g, c.b, a); }

double hill(double x, double base, int seed, double height)
{
    double y = base;
    for (int k = 1; k <= 3; k++)
        y -= height / k * (0.5 + 0.5 * std::sin(x * 0.005 * k + art_noise(k, 1, seed) * 6.28));
    return y;
}

}  // namespace

RunImage art_title_picture()
{
    const ArtRanges all = {{1, 255}};
    ArtPicture picture = art_picture_create(W, H, all);
    // The sky exactly as the game paints it, so soft edges blend into it.
    art_paint(picture, [&](cairo_t* cr) {
        for (int y = 0; y < H; y++) {
            set(cr, y % 255 == 0 ? Rgb{0, 0, 0} : title_colour(y % 255));
            cairo_rectangle(cr, 0, y, W, 1);
            cairo_fill(cr);
        }
    });
    int drawn = art_element(picture, all);
    art_draw(picture, drawn, 0.5, [&](cairo_t* cr) {
        for (int i = 0; i < 150; i++) {
            double x = art_noise(i, 1, 31) * W;
            double y = std::pow(art_noise(i, 2, 31), 1.6) * (HORIZON - 40);
            double b = art_noise(i, 3, 31);
            set(cr, Rgb{1, 1, 1}, 0.55 + 0.45 * b);
            cairo_arc(cr, x, y, b > 0.9 ? 1.3 : 0.8, 0, 2 * M_PI);
            cairo_fill(cr);
        }
    });
    // A glow behind the name.
    art_glow(picture, drawn, 0.2, 40.0, CAIRO_OPERATOR_ADD, [&](cairo_t* cr) {
        art_use_font(cr, FONT_SERIF_BOLD_ITALIC, 76);
        set(cr, title_colour(200), 0.45);
        art_text_path(cr, "FlickerMoth", 320, 128, 1);
        cairo_fill(cr);
    });
    art_draw(picture, drawn, 0.5, [&](cairo_t* cr) {
        scenery_lettering(cr, "FlickerMoth", FONT_SERIF_BOLD_ITALIC, 76, 320, 128, 1, title_colour(252), title_colour(224),
                          2.6);
        scenery_lettering(cr, "a night-garden puzzle", FONT_SERIF_ITALIC, 19, 320, 162, 1, title_colour(246),
                          title_colour(236), 0);
    });
    // Moths drawn to the light of the name.
    art_draw(picture, drawn, 0.5, [&](cairo_t* cr) {
        art_draw_moth(cr, 1, 44, 64, 15, 0.9);
        art_draw_moth(cr, 0, 548, 60, 13, 0.6);
        art_draw_moth(cr, 0, 590, 150, 10, 1.0);
        art_draw_moth(cr, 1, 60, 170, 9, 0.5);
    });
    // The garden: hills, then dark hedges, with a winding trail of lanterns.
    art_draw(picture, drawn, 0.5, [&](cairo_t* cr) {
        cairo_move_to(cr, 0, H);
        for (double x = 0; x <= W; x += 2)
            cairo_line_to(cr, x, hill(x, HORIZON + 8, 4, 26));
        cairo_line_to(cr, W, H);
        cairo_close_path(cr);
        set(cr, title_colour(40));
        cairo_fill(cr);
        for (int i = 0; i < 60; i++) {
            double x = art_noise(i, 4, 9) * W;
            double r = 8 + 16 * art_noise(i, 5, 9);
            double y = hill(x, HORIZON + 44, 6, 18) - r * 0.4;
            set(cr, title_colour(22 + (int)(art_noise(i, 6, 9) * 8)));
            cairo_arc(cr, x, y, r, 0, 2 * M_PI);
            cairo_fill(cr);
        }
        cairo_rectangle(cr, 0, HORIZON + 40, W, H);
        cairo_pattern_t* ground = cairo_pattern_create_linear(0, HORIZON + 40, 0, H);
        Rgb far = title_colour(22), near = title_colour(4);
        cairo_pattern_add_color_stop_rgb(ground, 0.0, far.r, far.g, far.b);
        cairo_pattern_add_color_stop_rgb(ground, 1.0, near.r, near.g, near.b);
        cairo_set_source(cr, ground);
        cairo_fill(cr);
        cairo_pattern_destroy(ground);
        for (int i = 0; i < 40; i++) {
            double x = (i + art_noise(i, 7, 9)) / 40.0 * (W + 60) - 30;
            double r = 24 + 30 * art_noise(i, 8, 9);
            double y = 370 + 50 * art_noise(i, 9, 9);
            cairo_pattern_t* g = cairo_pattern_create_radial(x - r * 0.3, y - r * 0.5, 0, x, y, r);
            Rgb lit = title_colour(26), dark = title_colour(3);
            cairo_pattern_add_color_stop_rgb(g, 0.0, lit.r, lit.g, lit.b);
            cairo_pattern_add_color_stop_rgb(g, 1.0, dark.r, dark.g, dark.b);
            cairo_set_source(cr, g);
            cairo_arc(cr, x, y, r, 0, 2 * M_PI);
            cairo_fill(cr);
            cairo_pattern_destroy(g);
        }
    });
    // Grass and night flowers in front.
    art_draw(picture, drawn, 0.5, [&](cairo_t* cr) {
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        for (int i = 0; i < 220; i++) {
            double x = art_noise(i, 10, 9) * W, h = 14 + 36 * art_noise(i, 11, 9);
            double lean = (art_noise(i, 12, 9) - 0.5) * 16;
            set(cr, title_colour(2 + (int)(art_noise(i, 13, 9) * 14)));
            cairo_set_line_width(cr, 1.5);
            cairo_move_to(cr, x, H + 2);
            cairo_curve_to(cr, x, H - h * 0.5, x + lean * 0.5, H - h * 0.8, x + lean, H - h);
            cairo_stroke(cr);
        }
        for (int i = 0; i < 12; i++) {
            double x = 30 + art_noise(i, 14, 9) * (W - 60), y = 380 + art_noise(i, 15, 9) * 60;
            double r = 3 + 1.5 * art_noise(i, 16, 9);
            for (int k = 0; k < 5; k++) {
                double a = k * 2 * M_PI / 5;
                set(cr, title_colour(art_noise(i, 17, 9) > 0.5 ? 200 : 176));
                cairo_arc(cr, x + std::cos(a) * r, y + std::sin(a) * r, r * 0.75, 0, 2 * M_PI);
                cairo_fill(cr);
            }
            set(cr, title_colour(236));
            cairo_arc(cr, x, y, r * 0.45, 0, 2 * M_PI);
            cairo_fill(cr);
        }
    });
    // The lantern trail: a curve of light with eight glowing spots.
    auto trail = [&](cairo_t* cr) {
        cairo_move_to(cr, 70, 300);
        cairo_curve_to(cr, 200, 240, 300, 340, 400, 290);
        cairo_curve_to(cr, 480, 250, 560, 300, 600, 270);
    };
    art_glow(picture, drawn, 0.1, 12.0, CAIRO_OPERATOR_ADD, [&](cairo_t* cr) {
        set(cr, title_colour(214), 0.8);
        cairo_set_line_width(cr, 5);
        trail(cr);
        cairo_stroke(cr);
    });
    art_draw(picture, drawn, 0.5, [&](cairo_t* cr) {
        set(cr, title_colour(246), 0.9);
        cairo_set_line_width(cr, 1.2);
        trail(cr);
        cairo_stroke(cr);
        const double spots[8][2] = {{92, 291}, {150, 270}, {212, 282}, {270, 305}, {340, 310}, {410, 286},
                                    {490, 266}, {566, 286}};
        for (const auto& s : spots) {
            cairo_pattern_t* g = cairo_pattern_create_radial(s[0], s[1], 0, s[0], s[1], 9);
            Rgb core = title_colour(254), ring = title_colour(230);
            cairo_pattern_add_color_stop_rgba(g, 0.0, 1, 1, 1, 1);
            cairo_pattern_add_color_stop_rgba(g, 0.3, core.r, core.g, core.b, 1);
            cairo_pattern_add_color_stop_rgba(g, 1.0, ring.r, ring.g, ring.b, 0);
            cairo_set_source(cr, g);
            cairo_arc(cr, s[0], s[1], 9, 0, 2 * M_PI);
            cairo_fill(cr);
            cairo_pattern_destroy(g);
        }
    });
    art_draw(picture, drawn, 0.5, [&](cairo_t* cr) {
        scenery_lettering(cr, "Brenmoor  \xc2\xb7  a Tinhoard game", FONT_SERIF_ITALIC, 13, 320, 466, 1, title_colour(170),
                          title_colour(150), 0);
    });
    ArtQuantize how;
    how.alpha_cutoff = 0.0;
    std::vector<uint8_t> indices = art_quantize(picture, art_title_palette(), how);
    RunImage image = run_image(W, H);
    for (size_t i = 0; i < indices.size(); i++)
        if (picture.owner[i] == drawn)
            image.pixels[i] = indices[i];
    art_picture_free(picture);
    return image;
}
