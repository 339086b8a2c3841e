// The program's PNG writer on Windows, where it has no PNG library.
#include "platform/png.h"

#include "platform/win32/png_stored.h"

#include <cstdio>

bool png_write_indexed(const char* path, const uint8_t* pixels, int width, int height, int pitch, const uint8_t* rgb,
                       int transparent)
{
    if (transparent >= 0)
        return false;    // the stored writer has no transparency
    std::vector<uint8_t> png = png_encode_stored(pixels, width, height, pitch, rgb);
    FILE* out = std::fopen(path, "wb");
    if (!out)
        return false;
    bool written = std::fwrite(png.data(), 1, png.size(), out) == png.size();
    return std::fclose(out) == 0 && written;
}
