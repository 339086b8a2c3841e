// Reading a pack into its entries and items, and laying it out again.
#include "tools/packtool/contents.h"
#include "tools/packtool/media.h"

#include "platform/headless/headless.h"
#include "platform/platform.h"
#include "video/display.h"
#include "video/image.h"

#include <algorithm>
#include <cstring>
#include <set>

namespace {

// What the binder's table says of an entry; entries past it are bytes the
// game does not read.
EntryLayout role_layout(std::span<const PackRole> roles, int entry)
{
    const PackRole* role = find_role(roles, entry);
    if (!role)
        return {KIND_BLOB, 0, 0, "not used"};
    return {role->kind, role->encoding, role->palette, role->about};
}

// The game reads entries 0..45 of its pack and 0..1 of the logo pack.
PackLayout layout_for(int entry_count)
{
    if (entry_count >= (int)GAME_PACK_ROLES.size())
        return LAYOUT_GAME;
    if (entry_count == (int)LOGO_PACK_ROLES.size())
        return LAYOUT_LOGO;
    return LAYOUT_UNKNOWN;
}

}  // namespace

const char* layout_name(PackLayout layout)
{
    return layout == LAYOUT_GAME ? "game" : layout == LAYOUT_LOGO ? "logo" : "unknown";
}

const char* kind_name(EntryKind kind)
{
    static const char* const names[] = {"palette", "screen", "image", "images", "sounds", "texts", "table", "blob"};
    return names[kind];
}

const char* encoding_name(int encoding)
{
    return encoding == IMAGE_RAW ? "raw" : encoding == IMAGE_RUNS ? "runs" : "fill-runs";
}

EntryLayout entry_layout(PackLayout layout, int entry)
{
    if (layout == LAYOUT_GAME)
        return role_layout(GAME_PACK_ROLES, entry);
    if (layout == LAYOUT_LOGO)
        return role_layout(LOGO_PACK_ROLES, entry);
    return {KIND_BLOB, 0, -1, "unknown"};
}

bool pack_read(const std::string& path, PackContents* contents, std::string* error)
{
    // Read once: the loader checks the very bytes the pieces are cut from.
    if (!media_read_file(path, &contents->file)) {
        *error = "cannot read the file";
        return false;
    }
    ResourcePack* pack = load_pack_memory(contents->file.data(), contents->file.size(), error);
    if (!pack)
        return false;
    contents->layout = layout_for(pack->entry_count);
    contents->entries.assign((size_t)pack->entry_count, PackEntry{});

    // Every place something starts; each piece runs up to the next one.
    const uint8_t* end = pack->block + pack->size;
    std::set<const uint8_t*> starts = {end};
    std::vector<PackTable> tables((size_t)pack->entry_count, PackTable{0, nullptr});
    // Binding a table moves its entry past the count: keep where each began.
    std::vector<const uint8_t*> entry_starts(pack->entries, pack->entries + pack->entry_count);
    for (int e = 0; e < pack->entry_count; e++) {
        PackEntry& entry = contents->entries[(size_t)e];
        entry.layout = entry_layout(contents->layout, e);
        starts.insert(entry_starts[(size_t)e]);
        EntryKind kind = entry.layout.kind;
        if (kind == KIND_IMAGES || kind == KIND_SOUNDS || kind == KIND_TEXTS || kind == KIND_TABLE) {
            if (!bind_table(pack, e, &tables[(size_t)e], error)) {
                *error = "entry " + std::to_string(e) + " (" + entry.layout.role + "): " + *error;
                free_pack(pack);
                return false;
            }
            if (kind == KIND_SOUNDS && !pack_check_sound_bank(tables[(size_t)e], error)) {
                *error = "entry " + std::to_string(e) + " (" + entry.layout.role + "): " + *error;
                free_pack(pack);
                return false;
            }
            for (int i = 0; i < tables[(size_t)e].count; i++)
                starts.insert(tables[(size_t)e].items[i]);
        }
    }
    auto piece = [&](const uint8_t* from, const uint8_t* to) { return Bytes(from, to); };
    // An empty piece at the block's end has nothing after it.
    auto next_start = [&](const uint8_t* from) {
        auto next = starts.upper_bound(from);
        return next == starts.end() ? end : *next;
    };
    for (int e = 0; e < pack->entry_count; e++) {
        PackEntry& entry = contents->entries[(size_t)e];
        const PackTable& table = tables[(size_t)e];
        entry.bytes = piece(entry_starts[(size_t)e], next_start(entry_starts[(size_t)e]));
        if (entry.layout.kind == KIND_SOUNDS) {
            for (int k = 0; k + 1 < table.count; k++)
                entry.items.push_back(piece(table.items[k], table.items[k + 1]));
        } else if (entry.layout.kind == KIND_IMAGES || entry.layout.kind == KIND_TEXTS || entry.layout.kind == KIND_TABLE) {
            for (int k = 0; k < table.count; k++)
                entry.items.push_back(piece(table.items[k], next_start(table.items[k])));
        }
    }
    free_pack(pack);
    return true;
}

