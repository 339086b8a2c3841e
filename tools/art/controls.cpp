// The game screen's controls: the menu button, the pointer, the gold score
// digits and the speed slider; and the sound switch of the in-game menu.
#include "tools/art/art.h"
#include "tools/art/palettes.h"
#include "tools/art/scenery.h"

#include "board/game_screen.h"

#include <algorithm>
#include <cmath>

namespace {

IndexImage raw_from(const ArtPicture& picture, int x_offset, int y_offset, double cutoff = 0.45)
{
    ArtQuantize how;
    how.backdrop = art_night_backdrop();
    how.alpha_cutoff = cutoff;
    IndexImage image;
    image.width = picture.width;
    image.height = picture.height;
    image.x_offset = x_offset;
    image.y_offset = y_offset;
    image.pixels = art_quantize(picture, art_game_palette(), how);
    return image;
}

}  // namespace

std::vector<RunImage> art_menu_button_frames()
{
    std::vector<RunImage> frames;
    const double x = MENU_BUTTON_X + 1, y = MENU_BUTTON_Y + 1;
    const double w = MENU_BUTTON_WIDTH - 1, h = MENU_BUTTON_HEIGHT - 1;
    for (int f = 0; f < MENU_BUTTON_FRAMES; f++) {
        // Pointed at, the plaque brightens and its moth beats its wings.
        double glow = f == 0 ? 0.0 : 0.55 + 0.45 * std::sin(f * M_PI / MENU_BUTTON_FRAMES);
        double spread = f == 0 ? 1.0 : 0.35 + 0.65 * (0.5 + 0.5 * std::cos(f * 2 * M_PI / (MENU_BUTTON_FRAMES - 1)));
        ArtPicture picture = art_picture_create(MENU_BUTTON_WIDTH + 1, MENU_BUTTON_HEIGHT + 1, {range_glass(), range_ink()});
        picture.origin_x = MENU_BUTTON_X;
        picture.origin_y = MENU_BUTTON_Y;
        art_draw(picture, 0, 0.0, [&](cairo_t* cr) { scenery_glass_panel(cr, x + 1, y + 1, w - 2, h - 2, 12); });
        if (glow > 0) {
            int light = art_element(picture, {range_glow(), range_glass()});
            art_glow(picture, light, 0.2, 10.0, CAIRO_OPERATOR_ADD, [&](cairo_t* cr) {
                cairo_set_source_rgba(cr, 0.9, 0.6, 0.2, 0.5 * glow);
                cairo_arc(cr, x + w / 2, y + 22, 16, 0, 2 * M_PI);
                cairo_fill(cr);
            });
        }
        int gold = art_element(picture, {range_gold(), range_ink()});
        art_draw(picture, gold, 0.5, [&](cairo_t* cr) { scenery_gold_rim(cr, x + 1, y + 1, w - 2, h - 2, 12, 2, glow); });
        int moth = art_element(picture, {range_moth(0), range_ink()});
        art_draw(picture, moth, 0.5, [&](cairo_t* cr) { art_draw_moth(cr, 0, x + w / 2, y + 21, 13, spread); });
        int text = art_element(picture, {range_text(), range_gold()});
        art_draw(picture, text, 0.5, [&](cairo_t* cr) {
            Rgb top = rgb_mix(rgb_hex(0xfff2d0), rgb_hex(0xffffff), glow);
            Rgb bottom = rgb_mix(rgb_hex(0xd8c090), rgb_hex(0xffe098), glow);
            scenery_lettering(cr, "Menu", FONT_SERIF_BOLD, 16, x + w / 2, y + h - 10, 1, top, bottom, 1.4);
        });
        ArtQuantize how;
        how.alpha_cutoff = 0.5;
        how.backdrop = art_night_backdrop();
        how.dither = 0.9;    // the glass's gradient without bands
        frames.push_back(art_quantize_runs(picture, art_game_palette(), how));
        art_picture_free(picture);
    }
    return frames;
}

