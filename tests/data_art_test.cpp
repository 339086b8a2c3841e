// How the art is made: every element keeps to its own colours, soft edges
// fall away cleanly, and the five moths stay apart for players who do not
// tell red from green.
#include "data_helpers.h"

#include "tools/art/art.h"
#include "tools/art/palettes.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

bool in_ranges(int index, const ArtRanges& ranges)
{
    for (const ArtRange& r : ranges)
        if (index >= r.first && index < r.first + r.count)
            return true;
    return false;
}

TEST(DataArt, EachElementOfAPictureKeepsToItsOwnColours)
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
    ArtQuantize how;
    how.alpha_cutoff = 0;
    how.dither = 1.0;
    std::vector<uint8_t> indices = art_quantize(picture, art_game_palette(), how);
    for (int y = 0; y < 32; y++)
        for (int x = 0; x < 64; x++) {
            int index = indices[(size_t)y * 64 + x];
            bool inside = (x + 0.5 - 32) * (x + 0.5 - 32) + (y + 0.5 - 16) * (y + 0.5 - 16) < 9 * 9;
            bool outside = (x + 0.5 - 32) * (x + 0.5 - 32) + (y + 0.5 - 16) * (y + 0.5 - 16) > 11 * 11;
            if (inside) {
                EXPECT_TRUE(in_ranges(index, {range_moth(2)})) << x << ", " << y << ": " << index;
            } else if (outside) {
                EXPECT_TRUE(in_ranges(index, {range_sky()})) << x << ", " << y << ": " << index;
            }
        }
    art_picture_free(picture);
}

TEST(DataArt, SoftEdgesBelowTheCutoffAreLeftOutOfSpritesAndRunPictures)
{
    ArtPicture picture = art_picture_create(20, 20, {range_light()});
    art_draw(picture, 0, 0.0, [](cairo_t* cr) {
        cairo_set_source_rgba(cr, 1, 1, 1, 1);
        cairo_rectangle(cr, 5, 5, 10, 10);
        cairo_fill(cr);
        cairo_set_source_rgba(cr, 1, 1, 1, 0.2);
        cairo_rectangle(cr, 0, 0, 20, 3);
        cairo_fill(cr);
    });
    ArtQuantize how;
    how.alpha_cutoff = 0.5;
    std::vector<uint8_t> sprite = art_quantize(picture, art_game_palette(), how);
    EXPECT_EQ(sprite[0], 0) << "a faint pixel of a sprite is transparent";
    EXPECT_NE(sprite[10 * 20 + 10], 0);
    RunImage runs = art_quantize_runs(picture, art_game_palette(), how);
    EXPECT_EQ(runs.pixels[0], SKIP);
    EXPECT_EQ(runs.pixels[10 * 20 + 19], SKIP) << "nothing drawn is skipped";
    EXPECT_NE(runs.pixels[10 * 20 + 10], SKIP);
    RunImage cropped = art_crop(runs);
    EXPECT_EQ(cropped.x_offset, 5);
    EXPECT_EQ(cropped.y_offset, 5);
    EXPECT_EQ(cropped.width, 10);
    EXPECT_EQ(cropped.height, 10);
    art_picture_free(picture);
}

// Average colour of the steady moth of a colour, as a colour-blind player
// would see it, in CIE L*a*b*.
struct Lab {
    double l, a, b;
};

double linear(double v) { return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); }

Lab moth_as_seen(int colour, const double (*simulation)[3])
{
    const ImageRecord* moth = table_image(MothImages[colour], 19);
    const uint8_t* pixels = image_pixels(moth);
    double sum[3] = {0, 0, 0};
    int count = 0;
    for (int i = 0; i < image_width(moth) * image_height(moth); i++) {
        if (!pixels[i])
            continue;
        double rgb[3];
        for (int c = 0; c < 3; c++)
            rgb[c] = linear(GamePalette[pixels[i] * 3 + c] / 63.0);
        for (int c = 0; c < 3; c++)
            sum[c] += simulation[c][0] * rgb[0] + simulation[c][1] * rgb[1] + simulation[c][2] * rgb[2];
        count++;
    }
    double r = sum[0] / count, g = sum[1] / count, b = sum[2] / count;
    double x = (0.4124 * r + 0.3576 * g + 0.1805 * b) / 0.9505;
    double y = 0.2126 * r + 0.7152 * g + 0.0722 * b;
    double z = (0.0193 * r + 0.1192 * g + 0.9505 * b) / 1.089;
    auto f = [](double t) { return t > 0.008856 ? std::cbrt(t) : 7.787 * t + 16.0 / 116.0; };
    return Lab{116 * f(y) - 16, 500 * (f(x) - f(y)), 200 * (f(y) - f(z))};
}

TEST(DataArt, TheFiveMothsStayApartForPlayersWhoConfuseRedAndGreen)
{
    REQUIRE_DATA();
    bind_game_data();
    // Full-strength simulations of deuteranopia and protanopia (Machado, Oliveira and Fernandes).
    const double normal[3][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
    const double deutan[3][3] = {{0.367322, 0.860646, -0.227968}, {0.280085, 0.672501, 0.047413}, {-0.011820, 0.042940, 0.968881}};
    const double protan[3][3] = {{0.152286, 1.052583, -0.204868}, {0.114503, 0.786281, 0.099216}, {-0.003882, -0.048116, 1.051998}};
    for (const auto* simulation : {normal, deutan, protan}) {
        Lab seen[5];
        for (int c = 0; c < 5; c++)
            seen[c] = moth_as_seen(c, simulation);
        for (int a = 0; a < 5; a++)
            for (int b = a + 1; b < 5; b++) {
                double distance = std::hypot(seen[a].l - seen[b].l, seen[a].a - seen[b].a, seen[a].b - seen[b].b);
                EXPECT_GT(distance, 12.0) << "moths " << a << " and " << b
                                          << (simulation == normal ? "" : simulation == deutan ? " (deuteranope)" : " (protanope)");
            }
    }
}

TEST(DataArt, TheMothRampsRunFromShadowToHighlight)
{
    const ArtPalette& palette = art_game_palette();
    for (int colour = 0; colour < 5; colour++) {
        double previous = -1;
        for (int i = 0; i < PAL_MOTH_SIZE; i++) {
            uint8_t c[3];
            art_palette_rgb8(palette, PAL_MOTH + colour * PAL_MOTH_SIZE + i, c);
            double lightness = 0.2126 * linear(c[0] / 255.0) + 0.7152 * linear(c[1] / 255.0) + 0.0722 * linear(c[2] / 255.0);
            EXPECT_GE(lightness, previous) << "colour " << colour << ", step " << i;
            previous = lightness;
        }
    }
}

TEST(DataArt, ColoursAreMatchedAsTheScreenShowsThem)
{
    ASSERT_TRUE(display_create());
    for (const ArtPalette* palette : {&art_game_palette(), &art_title_palette(), &art_logo_palette()}) {
        display_set_palette(palette->six);
        for (int i = 0; i < 256; i++) {
            uint8_t rgb[3];
            art_palette_rgb8(*palette, i, rgb);
            for (int c = 0; c < 3; c++)
                ASSERT_EQ(rgb[c], display.rgb[i * 3 + c]) << "colour " << i;
        }
    }
}

}  // namespace
