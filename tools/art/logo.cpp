// The maker's logo for "brenmoor.res": an emblem of a fire on the moor
// that draws itself, kindles and names its maker, Brenmoor; a still with a
// golden corona in the accent colours that fade in on their own; and a
// still presenting the collection, Tinhoard.
#include "tools/art/art.h"
#include "tools/art/palettes.h"
#include "tools/art/scenery.h"

#include "shell/flow.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int W = 640, H = 480;
constexpr double CX = 320, CY = 196, RING = 84;

const ArtRange DARK{0, 16};
const ArtRange EMBER{16, 64};
const ArtRange HEATHER{80, 48};
const ArtRange TIN{128, 48};
const ArtRange LETTERS{176, 48};
const ArtRange ACCENT{LOGO_ACCENT_FIRST, 32};

void set(cairo_t* cr, Rgb c, double a = 1.0) { cairo_set_source_rgba(cr, c.r, c.g, c.b, a); }

double smooth(double a, double b, double t) { return std::clamp((t - a) / (b - a), 0.0, 1.0); }

void flame_path(cairo_t* cr, double x, double base, double h, double sway)
{
    cairo_move_to(cr, x - h * 0.32, base);
    cairo_curve_to(cr, x - h * 0.42, base - h * 0.45, x - h * 0.08 + sway, base - h * 0.6, x + sway * 1.6, base - h);
    cairo_curve_to(cr, x + h * 0.12 + sway, base - h * 0.62, x + h * 0.44, base - h * 0.42, x + h * 0.32, base);
    cairo_close_path(cr);
}

// The emblem and name at time t (0..1 over the animation).
void draw_logo(ArtPicture& picture, double t)
{
    double ring = smooth(0.0, 0.35, t);
    double hills = smooth(0.2, 0.5, t);
    double fire = smooth(0.4, 0.75, t);
    double name = smooth(0.55, 1.0, t);
    int gold = art_element(picture, {LETTERS, DARK});
    int moor = art_element(picture, {HEATHER, DARK});
    int ember = art_element(picture, {EMBER, DARK});
    int ember_glow = art_element(picture, {EMBER, HEATHER, DARK});

    if (hills > 0) {
        art_draw(picture, moor, 0.5, [&](cairo_t* cr) {
            cairo_save(cr);
            cairo_arc(cr, CX, CY, RING - 6, 0, 2 * M_PI);
            cairo_clip(cr);
            double rise = (1.0 - hills) * 70;
            cairo_pattern_t* sky = cairo_pattern_create_linear(0, CY - RING, 0, CY + RING);
            cairo_pattern_add_color_stop_rgba(sky, 0.0, 0.1, 0.05, 0.14, hills);
            cairo_pattern_add_color_stop_rgba(sky, 1.0, 0.3, 0.14, 0.32, hills);
            cairo_set_source(cr, sky);
            cairo_paint(cr);
            cairo_pattern_destroy(sky);
            for (int layer = 0; layer < 2; layer++) {
                double base = CY + 22 + layer * 26 + rise;
                cairo_move_to(cr, CX - RING, CY + RING);
                for (double x = CX - RING; x <= CX + RING; x += 2)
                    cairo_line_to(cr, x, base - 14 * std::sin((x - CX) * 0.03 + layer * 2.1) - 6 * std::sin((x - CX) * 0.08));
                cairo_line_to(cr, CX + RING, CY + RING);
                cairo_close_path(cr);
                if (layer == 0)
                    set(cr, rgb_hex(0x6a3468));
                else
                    set(cr, rgb_hex(0x2c1432));
                cairo_fill(cr);
            }
            cairo_restore(cr);
        });
    }
    if (fire > 0) {
        double h = 74 * fire;
        double sway = 4 * std::sin(t * 40);
        art_glow(picture, ember_glow, 0.12, 30.0, CAIRO_OPERATOR_ADD, [&](cairo_t* cr) {
            cairo_save(cr);
            cairo_arc(cr, CX, CY, RING - 6, 0, 2 * M_PI);
            cairo_clip(cr);
            set(cr, rgb_hex(0xe8601a), 0.8 * fire);
            cairo_arc(cr, CX, CY + 4, 30 * fire + 4, 0, 2 * M_PI);
            cairo_fill(cr);
            cairo_restore(cr);
        });
        art_draw(picture, ember, 0.5, [&](cairo_t* cr) {
            cairo_save(cr);
            cairo_arc(cr, CX, CY, RING - 6, 0, 2 * M_PI);
            cairo_clip(cr);
            double base = CY + 30;
            flame_path(cr, CX, base, h, sway);
            cairo_pattern_t* g = cairo_pattern_create_linear(0, base, 0, base - h);
            cairo_pattern_add_color_stop_rgb(g, 0.0, 0.75, 0.16, 0.04);
            cairo_pattern_add_color_stop_rgb(g, 0.5, 0.98, 0.52, 0.12);
            cairo_pattern_add_color_stop_rgb(g, 1.0, 1.0, 0.85, 0.45);
            cairo_set_source(cr, g);
            cairo_fill(cr);
            cairo_pattern_destroy(g);
            flame_path(cr, CX + sway * 0.3, base, h * 0.55, sway * 0.5);
            set(cr, rgb_hex(0xfff0c0));
            cairo_fill(cr);
            cairo_restore(cr);
        });
    }
    art_draw(picture, gold, 0.5, [&](cairo_t* cr) {
        // the ring draws itself clockwise from the top
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        cairo_pattern_t* g = cairo_pattern_create_linear(0, CY - RING, 0, CY + RING);
        cairo_pattern_add_color_stop_rgb(g, 0.0, 1.0, 0.94, 0.76);
        cairo_pattern_add_color_stop_rgb(g, 0.5, 0.74, 0.56, 0.3);
        cairo_pattern_add_color_stop_rgb(g, 1.0, 0.95, 0.82, 0.55);
        cairo_set_source(cr, g);
        if (ring > 0) {
            cairo_set_line_width(cr, 5);
            cairo_arc(cr, CX, CY, RING, -M_PI / 2, -M_PI / 2 + 2 * M_PI * ring);
            cairo_stroke(cr);
            cairo_set_line_width(cr, 1.5);
            cairo_arc_negative(cr, CX, CY, RING - 9, -M_PI / 2, -M_PI / 2 - 2 * M_PI * ring);
            cairo_stroke(cr);
        }
        cairo_pattern_destroy(g);
    });
    if (name > 0) {
        art_draw(picture, gold, 0.5, [&](cairo_t* cr) {
            // letter by letter, each warming from dark to ivory
            const char* word = "BRENMOOR";
            art_use_font(cr, FONT_SERIF_BOLD, 46);
            double total = 0;
            double widths[8];
            for (int i = 0; i < 8; i++) {
                char c[2] = {word[i], 0};
                cairo_text_extents_t e;
                cairo_text_extents(cr, c, &e);
                widths[i] = e.x_advance + 8;
                total += widths[i];
            }
            double x = CX - (total - 8) / 2;
            for (int i = 0; i < 8; i++) {
                double lit = smooth(i / 10.0, i / 10.0 + 0.3, name);
                char c[2] = {word[i], 0};
                if (lit > 0)
                    scenery_lettering(cr, c, FONT_SERIF_BOLD, 46, x, 352, 0, rgb_mix(rgb_hex(0x3a2c16), rgb_hex(0xfffaee), lit),
                                      rgb_mix(rgb_hex(0x100c06), rgb_hex(0xb8985a), lit), 0);
                x += widths[i];
            }
        });
    }
}

