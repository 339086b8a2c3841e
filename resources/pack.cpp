// Loading resource packs, resolving their entries and tables, and checking
// what their entries hold before anything is drawn from them.
#include "resources/pack.h"

#include "platform/file.h"
#include "video/display.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// The block's offsets are 32-bit signed, so no block is larger than that.
constexpr size_t PACK_MAX_BLOCK = 0x7FFFFFFF;

int32_t read_int32(const uint8_t* at)
{
    return (int32_t)((uint32_t)at[0] | (uint32_t)at[1] << 8 | (uint32_t)at[2] << 16 | (uint32_t)at[3] << 24);
}

__attribute__((format(printf, 1, 2))) std::string format(const char* pattern, ...)
{
    char text[200];
    va_list values;
    va_start(values, pattern);
    std::vsnprintf(text, sizeof text, pattern, values);
    va_end(values);
    return text;
}

bool fail(std::string* error, const std::string& message)
{
    if (error)
        *error = message;
    return false;
}

size_t round_up(size_t n) { return (n + 15) & ~(size_t)15; }

// Where `at` lies in the block, when it lies in it or just at its end.
bool block_position(const ResourcePack* pack, const uint8_t* at, size_t* position)
{
    uintptr_t start = (uintptr_t)pack->block, here = (uintptr_t)at;
    if (here < start || here - start > pack->size)
        return false;
    *position = here - start;
    return true;
}

// What a pack's entry count and block size must allow.
bool sizes_fit(int32_t entry_count, size_t block_size, std::string* error)
{
    if (block_size > PACK_MAX_BLOCK)
        return fail(error, format("the pack is %zu bytes, more than its 32-bit offsets can reach", block_size + 4));
    if (entry_count < 0)
        return fail(error, format("entry count %d is negative", entry_count));
    if ((uint64_t)entry_count * 4 > block_size)
        return fail(error, format("entry count %d needs %lld bytes of offsets, the block holds %zu", entry_count,
                                  (long long)entry_count * 4, block_size));
    return true;
}

// Checks every entry offset and bounds how many table items binding can
// need: the sum of the counts at the entries that could be tables, and never
// more than one item per 4 bytes of block, which tables that do not overlap
// cannot pass.
bool measure_entries(const uint8_t* block, size_t block_size, int32_t entry_count, size_t* room, std::string* error)
{
    uint64_t items = 0;
    for (int32_t e = 0; e < entry_count; e++) {
        int32_t offset = read_int32(block + 4 * (size_t)e);
        if (offset < 0 || (size_t)offset > block_size)
            return fail(error, format("entry %d: offset %d is outside the block of %zu bytes", e, offset, block_size));
        size_t left = block_size - (size_t)offset;
        if (left >= 4) {
            int32_t count = read_int32(block + offset);
            if (count > 0 && (uint64_t)count * 4 <= left - 4)
                items += (uint64_t)count;
        }
    }
    *room = items < block_size / 4 ? (size_t)items : block_size / 4;
    return true;
}

// One allocation holds the record, the block, the resolved entries, the
// bound tables and the room for table items, in this order.
struct PackLayout {
    size_t block_at, entries_at, tables_at, items_at, total;
};

PackLayout pack_layout(int32_t entry_count, size_t block_size, size_t room)
{
    PackLayout layout;
    layout.block_at = round_up(sizeof(ResourcePack));
    layout.entries_at = layout.block_at + round_up(block_size);
    layout.tables_at = layout.entries_at + round_up((size_t)entry_count * sizeof(const uint8_t*));
    layout.items_at = layout.tables_at + round_up((size_t)entry_count * sizeof(PackTable));
    layout.total = layout.items_at + room * sizeof(const uint8_t*);
    return layout;
}

// Fills in the record of an allocation whose block is in place and whose
// entry offsets have been measured, and resolves the entries.
ResourcePack* pack_finish(uint8_t* memory, int32_t entry_count, size_t block_size, size_t room)
{
    PackLayout layout = pack_layout(entry_count, block_size, room);
    ResourcePack* pack = (ResourcePack*)memory;
    pack->block = memory + layout.block_at;
    pack->size = block_size;
    pack->entry_count = entry_count;
    pack->entries = (const uint8_t**)(memory + layout.entries_at);
    pack->tables = (PackTable*)(memory + layout.tables_at);
    pack->table_items = (const uint8_t**)(memory + layout.items_at);
    pack->table_items_used = 0;
    pack->table_items_room = room;
    for (int32_t e = 0; e < entry_count; e++) {
        pack->entries[e] = pack->block + read_int32(pack->block + 4 * (size_t)e);
        pack->tables[e] = {-1, nullptr};
    }
    return pack;
}

