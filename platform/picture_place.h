// Where the 640 x 480 picture lies in the area a window or a page gives it:
// one rule for the desktop and the browser.
#pragma once

#include "platform/settings.h"

// In the area's own pixels; the rest of the area is black bars.
struct PictureRect {
    int x, y, width, height;
};

// The picture centred with its 4:3 shape kept: with SCALE_INTEGER the
// largest whole multiple of its size that fits (the largest fit when not
// even one does), so every pixel is as wide as every other; with SCALE_FIT
// the largest size that fits.
PictureRect picture_place(int area_width, int area_height, PictureScale scale);

// The rule of a page whose player has chosen nothing yet: a whole multiple
// when it reaches 75 % of the largest fit, else the largest fit.
PictureRect picture_place_near_whole(int area_width, int area_height);
