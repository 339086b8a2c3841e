// Small helpers for the video tests: images written byte by byte, and a
// back buffer with padded rows so that a write past column 639 shows.
#pragma once

#include "video/display.h"
#include "video/image.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

// Rows of the test screen are wider than the picture; the padding holds
// PADDING_MARK and must keep it.
constexpr int TEST_PITCH = 656;
constexpr uint8_t PADDING_MARK = 0xA5;
// The test screen's colour before anything is drawn.
constexpr uint8_t BACKGROUND = 7;

// An image: the 8-byte header followed by `data` (raw pixels or runs).
inline std::vector<uint8_t> make_image(int x_offset, int y_offset, int width, int height, const std::vector<uint8_t>& data)
{
    std::vector<uint8_t> bytes;
    for (int v : {x_offset, y_offset, width, height})
        bytes.insert(bytes.end(), {(uint8_t)v, (uint8_t)(v >> 8)});
    bytes.insert(bytes.end(), data.begin(), data.end());
    return bytes;
}

// A raw image whose pixel (column c, row r) is pattern(c, r).
template <typename Pattern>
std::vector<uint8_t> make_raw_image(int x_offset, int y_offset, int width, int height, Pattern pattern)
{
    std::vector<uint8_t> pixels;
    for (int r = 0; r < height; r++)
        for (int c = 0; c < width; c++)
            pixels.push_back((uint8_t)pattern(c, r));
    return make_image(x_offset, y_offset, width, height, pixels);
}

inline const ImageRecord* as_image(const std::vector<uint8_t>& bytes) { return (const ImageRecord*)bytes.data(); }
inline uint8_t& screen_pixel(int x, int y) { return display.back_buffer[(size_t)y * display.pitch + x]; }

// How many visible pixels are not what they should be: pixel(x, y) inside
// the box from (left, top) to (right, bottom), BACKGROUND outside it.
template <typename Pixel>
int pixels_wrong(int left, int top, int right, int bottom, Pixel pixel)
{
    int wrong = 0;
    for (int y = 0; y < 480; y++)
        for (int x = 0; x < 640; x++) {
            bool inside = x >= left && x <= right && y >= top && y <= bottom;
            wrong += screen_pixel(x, y) != (inside ? (int)pixel(x, y) : BACKGROUND);
        }
    return wrong;
}

// How many visible pixels differ from `colour`.
inline int pixels_not(uint8_t colour) { return pixels_wrong(0, 0, 639, 479, [colour](int, int) { return colour; }); }

// A display with padded rows, cleared to BACKGROUND, released afterwards.
class VideoScreen : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(display_create_pitched(TEST_PITCH));
        for (int y = 0; y < 480; y++)
            std::fill(&screen_pixel(640, y), &screen_pixel(TEST_PITCH, y), PADDING_MARK);
        display_clear(BACKGROUND);
    }
    void TearDown() override
    {
        int marked = 0;
        for (int y = 0; y < 480; y++)
            marked += (int)std::count(&screen_pixel(640, y), &screen_pixel(TEST_PITCH, y), PADDING_MARK);
        EXPECT_EQ(marked, 480 * (TEST_PITCH - 640)) << "something was drawn past column 639";
        display_release();
    }
};
