// Full-screen sequences of the game palette: the transitions (whose middle
// picture is the backdrop of the high-score table), the end-of-game
// pictures, and the highlight of a new result's row.
#include "tools/art/art.h"
#include "tools/art/palettes.h"
#include "tools/art/scenery.h"

#include "hiscore/hiscore.h"
#include "shell/flow.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int W = 640, H = 480;

// The table's glass: rows 0..14 stand at y 110..404, scores end at x 210,
// names start at x 235.
constexpr double TABLE_X = 34, TABLE_Y = 96, TABLE_W = 592, TABLE_H = 336;

void moth_pair(ArtPicture& picture, double y, double left, double right)
{
    int a = art_element(picture, {range_moth(1), range_ink()});
    art_draw(picture, a, 0.5, [&](cairo_t* cr) { art_draw_moth(cr, 1, left, y, 12, 0.9); });
    int b = art_element(picture, {range_moth(0), range_ink()});
    art_draw(picture, b, 0.5, [&](cairo_t* cr) { art_draw_moth(cr, 0, right, y, 12, 0.9); });
}

// The backdrop of the high-score table, made once.
const RunImage& score_backdrop()
{
    static RunImage image;
    if (!image.pixels.empty())
        return image;
    ArtPicture picture = art_picture_create(W, H, {range_sky()});
    scenery_sky(picture, 470);
    scenery_stars(picture, 260, 470, 17);
    scenery_hills(picture, 452, 8);
    int glass = art_element(picture, {range_glass(), range_ink()});
    art_draw(picture, glass, 0.5, [&](cairo_t* cr) {
        scenery_glass_panel(cr, TABLE_X, TABLE_Y, TABLE_W, TABLE_H, 18);
        // faint bands behind every other row, to lead the eye along it
        for (int row = 0; row < HISCORE_MAX; row += 2) {
            double y = row * HISCORE_ROW_HEIGHT + HISCORE_ROW_Y - 2;
            rounded_rect(cr, TABLE_X + 14, y, TABLE_W - 28, HISCORE_ROW_HEIGHT, 6);
            cairo_set_source_rgba(cr, 0.35, 0.42, 0.85, 0.12);
            cairo_fill(cr);
        }
    });
    int gold = art_element(picture, {range_gold(), range_ink()});
    art_draw(picture, gold, 0.5, [&](cairo_t* cr) {
        scenery_gold_rim(cr, TABLE_X, TABLE_Y, TABLE_W, TABLE_H, 18, 3, 0);
        // between the scores and the names
        double x = (HISCORE_SCORE_X + HISCORE_NAME_X) / 2.0;
        cairo_pattern_t* g = cairo_pattern_create_linear(0, TABLE_Y + 10, 0, TABLE_Y + TABLE_H - 10);
        cairo_pattern_add_color_stop_rgba(g, 0.0, 0.9, 0.7, 0.3, 0.0);
        cairo_pattern_add_color_stop_rgba(g, 0.15, 0.9, 0.7, 0.3, 0.9);
        cairo_pattern_add_color_stop_rgba(g, 0.85, 0.9, 0.7, 0.3, 0.9);
        cairo_pattern_add_color_stop_rgba(g, 1.0, 0.9, 0.7, 0.3, 0.0);
        cairo_set_source(cr, g);
        cairo_rectangle(cr, x - 0.5, TABLE_Y + 10, 1.2, TABLE_H - 20);
        cairo_fill(cr);
        cairo_pattern_destroy(g);
    });
    int title = art_element(picture, {range_gold(), range_ink()});
    art_glow(picture, -1, 1.0, 16.0, CAIRO_OPERATOR_ADD, [&](cairo_t* cr) {
        art_use_font(cr, FONT_SERIF_BOLD_ITALIC, 34);
        cairo_set_source_rgba(cr, 0.9, 0.6, 0.2, 0.6);
        art_text_path(cr, "The Brightest Nights", 320, 62, 1);
        cairo_fill(cr);
    });
    art_draw(picture, title, 0.5, [&](cairo_t* cr) {
        scenery_lettering(cr, "The Brightest Nights", FONT_SERIF_BOLD_ITALIC, 34, 320, 62, 1, gold_light(), gold_deep(),
                          1.8);
    });
    moth_pair(picture, 50, 86, 554);
    ArtQuantize how;
    how.alpha_cutoff = 0.0;
    how.dither = 0.0;
    image = art_quantize_runs(picture, art_game_palette(), how);
    art_picture_free(picture);
    return image;
}

