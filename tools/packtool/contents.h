// What a pack holds, entry by entry, as the pack inspector sees it. A pack
// does not say what its entries are; the inspector knows the game pack and
// the logo pack by their entry count, and reads anything else as plain
// bytes. Packs are read with the game's own loader and checks, and images
// decoded with the game's own drawing routines.
#pragma once

#include "resources/pack.h"
#include "resources/pack_writer.h"
#include "resources/resources.h"

#include <string>
#include <vector>

enum PackLayout { LAYOUT_GAME, LAYOUT_LOGO, LAYOUT_UNKNOWN };

struct EntryLayout {
    EntryKind kind;
    int encoding;         // IMAGE_RAW, IMAGE_RUNS or IMAGE_FILL_RUNS for images
    int palette_entry;    // the palette its pictures are shown in
    const char* role;     // what the game uses it for
};

const char* layout_name(PackLayout layout);
const char* kind_name(EntryKind kind);
const char* encoding_name(int encoding);
EntryLayout entry_layout(PackLayout layout, int entry);

struct PackEntry {
    EntryLayout layout;
    Bytes bytes;                 // the entry's own bytes (a table's count and offsets included)
    std::vector<Bytes> items;    // a table's items, a sound bank's samples
};

struct PackContents {
    PackLayout layout = LAYOUT_UNKNOWN;
    std::vector<PackEntry> entries;
    Bytes file;                  // the pack as read
};

// Reads a pack. False, with `error` saying why, when the game's loader
// refuses it or a table the layout names is not a table.
bool pack_read(const std::string& path, PackContents* contents, std::string* error);
// The pack again, laid out as the pack writer lays packs out.
Bytes pack_assemble(const PackContents& contents);

// ---- Images -------------------------------------------------------------------------

struct DecodedImage {
    int x_offset = 0, y_offset = 0, width = 0, height = 0;
    std::vector<int> pixels;       // colour indices, or PIXEL_SKIP
};
// Decodes an image record of a known encoding with the game's drawing
// routines (the display must exist). False when the record is not whole or
// not what the game would draw; `error` (may be null) says why.
bool image_decode(const Bytes& record, int encoding, DecodedImage* image, std::string* error = nullptr);
// Encodes with the pack writer; skipped pixels become skips.
Bytes image_encode(const DecodedImage& image, int encoding);

// 8-bit colours of a pack palette.
void palette_rgb8(const Bytes& palette, uint8_t rgb[768]);
// The palette an entry's pictures are shown in (black and white steps when
// the pack has none).
void entry_palette(const PackContents& contents, int entry, uint8_t rgb[768]);

// Sets up the display the decoder draws into, on the headless machine,
// unless one exists.
bool packtool_begin();
