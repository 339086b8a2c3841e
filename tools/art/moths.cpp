// The moths: five kinds told apart by lightness, pattern and shape as much as
// by hue; their appearing, their swap fades, the selection ring and the
// flight of a moth that leaves.
#include "tools/art/art.h"
#include "tools/art/palettes.h"

#include <cmath>

namespace {

// Five kinds of moth, each its own outline, so that the shape alone tells
// them apart: broad round wings, hooked wing tips, narrow swept-back wings,
// great eyed hindwings and long tails.
enum Kind { ROUND_WINGS, HOOKED_TIPS, SWEPT_WINGS, EYED_HINDWINGS, LONG_TAILS };

struct MothStyle {
    Rgb outline, edge, base, light, pattern, body;
    Kind kind;
    double sprite_scale;   // half the wingspan on the board, in pixels
};

// Lightness falls in even steps from the ivory moth to the crimson one, so
// that every two moths differ in lightness alone by a clear step, whatever
// colours a player sees.
const MothStyle STYLES[5] = {
    {rgb_hex(0x181a28), rgb_hex(0xe4e0e8), rgb_hex(0xf4f0e8), rgb_hex(0xffffff), rgb_hex(0x6a6c7c), rgb_hex(0xe8e4e0), ROUND_WINGS, 13.3},
    {rgb_hex(0x2a1804), rgb_hex(0xeab83e), rgb_hex(0xfad252), rgb_hex(0xfff0a4), rgb_hex(0x9a6412), rgb_hex(0xc08a18), HOOKED_TIPS, 12.5},
    {rgb_hex(0x0c0308), rgb_hex(0x4a0818), rgb_hex(0x7a1022), rgb_hex(0x9e1e2e), rgb_hex(0xf0a088), rgb_hex(0x5a0c1c), SWEPT_WINGS, 12.9},
    {rgb_hex(0x070a1e), rgb_hex(0x3a44a8), rgb_hex(0x5c6ada), rgb_hex(0x8a9af2), rgb_hex(0x1a2470), rgb_hex(0x2a3e90), EYED_HINDWINGS, 12.8},
    {rgb_hex(0x06180f), rgb_hex(0x16644e), rgb_hex(0x34b288), rgb_hex(0x8ee6c4), rgb_hex(0x0e4a38), rgb_hex(0x1e8060), LONG_TAILS, 12.6},
};

constexpr int SPRITE = 33;          // sprite canvas; the hot spot is pixel 16
constexpr double HOT = 16.5;        // its centre in Cairo coordinates
constexpr double OUTLINE = 2.4;     // the dark outline of a board moth, in pixels

void set(cairo_t* cr, Rgb c, double a = 1.0) { cairo_set_source_rgba(cr, c.r, c.g, c.b, a); }

// Wing outlines for the right side, in units of half the wingspan, the body
// along x = 0 and the thorax at the origin, y downwards.
void forewing_path(cairo_t* cr, Kind kind)
{
    switch (kind) {
    case ROUND_WINGS:   // broad, the tip rounded off
        cairo_move_to(cr, 0.06, -0.24);
        cairo_curve_to(cr, 0.28, -0.58, 0.74, -0.70, 0.96, -0.48);
        cairo_curve_to(cr, 1.10, -0.30, 1.02, 0.0, 0.80, 0.12);
        cairo_curve_to(cr, 0.54, 0.20, 0.26, 0.14, 0.06, 0.08);
        break;
    case HOOKED_TIPS:   // the tip drawn out into a hook, the outer edge hollow below it
        cairo_move_to(cr, 0.06, -0.22);
        cairo_curve_to(cr, 0.28, -0.48, 0.66, -0.62, 1.08, -0.70);
        cairo_curve_to(cr, 0.96, -0.56, 0.84, -0.44, 0.86, -0.26);
        cairo_curve_to(cr, 0.88, -0.12, 0.92, -0.04, 0.84, 0.06);
        cairo_curve_to(cr, 0.56, 0.12, 0.26, 0.10, 0.06, 0.06);
        break;
    case SWEPT_WINGS:   // long and narrow, swept back like a hawk moth's
        cairo_move_to(cr, 0.08, -0.26);
        cairo_curve_to(cr, 0.36, -0.50, 0.82, -0.44, 1.06, -0.18);
        cairo_curve_to(cr, 1.02, -0.04, 0.86, 0.08, 0.66, 0.14);
        cairo_curve_to(cr, 0.44, 0.18, 0.22, 0.12, 0.08, 0.04);
        break;
    case EYED_HINDWINGS:   // short and rounded, above the great hindwing
        cairo_move_to(cr, 0.06, -0.22);
        cairo_curve_to(cr, 0.26, -0.50, 0.62, -0.62, 0.86, -0.54);
        cairo_curve_to(cr, 0.94, -0.38, 0.84, -0.16, 0.68, -0.04);
        cairo_curve_to(cr, 0.46, 0.04, 0.22, 0.04, 0.06, 0.04);
        break;
    case LONG_TAILS:   // pointed, with a curved leading edge
        cairo_move_to(cr, 0.06, -0.22);
        cairo_curve_to(cr, 0.30, -0.48, 0.70, -0.58, 1.00, -0.50);
        cairo_curve_to(cr, 1.02, -0.32, 0.94, -0.10, 0.78, 0.04);
        cairo_curve_to(cr, 0.56, 0.10, 0.26, 0.12, 0.06, 0.08);
        break;
    }
    cairo_close_path(cr);
}

void hindwing_path(cairo_t* cr, Kind kind)
{
    cairo_move_to(cr, 0.05, 0.0);
    switch (kind) {
    case ROUND_WINGS:   // small and round under the broad forewing
        cairo_curve_to(cr, 0.30, -0.02, 0.64, 0.06, 0.64, 0.28);
        cairo_curve_to(cr, 0.64, 0.48, 0.42, 0.56, 0.26, 0.52);
        cairo_curve_to(cr, 0.12, 0.48, 0.06, 0.40, 0.05, 0.30);
        break;
    case HOOKED_TIPS:   // small, with a scalloped edge
        cairo_curve_to(cr, 0.28, -0.02, 0.56, 0.04, 0.66, 0.14);
        cairo_curve_to(cr, 0.66, 0.22, 0.58, 0.26, 0.60, 0.32);
        cairo_curve_to(cr, 0.52, 0.40, 0.42, 0.38, 0.38, 0.46);
        cairo_curve_to(cr, 0.24, 0.50, 0.10, 0.44, 0.05, 0.32);
        break;
    case SWEPT_WINGS:   // a small fan tucked under the forewing
        cairo_curve_to(cr, 0.22, 0.02, 0.44, 0.08, 0.50, 0.20);
        cairo_curve_to(cr, 0.50, 0.32, 0.32, 0.40, 0.18, 0.38);
        cairo_curve_to(cr, 0.10, 0.36, 0.06, 0.30, 0.05, 0.22);
        break;
    case EYED_HINDWINGS:   // the largest of all, round, carrying the eye
        cairo_curve_to(cr, 0.40, -0.10, 0.94, 0.04, 0.94, 0.36);
        cairo_curve_to(cr, 0.94, 0.70, 0.58, 0.84, 0.34, 0.74);
        cairo_curve_to(cr, 0.16, 0.66, 0.06, 0.50, 0.05, 0.34);
        break;
    case LONG_TAILS:   // drawn out into long curved tails
        cairo_curve_to(cr, 0.30, -0.02, 0.56, 0.04, 0.70, 0.16);
        cairo_curve_to(cr, 0.82, 0.28, 0.66, 0.46, 0.50, 0.56);
        cairo_curve_to(cr, 0.44, 0.72, 0.46, 0.94, 0.40, 1.10);
        cairo_curve_to(cr, 0.30, 0.96, 0.26, 0.74, 0.22, 0.60);
        cairo_curve_to(cr, 0.14, 0.56, 0.08, 0.48, 0.05, 0.36);
        break;
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

// Furry thorax, tapering abdomen (long on a hawk moth), head.
void body_path(cairo_t* cr, Kind kind)
{
    if (kind == SWEPT_WINGS)
        ellipse(cr, 0, 0.30, 0.11, 0.42);
    else
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

void spot(cairo_t* cr, double x, double y, double r)
{
    cairo_new_sub_path(cr);
    cairo_arc(cr, x, y, r, 0, 2 * M_PI);
    cairo_fill(cr);
}

void wing_pattern(cairo_t* cr, const MothStyle& s, bool fore)
{
    switch (s.kind) {
    case ROUND_WINGS:
        // faint veins and a few small dark dots
        set(cr, s.edge, 0.6);
        cairo_set_line_width(cr, 0.04);
        if (fore) {
            cairo_move_to(cr, 0.08, -0.10); cairo_line_to(cr, 0.86, -0.40);
            cairo_move_to(cr, 0.08, -0.02); cairo_line_to(cr, 0.84, -0.06);
        } else {
            cairo_move_to(cr, 0.08, 0.10); cairo_line_to(cr, 0.60, 0.44);
        }
        cairo_stroke(cr);
        set(cr, s.pattern);
        if (fore) {
            spot(cr, 0.52, -0.34, 0.05);
            spot(cr, 0.70, -0.16, 0.05);
        } else {
            spot(cr, 0.46, 0.30, 0.05);
        }
        break;
    case HOOKED_TIPS:
        // a dark line from the hook to the inner edge, a spot, a dark hook
        set(cr, s.pattern);
        if (fore) {
            cairo_set_line_width(cr, 0.06);
            cairo_move_to(cr, 0.96, -0.62);
            cairo_curve_to(cr, 0.70, -0.40, 0.50, -0.12, 0.40, 0.10);
            cairo_stroke(cr);
            spot(cr, 0.46, -0.32, 0.07);
            spot(cr, 1.08, -0.70, 0.11);
        } else {
            spot(cr, 0.36, 0.24, 0.06);
        }
        break;
    case SWEPT_WINGS:
        // a pale streak along the forewing, a rosy hindwing
        set(cr, s.pattern);
        if (fore) {
            cairo_set_line_width(cr, 0.10);
            cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
            cairo_move_to(cr, 0.18, -0.16);
            cairo_curve_to(cr, 0.44, -0.26, 0.74, -0.24, 0.94, -0.14);
            cairo_stroke(cr);
        } else {
            set(cr, s.pattern, 0.55);
            spot(cr, 0.28, 0.20, 0.16);
        }
        break;
    case EYED_HINDWINGS:
        if (!fore) {
            set(cr, s.pattern);
            spot(cr, 0.52, 0.38, 0.20);
            set(cr, rgb_hex(0xb8c0ff));
            spot(cr, 0.52, 0.38, 0.13);
            set(cr, rgb_hex(0xffffff));
            spot(cr, 0.52, 0.38, 0.06);
        } else {
            set(cr, s.pattern, 0.9);
            spot(cr, 0.60, -0.34, 0.07);
        }
        break;
    case LONG_TAILS:
        set(cr, s.pattern);
        if (fore) {
            cairo_set_line_width(cr, 0.09);
            cairo_move_to(cr, 0.06, -0.26);
            cairo_curve_to(cr, 0.32, -0.52, 0.72, -0.66, 0.98, -0.58);
            cairo_stroke(cr);
            spot(cr, 0.54, -0.26, 0.07);
        } else {
            spot(cr, 0.42, 0.26, 0.08);
        }
        break;
    }
}

void fill_wing(cairo_t* cr, const MothStyle& s, bool fore)
{
    if (fore)
        forewing_path(cr, s.kind);
    else
        hindwing_path(cr, s.kind);
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
        forewing_path(cr, s.kind);
    else
        hindwing_path(cr, s.kind);
    set(cr, s.edge);
    cairo_set_line_width(cr, 0.07);
    cairo_stroke(cr);
}

void silhouette(cairo_t* cr, Kind kind, double spread)
{
    for (int side = -1; side <= 1; side += 2) {
        cairo_save(cr);
        wing_transform(cr, side, spread);
        forewing_path(cr, kind);
        hindwing_path(cr, kind);
        cairo_restore(cr);
    }
    body_path(cr, kind);
}

// The moth with an outline `outline` pixels wide, thorax at (cx, cy).
void draw_moth(cairo_t* cr, int colour, double cx, double cy, double scale, double spread, double outline)
{
    const MothStyle& s = STYLES[colour];
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_scale(cr, scale, scale);
    // A dark outline all round, in a deep shade of the moth's colour, so the
    // moth stands out on glow and on night.
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    set(cr, s.outline);
    cairo_set_line_width(cr, outline / scale);
    silhouette(cr, s.kind, spread);
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
    body_path(cr, s.kind);
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

// Where the middle of a moth's outline lies from its thorax, in units of
// half the wingspan, wings open: drawing the thorax this far from the hot
// spot centres the sprite on its cell.
void outline_centre(Kind kind, double* x, double* y)
{
    cairo_surface_t* scratch = cairo_image_surface_create(CAIRO_FORMAT_A8, 1, 1);
    cairo_t* cr = cairo_create(scratch);
    silhouette(cr, kind, 1.0);
    antennae_path(cr);
    double x0, y0, x1, y1;
    cairo_fill_extents(cr, &x0, &y0, &x1, &y1);
    cairo_destroy(cr);
    cairo_surface_destroy(scratch);
    *x = (x0 + x1) / 2;
    *y = (y0 + y1) / 2;
}

}  // namespace

void art_draw_moth(cairo_t* cr, int colour, double cx, double cy, double scale, double spread)
{
    draw_moth(cr, colour, cx, cy, scale, spread, 2.0);
}

namespace {

// Where to draw the thorax of a moth of `colour` at `scale` so that its
// outline is centred on the hot spot.
double thorax_y(int colour, double scale)
{
    double x, y;
    outline_centre(STYLES[colour].kind, &x, &y);
    return HOT - y * scale;
}

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
            double scale = STYLES[colour].sprite_scale * (0.55 + 0.45 * ease);
            art_draw(picture, 0, 0.0, [&](cairo_t* cr) {
                draw_moth(cr, colour, HOT, thorax_y(colour, scale), scale, 0.15 + 0.85 * ease, OUTLINE);
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

namespace {

// Warm light: a white-hot core fading through gold into the lantern glow.
void warm_orb(cairo_t* cr, double cx, double cy, double radius, double strength)
{
    cairo_pattern_t* g = cairo_pattern_create_radial(cx, cy, 0, cx, cy, radius);
    cairo_pattern_add_color_stop_rgba(g, 0.0, 1.0, 0.99, 0.93, strength);
    cairo_pattern_add_color_stop_rgba(g, 0.35, 1.0, 0.86, 0.52, strength);
    cairo_pattern_add_color_stop_rgba(g, 0.7, 0.93, 0.58, 0.2, strength * 0.75);
    cairo_pattern_add_color_stop_rgba(g, 1.0, 0.58, 0.3, 0.1, 0.0);
    cairo_set_source(cr, g);
    cairo_arc(cr, cx, cy, radius, 0, 2 * M_PI);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
}

// A soft four-pointed twinkle of warm light.
void warm_twinkle(cairo_t* cr, double cx, double cy, double reach, double strength)
{
    for (int k = 0; k < 4; k++) {
        double a = k * M_PI / 2 + M_PI / 4;
        double dx = std::cos(a), dy = std::sin(a);
        cairo_pattern_t* g = cairo_pattern_create_linear(cx, cy, cx + dx * reach, cy + dy * reach);
        cairo_pattern_add_color_stop_rgba(g, 0.0, 1.0, 0.96, 0.8, strength);
        cairo_pattern_add_color_stop_rgba(g, 1.0, 1.0, 0.7, 0.3, 0.0);
        cairo_set_source(cr, g);
        // a slim diamond from the centre outwards
        cairo_move_to(cr, cx - dy * 1.3, cy + dx * 1.3);
        cairo_line_to(cr, cx + dx * reach, cy + dy * reach);
        cairo_line_to(cr, cx + dy * 1.3, cy - dx * 1.3);
        cairo_close_path(cr);
        cairo_fill(cr);
        cairo_pattern_destroy(g);
    }
}

// A sprite whose light fades further out than its moth. The moth's pixels
// are kept down to the usual 0.42 coverage and blend towards the night; the
// light's are kept down to `light_cutoff`, blend towards warm light rather
// than the night (so its rim is a glow, not a dark ring), and thin out in a
// fixed ordered pattern over the faintest part, `fade` of coverage wide.
IndexImage glowing_sprite_from(ArtPicture& picture, int light, double light_cutoff, double fade)
{
    static const uint8_t ORDER[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
    ArtQuantize how;
    how.alpha_cutoff = 0.0;
    how.backdrop = art_night_backdrop();
    IndexImage image = sprite_from(picture);
    std::vector<uint8_t> night = art_quantize(picture, art_game_palette(), how);
    how.backdrop = rgb_hex(0xc87a22);
    std::vector<uint8_t> warm = art_quantize(picture, art_game_palette(), how);
    cairo_surface_flush(picture.colour);
    const uint8_t* data = cairo_image_surface_get_data(picture.colour);
    int stride = cairo_image_surface_get_stride(picture.colour);
    for (int y = 0; y < picture.height; y++)
        for (int x = 0; x < picture.width; x++) {
            double alpha = (((const uint32_t*)(data + y * stride))[x] >> 24) / 255.0;
            size_t i = (size_t)y * picture.width + x;
            if (picture.owner[i] != light) {
                image.pixels[i] = alpha >= 0.42 ? night[i] : 0;
                continue;
            }
            double keep = light_cutoff + (ORDER[y & 3][x & 3] + 0.5) / 16.0 * fade;
            image.pixels[i] = alpha >= keep ? warm[i] : 0;
        }
    return image;
}

// The moth of `colour` turning into light: at `t` 0 the steady moth, then
// its wings fold in and brighten in their own colour while a warm light
// grows over it, until at 1 only the light is left, twinkling.
IndexImage moth_into_light(int colour, double t)
{
    const MothStyle& s = STYLES[colour];
    ArtPicture picture = art_picture_create(SPRITE, SPRITE, moth_ranges(colour));
    int light = art_element(picture, {range_glow()});
    double grow = std::sin(t * M_PI / 2);
    double scale = s.sprite_scale * (1.0 - 0.55 * t * t);
    double whiten = 0.85 * std::clamp(t / 0.8, 0.0, 1.0);
    // the halo behind, the moth, then the bright heart over it
    if (t > 0)
        art_draw(picture, light, 0.01, [&](cairo_t* cr) { warm_orb(cr, HOT, HOT, 4.0 + 9.0 * grow, 0.7 * grow); });
    if (t < 0.9)
        art_draw(picture, 0, 0.5, [&](cairo_t* cr) {
            cairo_push_group(cr);
            draw_moth(cr, colour, HOT, thorax_y(colour, scale), scale, 1.0 - 0.5 * t, OUTLINE);
            // the moth's own highlight washes over it
            cairo_set_operator(cr, CAIRO_OPERATOR_ATOP);
            set(cr, s.light, whiten);
            cairo_paint(cr);
            cairo_pop_group_to_source(cr);
            cairo_paint(cr);
        });
    if (t > 0)
        art_draw(picture, light, 0.45, [&](cairo_t* cr) {
            warm_orb(cr, HOT, HOT, 2.0 + 6.0 * grow, std::min(1.0, 0.3 + t));
            if (t > 0.6)
                warm_twinkle(cr, HOT, HOT, 4.0 + 9.0 * (t - 0.6) / 0.4, (t - 0.6) / 0.4);
        });
    IndexImage image = glowing_sprite_from(picture, light, 0.12, 0.45);
    art_picture_free(picture);
    return image;
}

}  // namespace

std::vector<IndexImage> art_swap_frames(int colour)
{
    // Out over 1..15: the moth turns into a warm light; in over 15..29 the
    // light opens into the moth that takes its place.
    std::vector<IndexImage> frames;
    for (int f = 0; f < SWAP_FRAMES; f++)
        frames.push_back(moth_into_light(colour, f <= 15 ? f / 15.0 : (30 - f) / 15.0));
    return frames;
}

std::vector<IndexImage> art_flight_frames()
{
    // A moth of warm light in a soft glow, its wings beating once over the
    // eight frames and never folding shut; it stands for a moth of any
    // colour bursting into light and leaving the board.
    constexpr double SCALE = 10.5;
    double centre_x, centre_y;
    outline_centre(ROUND_WINGS, &centre_x, &centre_y);
    std::vector<IndexImage> frames;
    for (int f = 0; f < FLIGHT_FRAMES; f++) {
        double beat = 0.5 + 0.5 * std::cos(f * 2 * M_PI / FLIGHT_FRAMES);
        double spread = 0.5 + 0.5 * beat;
        ArtPicture picture = art_picture_create(SPRITE, SPRITE, {range_glow()});
        // the glow round the moth, widest when the wings are open
        art_draw(picture, 0, 0.0, [&](cairo_t* cr) { warm_orb(cr, HOT, HOT, 9.0 + 3.0 * beat, 0.4); });
        art_draw(picture, 0, 0.0, [&](cairo_t* cr) {
            cairo_save(cr);
            cairo_translate(cr, HOT, HOT - centre_y * SCALE);
            cairo_scale(cr, SCALE, SCALE);
            for (int side = -1; side <= 1; side += 2) {
                cairo_save(cr);
                wing_transform(cr, side, spread);
                for (bool fore : {false, true}) {
                    if (fore)
                        forewing_path(cr, ROUND_WINGS);
                    else
                        hindwing_path(cr, ROUND_WINGS);
                    cairo_pattern_t* g = cairo_pattern_create_radial(0.0, 0.0, 0.05, 0.0, 0.0, 1.0);
                    cairo_pattern_add_color_stop_rgb(g, 0.0, 1.0, 0.99, 0.92);
                    cairo_pattern_add_color_stop_rgb(g, 0.5, 1.0, 0.9, 0.6);
                    cairo_pattern_add_color_stop_rgb(g, 1.0, 0.98, 0.74, 0.32);
                    cairo_set_source(cr, g);
                    cairo_fill_preserve(cr);
                    cairo_pattern_destroy(g);
                    // a deeper rim draws the wing's shape inside the glow
                    cairo_set_source_rgb(cr, 0.6, 0.3, 0.07);
                    cairo_set_line_width(cr, 0.14);
                    cairo_stroke(cr);
                }
                cairo_restore(cr);
            }
            cairo_set_source_rgb(cr, 1, 1, 0.96);
            body_path(cr, ROUND_WINGS);
            cairo_fill(cr);
            cairo_restore(cr);
        });
        frames.push_back(glowing_sprite_from(picture, 0, 0.12, 0.25));
        art_picture_free(picture);
    }
    return frames;
}
