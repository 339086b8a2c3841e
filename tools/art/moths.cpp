// The moths: five kinds told apart by lightness, pattern and shape as much as
// by hue; their appearing, their swap fades, the selection ring and the
// flight of a moth that leaves.
#include "tools/art/art.h"
#include "tools/art/palettes.h"

#include <cmath>

namespace {

enum Pattern { PLAIN_VEINS, DARK_SPOTS, PALE_BANDS, EYE_SPOTS, LONG_TAILS };

struct MothStyle {
    Rgb edge, base, light, pattern, body;
    Pattern kind;
};

const MothStyle STYLES[5] = {
    {rgb_hex(0x6e6c80), rgb_hex(0xcfc8be), rgb_hex(0xfbf7ee), rgb_hex(0x8e8a96), rgb_hex(0xa8a4a8), PLAIN_VEINS},
    {rgb_hex(0x7a4e0e), rgb_hex(0xe2a81e), rgb_hex(0xfbe070), rgb_hex(0x2a1808), rgb_hex(0x9a6a0c), DARK_SPOTS},
    {rgb_hex(0x24040e), rgb_hex(0x7a1024), rgb_hex(0xa82232), rgb_hex(0xffd6b4), rgb_hex(0x340816), PALE_BANDS},
    {rgb_hex(0x0e2c62), rgb_hex(0x2e8ad8), rgb_hex(0x8ad2ff), rgb_hex(0x061030), rgb_hex(0x1a4a8a), EYE_SPOTS},
    {rgb_hex(0x0a3430), rgb_hex(0x1a8c70), rgb_hex(0x74d8b8), rgb_hex(0x062420), rgb_hex(0x0e5648), LONG_TAILS},
};

constexpr int SPRITE = 33;          // sprite canvas; the hot spot is pixel 16
constexpr double HOT = 16.5;        // its centre in Cairo coordinates
constexpr double MOTH_SCALE = 13.0; // half the wingspan in pixels

void set(cairo_t* cr, Rgb c, double a = 1.0) { cairo_set_source_rgba(cr, c.r, c.g, c.b, a); }

// Wing outlines for the right side, in units of half the wingspan, the body
// along x = 0 and the thorax at the origin.
void forewing_path(cairo_t* cr)
{
    cairo_move_to(cr, 0.06, -0.22);
    cairo_curve_to(cr, 0.30, -0.48, 0.70, -0.58, 1.00, -0.50);
    cairo_curve_to(cr, 1.02, -0.32, 0.94, -0.10, 0.78, 0.04);
    cairo_curve_to(cr, 0.56, 0.10, 0.26, 0.12, 0.06, 0.08);
    cairo_close_path(cr);
}

void hindwing_path(cairo_t* cr, bool tails)
{
    cairo_move_to(cr, 0.05, 0.0);
    cairo_curve_to(cr, 0.30, -0.02, 0.56, 0.04, 0.70, 0.16);
    if (tails) {
        cairo_curve_to(cr, 0.82, 0.28, 0.66, 0.46, 0.50, 0.56);
        cairo_curve_to(cr, 0.44, 0.72, 0.46, 0.94, 0.40, 1.10);
        cairo_curve_to(cr, 0.30, 0.96, 0.26, 0.74, 0.22, 0.60);
        cairo_curve_to(cr, 0.14, 0.56, 0.08, 0.48, 0.05, 0.36);
    } else {
        cairo_curve_to(cr, 0.82, 0.30, 0.66, 0.54, 0.42, 0.58);
        cairo_curve_to(cr, 0.22, 0.62, 0.10, 0.52, 0.05, 0.36);
    }
    cairo_close_path(cr);
}

void ellipse(cairo_t* cr, double x, double y, double rx, double ry)
{
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_scale(cr, rx, ry);
    cairo_new_sub_path(cr);
    cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
    cairo_restore(cr);
}

// Furry thorax, tapering abdomen, head.
void body_path(cairo_t* cr)
{
    ellipse(cr, 0, 0.24, 0.10, 0.34);
    ellipse(cr, 0, -0.12, 0.14, 0.20);
    ellipse(cr, 0, -0.34, 0.09, 0.08);
}

// Feathered antennae, each a slim leaf.
void antennae_path(cairo_t* cr)
{
    for (int side = -1; side <= 1; side += 2) {
        cairo_move_to(cr, side * 0.03, -0.40);
        cairo_curve_to(cr, side * 0.04, -0.58, side * 0.24, -0.70, side * 0.36, -0.80);
        cairo_curve_to(cr, side * 0.22, -0.60, side * 0.14, -0.50, side * 0.07, -0.40);
        cairo_close_path(cr);
    }
}

// Both wings of one side, mirrored by `side`, folded by `spread`.
void wing_transform(cairo_t* cr, int side, double spread)
{
    cairo_scale(cr, side * std::max(spread, 0.02), 1.0);
}

void wing_pattern(cairo_t* cr, const MothStyle& s, bool fore)
{
    switch (s.kind) {
    case PLAIN_VEINS:
        set(cr, s.pattern, 0.55);
        cairo_set_line_width(cr, 0.05);
        if (fore) {
            cairo_move_to(cr, 0.08, -0.10); cairo_line_to(cr, 0.90, -0.50);
            cairo_move_to(cr, 0.08, -0.04); cairo_line_to(cr, 0.82, -0.14);
        } else {
            cairo_move_to(cr, 0.08, 0.10); cairo_line_to(cr, 0.56, 0.40);
        }
        cairo_stroke(cr);
        break;
    case DARK_SPOTS:
        set(cr, s.pattern);
        if (fore) {
            cairo_arc(cr, 0.56, -0.30, 0.13, 0, 2 * M_PI);
            cairo_fill(cr);
            // dark wing tip
            cairo_save(cr);
            forewing_path(cr);
            cairo_clip(cr);
            cairo_arc(cr, 1.02, -0.56, 0.22, 0, 2 * M_PI);
            cairo_fill(cr);
            cairo_restore(cr);
        } else {
            cairo_arc(cr, 0.40, 0.28, 0.09, 0, 2 * M_PI);
            cairo_fill(cr);
        }
        break;
    case PALE_BANDS:
        set(cr, s.pattern);
        if (fore) {
            cairo_set_line_width(cr, 0.13);
            cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
            cairo_move_to(cr, 0.20, -0.22); cairo_line_to(cr, 0.66, -0.46);
            cairo_stroke(cr);
            cairo_arc(cr, 0.84, -0.30, 0.09, 0, 2 * M_PI);
            cairo_fill(cr);
            cairo_arc(cr, 0.50, -0.08, 0.08, 0, 2 * M_PI);
            cairo_fill(cr);
        } else {
            cairo_set_line_width(cr, 0.12);
            cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
            cairo_move_to(cr, 0.20, 0.22); cairo_line_to(cr, 0.54, 0.36);
            cairo_stroke(cr);
        }
        break;
    case EYE_SPOTS:
        if (!fore) {
            set(cr, s.pattern);
            cairo_arc(cr, 0.42, 0.30, 0.19, 0, 2 * M_PI);
            cairo_fill(cr);
            set(cr, rgb_hex(0xf6d04e));
            cairo_arc(cr, 0.42, 0.30, 0.12, 0, 2 * M_PI);
            cairo_fill(cr);
            set(cr, rgb_hex(0xffffff));
            cairo_arc(cr, 0.42, 0.30, 0.06, 0, 2 * M_PI);
            cairo_fill(cr);
        } else {
            set(cr, s.pattern, 0.9);
            cairo_arc(cr, 0.66, -0.34, 0.08, 0, 2 * M_PI);
            cairo_fill(cr);
        }
        break;
    case LONG_TAILS:
        set(cr, s.pattern);
        if (fore) {
            cairo_set_line_width(cr, 0.09);
            cairo_move_to(cr, 0.06, -0.26);
            cairo_curve_to(cr, 0.32, -0.52, 0.72, -0.66, 0.98, -0.58);
            cairo_stroke(cr);
            cairo_arc(cr, 0.54, -0.26, 0.07, 0, 2 * M_PI);
            cairo_fill(cr);
        } else {
            cairo_arc(cr, 0.42, 0.26, 0.08, 0, 2 * M_PI);
            cairo_fill(cr);
        }
        break;
    }
}

void fill_wing(cairo_t* cr, const MothStyle& s, bool fore)
{
    if (fore)
        forewing_path(cr);
    else
        hindwing_path(cr, s.kind == LONG_TAILS);
    cairo_pattern_t* g = cairo_pattern_create_radial(0.05, 0.0, 0.05, 0.10, 0.0, 1.0);
    cairo_pattern_add_color_stop_rgb(g, 0.0, s.base.r, s.base.g, s.base.b);
    cairo_pattern_add_color_stop_rgb(g, 0.55, s.light.r, s.light.g, s.light.b);
    cairo_pattern_add_color_stop_rgb(g, 1.0, s.base.r, s.base.g, s.base.b);
    cairo_set_source(cr, g);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(g);
    cairo_save(cr);
    cairo_clip(cr);
    wing_pattern(cr, s, fore);
    cairo_restore(cr);
    // a darker rim keeps the wing's shape readable on light
    if (fore)
        forewing_path(cr);
    else
        hindwing_path(cr, s.kind == LONG_TAILS);
    set(cr, s.edge);
    cairo_set_line_width(cr, 0.07);
    cairo_stroke(cr);
}

void silhouette(cairo_t* cr, const MothStyle& s, double spread)
{
    for (int side = -1; side <= 1; side += 2) {
        cairo_save(cr);
        wing_transform(cr, side, spread);
        forewing_path(cr);
        hindwing_path(cr, s.kind == LONG_TAILS);
        cairo_restore(cr);
    }
    body_path(cr);
}

}  // namespace

