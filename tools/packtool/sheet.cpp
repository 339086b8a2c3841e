// sheet: contact sheets of a pack's pictures, for looking the art over.
#include "tools/packtool/contents.h"
#include "tools/packtool/media.h"
#include "tools/packtool/packtool.h"

#include <algorithm>
#include <cstdio>

namespace {

constexpr int SHEET_WIDTH = 1040;
constexpr int GAP = 6;
constexpr int LABEL_HEIGHT = 14;

// Digits of 3 x 5 pixels, for the entry numbers.
const char* const DIGITS[10] = {"111101101101111", "010110010010111", "111001111100111", "111001111001111",
                                "101101111001001", "111100111001111", "111100111101111", "111001001001001",
                                "111101111101111", "111101111001111"};

struct Sheet {
    int width = SHEET_WIDTH, height = 0;
    std::vector<uint8_t> rgb;
    int x = GAP, y = GAP, row_height = 0;

    void grow(int to)
    {
        if (to <= height)
            return;
        rgb.resize((size_t)width * to * 3, 0);
        for (int yy = height; yy < to; yy++)
            for (int xx = 0; xx < width; xx++) {
                uint8_t* p = &rgb[((size_t)yy * width + xx) * 3];
                p[0] = 0x14;
                p[1] = 0x16;
                p[2] = 0x1c;
            }
        height = to;
    }
    void put(int px, int py, const uint8_t* colour)
    {
        if (px < 0 || py < 0 || px >= width)
            return;
        grow(py + 1);
        uint8_t* p = &rgb[((size_t)py * width + px) * 3];
        p[0] = colour[0];
        p[1] = colour[1];
        p[2] = colour[2];
    }
    void label(int number)
    {
        newline();
        std::string text = std::to_string(number);
        const uint8_t colour[3] = {0xe8, 0xc8, 0x70};
        for (size_t k = 0; k < text.size(); k++)
            for (int dy = 0; dy < 10; dy++)
                for (int dx = 0; dx < 6; dx++)
                    if (DIGITS[text[k] - '0'][(dy / 2) * 3 + dx / 2] == '1')
                        put(GAP + (int)k * 8 + dx, y + dy, colour);
        y += LABEL_HEIGHT;
    }
    void newline()
    {
        if (x > GAP) {
            y += row_height + GAP;
            x = GAP;
            row_height = 0;
        }
    }
    // Places a w x h cell, wrapping to a new row when needed.
    void place(int w, int h, int* px, int* py)
    {
        if (x + w > width - GAP)
            newline();
        *px = x;
        *py = y;
        x += w + GAP;
        row_height = std::max(row_height, h);
        grow(y + h + GAP);
    }
};

void draw_image(Sheet& sheet, const DecodedImage& image, int encoding, const uint8_t rgb[768], double scale)
{
    int w = std::max(1, (int)(image.width * scale)), h = std::max(1, (int)(image.height * scale));
    int px, py;
    sheet.place(w, h, &px, &py);
    for (int y = 0; y < h; y++)
        for (int x = 0; x < w; x++) {
            int p = image.pixels[(size_t)(int)(y / scale) * image.width + (int)(x / scale)];
            bool clear = p == PIXEL_SKIP || (encoding == IMAGE_RAW && p == 0);
            uint8_t checker[3];
            checker[0] = checker[1] = checker[2] = ((x / 4 + y / 4) & 1) ? 0x3a : 0x4a;
            sheet.put(px + x, py + y, clear ? checker : &rgb[p * 3]);
        }
}

double scale_for(const DecodedImage& image)
{
    int size = std::max(image.width, image.height);
    return size <= 64 ? 2.0 : size <= 220 ? 1.0 : 0.5;
}

}  // namespace

bool packtool_sheet(const std::string& pack_path, const std::string& out_png, std::vector<std::string>* written,
                    std::string* error)
{
    PackContents contents;
    if (!pack_read(pack_path, &contents, error))
        return false;
    std::string stem = out_png.size() > 4 && out_png.compare(out_png.size() - 4, 4, ".png") == 0
                           ? out_png.substr(0, out_png.size() - 4)
                           : out_png;
    Sheet small;
    for (size_t e = 0; e < contents.entries.size(); e++) {
        const PackEntry& entry = contents.entries[e];
        uint8_t rgb[768];
        entry_palette(contents, (int)e, rgb);
        std::vector<DecodedImage> images;
        int encoding = entry.layout.encoding;
        if (entry.layout.kind == KIND_SCREEN) {
            DecodedImage screen;
            screen.width = 640;
            screen.height = 480;
            screen.pixels.assign(entry.bytes.begin(), entry.bytes.end());
            images.push_back(screen);
            encoding = -1;
        } else if (entry.layout.kind == KIND_IMAGE || entry.layout.kind == KIND_IMAGES) {
            const std::vector<Bytes> one = {entry.bytes};
            for (const Bytes& record : entry.layout.kind == KIND_IMAGE ? one : entry.items) {
                DecodedImage image;
                std::string why;
                if (!image_decode(record, encoding, &image, &why)) {
                    *error = "entry " + std::to_string(e) + " holds an image that is not whole: " + why;
                    return false;
                }
                images.push_back(image);
            }
        }
        if (images.empty())
            continue;
        double scale = 2.0;
        for (const DecodedImage& image : images)
            scale = std::min(scale, scale_for(image));
        if (scale >= 1.0) {
            small.label((int)e);
            for (const DecodedImage& image : images)
                draw_image(small, image, encoding, rgb, scale);
            continue;
        }
        // Large pictures get a sheet of their own.
        Sheet large;
        large.label((int)e);
        for (const DecodedImage& image : images)
            draw_image(large, image, encoding, rgb, scale);
        char name[32];
        std::snprintf(name, sizeof name, "-%03zu.png", e);
        std::string path = stem + name;
        if (!media_write_rgb_png(path, large.width, large.height, large.rgb)) {
            *error = path + ": cannot be written";
            return false;
        }
        written->push_back(path);
    }
    if (small.height > 0) {
        if (!media_write_rgb_png(out_png, small.width, small.height, small.rgb)) {
            *error = out_png + ": cannot be written";
            return false;
        }
        written->push_back(out_png);
    }
    return true;
}
