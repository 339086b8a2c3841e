// Writing 8-bit palette pictures as PNG files (frame dumps, screenshots,
// extracted pack pictures), and true-colour ones (contact sheets).
#pragma once

#include <cstdint>
#include <vector>

// `pixels` holds `height` rows of `width` colour indices, rows `pitch` bytes
// apart; `rgb` holds 256 colours of 8-bit red, green, blue. A `transparent`
// index of 0..255 is marked see-through in the file. True when the whole
// file was written and closed.
bool png_write_indexed(const char* path, const uint8_t* pixels, int width, int height, int pitch, const uint8_t* rgb,
                       int transparent = -1);
// `rgb` holds `height` rows of `width` 8-bit red, green, blue triples, no
// padding. Written where the program has its PNG library (the tools).
bool png_write_rgb(const char* path, const uint8_t* rgb, int width, int height);
// Reads any PNG picture as rows of 8-bit red, green, blue, alpha, no
// padding. False when it cannot be read, or is larger than 1024 x 1024.
bool png_read_rgba(const char* path, std::vector<uint8_t>* rgba, int* width, int* height);
