#include "platform/png.h"

#include <png.h>

#include <cstdio>
#include <cstring>

namespace {

// Writes `height` rows `pitch` bytes apart; the header and palette are set
// up by `describe` once libpng is ready.
template <typename Describe>
bool write_png(const char* path, const uint8_t* rows, int height, size_t pitch, Describe describe)
{
    FILE* out = std::fopen(path, "wb");
    if (!out)
        return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!png || !info) {
        png_destroy_write_struct(&png, nullptr);
        std::fclose(out);
        return false;
    }
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        std::fclose(out);
        return false;
    }
    png_init_io(png, out);
    describe(png, info);
    png_write_info(png, info);
    for (int y = 0; y < height; y++)
        png_write_row(png, (png_const_bytep)(rows + (size_t)y * pitch));
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return std::fclose(out) == 0;
}

}  // namespace

bool png_write_indexed(const char* path, const uint8_t* pixels, int width, int height, int pitch, const uint8_t* rgb,
                       int transparent)
{
    return write_png(path, pixels, height, (size_t)pitch, [&](png_structp png, png_infop info) {
        png_set_IHDR(png, info, (png_uint_32)width, (png_uint_32)height, 8, PNG_COLOR_TYPE_PALETTE,
                     PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
        png_color colours[256];
        for (int i = 0; i < 256; i++)
            colours[i] = png_color{rgb[i * 3], rgb[i * 3 + 1], rgb[i * 3 + 2]};
        png_set_PLTE(png, info, colours, 256);
        if (transparent >= 0 && transparent < 256) {
            // libpng keeps its own copy before this returns
            png_byte alpha[256];
            std::memset(alpha, 255, sizeof alpha);
            alpha[transparent] = 0;
            png_set_tRNS(png, info, alpha, transparent + 1, nullptr);
        }
    });
}

bool png_write_rgb(const char* path, const uint8_t* rgb, int width, int height)
{
    return write_png(path, rgb, height, (size_t)width * 3, [&](png_structp png, png_infop info) {
        png_set_IHDR(png, info, (png_uint_32)width, (png_uint_32)height, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                     PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    });
}

bool png_read_rgba(const char* path, std::vector<uint8_t>* rgba, int* width, int* height)
{
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path))
        return false;
    if (image.width == 0 || image.height == 0 || image.width > 1024 || image.height > 1024) {
        png_image_free(&image);
        return false;
    }
    image.format = PNG_FORMAT_RGBA;
    rgba->assign(PNG_IMAGE_SIZE(image), 0);
    if (!png_image_finish_read(&image, nullptr, rgba->data(), 0, nullptr)) {
        png_image_free(&image);
        return false;
    }
    *width = (int)image.width;
    *height = (int)image.height;
    return true;
}