void art_draw_moth(cairo_t* cr, int colour, double cx, double cy, double scale, double spread)
{
    const MothStyle& s = STYLES[colour];
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_scale(cr, scale, scale);
    // A dark outline all round, so the moth stands out on glow and on night.
    double outline = 2.0 / scale;
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    set(cr, rgb_hex(0x04050c));
    cairo_set_line_width(cr, outline);
    silhouette(cr, s, spread);
    cairo_stroke(cr);
    antennae_path(cr);
    cairo_stroke(cr);
    for (int side = -1; side <= 1; side += 2) {
        cairo_save(cr);
        wing_transform(cr, side, spread);
        fill_wing(cr, s, false);
        fill_wing(cr, s, true);
        cairo_restore(cr);
    }
    cairo_pattern_t* fur = cairo_pattern_create_linear(-0.14, 0, 0.14, 0);
    cairo_pattern_add_color_stop_rgb(fur, 0.0, s.body.r * 0.6, s.body.g * 0.6, s.body.b * 0.6);
    cairo_pattern_add_color_stop_rgb(fur, 0.45, s.body.r, s.body.g, s.body.b);
    cairo_pattern_add_color_stop_rgb(fur, 1.0, s.body.r * 0.6, s.body.g * 0.6, s.body.b * 0.6);
    cairo_set_source(cr, fur);
    body_path(cr);
    cairo_fill(cr);
    cairo_pattern_destroy(fur);
    set(cr, s.light, 0.7);
    ellipse(cr, 0, -0.16, 0.05, 0.08);
    cairo_fill(cr);
    set(cr, s.body);
    antennae_path(cr);
    cairo_fill(cr);
    cairo_restore(cr);
}

