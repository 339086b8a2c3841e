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

// A tongue of flame standing on (x, base): a round foot swelling out, then
// both sides curving in to a tip `h` above that leans by `sway`.
void flame_path(cairo_t* cr, double x, double base, double h, double sway)
{
    double w = h * 0.3;
    cairo_move_to(cr, x, base);
    cairo_curve_to(cr, x - w * 1.05, base, x - w * 1.1, base - h * 0.36, x - w * 0.72, base - h * 0.56);
    cairo_curve_to(cr, x - w * 0.38, base - h * 0.76, x + sway - w * 0.12, base - h * 0.84, x + sway, base - h);
    cairo_curve_to(cr, x + sway + w * 0.1, base - h * 0.8, x + w * 0.58, base - h * 0.7, x + w * 0.8, base - h * 0.48);
    cairo_curve_to(cr, x + w * 1.08, base - h * 0.28, x + w * 0.98, base, x, base);
    cairo_close_path(cr);
}

// Fills the current path with a vertical gradient from `foot` at `base`
// to `tip` at `top`.
void flame_fill(cairo_t* cr, double base, double top, Rgb foot, Rgb middle, Rgb tip)
{
    cairo_pattern_t* g = cairo_pattern_create_linear(0, base, 0, top);
    cairo_pattern_add_color_stop_rgb(g, 0.0, foot.r, foot.g, foot.b);
    cairo_pattern_add_color_stop_rgb(g, 0.45, middle.r, middle.g, middle.b);
    cairo_pattern_add_color_stop_rgb(g, 1.0, tip.r, tip.g, tip.b);
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
}

// The fire: side tongues and an outer flame of deep red and orange, an
// orange-gold flame within it and a pale heart, each swaying a little
// differently so the fire flickers.
void draw_fire(cairo_t* cr, double x, double base, double h, double t)
{
    double sway = 4 * std::sin(t * 40);
    double lick = 3 * std::sin(t * 53 + 1.0);
    cairo_save(cr);
    // side tongues, leaning outwards
    for (int side = -1; side <= 1; side += 2) {
        double tx = x + side * h * 0.24;
        flame_path(cr, tx, base, h * (side < 0 ? 0.5 : 0.44), side * (10 + lick));
        flame_fill(cr, base, base - h * 0.6, rgb_hex(0xc4401a), rgb_hex(0xe8701c), rgb_hex(0xfc9e3a));
    }
    flame_path(cr, x, base, h, sway);
    flame_fill(cr, base, base - h, rgb_hex(0xa82a0a), rgb_hex(0xe86a1c), rgb_hex(0xfcae40));
    flame_path(cr, x + sway * 0.15, base - h * 0.03, h * 0.72, sway * 0.8 + lick * 0.4);
    flame_fill(cr, base, base - h * 0.72, rgb_hex(0xf08a28), rgb_hex(0xfcb444), rgb_hex(0xffe08a));
    flame_path(cr, x + sway * 0.1, base - h * 0.05, h * 0.42, sway * 0.5);
    flame_fill(cr, base, base - h * 0.42, rgb_hex(0xffe6a0), rgb_hex(0xfff4d0), rgb_hex(0xfffaf0));
    cairo_restore(cr);
}

