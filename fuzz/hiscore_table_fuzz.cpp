// Fuzzing the high-score file at the level of its bytes: any bytes are read
// as the load reads "HIGH50", without the screens around it. A file of the
// wrong size must leave the table untouched; any other becomes a table of
// its rows, best first, every name ended, that qualifies results as its
// lowest row says, and that written back and read again is the same table
// and the same bytes.
#include "hiscore/hiscore.h"

#include <climits>
#include <cstring>

namespace {

constexpr int FILE_BYTES = HISCORE_MAX * HISCORE_ENTRY_BYTES;

// A table unlike any the fuzzer's bytes make, to see that a refused file
// leaves it alone.
void fill_marked_table()
{
    hiscore_reset();
    hiscore_table.count = 3;
    for (int row = 0; row < HISCORE_MAX; row++) {
        std::memset(hiscore_table.entries[row].name, 'a' + row, HISCORE_NAME_BYTES);
        hiscore_table.entries[row].score = -1000 - row;
    }
}

bool same_table(const HighScoreTable& a, const HighScoreTable& b)
{
    return a.count == b.count && std::memcmp(a.entries, b.entries, sizeof a.entries) == 0;
}

// Each row of the file is in the table exactly once (the name as far as its
// field's last byte, which the load makes its end).
bool rows_kept(const uint8_t* bytes, int count)
{
    bool used[HISCORE_MAX] = {};
    for (int row = 0; row < count; row++) {
        HighScoreEntry wanted;
        std::memcpy(&wanted, bytes + row * HISCORE_ENTRY_BYTES, HISCORE_ENTRY_BYTES);
        wanted.name[HISCORE_NAME_BYTES - 1] = 0;
        const uint8_t* s = bytes + row * HISCORE_ENTRY_BYTES + HISCORE_NAME_BYTES;
        wanted.score = (int32_t)((uint32_t)s[0] | (uint32_t)s[1] << 8 | (uint32_t)s[2] << 16 | (uint32_t)s[3] << 24);
        bool found = false;
        for (int i = 0; i < count && !found; i++) {
            const HighScoreEntry& entry = hiscore_table.entries[i];
            if (!used[i] && entry.score == wanted.score &&
                std::memcmp(entry.name, wanted.name, HISCORE_NAME_BYTES) == 0)
                used[i] = found = true;
        }
        if (!found)
            return false;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fill_marked_table();
    HighScoreTable before = hiscore_table;
    bool whole_rows = size % HISCORE_ENTRY_BYTES == 0 && size <= (size_t)FILE_BYTES;
    if (!hiscore_decode(data, (int64_t)size)) {
        if (whole_rows || !same_table(hiscore_table, before))
            __builtin_trap();    // a good file refused, or a refused one that changed the table
        return 0;
    }
    if (!whole_rows)
        __builtin_trap();    // a file of the wrong size taken for a table

    const HighScoreTable& t = hiscore_table;
    int count = (int)(size / HISCORE_ENTRY_BYTES);
    if (t.count != count || !rows_kept(data, count))
        __builtin_trap();
    for (int row = 0; row < count; row++) {
        if (std::memchr(t.entries[row].name, 0, HISCORE_NAME_BYTES) == nullptr)
            __builtin_trap();    // a name that runs past its field
        if (row > 0 && t.entries[row].score > t.entries[row - 1].score)
            __builtin_trap();    // out of order
    }

    // A result qualifies while there is room, and in a full table only when
    // it beats the lowest row.
    int32_t lowest = count > 0 ? t.entries[count - 1].score : INT32_MIN;
    if (count < HISCORE_MAX) {
        if (!hiscore_qualifies(INT32_MIN) || !hiscore_qualifies(lowest))
            __builtin_trap();
    } else if (hiscore_qualifies(lowest) || (lowest < INT32_MAX && !hiscore_qualifies(lowest + 1))) {
        __builtin_trap();
    }

    // The table as the game writes it back reads as the same table, and
    // writing that again gives the same bytes.
    HighScoreTable loaded = hiscore_table;
    uint8_t written[FILE_BYTES], again[FILE_BYTES];
    uint32_t length = hiscore_encode(written);
    if (length != size || !hiscore_decode(written, length) || !same_table(hiscore_table, loaded))
        __builtin_trap();
    if (hiscore_encode(again) != length || std::memcmp(written, again, length) != 0)
        __builtin_trap();
    return 0;
}
