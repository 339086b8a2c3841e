// The maker's logo as the player first sees it.
#include "data_helpers.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

constexpr int EMBER_FIRST = 16, EMBER_COUNT = 64;   // the logo palette's fire ramp
constexpr int EMBER_BRIGHT = EMBER_FIRST + EMBER_COUNT / 3;    // its bright part
constexpr int TIN_FIRST = 128, TIN_COUNT = 48;      // its cold metal
constexpr int DARK_COUNT = 16;                      // the black and near-black

TEST(DataLogo, TheAccentWaitsForItsStillTheFireTapersToATipAndTheChestsLidSitsOnIt)
{
    REQUIRE_DATA();
    ASSERT_TRUE(display_create());
    ASSERT_TRUE(load_logo_pack(data_path("brenmoor.res").c_str()));
    EXPECT_EQ(LogoPalette[0] | LogoPalette[1] | LogoPalette[2], 0) << "the logo starts from a black screen";
    for (int i = 0; i < LogoImages.count; i++) {
        const ImageRecord* image = table_image(LogoImages, i);
        EXPECT_TRUE(full_screen_at_origin(image)) << "logo picture " << i;
        std::vector<uint8_t> screen = screen_with(image);
        auto accent = std::count_if(screen.begin(), screen.end(), [](uint8_t p) { return p >= 224; });
        if (i == 41)
            EXPECT_GT(accent, 500) << "the last still's accent uses colours 224..255";
        else
            EXPECT_EQ(accent, 0) << "logo picture " << i << " would show the accent before its fade";
    }
    // The bright part of the fire on the last frame of the animation,
    // inside the emblem: its width row by row.
    std::vector<uint8_t> screen = screen_with(table_image(LogoImages, 40));
    std::vector<int> width;
    for (int y = 110; y < 280; y++) {
        Box fire;
        for (int x = 260; x < 380; x++)
            if (int p = screen[(size_t)y * 640 + x]; p >= EMBER_BRIGHT && p < EMBER_FIRST + EMBER_COUNT)
                fire.add(x, y);
        if (fire.width() > 0)
            width.push_back(fire.width());
        else if (!width.empty())
            break;
    }
    ASSERT_GE(width.size(), 40u) << "no fire in the emblem";
    int widest = *std::max_element(width.begin(), width.end());
    auto at = [&](double part) { return width[(size_t)(part * (width.size() - 1))]; };
    EXPECT_LT(at(0.1), widest / 3) << "the fire ends in a tip, not an arch";
    EXPECT_LT(at(0.25), at(0.5)) << "the sides curve outwards all the way down";
    EXPECT_LT(at(0.5) + 3, at(0.8)) << "the sides are not straight";

    // Down every column through the chest, from the top of the lid to the
    // foot of the body, no black shows between them (the keyhole aside).
    screen = screen_with(table_image(LogoImages, 42));
    int columns = 0;
    for (int x = 260; x < 380; x += 3) {
        if (x > 305 && x < 335)
            continue;
        Box tin;
        for (int y = 60; y < 260; y++)
            if (int p = screen[(size_t)y * 640 + x]; p >= TIN_FIRST && p < TIN_FIRST + TIN_COUNT)
                tin.add(x, y);
        if (tin.height() <= 0)
            continue;
        columns++;
        EXPECT_GE(tin.bottom - tin.top, 60) << "column " << x << " holds only part of the chest";
        for (int y = tin.top; y <= tin.bottom; y++)
            ASSERT_GE(screen[(size_t)y * 640 + x], DARK_COUNT) << "a gap at " << x << ", " << y;
    }
    EXPECT_GE(columns, 30) << "no chest on the collection's picture";
}

}  // namespace