// One ridge of the moor, clipped by the caller: 0 the far one, 1 the near
// one, raised by `rise` below its place while it comes up.
void hill(cairo_t* cr, int layer, double rise)
{
    double base = CY + 22 + layer * 26 + rise;
    cairo_move_to(cr, CX - RING, CY + RING);
    for (double x = CX - RING; x <= CX + RING; x += 2)
        cairo_line_to(cr, x, base - 14 * std::sin((x - CX) * 0.03 + layer * 2.1) - 6 * std::sin((x - CX) * 0.08));
    cairo_line_to(cr, CX + RING, CY + RING);
    cairo_close_path(cr);
    set(cr, rgb_hex(layer == 0 ? 0x6a3468 : 0x2c1432));
    cairo_fill(cr);
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
            for (int layer = 0; layer < 2; layer++)
                hill(cr, layer, rise);
            cairo_restore(cr);
        });
    }
    if (fire > 0) {
        double h = 98 * fire;
        art_glow(picture, ember_glow, 0.12, 30.0, CAIRO_OPERATOR_ADD, [&](cairo_t* cr) {
            cairo_save(cr);
            cairo_arc(cr, CX, CY, RING - 6, 0, 2 * M_PI);
            cairo_clip(cr);
            set(cr, rgb_hex(0xe8601a), 0.5 * fire);
            cairo_arc(cr, CX, CY + 20, 34 * fire + 4, 0, 2 * M_PI);
            cairo_fill(cr);
            cairo_restore(cr);
        });
        // edge pixels of the fire belong to it too, matched among the
        // embers and the heather behind, so its outline stays smooth
        art_draw(picture, ember_glow, 0.02, [&](cairo_t* cr) {
            cairo_save(cr);
            cairo_arc(cr, CX, CY, RING - 6, 0, 2 * M_PI);
            cairo_clip(cr);
            draw_fire(cr, CX, CY + 58, h, t);
            cairo_restore(cr);
        });
        // the fire burns behind the near ridge, which hides its foot
        if (hills > 0)
            art_draw(picture, moor, 0.5, [&](cairo_t* cr) {
                cairo_save(cr);
                cairo_arc(cr, CX, CY, RING - 6, 0, 2 * M_PI);
                cairo_clip(cr);
                hill(cr, 1, (1.0 - hills) * 70);
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
    // Ordered dithering between neighbouring colours of each ramp hides the
    // steps of the ramps in the glows and gradients.
    ArtQuantize how;
    how.alpha_cutoff = 0.0;
    how.dither = 1.0;
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
    // A little tin chest, its domed lid shut on it, gold light escaping
    // through the seam and a few coins spilled at its foot.
    const double bx = CX - 70, by = 168, bw = 140, bh = 70, lid = 34;
    int tin = art_element(picture, {TIN, DARK});
    int gold = art_element(picture, {LETTERS, DARK});
    art_glow(picture, gold, 0.2, 22.0, CAIRO_OPERATOR_ADD, [&](cairo_t* cr) {
        set(cr, rgb_hex(0xc89030), 0.7);
        cairo_rectangle(cr, bx + 6, by - 4, bw - 12, 8);
        cairo_fill(cr);
    });
    cairo_pattern_t* metal = cairo_pattern_create_linear(bx, 0, bx + bw, 0);
    cairo_pattern_add_color_stop_rgb(metal, 0.0, 0.3, 0.36, 0.46);
    cairo_pattern_add_color_stop_rgb(metal, 0.3, 0.82, 0.86, 0.92);
    cairo_pattern_add_color_stop_rgb(metal, 0.55, 0.5, 0.58, 0.68);
    cairo_pattern_add_color_stop_rgb(metal, 1.0, 0.2, 0.25, 0.34);
    art_draw(picture, tin, 0.5, [&](cairo_t* cr) {
        // body
        rounded_rect(cr, bx, by, bw, bh, 6);
        cairo_set_source(cr, metal);
        cairo_fill(cr);
        // the lid: a low dome whose lower edge lies on the body's top edge
        cairo_move_to(cr, bx - 3, by + 2);
        cairo_line_to(cr, bx - 3, by - lid * 0.45);
        cairo_curve_to(cr, bx - 3, by - lid * 1.05, bx + bw + 3, by - lid * 1.05, bx + bw + 3, by - lid * 0.45);
        cairo_line_to(cr, bx + bw + 3, by + 2);
        cairo_close_path(cr);
        cairo_set_source(cr, metal);
        cairo_fill(cr);
        // a shine along the dome
        cairo_move_to(cr, bx + 14, by - lid * 0.62);
        cairo_curve_to(cr, bx + 40, by - lid * 0.9, bx + bw - 40, by - lid * 0.9, bx + bw - 14, by - lid * 0.62);
        set(cr, rgb_hex(0xd2dcea), 0.6);
        cairo_set_line_width(cr, 2);
        cairo_stroke(cr);
        // bands over lid and body, and rivets along the lid's rim
        set(cr, rgb_hex(0x1a2230));
        cairo_set_line_width(cr, 2);
        for (double y : {by + 16.0, by + bh - 12.0}) {
            cairo_move_to(cr, bx + 2, y);
            cairo_line_to(cr, bx + bw - 2, y);
        }
        cairo_stroke(cr);
        for (double x : {bx + 24.0, bx + bw - 24.0}) {
            cairo_move_to(cr, x, by - lid * 0.8);
            cairo_line_to(cr, x, by + bh - 2);
        }
        cairo_set_line_width(cr, 5);
        set(cr, rgb_hex(0x34445a));
        cairo_stroke(cr);
        for (int i = 0; i < 7; i++) {
            set(cr, rgb_hex(0xd2dcea));
            cairo_arc(cr, bx + 12 + i * 19.3, by - 6, 1.8, 0, 2 * M_PI);
            cairo_fill(cr);
        }
        // keyhole plate, hanging from the lid over the seam
        rounded_rect(cr, CX - 12, by - 8, 24, 32, 5);
        set(cr, rgb_hex(0x93a4ba));
        cairo_fill(cr);
        set(cr, rgb_hex(0x06080c));
        cairo_arc(cr, CX, by + 4, 4, 0, 2 * M_PI);
        cairo_fill(cr);
        cairo_move_to(cr, CX - 2.5, by + 6);
        cairo_line_to(cr, CX + 2.5, by + 6);
        cairo_line_to(cr, CX + 1.5, by + 17);
        cairo_line_to(cr, CX - 1.5, by + 17);
        cairo_close_path(cr);
        cairo_fill(cr);
    });
    cairo_pattern_destroy(metal);
    art_draw(picture, gold, 0.5, [&](cairo_t* cr) {
        // the seam between lid and body, lit from inside
        cairo_move_to(cr, bx + 2, by + 1);
        cairo_line_to(cr, CX - 13, by + 1);
        cairo_move_to(cr, CX + 13, by + 1);
        cairo_line_to(cr, bx + bw - 2, by + 1);
        set(cr, rgb_hex(0xfff0c0));
        cairo_set_line_width(cr, 1.6);
        cairo_stroke(cr);
        // coins spilled at the foot
        const double coins[5][2] = {{-92, -3}, {-80, 0}, {84, -2}, {96, 0}, {-88, -10}};
        for (const auto& c : coins) {
            double x = CX + c[0], y = by + bh + c[1];
            cairo_save(cr);
            cairo_translate(cr, x, y);
            cairo_scale(cr, 1.0, 0.5);
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
