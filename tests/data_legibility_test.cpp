// What the player must be able to read in the generated pictures: the
// score inside its plaque, the selected moth's ring against the night,
// the menu's tiles under the pointer that chooses them, letters that do
// not pass for one another, and the small print of the title and the end.
#include "data_helpers.h"

#include "board/board.h"
#include "board/game_screen.h"
#include "shell/flow.h"
#include "shell/menu.h"
#include "tools/art/palettes.h"
#include "video/font.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>

namespace {

bool in_range(int index, ArtRange range) { return index >= range.first && index < range.first + range.count; }

uint8_t screen_at(int x, int y) { return display.back_buffer[(size_t)y * display.pitch + x]; }

TEST(DataLegibility, ScoresOfUpToSixDigitsStayInsideTheirPlaque)
{
    REQUIRE_DATA();
    bind_game_data();
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
    int button_left = 0;
    int button_row = MENU_BUTTON_Y + MENU_BUTTON_HEIGHT / 2;
    display_clear(0);
    draw_runs(nullptr, 0, 0, table_image(MenuButtonImages, 0));
    while (button_left < 200 && !in_range(screen_at(button_left, button_row), range_gold()))
        button_left++;
    EXPECT_NEAR(639 - right, button_left, 1);

    for (int32_t score : {0, 99999, 999999}) {
        display_restore_background(GameBackground);
        board.score = score;
        score_draw();
        int digit_pixels = 0, lowest = 640, highest = -1;
        for (int y = 0; y < 480; y++)
            for (int x = 0; x < 640; x++)
                if (screen_at(x, y) != field[y * 640 + x]) {
                    digit_pixels++;
                    lowest = std::min(lowest, x);
                    highest = std::max(highest, x);
                    ASSERT_TRUE(x > left && x < right && y > top && y < bottom)
                        << "score " << score << ": a digit's pixel at " << x << ", " << y << " lies on or outside the plaque "
                        << left << ".." << right << " x " << top << ".." << bottom;
                }
        EXPECT_GT(digit_pixels, 50) << "score " << score;
        // and the digits keep clear of the rim on both sides
        EXPECT_GE(lowest - left, 4) << "score " << score;
        EXPECT_GE(right - highest, 4) << "score " << score;
    }
}

}  // namespace
