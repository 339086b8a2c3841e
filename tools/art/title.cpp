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

// Fills the current path with a gradient from title colour `top` at y0 down
// to `bottom` at y1.
void fill_downward(cairo_t* cr, double y0, double y1, int top, int bottom)
{
    cairo_pattern_t* gradient = cairo_pattern_create_linear(0, y0, 0, y1);
    Rgb from = title_colour(top), to = title_colour(bottom);
    cairo_pattern_add_color_stop_rgb(gradient, 0.0, from.r, from.g, from.b);
    cairo_pattern_add_color_stop_rgb(gradient, 1.0, to.r, to.g, to.b);
    cairo_set_source(cr, gradient);
    cairo_fill(cr);
    cairo_pattern_destroy(gradient);
}

double hill(double x, double base, int seed, double height)
{
    double y = base;
    for (int k = 1; k <= 3; k++)
        y -= height / k * (0.5 + 0.5 * std::sin(x * 0.005 * k + art_noise(k, 1, seed) * 6.28));
    return y;
}

// Lanterns on posts along the meadow: x, y of the lamp, post height.
constexpr double LANTERNS[4][3] = {{118, 352, 44}, {262, 338, 34}, {430, 344, 38}, {548, 366, 52}};

void leaf(cairo_t* cr, double x, double y, double angle, double length, double width)
{
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_rotate(cr, angle);
    cairo_move_to(cr, 0, 0);
    cairo_curve_to(cr, length * 0.3, -width, length * 0.7, -width, length, 0);
    cairo_curve_to(cr, length * 0.7, width, length * 0.3, width, 0, 0);
    cairo_restore(cr);
}

// A bush of many leaves: dark inside, the leaves at its top caught by the
// dusk (`warm`) or the moon.
void bush(cairo_t* cr, double cx, double cy, double r, int seed, bool warm)
{
    set(cr, title_colour(3));
    cairo_arc(cr, cx, cy, r * 0.82, 0, 2 * M_PI);
    cairo_fill(cr);
    int count = (int)(r * r * 0.55) + 12;
    for (int k = 0; k < count; k++) {
        double a = art_noise(k, 1, seed) * 2 * M_PI;
        double d = std::sqrt(art_noise(k, 2, seed)) * r * 0.85;
        double x = cx + std::cos(a) * d, y = cy + std::sin(a) * d * 0.8;
        // leaves higher on the bush catch more light
        double lit = std::clamp((cy - y) / r * 0.5 + 0.5, 0.0, 1.0) * (0.4 + 0.6 * art_noise(k, 3, seed));
        int shade = 8 + (int)(lit * 36);
        if (lit > 0.72)
            shade = warm ? 118 + (int)((lit - 0.72) * 100) : 56 + (int)((lit - 0.72) * 90);
        set(cr, title_colour(shade));
        // leaves lean outwards and upwards, as they grow towards the light
        double angle = std::atan2(std::sin(a) * 0.6 - 0.8, std::cos(a)) + (art_noise(k, 4, seed) - 0.5) * 0.9;
        leaf(cr, x, y, angle, 4 + 4 * art_noise(k, 5, seed), 1.8);
        cairo_fill(cr);
    }
}

