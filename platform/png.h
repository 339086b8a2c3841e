// Writing 8-bit palette pictures as PNG files (frame dumps, screenshots,
// contact sheets).
#pragma once

#include <cstdint>

// `pixels` holds `height` rows of `width` colour indices, rows `pitch` bytes
// apart; `rgb` holds 256 colours of 8-bit red, green, blue. True on success.
bool png_write_indexed(const char* path, const uint8_t* pixels, int width, int height, int pitch, const uint8_t* rgb);
