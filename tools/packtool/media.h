// Files the pack inspector reads and writes besides packs: indexed PNG
// pictures (with one colour index marked transparent), true-colour PNG
// sheets, and WAV sounds.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct IndexedPicture {
    int width = 0, height = 0;
    std::vector<uint8_t> pixels;    // colour indices, rows without padding
    uint8_t rgb[768] = {};          // the palette, 8-bit red, green, blue
    int transparent = -1;           // the index shown as transparent, or -1
};

bool media_write_indexed_png(const std::string& path, const IndexedPicture& picture);
// False, with `error` set, when the file is not an 8-bit (or less) indexed PNG.
bool media_read_indexed_png(const std::string& path, IndexedPicture* picture, std::string* error);
// `rgb` holds width x height x 3 bytes.
bool media_write_rgb_png(const std::string& path, int width, int height, const std::vector<uint8_t>& rgb);

// Unsigned 8-bit mono sound.
bool media_write_wav(const std::string& path, const std::vector<uint8_t>& samples, int rate);
// The sample bytes of an unsigned 8-bit mono WAV file.
bool media_read_wav(const std::string& path, std::vector<uint8_t>* samples, std::string* error);

// The whole file; false when it cannot be opened or read to its end.
bool media_read_file(const std::string& path, std::vector<uint8_t>* bytes);
