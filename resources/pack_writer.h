// Building packs in memory, for the data generator, the pack inspector and
// tests. The writer lays entries out in order and can encode plain pixel
// arrays into each of the three image encodings.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

using Bytes = std::vector<uint8_t>;

// Image encoders. `pixels` holds height rows of width colour indices.
// Raw keeps the pixels as they are (index 0 is then transparent). The run
// encoders write every pixel equal to `transparent` as a skip and every
// other pixel as it is (index 0 included); pass -1 for no transparency.
Bytes encode_raw(int x_offset, int y_offset, int width, int height, const uint8_t* pixels);
Bytes encode_runs(int x_offset, int y_offset, int width, int height, const uint8_t* pixels, int transparent);
Bytes encode_fill_runs(int x_offset, int y_offset, int width, int height, const uint8_t* pixels, int transparent);

// A table: count then offsets, the items packed after it. For a sound bank
// use sound_bank(): M - 1 samples give M pointers.
Bytes make_table(const std::vector<Bytes>& items);
Bytes make_sound_bank(const std::vector<Bytes>& samples);
// A text table: each text NUL-terminated.
Bytes make_text_table(const std::vector<std::string>& texts);

// A whole pack: entry count, offsets, entry data in order.
Bytes make_pack(const std::vector<Bytes>& entries);
bool save_bytes(const char* path, const Bytes& bytes);
