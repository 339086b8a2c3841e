// The resource roles the rest of the game reads, and the table of what
// each entry of a pack holds.
#include "resources/resources.h"

#include <iterator>

ResourcePack* resource_pack;
const uint8_t* GamePalette;
PackTable MothImages[5];
PackTable SwapFadeImages[5];
PackTable SelectionRingImages;
const uint8_t* GameBackground;
PackTable MenuButtonImages;
PackTable MenuItemImages[4];
PackTable MenuToggleImages;
PackTable ColumnImages[10];
const ImageRecord* PointerImage;
PackTable DigitImages;
PackTable FontGlyphs;
PackTable SoundBank;
PackTable ScoreScreenImages;
PackTable SpeedSliderImages;
PackTable MenuImages;
PackTable TransitionImages;
PackTable ScoreTexts;
PackTable MainScreenImages;
PackTable FlightImages;
const ImageRecord* TitlePicture;
uint8_t* TitlePalette;
Font GameFont;

ResourcePack* LogoPack;
const uint8_t* LogoPalette;
PackTable LogoImages;

namespace {

constexpr int GAME_PALETTE = 0, TITLE_PALETTE = 45;

constexpr PackRole images(int entry, int encoding, int minimum, const char* name, const char* about, PackTable* table,
                          int palette = GAME_PALETTE)
{
    return {entry, KIND_IMAGES, encoding, minimum, palette, name, about, table, nullptr};
}

constexpr PackRole single(int entry, EntryKind kind, int encoding, int palette, const char* name, const char* about,
                          void (*keep)(const uint8_t*))
{
    return {entry, kind, encoding, 0, palette, name, about, nullptr, keep};
}

constexpr PackRole unread(int entry) { return {entry, KIND_TABLE, 0, 0, GAME_PALETTE, "unused", "not used", nullptr, nullptr}; }

// Moths and swap fades are checked colour by colour, then the rest in the
// order the game first draws them.
const PackRole game_roles[] = {
    single(0, KIND_PALETTE, 0, GAME_PALETTE, "game palette", "game palette",
           [](const uint8_t* p) { GamePalette = p; }),
    images(1, IMAGE_RAW, 20, "moths", "moths, appearing and steady", &MothImages[0]),
    images(6, IMAGE_RAW, 30, "swap fades", "swap fades", &SwapFadeImages[0]),
    images(2, IMAGE_RAW, 20, "moths", "moths, appearing and steady", &MothImages[1]),
    images(7, IMAGE_RAW, 30, "swap fades", "swap fades", &SwapFadeImages[1]),
    images(3, IMAGE_RAW, 20, "moths", "moths, appearing and steady", &MothImages[2]),
    images(8, IMAGE_RAW, 30, "swap fades", "swap fades", &SwapFadeImages[2]),
    images(4, IMAGE_RAW, 20, "moths", "moths, appearing and steady", &MothImages[3]),
    images(9, IMAGE_RAW, 30, "swap fades", "swap fades", &SwapFadeImages[3]),
    images(5, IMAGE_RAW, 20, "moths", "moths, appearing and steady", &MothImages[4]),
    images(10, IMAGE_RAW, 30, "swap fades", "swap fades", &SwapFadeImages[4]),
    images(11, IMAGE_RAW, 7, "selection ring", "selection ring", &SelectionRingImages),
    images(39, IMAGE_FILL_RUNS, 32, "menu", "in-game menu", &MenuImages),
    images(40, IMAGE_FILL_RUNS, 43, "transitions", "transitions", &TransitionImages),
    images(42, IMAGE_FILL_RUNS, 11, "end pictures", "end of game", &MainScreenImages),
    images(13, IMAGE_RUNS, 6, "menu button", "menu button", &MenuButtonImages),
    single(29, KIND_IMAGE, IMAGE_RAW, GAME_PALETTE, "pointer", "mouse pointer",
           [](const uint8_t* p) { PointerImage = (const ImageRecord*)p; }),
    images(14, IMAGE_RUNS, 20, "menu items", "menu item highlight", &MenuItemImages[0]),
    images(15, IMAGE_RUNS, 20, "menu items", "menu item highlight", &MenuItemImages[1]),
    images(16, IMAGE_RUNS, 20, "menu items", "menu item highlight", &MenuItemImages[2]),
    images(17, IMAGE_RUNS, 20, "menu items", "menu item highlight", &MenuItemImages[3]),
    images(18, IMAGE_RAW, 6, "sound switch", "sound switch", &MenuToggleImages),
    images(35, IMAGE_RAW, 8, "high-score highlight", "new result highlight", &ScoreScreenImages),
    images(38, IMAGE_RAW, 2, "speed slider", "speed slider", &SpeedSliderImages),
    images(43, IMAGE_RAW, 8, "flight", "flight", &FlightImages),
    images(30, IMAGE_RAW, 10, "digits", "score digits", &DigitImages),
    images(31, IMAGE_RAW, 256, "glyphs", "font glyphs", &FontGlyphs),
    images(19, IMAGE_FILL_RUNS, 16, "columns", "column pictures", &ColumnImages[0]),
    images(20, IMAGE_FILL_RUNS, 16, "columns", "column pictures", &ColumnImages[1]),
    images(21, IMAGE_FILL_RUNS, 16, "columns", "column pictures", &ColumnImages[2]),
    images(22, IMAGE_FILL_RUNS, 16, "columns", "column pictures", &ColumnImages[3]),
    images(23, IMAGE_FILL_RUNS, 16, "columns", "column pictures", &ColumnImages[4]),
    images(24, IMAGE_FILL_RUNS, 16, "columns", "column pictures", &ColumnImages[5]),
    images(25, IMAGE_FILL_RUNS, 16, "columns", "column pictures", &ColumnImages[6]),
    images(26, IMAGE_FILL_RUNS, 16, "columns", "column pictures", &ColumnImages[7]),
    images(27, IMAGE_FILL_RUNS, 16, "columns", "column pictures", &ColumnImages[8]),
    images(28, IMAGE_FILL_RUNS, 16, "columns", "column pictures", &ColumnImages[9]),
    // Palettes are handed out writable: the title blacks out colour 0 of its own.
    single(45, KIND_PALETTE, 0, TITLE_PALETTE, "title palette", "title palette",
           [](const uint8_t* p) { TitlePalette = const_cast<uint8_t*>(p); }),
    single(44, KIND_IMAGE, IMAGE_FILL_RUNS, TITLE_PALETTE, "title picture", "title picture",
           [](const uint8_t* p) { TitlePicture = (const ImageRecord*)p; }),
    // Samples 0 to 12 are played, so 14 pointers.
    {32, KIND_SOUNDS, 0, 14, GAME_PALETTE, "sound bank", "sound bank", &SoundBank, nullptr},
    {41, KIND_TEXTS, 0, 8, GAME_PALETTE, "texts", "screen texts", &ScoreTexts, nullptr},
    single(12, KIND_SCREEN, 0, GAME_PALETTE, "game background", "playfield",
           [](const uint8_t* p) { GameBackground = p; }),
    unread(33), unread(34), unread(36), unread(37),
};

const PackRole logo_roles[] = {
    single(0, KIND_PALETTE, 0, 0, "logo palette", "logo palette", [](const uint8_t* p) { LogoPalette = p; }),
    images(1, IMAGE_FILL_RUNS, 43, "logo pictures", "logo pictures", &LogoImages, 0),
};

static_assert(std::size(game_roles) == PACK_ENTRIES_USED);

}  // namespace

const std::span<const PackRole> GAME_PACK_ROLES(game_roles), LOGO_PACK_ROLES(logo_roles);

const PackRole* find_role(std::span<const PackRole> roles, int entry)
{
    for (const PackRole& role : roles) {
        if (role.entry == entry)
            return &role;
    }
    return nullptr;
}

bool sound_sample(int k, const uint8_t** start, uint32_t* length)
{
    if (k < 0 || k + 1 >= SoundBank.count)
        return false;
    *start = SoundBank.items[k];
    *length = (uint32_t)(SoundBank.items[k + 1] - SoundBank.items[k]);
    return true;
}
