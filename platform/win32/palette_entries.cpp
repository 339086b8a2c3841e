#include "platform/win32/palette_entries.h"

void win32_palette_entries(const uint8_t rgb[768], uint8_t entries[1024])
{
    for (int i = 0; i < 256; i++) {
        entries[i * 4 + 0] = rgb[i * 3 + 0];
        entries[i * 4 + 1] = rgb[i * 3 + 1];
        entries[i * 4 + 2] = rgb[i * 3 + 2];
        entries[i * 4 + 3] = (i < 10 || i > 245) ? PALETTE_FLAG_EXPLICIT : PALETTE_FLAG_NO_COLLAPSE;
    }
}
