// The pack inspector trusts nothing in a pack it reads: what the game would refuse is refused with a
// message rather than read past its bytes; what its loader allows goes through.
#include "data_helpers.h"

#include "tools/packtool/media.h"

#include <gtest/gtest.h>
#include <png.h>

#include <cstdio>
#include <filesystem>

namespace {

// A fill-run record of 4 x 1 whose one row claims 200 runs of 4 pixels.
Bytes overlong_fill_runs()
{
    Bytes record = {0, 0, 0, 0, 4, 0, 1, 0, 200};
    for (int run = 0; run < 200; run++)
        record.insert(record.end(), {0xC3, 7});
    return record;
}

using PacktoolChecks = PackFolder;

TEST_F(PacktoolChecks, AnEmptyLastEntryOrAKeptPackIsBuiltAgainAndAPictureTheGameWouldNotDrawIsRefused)
{
    Bytes pack = make_pack({Bytes{1, 2, 3}, Bytes{4, 5}, Bytes{}});
    EXPECT_TRUE(round_trip(pack) == pack);
    PackContents contents;
    ASSERT_TRUE(pack_read(in, &contents, &error)) << error;
    ASSERT_EQ(contents.entries.size(), 3u);
    EXPECT_EQ(contents.entries[1].bytes, (Bytes{4, 5}));
    EXPECT_TRUE(contents.entries[2].bytes.empty());
    EXPECT_TRUE(contents.file == pack);
    std::string listing;
    ASSERT_TRUE(packtool_list(in, &listing, &error)) << error;
    EXPECT_NE(listing.find("3 entries"), std::string::npos) << listing;

    // A pack kept whole is built again even when its parts would not build.
    std::filesystem::remove_all(files);
    std::vector<Bytes> entries = test_logo_entries();
    entries[0][0] = 70;    // a colour the palette file cannot hold
    pack = make_pack(entries);
    EXPECT_TRUE(round_trip(pack) == pack);
    EXPECT_TRUE(std::filesystem::exists(files + "/pack.raw"));
    std::filesystem::remove_all(files);
    ASSERT_TRUE(packtool_begin());
    DecodedImage image;
    EXPECT_FALSE(image_decode(overlong_fill_runs(), IMAGE_FILL_RUNS, &image, &error));
    EXPECT_NE(error.find("row 0"), std::string::npos) << error;
    Bytes cut = overlong_fill_runs();    // a row that stops short of its runs
    cut.resize(IMAGE_HEADER_BYTES + 3);
    cut[IMAGE_HEADER_BYTES] = 2;
    EXPECT_FALSE(image_decode(cut, IMAGE_RUNS, &image, &error));
    EXPECT_NE(error.find("past the end"), std::string::npos) << error;

    // Through the files: a table item at the block's end is read as an empty
    // item, which is not a picture; extracting and the sheets say which and why.
    for (auto [picture, message] : {std::pair{Bytes{}, "entry 1"}, {overlong_fill_runs(), "row 0 runs add up to"}}) {
        save(logo_with({picture}));
        PackContents contents;
        ASSERT_TRUE(pack_read(in, &contents, &error)) << error;
        EXPECT_EQ(contents.entries[1].items, std::vector<Bytes>{picture});
        EXPECT_FALSE(packtool_extract(in, files, &error));
        EXPECT_NE(error.find(message), std::string::npos) << error;
        std::vector<std::string> written;
        EXPECT_FALSE(packtool_sheet(in, path("sheet.png"), &written, &error));
        EXPECT_NE(error.find(message), std::string::npos) << error;
    }
    // A kept run picture that is broken is not taken for the edited one.
    save(logo_with({image_encode(DecodedImage{0, 0, 4, 1, {7, 7, 7, 7}}, IMAGE_FILL_RUNS)}));
    ASSERT_TRUE(packtool_extract(in, files, &error)) << error;
    // the bytes kept beside the picture are damaged
    ASSERT_TRUE(save_bytes((files + "/001/000.img").c_str(), overlong_fill_runs()));
    Bytes text;
    ASSERT_TRUE(media_read_file(files + "/manifest.txt", &text));
    std::string manifest(text.begin(), text.end());
    size_t item = manifest.find("item 0 001/000.png 0 0");
    ASSERT_NE(item, std::string::npos) << manifest;
    manifest.replace(item, manifest.find('\n', item) - item, "item 0 001/000.png 0 0 001/000.img");
    ASSERT_TRUE(save_bytes((files + "/manifest.txt").c_str(), Bytes(manifest.begin(), manifest.end())));
    Bytes rebuilt;
    EXPECT_FALSE(packtool_build(files, &rebuilt, &error));
    EXPECT_NE(error.find("row 0"), std::string::npos) << error;
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

TEST_F(PacktoolChecks, APackOrPictureThatCannotBeReadIsRefusedWithAMessageAndPicturesAreReadAndWrittenWhole)
{
    PackContents contents;
    EXPECT_FALSE(pack_read(path("none.res"), &contents, &error));
    EXPECT_EQ(error, "cannot read the file");
    EXPECT_FALSE(pack_read(dir.string(), &contents, &error)) << "a folder is not a pack";
    std::vector<Bytes> entries = test_game_entries();
    entries[32] = make_sound_bank({Bytes(8, 0x80), Bytes(8, 0x81), Bytes(8, 0x82)});
    entries[32][4 + 2 * 4] = 4 * 4 + 2;    // pointer 2 moved before pointer 1
    for (auto [pack, message] : {std::pair{Bytes{1, 0}, "the pack is shorter than 4 bytes"},
                                 {make_pack(entries), "entry 32 (sound bank): sample 1 ends before it starts"}}) {
        save(pack);
        EXPECT_FALSE(pack_read(in, &contents, &error));
        EXPECT_NE(error.find(message), std::string::npos) << error;
    }
    constexpr int width = 13, height = 11;
    std::vector<uint8_t> pixels((size_t)width * height);
    for (size_t i = 0; i < pixels.size(); i++)
        pixels[i] = (uint8_t)(i * 7 + i / width);
    ASSERT_TRUE(write_interlaced_png(path("moth.png"), width, height, pixels));
    IndexedPicture picture;
    ASSERT_TRUE(media_read_indexed_png(path("moth.png"), &picture, &error)) << error;
    EXPECT_EQ((std::pair{picture.width, picture.height}), (std::pair{width, height}));
    EXPECT_EQ(picture.pixels, pixels);
    EXPECT_EQ(picture.rgb[3 * 200 + 1], 55);

    // Pictures are written with their transparent index.
    picture.width = 3;
    picture.height = 2;
    picture.pixels = {5, 1, 2, 3, 5, 4};
    for (int i = 0; i < 768; i++)
        picture.rgb[i] = (uint8_t)(i * 3);
    picture.transparent = 5;
    ASSERT_TRUE(media_write_indexed_png(path("a.png"), picture));
    IndexedPicture back;
    ASSERT_TRUE(media_read_indexed_png(path("a.png"), &back, &error)) << error;
    EXPECT_EQ(back.pixels, picture.pixels);
    EXPECT_EQ(back.transparent, 5);
    EXPECT_EQ(back.rgb[3 * 4 + 2], (uint8_t)((3 * 4 + 2) * 3));

    // A sheet is true colour, which a picture of colour indices must not be.
    ASSERT_TRUE(media_write_rgb_png(path("sheet.png"), 2, 1, {255, 0, 0, 0, 0, 255}));
    EXPECT_FALSE(media_read_indexed_png(path("sheet.png"), &back, &error));
    EXPECT_NE(error.find("indexed"), std::string::npos) << error;

    EXPECT_FALSE(media_write_indexed_png(path("no/such/folder.png"), picture));
    EXPECT_FALSE(media_write_rgb_png(path("short.png"), 2, 2, {1, 2, 3})) << "fewer bytes than pixels";
}

}  // namespace
