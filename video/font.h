// Bitmap-font text: one raw image per character code, drawn glyph after
// glyph by the font's glyph routine. Text is single-byte (Windows-1251) and
// NUL-terminated; every byte is read as 0..255.
#pragma once

#include "video/image.h"

#include <cstdint>

enum TextAlignment {
    ALIGN_LEFT = 0,
    ALIGN_CENTRE = 1,
    ALIGN_RIGHT = 2,    // any other value counts as ALIGN_LEFT
};

using GlyphRoutine = DrawResult* (*)(DrawResult* result, int x, int y, const ImageRecord* image, uint8_t shift);

struct Font {
    const ImageRecord* const* glyphs;   // 256 glyphs by character code
    int32_t colour_shift;               // handed to the glyph routine
    GlyphRoutine glyph_routine;
    int32_t spacing;                    // pixels after each glyph's width
};

extern Font current_font;

Font* make_font(Font* font, const ImageRecord* const* glyphs, int32_t colour_shift, GlyphRoutine routine, int32_t spacing);
// Makes `font` current; the font that was current is written to `previous` (may be null).
Font* select_font(Font* previous, const Font* font);
// No font current, as at start-up.
void font_reset();
int glyph_width(int character);
int draw_char(int x, int y, int character, DrawResult* result);
int measure_text(const char* text);
int draw_text(int x, int y, const char* text, int alignment, DrawResult* extents);
int draw_char_aligned(int x, int y, int character, int alignment, DrawResult* extents);
int draw_number(int x, int y, int32_t value, int alignment, DrawResult* extents);
