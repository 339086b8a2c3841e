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

struct FontText : VideoScreen {
    void SetUp() override
    {
        VideoScreen::SetUp();
        for (auto [code, width] : {std::pair{'A', 7}, {'B', 9}, {'-', 3}, {(char)0xC8, 6}, {(char)0xFF, 2}})
            add((uint8_t)code, width);
        for (int digit = 0; digit < 10; digit++)
            add('0' + digit, 4 + digit % 3);
        add('o', 5, 5, 2, -3);    // drawn off its pen position
        Font font;
        select_font(nullptr, make_font(&font, glyphs.data(), 0, draw_sprite_shifted, 1));
        drawn_codes.clear();
    }
    // Glyph `code`: a solid block of colour `code`, placed by its offsets.
    void add(int code, int width, int height = 5, int x_offset = 0, int y_offset = 0)
    {
        images.push_back(make_raw_image(x_offset, y_offset, width, height, [code](int, int) { return code; }));
        glyphs[(size_t)code] = as_image(images.back());    // a moved image keeps its bytes where they are
    }
    std::vector<std::vector<uint8_t>> images;
    std::array<const ImageRecord*, 256> glyphs{};
};

TEST_F(FontText, ThePenMovesByGlyphWidthsAndSpacingFromTheAlignedStart)
{
    // Glyphs: A 7 wide, B 9, o 5 drawn at (+2, -3) from the pen; spacing 1.
    // extents: x, y, width, height, empty; ink: the pixels drawn
    struct Case { int x, y; const char* text; int align, pen; DrawResult extents; int ink; };
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
        SCOPED_TRACE(testing::Message() << c.text << " at " << c.x << ", " << c.align);
        display_clear(BACKGROUND);
        DrawResult e;
        EXPECT_EQ(draw_text(c.x, c.y, c.text, c.align, &e), c.pen);
        EXPECT_EQ(e.empty, c.extents.empty);
        if (!c.extents.empty || !*c.text) {
            EXPECT_EQ((std::array{e.x, e.y, e.width, e.height}),
                      (std::array{c.extents.x, c.extents.y, c.extents.width, c.extents.height}));
        }
        EXPECT_EQ(pixels_not(BACKGROUND), c.ink);
    }
    // Each glyph is drawn at its pen, the spacing left clear.
    display_clear(BACKGROUND);
    draw_text(100, 50, "AB", ALIGN_LEFT, nullptr);
    auto a_gap_b = [](int x, int) { return x < 107 ? 'A' : x == 107 ? BACKGROUND : 'B'; };
    EXPECT_EQ(pixels_wrong(100, 50, 116, 54, a_gap_b), 0);
    EXPECT_EQ(measure_text("AB"), 17);
    EXPECT_EQ(measure_text(""), -1);
    Font wide;
    select_font(nullptr, make_font(&wide, current_font.glyphs, 0, draw_sprite_shifted, 3));
    EXPECT_EQ(measure_text(""), -3);
}

// A code without a glyph has no width and draws nothing; only a code's low
// byte indexes the table, so codes above 127 reach its upper half.
TEST_F(FontText, ACharacterIsDrawnByTheLowByteOfItsCodeNumbersInDecimalAndTheColourShiftIsHandedOn)
{
    EXPECT_EQ(glyph_width('Z'), 0);
    EXPECT_EQ(glyph_width(0xC8), 6);
    EXPECT_EQ(glyph_width((char)0xC8), 6);    // a signed char of the same byte
    EXPECT_EQ(glyph_width(0x1C8), 6);
    // draw_char returns the pen without spacing; draw_char_aligned is the
    // one-character text.
    struct Case { int code, x; bool aligned; int align, pen; DrawResult extents; };
    const Case cases[] = {
        {'B', 30, false, 0, 39, {30, 40, 9, 5, 0}},
        {'A', 50, false, 0, 57, {50, 40, 7, 5, 0}},
        {0x1C8, 50, false, 0, 56, {50, 40, 6, 5, 0}},
        {'Z', 30, false, 0, 30, {0, 0, 0, 0, 1}},
        {'B', 100, true, ALIGN_CENTRE, 96 + 10, {96, 40, 9, 5, 0}},
        {(char)0xFF, 10, true, ALIGN_RIGHT, 10 - 2 + 3, {8, 40, 2, 5, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.code << " at " << c.x);
        display_clear(BACKGROUND);
        DrawResult e;
        EXPECT_EQ(c.aligned ? draw_char_aligned(c.x, 40, c.code, c.align, &e) : draw_char(c.x, 40, c.code, &e), c.pen);
        ASSERT_EQ(e.empty, c.extents.empty);
        int right = c.extents.empty ? -1 : c.extents.x + c.extents.width - 1;
        EXPECT_EQ(pixels_wrong(c.extents.x, 40, right, 44, [&](int, int) { return c.code & 0xFF; }), 0);
        EXPECT_TRUE(c.extents.empty || (std::array{e.x, e.width}) == (std::array{c.extents.x, c.extents.width}));
    }
    EXPECT_EQ(measure_text("\xC8\xFF"), 6 + 1 + 2);
    current_font.glyph_routine = note_glyph;
    display_clear(BACKGROUND);
    EXPECT_EQ(draw_text(10, 10, "\xC8" "A\xFF", ALIGN_LEFT, nullptr), 10 + 7 + 8 + 3);
    EXPECT_EQ(drawn_codes, "\xC8" "A\xFF");
    EXPECT_EQ(screen_pixel(10, 10), 0xC8);
    EXPECT_EQ(screen_pixel(25, 14), 0xFF);
    EXPECT_EQ(pixels_not(BACKGROUND), (6 + 7 + 2) * 5);
    // Numbers are drawn in decimal with a minus sign.
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
        EXPECT_EQ((std::array{by_number.x, by_number.width}), (std::array{by_text.x, by_text.width}));
    }
    // The colour shift is handed to the glyph routine.
    Font shifted, previous;
    make_font(&shifted, current_font.glyphs, 5, draw_sprite_shifted, 1);
    const ImageRecord* const* game_glyphs = current_font.glyphs;
    EXPECT_EQ(select_font(&previous, &shifted), &previous);
    EXPECT_EQ(previous.glyphs, game_glyphs);
    EXPECT_EQ((std::pair{previous.colour_shift, previous.spacing}), (std::pair{0, 1}));
    draw_text(0, 0, "A", ALIGN_LEFT, nullptr);
    EXPECT_EQ(screen_pixel(0, 0), 'A' + 5);
    select_font(nullptr, &previous);
    EXPECT_EQ(current_font.colour_shift, 0);
}

}  // namespace