void garden_far(cairo_t* cr)
{
    // far hills, their tops lit by the dusk behind
    cairo_move_to(cr, 0, H);
    for (double x = 0; x <= W; x += 2)
        cairo_line_to(cr, x, hill(x, HORIZON + 8, 4, 26));
    cairo_line_to(cr, W, H);
    cairo_close_path(cr);
    fill_downward(cr, HORIZON - 20, HORIZON + 40, 74, 44);
    // a line of trees: round crowns, poplars and firs
    for (int i = 0; i < 46; i++) {
        double x = (i + art_noise(i, 1, 12)) / 46.0 * (W + 30) - 15;
        double base = hill(x, HORIZON + 40, 6, 14);
        int kind = (int)(art_noise(i, 2, 12) * 3);
        double h = 18 + 22 * art_noise(i, 3, 12);
        set(cr, title_colour(30 + (int)(art_noise(i, 4, 12) * 8)));
        if (kind == 0) {
            cairo_arc(cr, x, base - h * 0.55, h * 0.45, 0, 2 * M_PI);
            cairo_arc(cr, x + h * 0.3, base - h * 0.35, h * 0.35, 0, 2 * M_PI);
        } else if (kind == 1) {
            cairo_save(cr);
            cairo_translate(cr, x, base - h * 0.75);
            cairo_scale(cr, 0.3, 1.0);
            cairo_arc(cr, 0, 0, h * 0.75, 0, 2 * M_PI);
            cairo_restore(cr);
        } else {
            cairo_move_to(cr, x, base - h * 1.2);
            cairo_line_to(cr, x + h * 0.32, base);
            cairo_line_to(cr, x - h * 0.32, base);
            cairo_close_path(cr);
        }
        cairo_fill(cr);
        cairo_rectangle(cr, x - 1, base - 6, 2, 8);
        cairo_fill(cr);
    }
    // the meadow, falling into the dark towards the viewer
    cairo_move_to(cr, 0, H);
    for (double x = 0; x <= W; x += 2)
        cairo_line_to(cr, x, hill(x, HORIZON + 44, 6, 10));
    cairo_line_to(cr, W, H);
    cairo_close_path(cr);
    fill_downward(cr, HORIZON + 30, H, 38, 6);
    // a pale path winding out of the trees towards the viewer
    cairo_move_to(cr, 330, HORIZON + 40);
    cairo_curve_to(cr, 300, 300, 420, 340, 360, 400);
    cairo_curve_to(cr, 330, 430, 300, 460, 280, H + 2);
    cairo_line_to(cr, 400, H + 2);
    cairo_curve_to(cr, 400, 455, 420, 425, 440, 400);
    cairo_curve_to(cr, 500, 330, 330, 300, 338, HORIZON + 40);
    cairo_close_path(cr);
    fill_downward(cr, HORIZON + 40, H, 62, 24);
    // small bushes in the meadow, smaller with distance
    for (int i = 0; i < 16; i++) {
        double x = art_noise(i, 5, 13) * W;
        double y = 262 + art_noise(i, 6, 13) * 40;
        double r = 5 + (y - 262) * 0.18 + 3 * art_noise(i, 7, 13);
        if (std::fabs(x - 360) < 40)
            continue;
        bush(cr, x, y, r, 40 + i, false);
    }
}

// The lamps' light, and the pools it casts on the ground round the posts.
void lantern_lights(cairo_t* cr, double alpha, double radius)
{
    for (const auto& l : LANTERNS) {
        set(cr, title_colour(220), alpha);
        cairo_arc(cr, l[0], l[1], radius, 0, 2 * M_PI);
        cairo_fill(cr);
        set(cr, title_colour(170), alpha * 0.45);
        cairo_save(cr);
        cairo_translate(cr, l[0], l[1] + l[2]);
        cairo_scale(cr, 3.2, 1.0);
        cairo_arc(cr, 0, 0, radius * 1.1, 0, 2 * M_PI);
        cairo_restore(cr);
        cairo_fill(cr);
    }
}

