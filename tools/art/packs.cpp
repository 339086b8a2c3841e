// Assembling "DATA50.RES" and "brenmoor.res" from the art, in the order of
// their entries.
#include "tools/art/art.h"
#include "tools/art/palettes.h"

#include "resources/pack.h"

#include <cstdio>
#include <cstdlib>

namespace {

void fail(const char* what)
{
    std::fprintf(stderr, "datagen: %s cannot be encoded\n", what);
    std::exit(1);
}

Bytes palette_bytes(const ArtPalette& palette) { return Bytes(palette.six, palette.six + 768); }

Bytes raw(const IndexImage& image)
{
    Bytes bytes = encode_raw(image.x_offset, image.y_offset, image.width, image.height, image.pixels.data());
    if (bytes.empty())
        fail("a raw image");
    return bytes;
}

// Run images: SKIP pixels become skip runs.
Bytes runs(const RunImage& image, bool fill)
{
    Bytes bytes = encode_with_skips(image.x_offset, image.y_offset, image.width, image.height, image.pixels,
                                    fill ? IMAGE_FILL_RUNS : IMAGE_RUNS);
    if (bytes.empty())
        fail("a run image");
    return bytes;
}

Bytes raw_table(const std::vector<IndexImage>& images)
{
    std::vector<Bytes> items;
    for (const IndexImage& image : images)
        items.push_back(raw(image));
    return make_table(items);
}

Bytes run_table(const std::vector<RunImage>& images, bool fill)
{
    std::vector<Bytes> items;
    for (const RunImage& image : images)
        items.push_back(runs(image, fill));
    return make_table(items);
}

}  // namespace

Bytes art_game_pack()
{
    std::vector<Bytes> entries(46);
    entries[0] = palette_bytes(art_game_palette());
    for (int colour = 0; colour < 5; colour++) {
        entries[1 + colour] = raw_table(art_moth_frames(colour));
        entries[6 + colour] = raw_table(art_swap_frames(colour));
    }
    entries[11] = raw_table(art_selection_ring_frames());
    entries[12] = art_playfield().pixels;
    entries[13] = run_table(art_menu_button_frames(), false);
    for (int item = 0; item < 4; item++)
        entries[14 + item] = run_table(art_menu_item_frames(item), false);
    entries[18] = raw_table(art_sound_switch_frames());
    for (int column = 0; column < 10; column++)
        entries[19 + column] = run_table(art_column_frames(column), true);
    entries[29] = raw(art_pointer());
    entries[30] = raw_table(art_digit_frames());
    entries[31] = raw_table(art_font_glyphs());
    entries[32] = make_sound_bank(art_sound_samples());
    entries[33] = make_table({});
    entries[34] = make_table({});
    entries[35] = raw_table(art_score_highlight_frames());
    entries[36] = make_table({});
    entries[37] = make_table({});
    entries[38] = raw_table(art_slider_frames());
    entries[39] = run_table(art_menu_frames(), true);
    entries[40] = run_table(art_transition_frames(), true);
    entries[41] = make_text_table(art_score_texts());
    entries[42] = run_table(art_end_frames(), true);
    entries[43] = raw_table(art_flight_frames());
    entries[44] = runs(art_title_picture(), true);
    entries[45] = palette_bytes(art_title_palette());
    return make_pack(entries);
}

Bytes art_logo_pack()
{
    return make_pack({palette_bytes(art_logo_palette()), run_table(art_logo_frames(), true)});
}
