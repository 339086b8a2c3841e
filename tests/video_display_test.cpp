// The display: the back buffer, the palette on show, and what reaches the
// screen when a frame is presented.
#include "platform/headless/headless.h"
#include "video/display.h"
#include "video_test_support.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// A picture whose every pixel depends on its place.
uint8_t pattern(int x, int y) { return (uint8_t)(x * 7 + y * 13 + (x * y >> 5)); }

void draw_pattern()
{
    for (int y = 0; y < 480; y++)
        for (int x = 0; x < 640; x++)
            screen_pixel(x, y) = pattern(x, y);
}

class DisplayLifecycle : public testing::Test {
protected:
    void TearDown() override { display_release(); }
};

TEST_F(DisplayLifecycle, AFreshBackBufferIsAllColourZeroAndPresentsAsSuch)
{
    for (int pitch : {DISPLAY_PITCH, TEST_PITCH}) {
        ASSERT_TRUE(display_create_pitched(pitch));
        EXPECT_EQ(display.width, 640);
        EXPECT_EQ(display.height, 480);
        EXPECT_EQ(display.pitch, pitch);
        EXPECT_EQ(std::vector<uint8_t>(display.back_buffer, display.back_buffer + pitch * 480),
                  std::vector<uint8_t>((size_t)pitch * 480, 0));
        display_release();
    }
    ASSERT_TRUE(display_create());
    EXPECT_EQ(display.pitch, DISPLAY_PITCH);
    display_present();
    EXPECT_EQ(headless_present_count(), 1u);
    const HeadlessFrame& frame = headless_last_frame();
    EXPECT_EQ(frame.pixels, std::vector<uint8_t>(640 * 480, 0));
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

TEST_F(DisplayFrames, APresentedFrameShowsTheVisiblePartOfEveryRow)
{
    draw_pattern();
    display_present();
    display_present();
    EXPECT_EQ(headless_present_count(), 2u);
    const HeadlessFrame& frame = headless_last_frame();
    ASSERT_EQ(frame.pixels.size(), 640u * 480u);
    for (int y = 0; y < 480; y++)
        for (int x = 0; x < 640; x++)
            ASSERT_EQ(frame.pixels[y * 640 + x], pattern(x, y)) << x << "," << y;
}

TEST_F(DisplayFrames, ASnapshotIsPackedAndRestoresTheScreenUnchanged)
{
    draw_pattern();
    std::vector<uint8_t> copy(SCREEN_COPY_BYTES, 0xEE);
    display_snapshot(copy.data());
    for (int y = 0; y < 480; y++)
        for (int x = 0; x < 640; x++)
            ASSERT_EQ(copy[y * 640 + x], pattern(x, y)) << x << "," << y;

    display_clear(3);
    EXPECT_EQ(pixels_not(3), 0) << "clearing paints every visible pixel";
    display_restore_background(copy.data());
    for (int y = 0; y < 480; y++)
        for (int x = 0; x < 640; x++)
            ASSERT_EQ(screen_pixel(x, y), pattern(x, y)) << x << "," << y;
}

using DisplayPalette = VideoScreen;

TEST_F(DisplayPalette, SixBitComponentsReachTheScreenShiftedToEightBits)
{
    uint8_t palette[PALETTE_BYTES];
    for (int i = 0; i < PALETTE_BYTES; i++)
        palette[i] = (uint8_t)(i % 64);
    palette[0] = 63;
    palette[767] = 63;
    display_set_palette(palette);
    display_present();
    const HeadlessFrame& frame = headless_last_frame();
    ASSERT_EQ(frame.rgb.size(), (size_t)PALETTE_BYTES);
    EXPECT_EQ(frame.rgb[0], 252);
    EXPECT_EQ(frame.rgb[767], 252);
    for (int i = 1; i < PALETTE_BYTES - 1; i++)
        ASSERT_EQ(frame.rgb[i], (i % 64) * 4) << i;
}

TEST_F(DisplayPalette, EachFadeStepIsShownWithTheFrameAfterIt)
{
    uint8_t palette[PALETTE_BYTES] = {};
    palette[3] = 10;    // colour 1, red
    display_set_palette(palette);
    display_present();
    palette[3] = 20;
    display_set_palette(palette);
    EXPECT_EQ(headless_last_frame().rgb[3], 40);
    display_present();
    EXPECT_EQ(headless_last_frame().rgb[3], 80);
}

}  // namespace
