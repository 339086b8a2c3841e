// Drawing images into the back buffer: clipping of raw sprites, the two run
// encodings, colour shifting and solid rectangles.
#include "video/display.h"
#include "video/image.h"
#include "video_test_support.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

namespace {

// Every pixel of the test sprites is distinct and non-zero, so a pixel on
// the screen tells which image column and row it came from (and none is
// the background colour).
int sprite_pixel(int column, int row) { return 100 + column + row * 16; }

std::vector<uint8_t> ten_by_ten(int x_offset = 0, int y_offset = 0)
{
    return make_raw_image(x_offset, y_offset, 10, 10, sprite_pixel);
}

void expect_result(const DrawResult& r, int x, int y, int width, int height)
{
    EXPECT_EQ(r.empty, 0);
    EXPECT_EQ(r.x, x);
    EXPECT_EQ(r.y, y);
    EXPECT_EQ(r.width, width);
    EXPECT_EQ(r.height, height);
}

using RawSpriteClipping = VideoScreen;

TEST_F(RawSpriteClipping, ASpriteWhollyOnTheScreenIsDrawnAtItsPointPlusOffsets)
{
    auto image = ten_by_ten(-4, 3);
    DrawResult r;
    EXPECT_EQ(draw_sprite(&r, 100, 50, as_image(image)), &r);
    expect_result(r, 96, 53, 10, 10);
    EXPECT_EQ(screen_pixel(96, 53), sprite_pixel(0, 0));
    EXPECT_EQ(screen_pixel(105, 62), sprite_pixel(9, 9));
    EXPECT_EQ(pixels_not(BACKGROUND), 100);
}

TEST_F(RawSpriteClipping, ThreeColumnsOffTheLeftEdgeAreNotDrawn)
{
    for (auto [x, offset] : {std::pair{-3, 0}, std::pair{2, -5}}) {
        display_clear(BACKGROUND);
        auto image = ten_by_ten(offset, 0);
        DrawResult r;
        draw_sprite(&r, x, 20, as_image(image));
        expect_result(r, 0, 20, 7, 10);
        for (int row = 0; row < 10; row++) {
            EXPECT_EQ(screen_pixel(0, 20 + row), sprite_pixel(3, row));
            EXPECT_EQ(screen_pixel(6, 20 + row), sprite_pixel(9, row));
            EXPECT_EQ(screen_pixel(7, 20 + row), BACKGROUND);
        }
        EXPECT_EQ(pixels_not(BACKGROUND), 70);
    }
}

TEST_F(RawSpriteClipping, OnTheLastRowOnlyTheTopRowIsDrawn)
{
    auto image = ten_by_ten();
    DrawResult r;
    draw_sprite(&r, 30, 479, as_image(image));
    expect_result(r, 30, 479, 10, 1);
    for (int column = 0; column < 10; column++)
        EXPECT_EQ(screen_pixel(30 + column, 479), sprite_pixel(column, 0));
    EXPECT_EQ(pixels_not(BACKGROUND), 10);
}

TEST_F(RawSpriteClipping, RowsOffTheTopAreSkippedWithTheirPixels)
{
    auto image = ten_by_ten();
    DrawResult r;
    draw_sprite(&r, -2, -6, as_image(image));
    expect_result(r, 0, 0, 8, 4);
    EXPECT_EQ(screen_pixel(0, 0), sprite_pixel(2, 6));
    EXPECT_EQ(screen_pixel(7, 3), sprite_pixel(9, 9));
    EXPECT_EQ(pixels_not(BACKGROUND), 32);
}

TEST_F(RawSpriteClipping, ASpriteCutAtTheRightEdgeStartsEachRowWithItsOwnNextRow)
{
    auto image = ten_by_ten();
    DrawResult r;
    draw_sprite(&r, 635, 200, as_image(image));
    expect_result(r, 635, 200, 5, 10);
    for (int row = 0; row < 10; row++)
        for (int column = 0; column < 5; column++)
            EXPECT_EQ(screen_pixel(635 + column, 200 + row), sprite_pixel(column, row)) << column << "," << row;
    EXPECT_EQ(pixels_not(BACKGROUND), 50);
}

TEST_F(RawSpriteClipping, ASpriteWhollyOffTheScreenDrawsNothingAndReportsEmpty)
{
    auto image = ten_by_ten();
    const int places[][2] = {
        {0, 480}, {0, 600}, {640, 0}, {900, 10}, {-10, 0}, {-50, 0},
        {0, -10}, {0, -400}, {INT_MAX, 0}, {0, INT_MIN}, {INT_MIN, INT_MIN},
    };
    for (auto [x, y] : places) {
        DrawResult r = {1, 2, 3, 4, 0};
        draw_sprite(&r, x, y, as_image(image));
        EXPECT_EQ(r.empty, 1) << x << "," << y;
    }
    EXPECT_EQ(pixels_not(BACKGROUND), 0);
}

TEST_F(RawSpriteClipping, AnOffsetCannotWrapAFarDrawingPointOntoTheScreen)
{
    auto image = ten_by_ten(-32768, 0);
    DrawResult r;
    draw_sprite(&r, INT_MIN + 5, 0, as_image(image));
    EXPECT_EQ(r.empty, 1);
    EXPECT_EQ(pixels_not(BACKGROUND), 0);
}

TEST_F(RawSpriteClipping, ASpriteWiderThanTheScreenStopsAtColumn639EvenWhenCutOnTheLeft)
{
    auto image = make_raw_image(0, 0, 700, 2, [](int c, int) { return 1 + c % 200; });
    DrawResult r;
    draw_sprite(&r, -3, 478, as_image(image));
    expect_result(r, 0, 478, 640, 2);
    EXPECT_EQ(screen_pixel(0, 479), 4);
    EXPECT_EQ(screen_pixel(639, 479), 1 + 642 % 200);
    // The padding check of the fixture proves nothing went past the edge.
}

TEST_F(RawSpriteClipping, ANullResultIsAccepted)
{
    auto image = ten_by_ten();
    EXPECT_EQ(draw_sprite(nullptr, 5, 5, as_image(image)), nullptr);
    EXPECT_EQ(draw_sprite(nullptr, 640, 5, as_image(image)), nullptr);
    EXPECT_EQ(pixels_not(BACKGROUND), 100);
}

using RawSpriteColours = VideoScreen;

TEST_F(RawSpriteColours, PixelZeroIsTransparent)
{
    auto image = make_image(0, 0, 3, 1, {0, 9, 0});
    draw_sprite(nullptr, 10, 10, as_image(image));
    EXPECT_EQ(screen_pixel(10, 10), BACKGROUND);
    EXPECT_EQ(screen_pixel(11, 10), 9);
    EXPECT_EQ(screen_pixel(12, 10), BACKGROUND);
}

TEST_F(RawSpriteColours, AShiftMovesEveryVisiblePixelRoundThe256Colours)
{
    auto image = make_image(0, 0, 4, 1, {10, 0, 5, 255});
    DrawResult r;
    EXPECT_EQ(draw_sprite_shifted(&r, 0, 0, as_image(image), 250), &r);
    expect_result(r, 0, 0, 4, 1);
    EXPECT_EQ(screen_pixel(0, 0), 4);            // 250 + 10 wraps to 4
    EXPECT_EQ(screen_pixel(1, 0), BACKGROUND);   // transparent before the shift
    EXPECT_EQ(screen_pixel(2, 0), 255);
    EXPECT_EQ(screen_pixel(3, 0), 249);
}

TEST_F(RawSpriteColours, ShiftZeroDrawsExactlyLikeDrawSprite)
{
    auto image = make_raw_image(-2, -2, 9, 7, [](int c, int r) { return (c * 7 + r * 3) % 5 ? c * 31 + r : 0; });
    draw_sprite(nullptr, 1, 1, as_image(image));
    std::vector<uint8_t> plain(display.back_buffer, display.back_buffer + display.pitch * 480);
    display_clear(BACKGROUND);
    draw_sprite_shifted(nullptr, 1, 1, as_image(image), 0);
    std::vector<uint8_t> shifted(display.back_buffer, display.back_buffer + display.pitch * 480);
    EXPECT_EQ(plain, shifted);
    EXPECT_GT(pixels_not(BACKGROUND), 20);
}

// Run images: 4 x 3 at offset (100, 40).
//   row 0: skip 1, copy 3 (1 2 3)
//   row 1: skip 4 (the row stays as it was)
//   row 2: copy 2 (0 5), skip 2
const std::vector<uint8_t> RUN_DATA = {
    2, 0x00, 0x82, 1, 2, 3,
    1, 0x03,
    2, 0x81, 0, 5, 0x01,
};

// Fill-run image 6 x 2 at offset (200, 60).
//   row 0: fill 3 with 0, skip 1, copy 2 (8 9)
//   row 1: fill 6 with 4
const std::vector<uint8_t> FILL_RUN_DATA = {
    3, 0xC2, 0, 0x00, 0x81, 8, 9,
    1, 0xC5, 4,
};

using RunImages = VideoScreen;

TEST_F(RunImages, ARunImageIsPlacedByItsOffsetsAndCopiesZeroAsColourZero)
{
    auto image = make_image(100, 40, 4, 3, RUN_DATA);
    DrawResult r;
    EXPECT_EQ(draw_runs(&r, 0, 0, as_image(image)), &r);
    expect_result(r, 100, 40, 4, 3);
    const int expected[3][4] = {{BACKGROUND, 1, 2, 3}, {BACKGROUND, BACKGROUND, BACKGROUND, BACKGROUND}, {0, 5, BACKGROUND, BACKGROUND}};
    for (int row = 0; row < 3; row++)
        for (int column = 0; column < 4; column++)
            EXPECT_EQ(screen_pixel(100 + column, 40 + row), expected[row][column]) << column << "," << row;
    EXPECT_EQ(pixels_not(BACKGROUND), 5);
}

TEST_F(RunImages, TheDrawingPointIsAddedToTheOffsets)
{
    auto image = make_image(100, 40, 4, 3, RUN_DATA);
    DrawResult r;
    draw_runs(&r, -90, 5, as_image(image));
    expect_result(r, 10, 45, 4, 3);
    EXPECT_EQ(screen_pixel(11, 45), 1);
    EXPECT_EQ(screen_pixel(11, 47), 5);
}

TEST_F(RunImages, AFillRunImageWritesFillsCopiesAndZeroes)
{
    auto image = make_image(200, 60, 6, 2, FILL_RUN_DATA);
    DrawResult r;
    EXPECT_EQ(draw_fill_runs(&r, 0, 0, as_image(image)), &r);
    expect_result(r, 200, 60, 6, 2);
    const int expected[2][6] = {{0, 0, 0, BACKGROUND, 8, 9}, {4, 4, 4, 4, 4, 4}};
    for (int row = 0; row < 2; row++)
        for (int column = 0; column < 6; column++)
            EXPECT_EQ(screen_pixel(200 + column, 60 + row), expected[row][column]) << column << "," << row;
    EXPECT_EQ(pixels_not(BACKGROUND), 11);
}

TEST_F(RunImages, LongestRunsCoverAFullScreenRow)
{
    // 640 = 128 + 128 + 128 + 128 + 64 + 64: the longest skip and copy of
    // the run encoding, and the longest fill and copy of the fill-run one.
    std::vector<uint8_t> runs = {4, 0x7F, 0xFF};
    runs.insert(runs.end(), 128, 3);
    runs.push_back(0x7F);
    runs.push_back(0xFF);
    runs.insert(runs.end(), 128, 6);
    std::vector<uint8_t> fill_runs = {2, 0xFF, 9, 0xBF};
    fill_runs.insert(fill_runs.end(), 64, 2);
    runs.insert(runs.end(), fill_runs.begin(), fill_runs.end());
    // Row 0 of the run image is 512 wide; draw it 512 wide, and the
    // fill-run row beside it 128 wide.
    auto image = make_image(0, 479, 512, 1, std::vector<uint8_t>(runs.begin(), runs.end() - (long)fill_runs.size()));
    auto filled = make_image(512, 479, 128, 1, fill_runs);
    draw_runs(nullptr, 0, 0, as_image(image));
    draw_fill_runs(nullptr, 0, 0, as_image(filled));
    EXPECT_EQ(screen_pixel(127, 479), BACKGROUND);
    EXPECT_EQ(screen_pixel(128, 479), 3);
    EXPECT_EQ(screen_pixel(255, 479), 3);
    EXPECT_EQ(screen_pixel(383, 479), BACKGROUND);
    EXPECT_EQ(screen_pixel(384, 479), 6);
    EXPECT_EQ(screen_pixel(511, 479), 6);
    EXPECT_EQ(screen_pixel(512, 479), 9);
    EXPECT_EQ(screen_pixel(575, 479), 9);
    EXPECT_EQ(screen_pixel(576, 479), 2);
    EXPECT_EQ(screen_pixel(639, 479), 2);
    EXPECT_EQ(pixels_not(BACKGROUND), 384);
}

TEST_F(RunImages, AnImagePartlyOffTheScreenIsNotDrawnAtAll)
{
    auto runs = make_image(0, 0, 4, 3, RUN_DATA);
    auto fill_runs = make_image(0, 0, 6, 2, FILL_RUN_DATA);
    struct Case {
        const std::vector<uint8_t>* image;
        int x, y;
    };
    const Case cases[] = {
        {&runs, -1, 10},  {&runs, 10, -1},  {&runs, 637, 10},  {&runs, 10, 478},
        {&runs, 2000, 2000}, {&runs, INT_MIN, 0}, {&runs, INT_MAX, INT_MAX},
        {&fill_runs, -1, 0}, {&fill_runs, 0, -1}, {&fill_runs, 635, 0}, {&fill_runs, 0, 479},
    };
    for (const Case& c : cases) {
        DrawResult r = {0, 0, 0, 0, 0};
        if (c.image == &runs)
            draw_runs(&r, c.x, c.y, as_image(*c.image));
        else
            draw_fill_runs(&r, c.x, c.y, as_image(*c.image));
        EXPECT_EQ(r.empty, 1) << c.x << "," << c.y;
    }
    EXPECT_EQ(pixels_not(BACKGROUND), 0);
    // The same images just inside each edge are drawn.
    DrawResult r;
    draw_runs(&r, 636, 477, as_image(runs));
    expect_result(r, 636, 477, 4, 3);
    draw_fill_runs(&r, 634, 478, as_image(fill_runs));
    expect_result(r, 634, 478, 6, 2);
}

TEST_F(RunImages, AnOffsetPlacingTheImageOffTheScreenIsRejectedToo)
{
    auto image = make_image(-5, 470, 4, 3, RUN_DATA);
    DrawResult r;
    draw_runs(&r, 0, 0, as_image(image));
    EXPECT_EQ(r.empty, 1);
    draw_runs(&r, 5, 0, as_image(image));
    expect_result(r, 0, 470, 4, 3);
    EXPECT_EQ(draw_fill_runs(nullptr, 0, 0, as_image(image)), nullptr);
}

using FillRect = VideoScreen;

TEST_F(FillRect, EveryWidthFillsExactlyItsPixelsOnEveryRow)
{
    // Odd widths take the one-byte and two-byte steps before the words.
    for (int width = 1; width <= 11; width++) {
        display_clear(BACKGROUND);
        int x = 100 + width;
        fill_rect(x, 30, width, 3, 200);
        for (int row = 29; row <= 33; row++) {
            bool inside_rows = row >= 30 && row < 33;
            EXPECT_EQ(screen_pixel(x - 1, row), BACKGROUND);
            EXPECT_EQ(screen_pixel(x + width, row), BACKGROUND);
            for (int column = x; column < x + width; column++)
                EXPECT_EQ(screen_pixel(column, row), inside_rows ? 200 : BACKGROUND) << width;
        }
        EXPECT_EQ(pixels_not(BACKGROUND), width * 3);
    }
}

TEST_F(FillRect, ARectangleIsClippedToTheScreen)
{
    fill_rect(-5, -5, 12, 8, 1);     // 7 x 3 left in the corner
    fill_rect(633, 477, 7, 7, 2);    // 7 x 3 in the far corner
    fill_rect(-3, 100, 700, 1, 3);   // a whole row
    EXPECT_EQ(pixels_not(BACKGROUND), 21 + 21 + 640);
    EXPECT_EQ(screen_pixel(6, 2), 1);
    EXPECT_EQ(screen_pixel(7, 2), BACKGROUND);
    EXPECT_EQ(screen_pixel(633, 477), 2);
    EXPECT_EQ(screen_pixel(639, 479), 2);
    EXPECT_EQ(screen_pixel(0, 100), 3);
    EXPECT_EQ(screen_pixel(639, 100), 3);
}

TEST_F(FillRect, EmptyNegativeOrOffScreenRectanglesFillNothing)
{
    fill_rect(10, 10, 0, 5, 1);
    fill_rect(10, 10, 5, 0, 1);
    fill_rect(10, 10, -5, 5, 1);
    fill_rect(10, 10, 5, -5, 1);
    fill_rect(640, 0, 5, 5, 1);
    fill_rect(0, 480, 5, 5, 1);
    fill_rect(-5, 0, 5, 5, 1);
    fill_rect(0, -5, 5, 5, 1);
    fill_rect(INT_MAX, INT_MAX, INT_MAX, INT_MAX, 1);
    fill_rect(INT_MIN, INT_MIN, INT_MAX, INT_MAX, 1);
    EXPECT_EQ(pixels_not(BACKGROUND), 0);
}

}  // namespace
