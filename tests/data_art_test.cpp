// How the art is made, and what it must keep to: own colours, moths told apart, warm light.
#include "data_helpers.h"

#include "tools/art/art.h"
#include "tools/art/palettes.h"
#include "tools/art/vision.h"
#include "tools/packtool/contents.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>

namespace {

bool in_range(int index, ArtRange range) { return index >= range.first && index < range.first + range.count; }

// How an eye of the kind `vision` sees a linear-light colour.
Lab seen_as(Vision vision, const double linear[3])
{
    double seen[3];
    vision_simulate(vision, linear, seen);
    return lab_from_linear(seen);
}

TEST(ArtMaking, EachElementOfAPictureKeepsToItsOwnColours)
{
    ArtPicture picture = art_picture_create(64, 32, {range_sky()});
    art_paint(picture, [](cairo_t* cr) {
        cairo_pattern_t* g = cairo_pattern_create_linear(0, 0, 64, 0);
        cairo_pattern_add_color_stop_rgb(g, 0, 0, 0, 0.2);
        cairo_pattern_add_color_stop_rgb(g, 1, 1, 1, 1);
        cairo_set_source(cr, g);
        cairo_paint(cr);
        cairo_pattern_destroy(g);
    });
    // A red disc owned by the crimson moth's ramp, drawn over a gradient.
    int moth = art_element(picture, {range_moth(2)});
    art_draw(picture, moth, 0.5, [](cairo_t* cr) {
        cairo_set_source_rgb(cr, 0.9, 0.1, 0.1);
        cairo_arc(cr, 32, 16, 10, 0, 2 * M_PI);
        cairo_fill(cr);
    });
    std::vector<uint8_t> indices = art_quantize(picture, art_game_palette(), {.alpha_cutoff = 0, .dither = 1.0});
    for (int y = 0; y < 32; y++)
        for (int x = 0; x < 64; x++) {
            int index = indices[(size_t)y * 64 + x];
            double d = std::hypot(x + 0.5 - 32, y + 0.5 - 16);
            EXPECT_TRUE((d >= 9 && d <= 11) || in_range(index, d < 9 ? range_moth(2) : range_sky()))
                << x << ", " << y << ": " << index;
        }
    art_picture_free(picture);
}

TEST(ArtMaking, TheColourVisionSimulationsMatchKnownColoursAndSoftEdgesAreLeftOutOfSpritesAndRuns)
{
    const double white[3] = {1, 1, 1}, red[3] = {1, 0, 0};
    for (int v = 0; v < VISION_COUNT; v++) {
        Lab lab = seen_as((Vision)v, white);
        EXPECT_NEAR(lab.l, 100.0, 0.5) << vision_name((Vision)v);
        EXPECT_NEAR(std::hypot(lab.a, lab.b), 0.0, 1.0) << vision_name((Vision)v);
    }
    // sRGB red is L*a*b* (53.24, 80.09, 67.20); red and green, far apart
    // for normal eyes, come close for a deuteranope.
    Lab lab = seen_as(VISION_NORMAL, red);
    EXPECT_NEAR(lab.l, 53.24, 0.1);
    EXPECT_NEAR(lab.a, 80.09, 0.2);
    EXPECT_NEAR(lab.b, 67.20, 0.2);
    const double leaf[3] = {srgb_to_linear(0.30), srgb_to_linear(0.45), srgb_to_linear(0.10)};
    const double rust[3] = {srgb_to_linear(0.55), srgb_to_linear(0.38), srgb_to_linear(0.12)};
    EXPECT_LT(delta_e76(seen_as(VISION_DEUTAN, leaf), seen_as(VISION_DEUTAN, rust)),
              0.5 * delta_e76(lab_from_linear(leaf), lab_from_linear(rust)));
    // Soft edges below the cutoff are left out of sprites and run pictures.
    ArtPicture picture = art_picture_create(20, 20, {range_light()});
    art_draw(picture, 0, 0.0, [](cairo_t* cr) {
        cairo_set_source_rgba(cr, 1, 1, 1, 1);
        cairo_rectangle(cr, 5, 5, 10, 10);
        cairo_fill(cr);
        cairo_set_source_rgba(cr, 1, 1, 1, 0.2);
        cairo_rectangle(cr, 0, 0, 20, 3);
        cairo_fill(cr);
    });
    ArtQuantize how{.alpha_cutoff = 0.5};
    std::vector<uint8_t> sprite = art_quantize(picture, art_game_palette(), how);
    EXPECT_EQ(sprite[0], 0) << "a faint pixel of a sprite is transparent";
    EXPECT_NE(sprite[10 * 20 + 10], 0);
    RunImage runs = art_quantize_runs(picture, art_game_palette(), how);
    EXPECT_EQ(runs.pixels[0], SKIP);
    EXPECT_EQ(runs.pixels[10 * 20 + 19], SKIP) << "nothing drawn is skipped";
    EXPECT_NE(runs.pixels[10 * 20 + 10], SKIP);
    RunImage cropped = art_crop(runs);
    EXPECT_EQ((std::array{cropped.x_offset, cropped.y_offset, cropped.width, cropped.height}),
              (std::array{5, 5, 10, 10}));
    art_picture_free(picture);
}

// The mean colour of the steady moth of a colour, in the screen's colours.
Lab moth_as_seen(int colour, Vision vision)
{
    const ImageRecord* moth = table_image(MothImages[colour], 19);
    uint8_t rgb8[768];
    for (int i = 0; i < 768; i++)
        rgb8[i] = display_level8(GamePalette[i]);
    return vision_mean_colour(image_pixels(moth), image_width(moth) * image_height(moth), rgb8, vision);
}

// Which pixels of a raw sprite are drawn, on a 40 x 40 grid around its hot spot.
std::vector<bool> sprite_mask(const ImageRecord* image)
{
    std::vector<bool> mask(40 * 40, false);
    const uint8_t* pixels = image_pixels(image);
    for (int y = 0; y < image_height(image); y++)
        for (int x = 0; x < image_width(image); x++) {
            int gx = x + image_x_offset(image) + 20, gy = y + image_y_offset(image) + 20;
            if (pixels[y * image_width(image) + x] && gx >= 0 && gy >= 0 && gx < 40 && gy < 40)
                mask[gy * 40 + gx] = true;
        }
    return mask;
}

using DataArt = GameData;

// Any two steady moths stay apart in colour for every kind of colour vision
// and in grey; laid over each other at their hot spots they differ in at
// least a sixth of the pixels either covers: not one outline in other colours.
TEST_F(DataArt, TheFiveMothsStayApartInColourForEveryVisionInGreyAndInOutlineAndLeaveAsWarmLight)
{
    for (int a = 0; a < 5; a++)
        for (int b = a + 1; b < 5; b++) {
            for (int v = 0; v < VISION_COUNT; v++)
                EXPECT_GE(delta_e76(moth_as_seen(a, (Vision)v), moth_as_seen(b, (Vision)v)), 20.0)
                    << "moths " << a << " and " << b << ", " << vision_name((Vision)v);
            EXPECT_GE(std::fabs(moth_as_seen(a, VISION_NORMAL).l - moth_as_seen(b, VISION_NORMAL).l), 12.0)
                << "moths " << a << " and " << b << " in grey";
            std::vector<bool> first = sprite_mask(table_image(MothImages[a], 19));
            std::vector<bool> second = sprite_mask(table_image(MothImages[b], 19));
            int both = 0, either = 0;
            for (size_t i = 0; i < first.size(); i++) {
                both += first[i] && second[i];
                either += first[i] || second[i];
            }
            EXPECT_LT(both, either * 5 / 6) << "moths " << a << " and " << b << " share their outline";
        }
    auto warmth = [](const ImageRecord* image) {    // red less blue over the drawn pixels
        double warm = 0;
        for (int i = 0; i < image_width(image) * image_height(image); i++)
            if (uint8_t p = image_pixels(image)[i])
                warm += GamePalette[p * 3] - GamePalette[p * 3 + 2];
        return warm;
    };
    for (int f = 0; f < FlightImages.count; f++) {
        Box box = ink_box(table_image(FlightImages, f));
        EXPECT_GE(std::min(box.width(), box.height()), 12) << "flight frame " << f << " is a thin bar";
        EXPECT_GT(warmth(table_image(FlightImages, f)), 0) << "flight frame " << f << " is not warm light";
    }
    // The middle of a swap, where one moth has gone and the other not yet
    // come, is the same warm light for every colour.
    for (int c = 0; c < 5; c++) {
        EXPECT_GT(warmth(table_image(SwapFadeImages[c], 15)), 0) << "colour " << c;
        EXPECT_EQ(sprite_mask(table_image(SwapFadeImages[c], 15)), sprite_mask(table_image(SwapFadeImages[0], 15)));
    }
}

// The pack inspector shows pictures in the screen's colours too.
TEST(ArtMaking, TheMothRampsRiseAndColoursAreMatchedAndShownAsTheScreenShowsThem)
{
    for (int colour = 0; colour < 5; colour++)
        for (int i = 1; i < PAL_MOTH_SIZE; i++) {
            int at = PAL_MOTH + colour * PAL_MOTH_SIZE + i;
            EXPECT_GE(luminance(art_game_palette().six, at), luminance(art_game_palette().six, at - 1))
                << "colour " << colour << ", step " << i;
        }
    ASSERT_TRUE(display_create());
    for (const ArtPalette* palette : {&art_game_palette(), &art_title_palette(), &art_logo_palette()}) {
        display_set_palette(palette->six);
        uint8_t art[768], inspector[768];
        for (int i = 0; i < 256; i++)
            art_palette_rgb8(*palette, i, art + i * 3);
        palette_rgb8(Bytes(palette->six, palette->six + 768), inspector);
        ASSERT_EQ(0, std::memcmp(art, display.rgb, 768));
        ASSERT_EQ(0, std::memcmp(inspector, display.rgb, 768));
    }
}

}  // namespace
