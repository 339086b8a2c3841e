// Where the picture lies in a window or a page, and where the game's pointer
// is for a position of the system mouse, whatever the scale and the black bars.
#include "sdl_helpers.h"

#include "platform/web/web_rules.h"

#include <algorithm>
#include <array>

namespace {

// A window position mapped with the window as big as its drawable area.
std::pair<int, int> map(int width, int height, int x, int y, PictureScale scale = SCALE_INTEGER)
{
    int px, py;
    sdl_window_to_picture(picture_place(width, height, scale), width, height, width, height, x, y, &px, &py);
    return {px, py};
}

// A chosen scale places the picture alike on the desktop and in the page; a
// page whose player chose nothing takes a whole multiple only when it
// reaches 75 % of the largest fit (853 and 854 pixels wide lie either side).
TEST(PicturePlacement, WholeMultiplesLeaveBlackBarsTheFitFillsOneWayAndThePageButtonSwitches)
{
    static const PictureScale WHOLE = SCALE_INTEGER, FIT = SCALE_FIT, *PAGE = nullptr;
    struct Case { int width, height; const PictureScale* scale; PictureRect rect; };
    const Case cases[] = {
        {1920, 1080, &WHOLE, {320, 60, 1280, 960}},    // 2x, though 2.25x would fit
        {1279, 959, &WHOLE, {319, 239, 640, 480}},     // a pixel short of 2x: 1x, never 1.99x
        {1920, 1080, &FIT, {240, 0, 1440, 1080}},
        {1000, 1200, &FIT, {0, 225, 1000, 750}},       // tall: bars above and below
        {500, 500, &WHOLE, {0, 62, 500, 375}},         // smaller than the picture: shrunk, its shape kept
        {1920, 1080, PAGE, {320, 60, 1280, 960}},      {1000, 774, PAGE, {0, 12, 1000, 750}},
        {853, 640, PAGE, {106, 80, 640, 480}},         {854, 641, PAGE, {0, 0, 854, 640}},
    };
    auto vec = [](PictureRect r) { return std::vector<int>{r.x, r.y, r.width, r.height}; };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << "x" << c.height << " " << (c.scale ? (int)*c.scale : -1));
        EXPECT_EQ(vec(web_picture_rect(c.width, c.height, c.scale)), vec(c.rect));
        if (c.scale) {
            EXPECT_EQ(vec(picture_place(c.width, c.height, *c.scale)), vec(c.rect));
        }
    }
    // The page's scale button picks the other one of what is on show.
    EXPECT_EQ(web_next_scale(PAGE, 1920, 1080), SCALE_FIT);       // 2x on show
    EXPECT_EQ(web_next_scale(PAGE, 1000, 774), SCALE_INTEGER);    // the largest fit on show
    EXPECT_EQ(web_next_scale(&WHOLE, 1000, 774), SCALE_FIT);
    EXPECT_EQ(web_next_scale(&FIT, 1000, 774), SCALE_INTEGER);

    // On every area the picture keeps its shape within the area.
    for (PictureScale scale : {SCALE_INTEGER, SCALE_FIT})
    for (int width = 200; width <= 4000; width += 37)
        for (int height = 150; height <= 2400; height += 41) {
            PictureRect r = picture_place(width, height, scale);
            ASSERT_TRUE(r.x >= 0 && r.y >= 0 && r.x + r.width <= width && r.y + r.height <= height)
                << width << "x" << height;
            // 4:3 within a pixel of rounding, and touching two opposite edges
            // unless a whole multiple was taken.
            ASSERT_LE(std::abs(r.width * 3 - r.height * 4), 4) << width << "x" << height;
            bool whole = r.width % 640 == 0 && r.height == r.width * 3 / 4;
            bool fills = r.width == width || r.height == height;
            if (scale == SCALE_FIT || width < 640 || height < 480)
                ASSERT_TRUE(fills) << width << "x" << height;
            else
                ASSERT_TRUE(whole && (r.width + 640 > width || r.height + 480 > height)) << width << "x" << height;
        }
}

TEST(SdlWindowSize, ANewWindowIsTheLargestWholeMultipleThatFitsWithRoomForItsFrame)
{
    struct Case { int usable_width, usable_height, multiple; };
    const Case cases[] = {
        {1920, 1050, 2}, {1920, 1080, 2}, {2560, 1400, 2}, {3840, 2120, 4}, {2560, 1600, 3},
        {1366, 738, 1}, {1280, 1024, 1},    // 2x would touch the edges: no room for the frame
        {800, 600, 1}, {600, 400, 1},       // never less than once
    };
    for (const Case& c : cases)
        EXPECT_EQ(sdl_window_multiple(c.usable_width, c.usable_height), c.multiple)
            << c.usable_width << "x" << c.usable_height;

    // A remembered size (900 x 700) is kept while it fits the desktop or the
    // desktop is not known; on a smaller desktop the rule again.
    for (auto [remembered, usable_width, usable_height, width, height] :
         {std::array{1, 1920, 1050, 900, 700}, {1, 0, 0, 900, 700}, {1, 800, 600, 640, 480}, {0, 3840, 2120, 2560, 1920}}) {
        Settings settings;
        if (remembered)
            settings.window_width = 900, settings.window_height = 700;
        int w, h;
        sdl_window_size(settings, usable_width, usable_height, &w, &h);
        EXPECT_EQ(std::make_pair(w, h), std::make_pair(width, height)) << usable_width << "x" << usable_height;
    }
}

