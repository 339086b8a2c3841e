// The display: the back buffer, the palette on show, and what reaches the
// screen when a frame is presented.
#include "platform/headless/headless.h"
#include "video/display.h"
#include "video_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <vector>

namespace {

// A picture whose every pixel depends on its place.
uint8_t pattern(int x, int y) { return (uint8_t)(x * 7 + y * 13 + (x * y >> 5)); }

// How many of 640 x 480 pixels, rows `pitch` bytes apart, differ from the pattern.
int pixels_off_pattern(const uint8_t* pixels, int pitch)
{
    int wrong = 0;
    for (int y = 0; y < 480; y++)
        for (int x = 0; x < 640; x++)
            wrong += pixels[(size_t)y * pitch + x] != pattern(x, y);
    return wrong;
}

struct DisplayLifecycle : testing::Test {
    void TearDown() override { display_release(); }
};

TEST_F(DisplayLifecycle, AFreshBackBufferIsAllColourZeroAndPresentsAsSuch)
{
    for (int pitch : {DISPLAY_PITCH, TEST_PITCH}) {
        ASSERT_TRUE(display_create_pitched(pitch));
        EXPECT_EQ((std::array{display.width, display.height, display.pitch}), (std::array{640, 480, pitch}));
        EXPECT_EQ(std::count(display.back_buffer, display.back_buffer + pitch * 480, 0), pitch * 480);
        display_release();
    }
    ASSERT_TRUE(display_create());
    EXPECT_EQ(display.pitch, DISPLAY_PITCH);
    display_present();
    EXPECT_EQ(headless_present_count(), 1u);
    EXPECT_EQ(headless_last_frame().pixels, std::vector<uint8_t>(640 * 480, 0));
}

TEST_F(DisplayLifecycle, WithoutAScreenOrWithRowsTooNarrowThereIsNoDisplayAndNothingIsShown)
{
    headless_devices().display = false;
    EXPECT_FALSE(display_create());
    headless_devices().display = true;
    EXPECT_FALSE(display_create_pitched(639));
    EXPECT_EQ(display.back_buffer, nullptr);
    ASSERT_TRUE(display_create());
    display_release();
    EXPECT_EQ(display.back_buffer, nullptr);
    display_present();
    EXPECT_EQ(headless_present_count(), 0u);
    display_release();    // a second release is harmless
}

using DisplayFrames = VideoScreen;

TEST_F(DisplayFrames, AFrameAndASnapshotHoldTheVisiblePartOfEveryRowAndTheSnapshotRestoresIt)
{
    for (int y = 0; y < 480; y++)
        for (int x = 0; x < 640; x++)
            screen_pixel(x, y) = pattern(x, y);
    display_present();
    display_present();
    EXPECT_EQ(headless_present_count(), 2u);
    ASSERT_EQ(headless_last_frame().pixels.size(), 640u * 480u);
    EXPECT_EQ(pixels_off_pattern(headless_last_frame().pixels.data(), 640), 0);

    std::vector<uint8_t> copy(SCREEN_COPY_BYTES, 0xEE);
    display_snapshot(copy.data());
    EXPECT_EQ(pixels_off_pattern(copy.data(), 640), 0) << "a snapshot is packed";
    display_clear(3);
    EXPECT_EQ(pixels_not(3), 0) << "clearing paints every visible pixel";
    display_restore_background(copy.data());
    EXPECT_EQ(pixels_off_pattern(display.back_buffer, display.pitch), 0);

    // Six-bit palette components reach the screen shifted to eight bits, with the frame after them.
    uint8_t palette[PALETTE_BYTES];
    for (int i = 0; i < PALETTE_BYTES; i++)
        palette[i] = (uint8_t)(i % 64);
    palette[0] = palette[767] = 63;
    display_set_palette(palette);
    display_present();
    std::vector<uint8_t> want(PALETTE_BYTES);
    for (int i = 0; i < PALETTE_BYTES; i++)
        want[i] = (uint8_t)(palette[i] * 4);
    EXPECT_EQ(headless_last_frame().rgb, want);
    EXPECT_EQ(headless_last_frame().rgb[767], 252);
    // A fade step is shown with the frame after it.
    palette[3] = 20;    // colour 1, red
    display_set_palette(palette);
    EXPECT_EQ(headless_last_frame().rgb[3], 12);
    display_present();
    EXPECT_EQ(headless_last_frame().rgb[3], 80);
}

}  // namespace
