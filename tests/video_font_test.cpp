// Bitmap-font text: layout by glyph widths and spacing, the three
// alignments, the extents of what was drawn, and numbers.
#include "platform/headless/headless.h"
#include "video/display.h"
#include "video/font.h"
#include "video/image.h"
#include "video_test_support.h"

#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <cstdlib>
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

TEST_F(FontText, TwoGlyphsOfSevenAndNinePixelsMeasureSeventeen)
{
    EXPECT_EQ(glyph_width('A'), 7);
    EXPECT_EQ(glyph_width('B'), 9);
    EXPECT_EQ(measure_text("AB"), 17);
}

TEST_F(FontText, TheReturnedPenIncludesTheSpacingAfterTheLastGlyph)
{
    DrawResult extents;
    EXPECT_EQ(draw_text(100, 50, "AB", ALIGN_LEFT, &extents), 118);
    EXPECT_EQ(extents.empty, 0);
    EXPECT_EQ(extents.x, 100);
    EXPECT_EQ(extents.y, 50);
    EXPECT_EQ(extents.width, 17);
    EXPECT_EQ(extents.height, 5);
    EXPECT_EQ(screen_pixel(106, 50), 'A');
    EXPECT_EQ(screen_pixel(107, 50), BACKGROUND);    // the spacing
    EXPECT_EQ(screen_pixel(108, 54), 'B');
    EXPECT_EQ(screen_pixel(116, 54), 'B');
    EXPECT_EQ(pixels_not(BACKGROUND), (7 + 9) * 5);
}

TEST_F(FontText, RightAndCentreAlignmentStartFromTheMeasuredWidth)
{
    DrawResult extents;
    EXPECT_EQ(draw_text(100, 50, "AB", ALIGN_RIGHT, &extents), 83 + 18);
    EXPECT_EQ(extents.x, 83);
    EXPECT_EQ(draw_text(100, 60, "AB", ALIGN_CENTRE, &extents), 92 + 18);
    EXPECT_EQ(extents.x, 92);
    // 7 / 2 truncates to 3.
    EXPECT_EQ(draw_text(100, 70, "A", ALIGN_CENTRE, &extents), 97 + 8);
    EXPECT_EQ(extents.x, 97);
}

TEST_F(FontText, AnUnknownAlignmentCountsAsLeft)
{
    DrawResult extents;
    EXPECT_EQ(draw_text(100, 50, "AB", 7, &extents), 118);
    EXPECT_EQ(extents.x, 100);
    EXPECT_EQ(draw_text(100, 60, "AB", -1, &extents), 118);
    EXPECT_EQ(extents.x, 100);
}

TEST_F(FontText, AnEmptyTextMeasuresMinusOneSpacingAndDrawsNothing)
{
    EXPECT_EQ(measure_text(""), -1);
    DrawResult extents;
    EXPECT_EQ(draw_text(100, 50, "", ALIGN_LEFT, &extents), 100);
    EXPECT_EQ(extents.x, 1000);
    EXPECT_EQ(extents.y, 1000);
    EXPECT_EQ(extents.width, -1000);
    EXPECT_EQ(extents.height, -1000);
    EXPECT_EQ(extents.empty, 1);
    // Right-aligned, the minus-one width puts the pen one to the right.
    EXPECT_EQ(draw_text(100, 50, "", ALIGN_RIGHT, &extents), 101);
    EXPECT_EQ(pixels_not(BACKGROUND), 0);

    Font wide;
    select_font(nullptr, make_font(&wide, current_font.glyphs, 0, draw_sprite_shifted, 3));
    EXPECT_EQ(measure_text(""), -3);
}

TEST_F(FontText, ExtentsOfATextPartlyOffTheLeftEdgeBeginAtColumnZero)
{
    DrawResult extents;
    EXPECT_EQ(draw_text(-10, 20, "AB", ALIGN_LEFT, &extents), 8);
    EXPECT_EQ(extents.empty, 0);
    EXPECT_EQ(extents.x, 0);
    EXPECT_EQ(extents.width, 7);    // only the 7 columns of B are on the screen
    EXPECT_EQ(pixels_not(BACKGROUND), 7 * 5);
}

TEST_F(FontText, ATextWhollyOffTheScreenReportsNothingDrawn)
{
    DrawResult extents;
    EXPECT_EQ(draw_text(700, 20, "AB", ALIGN_LEFT, &extents), 718);
    EXPECT_EQ(extents.empty, 1);
    EXPECT_EQ(pixels_not(BACKGROUND), 0);
}

