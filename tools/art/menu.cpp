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
constexpr double PANEL_X = 176, PANEL_Y = 24, PANEL_W = 312, PANEL_H = 396;
constexpr double CENTRE_X = PANEL_X + PANEL_W / 2, CENTRE_Y = PANEL_Y + PANEL_H / 2;
constexpr int SHADOW = 7;

const char* const LABELS[MENU_ITEMS] = {"New game", "Sound", "Quit", "Continue"};

void plaque_path(cairo_t* cr, const MenuRect& r)
{
    rounded_rect(cr, r.x + 3, r.y + 3, r.width - 5, r.height - 5, 12);
}

// One item: glass, rim, picture and label; `lit` 0 at rest, up to 1 when
// highlighted, `sweep` where a band of light crosses it (0..1, or < 0).
void draw_item(ArtPicture& picture, int item, double lit, double sweep)
{
    const MenuRect& r = menu_items[item];
    int glass = art_element(picture, {range_glass(), range_ink()});
    art_draw(picture, glass, 0.5, [&](cairo_t* cr) {
        plaque_path(cr, r);
        cairo_pattern_t* g = cairo_pattern_create_linear(0, r.y, 0, r.y + r.height);
        Rgb top = rgb_mix(rgb_hex(0x1e2866), rgb_hex(0x3a4898), lit);
        Rgb bottom = rgb_mix(rgb_hex(0x0a1032), rgb_hex(0x18205a), lit);
        cairo_pattern_add_color_stop_rgb(g, 0.0, top.r, top.g, top.b);
        cairo_pattern_add_color_stop_rgb(g, 1.0, bottom.r, bottom.g, bottom.b);
        cairo_set_source(cr, g);
        cairo_fill(cr);
        cairo_pattern_destroy(g);
        if (sweep >= 0) {
            cairo_save(cr);
            plaque_path(cr, r);
            cairo_clip(cr);
            double sx = r.x - 40 + (r.width + 80) * sweep;
            cairo_pattern_t* band = cairo_pattern_create_linear(sx - 26, 0, sx + 26, 0);
            cairo_pattern_add_color_stop_rgba(band, 0.0, 0.6, 0.7, 1.0, 0.0);
            cairo_pattern_add_color_stop_rgba(band, 0.5, 0.6, 0.7, 1.0, 0.35);
            cairo_pattern_add_color_stop_rgba(band, 1.0, 0.6, 0.7, 1.0, 0.0);
            cairo_set_source(cr, band);
            cairo_paint(cr);
            cairo_pattern_destroy(band);
            cairo_restore(cr);
        }
    });
    if (lit > 0) {
        int glow = art_element(picture, {range_glow(), range_glass()});
        art_glow(picture, glow, 0.25, 12.0, CAIRO_OPERATOR_ADD, [&](cairo_t* cr) {
            cairo_save(cr);
            plaque_path(cr, r);
            cairo_clip(cr);
            plaque_path(cr, r);
            cairo_set_source_rgba(cr, 0.9, 0.55, 0.15, 0.55 * lit);
            cairo_set_line_width(cr, 10);
            cairo_stroke(cr);
            cairo_restore(cr);
        });
    }
    int gold = art_element(picture, {range_gold(), range_ink()});
    art_draw(picture, gold, 0.5, [&](cairo_t* cr) {
        scenery_gold_rim(cr, r.x + 3, r.y + 3, r.width - 5, r.height - 5, 12, 1.6, lit);
    });
    double cx = r.x + r.width / 2.0;
    // A small picture above the label on the taller items.
    if (item == MENU_NEW_GAME) {
        int moth = art_element(picture, {range_moth(1), range_ink()});
        art_draw(picture, moth, 0.5, [&](cairo_t* cr) { art_draw_moth(cr, 1, cx, r.y + 40, 19, 1.0 - 0.25 * lit); });
    } else if (item == MENU_QUIT) {
        int moon = art_element(picture, {range_light(), range_ink()});
        art_draw(picture, moon, 0.5, [&](cairo_t* cr) {
            cairo_push_group(cr);
            cairo_set_source_rgb(cr, 0.96, 0.95, 0.86);
            cairo_arc(cr, cx, r.y + 28, 11, 0, 2 * M_PI);
            cairo_fill(cr);
            cairo_set_operator(cr, CAIRO_OPERATOR_CLEAR);
            cairo_arc(cr, cx + 5.5, r.y + 24, 9.5, 0, 2 * M_PI);
            cairo_fill(cr);
            cairo_pop_group_to_source(cr);
            cairo_paint(cr);
        });
    }
    int text = art_element(picture, {range_text(), range_gold()});
    art_draw(picture, text, 0.5, [&](cairo_t* cr) {
        double baseline = item == MENU_NEW_GAME ? r.y + r.height - 18.0
                          : item == MENU_QUIT   ? r.y + r.height - 15.0
                                                : r.y + r.height / 2.0 + 8.0;
        if (item == MENU_SOUND)
            baseline = r.y + r.height / 2.0 + 7.0;
        Rgb top = rgb_mix(rgb_hex(0xfff4d8), rgb_hex(0xffffff), lit);
        Rgb bottom = rgb_mix(rgb_hex(0xd8b878), rgb_hex(0xffd060), lit);
        scenery_lettering(cr, LABELS[item], FONT_SERIF_BOLD, 19, cx, baseline, 1, top, bottom, 1.6);
    });
}

