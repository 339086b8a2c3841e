// Binding the game pack and the logo pack: every entry the game reads is
// resolved, checked and stored in its role once, here, so that drawing and
// playing can trust what they are given.
#include "resources/resources.h"

#include "video/image.h"

#include <cstdio>

namespace {

const char* game_entry_name(int entry)
{
    static const char* const names[PACK_ENTRIES_USED] = {
        "game palette", "moths", "moths", "moths", "moths", "moths",
        "swap fades", "swap fades", "swap fades", "swap fades", "swap fades",
        "selection ring", "game background", "menu button",
        "menu items", "menu items", "menu items", "menu items", "sound switch",
        "columns", "columns", "columns", "columns", "columns",
        "columns", "columns", "columns", "columns", "columns",
        "pointer", "digits", "glyphs", "sound bank", "unused", "unused",
        "high-score highlight", "unused", "unused", "speed slider", "menu",
        "transitions", "texts", "end pictures", "flight", "title picture", "title palette",
    };
    return entry >= 0 && entry < PACK_ENTRIES_USED ? names[entry] : "unused";
}

const char* logo_entry_name(int entry) { return entry == 0 ? "logo palette" : "logo pictures"; }

// The pack being bound, and where to say what is wrong with it.
struct Binding {
    ResourcePack* pack;
    const char* pack_name;
    const char* (*entry_name)(int entry);
    std::string* error;
};

bool reject(const Binding& b, const std::string& what)
{
    if (b.error)
        *b.error = std::string(b.pack_name) + ": " + what;
    return false;
}

bool reject_entry(const Binding& b, int entry, const std::string& what)
{
    return reject(b, "entry " + std::to_string(entry) + " (" + b.entry_name(entry) + "): " + what);
}

// `item` is "image 12", "text 3" and the like.
bool reject_item(const Binding& b, int entry, const std::string& item, const std::string& what)
{
    return reject(b, "entry " + std::to_string(entry) + " (" + b.entry_name(entry) + "), " + item + ": " + what);
}

bool bind_images(const Binding& b, int entry, int encoding, int minimum, PackTable* table)
{
    std::string why;
    if (!bind_table(b.pack, entry, table, &why))
        return reject_entry(b, entry, why);
    if (table->count < minimum)
        return reject_entry(b, entry,
                            std::to_string(table->count) + " images, the game needs " + std::to_string(minimum));
    // Run images are drawn at (0, 0): their offsets are their place on the screen.
    bool drawn_at_origin = encoding != IMAGE_RAW;
    for (int i = 0; i < table->count; i++) {
        if (!pack_check_image(b.pack, table->items[i], encoding, &why, drawn_at_origin))
            return reject_item(b, entry, "image " + std::to_string(i), why);
    }
    return true;
}

bool single_image(const Binding& b, int entry, int encoding, const ImageRecord** image)
{
    std::string why;
    if (!pack_check_image(b.pack, b.pack->entries[entry], encoding, &why, encoding != IMAGE_RAW))
        return reject_entry(b, entry, why);
    *image = (const ImageRecord*)b.pack->entries[entry];
    return true;
}

// Palettes are handed out writable: the title blacks out colour 0 of its own.
bool palette(const Binding& b, int entry, uint8_t** palette)
{
    std::string why;
    if (!pack_check_palette(b.pack, b.pack->entries[entry], &why))
        return reject_entry(b, entry, why);
    *palette = const_cast<uint8_t*>(b.pack->entries[entry]);
    return true;
}

bool screen_picture(const Binding& b, int entry, const uint8_t** screen)
{
    std::string why;
    if (!pack_check_screen(b.pack, b.pack->entries[entry], &why))
        return reject_entry(b, entry, why);
    *screen = b.pack->entries[entry];
    return true;
}

// Samples 0 to 12 are played, so 14 pointers, none before the one ahead of it.
bool sound_bank(const Binding& b, int entry, PackTable* bank)
{
    constexpr int SAMPLES_PLAYED = 13;
    std::string why;
    if (!bind_table(b.pack, entry, bank, &why))
        return reject_entry(b, entry, why);
    if (bank->count < SAMPLES_PLAYED + 1)
        return reject_entry(b, entry,
                            std::to_string(bank->count) + " pointers; samples 0 to 12 need at least 14");
    if (!pack_check_sound_bank(*bank, &why))
        return reject_entry(b, entry, why);
    return true;
}

bool texts(const Binding& b, int entry, int minimum, PackTable* table)
{
    std::string why;
    if (!bind_table(b.pack, entry, table, &why))
        return reject_entry(b, entry, why);
    if (table->count < minimum)
        return reject_entry(b, entry,
                            std::to_string(table->count) + " texts, the game needs " + std::to_string(minimum));
    for (int i = 0; i < table->count; i++) {
        if (!pack_check_text(b.pack, table->items[i], &why))
            return reject_item(b, entry, "text " + std::to_string(i), why);
    }
    return true;
}

bool enough_entries(const Binding& b, int needed)
{
    if (b.pack->entry_count >= needed)
        return true;
    return reject(b, "the pack has " + std::to_string(b.pack->entry_count) + " entries, " + std::to_string(needed) +
                         " are needed");
}

// The binding steps in the game's order; each role is set once its entry is
// known to be good.
bool bind_game_entries(const Binding& b)
{
    if (!enough_entries(b, PACK_ENTRIES_USED))
        return false;
    uint8_t* game_palette;
    if (!palette(b, 0, &game_palette))
        return false;
    GamePalette = game_palette;

    for (int k = 0; k < 5; k++) {
        if (!bind_images(b, 1 + k, IMAGE_RAW, 20, &MothImages[k]) ||
            !bind_images(b, 6 + k, IMAGE_RAW, 30, &SwapFadeImages[k]))
            return false;
    }

    if (!bind_images(b, 11, IMAGE_RAW, 7, &SelectionRingImages) ||
        !bind_images(b, 39, IMAGE_FILL_RUNS, 32, &MenuImages) ||
        !bind_images(b, 40, IMAGE_FILL_RUNS, 43, &TransitionImages) ||
        !bind_images(b, 42, IMAGE_FILL_RUNS, 11, &MainScreenImages) ||
        !bind_images(b, 13, IMAGE_RUNS, 6, &MenuButtonImages) || !single_image(b, 29, IMAGE_RAW, &PointerImage))
        return false;

    for (int k = 0; k < 4; k++) {
        if (!bind_images(b, 14 + k, IMAGE_RUNS, 20, &MenuItemImages[k]))
            return false;
    }

    if (!bind_images(b, 18, IMAGE_RAW, 6, &MenuToggleImages) ||
        !bind_images(b, 35, IMAGE_RAW, 8, &ScoreScreenImages) ||
        !bind_images(b, 38, IMAGE_RAW, 2, &SpeedSliderImages) || !bind_images(b, 43, IMAGE_RAW, 8, &FlightImages) ||
        !bind_images(b, 30, IMAGE_RAW, 10, &DigitImages) || !bind_images(b, 31, IMAGE_RAW, 256, &FontGlyphs))
        return false;

    for (int k = 0; k < 10; k++) {
        if (!bind_images(b, 19 + k, IMAGE_FILL_RUNS, 16, &ColumnImages[k]))
            return false;
    }

    return palette(b, 45, &TitlePalette) && single_image(b, 44, IMAGE_FILL_RUNS, &TitlePicture) &&
           sound_bank(b, 32, &SoundBank) && texts(b, 41, 8, &ScoreTexts) &&
           screen_picture(b, 12, &GameBackground);
}

void release_game_pack()
{
    // The font must not keep pointing into the freed block.
    if (resource_pack && current_font.glyphs == GameFont.glyphs) {
        Font none = {};
        select_font(nullptr, &none);
    }
    free_pack(resource_pack);
    resource_pack = nullptr;
    GamePalette = nullptr;
    for (int k = 0; k < 5; k++)
        MothImages[k] = SwapFadeImages[k] = {};
    for (int k = 0; k < 4; k++)
        MenuItemImages[k] = {};
    for (int k = 0; k < 10; k++)
        ColumnImages[k] = {};
    SelectionRingImages = MenuButtonImages = MenuToggleImages = DigitImages = FontGlyphs = SoundBank = {};
    ScoreScreenImages = SpeedSliderImages = MenuImages = TransitionImages = ScoreTexts = {};
    MainScreenImages = FlightImages = {};
    GameBackground = nullptr;
    PointerImage = TitlePicture = nullptr;
    TitlePalette = nullptr;
    GameFont = {};
}

void release_logo_pack()
{
    free_pack(LogoPack);
    LogoPack = nullptr;
    LogoPalette = nullptr;
    LogoImages = {};
}

}  // namespace

