// The pack inspector trusts nothing in a pack it reads: what the game's
// loader allows (an empty entry at the block's end) goes through, what the
// game would refuse (a broken run picture, a sound bank going backwards) is
// refused with a message rather than read past its bytes.
#include "data_helpers.h"

#include "resources/pack_writer.h"
#include "testkit/test_pack.h"
#include "tools/packtool/contents.h"
#include "tools/packtool/media.h"
#include "tools/packtool/packtool.h"
#include "video/display.h"

#include <gtest/gtest.h>
#include <png.h>

#include <cstdio>
#include <cstring>
#include <filesystem>

namespace {

namespace fs = std::filesystem;

void put32(Bytes& bytes, size_t at, uint32_t value)
{
    for (int s = 0; s < 32; s += 8)
        bytes[at + (size_t)s / 8] = (uint8_t)(value >> s);
}

TEST(PacktoolChecks, AnEmptyLastEntryIsReadListedExtractedAndBuiltAgain)
{
    Scratch scratch;
    Bytes pack = make_pack({Bytes{1, 2, 3}, Bytes{4, 5}, Bytes{}});
    ASSERT_TRUE(save_bytes(scratch.path("in.res").c_str(), pack));
    PackContents contents;
    std::string error;
    ASSERT_TRUE(pack_read(scratch.path("in.res"), &contents, &error)) << error;
    ASSERT_EQ(contents.entries.size(), 3u);
    EXPECT_EQ(contents.entries[1].bytes, (Bytes{4, 5}));
    EXPECT_TRUE(contents.entries[2].bytes.empty());
    EXPECT_TRUE(contents.file == pack);

    std::string listing;
    ASSERT_TRUE(packtool_list(scratch.path("in.res"), &listing, &error)) << error;
    EXPECT_NE(listing.find("3 entries"), std::string::npos) << listing;
    ASSERT_TRUE(packtool_extract(scratch.path("in.res"), scratch.path("files"), &error)) << error;
    Bytes rebuilt;
    ASSERT_TRUE(packtool_build(scratch.path("files"), &rebuilt, &error)) << error;
    EXPECT_TRUE(rebuilt == pack);
}

TEST(PacktoolChecks, APackThatIsMissingOrShortIsRefusedWithAMessage)
{
    Scratch scratch;
    PackContents contents;
    std::string error;
    EXPECT_FALSE(pack_read(scratch.path("none.res"), &contents, &error));
    EXPECT_EQ(error, "cannot read the file");
    EXPECT_FALSE(pack_read(scratch.dir.string(), &contents, &error)) << "a folder is not a pack";
    ASSERT_TRUE(save_bytes(scratch.path("short.res").c_str(), Bytes{1, 0}));
    EXPECT_FALSE(pack_read(scratch.path("short.res"), &contents, &error));
    EXPECT_EQ(error, "the pack is shorter than 4 bytes");
}

TEST(PacktoolChecks, ATableItemAtTheBlocksEndIsAnEmptyItem)
{
    Scratch scratch;
    std::vector<Bytes> entries = test_logo_entries();
    entries[1] = make_table({Bytes{}});
    Bytes pack = make_pack(entries);
    ASSERT_TRUE(save_bytes(scratch.path("in.res").c_str(), pack));
    PackContents contents;
    std::string error;
    ASSERT_TRUE(pack_read(scratch.path("in.res"), &contents, &error)) << error;
    ASSERT_EQ(contents.entries[1].items.size(), 1u);
    EXPECT_TRUE(contents.entries[1].items[0].empty());
    // an empty picture is not a picture
    EXPECT_FALSE(packtool_extract(scratch.path("in.res"), scratch.path("files"), &error));
    EXPECT_NE(error.find("entry 1"), std::string::npos) << error;
}

// A fill-run record of 4 x 1 whose one row claims 200 runs of 4 pixels.
Bytes overlong_fill_runs()
{
    Bytes record(IMAGE_HEADER_BYTES, 0);
    record[4] = 4;    // width
    record[6] = 1;    // height
    record.push_back(200);
    for (int run = 0; run < 200; run++)
        record.insert(record.end(), {0xC3, 7});
    return record;
}

TEST(PacktoolChecks, ARunPictureWhoseRowsDoNotAddUpIsRefusedNotDrawn)
{
    ASSERT_TRUE(packtool_begin());
    DecodedImage image;
    std::string error;
    EXPECT_FALSE(image_decode(overlong_fill_runs(), IMAGE_FILL_RUNS, &image, &error));
    EXPECT_NE(error.find("row 0"), std::string::npos) << error;

    // A row that stops short of its runs.
    Bytes cut = overlong_fill_runs();
    cut.resize(IMAGE_HEADER_BYTES + 3);
    cut[IMAGE_HEADER_BYTES] = 2;
    error.clear();
    EXPECT_FALSE(image_decode(cut, IMAGE_RUNS, &image, &error));
    EXPECT_NE(error.find("past the end"), std::string::npos) << error;

    // Through the files: extract names the picture and why.
    Scratch scratch;
    std::vector<Bytes> entries = test_logo_entries();
    entries[1] = make_table({overlong_fill_runs()});
    ASSERT_TRUE(save_bytes(scratch.path("in.res").c_str(), make_pack(entries)));
    EXPECT_FALSE(packtool_extract(scratch.path("in.res"), scratch.path("files"), &error));
    EXPECT_NE(error.find("row 0 runs add up to"), std::string::npos) << error;
    std::vector<std::string> written;
    EXPECT_FALSE(packtool_sheet(scratch.path("in.res"), scratch.path("sheet.png"), &written, &error));
    EXPECT_NE(error.find("row 0"), std::string::npos) << error;
}

TEST(PacktoolChecks, AKeptRunPictureThatIsBrokenIsNotTakenForTheEditedOne)
{
    Scratch scratch;
    std::vector<Bytes> entries = test_logo_entries();
    DecodedImage image;
    image.width = 4;
    image.height = 1;
    image.pixels = {7, 7, 7, 7};
    entries[1] = make_table({image_encode(image, IMAGE_FILL_RUNS)});
    ASSERT_TRUE(save_bytes(scratch.path("in.res").c_str(), make_pack(entries)));
    std::string error;
    ASSERT_TRUE(packtool_extract(scratch.path("in.res"), scratch.path("files"), &error)) << error;
    // the bytes kept beside the picture are damaged
    ASSERT_TRUE(save_bytes(scratch.path("files/001/000.img").c_str(), overlong_fill_runs()));
    std::string manifest;
    {
        Bytes text;
        ASSERT_TRUE(media_read_file(scratch.path("files/manifest.txt"), &text));
        manifest.assign(text.begin(), text.end());
    }
    size_t item = manifest.find("item 0 001/000.png 0 0");
    ASSERT_NE(item, std::string::npos) << manifest;
    size_t line_end = manifest.find('\n', item);
    manifest.replace(item, line_end - item, "item 0 001/000.png 0 0 001/000.img");
    ASSERT_TRUE(save_bytes(scratch.path("files/manifest.txt").c_str(), Bytes(manifest.begin(), manifest.end())));
    Bytes rebuilt;
    EXPECT_FALSE(packtool_build(scratch.path("files"), &rebuilt, &error));
    EXPECT_NE(error.find("row 0"), std::string::npos) << error;
}

TEST(PacktoolChecks, ASoundBankGoingBackwardsIsRefusedWithAMessage)
{
    Scratch scratch;
    std::vector<Bytes> entries = test_game_entries();
    Bytes bank = make_sound_bank({Bytes(8, 0x80), Bytes(8, 0x81), Bytes(8, 0x82)});
    // pointer 2 moved before pointer 1
    put32(bank, 4 + 2 * 4, 4 * 4 + 2);
    entries[32] = bank;
    ASSERT_TRUE(save_bytes(scratch.path("in.res").c_str(), make_pack(entries)));
    PackContents contents;
    std::string error;
    EXPECT_FALSE(pack_read(scratch.path("in.res"), &contents, &error));
    EXPECT_NE(error.find("entry 32"), std::string::npos) << error;
    EXPECT_NE(error.find("sample 1 ends before it starts"), std::string::npos) << error;
}

// An interlaced indexed PNG as a paint program may save it.
bool write_interlaced_png(const std::string& path, int width, int height, const std::vector<uint8_t>& pixels)
{
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        std::fclose(file);
        return false;
    }
    png_init_io(png, file);
    png_set_IHDR(png, info, (png_uint_32)width, (png_uint_32)height, 8, PNG_COLOR_TYPE_PALETTE, PNG_INTERLACE_ADAM7,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_color colours[256];
    for (int i = 0; i < 256; i++)
        colours[i] = png_color{(png_byte)i, (png_byte)(255 - i), (png_byte)(i / 2)};
    png_set_PLTE(png, info, colours, 256);
    png_write_info(png, info);
    std::vector<png_bytep> rows((size_t)height);
    for (int y = 0; y < height; y++)
        rows[(size_t)y] = (png_bytep)pixels.data() + (size_t)y * width;
    png_write_image(png, rows.data());
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return std::fclose(file) == 0;
}

TEST(PacktoolChecks, AnInterlacedPictureIsReadPixelForPixel)
{
    Scratch scratch;
    constexpr int width = 13, height = 11;
    std::vector<uint8_t> pixels((size_t)width * height);
    for (size_t i = 0; i < pixels.size(); i++)
        pixels[i] = (uint8_t)(i * 7 + i / width);
    ASSERT_TRUE(write_interlaced_png(scratch.path("moth.png"), width, height, pixels));
    IndexedPicture picture;
    std::string error;
    ASSERT_TRUE(media_read_indexed_png(scratch.path("moth.png"), &picture, &error)) << error;
    EXPECT_EQ(picture.width, width);
    EXPECT_EQ(picture.height, height);
    EXPECT_EQ(picture.pixels, pixels);
    EXPECT_EQ(picture.rgb[3 * 200 + 1], 55);
}

TEST(PacktoolChecks, PicturesAreWrittenWithTheirTransparentIndexAndFailuresAreReported)
{
    Scratch scratch;
    IndexedPicture picture;
    picture.width = 3;
    picture.height = 2;
    picture.pixels = {5, 1, 2, 3, 5, 4};
    for (int i = 0; i < 768; i++)
        picture.rgb[i] = (uint8_t)(i * 3);
    picture.transparent = 5;
    ASSERT_TRUE(media_write_indexed_png(scratch.path("a.png"), picture));
    IndexedPicture back;
    std::string error;
    ASSERT_TRUE(media_read_indexed_png(scratch.path("a.png"), &back, &error)) << error;
    EXPECT_EQ(back.pixels, picture.pixels);
    EXPECT_EQ(back.transparent, 5);
    EXPECT_EQ(back.rgb[3 * 4 + 2], (uint8_t)((3 * 4 + 2) * 3));

    // A sheet is true colour, which a picture of colour indices must not be.
    ASSERT_TRUE(media_write_rgb_png(scratch.path("sheet.png"), 2, 1, {255, 0, 0, 0, 0, 255}));
    EXPECT_FALSE(media_read_indexed_png(scratch.path("sheet.png"), &back, &error));
    EXPECT_NE(error.find("indexed"), std::string::npos) << error;

    EXPECT_FALSE(media_write_indexed_png(scratch.path("no/such/folder.png"), picture));
    EXPECT_FALSE(media_write_rgb_png(scratch.path("short.png"), 2, 2, {1, 2, 3})) << "fewer bytes than pixels";
}

TEST(PacktoolChecks, APackKeptWholeIsBuiltAgainEvenWhenItsPartsWouldNotBuild)
{
    Scratch scratch;
    std::vector<Bytes> entries = test_logo_entries();
    entries[0][0] = 70;    // a colour the palette file cannot hold
    Bytes pack = make_pack(entries);
    ASSERT_TRUE(save_bytes(scratch.path("in.res").c_str(), pack));
    std::string error;
    ASSERT_TRUE(packtool_extract(scratch.path("in.res"), scratch.path("files"), &error)) << error;
    ASSERT_TRUE(fs::exists(scratch.path("files/pack.raw")));
    Bytes rebuilt;
    ASSERT_TRUE(packtool_build(scratch.path("files"), &rebuilt, &error)) << error;
    EXPECT_TRUE(rebuilt == pack);
}

TEST(PacktoolChecks, PicturesAreShownInTheColoursTheScreenShows)
{
    ASSERT_TRUE(packtool_begin());
    Bytes palette(768);
    for (int i = 0; i < 768; i++)
        palette[(size_t)i] = (uint8_t)(i % 64);
    display_set_palette(palette.data());
    uint8_t rgb[768];
    palette_rgb8(palette, rgb);
    EXPECT_EQ(0, std::memcmp(rgb, display.rgb, sizeof rgb));
    EXPECT_EQ(rgb[63], 252) << "full brightness shows as 252";
}

}  // namespace