// The open panel in true colour, with item `lit_item` (or none) lit; the
// part of it from (x, y), `w` by `h`.
ArtPicture panel_picture(int lit_item, double lit, double sweep, int x = 0, int y = 0, int w = W, int h = H)
{
    ArtPicture picture = art_picture_create(w, h, {range_glass(), range_ink()});
    picture.origin_x = x;
    picture.origin_y = y;
    art_draw(picture, 0, 0.0, [&](cairo_t* cr) { scenery_glass_panel(cr, PANEL_X, PANEL_Y, PANEL_W, PANEL_H, 26); });
    int rim = art_element(picture, {range_gold(), range_ink()});
    art_draw(picture, rim, 0.5, [&](cairo_t* cr) { scenery_gold_rim(cr, PANEL_X, PANEL_Y, PANEL_W, PANEL_H, 26, 3, 0); });
    // a scatter of faint stars in the glass
    int stars = art_element(picture, {range_glass(), range_light()});
    art_draw(picture, stars, 0.5, [&](cairo_t* cr) {
        for (int i = 0; i < 60; i++) {
            double sx = PANEL_X + 12 + art_noise(i, 1, 41) * (PANEL_W - 24);
            double sy = PANEL_Y + 12 + art_noise(i, 2, 41) * (PANEL_H - 24);
            double b = art_noise(i, 3, 41);
            cairo_set_source_rgba(cr, 0.6, 0.7, 1.0, 0.35 + 0.5 * b);
            cairo_arc(cr, sx, sy, 0.6 + 0.5 * b, 0, 2 * M_PI);
            cairo_fill(cr);
        }
    });
    // Two moths etched faintly into the glass where the items leave room.
    int etching = art_element(picture, {range_glass()});
    art_draw(picture, etching, 0.5, [&](cairo_t* cr) {
        cairo_push_group(cr);
        art_draw_moth(cr, 0, 420, 92, 34, 1.0);
        art_draw_moth(cr, 0, 222, 356, 26, 0.8);
        cairo_pop_group_to_source(cr);
        cairo_paint_with_alpha(cr, 0.16);
    });
    // Gold curls in the corners.
    int curls = art_element(picture, {range_gold(), range_glass()});
    art_draw(picture, curls, 0.5, [&](cairo_t* cr) {
        cairo_set_line_width(cr, 1.6);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        cairo_set_source_rgb(cr, 0.9, 0.7, 0.3);
        for (int corner = 0; corner < 4; corner++) {
            double sx = corner & 1 ? -1 : 1, sy = corner & 2 ? -1 : 1;
            double cx = corner & 1 ? PANEL_X + PANEL_W - 14 : PANEL_X + 14;
            double cy = corner & 2 ? PANEL_Y + PANEL_H - 14 : PANEL_Y + 14;
            cairo_move_to(cr, cx + sx * 30, cy);
            cairo_curve_to(cr, cx + sx * 8, cy, cx, cy + sy * 2, cx, cy + sy * 30);
            cairo_stroke(cr);
            cairo_arc(cr, cx + sx * 9, cy + sy * 9, 3, 0, 2 * M_PI);
            cairo_fill(cr);
        }
    });
    for (int item = 0; item < MENU_ITEMS; item++)
        draw_item(picture, item, item == lit_item ? lit : 0.0, item == lit_item ? sweep : -1.0);
    return picture;
}

ArtQuantize panel_quantize()
{
    ArtQuantize how;
    how.alpha_cutoff = 0.5;
    how.backdrop = rgb_hex(0x05061a);
    how.dither = 0.0;
    return how;
}

bool in_panel(int x, int y, double inset)
{
    const double r = 26;
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
    const MenuRect& r = menu_items[item];
    std::vector<RunImage> frames;
    for (int f = 0; f < MENU_HIGHLIGHT_FRAMES; f++) {
        double phase = f / (double)MENU_HIGHLIGHT_FRAMES;
        double lit = 0.7 + 0.3 * std::cos(phase * 2 * M_PI);
        // The item's rectangle of the panel drawn with the item lit; where
        // nothing was drawn the open panel shows through.
        ArtPicture picture = panel_picture(item, lit, phase, r.x, r.y, r.width + 1, r.height + 1);
        RunImage frame = art_quantize_runs(picture, art_game_palette(), panel_quantize());
        art_picture_free(picture);
        for (int y = 0; y < frame.height; y++)
            for (int x = 0; x < frame.width; x++) {
                int& p = frame.pixels[(size_t)y * frame.width + x];
                if (p == SKIP)
                    p = panel.pixels[(size_t)(r.y + y) * W + r.x + x];
            }
        frames.push_back(frame);
    }
    return frames;
}