// Walks the rows of a run or fill-run image starting at position `at` of
// the `end` bytes from `bytes`, checking every run count, control byte and
// pixel byte against the end and every row's length against the width.
bool check_run_rows(const uint8_t* block, size_t end, size_t at, int width, int height, int encoding,
                    std::string* error)
{
    for (int row = 0; row < height; row++) {
        if (at >= end)
            return fail(error, format("row %d starts past the end of the block", row));
        int runs = block[at++];
        if (runs == 0)
            return fail(error, format("row %d has no runs", row));
        long length = 0;
        for (int run = 0; run < runs; run++) {
            if (at >= end)
                return fail(error, format("row %d runs past the end of the block", row));
            int control = block[at++];
            size_t data = 0;
            if (control < 0x80) {
                length += control + 1;
            } else if (encoding == IMAGE_RUNS) {
                length += (control & 0x7F) + 1;
                data = (size_t)(control & 0x7F) + 1;
            } else if (control < 0xC0) {
                length += (control & 0x3F) + 1;
                data = (size_t)(control & 0x3F) + 1;
            } else {
                length += (control & 0x3F) + 1;
                data = 1;
            }
            if (data > end - at)
                return fail(error, format("row %d runs past the end of the block", row));
            at += data;
        }
        if (length != width)
            return fail(error, format("row %d runs add up to %ld, not %d", row, length, width));
    }
    return true;
}

}  // namespace

ResourcePack* load_pack_memory(const uint8_t* bytes, size_t size, std::string* error)
{
    if (size < 4) {
        fail(error, "the pack is shorter than 4 bytes");
        return nullptr;
    }
    int32_t entry_count = read_int32(bytes);
    size_t block_size = size - 4, room;
    if (!sizes_fit(entry_count, block_size, error) || !measure_entries(bytes + 4, block_size, entry_count, &room, error))
        return nullptr;
    PackLayout layout = pack_layout(entry_count, block_size, room);
    uint8_t* memory = (uint8_t*)std::malloc(layout.total);
    if (!memory) {
        fail(error, format("no memory for a pack of %zu bytes", size));
        return nullptr;
    }
    std::memcpy(memory + layout.block_at, bytes + 4, block_size);
    return pack_finish(memory, entry_count, block_size, room);
}

// Reads the entry count, then the rest of the file into the block; the
// allocation grows by the entries and tables once the offsets are known.
ResourcePack* load_pack_file(const char* path, std::string* error)
{
    File file;
    if (!file_open(&file, path, FILE_READ)) {
        fail(error, format("cannot open the file (%s)", file_error_text(file_last_error())));
        return nullptr;
    }
    int64_t size = file_size(&file);
    uint8_t count[4];
    int32_t entry_count = 0;
    size_t block_size = 0;
    uint8_t* memory = nullptr;
    if (size < 0) {
        fail(error, "cannot tell the size of the file");
    } else if (size < 4) {
        fail(error, "the pack is shorter than 4 bytes");
    } else if (file_read(&file, count, 4) != 4) {
        fail(error, "cannot read the entry count");
    } else if ((uint64_t)size - 4 > PACK_MAX_BLOCK) {
        fail(error, format("the pack is %lld bytes, more than its 32-bit offsets can reach", (long long)size));
    } else {
        entry_count = read_int32(count);
        block_size = (size_t)size - 4;
        if (sizes_fit(entry_count, block_size, error)) {
            memory = (uint8_t*)std::malloc(pack_layout(entry_count, block_size, 0).block_at + block_size);
            if (!memory)
                fail(error, format("no memory for a pack of %lld bytes", (long long)size));
        }
    }
    ResourcePack* pack = nullptr;
    if (memory) {
        // A regular file gives all it has in one read; a short one is taken
        // in pieces rather than failed, but an early end is an error.
        uint8_t* block = memory + pack_layout(entry_count, block_size, 0).block_at;
        size_t got = 0, room = 0;
        while (got < block_size) {
            uint32_t part = file_read(&file, block + got, (uint32_t)(block_size - got));
            if (part == 0)
                break;
            got += part;
        }
        if (got < block_size) {
            fail(error, format("read %zu of the %zu bytes after the entry count", got, block_size));
        } else if (measure_entries(block, block_size, entry_count, &room, error)) {
            uint8_t* grown = (uint8_t*)std::realloc(memory, pack_layout(entry_count, block_size, room).total);
            if (grown) {
                memory = grown;
                pack = pack_finish(memory, entry_count, block_size, room);
            } else {
                fail(error, format("no memory for a pack of %lld bytes", (long long)size));
            }
        }
        if (!pack)
            std::free(memory);
    }
    file_close(&file);
    return pack;
}

void free_pack(ResourcePack* pack) { std::free(pack); }