RunImage logo_picture(const std::function<void(ArtPicture&)>& draw)
{
    ArtPicture picture = art_picture_create(W, H, {DARK});
    art_paint(picture, [](cairo_t* cr) {
        cairo_set_source_rgb(cr, 0, 0, 0);
        cairo_paint(cr);
    });
    draw(picture);
    ArtQuantize how;
    how.alpha_cutoff = 0.0;
    RunImage image = art_quantize_runs(picture, art_logo_palette(), how);
    art_picture_free(picture);
    return image;
}

void draw_corona(ArtPicture& picture)
{
    // Rays of gold light around the emblem, on the black, and the word
    // "presents" under the name: the accent that fades in last.
    int accent = art_element(picture, {ACCENT});
    art_draw(picture, accent, 0.5, [&](cairo_t* cr) {
        for (int k = 0; k < 24; k++) {
            double a = k * 2 * M_PI / 24;
            double inner = RING + 10, outer = RING + (k % 2 ? 22 : 34);
            cairo_move_to(cr, CX + std::cos(a - 0.035) * inner, CY + std::sin(a - 0.035) * inner);
            cairo_line_to(cr, CX + std::cos(a) * outer, CY + std::sin(a) * outer);
            cairo_line_to(cr, CX + std::cos(a + 0.035) * inner, CY + std::sin(a + 0.035) * inner);
            cairo_close_path(cr);
        }
        cairo_pattern_t* g = cairo_pattern_create_radial(CX, CY, RING + 6, CX, CY, RING + 36);
        cairo_pattern_add_color_stop_rgb(g, 0.0, 1.0, 0.98, 0.85);
        cairo_pattern_add_color_stop_rgb(g, 1.0, 0.8, 0.52, 0.1);
        cairo_set_source(cr, g);
        cairo_fill(cr);
        cairo_pattern_destroy(g);
        scenery_lettering(cr, "p r e s e n t s", FONT_SERIF_ITALIC, 20, CX, 392, 1, rgb_hex(0xfff0b0), rgb_hex(0xf0b040), 0);
    });
}

