// The pack inspector: extracted into files and built again, a pack comes back byte for byte, with the edits.
#include "data_helpers.h"

#include "tools/packtool/media.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace {

namespace fs = std::filesystem;

Bytes read_bytes(const std::string& path)
{
    Bytes bytes;
    EXPECT_TRUE(media_read_file(path, &bytes)) << path;
    return bytes;
}

using PacktoolRoundTrip = PackFolder;

TEST_F(PacktoolRoundTrip, TheGeneratedPacksComeBackByteForByte)
{
    REQUIRE_DATA();
    for (const char* name : {"DATA50.RES", "brenmoor.res"}) {
        Bytes original = read_bytes(data_path(name));
        ASSERT_FALSE(original.empty());
        EXPECT_TRUE(round_trip(original) == original) << name;
        EXPECT_FALSE(fs::exists(files + "/pack.raw")) << name << " is laid out as the pack writer does";
        fs::remove_all(files);
    }
}

// A character the code page has not is refused, and the message says where.
TEST_F(PacktoolRoundTrip, WhatAModderEditsGoesBackIntoThePackAndNothingElse)
{
    std::vector<Bytes> entries = test_game_entries();
    std::string moth_name = "\xcc\xee\xf2\xfb\xeb\xb8\xea";    // "Мотылёк" in Windows-1251
    entries[41] = make_text_table({"Moth Keeper", moth_name, "", "x", "E", "F", "G", "H"});
    Bytes pack = make_pack(entries);
    ASSERT_TRUE(round_trip(pack) == pack);
    Bytes text = read_bytes(files + "/041/001.txt");
    EXPECT_EQ(std::string(text.begin(), text.end()), "\xd0\x9c\xd0\xbe\xd1\x82\xd1\x8b\xd0\xbb\xd1\x91\xd0\xba");
    // The steady moth of colour 2 gets colour 77 at its centre; text 2 becomes "Ёлка".
    IndexedPicture moth;
    ASSERT_TRUE(media_read_indexed_png(files + "/003/019.png", &moth, &error)) << error;
    moth.pixels[(size_t)(moth.height / 2) * moth.width + moth.width / 2] = 77;
    ASSERT_TRUE(media_write_indexed_png(files + "/003/019.png", moth));
    std::string fir = "\xd0\x81\xd0\xbb\xd0\xba\xd0\xb0";
    ASSERT_TRUE(save_bytes((files + "/041/002.txt").c_str(), Bytes(fir.begin(), fir.end())));
    PackContents before, after = rebuilt_contents();
    ASSERT_TRUE(pack_read(in, &before, &error)) << error;
    ASSERT_EQ(after.entries.size(), before.entries.size());
    DecodedImage image;
    ASSERT_TRUE(image_decode(after.entries[3].items[19], IMAGE_RAW, &image));
    EXPECT_EQ(image.pixels[(size_t)(image.height / 2) * image.width + image.width / 2], 77);
    EXPECT_EQ(std::string((const char*)after.entries[41].items[2].data()), "\xa8\xeb\xea\xe0");
    for (size_t e = 0; e < before.entries.size(); e++)
        EXPECT_TRUE(e == 3 || e == 41 || (before.entries[e].bytes == after.entries[e].bytes &&
                                          before.entries[e].items == after.entries[e].items))
            << "entry " << e << " changed";
    ASSERT_TRUE(display_create());
    EXPECT_TRUE(bind_resources(path("out.res").c_str())) << "the edited pack still binds";

    std::string chinese = "\xe4\xb8\xad";
    ASSERT_TRUE(save_bytes((files + "/041/003.txt").c_str(), Bytes(chinese.begin(), chinese.end())));
    Bytes rebuilt;
    EXPECT_FALSE(packtool_build(files, &rebuilt, &error));
    EXPECT_NE(error.find("041/003.txt"), std::string::npos) << error;
}

