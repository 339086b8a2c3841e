// What the player must be able to read in the generated pictures.
#include "data_helpers.h"

#include "board/board.h"
#include "board/game_screen.h"
#include "shell/flow.h"
#include "board/menu.h"
#include "tools/art/palettes.h"
#include "video/font.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <numeric>
#include <utility>

namespace {

double contrast(double a, double b) { return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05); }

bool in_range(int index, ArtRange range) { return index >= range.first && index < range.first + range.count; }

uint8_t screen_at(int x, int y) { return display.back_buffer[(size_t)y * display.pitch + x]; }

int commonest(const std::map<int, int>& counts)
{
    return std::max_element(counts.begin(), counts.end(), [](auto& a, auto& b) { return a.second < b.second; })->first;
}

// The commonest colour in a box of a screen and the brightest colour that
// covers at least `least` pixels of it: a background and the text on it.
std::pair<int, int> ground_and_text(int x0, int y0, int x1, int y1, const uint8_t* palette, int least)
{
    std::map<int, int> counts;
    for (int y = y0; y <= y1; y++)
        for (int x = x0; x <= x1; x++)
            counts[screen_at(x, y)]++;
    int ground = commonest(counts), text = ground;
    for (auto [index, count] : counts)
        if (count >= least && luminance(palette, index) > luminance(palette, text))
            text = index;
    return {ground, text};
}

// The lit pixels (those a glyph fills, not its dark edge) of a text drawn
// at (10, 20).
std::vector<std::pair<int, int>> lit_pixels(const char* text)
{
    display_clear(0);
    draw_text(10, 20, text, ALIGN_LEFT, nullptr);
    std::vector<std::pair<int, int>> lit;
    for (int y = 0; y < 60; y++)
        for (int x = 0; x < 640; x++)
            if (palette_lightness(GamePalette, screen_at(x, y)) > 0.5)
                lit.push_back({x, y});
    return lit;
}

using DataLegibility = GameData;

