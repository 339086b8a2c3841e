// Drawing the game's art in true colour with Cairo, then turning it into
// 8-bit pictures of a palette.
//
// A picture is drawn element by element (sky, a moth's wing, a label...).
// Each element names the palette ranges it may use; when the picture is
// turned into colour indices, every pixel takes the nearest colour within
// the ranges of the element that owns it, never a global nearest colour.
// So a moth's wing edge stays in the moth's ramp and a glow stays in the
// glow ramp, and colours stay clean the way hand-made 8-bit art was.
#pragma once

#include "resources/pack_writer.h"

#include <cairo.h>

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

struct Rgb {
    double r, g, b;   // 0..1
};
Rgb rgb_hex(uint32_t hex);
Rgb rgb_mix(Rgb a, Rgb b, double t);

// ---- Palettes -----------------------------------------------------------------

struct ArtPalette {
    uint8_t six[768];   // the pack format: 256 x red, green, blue, each 0..63
};
struct ArtRange {
    int first;
    int count;
};
using ArtRanges = std::vector<ArtRange>;

void art_palette_set(ArtPalette& palette, int index, Rgb colour);
// Fills `count` entries from `first` with an even ramp through the stops.
void art_ramp(ArtPalette& palette, int first, int count, std::initializer_list<Rgb> stops);
// 8-bit red, green, blue of an entry, as the display shows it.
void art_palette_rgb8(const ArtPalette& palette, int index, uint8_t out[3]);
// The nearest entry to (r, g, b) (0..255 each) among the ranges.
int art_nearest(const ArtPalette& palette, const ArtRanges& ranges, double r, double g, double b);

// ---- Fonts ----------------------------------------------------------------------

enum ArtFont {
    FONT_SANS_BOLD,
    FONT_SANS_CONDENSED_BOLD,
    FONT_SERIF_BOLD,
    FONT_SERIF_BOLD_ITALIC,
    FONT_SERIF_ITALIC,
    FONT_COUNT
};
cairo_font_face_t* art_font(ArtFont font);
// Fixed rendering options, so every build draws the same pixels.
void art_use_font(cairo_t* cr, ArtFont font, double size, bool hinted = false);
// Adds the outline of `text` (UTF-8) to the path, its baseline at y, placed
// by alignment at x (0 left, 1 centre, 2 right). Returns the advance width.
double art_text_path(cairo_t* cr, const char* text, double x, double y, int alignment);

// ---- Images --------------------------------------------------------------------------

// A raw picture: index 0 is transparent.
struct IndexImage {
    int width = 0, height = 0;
    int x_offset = 0, y_offset = 0;
    std::vector<uint8_t> pixels;
};
// A picture drawn over what is already on the screen: pixels that are SKIP
// leave the screen alone (the skip runs of the run encodings).
constexpr int SKIP = PIXEL_SKIP;
struct RunImage {
    int width = 0, height = 0;
    int x_offset = 0, y_offset = 0;
    std::vector<int> pixels;   // 0..255 or SKIP
};

// ---- Canvases and pictures --------------------------------------------------------

using ArtDraw = std::function<void(cairo_t*)>;

// A true-colour picture with, per pixel, the element that owns it.
struct ArtPicture {
    int width = 0, height = 0;
    int origin_x = 0, origin_y = 0;      // where the picture's top-left lies in drawing coordinates
    cairo_surface_t* colour = nullptr;   // ARGB32, premultiplied
    std::vector<uint8_t> owner;          // element per pixel
    std::vector<ArtRanges> elements;     // element 0: the background
};

ArtPicture art_picture_create(int width, int height, const ArtRanges& background);
// A copy of part of a picture (colours, owners, elements) whose drawing
// coordinates stay those of the whole.
ArtPicture art_picture_part(const ArtPicture& picture, int x, int y, int width, int height);
void art_picture_free(ArtPicture& picture);
int art_element(ArtPicture& picture, const ArtRanges& ranges);
// Draws into the picture; every pixel that the drawing covers by at least
// `coverage` (0..1) becomes the element's.
void art_draw(ArtPicture& picture, int element, double coverage, const ArtDraw& draw);
// Draws into the picture without changing who owns the pixels (shading,
// soft light that belongs to what lies under it).
void art_paint(ArtPicture& picture, const ArtDraw& draw);
// Draws `draw` into a scratch layer, blurs it by `radius` and composites it
// with `op` (CAIRO_OPERATOR_OVER or CAIRO_OPERATOR_ADD).
void art_glow(ArtPicture& picture, int element, double coverage, double radius, cairo_operator_t op,
              const ArtDraw& draw);

// Turns the picture into colour indices. Pixels with alpha below
// `alpha_cutoff` become index 0 (transparent for raw sprites); the others are
// first composited over `backdrop` (the colour a sprite is usually seen on,
// so its soft edges blend towards it) and then matched within their owner's
// ranges. `dither` (0..1) adds ordered dithering between neighbouring
// colours of a range, for wide smooth gradients.
struct ArtQuantize {
    Rgb backdrop{0, 0, 0};
    double alpha_cutoff = 0.5;
    double dither = 0;
};
std::vector<uint8_t> art_quantize(const ArtPicture& picture, const ArtPalette& palette, const ArtQuantize& how = {});

// The same for pictures drawn over the screen: pixels below the cutoff are
// skipped, the rest matched as above.
RunImage art_quantize_runs(const ArtPicture& picture, const ArtPalette& palette, const ArtQuantize& how = {});

// Blurs an ARGB32 surface in place (three box passes, about a Gaussian).
void art_blur(cairo_surface_t* surface, double radius);

// ---- Pixel helpers ----------------------------------------------------------------------

RunImage run_image(int width, int height, int x_offset = 0, int y_offset = 0);
// The smallest box holding every pixel that is not SKIP, with the offsets
// kept in screen terms; a 1 x 1 skip when nothing is left.
RunImage art_crop(const RunImage& image);
// A deterministic hash of a pixel position and a seed, 0..1.
double art_noise(int x, int y, int seed);
