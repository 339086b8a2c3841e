// Pictures the Windows build writes without libraries: PNG frames in stored
// blocks, read back here with libpng, and the program's icon file made from
// PNG icons.
#include "tools/icon/icon_file.h"
#include "platform/win32/png_stored.h"

#include "png_read.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

bool read_png(const std::vector<uint8_t>& png, RgbPicture* picture) { return png_read_rgb(&png, "", picture); }

std::vector<uint8_t> ramp_palette()
{
    std::vector<uint8_t> rgb(768);
    for (int i = 0; i < 256; i++)
        rgb[i * 3] = (uint8_t)i, rgb[i * 3 + 1] = (uint8_t)(255 - i), rgb[i * 3 + 2] = (uint8_t)(i * 3);
    return rgb;
}

TEST(StoredPng, AWholeFrameReadsBackPixelForPixelWithItsPalette)
{
    // A frame larger than one stored block, in a buffer wider than the picture.
    const int width = 640, height = 480, pitch = 656;
    std::vector<uint8_t> pixels((size_t)pitch * height, 0xEE);
    for (int y = 0; y < height; y++)
        for (int x = 0; x < width; x++)
            pixels[(size_t)y * pitch + x] = (uint8_t)(x * 7 + y * 13);
    std::vector<uint8_t> palette = ramp_palette();

    RgbPicture back;
    uint8_t pixel = 200;    // and a picture of one pixel is a whole file too
    ASSERT_TRUE(read_png(png_encode_stored(&pixel, 1, 1, 1, palette.data()), &back));
    EXPECT_EQ(back.rgb, (std::vector<uint8_t>{200, 55, (uint8_t)(200 * 3)}));
    ASSERT_TRUE(read_png(png_encode_stored(pixels.data(), width, height, pitch, palette.data()), &back));
    ASSERT_EQ(back.width, width);
    ASSERT_EQ(back.height, height);
    for (int y = 0; y < height; y++)
        for (int x = 0; x < width; x++) {
            uint8_t index = pixels[(size_t)y * pitch + x];
            const uint8_t* got = &back.rgb[((size_t)y * width + x) * 3];
            ASSERT_EQ(std::memcmp(got, &palette[index * 3], 3), 0) << x << ", " << y;
        }
}

std::vector<uint8_t> square_png(int size)
{
    std::vector<uint8_t> pixels((size_t)size * size, 1);
    std::vector<uint8_t> palette = ramp_palette();
    return png_encode_stored(pixels.data(), size, size, size, palette.data());
}

uint32_t little_16(const std::vector<uint8_t>& b, size_t at) { return b[at] | b[at + 1] << 8; }
uint32_t little_32(const std::vector<uint8_t>& b, size_t at) { return little_16(b, at) | little_16(b, at + 2) << 16; }

// A size of 256 is written as 0; on failure the icon is left alone.
TEST(IconFile, EachPngOfAtMost256PixelsGetsAnEntryAndItsBytesBehindTheDirectory)
{
    std::vector<std::vector<uint8_t>> pngs = {square_png(256), square_png(48), square_png(32)};
    std::vector<uint8_t> icon;
    ASSERT_TRUE(icon_from_pngs(pngs, &icon));
    ASSERT_GE(icon.size(), 6u);    // the header: an icon, of three pictures
    EXPECT_EQ(std::vector<uint8_t>(icon.begin(), icon.begin() + 6), (std::vector<uint8_t>{0, 0, 1, 0, 3, 0}));
    const int sizes[] = {0, 48, 32};
    size_t expected_offset = 6 + 3 * 16;
    for (int i = 0; i < 3; i++) {
        size_t entry = 6 + (size_t)i * 16;
        EXPECT_EQ(icon[entry], sizes[i]);
        EXPECT_EQ(icon[entry + 1], sizes[i]);
        EXPECT_EQ(little_16(icon, entry + 6), 32u);    // bits per pixel
        uint32_t length = little_32(icon, entry + 8), offset = little_32(icon, entry + 12);
        EXPECT_EQ(length, pngs[i].size());
        EXPECT_EQ(offset, expected_offset);
        ASSERT_LE(offset + length, icon.size());
        EXPECT_TRUE(std::equal(pngs[i].begin(), pngs[i].end(), icon.begin() + offset)) << "picture " << i;
        expected_offset += length;
    }
    EXPECT_EQ(expected_offset, icon.size());

    std::vector<uint8_t> kept = icon, not_png = square_png(32);
    not_png[1] = 'X';
    using Pngs = std::vector<std::vector<uint8_t>>;
    for (const Pngs& bad : {Pngs{}, Pngs{square_png(257)}, Pngs{square_png(32), not_png}, Pngs{std::vector<uint8_t>(10, 0)}})
        EXPECT_FALSE(icon_from_pngs(bad, &icon));
    EXPECT_EQ(icon, kept);
}

}  // namespace