// The digits are centred on the score's line.
TEST_F(DataLegibility, ScoresRingLettersSmallPrintAndTheMenusTilesReadClearly)
{
    for (int d = 0; d < 10; d++) {
        const ImageRecord* digit = table_image(DigitImages, d);
        EXPECT_NEAR(image_y_offset(digit) + image_height(digit) / 2.0, 0, 3.0) << "digit " << d;
    }
    const uint8_t* field = GameBackground;
    auto gold = [&](int x, int y) { return in_range(field[y * 640 + x], range_gold()); };
    // The plaque's gold rim, found from the middle of the score's line.
    int right = 639, left = SCORE_CENTRE_X, top = SCORE_Y, bottom = SCORE_Y;
    while (right > SCORE_CENTRE_X && !gold(right, SCORE_Y))
        right--;
    while (left > 400 && !gold(left, SCORE_Y))
        left--;
    const int middle = (left + right) / 2;
    while (top > 0 && !gold(middle, top))
        top--;
    while (bottom < 479 && !gold(middle, bottom))
        bottom++;
    ASSERT_GT(right - left, 100) << "the plaque's rim is not found";
    // The same margin to the screen's edge as the menu button's rim.
    int button_left = 0, button_row = MENU_BUTTON_Y + MENU_BUTTON_HEIGHT / 2;
    display_clear(0);
    draw_runs(nullptr, 0, 0, table_image(MenuButtonImages, 0));
    while (button_left < 200 && !in_range(screen_at(button_left, button_row), range_gold()))
        button_left++;
    EXPECT_NEAR(639 - right, button_left, 1);

    for (int32_t score : {0, 99999, 999999}) {
        display_restore_background(GameBackground);
        board.score = score;
        score_draw();
        int digit_pixels = 0;    // and their box
        Box digits;
        for (int y = 0; y < 480; y++)
            for (int x = 0; x < 640; x++)
                if (screen_at(x, y) != field[y * 640 + x]) {
                    digit_pixels++;
                    digits.add(x, y);
                    ASSERT_TRUE(x > left && x < right && y > top && y < bottom)
                        << "score " << score << ": a digit's pixel at " << x << ", " << y << " lies on or outside the plaque "
                        << left << ".." << right << " x " << top << ".." << bottom;
                }
        EXPECT_GT(digit_pixels, 50) << "score " << score;
        // and the digits keep clear of the rim on both sides
        EXPECT_GE(digits.left - left, 4) << "score " << score;
        EXPECT_GE(right - digits.right, 4) << "score " << score;
    }
    // The selection ring stands out from the sky and the stars.
    // What lies around the cells: the sky and the garden, and the stars.
    // The sky's lightness is taken at its 99.5th percentile: the rest are
    // the faint fringes of stars and a few moonlit grass blades, which the
    // ring's dark edges keep apart.
    double star = 0;
    for (int i = 0; i < 640 * 480; i++)
        if (in_range(GameBackground[i], range_light()))
            star = std::max(star, luminance(GamePalette, GameBackground[i]));
    std::vector<double> around;
    for (const CellCentre& c : cell_centres)
        for (int y = c.y - 24; y <= c.y + 24; y++)
            for (int x = c.x - 24; x <= c.x + 24; x++) {
                double d = std::hypot(x - c.x, y - c.y);
                int p = GameBackground[y * 640 + x];
                if (d >= 18 && d <= 24 && (in_range(p, range_sky()) || in_range(p, range_leaf())))
                    around.push_back(luminance(GamePalette, p));
            }
    std::sort(around.begin(), around.end());
    double sky = around[around.size() * 995 / 1000];
    ASSERT_GT(star, 0.5);
    for (int f = 0; f < SelectionRingImages.count; f++) {
        // the band: the commonest colour where the ring runs round the moth
        const ImageRecord* ring = table_image(SelectionRingImages, f);
        std::map<int, int> counts;
        const uint8_t* pixels = image_pixels(ring);
        for (int y = 0; y < image_height(ring); y++)
            for (int x = 0; x < image_width(ring); x++) {
                double d = std::hypot(x + image_x_offset(ring), y + image_y_offset(ring));
                if (d >= 14.5 && d <= 17.5 && pixels[y * image_width(ring) + x])
                    counts[pixels[y * image_width(ring) + x]]++;
            }
        ASSERT_FALSE(counts.empty()) << "frame " << f;
        int band = commonest(counts);
        double l = luminance(GamePalette, band);
        const uint8_t* rgb = GamePalette + band * 3;
        EXPECT_GT(rgb[0], rgb[2] + 20) << "frame " << f << ": the ring is warm";
        EXPECT_GE(contrast(l, sky), 3.0) << "frame " << f << ": band " << l << " on the sky " << sky;
        EXPECT_GE(contrast(l, star), 3.0) << "frame " << f << ": band " << l << " by a star " << star;
    }
    // Letters that do not pass for one another and words that stand apart.
    // The lit shapes of I and l, aligned at their feet and left sides.
    auto shape = [](const char* letter) {
        std::vector<std::pair<int, int>> lit = lit_pixels(letter);
        Box box;
        for (auto [x, y] : lit)
            box.add(x, y);
        std::vector<bool> grid(20 * 20, false);
        for (auto [x, y] : lit)
            if (x - box.left < 20 && box.bottom - y < 20)
                grid[(box.bottom - y) * 20 + x - box.left] = true;
        return grid;
    };
    std::vector<bool> capital = shape("I"), small = shape("l");
    int differing =
        std::inner_product(capital.begin(), capital.end(), small.begin(), 0, std::plus<>(), std::not_equal_to<>());
    EXPECT_GE(differing, 5) << "I and l are told apart by more than their height";

    // A word gap is much wider than any gap between the letters of a word.
    std::vector<bool> columns(640, false);
    for (auto [x, y] : lit_pixels("Moth Keeper"))
        columns[x] = true;
    std::vector<int> gaps;
    int first = std::find(columns.begin(), columns.end(), true) - columns.begin();
    for (int x = first, run = 0; x < 640; x++) {    // a run of blank columns after the last lit one is no gap
        if (!columns[x])
            run++;
        else if (run > 0)
            gaps.push_back(std::exchange(run, 0));
    }
    ASSERT_GE(gaps.size(), 2u);
    std::sort(gaps.begin(), gaps.end());
    int word = gaps.back(), letters = gaps[gaps.size() - 2];
    EXPECT_GE(word, 2.5 * letters) << "the word gap is " << word << " pixels, letters stand up to " << letters << " apart";
    EXPECT_LE(word, 16) << "and not so wide that the name falls apart";
    // The title over its sky, as the title screen paints it.
    for (int y = 0; y < 480; y++)
        fill_rect(0, y, 640, 1, (uint8_t)(y % 255));
    draw_fill_runs(nullptr, 0, 0, TitlePicture);
    auto [title_ground, title_text] = ground_and_text(150, 450, 490, 474, TitlePalette, 40);
    EXPECT_GE(contrast(luminance(TitlePalette, title_ground), luminance(TitlePalette, title_text)), 4.5);

    // The end picture's hint lies on a plate of its own, whatever board is
    // under it: over two different screens the same pixels show round it.
    const ImageRecord* still = table_image(MainScreenImages, END_STILL);
    std::vector<bool> covered = covered_by_runs(still);
    std::vector<uint8_t> screen = screen_with(still);
    Box text;
    for (int y = 320; y < 400; y++)
        for (int x = 0; x < 640; x++)
            if (in_range(screen[(size_t)y * 640 + x], range_text()) &&
                palette_lightness(GamePalette, screen[(size_t)y * 640 + x]) > 0.7)
                text.add(x, y);
    ASSERT_GT(text.width(), 81) << "the hint is not found below the banner";
    for (int y = text.top - 3; y <= text.bottom + 3; y++)
        for (int x = text.left - 4; x <= text.right + 4; x++)
            ASSERT_TRUE(covered[(size_t)y * 640 + x]) << "the board shows through at " << x << ", " << y;
    auto [plate, hint] = ground_and_text(text.left - 4, text.top - 3, text.right + 4, text.bottom + 3, GamePalette, 40);
    EXPECT_GE(contrast(luminance(GamePalette, plate), luminance(GamePalette, hint)), 4.5);
    // The menu's tiles are equal, evenly spaced and chosen where they are drawn.
    std::vector<uint8_t> panel = screen_with(table_image(MenuImages, MENU_PANEL_PICTURE));
    std::vector<Box> tiles(MENU_ITEMS);
    for (int item = 0; item < MENU_ITEMS; item++) {
        Box& box = tiles[item];
        for (int f = 0; f < MenuItemImages[item].count; f++) {
            const ImageRecord* highlight = table_image(MenuItemImages[item], f);
            // the highlight drawn on the open panel: which pixels it changes
            display_restore_background(panel.data());
            draw_runs(nullptr, 0, 0, highlight);
            auto changed = [&](int x, int y) { return screen_at(x, y) != panel[(size_t)y * 640 + x]; };
            for (int y = 0; y < 480; y++)
                for (int x = 0; x < 640; x++)
                    if (changed(x, y)) {
                        // a highlighted pixel is one the pointer chooses the item at
                        ASSERT_EQ(menu_item_at(x, y), item) << "frame " << f << " at " << x << ", " << y;
                        box.add(x, y);
                    }
            // Round the rounded tile, the picture leaves the panel as it is:
            // its corners draw nothing or the panel's own pixels.
            int left = image_x_offset(highlight), right = left + image_width(highlight) - 1;
            int top = image_y_offset(highlight), bottom = top + image_height(highlight) - 1;
            for (int x : {left, left + 1, right - 1, right})
                for (int y : {top, top + 1, bottom - 1, bottom})
                    EXPECT_FALSE(changed(x, y)) << "item " << item << " frame " << f << " corner";
        }
        ASSERT_GT(box.width(), 41) << "item " << item << " has no highlight";
    }
    for (int item = 1; item < MENU_ITEMS; item++) {
        EXPECT_EQ(tiles[item].width(), tiles[0].width()) << "item " << item;
        EXPECT_EQ(tiles[item].height(), tiles[0].height()) << "item " << item;
        EXPECT_EQ(tiles[item].top - tiles[item - 1].top, tiles[1].top - tiles[0].top) << "item " << item;
    }
    // two columns
    EXPECT_EQ(tiles[MENU_NEW_GAME].left, tiles[MENU_QUIT].left);
    EXPECT_EQ(tiles[MENU_SOUND].left, tiles[MENU_CONTINUE].left);

    // The panel's glass is dithered, not laid in flat bands: down a column
    // clear of the tiles, no colour runs on for long.
    int x = tiles[MENU_QUIT].left - 12, run = 1, longest = 1;
    for (int y = tiles[0].top + 1; y < tiles[MENU_ITEMS - 1].bottom; y++) {
        run = panel[(size_t)y * 640 + x] == panel[(size_t)(y - 1) * 640 + x] ? run + 1 : 1;
        longest = std::max(longest, run);
    }
    EXPECT_LE(longest, 24) << "a flat band down x " << x;
}

}  // namespace
