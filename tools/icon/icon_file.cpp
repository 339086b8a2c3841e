#include "tools/icon/icon_file.h"

#include <cstring>

static const uint8_t PNG_SIGNATURE[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

static uint32_t big_endian_32(const uint8_t* p)
{
    return (uint32_t)p[0] << 24 | (uint32_t)p[1] << 16 | (uint32_t)p[2] << 8 | p[3];
}

static void put_16(std::vector<uint8_t>& out, uint32_t v)
{
    out.push_back((uint8_t)v);
    out.push_back((uint8_t)(v >> 8));
}

static void put_32(std::vector<uint8_t>& out, uint32_t v)
{
    put_16(out, v & 0xFFFF);
    put_16(out, v >> 16);
}

// Width and height from the header chunk, which a PNG always has first.
static bool png_size(const std::vector<uint8_t>& png, uint32_t* width, uint32_t* height)
{
    if (png.size() < 33 || std::memcmp(png.data(), PNG_SIGNATURE, 8) != 0 || std::memcmp(&png[12], "IHDR", 4) != 0)
        return false;
    *width = big_endian_32(&png[16]);
    *height = big_endian_32(&png[20]);
    return *width >= 1 && *width <= 256 && *height >= 1 && *height <= 256;
}

bool icon_from_pngs(const std::vector<std::vector<uint8_t>>& pngs, std::vector<uint8_t>* icon)
{
    if (pngs.empty() || pngs.size() > 0xFFFF)
        return false;
    std::vector<uint8_t> out;
    put_16(out, 0);                        // reserved
    put_16(out, 1);                        // an icon, not a cursor
    put_16(out, (uint32_t)pngs.size());
    uint32_t offset = 6 + 16 * (uint32_t)pngs.size();
    for (const std::vector<uint8_t>& png : pngs) {
        uint32_t width, height;
        if (!png_size(png, &width, &height))
            return false;
        out.push_back((uint8_t)(width & 0xFF));     // 256 is written as 0
        out.push_back((uint8_t)(height & 0xFF));
        out.push_back(0);                           // no colour table: true colour
        out.push_back(0);
        put_16(out, 1);                             // colour planes
        put_16(out, 32);                            // bits per pixel
        put_32(out, (uint32_t)png.size());
        put_32(out, offset);
        offset += (uint32_t)png.size();
    }
    for (const std::vector<uint8_t>& png : pngs)
        out.insert(out.end(), png.begin(), png.end());
    *icon = std::move(out);
    return true;
}