Bytes pack_assemble(const PackContents& contents)
{
    std::vector<Bytes> entries;
    for (const PackEntry& entry : contents.entries) {
        switch (entry.layout.kind) {
        case KIND_SOUNDS: entries.push_back(make_sound_bank(entry.items)); break;
        case KIND_IMAGES:
        case KIND_TEXTS:
        case KIND_TABLE: entries.push_back(make_table(entry.items)); break;
        default: entries.push_back(entry.bytes); break;
        }
    }
    return make_pack(entries);
}

bool packtool_begin()
{
    if (display.back_buffer)
        return true;
    platform_use(headless_backend());
    return display_create();
}

bool image_decode(const Bytes& record, int encoding, DecodedImage* image, std::string* error)
{
    // What the game would refuse to draw is not drawn here either.
    std::string why;
    if (!pack_check_image_bytes(record.data(), record.size(), encoding, &why)) {
        if (error)
            *error = why;
        return false;
    }
    const ImageRecord* header = (const ImageRecord*)record.data();
    image->x_offset = image_x_offset(header);
    image->y_offset = image_y_offset(header);
    image->width = image_width(header);
    image->height = image_height(header);
    size_t area = (size_t)image->width * image->height;
    if (encoding == IMAGE_RAW) {
        image->pixels.assign(record.begin() + IMAGE_HEADER_BYTES, record.begin() + (long)(IMAGE_HEADER_BYTES + area));
        return true;
    }
    // Run images: drawn by the game at the screen's corner over two
    // different colours; what keeps the colour below was skipped.
    if (!packtool_begin()) {
        if (error)
            *error = "no display to draw the image on";
        return false;
    }
    Bytes moved = record;
    std::memset(moved.data(), 0, 4);
    std::vector<uint8_t> first(area);
    image->pixels.assign(area, 0);
    for (int pass = 0; pass < 2; pass++) {
        display_clear(pass == 0 ? 0x00 : 0xFF);
        DrawResult result;
        if (encoding == IMAGE_RUNS)
            draw_runs(&result, 0, 0, (const ImageRecord*)moved.data());
        else
            draw_fill_runs(&result, 0, 0, (const ImageRecord*)moved.data());
        for (int y = 0; y < image->height; y++)
            for (int x = 0; x < image->width; x++) {
                uint8_t p = display.back_buffer[(size_t)y * display.pitch + x];
                size_t i = (size_t)y * image->width + x;
                if (pass == 0)
                    first[i] = p;
                else
                    image->pixels[i] = first[i] == 0x00 && p == 0xFF ? PIXEL_SKIP : first[i];
            }
    }
    return true;
}

Bytes image_encode(const DecodedImage& image, int encoding)
{
    return encode_with_skips(image.x_offset, image.y_offset, image.width, image.height, image.pixels, encoding);
}

void palette_rgb8(const Bytes& palette, uint8_t rgb[768])
{
    for (int i = 0; i < 768; i++)
        rgb[i] = display_level8(i < (int)palette.size() ? (uint8_t)(palette[i] & 63) : 0);
}

void entry_palette(const PackContents& contents, int entry, uint8_t rgb[768])
{
    int p = contents.entries[(size_t)entry].layout.palette_entry;
    if (p >= 0 && p < (int)contents.entries.size() && contents.entries[(size_t)p].layout.kind == KIND_PALETTE &&
        contents.entries[(size_t)p].bytes.size() >= 768) {
        palette_rgb8(contents.entries[(size_t)p].bytes, rgb);
        return;
    }
    for (int i = 0; i < 256; i++)
        rgb[i * 3] = rgb[i * 3 + 1] = rgb[i * 3 + 2] = (uint8_t)i;
}