double ease_in_out(double t)
{
    t = std::clamp(t, 0.0, 1.0);
    return t < 0.5 ? 2 * t * t : 1 - std::pow(-2 * t + 2, 2) / 2;
}

// The backdrop as two halves: the left one `gap_left` pixels short of the
// middle, the right one `gap_right` beyond it, each with a gold edge.
RunImage halves(double shift)
{
    const RunImage& backdrop = score_backdrop();
    RunImage frame = run_image(W, H);
    int s = (int)std::lround(shift);
    if (s >= W / 2)
        return frame;
    for (int y = 0; y < H; y++)
        for (int x = 0; x < W; x++) {
            int source = x < W / 2 ? x + s : x - s;
            bool left = x < W / 2;
            if (left ? source >= W / 2 : source < W / 2)
                continue;
            int p = backdrop.pixels[(size_t)y * W + source];
            if (s > 0) {
                // the inner edges of the halves are trimmed in gold
                int edge = left ? W / 2 - 1 - source : source - W / 2;
                if (edge == 0)
                    p = PAL_INK + 1;
                else if (edge <= 2)
                    p = PAL_GOLD + PAL_GOLD_SIZE - 3 - (edge == 1 ? 0 : 4) - ((y / 3) % 2);
                else if (edge == 3)
                    p = PAL_GOLD + 4;
            }
            frame.pixels[(size_t)y * W + x] = p;
        }
    return frame;
}

}  // namespace

std::vector<RunImage> art_transition_frames()
{
    // The night closes in from both sides over the old screen and parts
    // again over the new one.
    std::vector<RunImage> frames;
    for (int f = 0; f < TRANSITION_END; f++) {
        double shift;
        if (f <= TRANSITION_COVERED)
            shift = (W / 2) * (1.0 - ease_in_out((f + 1.0) / (TRANSITION_COVERED + 1.0)));
        else
            shift = (W / 2) * ease_in_out((f - TRANSITION_COVERED) / (double)(TRANSITION_END - 1 - TRANSITION_COVERED));
        frames.push_back(halves(shift));
    }
    return frames;
}

std::vector<IndexImage> art_score_highlight_frames()
{
    // A band of lantern light behind the row, a glint running along it.
    const int w = 556, h = 25;
    std::vector<IndexImage> frames;
    for (int f = 0; f < 8; f++) {
        ArtPicture picture = art_picture_create(w, h, {range_glow(), range_ink()});
        double pulse = 0.5 + 0.5 * std::cos(f * 2 * M_PI / 8);
        art_draw(picture, 0, 0.0, [&](cairo_t* cr) {
            rounded_rect(cr, 1, 1, w - 2, h - 2, 9);
            cairo_pattern_t* g = cairo_pattern_create_linear(0, 0, 0, h);
            cairo_pattern_add_color_stop_rgb(g, 0.0, 0.75 + 0.2 * pulse, 0.45 + 0.15 * pulse, 0.14);
            cairo_pattern_add_color_stop_rgb(g, 0.5, 0.36, 0.2, 0.12);
            cairo_pattern_add_color_stop_rgb(g, 1.0, 0.6 + 0.2 * pulse, 0.34 + 0.1 * pulse, 0.1);
            cairo_set_source(cr, g);
            cairo_fill(cr);
            cairo_pattern_destroy(g);
            double gx = 20 + (w - 40) * f / 7.0;
            cairo_pattern_t* glint = cairo_pattern_create_radial(gx, 2, 0, gx, 2, 30);
            cairo_pattern_add_color_stop_rgba(glint, 0.0, 1, 0.95, 0.75, 0.9);
            cairo_pattern_add_color_stop_rgba(glint, 1.0, 1, 0.8, 0.4, 0.0);
            cairo_set_source(cr, glint);
            cairo_rectangle(cr, gx - 30, 1, 60, 4);
            cairo_fill(cr);
            cairo_pattern_destroy(glint);
            rounded_rect(cr, 1, 1, w - 2, h - 2, 9);
            cairo_set_source_rgb(cr, 1.0, 0.8, 0.4);
            cairo_set_line_width(cr, 1.4);
            cairo_stroke(cr);
        });
        ArtQuantize how;
        how.alpha_cutoff = 0.5;
        how.backdrop = rgb_hex(0x0a0e2a);
        IndexImage image;
        image.width = w;
        image.height = h;
        // the text of row r stands at y r * 21 + 110: 7 below the drawing point
        image.x_offset = 58 - HISCORE_HIGHLIGHT_X;
        image.y_offset = 7 - 4;
        image.pixels = art_quantize(picture, art_game_palette(), how);
        frames.push_back(image);
        art_picture_free(picture);
    }
    return frames;
}