namespace {

// Where the middle of a moth's visible box lies below its thorax, in units
// of half the wingspan: the antennae reach higher than the wings reach
// down, but long tails reach lower still. Drawing the thorax this far from
// the hot spot centres the sprite on it.
double box_centre(int colour) { return STYLES[colour].kind == LONG_TAILS ? 0.16 : -0.12; }

IndexImage sprite_from(ArtPicture& picture)
{
    ArtQuantize how;
    how.backdrop = art_night_backdrop();
    how.alpha_cutoff = 0.42;
    IndexImage image;
    image.width = picture.width;
    image.height = picture.height;
    image.x_offset = -(picture.width / 2);
    image.y_offset = -(picture.height / 2);
    image.pixels = art_quantize(picture, art_game_palette(), how);
    return image;
}

ArtRanges moth_ranges(int colour) { return {range_moth(colour), range_ink()}; }

// A spark of light: a bright core with four soft rays.
void draw_spark(cairo_t* cr, double cx, double cy, double size, double brightness)
{
    cairo_pattern_t* g = cairo_pattern_create_radial(cx, cy, 0, cx, cy, size);
    cairo_pattern_add_color_stop_rgba(g, 0.0, 1, 1, 1, brightness);
    cairo_pattern_add_color_stop_rgba(g, 0.35, 0.75, 0.88, 1.0, brightness * 0.8);
    cairo_pattern_add_color_stop_rgba(g, 1.0, 0.4, 0.6, 0.9, 0.0);
    cairo_set_source(cr, g);
    cairo_arc(cr, cx, cy, size, 0, 2 * M_PI);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
    cairo_set_source_rgba(cr, 0.85, 0.95, 1.0, brightness);
    cairo_set_line_width(cr, 0.9);
    cairo_move_to(cr, cx - size * 1.5, cy);
    cairo_line_to(cr, cx + size * 1.5, cy);
    cairo_move_to(cr, cx, cy - size * 1.5);
    cairo_line_to(cr, cx, cy + size * 1.5);
    cairo_stroke(cr);
}

}  // namespace

