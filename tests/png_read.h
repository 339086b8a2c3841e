// A PNG as libpng reads it, in 8-bit red, green, blue: the pictures the game
// writes, checked the way any viewer would read them.
#pragma once

#include <png.h>

#include <cstdint>
#include <string>
#include <vector>

struct RgbPicture {
    int width = 0, height = 0;
    std::vector<uint8_t> rgb;
};

// From memory, or from the file at `path` when `png` is null.
inline bool png_read_rgb(const std::vector<uint8_t>* png, const std::string& path, RgbPicture* picture)
{
    png_image image = {};
    image.version = PNG_IMAGE_VERSION;
    if (!(png ? png_image_begin_read_from_memory(&image, png->data(), png->size())
              : png_image_begin_read_from_file(&image, path.c_str())))
        return false;
    image.format = PNG_FORMAT_RGB;
    picture->width = (int)image.width;
    picture->height = (int)image.height;
    picture->rgb.assign(PNG_IMAGE_SIZE(image), 0);
    return png_image_finish_read(&image, nullptr, picture->rgb.data(), 0, nullptr) != 0;
}
