// Bitmap-font text: layout by glyph widths and spacing, the three
// alignments, the extents of what was drawn, and numbers.
#include "video/display.h"
#include "video/font.h"
#include "video/image.h"
#include "video_test_support.h"

#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <string>
#include <vector>

namespace {

// A glyph table of solid rectangles: code c is widths[c] x 5 of colour c.
struct TestFont {
    std::vector<std::vector<uint8_t>> images;
    std::array<const ImageRecord*, 256> table{};

    void add(int code, int width, int height = 5, int x_offset = 0, int y_offset = 0)
    {
        images.push_back(make_raw_image(x_offset, y_offset, width, height, [code](int, int) { return code; }));
    }
    // Fills the table once every glyph is added (the images do not move after).
    const ImageRecord* const* finish()
    {
        for (const auto& image : images)
            table[image[8]] = as_image(image);
        return table.data();
    }
};

// A glyph routine that notes which codes it was asked to draw, by finding
// the image in the current font's table.
std::string drawn_codes;
DrawResult* note_glyph(DrawResult* result, int x, int y, const ImageRecord* image, uint8_t shift)
{
    for (int code = 0; code < 256; code++)
        if (current_font.glyphs[code] == image)
            drawn_codes.push_back((char)code);
    return draw_sprite_shifted(result, x, y, image, shift);
}

class FontText : public VideoScreen {
protected:
    void SetUp() override
    {
        VideoScreen::SetUp();
        glyphs.add('A', 7);
        glyphs.add('B', 9);
        glyphs.add('-', 3);
        for (int digit = 0; digit < 10; digit++)
            glyphs.add('0' + digit, 4 + digit % 3);
        glyphs.add(0xC8, 6);
        glyphs.add(0xFF, 2);
        glyphs.add('o', 5, 5, 2, -3);    // drawn off its pen position
        Font font;
        select_font(nullptr, make_font(&font, glyphs.finish(), 0, draw_sprite_shifted, 1));
        drawn_codes.clear();
    }
    TestFont glyphs;
};

TEST_F(FontText, ThePenMovesByGlyphWidthsAndSpacingFromTheAlignedStart)
{
    // Glyphs: A 7 wide, B 9, o 5 drawn at (+2, -3) from the pen; spacing 1.
    struct Case {
        int x, y;
        const char* text;
        int align, pen;
        DrawResult extents;    // x, y, width, height, empty
        int ink;               // pixels drawn
    };
    const Case cases[] = {
        {100, 50, "AB", ALIGN_LEFT, 118, {100, 50, 17, 5, 0}, 80},
        {100, 50, "AB", ALIGN_RIGHT, 101, {83, 50, 17, 5, 0}, 80},
        {100, 50, "AB", ALIGN_CENTRE, 110, {92, 50, 17, 5, 0}, 80},
        {100, 50, "A", ALIGN_CENTRE, 105, {97, 50, 7, 5, 0}, 35},    // 7 / 2 truncates to 3
        {100, 50, "AB", 7, 118, {100, 50, 17, 5, 0}, 80},            // an unknown alignment is left
        {100, 50, "AB", -1, 118, {100, 50, 17, 5, 0}, 80},
        {100, 50, "oA", ALIGN_LEFT, 114, {102, 47, 11, 8, 0}, 58},   // offsets move the picture, not the pen; o covers 2 of A
        {-10, 20, "AB", ALIGN_LEFT, 8, {0, 20, 7, 5, 0}, 35},        // only B's 7 columns are on the screen
        {700, 20, "AB", ALIGN_LEFT, 718, {0, 0, 0, 0, 1}, 0},
        {30, 40, "ZAZ", ALIGN_LEFT, 40, {31, 40, 7, 5, 0}, 35},      // Z has no glyph, but spacing
        {100, 50, "", ALIGN_LEFT, 100, {1000, 1000, -1000, -1000, 1}, 0},
        {100, 50, "", ALIGN_RIGHT, 101, {1000, 1000, -1000, -1000, 1}, 0},    // the width is minus one
    };
    for (const Case& c : cases) {
        display_clear(BACKGROUND);
        DrawResult e;
        EXPECT_EQ(draw_text(c.x, c.y, c.text, c.align, &e), c.pen) << c.text << " at " << c.x << ", " << c.align;
        EXPECT_EQ(e.empty, c.extents.empty) << c.text << " at " << c.x;
        if (!c.extents.empty || !*c.text)
            EXPECT_EQ((std::array{e.x, e.y, e.width, e.height}),
                      (std::array{c.extents.x, c.extents.y, c.extents.width, c.extents.height}))
                << c.text << " at " << c.x << ", " << c.align;
        EXPECT_EQ(pixels_not(BACKGROUND), c.ink) << c.text << " at " << c.x;
    }
    EXPECT_EQ(measure_text("AB"), 17);
    EXPECT_EQ(measure_text(""), -1);
    Font wide;
    select_font(nullptr, make_font(&wide, current_font.glyphs, 0, draw_sprite_shifted, 3));
    EXPECT_EQ(measure_text(""), -3);
}

TEST_F(FontText, EachGlyphIsDrawnAtItsPenWithTheSpacingLeftClear)
{
    draw_text(100, 50, "AB", ALIGN_LEFT, nullptr);
    EXPECT_EQ(screen_pixel(106, 50), 'A');
    EXPECT_EQ(screen_pixel(107, 50), BACKGROUND);    // the spacing
    EXPECT_EQ(screen_pixel(108, 54), 'B');
    EXPECT_EQ(screen_pixel(116, 54), 'B');
    EXPECT_EQ(pixels_not(BACKGROUND), (7 + 9) * 5);
}

TEST_F(FontText, DrawCharReturnsThePenWithoutSpacingAndReportsTheGlyph)
{
    DrawResult result;
    EXPECT_EQ(draw_char(30, 40, 'B', &result), 39);
    EXPECT_EQ(result.empty, 0);
    EXPECT_EQ(result.x, 30);
    EXPECT_EQ(result.width, 9);
    EXPECT_EQ(draw_char(50, 40, 'A', nullptr), 57);
}

TEST_F(FontText, ACodeWithoutAGlyphHasNoWidthAndDrawsNothing)
{
    EXPECT_EQ(glyph_width('Z'), 0);
    DrawResult result;
    EXPECT_EQ(draw_char(30, 40, 'Z', &result), 30);
    EXPECT_EQ(result.empty, 1);
    EXPECT_EQ(pixels_not(BACKGROUND), 0);
}

TEST_F(FontText, CodesAbove127IndexTheUpperHalfOfTheTable)
{
    EXPECT_EQ(glyph_width(0xC8), 6);
    EXPECT_EQ(glyph_width((char)0xC8), 6);    // a signed char of the same byte
    EXPECT_EQ(glyph_width(0x1C8), 6);         // only the low byte counts
    EXPECT_EQ(measure_text("\xC8\xFF"), 6 + 1 + 2);
    current_font.glyph_routine = note_glyph;
    DrawResult extents;
    EXPECT_EQ(draw_text(10, 10, "\xC8" "A\xFF", ALIGN_LEFT, &extents), 10 + 7 + 8 + 3);
    EXPECT_EQ(drawn_codes, "\xC8" "A\xFF");
    EXPECT_EQ(screen_pixel(10, 10), 0xC8);
    EXPECT_EQ(screen_pixel(25, 14), 0xFF);
    EXPECT_EQ(draw_char_aligned(10, 30, (char)0xFF, ALIGN_RIGHT, &extents), 10 - 2 + 3);
    EXPECT_EQ(extents.x, 8);
}

TEST_F(FontText, DrawCharAlignedIsTheOneCharacterText)
{
    DrawResult extents;
    EXPECT_EQ(draw_char_aligned(100, 50, 'B', ALIGN_CENTRE, &extents), 96 + 10);
    EXPECT_EQ(extents.x, 96);
    EXPECT_EQ(extents.width, 9);
}

TEST_F(FontText, NumbersAreDrawnInDecimalWithAMinusSign)
{
    current_font.glyph_routine = note_glyph;
    const std::pair<int32_t, const char*> numbers[] = {
        {0, "0"}, {7, "7"}, {-45, "-45"}, {1000, "1000"}, {INT_MAX, "2147483647"}, {INT_MIN, "-2147483648"},
    };
    for (auto [value, text] : numbers) {
        drawn_codes.clear();
        DrawResult by_number, by_text;
        int pen = draw_number(300, 100, value, ALIGN_RIGHT, &by_number);
        EXPECT_EQ(drawn_codes, text);
        EXPECT_EQ(pen, draw_text(300, 100, text, ALIGN_RIGHT, &by_text));
        EXPECT_EQ(by_number.x, by_text.x);
        EXPECT_EQ(by_number.width, by_text.width);
    }
    // The most negative value: the sign and ten digits.
    drawn_codes.clear();
    draw_number(0, 200, INT_MIN, ALIGN_LEFT, nullptr);
    EXPECT_EQ(drawn_codes.size(), 11u);
}

TEST_F(FontText, TheColourShiftIsHandedToTheGlyphRoutine)
{
    Font shifted, previous;
    make_font(&shifted, current_font.glyphs, 5, draw_sprite_shifted, 1);
    const ImageRecord* const* game_glyphs = current_font.glyphs;
    EXPECT_EQ(select_font(&previous, &shifted), &previous);
    EXPECT_EQ(previous.glyphs, game_glyphs);
    EXPECT_EQ(previous.colour_shift, 0);
    EXPECT_EQ(previous.spacing, 1);
    draw_text(0, 0, "A", ALIGN_LEFT, nullptr);
    EXPECT_EQ(screen_pixel(0, 0), 'A' + 5);
    select_font(nullptr, &previous);
    EXPECT_EQ(current_font.colour_shift, 0);
}

}  // namespace