void draw_tinhoard(ArtPicture& picture)
{
    // A little tin chest, its lid ajar over a gleam of gold.
    const double bx = CX - 70, by = 150, bw = 140, bh = 86;
    int tin = art_element(picture, {TIN, DARK});
    int gold = art_element(picture, {LETTERS, DARK});
    art_glow(picture, gold, 0.2, 22.0, CAIRO_OPERATOR_ADD, [&](cairo_t* cr) {
        set(cr, rgb_hex(0xc89030), 0.8);
        cairo_rectangle(cr, bx + 10, by - 14, bw - 20, 16);
        cairo_fill(cr);
    });
    art_draw(picture, gold, 0.5, [&](cairo_t* cr) {
        for (int i = 0; i < 9; i++) {
            double x = bx + 22 + i * 12 + 3 * std::sin(i * 1.7), y = by - 2 - 5 * std::fabs(std::sin(i * 2.3));
            cairo_save(cr);
            cairo_translate(cr, x, y);
            cairo_scale(cr, 1.0, 0.55);
            cairo_arc(cr, 0, 0, 7, 0, 2 * M_PI);
            cairo_restore(cr);
            cairo_pattern_t* g = cairo_pattern_create_linear(x - 7, y - 4, x + 7, y + 4);
            cairo_pattern_add_color_stop_rgb(g, 0.0, 1.0, 0.95, 0.7);
            cairo_pattern_add_color_stop_rgb(g, 1.0, 0.7, 0.5, 0.2);
            cairo_set_source(cr, g);
            cairo_fill_preserve(cr);
            cairo_pattern_destroy(g);
            set(cr, rgb_hex(0x3a2c16));
            cairo_set_line_width(cr, 1);
            cairo_stroke(cr);
        }
    });
    art_draw(picture, tin, 0.5, [&](cairo_t* cr) {
        // body
        rounded_rect(cr, bx, by, bw, bh, 8);
        cairo_pattern_t* g = cairo_pattern_create_linear(bx, 0, bx + bw, 0);
        cairo_pattern_add_color_stop_rgb(g, 0.0, 0.3, 0.36, 0.46);
        cairo_pattern_add_color_stop_rgb(g, 0.3, 0.82, 0.86, 0.92);
        cairo_pattern_add_color_stop_rgb(g, 0.55, 0.5, 0.58, 0.68);
        cairo_pattern_add_color_stop_rgb(g, 1.0, 0.2, 0.25, 0.34);
        cairo_set_source(cr, g);
        cairo_fill(cr);
        // lid, tipped back
        cairo_move_to(cr, bx - 4, by - 6);
        cairo_line_to(cr, bx + bw + 4, by - 6);
        cairo_line_to(cr, bx + bw - 6, by - 40);
        cairo_line_to(cr, bx + 6, by - 40);
        cairo_close_path(cr);
        cairo_set_source(cr, g);
        cairo_fill(cr);
        cairo_pattern_destroy(g);
        // bands and rivets
        set(cr, rgb_hex(0x1a2230));
        cairo_set_line_width(cr, 2);
        for (double y : {by + 14.0, by + bh - 14.0}) {
            cairo_move_to(cr, bx + 2, y);
            cairo_line_to(cr, bx + bw - 2, y);
        }
        cairo_stroke(cr);
        for (int i = 0; i < 7; i++) {
            set(cr, rgb_hex(0xd2dcea));
            cairo_arc(cr, bx + 12 + i * 19.3, by + 8, 1.8, 0, 2 * M_PI);
            cairo_fill(cr);
        }
        // keyhole plate
        rounded_rect(cr, CX - 12, by + 28, 24, 30, 5);
        set(cr, rgb_hex(0x93a4ba));
        cairo_fill(cr);
        set(cr, rgb_hex(0x06080c));
        cairo_arc(cr, CX, by + 38, 4, 0, 2 * M_PI);
        cairo_fill(cr);
        cairo_move_to(cr, CX - 2.5, by + 40);
        cairo_line_to(cr, CX + 2.5, by + 40);
        cairo_line_to(cr, CX + 1.5, by + 51);
        cairo_line_to(cr, CX - 1.5, by + 51);
        cairo_close_path(cr);
        cairo_fill(cr);
    });
    art_draw(picture, tin, 0.5, [&](cairo_t* cr) {
        scenery_lettering(cr, "TINHOARD", FONT_SERIF_BOLD, 54, CX, 322, 1, rgb_hex(0xffffff), rgb_hex(0x5c6e86), 0);
    });
    art_draw(picture, gold, 0.5, [&](cairo_t* cr) {
        scenery_lettering(cr, "a collection of small games", FONT_SERIF_ITALIC, 20, CX, 360, 1, rgb_hex(0xfffaee),
                          rgb_hex(0xb8985a), 0);
    });
}

}  // namespace

std::vector<RunImage> art_logo_frames()
{
    std::vector<RunImage> frames;
    for (int f = 0; f < LOGO_ANIMATION_FRAMES; f++)
        frames.push_back(logo_picture([&](ArtPicture& p) { draw_logo(p, f / (LOGO_ANIMATION_FRAMES - 1.0)); }));
    frames.push_back(logo_picture([&](ArtPicture& p) {
        draw_logo(p, 1.0);
        draw_corona(p);
    }));
    frames.push_back(logo_picture([&](ArtPicture& p) { draw_tinhoard(p); }));
    return frames;
}
