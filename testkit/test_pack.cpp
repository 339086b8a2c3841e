// Placeholder packs: every entry the game reads, with small made-up images,
// so that tests and tools can bind resources without the real art. Each
// table holds as many pictures as the role table says the game needs.
#include "testkit/test_pack.h"

#include "resources/resources.h"
#include "video/display.h"

#include <span>

namespace {

// A palette of made-up colours; colour 0 is black.
Bytes placeholder_palette(int seed)
{
    Bytes out;
    for (int c = 0; c < 256; c++)
        out.insert(out.end(), {(uint8_t)((c + seed) % 64), (uint8_t)((c / 4 + seed * 3) % 64),
                               (uint8_t)((c * 3 + seed * 5) % 64)});
    out[0] = out[1] = out[2] = 0;
    return out;
}

// A w x h block of `colour` with its corners cut out (index 0).
std::vector<uint8_t> placeholder_pixels(int width, int height, int colour)
{
    std::vector<uint8_t> pixels((size_t)width * height, (uint8_t)colour);
    if (width > 2 && height > 2) {
        pixels[0] = pixels[(size_t)width - 1] = 0;
        pixels[(size_t)(height - 1) * width] = pixels[(size_t)height * width - 1] = 0;
    }
    return pixels;
}

Bytes raw_image(int x_offset, int y_offset, int width, int height, int colour)
{
    return encode_raw(x_offset, y_offset, width, height, placeholder_pixels(width, height, colour).data());
}

// `count` raw images centred on their drawing point, colour running on.
Bytes raw_table(int count, int width, int height, int first_colour)
{
    std::vector<Bytes> items;
    for (int i = 0; i < count; i++)
        items.push_back(raw_image(-width / 2, -height / 2, width, height, (first_colour + i) % 255 + 1));
    return make_table(items);
}

// A picture placed by its own offsets, as the game draws run images at (0, 0).
Bytes placed_image(int x, int y, int width, int height, int colour, bool fill_runs)
{
    std::vector<uint8_t> pixels = placeholder_pixels(width, height, colour);
    return fill_runs ? encode_fill_runs(x, y, width, height, pixels.data(), 0)
                     : encode_runs(x, y, width, height, pixels.data(), 0);
}

// `count` placed pictures in a row-by-row grid from (x, y).
Bytes placed_table(int count, int x, int y, int width, int height, int first_colour, bool fill_runs)
{
    std::vector<Bytes> items;
    for (int i = 0; i < count; i++) {
        int column = i % 16, row = i / 16;
        items.push_back(placed_image(x + column * (width + 2), y + row * (height + 2), width, height,
                                     (first_colour + i) % 255 + 1, fill_runs));
    }
    return make_table(items);
}

Bytes screen_picture()
{
    Bytes out(SCREEN_COPY_BYTES);
    for (int y = 0; y < 480; y++)
        for (int x = 0; x < 640; x++)
            out[(size_t)y * 640 + x] = (uint8_t)(16 + (x / 40 + y / 40) % 8);
    return out;
}

// Glyph c is 3 + c % 4 pixels wide and 8 high, its hot spot at the top left.
Bytes glyph_table()
{
    std::vector<Bytes> items;
    for (int c = 0; c < 256; c++)
        items.push_back(raw_image(0, 0, 3 + c % 4, 8, 15));
    return make_table(items);
}

Bytes sound_bank()
{
    std::vector<Bytes> samples;
    for (int k = 0; k < 13; k++)
        samples.push_back(Bytes((size_t)(32 + 8 * k), (uint8_t)(0x80 + k)));
    return make_sound_bank(samples);
}

// A table of as many pictures as the game needs of `entry`, stored as the
// role table says: raw images, or placed pictures in runs or fill-runs.
Bytes role_table(std::span<const PackRole> roles, int entry, int x, int y, int width, int height, int first_colour)
{
    const PackRole& role = *find_role(roles, entry);
    if (role.encoding == IMAGE_RAW)
        return raw_table(role.minimum, width, height, first_colour);
    return placed_table(role.minimum, x, y, width, height, first_colour, role.encoding == IMAGE_FILL_RUNS);
}
Bytes game_table(int entry, int x, int y, int width, int height, int first_colour)
{
    return role_table(GAME_PACK_ROLES, entry, x, y, width, height, first_colour);
}

}  // namespace

std::vector<Bytes> test_game_entries()
{
    std::vector<Bytes> entries(46);
    entries[0] = placeholder_palette(0);
    for (int k = 0; k < 5; k++) {
        entries[1 + k] = game_table(1 + k, 0, 0, 12, 12, 32 + 40 * k);
        entries[6 + k] = game_table(6 + k, 0, 0, 12, 12, 48 + 40 * k);
    }
    entries[11] = game_table(11, 0, 0, 16, 16, 200);
    entries[12] = screen_picture();
    entries[13] = game_table(13, 400, 440, 24, 16, 100);
    for (int k = 0; k < 4; k++)
        entries[14 + k] = game_table(14 + k, 40, 100 + 40 * k, 16, 12, 120 + k * 20);
    entries[18] = game_table(18, 0, 0, 20, 10, 60);
    for (int k = 0; k < 10; k++)
        entries[19 + k] = game_table(19 + k, 10 + 60 * k, 300, 2, 10, 70 + k);
    entries[29] = raw_image(0, 0, 8, 8, 255);
    entries[30] = game_table(30, 0, 0, 8, 12, 80);
    entries[31] = glyph_table();
    entries[32] = sound_bank();
    entries[33] = entries[34] = entries[36] = entries[37] = make_table({});
    entries[35] = game_table(35, 0, 0, 40, 8, 90);
    entries[38] = game_table(38, 0, 0, 30, 6, 110);
    entries[39] = game_table(39, 160, 120, 18, 10, 130);
    entries[40] = game_table(40, 0, 0, 36, 36, 140);
    entries[41] = make_text_table({"PLAYER", "HIGH SCORES", "NAME", "SCORE", "YOUR NAME", "PRESS A KEY",
                                   "GAME OVER", "WELL DONE"});
    entries[42] = game_table(42, 200, 200, 20, 20, 150);
    entries[43] = game_table(43, 0, 0, 10, 10, 160);
    entries[44] = placed_image(0, 0, 64, 32, 170, true);
    entries[45] = placeholder_palette(7);
    return entries;
}

Bytes make_test_game_pack() { return make_pack(test_game_entries()); }

std::vector<Bytes> test_logo_entries()
{
    return {placeholder_palette(3), role_table(LOGO_PACK_ROLES, 1, 0, 0, 36, 36, 180)};
}

Bytes make_test_logo_pack() { return make_pack(test_logo_entries()); }
