// The in-game menu: a panel of night glass over the game, its four items
// labelled inside their rectangles, the highlight of each item, and the
// opening and closing of the panel.
#include "tools/art/art.h"
#include "tools/art/palettes.h"
#include "tools/art/scenery.h"

#include "board/menu.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int W = 640, H = 480;

// The four items are four equal tiles, each lying wholly inside the
// rectangle the menu tests the pointer against, so a click anywhere on a
// tile chooses it. The rectangles alternate left and right down the
// screen, so the tiles stand in two aligned columns, evenly spaced:
// new game and quit on the left, sound (with its switch beside it) and
// continue on the right.
constexpr int TILE_W = 68, TILE_H = 64;
constexpr int TILE_PITCH = 84;
constexpr int LEFT_X = 237, RIGHT_X = 348;
constexpr int FIRST_Y = 78;

// The panel holds the tiles and the sound switch (x 428..472) with an
// even margin, its shadow ending where the score's plaque begins.
constexpr double PANEL_X = 219, PANEL_Y = 58, PANEL_W = 268, PANEL_H = 356;
constexpr double PANEL_RADIUS = 20;
constexpr double CENTRE_X = PANEL_X + PANEL_W / 2, CENTRE_Y = PANEL_Y + PANEL_H / 2;
constexpr int SHADOW = 7;

const char* const LABELS[MENU_ITEMS] = {"New game", "Sound", "Quit", "Continue"};

struct Tile {
    int x, y;    // top-left pixel; TILE_W x TILE_H
};

Tile tile_of(int item)
{
    bool left = item == MENU_NEW_GAME || item == MENU_QUIT;
    return Tile{left ? LEFT_X : RIGHT_X, FIRST_Y + item * TILE_PITCH};
}

// The tile's outline; its dark edge reaches 2 pixels outside, to the
// tile's own pixels.
void tile_path(cairo_t* cr, const Tile& t) { rounded_rect(cr, t.x + 2, t.y + 2, TILE_W - 4, TILE_H - 4, 10); }

void vertical_gradient(cairo_t* cr, double top_y, double bottom_y, Rgb top, Rgb bottom)
{
    cairo_pattern_t* g = cairo_pattern_create_linear(0, top_y, 0, bottom_y);
    cairo_pattern_add_color_stop_rgb(g, 0.0, top.r, top.g, top.b);
    cairo_pattern_add_color_stop_rgb(g, 1.0, bottom.r, bottom.g, bottom.b);
    cairo_set_source(cr, g);
    cairo_pattern_destroy(g);
}

// The item's picture, centred at (cx, cy), in the colour already set.
void icon_path(cairo_t* cr, int item, double cx, double cy)
{
    cairo_new_path(cr);
    switch (item) {
    case MENU_NEW_GAME:
        // a circling arrow: a fresh night
        cairo_set_line_width(cr, 3.2);
        cairo_arc(cr, cx, cy, 8.5, -M_PI * 0.35, M_PI * 1.45);
        cairo_stroke(cr);
        cairo_move_to(cr, cx + 8.5 * std::cos(-M_PI * 0.35) + 5.5, cy + 8.5 * std::sin(-M_PI * 0.35) - 1.0);
        cairo_line_to(cr, cx + 8.5 * std::cos(-M_PI * 0.35) - 2.5, cy + 8.5 * std::sin(-M_PI * 0.35) - 6.5);
        cairo_line_to(cr, cx + 8.5 * std::cos(-M_PI * 0.35) - 1.5, cy + 8.5 * std::sin(-M_PI * 0.35) + 4.5);
        cairo_close_path(cr);
        cairo_fill(cr);
        break;
    case MENU_SOUND:
        // a speaker and two waves
        cairo_move_to(cr, cx - 11, cy - 4);
        cairo_line_to(cr, cx - 6, cy - 4);
        cairo_line_to(cr, cx + 1, cy - 10);
        cairo_line_to(cr, cx + 1, cy + 10);
        cairo_line_to(cr, cx - 6, cy + 4);
        cairo_line_to(cr, cx - 11, cy + 4);
        cairo_close_path(cr);
        cairo_fill(cr);
        cairo_set_line_width(cr, 2.2);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        cairo_arc(cr, cx + 2, cy, 6, -M_PI / 4, M_PI / 4);
        cairo_stroke(cr);
        cairo_arc(cr, cx + 2, cy, 11, -M_PI / 4, M_PI / 4);
        cairo_stroke(cr);
        break;
    case MENU_QUIT:
        // the crescent moon: goodnight
        cairo_push_group(cr);
        cairo_arc(cr, cx, cy, 11, 0, 2 * M_PI);
        cairo_fill(cr);
        cairo_set_operator(cr, CAIRO_OPERATOR_CLEAR);
        cairo_arc(cr, cx + 5.5, cy - 4, 9.5, 0, 2 * M_PI);
        cairo_fill(cr);
        cairo_pop_group_to_source(cr);
        cairo_paint(cr);
        break;
    default:
        // play on
        cairo_move_to(cr, cx - 7, cy - 10);
        cairo_line_to(cr, cx + 10, cy);
        cairo_line_to(cr, cx - 7, cy + 10);
        cairo_close_path(cr);
        cairo_fill(cr);
        break;
    }
}