TEST_F(FontText, GlyphOffsetsMoveThePictureButNotThePen)
{
    DrawResult extents;
    EXPECT_EQ(draw_text(100, 50, "oA", ALIGN_LEFT, &extents), 100 + 6 + 8);
    EXPECT_EQ(extents.x, 102);
    EXPECT_EQ(extents.y, 47);
    EXPECT_EQ(extents.width, 106 + 7 - 102);
    EXPECT_EQ(extents.height, 55 - 47);
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
    DrawResult extents;
    EXPECT_EQ(draw_text(30, 40, "ZAZ", ALIGN_LEFT, &extents), 30 + 1 + 8 + 1);
    EXPECT_EQ(extents.x, 31);
    EXPECT_EQ(pixels_not(BACKGROUND), 7 * 5);
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

// ---- A look at a composed screen ------------------------------------------

// A tiny 3 x 5 font, drawn at double size: five rows of three, '#' is ink.
const std::pair<char, const char*> TINY_GLYPHS[] = {
    {'0', "###/#.#/#.#/#.#/###"}, {'1', ".#./##./.#./.#./###"}, {'2', "###/..#/###/#../###"},
    {'3', "###/..#/###/..#/###"}, {'4', "#.#/#.#/###/..#/..#"}, {'5', "###/#../###/..#/###"},
    {'6', "###/#../###/#.#/###"}, {'7', "###/..#/..#/..#/..#"}, {'8', "###/#.#/###/#.#/###"},
    {'9', "###/#.#/###/..#/###"}, {'-', ".../.../###/.../..."}, {' ', ".../.../.../.../..."},
    {'F', "###/#../##./#../#.."}, {'L', "#../#../#../#../###"}, {'I', "###/.#./.#./.#./###"},
    {'C', "###/#../#../#../###"}, {'K', "#.#/#.#/##./#.#/#.#"}, {'E', "###/#../##./#../###"},
    {'R', "##./#.#/##./#.#/#.#"}, {'M', "#.#/###/#.#/#.#/#.#"}, {'O', "###/#.#/#.#/#.#/###"},
    {'T', "###/.#./.#./.#./.#."}, {'H', "#.#/#.#/###/#.#/#.#"},
};

TEST(VideoComposition, SpritesRunsAndTextMakeOneFrame)
{
    ASSERT_TRUE(display_create());
    uint8_t palette[PALETTE_BYTES];
    for (int i = 0; i < 256; i++) {
        palette[i * 3] = (uint8_t)(i < 128 ? i / 4 : 63);
        palette[i * 3 + 1] = (uint8_t)(i % 64);
        palette[i * 3 + 2] = (uint8_t)(63 - i / 4);
    }
    display_set_palette(palette);
    for (int y = 0; y < 480; y++)
        fill_rect(0, y, 640, 1, (uint8_t)(y / 4));

    // A round "moth" 40 x 40 with a transparent outside, hot spot in its middle.
    auto moth = make_raw_image(-20, -20, 40, 40, [](int c, int r) {
        int dx = c - 20, dy = r - 20, d = dx * dx + dy * dy;
        return d < 400 ? 200 + d / 30 : 0;
    });
    const int spots[][2] = {{320, 200}, {5, 100}, {630, 150}, {300, 2}, {400, 475}, {-25, 300}};
    int drawn = 0;
    for (auto [x, y] : spots) {
        DrawResult r;
        draw_sprite_shifted(&r, x, y, as_image(moth), (uint8_t)(drawn * 7));
        drawn += !r.empty;
    }
    EXPECT_EQ(drawn, 5);
    // A fill-run banner at its own place: 64 filled, 128 left as they were,
    // 64 filled.
    std::vector<uint8_t> banner;
    for (int row = 0; row < 8; row++)
        banner.insert(banner.end(), {3, 0xFF, 250, 0x7F, 0xFF, (uint8_t)(60 + row)});
    auto banner_image = make_image(100, 400, 256, 8, banner);
    DrawResult r;
    draw_fill_runs(&r, 0, 0, as_image(banner_image));
    EXPECT_EQ(r.empty, 0);

    std::vector<std::vector<uint8_t>> images;
    std::array<const ImageRecord*, 256> table{};
    for (auto [code, bits] : TINY_GLYPHS)
        images.push_back(make_raw_image(0, 0, 6, 10, [bits](int c, int r) { return bits[(r / 2) * 4 + c / 2] == '#' ? 255 : 0; }));
    for (size_t i = 0; i < std::size(TINY_GLYPHS); i++)
        table[(uint8_t)TINY_GLYPHS[i].first] = as_image(images[i]);
    Font tiny;
    select_font(nullptr, make_font(&tiny, table.data(), 0, draw_sprite_shifted, 2));
    DrawResult title;
    draw_text(320, 20, "FLICKERMOTH", ALIGN_CENTRE, &title);
    EXPECT_EQ(title.x, 320 - (11 * 8 - 2) / 2);
    draw_number(630, 460, INT_MIN, ALIGN_RIGHT, nullptr);
    DrawResult cut;
    draw_text(-20, 300, "MOTH 2025", ALIGN_LEFT, &cut);
    EXPECT_EQ(cut.x, 0);
    select_font(nullptr, make_font(&tiny, nullptr, 0, nullptr, 0));

    display_present();
    EXPECT_EQ(headless_present_count(), 1u);
    EXPECT_EQ(headless_last_frame().pixels[20 * 640 + title.x], 255);
    // FLICKERMOTH_VIDEO_PNG=file.png writes the frame for a look.
    if (const char* path = std::getenv("FLICKERMOTH_VIDEO_PNG")) {
        EXPECT_TRUE(headless_write_png(headless_last_frame(), path));
    }
    display_release();
}

}  // namespace
