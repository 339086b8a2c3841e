// The game's font: 256 glyphs for the Windows-1251 code page, cream letters
// with a dark edge so they read on any picture; and the screen texts.
#include "tools/art/art.h"
#include "tools/art/palettes.h"

#include "platform/codepage.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

constexpr int CELL_HEIGHT = 18;      // rows are 21 pixels apart
constexpr double BASELINE = 13.0;
constexpr double FONT_SIZE = 13.0;
constexpr int CURSOR = 1;            // the name-entry cursor
// The letters stand apart by their dark edges and the font's pixel of
// spacing, so a word gap needs more than the font's own space to read.
constexpr int WORD_SPACE = 8;

IndexImage blank(int width)
{
    IndexImage image;
    image.width = width;
    image.height = width > 1 ? CELL_HEIGHT : 1;
    image.pixels.assign((size_t)image.width * image.height, 0);
    return image;
}

// Turns coverage (0..1 per pixel, `w` wide) into glyph pixels: the letter
// in cream, shading down its height, with a one-pixel dark edge all round.
IndexImage glyph_from_coverage(const std::vector<double>& cover, int w, const Rgb& top, const Rgb& bottom,
                               const ArtRanges& ranges)
{
    const ArtPalette& palette = art_game_palette();
    const Rgb ink = rgb_hex(0x04050c);
    IndexImage image;
    image.width = w;
    image.height = CELL_HEIGHT;
    image.pixels.assign((size_t)w * CELL_HEIGHT, 0);
    for (int y = 0; y < CELL_HEIGHT; y++)
        for (int x = 0; x < w; x++) {
            double c = cover[(size_t)y * w + x];
            double edge = c;
            for (int dy = -1; dy <= 1; dy++)
                for (int dx = -1; dx <= 1; dx++) {
                    int nx = x + dx, ny = y + dy;
                    if (nx < 0 || ny < 0 || nx >= w || ny >= CELL_HEIGHT)
                        continue;
                    double weight = (dx && dy) ? 0.75 : 1.0;
                    edge = std::max(edge, cover[(size_t)ny * w + nx] * weight);
                }
            if (edge < 0.4)
                continue;
            Rgb fill = rgb_mix(top, bottom, std::clamp((y - 3.0) / 11.0, 0.0, 1.0));
            Rgb colour = rgb_mix(ink, fill, std::clamp(c * 1.15, 0.0, 1.0));
            image.pixels[(size_t)y * w + x] =
                (uint8_t)art_nearest(palette, ranges, colour.r * 255, colour.g * 255, colour.b * 255);
        }
    return image;
}

// Where a glyph of one upright bar stands: its columns and rows.
struct Stem {
    int left, right, top, bottom;
};

Stem find_stem(const std::vector<double>& cover, int w)
{
    Stem stem{w, -1, CELL_HEIGHT, -1};
    for (int y = 0; y < CELL_HEIGHT; y++)
        for (int x = 0; x < w; x++)
            if (cover[(size_t)y * w + x] >= 0.5) {
                stem.left = std::min(stem.left, x);
                stem.right = std::max(stem.right, x);
                stem.top = std::min(stem.top, y);
                stem.bottom = std::max(stem.bottom, y);
            }
    return stem;
}

// The coverage with `left` and `right` empty columns added.
std::vector<double> widen(const std::vector<double>& cover, int& w, int left, int right)
{
    int wider = w + left + right;
    std::vector<double> out((size_t)wider * CELL_HEIGHT, 0.0);
    for (int y = 0; y < CELL_HEIGHT; y++)
        for (int x = 0; x < w; x++)
            out[(size_t)y * wider + x + left] = cover[(size_t)y * w + x];
    w = wider;
    return out;
}

// In the lettering capital I and small l are both one plain bar: the
// capital gets serifs at its top and foot, the small l a foot turned to
// the right, so names such as "Ivo" and "lvo" differ.
void mark_bar(std::vector<double>& cover, int& w, uint32_t code)
{
    bool capital = code == 'I' || code == 0x0406;    // Latin and Cyrillic capital I
    if (!capital && code != 'l')
        return;
    Stem stem = find_stem(cover, w);
    if (stem.right < 0)
        return;
    if (capital) {
        cover = widen(cover, w, 1, 1);
        for (int y : {stem.top, stem.bottom})
            for (int x = stem.left; x <= stem.right + 2; x++)
                cover[(size_t)y * w + x] = 1.0;
    } else {
        int room = stem.right + 4 - w;    // the foot and its dark edge
        if (room > 0)
            cover = widen(cover, w, 0, room);
        cover[(size_t)stem.bottom * w + stem.right + 1] = 1.0;
        cover[(size_t)stem.bottom * w + stem.right + 2] = 0.8;
        cover[(size_t)(stem.bottom - 1) * w + stem.right + 1] = 0.45;
    }
}

