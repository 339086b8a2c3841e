// The colours of the game, chosen range by range.
#include "tools/art/palettes.h"

#include <cstring>

static ArtPalette make_game_palette()
{
    ArtPalette p;
    std::memset(p.six, 0, sizeof p.six);
    art_palette_set(p, 0, rgb_hex(0x000000));
    art_palette_set(p, PAL_BLACK, rgb_hex(0x000000));
    art_ramp(p, PAL_INK, PAL_INK_SIZE, {rgb_hex(0x020308), rgb_hex(0x080b18), rgb_hex(0x141a30), rgb_hex(0x2a3050)});

    // Moths: each ramp runs from the shadow at the wing's edge to its
    // highlight. Lightness differs from colour to colour as much as hue, so
    // the five can be told apart without telling red from green.
    const Rgb moths[5][6] = {
        // 0 ivory: the lightest, plain wings
        {rgb_hex(0x161a2e), rgb_hex(0x4a4a5e), rgb_hex(0x8e8a96), rgb_hex(0xc8c2bc), rgb_hex(0xeee8da), rgb_hex(0xffffff)},
        // 1 gold: light, dark spots
        {rgb_hex(0x1c1410), rgb_hex(0x5a3a0c), rgb_hex(0xa8740e), rgb_hex(0xe6b024), rgb_hex(0xfad85a), rgb_hex(0xfff6c8)},
        // 2 crimson: the darkest, pale bands
        {rgb_hex(0x14060f), rgb_hex(0x40081a), rgb_hex(0x7c1028), rgb_hex(0xb42232), rgb_hex(0xe86250), rgb_hex(0xffd6b4)},
        // 3 azure: middle lightness, eye spots
        {rgb_hex(0x0a0a28), rgb_hex(0x1a1c60), rgb_hex(0x3038a4), rgb_hex(0x4c60d4), rgb_hex(0x90a0f2), rgb_hex(0xeceeff)},
        // 4 jade: middle lightness, leaning to blue, long tails
        {rgb_hex(0x04140e), rgb_hex(0x0c3c2c), rgb_hex(0x187a58), rgb_hex(0x30b484), rgb_hex(0x8ae8c0), rgb_hex(0xeefff6)},
    };
    for (int c = 0; c < 5; c++)
        art_ramp(p, PAL_MOTH + c * PAL_MOTH_SIZE, PAL_MOTH_SIZE,
                 {moths[c][0], moths[c][1], moths[c][2], moths[c][3], moths[c][4], moths[c][5]});

    art_ramp(p, PAL_SKY, PAL_SKY_SIZE,
             {rgb_hex(0x02030c), rgb_hex(0x050a20), rgb_hex(0x0a1534), rgb_hex(0x11224c), rgb_hex(0x1b3364),
              rgb_hex(0x2a4a80), rgb_hex(0x46699c), rgb_hex(0x7c9cc4)});
    art_ramp(p, PAL_LEAF, PAL_LEAF_SIZE,
             {rgb_hex(0x010504), rgb_hex(0x04100e), rgb_hex(0x081c18), rgb_hex(0x0e2a24), rgb_hex(0x163c30),
              rgb_hex(0x245440), rgb_hex(0x3e7258), rgb_hex(0x6c9c80)});
    art_ramp(p, PAL_GLOW, PAL_GLOW_SIZE,
             {rgb_hex(0x0c1230), rgb_hex(0x2a2238), rgb_hex(0x5a3428), rgb_hex(0x93521e), rgb_hex(0xc87a22),
              rgb_hex(0xeca438), rgb_hex(0xffcc66), rgb_hex(0xffeaa8), rgb_hex(0xfffbea)});
    art_ramp(p, PAL_GOLD, PAL_GOLD_SIZE,
             {rgb_hex(0x140c06), rgb_hex(0x3e2608), rgb_hex(0x7a4e0e), rgb_hex(0xb8821a), rgb_hex(0xe4b13a),
              rgb_hex(0xfad970), rgb_hex(0xfff6d8)});
    art_ramp(p, PAL_GLASS, PAL_GLASS_SIZE,
             {rgb_hex(0x05061a), rgb_hex(0x0c1034), rgb_hex(0x161c4e), rgb_hex(0x222a68), rgb_hex(0x343e84),
              rgb_hex(0x5460a8), rgb_hex(0x8c96d4)});
    art_ramp(p, PAL_TEXT, PAL_TEXT_SIZE,
             {rgb_hex(0x04050c), rgb_hex(0x2c2a30), rgb_hex(0x7a7268), rgb_hex(0xc8bca4), rgb_hex(0xf4ead4),
              rgb_hex(0xfffcf2)});
    art_ramp(p, PAL_LIGHT, PAL_LIGHT_SIZE,
             {rgb_hex(0x16264c), rgb_hex(0x3a5c90), rgb_hex(0x7aa4d4), rgb_hex(0xbcdcf6), rgb_hex(0xe8f6ff),
              rgb_hex(0xffffff)});
    art_ramp(p, PAL_BLOOM, PAL_BLOOM_SIZE,
             {rgb_hex(0x12081c), rgb_hex(0x3a1640), rgb_hex(0x6e2e6c), rgb_hex(0xa45a9c), rgb_hex(0xd496c8),
              rgb_hex(0xf8e0f4)});
    return p;
}

