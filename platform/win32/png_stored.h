// 8-bit palette pictures as PNG files without a compression library: the
// picture data goes into the file in stored (uncompressed) blocks. Larger
// than a compressed PNG, read by every PNG reader. The Windows program has
// no PNG library and writes no pictures itself: this writer is linked in
// only because the headless machine's frame dump (headless_write_png) is
// part of the core it is built from.
#pragma once

#include <cstdint>
#include <vector>

// `pixels`: `height` rows of `width` colour indices, rows `pitch` bytes
// apart; `rgb`: 256 colours of 8-bit red, green, blue.
std::vector<uint8_t> png_encode_stored(const uint8_t* pixels, int width, int height, int pitch, const uint8_t* rgb);