bool bind_resources_pack(ResourcePack* pack, const char* name, std::string* error)
{
    release_game_pack();
    if (!pack) {
        if (error)
            *error = std::string(name) + ": no pack";
        return false;
    }
    resource_pack = pack;
    if (!bind_game_entries({pack, name, game_entry_name, error})) {
        release_game_pack();
        return false;
    }

    make_font(&GameFont, (const ImageRecord* const*)FontGlyphs.items, 0, draw_sprite_shifted, 1);
    select_font(nullptr, &GameFont);

    return true;
}

bool bind_resources(const char* path)
{
    std::string error;
    ResourcePack* pack = load_pack_file(path, &error);
    if (!pack) {
        release_game_pack();
        std::fprintf(stderr, "%s: %s\n", path, error.c_str());
        return false;
    }
    if (!bind_resources_pack(pack, path, &error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return false;
    }
    return true;
}

void release_resources()
{
    release_game_pack();
    release_logo_pack();
}

bool bind_logo_pack(ResourcePack* pack, const char* name, std::string* error)
{
    release_logo_pack();
    if (!pack) {
        if (error)
            *error = std::string(name) + ": no pack";
        return false;
    }
    LogoPack = pack;
    Binding b = {pack, name, logo_entry_name, error};
    uint8_t* logo_palette;
    if (!enough_entries(b, 2) || !palette(b, 0, &logo_palette) ||
        !bind_images(b, 1, IMAGE_FILL_RUNS, 43, &LogoImages)) {
        release_logo_pack();
        return false;
    }
    LogoPalette = logo_palette;
    return true;
}

bool load_logo_pack(const char* path)
{
    if (LogoPack)
        return true;
    std::string error;
    ResourcePack* pack = load_pack_file(path, &error);
    if (!pack) {
        std::fprintf(stderr, "%s: %s\n", path, error.c_str());
        return false;
    }
    if (!bind_logo_pack(pack, path, &error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return false;
    }
    return true;
}