TEST_F(PacktoolRoundTrip, SkippedPixelsAndColourZeroStayApartInRunPictures)
{
    ASSERT_TRUE(packtool_begin());
    DecodedImage image{10, 20, 5, 2, {PIXEL_SKIP, 0, 0, 0, 9, 3, 3, 3, PIXEL_SKIP, 0}};
    for (int encoding : {IMAGE_RUNS, IMAGE_FILL_RUNS}) {
        Bytes record = image_encode(image, encoding);
        ASSERT_FALSE(record.empty());
        DecodedImage back;
        ASSERT_TRUE(image_decode(record, encoding, &back));
        EXPECT_EQ((std::pair{back.x_offset, back.y_offset}), (std::pair{10, 20}));
        EXPECT_EQ(back.pixels, image.pixels) << encoding_name(encoding);
    }
    // and through the files: a table of one fill-run picture
    Bytes pack = logo_with({image_encode(image, IMAGE_FILL_RUNS)});
    EXPECT_TRUE(round_trip(pack) == pack);
    IndexedPicture picture;
    ASSERT_TRUE(media_read_indexed_png(files + "/001/000.png", &picture, &error)) << error;
    ASSERT_GE(picture.transparent, 0);
    EXPECT_EQ(picture.pixels[0], picture.transparent) << "a skipped pixel is transparent in the PNG";
    EXPECT_EQ(picture.pixels[1], 0) << "colour 0 stays a colour";
}

TEST_F(PacktoolRoundTrip, ListingNamesEveryEntrysKindSheetsAreWrittenSamplesBecomeWavFilesAndAnyLayoutComesBack)
{
    Bytes pack = make_test_game_pack();
    ASSERT_TRUE(round_trip(pack) == pack);
    std::string listing;
    ASSERT_TRUE(packtool_list(in, &listing, &error)) << error;
    EXPECT_NE(listing.find("46 entries, game pack"), std::string::npos) << listing;
    for (const char* word : {"palette", "screen", "fill-runs", "sounds", "texts", "title picture", "13 samples"})
        EXPECT_NE(listing.find(word), std::string::npos) << word;
    std::vector<std::string> written;
    ASSERT_TRUE(packtool_sheet(in, path("sheet.png"), &written, &error)) << error;
    ASSERT_FALSE(written.empty());
    for (const std::string& path : written) {
        Bytes png = read_bytes(path);
        ASSERT_GT(png.size(), 8u) << path;
        EXPECT_EQ(png[1], 'P');
    }
    // Samples are WAV files of the game's format.
    std::vector<uint8_t> sample;
    ASSERT_TRUE(media_read_wav(files + "/032/003.wav", &sample, &error)) << error;
    EXPECT_EQ(sample, std::vector<uint8_t>(32 + 8 * 3, 0x80 + 3));
    Bytes wav = read_bytes(files + "/032/003.wav");
    ASSERT_GE(wav.size(), 44u);
    EXPECT_EQ(wav[24] | wav[25] << 8, 22050) << "22050 samples a second";
    EXPECT_EQ(wav[22], 1) << "mono";
    EXPECT_EQ(wav[34], 8) << "8 bits";
    fs::remove_all(files);
    // The same entries, but the data of the first two swapped in the file.
    std::vector<Bytes> entries = test_logo_entries();
    uint32_t at = 8 + (uint32_t)entries[1].size();    // entry 0's data after entry 1's
    Bytes shuffled = {2, 0, 0, 0, (uint8_t)at, (uint8_t)(at >> 8), (uint8_t)(at >> 16), 0, 8, 0, 0, 0};
    shuffled.insert(shuffled.end(), entries[1].begin(), entries[1].end());
    shuffled.insert(shuffled.end(), entries[0].begin(), entries[0].end());
    ASSERT_TRUE(round_trip(shuffled) == shuffled);
    EXPECT_TRUE(fs::exists(files + "/pack.raw"));
}

}  // namespace