bool bind_table(ResourcePack* pack, int entry, PackTable* table, std::string* error)
{
    if (entry < 0 || entry >= pack->entry_count)
        return fail(error, format("the pack has no entry %d (it has %d)", entry, pack->entry_count));
    if (pack->tables[entry].count >= 0) {
        *table = pack->tables[entry];
        return true;
    }

    size_t at = (size_t)(pack->entries[entry] - pack->block);
    size_t left = pack->size - at;
    if (left < 4)
        return fail(error, "no room for a table count before the end of the block");
    int32_t count = read_int32(pack->block + at);
    if (count < 0)
        return fail(error, format("table count %d is negative", count));
    if ((uint64_t)count * 4 > left - 4)
        return fail(error, format("table count %d needs %lld bytes of offsets, %zu are left in the block", count,
                                  (long long)count * 4, left - 4));

    // Another entry at the same place already holds this table.
    for (int32_t other = 0; other < pack->entry_count; other++) {
        if (pack->tables[other].count >= 0 && pack->entries[other] == pack->entries[entry] + 4) {
            pack->tables[entry] = pack->tables[other];
            pack->entries[entry] += 4;
            *table = pack->tables[entry];
            return true;
        }
    }
    if ((size_t)count > pack->table_items_room - pack->table_items_used)
        return fail(error, format("table of %d items overlaps other tables", count));

    size_t first = at + 4;
    const uint8_t** items = pack->table_items + pack->table_items_used;
    for (int32_t i = 0; i < count; i++) {
        int32_t offset = read_int32(pack->block + first + 4 * (size_t)i);
        int64_t item = (int64_t)first + offset;
        if (item < 0 || item > (int64_t)pack->size)
            return fail(error, format("item %d: offset %d leads outside the block", i, offset));
        items[i] = pack->block + item;
    }
    pack->table_items_used += (size_t)count;
    pack->tables[entry] = {count, items};
    pack->entries[entry] += 4;
    *table = pack->tables[entry];
    return true;
}

bool pack_check_image(const ResourcePack* pack, const uint8_t* image, int encoding, std::string* error,
                      bool drawn_at_origin)
{
    size_t at;
    if (!block_position(pack, image, &at))
        return fail(error, "the image is not inside the block");
    return pack_check_image_bytes(image, pack->size - at, encoding, error, drawn_at_origin);
}

bool pack_check_image_bytes(const uint8_t* image, size_t size, int encoding, std::string* error,
                            bool drawn_at_origin)
{
    if (size < IMAGE_HEADER_BYTES)
        return fail(error, "the image header runs past the end of the block");
    const ImageRecord* record = (const ImageRecord*)image;
    int x = image_x_offset(record), y = image_y_offset(record);
    int width = image_width(record), height = image_height(record);
    if (width < 1 || height < 1)
        return fail(error, format("the image is %d x %d; both must be at least 1", width, height));
    // Clipping counts on no image being larger than the screen.
    if (width > SCREEN_WIDTH || height > SCREEN_HEIGHT)
        return fail(error, format("the image is %d x %d, larger than the 640 x 480 screen", width, height));
    if (drawn_at_origin && (x < 0 || y < 0 || x + width > SCREEN_WIDTH || y + height > SCREEN_HEIGHT))
        return fail(error, format("a %d x %d image at (%d, %d) does not lie wholly on the 640 x 480 screen", width,
                                  height, x, y));
    size_t at = IMAGE_HEADER_BYTES;
    if (encoding == IMAGE_RAW) {
        size_t pixels = (size_t)width * height;
        if (pixels > size - at)
            return fail(error, format("%zu pixels of a %d x %d image, %zu bytes left in the block", pixels, width,
                                      height, size - at));
        return true;
    }
    return check_run_rows(image, size, at, width, height, encoding, error);
}

bool pack_check_sound_bank(const PackTable& bank, std::string* error)
{
    for (int k = 0; k + 1 < bank.count; k++) {
        if (bank.items[k + 1] < bank.items[k])
            return fail(error, format("sample %d ends before it starts (pointer %d lies before pointer %d)", k, k + 1,
                                      k));
    }
    return true;
}

bool pack_check_palette(const ResourcePack* pack, const uint8_t* palette, std::string* error)
{
    static const char* const component_names[3] = {"red", "green", "blue"};
    size_t at;
    if (!block_position(pack, palette, &at))
        return fail(error, "the palette is not inside the block");
    if (pack->size - at < PALETTE_BYTES)
        return fail(error, format("a palette needs %d bytes, %zu are left in the block", PALETTE_BYTES, pack->size - at));
    for (int i = 0; i < PALETTE_BYTES; i++) {
        if (palette[i] > 63)
            return fail(error, format("colour %d: %s is %d, more than 63", i / 3, component_names[i % 3], palette[i]));
    }
    return true;
}

bool pack_check_screen(const ResourcePack* pack, const uint8_t* screen, std::string* error)
{
    size_t at;
    if (!block_position(pack, screen, &at))
        return fail(error, "the picture is not inside the block");
    if (pack->size - at < SCREEN_COPY_BYTES)
        return fail(error, format("a screen picture needs %d bytes, %zu are left in the block", SCREEN_COPY_BYTES,
                                  pack->size - at));
    return true;
}

bool pack_check_text(const ResourcePack* pack, const uint8_t* text, std::string* error)
{
    size_t at;
    if (!block_position(pack, text, &at))
        return fail(error, "the text is not inside the block");
    size_t left = pack->size - at;
    if (!std::memchr(text, 0, left < PACK_TEXT_MAX + 1 ? left : PACK_TEXT_MAX + 1))
        return fail(error, left <= PACK_TEXT_MAX ? std::string("the text has no NUL before the end of the block")
                                                 : format("the text is longer than %d characters", PACK_TEXT_MAX));
    return true;
}
