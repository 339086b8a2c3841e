// Fuzzing the recording at the level of its records: any bytes are read as
// "DATA52.RES" with the playback's own record decoding, word by word from
// memory instead of the file. Every record it accepts must be one the
// recorder can write: a position on the screen, at most one button, and
// written again it gives back exactly the bytes it was read from. The other
// way round, records made from the bytes, written and read back, must come
// back unchanged and take exactly the bytes written.
#include "input/input.h"
#include "platform/globals.h"

#include <cstring>

namespace {

constexpr size_t RECORDS_MADE = 256;

const uint8_t* source;
size_t source_left;
uint8_t sink[RECORDS_MADE * 8];
size_t sink_used;

bool read_word(uint32_t* word)
{
    if (source_left < 4)
        return false;
    *word = (uint32_t)source[0] | (uint32_t)source[1] << 8 | (uint32_t)source[2] << 16 | (uint32_t)source[3] << 24;
    source += 4;
    source_left -= 4;
    return true;
}

bool write_word(uint32_t word)
{
    if (sink_used + 4 > sizeof sink)
        return false;
    for (int i = 0; i < 4; i++)
        sink[sink_used++] = (uint8_t)(word >> (8 * i));
    return true;
}

void read_from(const uint8_t* data, size_t size)
{
    source = data;
    source_left = size;
}

bool on_screen(const ReplayRecord& r)
{
    return r.x >= 0 && r.x < SCREEN_WIDTH && r.y >= 0 && r.y < SCREEN_HEIGHT && (r.left == 0 || r.left == 1) &&
           (r.right == 0 || r.right == 1) && !(r.left && r.right);
}

// Playback as far as it goes, each record checked and written again.
void play_back(const uint8_t* data, size_t size)
{
    read_from(data, size);
    ReplayRecord record;
    while (true) {
        const uint8_t* start = source;
        if (!replay_decode_record(read_word, &record))
            break;
        if (!on_screen(record))
            __builtin_trap();
        sink_used = 0;
        if (!replay_encode_record(record, write_word) || sink_used != (size_t)(source - start) ||
            std::memcmp(sink, start, sink_used) != 0)
            __builtin_trap();    // read as something the recorder writes differently
    }
}

// Records made from the bytes (every position and button pair the recorder
// can meet), recorded, then played back.
void record_and_play(const uint8_t* data, size_t size)
{
    static ReplayRecord made[RECORDS_MADE];
    size_t count = 0;
    for (size_t i = 0; i + 4 <= size && count < RECORDS_MADE; i += 4) {
        uint32_t w = (uint32_t)data[i] | (uint32_t)data[i + 1] << 8 | (uint32_t)data[i + 2] << 16 |
                     (uint32_t)data[i + 3] << 24;
        made[count++] = {(int32_t)(w % SCREEN_WIDTH), (int32_t)((w >> 10) % SCREEN_HEIGHT), (int32_t)(w >> 30 & 1),
                         (int32_t)(w >> 31)};
    }
    sink_used = 0;
    for (size_t i = 0; i < count; i++)
        if (!replay_encode_record(made[i], write_word))
            __builtin_trap();
    read_from(sink, sink_used);
    for (size_t i = 0; i < count; i++) {
        const ReplayRecord& record = made[i];
        ReplayRecord back;
        // Both buttons down are recorded as the left one.
        ReplayRecord wanted = {record.x, record.y, record.left, record.left ? 0 : record.right};
        if (!replay_decode_record(read_word, &back) || std::memcmp(&back, &wanted, sizeof back) != 0)
            __builtin_trap();
    }
    if (source_left != 0)
        __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    play_back(data, size);
    record_and_play(data, size);
    return 0;
}