std::vector<IndexImage> art_sound_switch_frames()
{
    // A little slide switch: its lantern knob slides right and lights up.
    std::vector<IndexImage> frames;
    const int w = 44, h = 24;
    for (int f = 0; f < 6; f++) {
        double on = f / 5.0;
        ArtPicture picture = art_picture_create(w, h, {range_glass(), range_ink()});
        int rim = art_element(picture, {range_gold(), range_ink()});
        art_draw(picture, rim, 0.3, [&](cairo_t* cr) {
            rounded_rect(cr, 1.5, 3.5, w - 3, h - 7, (h - 7) / 2.0);
            cairo_set_source_rgb(cr, 0.02, 0.02, 0.05);
            cairo_fill_preserve(cr);
            cairo_set_source_rgb(cr, 0.85, 0.62, 0.25);
            cairo_set_line_width(cr, 1.5);
            cairo_stroke(cr);
        });
        int track = art_element(picture, {range_glow(), range_glass()});
        art_draw(picture, track, 0.5, [&](cairo_t* cr) {
            rounded_rect(cr, 4, 6, (w - 8) * (0.25 + 0.75 * on), h - 12, (h - 12) / 2.0);
            cairo_set_source_rgba(cr, 0.95, 0.6, 0.18, 0.25 + 0.75 * on);
            cairo_fill(cr);
        });
        int knob = art_element(picture, {range_glow(), range_gold(), range_ink()});
        double kx = 12 + (w - 24) * on, ky = h / 2.0;
        art_draw(picture, knob, 0.5, [&](cairo_t* cr) {
            cairo_arc(cr, kx, ky, 9.5, 0, 2 * M_PI);
            cairo_set_source_rgb(cr, 0.02, 0.02, 0.05);
            cairo_fill(cr);
            cairo_pattern_t* g = cairo_pattern_create_radial(kx - 2, ky - 2, 0, kx, ky, 8.5);
            Rgb centre = rgb_mix(rgb_hex(0x5a5a70), rgb_hex(0xfffbe0), on);
            Rgb edge = rgb_mix(rgb_hex(0x2a2a3a), rgb_hex(0xf0a030), on);
            cairo_pattern_add_color_stop_rgb(g, 0.0, centre.r, centre.g, centre.b);
            cairo_pattern_add_color_stop_rgb(g, 1.0, edge.r, edge.g, edge.b);
            cairo_set_source(cr, g);
            cairo_arc(cr, kx, ky, 8.5, 0, 2 * M_PI);
            cairo_fill(cr);
            cairo_pattern_destroy(g);
            cairo_set_source_rgb(cr, 0.85, 0.65, 0.3);
            cairo_set_line_width(cr, 1.2);
            cairo_arc(cr, kx, ky, 8.5, 0, 2 * M_PI);
            cairo_stroke(cr);
        });
        frames.push_back(raw_from(picture, -12, 2));
        art_picture_free(picture);
    }
    return frames;
}

IndexImage art_pointer()
{
    // An arrow of pale gold; the hot spot is its tip.
    ArtPicture picture = art_picture_create(16, 22, {range_gold(), range_text(), range_ink()});
    art_draw(picture, 0, 0.0, [&](cairo_t* cr) {
        auto arrow = [&]() {
            cairo_move_to(cr, 1.5, 1.5);
            cairo_line_to(cr, 1.5, 17.0);
            cairo_line_to(cr, 5.5, 13.2);
            cairo_line_to(cr, 8.6, 19.6);
            cairo_line_to(cr, 11.0, 18.4);
            cairo_line_to(cr, 8.0, 12.2);
            cairo_line_to(cr, 13.4, 12.0);
            cairo_close_path(cr);
        };
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_MITER);
        arrow();
        cairo_set_source_rgb(cr, 0.02, 0.02, 0.06);
        cairo_set_line_width(cr, 2.2);
        cairo_stroke(cr);
        arrow();
        cairo_pattern_t* g = cairo_pattern_create_linear(0, 0, 10, 18);
        cairo_pattern_add_color_stop_rgb(g, 0.0, 1.0, 0.99, 0.92);
        cairo_pattern_add_color_stop_rgb(g, 1.0, 0.92, 0.72, 0.32);
        cairo_set_source(cr, g);
        cairo_fill(cr);
        cairo_pattern_destroy(g);
    });
    IndexImage image = raw_from(picture, -1, -1, 0.4);
    art_picture_free(picture);
    return image;
}

namespace {

// Ornate gold numerals, all of one width, drawn with no offset.
std::vector<IndexImage> digit_pictures()
{
    const int w = 17, h = 28;
    std::vector<IndexImage> frames;
    for (int d = 0; d < 10; d++) {
        ArtPicture picture = art_picture_create(w, h, {range_gold(), range_ink()});
        char text[2] = {(char)('0' + d), 0};
        art_draw(picture, 0, 0.0, [&](cairo_t* cr) {
            scenery_lettering(cr, text, FONT_SERIF_BOLD, 26, w / 2.0, 23.5, 1, rgb_hex(0xfff6c8), rgb_hex(0xc07818), 1.5);
            // a glint along the top of each stroke
            art_use_font(cr, FONT_SERIF_BOLD, 26);
            cairo_push_group(cr);
            art_text_path(cr, text, w / 2.0, 23.5, 1);
            cairo_set_source_rgb(cr, 1, 1, 1);
            cairo_fill(cr);
            cairo_set_operator(cr, CAIRO_OPERATOR_DEST_OUT);
            art_text_path(cr, text, w / 2.0 + 0.9, 23.5 + 1.3, 1);
            cairo_fill(cr);
            cairo_pop_group_to_source(cr);
            cairo_paint_with_alpha(cr, 0.75);
        });
        frames.push_back(raw_from(picture, 0, -14));
        art_picture_free(picture);
    }
    return frames;
}

// The score is centred on x 580 by the widths of its digits alone, the
// 3-pixel gaps uncounted, so a longer score reaches further right than
// left. The box of every pixel of every score of one to six digits, as
// the game places digits without offsets.
ArtScorePlaque score_layout()
{
    const std::vector<IndexImage> digits = digit_pictures();
    const int w = digits[0].width;
    int left = 1 << 20, right = -(1 << 20), top = 1 << 20, bottom = -(1 << 20);
    for (int count = 1; count <= SCORE_MAX_DIGITS; count++) {
        int x = SCORE_CENTRE_X - count * w / 2;
        for (const IndexImage& digit : digits)
            for (int y = 0; y < digit.height; y++)
                for (int col = 0; col < w; col++)
                    if (digit.pixels[(size_t)y * w + col]) {
                        left = std::min(left, x + col);
                        right = std::max(right, x + (count - 1) * (w + SCORE_DIGIT_GAP) + col);
                        top = std::min(top, SCORE_Y + digit.y_offset + y);
                        bottom = std::max(bottom, SCORE_Y + digit.y_offset + y);
                    }
    }
    // The plaque's outer edge keeps the menu button's margin to the screen's
    // edge; the digits move left (by their offset) to sit inside it with
    // room to spare on both sides.
    constexpr int EDGE_MARGIN = MENU_BUTTON_X;
    constexpr int FRAME = 4;      // dark outline and gold rim, inside the outer edge
    constexpr int PADDING = 5;    // between the rim and the widest score
    ArtScorePlaque plaque;
    plaque.right = 639 - EDGE_MARGIN;
    plaque.digit_shift = plaque.right - FRAME - PADDING - right;
    plaque.left = left + plaque.digit_shift - PADDING - FRAME;
    plaque.top = top - PADDING - FRAME + 2;
    plaque.bottom = bottom + PADDING + FRAME - 2;
    return plaque;
}

}  // namespace

