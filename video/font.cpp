// Bitmap-font text: glyph after glyph along one row, laid out by the glyph
// widths and the font's spacing.
#include "video/font.h"

#include <charconv>

Font current_font;

void font_reset() { current_font = {}; }

namespace {

const ImageRecord* glyph_of(int character)
{
    if (!current_font.glyphs)
        return nullptr;
    return current_font.glyphs[character & 0xFF];
}

// The pen at which a text of the given width starts for an alignment.
int aligned_start(int x, const char* text, int alignment)
{
    if (alignment == ALIGN_CENTRE)
        return x - measure_text(text) / 2;    // C++ division truncates toward zero
    if (alignment == ALIGN_RIGHT)
        return x - measure_text(text);
    return x;
}

}  // namespace

Font* make_font(Font* font, const ImageRecord* const* glyphs, int32_t colour_shift, GlyphRoutine routine, int32_t spacing)
{
    *font = {glyphs, colour_shift, routine, spacing};
    return font;
}

Font* select_font(Font* previous, const Font* font)
{
    Font was = current_font;
    current_font = *font;
    if (previous)
        *previous = was;
    return previous;
}

// A code with no glyph (null in the table) has width 0 and draws nothing.
int glyph_width(int character)
{
    const ImageRecord* glyph = glyph_of(character);
    return glyph ? image_width(glyph) : 0;
}

int draw_char(int x, int y, int character, DrawResult* result)
{
    const ImageRecord* glyph = glyph_of(character);
    DrawResult drawn = {0, 0, 0, 0, 1};
    if (glyph && current_font.glyph_routine)
        current_font.glyph_routine(&drawn, x, y, glyph, (uint8_t)current_font.colour_shift);
    if (result)
        *result = drawn;
    return x + glyph_width(character);
}

// The width of the text as draw_text lays it out, without the gap after the
// last glyph; an empty text measures minus one spacing.
int measure_text(const char* text)
{
    int width = 0;
    for (const char* c = text; c && *c; c++)
        width += glyph_width((uint8_t)*c) + current_font.spacing;
    return width - current_font.spacing;
}

// Returns the pen after the text, which includes the spacing after its last
// glyph. The extents enclose every glyph that was drawn.
int draw_text(int x, int y, const char* text, int alignment, DrawResult* extents)
{
    int pen = aligned_start(x, text, alignment);
    int min_x = 1000, min_y = 1000, max_x = -1000, max_y = -1000;
    if (!text || !*text) {
        if (extents)
            *extents = {min_x, min_y, max_x, max_y, 1};
        return pen;
    }
    bool drawn = false;
    for (const char* c = text; *c; c++) {
        DrawResult glyph;
        pen = draw_char(pen, y, (uint8_t)*c, &glyph) + current_font.spacing;
        if (glyph.empty)
            continue;
        drawn = true;
        if (glyph.x < min_x)
            min_x = glyph.x;
        if (glyph.y < min_y)
            min_y = glyph.y;
        if (glyph.x + glyph.width > max_x)
            max_x = glyph.x + glyph.width;
        if (glyph.y + glyph.height > max_y)
            max_y = glyph.y + glyph.height;
    }
    if (extents)
        *extents = {min_x, min_y, max_x - min_x, max_y - min_y, drawn ? 0 : 1};
    return pen;
}

int draw_char_aligned(int x, int y, int character, int alignment, DrawResult* extents)
{
    char text[2] = {(char)character, 0};
    return draw_text(x, y, text, alignment, extents);
}

// At most 11 characters: "-2147483648".
int draw_number(int x, int y, int32_t value, int alignment, DrawResult* extents)
{
    char text[12];
    char* end = std::to_chars(text, text + sizeof text - 1, value).ptr;
    *end = 0;
    return draw_text(x, y, text, alignment, extents);
}
