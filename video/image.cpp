// Drawing images into the back buffer: raw sprites clipped to the screen,
// run-encoded pictures placed by their own offsets, and solid rectangles.
#include "video/image.h"

#include "platform/globals.h"
#include "video/display.h"

#include <cstring>

namespace {

// The visible part of a w x h area whose top-left corner is (left, top),
// and how many leading rows and columns of it fall off the screen.
struct ClippedArea {
    int x, y, width, height;
    int skip_rows, skip_columns;
};

// Rows first, then columns. An area cut at the top or left is also held to
// the bottom or right edge, so even an image wider than the screen never
// reaches past column 639. Worked in 64 bits: an offset added to a far-away
// drawing point must not wrap around onto the screen.
bool clip_to_screen(int64_t left, int64_t top, int64_t w, int64_t h, ClippedArea* area)
{
    if (!display.back_buffer)
        return false;
    int64_t skip_rows = 0, skip_columns = 0;
    if (top < 0) {
        skip_rows = -top;
        h += top;
        top = 0;
    }
    if (h > SCREEN_HEIGHT - top)
        h = SCREEN_HEIGHT - top;
    if (h <= 0)
        return false;
    if (left < 0) {
        skip_columns = -left;
        w += left;
        left = 0;
    }
    if (w > SCREEN_WIDTH - left)
        w = SCREEN_WIDTH - left;
    if (w <= 0)
        return false;
    *area = {(int)left, (int)top, (int)w, (int)h, (int)skip_rows, (int)skip_columns};
    return true;
}

DrawResult* report(DrawResult* result, int x, int y, int width, int height)
{
    if (result)
        *result = {x, y, width, height, 0};
    return result;
}

DrawResult* report_empty(DrawResult* result)
{
    if (result)
        result->empty = 1;
    return result;
}

// Where a run image's top-left corner lands on the screen: the drawing
// point plus the image's offsets. False unless the whole image is on the
// screen, since the run decoders do not clip.
bool run_image_fits(int x, int y, const ImageRecord* image, int* left, int* top)
{
    int64_t l = (int64_t)x + image_x_offset(image);
    int64_t t = (int64_t)y + image_y_offset(image);
    int w = image_width(image), h = image_height(image);
    if (!display.back_buffer || w == 0 || h == 0)
        return false;
    if (l < 0 || t < 0 || l + w > SCREEN_WIDTH || t + h > SCREEN_HEIGHT)
        return false;
    *left = (int)l;
    *top = (int)t;
    return true;
}

}  // namespace

DrawResult* draw_sprite(DrawResult* result, int x, int y, const ImageRecord* image)
{
    return draw_sprite_shifted(result, x, y, image, 0);
}

// Index 0 is transparent; every other index is moved on by `shift` (mod 256).
DrawResult* draw_sprite_shifted(DrawResult* result, int x, int y, const ImageRecord* image, uint8_t shift)
{
    int width = image_width(image);
    ClippedArea area;
    if (!clip_to_screen((int64_t)x + image_x_offset(image), (int64_t)y + image_y_offset(image), width,
                        image_height(image), &area))
        return report_empty(result);

    const uint8_t* source = image_pixels(image) + (size_t)area.skip_rows * width + area.skip_columns;
    uint8_t* row = display.back_buffer + (size_t)area.y * display.pitch + area.x;
    for (int r = 0; r < area.height; r++, source += width, row += display.pitch) {
        for (int c = 0; c < area.width; c++) {
            uint8_t pixel = source[c];
            if (pixel)
                row[c] = (uint8_t)(pixel + shift);
        }
    }
    return report(result, area.x, area.y, area.width, area.height);
}

// Run encoding: per row a run count, then runs of skip (0x00-0x7F, c + 1
// pixels) or copy (0x80-0xFF, the next (c & 0x7F) + 1 bytes).
DrawResult* draw_runs(DrawResult* result, int x, int y, const ImageRecord* image)
{
    int left, top;
    if (!run_image_fits(x, y, image, &left, &top))
        return report_empty(result);
    int width = image_width(image), height = image_height(image);
    const uint8_t* data = image_pixels(image);
    uint8_t* row = display.back_buffer + (size_t)top * display.pitch + left;
    for (int r = 0; r < height; r++, row += display.pitch) {
        uint8_t* out = row;
        for (int runs = *data++; runs > 0; runs--) {
            int control = *data++;
            if (control < 0x80) {
                out += control + 1;
            } else {
                int length = (control & 0x7F) + 1;
                std::memcpy(out, data, (size_t)length);
                out += length;
                data += length;
            }
        }
    }
    return report(result, left, top, width, height);
}

// Fill-run encoding: skip 0x00-0x7F (c + 1 pixels), copy 0x80-0xBF (the next
// (c & 0x3F) + 1 bytes), fill 0xC0-0xFF (the next byte, (c & 0x3F) + 1 times).
DrawResult* draw_fill_runs(DrawResult* result, int x, int y, const ImageRecord* image)
{
    int left, top;
    if (!run_image_fits(x, y, image, &left, &top))
        return report_empty(result);
    int width = image_width(image), height = image_height(image);
    const uint8_t* data = image_pixels(image);
    uint8_t* row = display.back_buffer + (size_t)top * display.pitch + left;
    for (int r = 0; r < height; r++, row += display.pitch) {
        uint8_t* out = row;
        for (int runs = *data++; runs > 0; runs--) {
            int control = *data++;
            if (control < 0x80) {
                out += control + 1;
            } else if (control < 0xC0) {
                int length = (control & 0x3F) + 1;
                std::memcpy(out, data, (size_t)length);
                out += length;
                data += length;
            } else {
                int length = (control & 0x3F) + 1;
                std::memset(out, *data++, (size_t)length);
                out += length;
            }
        }
    }
    return report(result, left, top, width, height);
}

void fill_rect(int x, int y, int width, int height, uint8_t colour)
{
    ClippedArea area;
    if (!clip_to_screen(x, y, width, height, &area))
        return;
    uint8_t* row = display.back_buffer + (size_t)area.y * display.pitch + area.x;
    for (int r = 0; r < area.height; r++, row += display.pitch)
        std::memset(row, colour, (size_t)area.width);
}
