// Resource packs ("DATA50.RES", "brenmoor.res"): a 32-bit entry count N,
// N entry offsets, then the entry data. Offsets count from file offset 4;
// the loaded block is the file from offset 4 on. A table is a 32-bit count M
// then M offsets counted from the first offset. All numbers little-endian.
//
// The pack's offsets are 32-bit, which a pointer is not on 64-bit machines,
// so instead of rewriting the block in place the loader keeps, beside the
// block and in the same allocation, an array of resolved entry addresses and
// room for the resolved tables. Binding a table resolves it once per load.
//
// Nothing in a pack is trusted: every offset, count and image is checked
// when the pack is loaded and when a table is bound, before anything is
// drawn from it; a failure names the entry and what is wrong.
#pragma once

#include "video/image.h"

#include <cstddef>
#include <cstdint>
#include <string>

struct PackTable {
    int32_t count;                 // items in the table (0 for an empty one)
    const uint8_t* const* items;   // resolved item addresses
};

struct ResourcePack {
    uint8_t* block;                // the file from offset 4 on
    size_t size;                   // bytes in the block
    int32_t entry_count;
    const uint8_t** entries;       // resolved entry addresses
    PackTable* tables;             // per entry: the bound table, count -1 while unbound
    const uint8_t** table_items;   // room for every table's resolved items
    size_t table_items_used;
    size_t table_items_room;
};

// Loads a pack; null when the file cannot be opened or read, or is not a
// well-formed pack: the entry count and every entry offset must lie inside
// the block (an offset equal to the block size names an empty entry at its
// end). On failure `error` (may be null) says why, naming the entry.
//
// The block, the resolved entries and the room for bound tables are one
// allocation; free_pack gives it back (null is fine).
ResourcePack* load_pack_file(const char* path, std::string* error = nullptr);
ResourcePack* load_pack_memory(const uint8_t* bytes, size_t size, std::string* error = nullptr);
void free_pack(ResourcePack* pack);

// Binds the table at `entry` (once; later calls give the same table). Its
// count must be 0 or more with every offset inside the block, and every item
// offset must lead inside the block. Binding moves the entry's resolved
// address on by 4 bytes, to the first offset, as the in-place rewrite of
// the block would. Entries at the same offset share one table. False when
// the entry is not a well-formed table; `error` says what is wrong with it
// (without the entry number, which the caller knows).
bool bind_table(ResourcePack* pack, int entry, PackTable* table, std::string* error = nullptr);

// Reading a bound table.
inline const ImageRecord* table_image(const PackTable& table, int i) { return (const ImageRecord*)table.items[i]; }
inline const char* table_text(const PackTable& table, int i) { return (const char*)table.items[i]; }

// Checks of what an entry or table item must hold, for the binding step.
// Each returns false and fills `error` (may be null) when the data is not
// what it must be; the message says what, not where.
//
// An image needs its header and every pixel it draws inside the block,
// width 1..640 and height 1..480 (clipping counts on no image being larger
// than the screen); in the run encodings every row has at
// least one run and its runs add up to exactly the width. An image the game
// draws at (0, 0) (`drawn_at_origin`) must also lie wholly on the screen.
enum ImageEncoding { IMAGE_RAW, IMAGE_RUNS, IMAGE_FILL_RUNS };
bool pack_check_image(const ResourcePack* pack, const uint8_t* image, int encoding, std::string* error,
                      bool drawn_at_origin = false);
// The same checks of an image record held in the `size` bytes from `image`
// (a record on its own, outside any pack).
bool pack_check_image_bytes(const uint8_t* image, size_t size, int encoding, std::string* error,
                            bool drawn_at_origin = false);
// A bound sound bank: sample k runs from pointer k to pointer k + 1, so no
// pointer may lie before the one ahead of it.
bool pack_check_sound_bank(const PackTable& bank, std::string* error);
// 768 bytes, every component 0..63.
bool pack_check_palette(const ResourcePack* pack, const uint8_t* palette, std::string* error);
// 640 x 480 bytes.
bool pack_check_screen(const ResourcePack* pack, const uint8_t* screen, std::string* error);
// A NUL inside the block, after at most PACK_TEXT_MAX characters: far more
// than a line of the screen shows, and few enough that adding up a text's
// glyph widths cannot overflow.
constexpr int PACK_TEXT_MAX = 1023;
bool pack_check_text(const ResourcePack* pack, const uint8_t* text, std::string* error);