// The label size that fits the longest label inside a tile.
double label_size()
{
    static double size = 0;
    if (size > 0)
        return size;
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_A8, 8, 8);
    cairo_t* cr = cairo_create(surface);
    size = 14;
    for (;; size -= 0.5) {
        art_use_font(cr, FONT_SANS_CONDENSED_BOLD, size);
        double widest = 0;
        for (const char* label : LABELS) {
            cairo_text_extents_t extents;
            cairo_text_extents(cr, label, &extents);
            widest = std::max(widest, extents.width);
        }
        if (widest <= TILE_W - 18 || size <= 9)
            break;
    }
    cairo_destroy(cr);
    cairo_surface_destroy(surface);
    return size;
}

// One tile: glass, rim, icon and label; `lit` 0 at rest, up to 1 when
// highlighted, `sweep` where a band of light crosses it (0..1, or < 0).
void draw_tile(ArtPicture& picture, int item, double lit, double sweep)
{
    const Tile t = tile_of(item);
    int glass = art_element(picture, {range_glass(), range_ink()});
    art_draw(picture, glass, 0.5, [&](cairo_t* cr) {
        tile_path(cr, t);
        vertical_gradient(cr, t.y, t.y + TILE_H, rgb_mix(rgb_hex(0x26307a), rgb_hex(0x3c4aa0), lit),
                          rgb_mix(rgb_hex(0x0c1238), rgb_hex(0x1a2262), lit));
        cairo_fill(cr);
        if (sweep >= 0) {
            cairo_save(cr);
            tile_path(cr, t);
            cairo_clip(cr);
            double sx = t.x - 30 + (TILE_W + 60) * sweep;
            cairo_pattern_t* band = cairo_pattern_create_linear(sx - 20, 0, sx + 20, 0);
            cairo_pattern_add_color_stop_rgba(band, 0.0, 0.6, 0.7, 1.0, 0.0);
            cairo_pattern_add_color_stop_rgba(band, 0.5, 0.6, 0.7, 1.0, 0.3);
            cairo_pattern_add_color_stop_rgba(band, 1.0, 0.6, 0.7, 1.0, 0.0);
            cairo_set_source(cr, band);
            cairo_paint(cr);
            cairo_pattern_destroy(band);
            cairo_restore(cr);
        }
    });
    if (lit > 0) {
        // a second, fine line of gold inside the rim
        int line = art_element(picture, {range_gold(), range_glass()});
        art_draw(picture, line, 0.5, [&](cairo_t* cr) {
            rounded_rect(cr, t.x + 5.5, t.y + 5.5, TILE_W - 11, TILE_H - 11, 7);
            cairo_set_source_rgba(cr, 1.0, 0.8, 0.4, 0.75 * lit);
            cairo_set_line_width(cr, 1.0);
            cairo_stroke(cr);
        });
    }
    double cx = t.x + TILE_W / 2.0;
    int icon = art_element(picture, {range_gold(), range_text(), range_ink()});
    art_draw(picture, icon, 0.5, [&](cairo_t* cr) {
        double cy = t.y + 24;
        cairo_save(cr);
        cairo_translate(cr, 0.8, 1.0);
        cairo_set_source_rgb(cr, 0.02, 0.02, 0.05);
        icon_path(cr, item, cx, cy);
        cairo_restore(cr);
        vertical_gradient(cr, cy - 11, cy + 11, rgb_mix(rgb_hex(0xfff0b0), rgb_hex(0xfffbe8), lit),
                          rgb_mix(rgb_hex(0xd89a30), rgb_hex(0xf8c050), lit));
        icon_path(cr, item, cx, cy);
    });
    int gold = art_element(picture, {range_gold(), range_ink()});
    art_draw(picture, gold, 0.5, [&](cairo_t* cr) {
        scenery_gold_rim(cr, t.x + 2, t.y + 2, TILE_W - 4, TILE_H - 4, 10, 1.6, lit);
    });
    int text = art_element(picture, {range_text(), range_gold()});
    art_draw(picture, text, 0.5, [&](cairo_t* cr) {
        Rgb top = rgb_mix(rgb_hex(0xfff4d8), rgb_hex(0xffffff), lit);
        Rgb bottom = rgb_mix(rgb_hex(0xe0c890), rgb_hex(0xffd878), lit);
        scenery_lettering(cr, LABELS[item], FONT_SANS_CONDENSED_BOLD, label_size(), cx, t.y + TILE_H - 11, 1, top,
                          bottom, 1.4);
    });
}

