// The high-score table and its file. "HIGH50" is the table's rows, 40 bytes
// each, back to back: a 36-byte name and a signed 32-bit little-endian score.
#include "hiscore/hiscore.h"

#include "platform/globals.h"
#include "platform/platform.h"

#include <cstdio>
#include <cstring>

HighScoreTable hiscore_table = {{FILE_INVALID}, {}, 0};

static const char CURRENT_DIR[] = "./";

// Why the table's file could last not be opened or written: the reason a
// failed save gives, also when the file could not be had in the first place.
static int file_error = FILE_ERROR_NONE;

void hiscore_find_dir(char* dir)
{
    // Room is left for the file name, so the path always fits the buffer; a
    // directory too long for it counts as none.
    size_t room = HISCORE_DIR_BYTES - std::strlen(HISCORE_FILE_NAME);
    if (!platform_read_install_dir(quick_start, dir, room) || dir[0] == 0)
        std::memcpy(dir, CURRENT_DIR, sizeof CURRENT_DIR);
}

static void build_path(char* path)
{
    hiscore_find_dir(path);
    std::strcat(path, HISCORE_FILE_NAME);
}

static void decode_entry(const uint8_t* bytes, HighScoreEntry& entry)
{
    std::memcpy(entry.name, bytes, HISCORE_NAME_BYTES);
    entry.name[HISCORE_NAME_BYTES - 1] = 0;    // a name without its NUL ends inside its field
    const uint8_t* s = bytes + HISCORE_NAME_BYTES;
    entry.score = (int32_t)((uint32_t)s[0] | (uint32_t)s[1] << 8 | (uint32_t)s[2] << 16 | (uint32_t)s[3] << 24);
}

static void encode_entry(const HighScoreEntry& entry, uint8_t* bytes)
{
    std::memcpy(bytes, entry.name, HISCORE_NAME_BYTES);
    uint32_t s = (uint32_t)entry.score;
    uint8_t* out = bytes + HISCORE_NAME_BYTES;
    out[0] = (uint8_t)s;
    out[1] = (uint8_t)(s >> 8);
    out[2] = (uint8_t)(s >> 16);
    out[3] = (uint8_t)(s >> 24);
}

// A file holds whole rows, at most fifteen of them; an empty file is an
// empty table.
static bool valid_size(int64_t size)
{
    return size >= 0 && size % HISCORE_ENTRY_BYTES == 0 && size / HISCORE_ENTRY_BYTES <= HISCORE_MAX;
}

// Reads exactly `count` bytes, however the system hands them out.
static bool read_all(File* file, uint8_t* buffer, uint32_t count)
{
    uint32_t done = 0;
    while (done < count) {
        uint32_t got = file_read(file, buffer + done, count - done);
        if (got == 0)
            return false;
        done += got;
    }
    return true;
}

void hiscore_reset()
{
    for (HighScoreEntry& entry : hiscore_table.entries) {
        entry.name[0] = 0;
        entry.score = -1;
    }
    hiscore_table.count = 0;
}

int hiscore_load()
{
    char path[HISCORE_DIR_BYTES];
    build_path(path);
    HighScoreTable& t = hiscore_table;
    if (!file_open(&t.file, path, FILE_UPDATE)) {
        if (file_last_error() == FILE_ERROR_SHARING_VIOLATION)
            return HISCORE_BUSY;
        file_error = file_last_error();
        hiscore_reset();
        return HISCORE_RESET;
    }
    int64_t size = file_size(&t.file);
    uint8_t bytes[HISCORE_MAX * HISCORE_ENTRY_BYTES];
    bool valid = valid_size(size) && read_all(&t.file, bytes, (uint32_t)size) && file_rewind(&t.file) &&
                 hiscore_decode(bytes, size);
    if (!valid) {
        hiscore_reset();
        file_close(&t.file);
        return HISCORE_RESET;
    }
    return HISCORE_LOADED;
}

bool hiscore_decode(const uint8_t* bytes, int64_t size)
{
    if (!valid_size(size))
        return false;
    HighScoreTable& t = hiscore_table;
    t.count = (int32_t)(size / HISCORE_ENTRY_BYTES);
    for (int row = 0; row < t.count; row++)
        decode_entry(bytes + row * HISCORE_ENTRY_BYTES, t.entries[row]);
    hiscore_sort();
    return true;
}

uint32_t hiscore_encode(uint8_t* bytes)
{
    const HighScoreTable& t = hiscore_table;
    for (int row = 0; row < t.count; row++)
        encode_entry(t.entries[row], bytes + row * HISCORE_ENTRY_BYTES);
    return (uint32_t)t.count * HISCORE_ENTRY_BYTES;
}

bool hiscore_create()
{
    char path[HISCORE_DIR_BYTES];
    build_path(path);
    bool created = file_open(&hiscore_table.file, path, FILE_CREATE);
    file_error = created ? FILE_ERROR_NONE : file_last_error();
    return created;
}

bool hiscore_save()
{
    // The new table takes the old one's place whole, while the file is still
    // held: another copy of the game finds it busy, or finds a whole table,
    // and a save that fails for want of room leaves the old table.
    HighScoreTable& t = hiscore_table;
    char path[HISCORE_DIR_BYTES];
    build_path(path);
    uint8_t bytes[HISCORE_MAX * HISCORE_ENTRY_BYTES];
    uint32_t length = hiscore_encode(bytes);
    bool saved = file_is_open(&t.file) && file_rewrite_held(&t.file, path, bytes, length);
    if (saved)
        file_error = FILE_ERROR_NONE;
    else if (file_is_open(&t.file))
        file_error = file_last_error();
    file_close(&t.file);
    if (!saved)
        std::fprintf(stderr, "flickermoth: the high scores cannot be saved in %s (%s)\n", path,
                     file_error_text(file_error));
    return saved;
}

void hiscore_close() { file_close(&hiscore_table.file); }

void hiscore_table_reset()
{
    hiscore_close();
    hiscore_table = {{FILE_INVALID}, {}, 0};
    file_error = FILE_ERROR_NONE;
}

void hiscore_sort()
{
    // A selection sort on whole rows; among equal scores the earliest row
    // counts as the largest, so a table in order keeps its order.
    HighScoreTable& t = hiscore_table;
    for (int i = 0; i < t.count - 1; i++) {
        int best = i;
        for (int j = i + 1; j < t.count; j++)
            if (t.entries[j].score > t.entries[best].score)
                best = j;
        HighScoreEntry held = t.entries[i];
        t.entries[i] = t.entries[best];
        t.entries[best] = held;
    }
}

bool hiscore_qualifies(int32_t score)
{
    const HighScoreTable& t = hiscore_table;
    return t.count < HISCORE_MAX || score > t.entries[HISCORE_MAX - 1].score;
}
