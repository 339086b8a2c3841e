// Drawing images into the back buffer: clipping of raw sprites, the two run
// encodings, colour shifting and solid rectangles.
#include "video/display.h"
#include "video/image.h"
#include "video_test_support.h"

#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <tuple>
#include <vector>

namespace {

// Every pixel of the 10 x 10 test sprites is distinct, non-zero and not the
// background, so a pixel on the screen tells which column and row it came from.
int sprite_pixel(int column, int row) { return 100 + column + row * 16; }

void expect_result(const DrawResult& r, int x, int y, int width, int height)
{
    EXPECT_EQ((std::vector<int>{r.empty, r.x, r.y, r.width, r.height}), (std::vector<int>{0, x, y, width, height}));
}

using RawSpriteClipping = VideoScreen;

TEST_F(RawSpriteClipping, WhatLiesOnTheScreenIsDrawnPixelForPixelAndNothingElseNorWhenNoneOfItDoes)
{
    // Drawing point and offsets; the rectangle drawn; the image column and
    // row that land in its top left corner.
    struct Case { const char* what; int x, y, x_offset, y_offset, left, top, width, height, first_column, first_row; };
    const Case cases[] = {
        {"wholly on the screen", 100, 50, -4, 3, 96, 53, 10, 10, 0, 0},
        {"three columns off the left", -3, 20, 0, 0, 0, 20, 7, 10, 3, 0},
        {"off the left by its offset", 2, 20, -5, 0, 0, 20, 7, 10, 3, 0},
        {"rows off the top", -2, -6, 0, 0, 0, 0, 8, 4, 2, 6},
        {"cut at the right edge", 635, 200, 0, 0, 635, 200, 5, 10, 0, 0},
        {"on the last row", 30, 479, 0, 0, 30, 479, 10, 1, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        display_clear(BACKGROUND);
        auto image = make_raw_image(c.x_offset, c.y_offset, 10, 10, sprite_pixel);
        DrawResult r;
        EXPECT_EQ(draw_sprite(&r, c.x, c.y, as_image(image)), &r);
        expect_result(r, c.left, c.top, c.width, c.height);
        auto sprite = [&](int x, int y) { return sprite_pixel(x - c.left + c.first_column, y - c.top + c.first_row); };
        EXPECT_EQ(pixels_wrong(c.left, c.top, c.left + c.width - 1, c.top + c.height - 1, sprite), 0);
    }
    // Wider than the screen and cut on the left, it still stops at column 639
    // (the fixture's padding check proves nothing went past the edge).
    display_clear(BACKGROUND);
    auto wide = make_raw_image(0, 0, 700, 2, [](int c, int) { return 1 + c % 200; });
    DrawResult r;
    draw_sprite(&r, -3, 478, as_image(wide));
    expect_result(r, 0, 478, 640, 2);
    EXPECT_EQ(pixels_wrong(0, 478, 639, 479, [](int x, int) { return 1 + (x + 3) % 200; }), 0);

    // Wholly off the screen, a sprite draws nothing and reports empty.
    display_clear(BACKGROUND);
    auto image = make_raw_image(0, 0, 10, 10, sprite_pixel);
    const int places[][2] = {
        {0, 480}, {0, 600}, {640, 0}, {900, 10}, {-10, 0}, {-50, 0},
        {0, -10}, {0, -400}, {INT_MAX, 0}, {0, INT_MIN}, {INT_MIN, INT_MIN},
    };
    for (auto [x, y] : places) {
        r = {1, 2, 3, 4, 0};
        draw_sprite(&r, x, y, as_image(image));
        EXPECT_EQ(r.empty, 1) << x << "," << y;
    }
    // An offset cannot wrap a far drawing point onto the screen.
    auto far_left = make_raw_image(-32768, 0, 10, 10, sprite_pixel);
    r = {};
    draw_sprite(&r, INT_MIN + 5, 0, as_image(far_left));
    EXPECT_EQ(r.empty, 1);
    EXPECT_EQ(draw_sprite(nullptr, 640, 5, as_image(image)), nullptr) << "a null result is accepted";
    EXPECT_EQ(pixels_not(BACKGROUND), 0);
}

using RawSpriteColours = VideoScreen;

TEST_F(RawSpriteColours, PixelZeroIsTransparentAShiftMovesTheOthersRoundAndFillRectFillsExactlyItsPartOnTheScreen)
{
    auto image = make_image(0, 0, 4, 1, {10, 0, 5, 255});
    DrawResult r;
    EXPECT_EQ(draw_sprite_shifted(&r, 0, 0, as_image(image), 250), &r);
    expect_result(r, 0, 0, 4, 1);
    // 250 + 10 wraps to 4; pixel 1 is transparent before the shift
    const int shifted[] = {4, BACKGROUND, 255, 249};
    EXPECT_EQ(pixels_wrong(0, 0, 3, 0, [&](int x, int) { return shifted[x]; }), 0);
    // Shift 0 draws exactly like draw_sprite.
    image = make_raw_image(-2, -2, 9, 7, [](int c, int r) { return (c * 7 + r * 3) % 5 ? c * 31 + r : 0; });
    display_clear(BACKGROUND);
    draw_sprite(nullptr, 1, 1, as_image(image));
    std::vector<uint8_t> plain(display.back_buffer, display.back_buffer + display.pitch * 480);
    display_clear(BACKGROUND);
    draw_sprite_shifted(nullptr, 1, 1, as_image(image), 0);
    EXPECT_EQ(plain, std::vector<uint8_t>(display.back_buffer, display.back_buffer + display.pitch * 480));
    EXPECT_GT(pixels_not(BACKGROUND), 20);
    // fill_rect fills exactly the part of the rectangle on the screen.
    // x, y, width, height; the part on the screen (right < left when none).
    std::vector<std::array<int, 8>> cases = {
        {-5, -5, 12, 8, 0, 0, 6, 2},          {633, 477, 7, 7, 633, 477, 639, 479},
        {-3, 100, 700, 1, 0, 100, 639, 100},  {0, 0, 640, 480, 0, 0, 639, 479},
        {10, 10, 0, 5, 0, 0, -1, -1},         {10, 10, 5, 0, 0, 0, -1, -1},
        {10, 10, -5, 5, 0, 0, -1, -1},        {10, 10, 5, -5, 0, 0, -1, -1},
        {640, 0, 5, 5, 0, 0, -1, -1},         {0, 480, 5, 5, 0, 0, -1, -1},
        {-5, 0, 5, 5, 0, 0, -1, -1},          {0, -5, 5, 5, 0, 0, -1, -1},
        {INT_MAX, INT_MAX, INT_MAX, INT_MAX, 0, 0, -1, -1},
        {INT_MIN, INT_MIN, INT_MAX, INT_MAX, 0, 0, -1, -1},
    };
    for (int width = 1; width <= 11; width++)
        cases.push_back({100 + width, 30, width, 3, 100 + width, 30, 99 + 2 * width, 32});
    for (auto [x, y, width, height, left, top, right, bottom] : cases) {
        display_clear(BACKGROUND);
        fill_rect(x, y, width, height, 200);
        EXPECT_EQ(pixels_wrong(left, top, right, bottom, [](int, int) { return 200; }), 0)
            << width << " x " << height << " at " << x << ", " << y;
    }
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

TEST_F(RunImages, ARunImageIsPlacedByItsOffsetsPlusTheDrawingPointAndCopiesZeroAsColourZero)
{
    constexpr int B = BACKGROUND;
    const std::vector<int> runs = {B, 1, 2, 3, B, B, B, B, 0, 5, B, B}, fills = {0, 0, 0, B, 8, 9, 4, 4, 4, 4, 4, 4};
    struct Case { std::vector<uint8_t> image; decltype(&draw_runs) draw; int x, y; const std::vector<int>& pixels; };
    const Case cases[] = {
        {make_image(100, 40, 4, 3, RUN_DATA), draw_runs, 0, 0, runs},
        {make_image(100, 40, 4, 3, RUN_DATA), draw_runs, -90, 5, runs},
        {make_image(200, 60, 6, 2, FILL_RUN_DATA), draw_fill_runs, 0, 0, fills},
        {make_image(200, 60, 6, 2, FILL_RUN_DATA), draw_fill_runs, 434, 418, fills},    // at the far corner
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << ", " << c.y);
        display_clear(BACKGROUND);
        const ImageRecord* image = as_image(c.image);
        int left = image_x_offset(image) + c.x, top = image_y_offset(image) + c.y, width = image_width(image);
        DrawResult r;
        EXPECT_EQ(c.draw(&r, c.x, c.y, image), &r);
        expect_result(r, left, top, width, image_height(image));
        EXPECT_EQ(pixels_wrong(left, top, left + width - 1, top + image_height(image) - 1,
                               [&](int x, int y) { return c.pixels[(size_t)((y - top) * width + x - left)]; }),
                  0);
    }
}

TEST_F(RunImages, AnImagePartlyOffTheScreenIsNotDrawnAtAll)
{
    auto runs = make_image(0, 0, 4, 3, RUN_DATA);
    auto fill_runs = make_image(0, 0, 6, 2, FILL_RUN_DATA);
    auto placed_left = make_image(-5, 470, 4, 3, RUN_DATA);    // off the screen by its offsets alone
    const std::tuple<const std::vector<uint8_t>*, int, int> cases[] = {
        {&runs, -1, 10},  {&runs, 10, -1},  {&runs, 637, 10},  {&runs, 10, 478},
        {&runs, 2000, 2000}, {&runs, INT_MIN, 0}, {&runs, INT_MAX, INT_MAX}, {&placed_left, 0, 0},
        {&fill_runs, -1, 0}, {&fill_runs, 0, -1}, {&fill_runs, 635, 0}, {&fill_runs, 0, 479},
    };
    for (auto [image, x, y] : cases) {
        DrawResult r = {0, 0, 0, 0, 0};
        (image == &fill_runs ? draw_fill_runs : draw_runs)(&r, x, y, as_image(*image));
        EXPECT_EQ(r.empty, 1) << x << "," << y;
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

}  // namespace
