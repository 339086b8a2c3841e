#include "platform/win32/png_stored.h"

#include <cstring>

namespace {

uint32_t crc_table[256];

void make_crc_table()
{
    for (uint32_t n = 0; n < 256; n++) {
        uint32_t c = n;
        for (int k = 0; k < 8; k++)
            c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        crc_table[n] = c;
    }
}

uint32_t crc32(const uint8_t* bytes, size_t length)
{
    if (crc_table[1] == 0)
        make_crc_table();
    uint32_t c = 0xFFFFFFFFu;
    for (size_t i = 0; i < length; i++)
        c = crc_table[(c ^ bytes[i]) & 0xFF] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}

void put_big_32(std::vector<uint8_t>& out, uint32_t v)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back((uint8_t)(v >> shift));
}

void put_chunk(std::vector<uint8_t>& out, const char type[4], const std::vector<uint8_t>& data)
{
    put_big_32(out, (uint32_t)data.size());
    size_t start = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    put_big_32(out, crc32(&out[start], out.size() - start));
}

// The zlib stream of `raw` in stored blocks of at most 65535 bytes.
std::vector<uint8_t> zlib_stored(const std::vector<uint8_t>& raw)
{
    std::vector<uint8_t> out = {0x78, 0x01};
    size_t at = 0;
    do {
        size_t length = raw.size() - at < 65535 ? raw.size() - at : 65535;
        bool last = at + length == raw.size();
        out.push_back(last ? 1 : 0);
        out.push_back((uint8_t)length);
        out.push_back((uint8_t)(length >> 8));
        out.push_back((uint8_t)~length);
        out.push_back((uint8_t)(~length >> 8));
        out.insert(out.end(), raw.begin() + (long)at, raw.begin() + (long)(at + length));
        at += length;
    } while (at < raw.size());
    uint32_t a = 1, b = 0;
    for (uint8_t byte : raw) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    put_big_32(out, b << 16 | a);
    return out;
}

}  // namespace

std::vector<uint8_t> png_encode_stored(const uint8_t* pixels, int width, int height, int pitch, const uint8_t* rgb)
{
    static const uint8_t signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<uint8_t> out(signature, signature + 8);

    std::vector<uint8_t> header;
    put_big_32(header, (uint32_t)width);
    put_big_32(header, (uint32_t)height);
    header.insert(header.end(), {8, 3, 0, 0, 0});    // 8 bits, palette, deflate, no filter choice, no interlace
    put_chunk(out, "IHDR", header);
    put_chunk(out, "PLTE", std::vector<uint8_t>(rgb, rgb + 768));

    std::vector<uint8_t> raw;
    raw.reserve((size_t)(width + 1) * (size_t)height);
    for (int y = 0; y < height; y++) {
        raw.push_back(0);    // each row unfiltered
        const uint8_t* row = pixels + (size_t)y * (size_t)pitch;
        raw.insert(raw.end(), row, row + width);
    }
    put_chunk(out, "IDAT", zlib_stored(raw));
    put_chunk(out, "IEND", {});
    return out;
}
