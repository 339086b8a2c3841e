#include "platform/picture_place.h"

#include "platform/globals.h"

#include <algorithm>
#include <cstdint>

namespace {

enum class Whole { ALWAYS, NEVER, NEAR_FIT };

PictureRect place(int area_width, int area_height, Whole whole_rule)
{
    PictureRect rect = {0, 0, SCREEN_WIDTH, SCREEN_HEIGHT};
    if (area_width <= 0 || area_height <= 0)
        return rect;
    // The largest 4:3 picture that fits.
    if ((int64_t)area_width * 3 <= (int64_t)area_height * 4) {
        rect.width = area_width;
        rect.height = area_width * 3 / 4;
    } else {
        rect.height = area_height;
        rect.width = area_height * 4 / 3;
    }
    int whole = std::min(area_width / SCREEN_WIDTH, area_height / SCREEN_HEIGHT);
    bool use_whole = whole_rule == Whole::ALWAYS ||
                     (whole_rule == Whole::NEAR_FIT && whole * SCREEN_WIDTH * 100 >= rect.width * 75);
    if (whole >= 1 && use_whole) {
        rect.width = whole * SCREEN_WIDTH;
        rect.height = whole * SCREEN_HEIGHT;
    }
    rect.x = (area_width - rect.width) / 2;
    rect.y = (area_height - rect.height) / 2;
    return rect;
}

}  // namespace

PictureRect picture_place(int area_width, int area_height, PictureScale scale)
{
    return place(area_width, area_height, scale == SCALE_INTEGER ? Whole::ALWAYS : Whole::NEVER);
}

PictureRect picture_place_near_whole(int area_width, int area_height)
{
    return place(area_width, area_height, Whole::NEAR_FIT);
}
