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

TEST_F(RawSpriteClipping, WhatLiesOnTheScreenIsDrawnPixelForPixelAndNothingElse)
{
    // Drawing point and offsets; the rectangle drawn; the image column and
    // row that land in its top left corner.
    struct Case {
        const char* what;
        int x, y, x_offset, y_offset;
        int left, top, width, height;
        int first_column, first_row;
    };
    const Case cases[] = {
        {"wholly on the screen", 100, 50, -4, 3, 96, 53, 10, 10, 0, 0},
        {"three columns off the left", -3, 20, 0, 0, 0, 20, 7, 10, 3, 0},
        {"off the left by its offset", 2, 20, -5, 0, 0, 20, 7, 10, 3, 0},
        {"rows off the top", -2, -6, 0, 0, 0, 0, 8, 4, 2, 6},
        {"cut at the right edge", 635, 200, 0, 0, 635, 200, 5, 10, 0, 0},
        {"on the last row", 30, 479, 0, 0, 30, 479, 10, 1, 0, 0},
    };
    for (const Case& c : cases) {
        display_clear(BACKGROUND);
        auto image = ten_by_ten(c.x_offset, c.y_offset);
        DrawResult r;
        EXPECT_EQ(draw_sprite(&r, c.x, c.y, as_image(image)), &r) << c.what;
        expect_result(r, c.left, c.top, c.width, c.height);
        for (int row = 0; row < c.height; row++)
            for (int column = 0; column < c.width; column++)
                ASSERT_EQ(screen_pixel(c.left + column, c.top + row),
                          sprite_pixel(c.first_column + column, c.first_row + row))
                    << c.what << ": " << column << "," << row;
        EXPECT_EQ(pixels_not(BACKGROUND), c.width * c.height) << c.what;
    }
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
    // An offset cannot wrap a far drawing point onto the screen.
    auto far_left = ten_by_ten(-32768, 0);
    DrawResult r;
    draw_sprite(&r, INT_MIN + 5, 0, as_image(far_left));
    EXPECT_EQ(r.empty, 1);
    EXPECT_EQ(draw_sprite(nullptr, 640, 5, as_image(image)), nullptr) << "a null result is accepted";
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

using RawSpriteColours = VideoScreen;

TEST_F(RawSpriteColours, PixelZeroIsTransparentAndAShiftMovesTheOthersRoundThe256Colours)
{
    auto image = make_image(0, 0, 4, 1, {10, 0, 5, 255});
    draw_sprite(nullptr, 10, 10, as_image(image));
    EXPECT_EQ(screen_pixel(10, 10), 10);
    EXPECT_EQ(screen_pixel(11, 10), BACKGROUND);
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
    // The drawing point is added to the offsets.
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

TEST_F(RunImages, AnImagePartlyOffTheScreenIsNotDrawnAtAll)
{
    auto runs = make_image(0, 0, 4, 3, RUN_DATA);
    auto fill_runs = make_image(0, 0, 6, 2, FILL_RUN_DATA);
    auto placed_left = make_image(-5, 470, 4, 3, RUN_DATA);    // off the screen by its offsets alone
    struct Case {
        const std::vector<uint8_t>* image;
        int x, y;
    };
    const Case cases[] = {
        {&runs, -1, 10},  {&runs, 10, -1},  {&runs, 637, 10},  {&runs, 10, 478},
        {&runs, 2000, 2000}, {&runs, INT_MIN, 0}, {&runs, INT_MAX, INT_MAX}, {&placed_left, 0, 0},
        {&fill_runs, -1, 0}, {&fill_runs, 0, -1}, {&fill_runs, 635, 0}, {&fill_runs, 0, 479},
    };
    for (const Case& c : cases) {
        DrawResult r = {0, 0, 0, 0, 0};
        if (c.image != &fill_runs)
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
    const int rects[][4] = {
        {10, 10, 0, 5},  {10, 10, 5, 0}, {10, 10, -5, 5}, {10, 10, 5, -5},          {640, 0, 5, 5},
        {0, 480, 5, 5},  {-5, 0, 5, 5},  {0, -5, 5, 5},   {INT_MAX, INT_MAX, INT_MAX, INT_MAX},
        {INT_MIN, INT_MIN, INT_MAX, INT_MAX},
    };
    for (auto [x, y, width, height] : rects)
        fill_rect(x, y, width, height, 1);
    EXPECT_EQ(pixels_not(BACKGROUND), 0);
}

}  // namespace
