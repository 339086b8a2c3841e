// Fuzzing resource packs: any bytes are loaded as the game pack, as the logo
// pack and as a pack of unknown entries; whatever passes the checks is bound
// and every image of it drawn with the operation of its encoding. Nothing
// may ever be read or written outside the pack's block or the back buffer.
#include "platform/headless/headless.h"
#include "platform/platform.h"
#include "resources/resources.h"
#include "video/display.h"
#include "video/font.h"
#include "video/image.h"

#include <cstring>

namespace {

// Reads every byte handed out, so that the sanitizer sees each one.
volatile uint32_t sink;

void touch(const uint8_t* bytes, size_t length)
{
    uint32_t sum = 0;
    for (size_t i = 0; i < length; i++)
        sum += bytes[i];
    sink = sink + sum;
}

// Raw images at the places the game uses and at every edge of the screen.
void draw_raw(const ImageRecord* image)
{
    static const int places[][2] = {{0, 0}, {320, 240}, {-3, -3}, {639, 479}, {640, 480},
                                    {-70000, 5}, {5, 70000}, {630, 10}, {10, 470}};
    for (const auto& place : places)
        draw_sprite(nullptr, place[0], place[1], image);
    draw_sprite_shifted(nullptr, 100, 100, image, 250);
}

void draw_raw_table(const PackTable& table)
{
    for (int i = 0; i < table.count; i++)
        draw_raw(table_image(table, i));
}

void draw_placed_table(const PackTable& table, bool fill_runs)
{
    for (int i = 0; i < table.count; i++) {
        if (fill_runs)
            draw_fill_runs(nullptr, 0, 0, table_image(table, i));
        else
            draw_runs(nullptr, 0, 0, table_image(table, i));
    }
}

void draw_game_pack()
{
    display_set_palette(GamePalette);
    display_set_palette(TitlePalette);
    display_restore_background(GameBackground);
    for (int k = 0; k < 5; k++) {
        draw_raw_table(MothImages[k]);
        draw_raw_table(SwapFadeImages[k]);
    }
    for (const PackTable* table : {&SelectionRingImages, &MenuToggleImages, &DigitImages, &FontGlyphs,
                                   &ScoreScreenImages, &SpeedSliderImages, &FlightImages})
        draw_raw_table(*table);
    draw_raw(PointerImage);
    draw_placed_table(MenuButtonImages, false);
    for (int k = 0; k < 4; k++)
        draw_placed_table(MenuItemImages[k], false);
    for (int k = 0; k < 10; k++)
        draw_placed_table(ColumnImages[k], true);
    for (const PackTable* table : {&MenuImages, &TransitionImages, &MainScreenImages})
        draw_placed_table(*table, true);
    draw_fill_runs(nullptr, 0, 0, TitlePicture);
    for (int i = 0; i < ScoreTexts.count; i++) {
        DrawResult extents;
        draw_text(320, 200, table_text(ScoreTexts, i), ALIGN_CENTRE, &extents);
    }
    draw_number(600, 20, -2147483647 - 1, ALIGN_RIGHT, nullptr);
    const uint8_t* start;
    uint32_t length;
    for (int k = 0; sound_sample(k, &start, &length); k++)
        touch(start, length);
}

void draw_logo_pack()
{
    display_set_palette(LogoPalette);
    draw_placed_table(LogoImages, true);
}

// A pack of unknown entries: each entry is tried as every kind the game
// knows, and each table item as every image encoding.
void probe_entries(ResourcePack* pack)
{
    constexpr int ENTRIES_TRIED = 64;
    constexpr int ITEMS_TRIED = 64;
    for (int e = 0; e < pack->entry_count && e < ENTRIES_TRIED; e++) {
        const uint8_t* entry = pack->entries[e];
        if (pack_check_palette(pack, entry, nullptr))
            display_set_palette(entry);
        if (pack_check_screen(pack, entry, nullptr))
            display_restore_background(entry);
        if (pack_check_text(pack, entry, nullptr))
            touch(entry, std::strlen((const char*)entry));
        for (int encoding : {IMAGE_RAW, IMAGE_RUNS, IMAGE_FILL_RUNS}) {
            if (!pack_check_image(pack, entry, encoding, nullptr, encoding != IMAGE_RAW))
                continue;
            if (encoding == IMAGE_RAW)
                draw_raw((const ImageRecord*)entry);
            else if (encoding == IMAGE_RUNS)
                draw_runs(nullptr, 0, 0, (const ImageRecord*)entry);
            else
                draw_fill_runs(nullptr, 0, 0, (const ImageRecord*)entry);
        }

        PackTable table;
        if (!bind_table(pack, e, &table, nullptr))
            continue;
        for (int i = 0; i < table.count && i < ITEMS_TRIED; i++) {
            const uint8_t* item = table.items[i];
            if (i + 1 < table.count && table.items[i + 1] >= item)
                touch(item, (size_t)(table.items[i + 1] - item));    // a sound bank's sample
            if (pack_check_text(pack, item, nullptr))
                touch(item, std::strlen((const char*)item));
            if (pack_check_image(pack, item, IMAGE_RAW, nullptr))
                draw_raw((const ImageRecord*)item);
            if (pack_check_image(pack, item, IMAGE_RUNS, nullptr, true))
                draw_runs(nullptr, 0, 0, (const ImageRecord*)item);
            if (pack_check_image(pack, item, IMAGE_FILL_RUNS, nullptr, true))
                draw_fill_runs(nullptr, 0, 0, (const ImageRecord*)item);
        }
    }
}

bool set_up()
{
    headless_reset(0);
    platform_use(headless_backend());
    return display_create();
}

}  // namespace

// Every input is probed as a pack of unknown entries, then bound as the
// game pack when it has the game's 46 entries, else as the logo pack. (Each
// pass loads its own copy; large packs spend most of their time there.)
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static bool ready = set_up();
    if (!ready)
        __builtin_trap();
    std::string error;

    ResourcePack* pack = load_pack_memory(data, size, &error);
    if (!pack)
        return 0;
    bool game_sized = pack->entry_count >= PACK_ENTRIES_USED;
    probe_entries(pack);
    free_pack(pack);

    if (game_sized) {
        if (bind_resources_pack(load_pack_memory(data, size, &error), "DATA50.RES", &error))
            draw_game_pack();
    } else if (bind_logo_pack(load_pack_memory(data, size, &error), "brenmoor.res", &error)) {
        draw_logo_pack();
    }
    release_resources();
    return 0;
}