std::vector<IndexImage> art_moth_frames(int colour)
{
    std::vector<IndexImage> frames;
    for (int f = 0; f < MOTH_FRAMES; f++) {
        ArtPicture picture = art_picture_create(SPRITE, SPRITE, moth_ranges(colour));
        int light = art_element(picture, {range_light()});
        if (f < 6) {
            // a spark that swells
            double t = (f + 1) / 6.0;
            art_draw(picture, light, 0.01, [&](cairo_t* cr) { draw_spark(cr, HOT, HOT, 2.0 + 4.0 * t, 0.6 + 0.4 * t); });
        } else {
            // the wings unfold out of the light
            double t = std::min(1.0, (f - 5) / 10.0);
            double ease = 1.0 - (1.0 - t) * (1.0 - t);
            double scale = MOTH_SCALE * (0.55 + 0.45 * ease);
            art_draw(picture, 0, 0.0, [&](cairo_t* cr) {
                art_draw_moth(cr, colour, HOT, HOT - box_centre(colour) * scale, scale, 0.15 + 0.85 * ease);
            });
            if (f < 15) {
                double glow = 1.0 - t;
                art_draw(picture, light, 0.5, [&](cairo_t* cr) { draw_spark(cr, HOT, HOT, 2.0 + 5.0 * glow, glow); });
            }
        }
        frames.push_back(sprite_from(picture));
        art_picture_free(picture);
    }
    return frames;
}

std::vector<IndexImage> art_swap_frames(int colour)
{
    // The steady moth, then the same moth dissolving pixel by pixel into
    // motes of light: out over 1..15, back in over 15..29.
    std::vector<IndexImage> steady = art_moth_frames(colour);
    const IndexImage& moth = steady[MOTH_FRAMES - 1];
    std::vector<IndexImage> frames;
    for (int f = 0; f < SWAP_FRAMES; f++) {
        double gone = f <= 15 ? f / 15.0 : (30 - f) / 15.0;
        IndexImage image = moth;
        for (int y = 0; y < image.height; y++)
            for (int x = 0; x < image.width; x++) {
                uint8_t& p = image.pixels[(size_t)y * image.width + x];
                if (p == 0)
                    continue;
                double order = art_noise(x, y, 11 + colour);
                // pixels further from the centre leave first
                double dx = x - 16, dy = y - 16;
                order = 0.6 * order + 0.4 * (1.0 - std::min(1.0, std::sqrt(dx * dx + dy * dy) / 14.0));
                if (order < gone * 1.08 - 0.08)
                    p = 0;
                else if (order < gone * 1.08 + 0.02 && gone > 0)
                    p = (uint8_t)(PAL_LIGHT + PAL_LIGHT_SIZE - 1 - (int)(art_noise(x, y, 3) * 4));
            }
        // a few motes drift outwards from where the moth was
        for (int m = 0; m < 10 && gone > 0; m++) {
            double angle = art_noise(m, colour, 21) * 2 * M_PI;
            double reach = 4 + 10 * gone * (0.5 + art_noise(m, colour, 22));
            int x = 16 + (int)std::lround(std::cos(angle) * reach);
            int y = 16 + (int)std::lround(std::sin(angle) * reach);
            if (x >= 0 && y >= 0 && x < image.width && y < image.height && gone < 0.98)
                image.pixels[(size_t)y * image.width + x] = (uint8_t)(PAL_LIGHT + PAL_LIGHT_SIZE - 2);
        }
        frames.push_back(image);
    }
    return frames;
}