void garden_near(cairo_t* cr)
{
    // lantern posts
    for (const auto& l : LANTERNS) {
        set(cr, title_colour(6));
        cairo_rectangle(cr, l[0] - 1.5, l[1] + 4, 3, l[2]);
        cairo_fill(cr);
        cairo_rectangle(cr, l[0] - 5, l[1] - 6, 10, 2);
        cairo_fill(cr);
        set(cr, title_colour(246));
        cairo_rectangle(cr, l[0] - 3.5, l[1] - 4, 7, 8);
        cairo_fill(cr);
        set(cr, title_colour(255));
        cairo_rectangle(cr, l[0] - 1.5, l[1] - 2, 3, 4);
        cairo_fill(cr);
        set(cr, title_colour(6));
        cairo_rectangle(cr, l[0] - 4.5, l[1] + 4, 9, 2);
        cairo_fill(cr);
    }
    // ferns arching out of the dark
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    for (int i = 0; i < 14; i++) {
        double x = art_noise(i, 1, 21) * W, base = 440 + art_noise(i, 2, 21) * 20;
        double lean = art_noise(i, 3, 21) > 0.5 ? 1 : -1;
        double length = 40 + 30 * art_noise(i, 4, 21);
        for (int k = 0; k < 12; k++) {
            double t = k / 12.0;
            double sx = x + lean * length * 0.6 * t * t, sy = base - length * (t - 0.45 * t * t);
            set(cr, title_colour(10 + (int)(t * 18)));
            leaf(cr, sx, sy, lean > 0 ? -0.5 : M_PI + 0.5, 9 * (1 - t) + 3, 1.6);
            cairo_fill(cr);
            leaf(cr, sx, sy, lean > 0 ? 0.9 : M_PI - 0.9, 9 * (1 - t) + 3, 1.6);
            cairo_fill(cr);
        }
    }
    // bushes in front, leafy, the near ones darker
    for (int i = 0; i < 22; i++) {
        double x = (i + art_noise(i, 7, 9)) / 22.0 * (W + 60) - 30;
        double y = 392 + 44 * art_noise(i, 9, 9);
        double r = 20 + 18 * art_noise(i, 8, 9);
        bool warm = false;
        for (const auto& l : LANTERNS)
            warm = warm || std::hypot(x - l[0], y - l[1]) < 70;
        bush(cr, x, y, r, 60 + i, warm);
    }
    // tall grass
    for (int i = 0; i < 220; i++) {
        double x = art_noise(i, 10, 9) * W, h = 14 + 36 * art_noise(i, 11, 9);
        double lean = (art_noise(i, 12, 9) - 0.5) * 16;
        set(cr, title_colour(2 + (int)(art_noise(i, 13, 9) * 14)));
        cairo_set_line_width(cr, 1.5);
        cairo_move_to(cr, x, H + 2);
        cairo_curve_to(cr, x, H - h * 0.5, x + lean * 0.5, H - h * 0.8, x + lean, H - h);
        cairo_stroke(cr);
    }
    // night flowers on stems above the bushes, clear of the small print
    for (int i = 0; i < 18; i++) {
        double x = 20 + art_noise(i, 14, 9) * (W - 40), y = 372 + art_noise(i, 15, 9) * 62;
        double r = 2.4 + 1.6 * art_noise(i, 16, 9);
        set(cr, title_colour(14));
        cairo_set_line_width(cr, 1.2);
        cairo_move_to(cr, x, y);
        cairo_line_to(cr, x + (art_noise(i, 18, 9) - 0.5) * 6, y + 16);
        cairo_stroke(cr);
        double kind = art_noise(i, 17, 9);
        for (int k = 0; k < 5; k++) {
            double a = k * 2 * M_PI / 5 + kind;
            set(cr, title_colour(kind > 0.66 ? 246 : kind > 0.33 ? 176 : 214));
            cairo_arc(cr, x + std::cos(a) * r, y + std::sin(a) * r, r * 0.72, 0, 2 * M_PI);
            cairo_fill(cr);
        }
        set(cr, title_colour(120));
        cairo_arc(cr, x, y, r * 0.45, 0, 2 * M_PI);
        cairo_fill(cr);
    }
}

void fireflies(cairo_t* cr, double radius, double alpha)
{
    for (int i = 0; i < 22; i++) {
        double x = 16 + art_noise(i, 1, 78) * (W - 32);
        double y = 240 + art_noise(i, 2, 78) * 190;
        set(cr, title_colour(236), alpha);
        cairo_arc(cr, x, y, radius, 0, 2 * M_PI);
        cairo_fill(cr);
    }
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
    // The garden, far to near: hills in the last of the dusk, a line of
    // trees, the meadow with its path; the lantern trail crosses it.
    art_draw(picture, drawn, 0.5, [&](cairo_t* cr) { garden_far(cr); });
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
    // Near: lanterns on posts, leafy bushes, ferns and night flowers, and
    // fireflies over them.
    art_glow(picture, drawn, 0.15, 10.0, CAIRO_OPERATOR_ADD, [&](cairo_t* cr) { lantern_lights(cr, 0.8, 7.0); });
    art_draw(picture, drawn, 0.5, [&](cairo_t* cr) { garden_near(cr); });
    art_glow(picture, drawn, 0.2, 6.0, CAIRO_OPERATOR_ADD, [&](cairo_t* cr) { fireflies(cr, 3.0, 0.7); });
    art_draw(picture, drawn, 0.5, [&](cairo_t* cr) { fireflies(cr, 0.9, 1.0); });
    art_draw(picture, drawn, 0.5, [&](cairo_t* cr) {
        // on the dark ground by the grass, the small print in pale gold
        scenery_lettering(cr, "Brenmoor  \xc2\xb7  a Tinhoard game", FONT_SERIF_ITALIC, 13, 320, 468, 1, title_colour(236),
                          title_colour(214), 1.2);
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
