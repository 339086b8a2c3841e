// Images: an 8-byte header (signed 16-bit x and y offsets, unsigned 16-bit
// width and height, little-endian) followed by pixels in one of three
// encodings. The header is read byte by byte, so an image may start at any
// address of a pack.
//
//   raw       width x height bytes; index 0 is transparent
//   run       per row: a run count, then runs; control 0x00-0x7F skips
//             (c + 1) pixels, 0x80-0xFF copies the next (c & 0x7F) + 1 bytes
//   fill-run  as run, but copy is 0x80-0xBF with (c & 0x3F) + 1 bytes and
//             0xC0-0xFF fills the next byte (c & 0x3F) + 1 times
//
// Raw images are clipped to the screen. Run images carry their screen
// position in their offsets and are drawn at (0, 0) without clipping; an
// image that would not lie wholly on the screen is not drawn at all (one
// test per image), so nothing is ever written outside the back buffer.
#pragma once

#include <cstdint>

struct ImageRecord;    // opaque: header and pixels, read through the helpers below

constexpr int IMAGE_HEADER_BYTES = 8;

inline int image_x_offset(const ImageRecord* image)
{
    const uint8_t* b = (const uint8_t*)image;
    return (int16_t)(uint16_t)(b[0] | b[1] << 8);
}
inline int image_y_offset(const ImageRecord* image)
{
    const uint8_t* b = (const uint8_t*)image;
    return (int16_t)(uint16_t)(b[2] | b[3] << 8);
}
inline int image_width(const ImageRecord* image)
{
    const uint8_t* b = (const uint8_t*)image;
    return b[4] | b[5] << 8;
}
inline int image_height(const ImageRecord* image)
{
    const uint8_t* b = (const uint8_t*)image;
    return b[6] | b[7] << 8;
}
inline const uint8_t* image_pixels(const ImageRecord* image) { return (const uint8_t*)image + IMAGE_HEADER_BYTES; }

// What a drawing operation reports: the drawn area after clipping, or
// empty = 1 when nothing was drawn (the other fields then mean nothing).
struct DrawResult {
    int32_t x, y, width, height, empty;
};

// Every drawing operation accepts a null result for callers that ignore it,
// and returns the result pointer it was given.
DrawResult* draw_sprite(DrawResult* result, int x, int y, const ImageRecord* image);
DrawResult* draw_sprite_shifted(DrawResult* result, int x, int y, const ImageRecord* image, uint8_t shift);
DrawResult* draw_runs(DrawResult* result, int x, int y, const ImageRecord* image);
DrawResult* draw_fill_runs(DrawResult* result, int x, int y, const ImageRecord* image);
void fill_rect(int x, int y, int width, int height, uint8_t colour);