std::vector<IndexImage> art_ring_frames()
{
    std::vector<IndexImage> frames;
    for (int f = 0; f < RING_FRAMES; f++) {
        ArtPicture picture = art_picture_create(SPRITE + 4, SPRITE + 4, {range_light(), range_ink()});
        double c = (SPRITE + 4) / 2.0;
        double pulse = 0.5 + 0.5 * std::cos(f * 2 * M_PI / RING_FRAMES);
        art_draw(picture, 0, 0.0, [&](cairo_t* cr) {
            cairo_set_source_rgb(cr, 0.02, 0.03, 0.08);
            cairo_set_line_width(cr, 3.4);
            cairo_arc(cr, c, c, 15.5, 0, 2 * M_PI);
            cairo_stroke(cr);
            cairo_set_source_rgb(cr, 0.55 + 0.3 * pulse, 0.8 + 0.15 * pulse, 1.0);
            cairo_set_line_width(cr, 1.3);
            cairo_arc(cr, c, c, 15.5, 0, 2 * M_PI);
            cairo_stroke(cr);
            // three sparks chase round the ring
            for (int k = 0; k < 3; k++) {
                double a = (k / 3.0 + f / (3.0 * RING_FRAMES)) * 2 * M_PI - M_PI / 2;
                double x = c + std::cos(a) * 15.5, y = c + std::sin(a) * 15.5;
                cairo_set_source_rgb(cr, 1, 1, 1);
                cairo_arc(cr, x, y, 1.9, 0, 2 * M_PI);
                cairo_fill(cr);
            }
        });
        frames.push_back(sprite_from(picture));
        art_picture_free(picture);
    }
    return frames;
}

std::vector<IndexImage> art_flight_frames()
{
    // A moth of pale light, its wings beating once over the eight frames; it
    // stands for a moth of any colour leaving the board.
    std::vector<IndexImage> frames;
    for (int f = 0; f < FLIGHT_FRAMES; f++) {
        double beat = std::cos(f * 2 * M_PI / FLIGHT_FRAMES);
        double spread = 0.18 + 0.82 * (0.5 + 0.5 * beat);
        ArtPicture picture = art_picture_create(SPRITE, SPRITE, {range_light(), range_ink()});
        art_draw(picture, 0, 0.0, [&](cairo_t* cr) {
            cairo_save(cr);
            cairo_translate(cr, HOT, HOT - box_centre(0) * 12.0);
            cairo_scale(cr, 12.0, 12.0);
            cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
            cairo_set_source_rgb(cr, 0.05, 0.09, 0.2);
            cairo_set_line_width(cr, 2.0 / 12.0);
            silhouette(cr, STYLES[0], spread);
            cairo_stroke(cr);
            for (int side = -1; side <= 1; side += 2) {
                cairo_save(cr);
                wing_transform(cr, side, spread);
                forewing_path(cr);
                hindwing_path(cr, false);
                cairo_pattern_t* g = cairo_pattern_create_radial(0.0, 0.0, 0.05, 0.0, 0.0, 1.0);
                cairo_pattern_add_color_stop_rgb(g, 0.0, 1.0, 1.0, 1.0);
                cairo_pattern_add_color_stop_rgb(g, 0.6, 0.74, 0.88, 1.0);
                cairo_pattern_add_color_stop_rgb(g, 1.0, 0.45, 0.62, 0.86);
                cairo_set_source(cr, g);
                cairo_fill(cr);
                cairo_pattern_destroy(g);
                cairo_restore(cr);
            }
            cairo_set_source_rgb(cr, 1, 1, 1);
            body_path(cr);
            cairo_fill(cr);
            cairo_restore(cr);
        });
        frames.push_back(sprite_from(picture));
        art_picture_free(picture);
    }
    return frames;
}
