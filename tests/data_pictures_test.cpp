// The generated pictures sit where the game draws them.
#include "data_helpers.h"

#include "board/board.h"
#include "board/game_screen.h"
#include "hiscore/hiscore.h"
#include "board/menu.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace {

using DataPictures = GameData;

TEST_F(DataPictures, EveryPictureSitsWhereTheGameDrawsItAndCoversWhatItMust)
{
    for (auto [table, what] : {std::pair{&TransitionImages, "transition"}, {&MenuImages, "menu picture"},
                               {&MainScreenImages, "end picture"}})
        for (int i = 0; i < table->count; i++)
            EXPECT_TRUE(full_screen_at_origin(table_image(*table, i))) << what << " " << i;
    EXPECT_TRUE(full_screen_at_origin(TitlePicture));
    // The covering transition and the title leave no pixel of the old screen where they must.
    std::vector<bool> covered = covered_by_runs(table_image(TransitionImages, 21));
    EXPECT_EQ(std::count(covered.begin(), covered.end(), false), 0);
    // and the pictures before it cover more and more
    int before = 0;
    for (int i = 0; i <= 21; i += 7) {
        std::vector<bool> part = covered_by_runs(table_image(TransitionImages, i));
        int now = (int)std::count(part.begin(), part.end(), true);
        EXPECT_GT(now, before) << "transition " << i;
        before = now;
    }
    // The title covers every row where its sky would repeat.
    covered = covered_by_runs(TitlePicture);
    for (int y = 255; y < 480; y++)
        for (int x = 0; x < 640; x++)
            ASSERT_TRUE(covered[(size_t)y * 640 + x]) << "row " << y << " would show the sky's colours again";
    // The sky itself is a gradient: neighbouring rows differ only a little.
    for (int i = 1; i < 254; i++)
        for (int c = 0; c < 3; c++)
            EXPECT_LE(std::abs(TitlePalette[i * 3 + c] - TitlePalette[(i + 1) * 3 + c]), 2) << "colour " << i;
    // An open column's trail lights its own eight spots and no other; by the
    // last picture of its closing it has dimmed away as the playfield shows it.
    for (int column = 0; column < BOARD_COLUMNS; column++) {
        std::vector<bool> open = covered_by_runs(table_image(ColumnImages[column], 5));
        std::vector<bool> closed = covered_by_runs(table_image(ColumnImages[column], 15));
        int lit_when_closed = 0;
        for (int cell = 0; cell < BOARD_CELLS; cell++) {
            size_t centre = (size_t)cell_centres[cell].y * 640 + cell_centres[cell].x;
            bool own = cell % BOARD_COLUMNS == column;
            EXPECT_EQ(open[centre], own) << "column " << column << ", centre of cell " << cell
                                         << (own ? " is not lit" : " is drawn over");
            lit_when_closed += own && closed[centre];
        }
        EXPECT_LE(lit_when_closed, 2) << "column " << column << " has dimmed away by its last picture";
    }
    // Moths are centred on their hot spot and small enough for their neighbours.
    auto check = [](const ImageRecord* image, const char* what, int index) {
        SCOPED_TRACE(testing::Message() << what << " " << index);
        EXPECT_EQ(image_x_offset(image), -(image_width(image) / 2));
        EXPECT_EQ(image_y_offset(image), -(image_height(image) / 2));
        Box box = ink_box(image);
        ASSERT_LE(box.left, box.right) << "empty";
        EXPECT_NEAR((box.left + box.right) / 2.0, 0.0, 2.0);
        EXPECT_NEAR((box.top + box.bottom) / 2.0, 0.0, 2.0);
        EXPECT_LE(box.width(), 30);
    };
    for (int colour = 0; colour < 5; colour++) {
        check(table_image(MothImages[colour], 19), "steady moth of colour", colour);
        check(table_image(SwapFadeImages[colour], 1), "first swap fade of colour", colour);
    }
    for (int f = 0; f < FlightImages.count; f++)
        check(table_image(FlightImages, f), "flight frame", f);
    for (int f = 0; f < MothImages[0].count; f++)
        EXPECT_EQ(image_x_offset(table_image(MothImages[0], f)), -(image_width(table_image(MothImages[0], f)) / 2));
    // The menu labels its items; its button, switch, highlights and knob stay in their places.
    std::vector<uint8_t> screen = screen_with(table_image(MenuImages, MENU_PANEL_PICTURE));
    for (int item = 0; item < MENU_ITEMS; item++) {
        const MenuRect& r = menu_items[item];
        int bright = 0;
        for (int y = r.y; y <= r.y + r.height; y++)
            for (int x = r.x; x <= r.x + r.width; x++)
                bright += palette_lightness(GamePalette, screen[(size_t)y * 640 + x]) > 0.7;
        EXPECT_GT(bright, 80) << "item " << item << " has no readable label";
    }
    for (int f = 0; f < MenuButtonImages.count; f++) {
        const ImageRecord* image = table_image(MenuButtonImages, f);
        EXPECT_GE(image_x_offset(image), MENU_BUTTON_X);
        EXPECT_GE(image_y_offset(image), MENU_BUTTON_Y);
        EXPECT_LE(image_x_offset(image) + image_width(image) - 1, MENU_BUTTON_X + MENU_BUTTON_WIDTH);
        EXPECT_LE(image_y_offset(image) + image_height(image) - 1, MENU_BUTTON_Y + MENU_BUTTON_HEIGHT);
    }
    // the sound switch lies on the panel, clear of the items it is not part of
    std::vector<bool> panel = covered_by_runs(table_image(MenuImages, MENU_PANEL_PICTURE));
    for (int f = 0; f < MenuToggleImages.count; f++) {
        Box box = ink_box(table_image(MenuToggleImages, f));
        for (int y = box.top; y <= box.bottom; y++)
            for (int x = box.left; x <= box.right; x++)
                ASSERT_TRUE(panel[(size_t)(MENU_SWITCH_Y + y) * 640 + MENU_SWITCH_X + x]) << "switch frame " << f;
    }
    // The new row highlight surrounds the score and the name.
    for (int f = 0; f < ScoreScreenImages.count; f++) {
        Box box = ink_box(table_image(ScoreScreenImages, f));
        int left = HISCORE_HIGHLIGHT_X + box.left, right = HISCORE_HIGHLIGHT_X + box.right;
        EXPECT_LE(left, HISCORE_SCORE_X - 80) << "a long score fits in the band";
        EXPECT_GE(right, HISCORE_NAME_X + 360) << "a long name fits in the band";
        // rows: text from y r * 21 + 110, about 16 high; the band is drawn at r * 21 + 103
        EXPECT_LE(box.top + 103, 110);
        EXPECT_GE(box.bottom + 103, 110 + 16);
        EXPECT_LT(box.height(), 2 * HISCORE_ROW_HEIGHT);
    }
    // The speed slider's knob runs along its bar.
    Box bar = ink_box(table_image(SpeedSliderImages, 0));
    Box knob = ink_box(table_image(SpeedSliderImages, 1));
    EXPECT_LE(SLIDER_BAR_X + bar.left, 526) << "the knob at x 526 sits on the bar";
    EXPECT_GE(SLIDER_BAR_X + bar.right, 576) << "the knob at x 576 sits on the bar";
    EXPECT_NEAR((knob.left + knob.right) / 2.0, 0.0, 1.0) << "the knob is centred on its x";
    EXPECT_LE(knob.top, bar.top);
    EXPECT_GE(knob.bottom, bar.bottom);
}

}  // namespace
