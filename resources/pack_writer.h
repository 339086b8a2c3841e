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
// Skips and copies are cut at 128 pixels (64 for fill-run copies); the
// fill-run encoder writes a fill run for every repeat of 3 or more (at most
// 64 a run) unless a row would then need more than 255 runs. Each returns
// an empty Bytes when the image cannot be encoded: a size outside 1..65535,
// or a row that needs more than 255 runs.
Bytes encode_raw(int x_offset, int y_offset, int width, int height, const uint8_t* pixels);
Bytes encode_runs(int x_offset, int y_offset, int width, int height, const uint8_t* pixels, int transparent);
Bytes encode_fill_runs(int x_offset, int y_offset, int width, int height, const uint8_t* pixels, int transparent);

// Pictures kept as ints, with PIXEL_SKIP where a run image leaves the
// screen as it is. The skips need an index of their own when encoded: the
// lowest one the picture does not use (-1 without skips, -2 when all 256
// are used).
constexpr int PIXEL_SKIP = 256;
int skip_stand_in(const std::vector<int>& pixels);
// The picture's bytes, its skips written as `stand_in`.
std::vector<uint8_t> pixels_with_skips_as(const std::vector<int>& pixels, int stand_in);
// Encodes such a picture in `encoding` (IMAGE_RAW, IMAGE_RUNS or
// IMAGE_FILL_RUNS of resources/pack.h); empty bytes when it cannot be.
Bytes encode_with_skips(int x_offset, int y_offset, int width, int height, const std::vector<int>& pixels, int encoding);

// A table: count then offsets, the items packed after it. For a sound bank
// use make_sound_bank(): M - 1 samples give M pointers.
Bytes make_table(const std::vector<Bytes>& items);
Bytes make_sound_bank(const std::vector<Bytes>& samples);
// A text table: each text NUL-terminated.
Bytes make_text_table(const std::vector<std::string>& texts);

// A whole pack: entry count, offsets, entry data in order.
Bytes make_pack(const std::vector<Bytes>& entries);
// Writes `bytes` to a new file (or over an old one); true on success.
bool save_bytes(const char* path, const Bytes& bytes);