// The open panel in true colour, with item `lit_item` (or none) lit; the
// part of it from (x, y), `w` by `h`.
ArtPicture panel_picture(int lit_item, double lit, double sweep, int x = 0, int y = 0, int w = W, int h = H)
{
    ArtPicture picture = art_picture_create(w, h, {range_glass(), range_ink()});
    picture.origin_x = x;
    picture.origin_y = y;
    art_draw(picture, 0, 0.0, [&](cairo_t* cr) {
        // one smooth fall of night glass, lighter at the top
        rounded_rect(cr, PANEL_X, PANEL_Y, PANEL_W, PANEL_H, PANEL_RADIUS);
        vertical_gradient(cr, PANEL_Y, PANEL_Y + PANEL_H, rgb_hex(0x141a4a), rgb_hex(0x070a24));
        cairo_fill(cr);
    });
    int rim = art_element(picture, {range_gold(), range_ink()});
    art_draw(picture, rim, 0.5, [&](cairo_t* cr) {
        scenery_gold_rim(cr, PANEL_X, PANEL_Y, PANEL_W, PANEL_H, PANEL_RADIUS, 3, 0);
    });
    for (int item = 0; item < MENU_ITEMS; item++)
        draw_tile(picture, item, item == lit_item ? lit : 0.0, item == lit_item ? sweep : -1.0);
    return picture;
}

ArtQuantize panel_quantize()
{
    ArtQuantize how;
    how.alpha_cutoff = 0.5;
    how.backdrop = rgb_hex(0x05061a);
    how.dither = 0.9;
    return how;
}

bool in_panel(int x, int y, double inset)
{
    const double r = PANEL_RADIUS;
    double dx = std::max({PANEL_X + r - (x + 0.5), 0.0, (x + 0.5) - (PANEL_X + PANEL_W - r)});
    double dy = std::max({PANEL_Y + r - (y + 0.5), 0.0, (y + 0.5) - (PANEL_Y + PANEL_H - r)});
    return dx * dx + dy * dy <= (r + inset) * (r + inset);
}

// The open panel as the menu draws it, with its stippled shadow on the game.
const RunImage& open_panel()
{
    static RunImage image;
    if (!image.pixels.empty())
        return image;
    ArtPicture picture = panel_picture(-1, 0, -1);
    image = art_quantize_runs(picture, art_game_palette(), panel_quantize());
    art_picture_free(picture);
    for (int y = 0; y < H; y++)
        for (int x = 0; x < W; x++) {
            int& p = image.pixels[(size_t)y * W + x];
            // the shadow falls in lines, so the game shows through it
            if (p == SKIP && in_panel(x - SHADOW, y - SHADOW, 1.5) && (y & 1) == 0)
                p = PAL_BLACK;
        }
    return image;
}

}  // namespace

std::vector<RunImage> art_menu_frames()
{
    const RunImage& panel = open_panel();
    double reach = std::hypot(PANEL_W / 2 + SHADOW + 2, PANEL_H / 2 + SHADOW + 2);
    std::vector<RunImage> frames;
    for (int f = 0; f < MENU_CLOSE_END; f++) {
        // Open: the panel grows out of its centre behind a rim of light.
        // Close: it draws back into it.
        double radius;
        if (f < MENU_OPEN_FRAMES) {
            double t = (f + 1.0) / MENU_OPEN_FRAMES;
            radius = (reach + 8) * (1.0 - std::pow(1.0 - t, 2.2));
        } else {
            double t = (f - MENU_CLOSE_FIRST + 1.0) / (MENU_CLOSE_END - MENU_CLOSE_FIRST);
            radius = (reach + 8) * (1.0 - t * t);
        }
        RunImage frame = run_image(W, H);
        for (int y = 0; y < H; y++)
            for (int x = 0; x < W; x++) {
                size_t i = (size_t)y * W + x;
                if (panel.pixels[i] == SKIP)
                    continue;
                double d = std::hypot(x + 0.5 - CENTRE_X, y + 0.5 - CENTRE_Y);
                if (d > radius)
                    continue;
                double rim = radius - d;
                if (rim < 6 && f != MENU_PANEL_PICTURE && panel.pixels[i] != PAL_BLACK)
                    frame.pixels[i] = PAL_GLOW + PAL_GLOW_SIZE - 1 - (int)(rim * 1.6);
                else
                    frame.pixels[i] = panel.pixels[i];
            }
        frames.push_back(frame);
    }
    return frames;
}

std::vector<RunImage> art_menu_item_frames(int item)
{
    const RunImage& panel = open_panel();
    const Tile t = tile_of(item);
    std::vector<RunImage> frames;
    for (int f = 0; f < MENU_HIGHLIGHT_FRAMES; f++) {
        double phase = f / (double)MENU_HIGHLIGHT_FRAMES;
        double lit = 0.7 + 0.3 * std::cos(phase * 2 * M_PI);
        // The tile drawn lit; every pixel that comes out as the open panel
        // has it is left to the panel, so the corners round the tile show
        // the panel itself.
        ArtPicture picture = panel_picture(item, lit, phase, t.x, t.y, TILE_W, TILE_H);
        RunImage frame = art_quantize_runs(picture, art_game_palette(), panel_quantize());
        art_picture_free(picture);
        for (int y = 0; y < frame.height; y++)
            for (int x = 0; x < frame.width; x++) {
                int& p = frame.pixels[(size_t)y * frame.width + x];
                if (p == panel.pixels[(size_t)(t.y + y) * W + t.x + x])
                    p = SKIP;
            }
        frames.push_back(art_crop(frame));
    }
    return frames;
}
