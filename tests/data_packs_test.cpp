// The generated packs: they pass the game's own checks, hold what every
// screen needs, and come out the same on every build.
#include "data_helpers.h"

#include "hiscore/hiscore.h"
#include "tools/packtool/media.h"
#include "video/font.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>

namespace {

using DataPacks = GameData;

TEST_F(DataPacks, TheFontDrawsRowsOfTwentyOnePixelsAndTheTextsFitTheirPlaces)
{
    int tallest = 0;
    for (int code = 0; code < 256; code++)
        tallest = std::max(tallest, image_y_offset(table_image(FontGlyphs, code)) + image_height(table_image(FontGlyphs, code)));
    EXPECT_LE(tallest, HISCORE_ROW_HEIGHT) << "rows are 21 pixels apart";
    EXPECT_GE(tallest, 14) << "about 16 pixels tall";
    // Letters, digits and Cyrillic draw something; the cursor too.
    for (int code : {(int)'A', (int)'z', (int)'0', (int)'!', 0xC0, 0xFF, 0xA8, 1}) {
        const ImageRecord* glyph = table_image(FontGlyphs, code);
        int size = image_width(glyph) * image_height(glyph);
        EXPECT_GT(size - std::count(image_pixels(glyph), image_pixels(glyph) + size, 0), 4) << "glyph " << code;
    }
    EXPECT_LE(glyph_width(0), 1) << "glyph 0 is blank";
    EXPECT_GT(glyph_width(' '), 2) << "a space leaves a gap";
    EXPECT_LE(measure_text("Alexandra-Margarethe von Nachtfa"), 384) << "a 32-character name fits";
    EXPECT_LE(std::strlen(table_text(ScoreTexts, 0)), 35u) << "the default name must fit a name field";
    for (int text = 0; text < 8; text++) {
        EXPECT_GT(std::strlen(table_text(ScoreTexts, text)), 0u) << "text " << text;
        EXPECT_LE(measure_text(table_text(ScoreTexts, text)), 600) << "text " << text << " is centred at x 320";
    }
    // The notices shown over the table (empty, in use, not saved), centred
    // at x 320, stay right of the gold line it draws between the scores and
    // the names.
    int divider = (HISCORE_SCORE_X + HISCORE_NAME_X) / 2;
    for (int text : {TEXT_TABLE_EMPTY, TEXT_BUSY_FIRST, TEXT_BUSY_SECOND})
        EXPECT_GT(320 - measure_text(table_text(ScoreTexts, text)) / 2, divider + 4) << "text " << text;
    for (const char* text : {HISCORE_UNSAVED_FIRST, HISCORE_UNSAVED_SECOND})
        EXPECT_GT(320 - measure_text(text) / 2, divider + 4) << text;
}

TEST_F(DataPacks, TwoRunsOfTheGeneratorMakeTheSameBytes)
{
#if defined(FLICKERMOTH_DATA_DIR) && defined(FLICKERMOTH_DATAGEN)
    std::string dir = fresh_temp_dir("data-again").string();
    std::string command = std::string("\"") + FLICKERMOTH_DATAGEN + "\" \"" + dir + "\" --no-icons";
    ASSERT_EQ(std::system(command.c_str()), 0);
    for (const char* name : {"DATA50.RES", "brenmoor.res"}) {
        std::vector<uint8_t> built, again;
        ASSERT_TRUE(media_read_file(data_path(name), &built)) << name;
        ASSERT_TRUE(media_read_file(dir + "/" + name, &again)) << name;
        ASSERT_FALSE(built.empty()) << name;
        EXPECT_TRUE(built == again) << name << " differs between two runs of the generator";
    }
    std::filesystem::remove_all(dir);
#else
    GTEST_SKIP() << "the data generator is not part of this build";
#endif
}

}  // namespace