const ArtPalette& art_game_palette()
{
    static const ArtPalette palette = make_game_palette();
    return palette;
}

Rgb art_night_backdrop() { return rgb_hex(0x0c1634); }

static ArtPalette make_title_palette()
{
    ArtPalette p;
    std::memset(p.six, 0, sizeof p.six);
    // Night at the top, dusk glowing at the horizon behind the garden.
    art_ramp(p, 0, 255,
             {rgb_hex(0x010208), rgb_hex(0x040824), rgb_hex(0x0a1440), rgb_hex(0x16205a), rgb_hex(0x2a2a70),
              rgb_hex(0x4a3480), rgb_hex(0x763c84), rgb_hex(0xa44c7c), rgb_hex(0xd06a6a), rgb_hex(0xee9c5c),
              rgb_hex(0xfdd27e), rgb_hex(0xfff4d0)});
    art_palette_set(p, 255, rgb_hex(0xffffff));
    return p;
}

const ArtPalette& art_title_palette()
{
    static const ArtPalette palette = make_title_palette();
    return palette;
}

static ArtPalette make_logo_palette()
{
    ArtPalette p;
    std::memset(p.six, 0, sizeof p.six);
    art_ramp(p, 1, 15, {rgb_hex(0x030304), rgb_hex(0x16141c)});
    // Embers: the burning heart of the maker's mark.
    art_ramp(p, 16, 64,
             {rgb_hex(0x120404), rgb_hex(0x3c0a06), rgb_hex(0x7a1a08), rgb_hex(0xb83c0c), rgb_hex(0xe8701a),
              rgb_hex(0xfcae40), rgb_hex(0xffe6a0), rgb_hex(0xfffaf0)});
    // Heather on the moor.
    art_ramp(p, 80, 48,
             {rgb_hex(0x0a0610), rgb_hex(0x24122e), rgb_hex(0x4a2250), rgb_hex(0x743a72), rgb_hex(0xa46096),
              rgb_hex(0xd8a0c8)});
    // Tin: cold blue-grey metal.
    art_ramp(p, 128, 48,
             {rgb_hex(0x06080c), rgb_hex(0x1a2230), rgb_hex(0x34445a), rgb_hex(0x5c6e86), rgb_hex(0x93a4ba),
              rgb_hex(0xd2dcea), rgb_hex(0xffffff)});
    // Lettering: ivory and old gold.
    art_ramp(p, 176, 48,
             {rgb_hex(0x100c06), rgb_hex(0x3a2c16), rgb_hex(0x7a6030), rgb_hex(0xb8985a), rgb_hex(0xe6d2a4),
              rgb_hex(0xfffaee)});
    // The accent of the last still: bright gold light.
    art_ramp(p, LOGO_ACCENT_FIRST, 32,
             {rgb_hex(0x1a0e04), rgb_hex(0x6a400c), rgb_hex(0xc88a1c), rgb_hex(0xf8c84a), rgb_hex(0xfff0b0),
              rgb_hex(0xffffff)});
    return p;
}

const ArtPalette& art_logo_palette()
{
    static const ArtPalette palette = make_logo_palette();
    return palette;
}
