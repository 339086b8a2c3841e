// PNG through libpng, WAV by hand.
#include "tools/packtool/media.h"

#include "platform/png.h"
#include "resources/pack_writer.h"

#include <png.h>

#include <cstdio>
#include <cstring>
#include <memory>

namespace {

uint32_t get32(const std::vector<uint8_t>& b, size_t at)
{
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | (uint32_t)b[at + 3] << 24;
}

void put32(std::vector<uint8_t>& b, uint32_t v)
{
    for (int s = 0; s < 32; s += 8)
        b.push_back((uint8_t)(v >> s));
}

void put16(std::vector<uint8_t>& b, int v)
{
    b.push_back((uint8_t)v);
    b.push_back((uint8_t)(v >> 8));
}

}  // namespace

bool media_write_indexed_png(const std::string& path, const IndexedPicture& picture)
{
    if (picture.pixels.size() != (size_t)picture.width * picture.height)
        return false;
    return png_write_indexed(path.c_str(), picture.pixels.data(), picture.width, picture.height, picture.width,
                             picture.rgb, picture.transparent);
}

bool media_write_rgb_png(const std::string& path, int width, int height, const std::vector<uint8_t>& rgb)
{
    if (rgb.size() != (size_t)width * height * 3)
        return false;
    return png_write_rgb(path.c_str(), rgb.data(), width, height);
}

bool media_read_indexed_png(const std::string& path, IndexedPicture* picture, std::string* error)
{
    std::unique_ptr<FILE, int (*)(FILE*)> in(std::fopen(path.c_str(), "rb"), std::fclose);
    if (!in) {
        *error = path + ": cannot be opened";
        return false;
    }
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!png || !info) {
        png_destroy_read_struct(&png, nullptr, nullptr);
        *error = path + ": out of memory";
        return false;
    }
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        *error = path + ": not a readable PNG";
        return false;
    }
    png_init_io(png, in.get());
    png_read_info(png, info);
    if (png_get_color_type(png, info) != PNG_COLOR_TYPE_PALETTE) {
        png_destroy_read_struct(&png, &info, nullptr);
        *error = path + ": must stay an indexed (palette) PNG, the pack holds colour indices";
        return false;
    }
    if (png_get_bit_depth(png, info) < 8)
        png_set_packing(png);
    // An interlaced file comes in passes; libpng puts them together.
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
    picture->width = (int)png_get_image_width(png, info);
    picture->height = (int)png_get_image_height(png, info);
    picture->pixels.assign((size_t)picture->width * picture->height, 0);
    std::memset(picture->rgb, 0, sizeof picture->rgb);
    png_colorp colours = nullptr;
    int count = 0;
    if (png_get_PLTE(png, info, &colours, &count))
        for (int i = 0; i < count && i < 256; i++) {
            picture->rgb[i * 3] = colours[i].red;
            picture->rgb[i * 3 + 1] = colours[i].green;
            picture->rgb[i * 3 + 2] = colours[i].blue;
        }
    picture->transparent = -1;
    png_bytep alpha = nullptr;
    int alphas = 0;
    if (png_get_tRNS(png, info, &alpha, &alphas, nullptr))
        for (int i = 0; i < alphas && picture->transparent < 0; i++)
            if (alpha[i] == 0)
                picture->transparent = i;
    std::vector<png_bytep> rows((size_t)picture->height);
    for (int y = 0; y < picture->height; y++)
        rows[(size_t)y] = picture->pixels.data() + (size_t)y * picture->width;
    png_read_image(png, rows.data());
    png_read_end(png, nullptr);
    png_destroy_read_struct(&png, &info, nullptr);
    return true;
}

bool media_write_wav(const std::string& path, const std::vector<uint8_t>& samples, int rate)
{
    std::vector<uint8_t> b = {'R', 'I', 'F', 'F'};
    put32(b, (uint32_t)(36 + samples.size() + (samples.size() & 1)));
    for (char c : std::string("WAVEfmt "))
        b.push_back((uint8_t)c);
    put32(b, 16);
    put16(b, 1);       // PCM
    put16(b, 1);       // mono
    put32(b, (uint32_t)rate);
    put32(b, (uint32_t)rate);
    put16(b, 1);       // block alignment
    put16(b, 8);       // bits per sample
    for (char c : std::string("data"))
        b.push_back((uint8_t)c);
    put32(b, (uint32_t)samples.size());
    b.insert(b.end(), samples.begin(), samples.end());
    if (samples.size() & 1)
        b.push_back(0);    // chunks are padded to an even length
    return save_bytes(path.c_str(), b);
}

bool media_read_wav(const std::string& path, std::vector<uint8_t>* samples, std::string* error)
{
    std::vector<uint8_t> b;
    if (!media_read_file(path, &b)) {
        *error = path + ": cannot be read";
        return false;
    }
    if (b.size() < 12 || std::memcmp(b.data(), "RIFF", 4) != 0 || std::memcmp(b.data() + 8, "WAVE", 4) != 0) {
        *error = path + ": not a WAV file";
        return false;
    }
    bool format_ok = false;
    for (size_t at = 12; at + 8 <= b.size();) {
        uint32_t size = get32(b, at + 4);
        if (at + 8 + size > b.size()) {
            *error = path + ": a chunk runs past the end of the file";
            return false;
        }
        if (std::memcmp(b.data() + at, "fmt ", 4) == 0 && size >= 16) {
            int format = b[at + 8] | b[at + 9] << 8, channels = b[at + 10] | b[at + 11] << 8;
            int bits = b[at + 22] | b[at + 23] << 8;
            format_ok = format == 1 && channels == 1 && bits == 8;
        } else if (std::memcmp(b.data() + at, "data", 4) == 0) {
            if (!format_ok) {
                *error = path + ": the game plays unsigned 8-bit mono PCM only";
                return false;
            }
            samples->assign(b.begin() + (long)at + 8, b.begin() + (long)(at + 8 + size));
            return true;
        }
        at += 8 + size + (size & 1);
    }
    *error = path + ": no sound data";
    return false;
}

bool media_read_file(const std::string& path, std::vector<uint8_t>* bytes)
{
    FILE* in = std::fopen(path.c_str(), "rb");
    if (!in)
        return false;
    bytes->clear();
    uint8_t buffer[65536];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, in)) > 0)
        bytes->insert(bytes->end(), buffer, buffer + n);
    bool read = !std::ferror(in);
    std::fclose(in);
    return read;
}