ArtScorePlaque art_score_plaque()
{
    static const ArtScorePlaque plaque = score_layout();
    return plaque;
}

std::vector<IndexImage> art_digit_frames()
{
    std::vector<IndexImage> frames = digit_pictures();
    for (IndexImage& digit : frames)
        digit.x_offset = art_score_plaque().digit_shift;
    return frames;
}

std::vector<IndexImage> art_slider_frames()
{
    std::vector<IndexImage> frames;
    {
        // The bar: a groove from slow (left) to fast (right), x 518..582.
        ArtPicture picture = art_picture_create(65, 11, {range_gold(), range_glow(), range_ink()});
        art_draw(picture, 0, 0.0, [&](cairo_t* cr) {
            rounded_rect(cr, 1, 2.5, 63, 6, 3);
            cairo_set_source_rgb(cr, 0.02, 0.02, 0.05);
            cairo_fill_preserve(cr);
            cairo_set_source_rgb(cr, 0.85, 0.62, 0.25);
            cairo_set_line_width(cr, 1.2);
            cairo_stroke(cr);
            cairo_pattern_t* g = cairo_pattern_create_linear(4, 0, 61, 0);
            cairo_pattern_add_color_stop_rgb(g, 0.0, 0.35, 0.2, 0.12);
            cairo_pattern_add_color_stop_rgb(g, 1.0, 1.0, 0.78, 0.3);
            cairo_set_source(cr, g);
            rounded_rect(cr, 4, 4.5, 57, 2, 1);
            cairo_fill(cr);
            cairo_pattern_destroy(g);
        });
        frames.push_back(raw_from(picture, -32, -5));
        art_picture_free(picture);
    }
    {
        // The knob: a gold gem.
        ArtPicture picture = art_picture_create(11, 17, {range_gold(), range_ink()});
        art_draw(picture, 0, 0.0, [&](cairo_t* cr) {
            cairo_move_to(cr, 5.5, 0.8);
            cairo_line_to(cr, 10.2, 5.5);
            cairo_line_to(cr, 10.2, 11.5);
            cairo_line_to(cr, 5.5, 16.2);
            cairo_line_to(cr, 0.8, 11.5);
            cairo_line_to(cr, 0.8, 5.5);
            cairo_close_path(cr);
            cairo_set_source_rgb(cr, 0.02, 0.02, 0.05);
            cairo_fill_preserve(cr);
            cairo_pattern_t* g = cairo_pattern_create_linear(0, 0, 11, 17);
            cairo_pattern_add_color_stop_rgb(g, 0.0, 1.0, 0.96, 0.75);
            cairo_pattern_add_color_stop_rgb(g, 0.5, 0.95, 0.7, 0.2);
            cairo_pattern_add_color_stop_rgb(g, 1.0, 0.55, 0.32, 0.06);
            cairo_set_source(cr, g);
            cairo_save(cr);
            cairo_translate(cr, 5.5, 8.5);
            cairo_scale(cr, 0.72, 0.8);
            cairo_translate(cr, -5.5, -8.5);
            cairo_move_to(cr, 5.5, 0.8);
            cairo_line_to(cr, 10.2, 5.5);
            cairo_line_to(cr, 10.2, 11.5);
            cairo_line_to(cr, 5.5, 16.2);
            cairo_line_to(cr, 0.8, 11.5);
            cairo_line_to(cr, 0.8, 5.5);
            cairo_close_path(cr);
            cairo_restore(cr);
            cairo_fill(cr);
            cairo_pattern_destroy(g);
        });
        frames.push_back(raw_from(picture, -5, -8));
        art_picture_free(picture);
    }
    return frames;
}