// On the bars a position lies outside the picture, for the game to clamp.
TEST(SdlPointerMapping, WindowPositionsLandOnPicturePixelsWhateverTheScale)
{
    struct Case { int width, height; PictureScale scale; int x, y, px, py; };
    const Case cases[] = {
        {1280, 960, SCALE_INTEGER, 0, 0, 0, 0},           {1280, 960, SCALE_INTEGER, 1279, 959, 639, 479},
        {1280, 960, SCALE_INTEGER, 641, 481, 320, 240},   {640, 480, SCALE_INTEGER, 639, 479, 639, 479},
        {1920, 1080, SCALE_INTEGER, 320, 60, 0, 0},       {1920, 1080, SCALE_INTEGER, 1599, 1019, 639, 479},
        {1920, 1080, SCALE_INTEGER, 319, 59, -1, -1},     {1920, 1080, SCALE_INTEGER, 1600, 1020, 640, 480},
        {1920, 1080, SCALE_INTEGER, 0, 0, -160, -30},     {1366, 768, SCALE_FIT, 171, 0, 0, 0},
        {1366, 768, SCALE_FIT, 1194, 767, 639, 479},      {1366, 768, SCALE_FIT, 683, 384, 320, 240},
    };
    for (const Case& c : cases)
        EXPECT_EQ(map(c.width, c.height, c.x, c.y, c.scale), std::make_pair(c.px, c.py))
            << c.x << ", " << c.y << " in " << c.width << "x" << c.height;
    // 1.6 screen pixels per picture pixel: every picture column is reached.
    std::vector<bool> reached(640);
    for (int x = 171; x < 171 + 1024; x++)
        reached[map(1366, 768, x, 0, SCALE_FIT).first] = true;
    EXPECT_EQ(std::count(reached.begin(), reached.end(), true), 640);
    // A high-density screen: a 640 x 480 window drawn with 1280 x 960 pixels
    // counts window points, not pixels.
    int px, py;
    sdl_window_to_picture(picture_place(1280, 960, SCALE_INTEGER), 640, 480, 1280, 960, 639, 479, &px, &py);
    EXPECT_EQ(std::make_pair(px, py), std::make_pair(639, 479));
}

using SdlPointer = SdlMachine;
using Mouse = std::array<int, 7>;    // has position, x, y, dx, dy, left, right

// The picture at 2x from (320, 60): the game's pointer follows the system
// mouse on it. A click between two reads reads as one press; in the
// background nothing is pressed.
TEST_F(SdlPointer, ThePointerFollowsTheMouseAndAClickBetweenTwoReadsIsOnePress)
{
    auto read = [&] {
        PlatformMouse m;
        sdl->read_mouse(&m);
        return Mouse{m.has_position, m.x, m.y, m.dx, m.dy, m.left, m.right};
    };
    SDL_SetWindowSize(sdl_window(), 1920, 1080);
    activate();
    SDL_WarpMouseInWindow(sdl_window(), 961, 541);
    EXPECT_EQ(read(), (Mouse{1, 320, 240, 0, 0, 0, 0}));
    EXPECT_EQ(read(), (Mouse{0, 0, 0, 0, 0, 0, 0}));    // unmoved: no new position and no motion
    push_button(SDL_BUTTON_LEFT, true);
    push_button(SDL_BUTTON_LEFT, false);
    push_button(SDL_BUTTON_RIGHT, true);
    EXPECT_EQ(read(), (Mouse{0, 0, 0, 0, 0, 0x80, 0x80}));
    EXPECT_EQ(read(), (Mouse{0, 0, 0, 0, 0, 0, 0x80}));    // the right one still held
    push_button(SDL_BUTTON_RIGHT, false);
    push_button(SDL_BUTTON_MIDDLE, true);
    EXPECT_EQ(read(), (Mouse{0, 0, 0, 0, 0, 0, 0}));
    push_button(SDL_BUTTON_LEFT, true);
    push_window_event(SDL_WINDOWEVENT_FOCUS_LOST);
    SDL_WarpMouseInWindow(sdl_window(), 100, 100);
    EXPECT_EQ(read(), (Mouse{0, 0, 0, 0, 0, 0, 0}));
}

}  // namespace