std::vector<RunImage> art_end_frames()
{
    // A banner unrolls over the last board: the night is over.
    const double bx = 132, by = 176, bw = 376, bh = 128;
    std::vector<RunImage> frames;
    for (int f = 0; f <= END_STILL; f++) {
        double open = std::min(1.0, ease_in_out((f + 1) / 7.0));
        double words = std::clamp((f - 3) / 6.0, 0.0, 1.0);
        double h = bh * open;
        double top = by + (bh - h) / 2;
        ArtPicture picture = art_picture_create(W, H, {range_glass(), range_ink()});
        art_draw(picture, 0, 0.0, [&](cairo_t* cr) { scenery_glass_panel(cr, bx, top, bw, std::max(h, 8.0), 20); });
        int rim = art_element(picture, {range_gold(), range_ink()});
        art_draw(picture, rim, 0.5, [&](cairo_t* cr) { scenery_gold_rim(cr, bx, top, bw, std::max(h, 8.0), 20, 3, 0); });
        if (words > 0) {
            cairo_rectangle_t clip{bx, top, bw, h};
            int glow = art_element(picture, {range_glow(), range_glass()});
            art_glow(picture, glow, 0.3, 18.0, CAIRO_OPERATOR_ADD, [&](cairo_t* cr) {
                cairo_rectangle(cr, clip.x + 4, clip.y + 4, clip.width - 8, clip.height - 8);
                cairo_clip(cr);
                art_use_font(cr, FONT_SERIF_BOLD_ITALIC, 44);
                cairo_set_source_rgba(cr, 0.95, 0.55, 0.15, 0.55 * words);
                art_text_path(cr, "Game over", 320, 244, 1);
                cairo_fill(cr);
            });
            int text = art_element(picture, {range_gold(), range_ink()});
            art_draw(picture, text, 0.5, [&](cairo_t* cr) {
                cairo_rectangle(cr, clip.x + 4, clip.y + 4, clip.width - 8, clip.height - 8);
                cairo_clip(cr);
                Rgb top_colour = rgb_mix(rgb_hex(0x402a10), gold_light(), words);
                Rgb bottom_colour = rgb_mix(rgb_hex(0x201408), gold_deep(), words);
                scenery_lettering(cr, "Game over", FONT_SERIF_BOLD_ITALIC, 44, 320, 244, 1, top_colour, bottom_colour,
                                  2.0);
            });
            int small = art_element(picture, {range_text(), range_glass()});
            art_draw(picture, small, 0.5, [&](cairo_t* cr) {
                cairo_rectangle(cr, clip.x + 4, clip.y + 4, clip.width - 8, clip.height - 8);
                cairo_clip(cr);
                Rgb c = rgb_mix(rgb_hex(0x141a40), rgb_hex(0xe8dcc0), words);
                scenery_lettering(cr, "The lanterns have gone out", FONT_SERIF_ITALIC, 16, 320, 278, 1, c, c, 0);
            });
        }
        if (f == END_STILL) {
            // the still that waits for the player: its hint on a plate of
            // its own, so it reads over whatever board lies below
            const double hint_y = by + bh + 26;
            int plate = art_element(picture, {range_glass(), range_ink()});
            art_draw(picture, plate, 0.5, [&](cairo_t* cr) {
                scenery_glass_panel(cr, 320 - 92, hint_y - 19, 184, 27, 9);
            });
            int plate_rim = art_element(picture, {range_gold(), range_ink()});
            art_draw(picture, plate_rim, 0.5,
                     [&](cairo_t* cr) { scenery_gold_rim(cr, 320 - 92, hint_y - 19, 184, 27, 9, 1.4, 0); });
            int hint = art_element(picture, {range_text(), range_ink()});
            art_draw(picture, hint, 0.5, [&](cairo_t* cr) {
                scenery_lettering(cr, "Click or press a key", FONT_SANS_BOLD, 14, 320, hint_y, 1, rgb_hex(0xfff8e8),
                                  rgb_hex(0xd8c8a0), 1.5);
            });
        }
        ArtQuantize how;
        how.alpha_cutoff = 0.5;
        how.backdrop = rgb_hex(0x05061a);
        how.dither = 0.5;
        frames.push_back(art_quantize_runs(picture, art_game_palette(), how));
        art_picture_free(picture);
    }
    return frames;
}
