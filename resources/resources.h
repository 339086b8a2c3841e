// The game's resources, bound from "DATA50.RES" by their entry number, and
// the company logo from "brenmoor.res".
#pragma once

#include "resources/pack.h"
#include "video/font.h"

#include <cstdint>
#include <span>
#include <string>

extern ResourcePack* resource_pack;

extern const uint8_t* GamePalette;           // 0
extern PackTable MothImages[5];              // 1-5, raw: 0..19 appearing, 19 steady
extern PackTable SwapFadeImages[5];          // 6-10, raw: 1..15 out, 15..29 in
extern PackTable SelectionRingImages;        // 11, raw: 0..6
extern const uint8_t* GameBackground;        // 12, screen picture
extern PackTable MenuButtonImages;           // 13, run: 0..5
extern PackTable MenuItemImages[4];          // 14-17, run: 20 each
extern PackTable MenuToggleImages;           // 18, raw: 0 off .. 5 on
extern PackTable ColumnImages[10];           // 19-28, fill-run: 0..15
extern const ImageRecord* PointerImage;      // 29, raw, a single image
extern PackTable DigitImages;                // 30, raw: 0..9
extern PackTable FontGlyphs;                 // 31, raw: 256 glyphs
extern PackTable SoundBank;                  // 32: M pointers, M - 1 samples
extern PackTable ScoreScreenImages;          // 35, raw: the new row's highlight
extern PackTable SpeedSliderImages;          // 38, raw: 0 bar, 1 knob
extern PackTable MenuImages;                 // 39, fill-run: 0..31
extern PackTable TransitionImages;           // 40, fill-run: 0..42
extern PackTable ScoreTexts;                 // 41, texts
extern PackTable MainScreenImages;           // 42, fill-run: 0..10
extern PackTable FlightImages;               // 43, raw: 0..7
extern const ImageRecord* TitlePicture;      // 44, fill-run, a single image
extern uint8_t* TitlePalette;                // 45; the title sets its colour 0 to black
extern Font GameFont;

constexpr int PACK_ENTRIES_USED = 46;

// What an entry of a pack holds.
enum EntryKind {
    KIND_PALETTE,   // 768 bytes
    KIND_SCREEN,    // 640 x 480 colour indices
    KIND_IMAGE,     // one image record
    KIND_IMAGES,    // a table of image records
    KIND_SOUNDS,    // the sound bank: M pointers, M - 1 samples
    KIND_TEXTS,     // a table of NUL-terminated texts
    KIND_TABLE,     // a table of items the game does not read
    KIND_BLOB,      // bytes nobody knows anything about
};

// One entry of a pack: what it holds, what the game needs of it and where
// the binder puts it.
struct PackRole {
    int entry;
    EntryKind kind;
    int encoding;          // IMAGE_RAW, IMAGE_RUNS or IMAGE_FILL_RUNS for images
    int minimum;           // the fewest items (sound bank: pointers) the game needs
    int palette;           // the entry whose palette its pictures are shown in
    const char* name;      // in the binder's messages
    const char* about;     // in the pack inspector's listing
    PackTable* table;      // where a table is bound
    void (*keep)(const uint8_t* entry);    // where a single entry is kept
};

// Every entry of the game pack (46) and of the logo pack (2), in the order
// the binder checks them: of several faults the first met is reported.
extern const std::span<const PackRole> GAME_PACK_ROLES, LOGO_PACK_ROLES;
// The role of entry `entry`; null when the table has none.
const PackRole* find_role(std::span<const PackRole> roles, int entry);

// Loads and binds a resource pack (the game uses "DATA50.RES"), makes the
// game font current and sets the rule parameters. False, with a message on
// stderr naming the entry and what is wrong, when the pack is missing or
// not what the game needs.
bool bind_resources(const char* path = "DATA50.RES");
// The same for a pack already loaded, which it takes over (and frees when
// it cannot be used). `name` starts the message written to `error`.
bool bind_resources_pack(ResourcePack* pack, const char* name, std::string* error);
// Frees the game pack and the logo pack and clears every role.
void release_resources();

// The logo pack, loaded on first use and kept.
extern ResourcePack* LogoPack;
extern const uint8_t* LogoPalette;           // entry 0
extern PackTable LogoImages;                 // entry 1, fill-run: 0..42
// Loads it on first use (later calls keep it); false, with a message on
// stderr, when it is missing or not what the logo sequence needs.
bool load_logo_pack(const char* path = "brenmoor.res");
bool bind_logo_pack(ResourcePack* pack, const char* name, std::string* error);

// Sample k of the sound bank: the bytes from pointer k up to pointer k + 1.
// False when there is no such sample.
bool sound_sample(int k, const uint8_t** start, uint32_t* length);