IndexImage render_glyph(uint32_t code)
{
    std::string text = utf8_of(code);
    // Measure with the hinted font; draw into a canvas wide enough for any
    // overhang, then keep the advance plus what the edge needs.
    const int canvas = 40, pad = 8;
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_A8, canvas, CELL_HEIGHT);
    cairo_t* cr = cairo_create(surface);
    art_use_font(cr, FONT_SANS_CONDENSED_BOLD, FONT_SIZE, true);
    cairo_text_extents_t extents;
    cairo_text_extents(cr, text.c_str(), &extents);
    int advance = std::max(1, (int)std::lround(extents.x_advance));
    cairo_move_to(cr, pad + 1, BASELINE);
    cairo_set_source_rgba(cr, 0, 0, 0, 1);
    cairo_show_text(cr, text.c_str());
    cairo_destroy(cr);
    cairo_surface_flush(surface);
    const uint8_t* data = cairo_image_surface_get_data(surface);
    int stride = cairo_image_surface_get_stride(surface);
    int ink_left = canvas, ink_right = -1;
    for (int y = 0; y < CELL_HEIGHT; y++)
        for (int x = 0; x < canvas; x++)
            if (data[y * stride + x] > 0) {
                ink_left = std::min(ink_left, x);
                ink_right = std::max(ink_right, x);
            }
    if (ink_right < 0) {
        cairo_surface_destroy(surface);
        return blank(advance);
    }
    // The glyph's box starts at the pen (or at the glyph's edge, if it
    // reaches left of it) and is one pixel narrower than the font's advance,
    // since the font adds a pixel between glyphs; wider only where the
    // glyph and its edge need it.
    int pen = pad + 1;
    int left = std::min(pen, ink_left - 1);
    int right = std::max(pen + advance - 1, ink_right + 1);
    int w = right - left;
    std::vector<double> cover((size_t)w * CELL_HEIGHT, 0.0);
    for (int y = 0; y < CELL_HEIGHT; y++)
        for (int x = 0; x < w; x++)
            cover[(size_t)y * w + x] = data[y * stride + x + left] / 255.0;
    cairo_surface_destroy(surface);
    mark_bar(cover, w, code);
    return glyph_from_coverage(cover, w, rgb_hex(0xfffdf6), rgb_hex(0xe6d2a6), {range_text()});
}

IndexImage cursor_glyph()
{
    // A gold bar the height of a capital.
    const int w = 5;
    std::vector<double> cover((size_t)w * CELL_HEIGHT, 0.0);
    for (int y = 2; y <= 15; y++)
        for (int x = 1; x <= 3; x++)
            cover[(size_t)y * w + x] = x == 2 ? 1.0 : 0.85;
    return glyph_from_coverage(cover, w, rgb_hex(0xfff0b0), rgb_hex(0xf0a830), {range_gold(), range_ink()});
}

}  // namespace

std::vector<IndexImage> art_font_glyphs()
{
    std::vector<IndexImage> glyphs;
    for (int code = 0; code < 256; code++) {
        if (code == CURSOR)
            glyphs.push_back(cursor_glyph());
        else if (!cp1251_defined((uint8_t)code))
            glyphs.push_back(blank(1));
        else if (code == ' ' || code == 0xA0)
            glyphs.push_back(blank(WORD_SPACE));
        else if (code == 0xAD)
            glyphs.push_back(blank(1));
        else
            glyphs.push_back(render_glyph(cp1251_to_unicode((uint8_t)code)));
    }
    return glyphs;
}

std::vector<std::string> art_score_texts()
{
    // Text 0 is the default name (at most 35 bytes); 2 and 3 the notice that
    // another copy of the game holds the table; 7 the empty table.
    return {
        "Moth Keeper",
        "The brightest nights",
        "The table is in use",    // both lines clear of the line between
        "by another copy...",     // scores and names
        "Type your name and press Enter",
        "Click or press a key to go on",
        "A new best result!",
        "No results yet",    // clear of the line between scores and names
    };
}
