// The display's 256 palette entries as the screen's palette object takes
// them: red, green, blue and a flags byte each. The twenty colours at both
// ends of the palette are the system's own on a shared screen, so they are
// marked explicit; every other entry may not be merged with another.
#pragma once

#include <cstdint>

constexpr uint8_t PALETTE_FLAG_EXPLICIT = 2;       // PC_EXPLICIT
constexpr uint8_t PALETTE_FLAG_NO_COLLAPSE = 4;    // PC_NOCOLLAPSE

// `rgb`: 256 colours of 8-bit red, green, blue, as the game presents them.
// `entries`: 256 records of 4 bytes.
void win32_palette_entries(const uint8_t rgb[768], uint8_t entries[1024]);
