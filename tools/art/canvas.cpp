// True-colour drawing with Cairo and its mapping onto palette ranges.
#include "tools/art/canvas.h"

#include "video/display.h"

#include <cairo-ft.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <unordered_map>

Rgb rgb_hex(uint32_t hex)
{
    return Rgb{((hex >> 16) & 0xFF) / 255.0, ((hex >> 8) & 0xFF) / 255.0, (hex & 0xFF) / 255.0};
}

Rgb rgb_mix(Rgb a, Rgb b, double t)
{
    return Rgb{a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

// ---- Palettes -----------------------------------------------------------------

static uint8_t to_six(double v)
{
    int c = (int)std::lround(std::clamp(v, 0.0, 1.0) * 63.0);
    return (uint8_t)c;
}

void art_palette_set(ArtPalette& palette, int index, Rgb colour)
{
    palette.six[index * 3 + 0] = to_six(colour.r);
    palette.six[index * 3 + 1] = to_six(colour.g);
    palette.six[index * 3 + 2] = to_six(colour.b);
}

void art_ramp(ArtPalette& palette, int first, int count, std::initializer_list<Rgb> stops)
{
    std::vector<Rgb> s(stops);
    for (int i = 0; i < count; i++) {
        double t = count > 1 ? (double)i / (count - 1) : 0.0;
        double at = t * (double)(s.size() - 1);
        int k = std::min((int)at, (int)s.size() - 2);
        if (s.size() == 1)
            art_palette_set(palette, first + i, s[0]);
        else
            art_palette_set(palette, first + i, rgb_mix(s[k], s[k + 1], at - k));
    }
}

void art_palette_rgb8(const ArtPalette& palette, int index, uint8_t out[3])
{
    for (int c = 0; c < 3; c++)
        out[c] = display_level8(palette.six[index * 3 + c]);
}

static double colour_distance(double r1, double g1, double b1, double r2, double g2, double b2)
{
    double rmean = (r1 + r2) * 0.5;
    double dr = r1 - r2, dg = g1 - g2, db = b1 - b2;
    return (2.0 + rmean / 256.0) * dr * dr + 4.0 * dg * dg + (2.0 + (255.0 - rmean) / 256.0) * db * db;
}

namespace {

// The nearest colour of `ranges` to (r, g, b), 0..255 each; the range it is
// in goes to `home` (may be null).
int nearest_in(const ArtPalette& palette, const ArtRanges& ranges, double r, double g, double b,
               const ArtRange** home)
{
    int best = ranges.empty() ? 0 : ranges[0].first;
    double best_distance = 1e30;
    for (const ArtRange& range : ranges)
        for (int i = range.first; i < range.first + range.count; i++) {
            uint8_t c[3];
            art_palette_rgb8(palette, i, c);
            double d = colour_distance(r, g, b, c[0], c[1], c[2]);
            if (d < best_distance) {
                best_distance = d;
                best = i;
                if (home)
                    *home = &range;
            }
        }
    return best;
}

}  // namespace

int art_nearest(const ArtPalette& palette, const ArtRanges& ranges, double r, double g, double b)
{
    return nearest_in(palette, ranges, r, g, b, nullptr);
}

// ---- Fonts ----------------------------------------------------------------------

static const char* const FONT_FILES[FONT_COUNT] = {
    "DejaVuSans-Bold.ttf", "DejaVuSansCondensed-Bold.ttf", "DejaVuSerif-Bold.ttf", "DejaVuSerif-BoldItalic.ttf",
    "DejaVuSerif-Italic.ttf",
};

cairo_font_face_t* art_font(ArtFont font)
{
    static FT_Library library;
    static cairo_font_face_t* faces[FONT_COUNT];
    if (faces[font])
        return faces[font];
    if (!library && FT_Init_FreeType(&library) != 0) {
        std::fprintf(stderr, "art: FreeType does not start\n");
        std::exit(1);
    }
    std::string path = std::string(DEJAVU_DIR) + "/" + FONT_FILES[font];
    FT_Face face;
    if (FT_New_Face(library, path.c_str(), 0, &face) != 0) {
        std::fprintf(stderr, "art: cannot open the font %s\n", path.c_str());
        std::exit(1);
    }
    // The face lives as long as the program: the fonts are used to the end.
    faces[font] = cairo_ft_font_face_create_for_ft_face(face, 0);
    return faces[font];
}

void art_use_font(cairo_t* cr, ArtFont font, double size, bool hinted)
{
    cairo_set_font_face(cr, art_font(font));
    cairo_set_font_size(cr, size);
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
    cairo_font_options_set_subpixel_order(options, CAIRO_SUBPIXEL_ORDER_DEFAULT);
    cairo_font_options_set_hint_style(options, hinted ? CAIRO_HINT_STYLE_SLIGHT : CAIRO_HINT_STYLE_NONE);
    cairo_font_options_set_hint_metrics(options, hinted ? CAIRO_HINT_METRICS_ON : CAIRO_HINT_METRICS_OFF);
    cairo_set_font_options(cr, options);
    cairo_font_options_destroy(options);
}

double art_text_path(cairo_t* cr, const char* text, double x, double y, int alignment)
{
    cairo_text_extents_t extents;
    cairo_text_extents(cr, text, &extents);
    double left = x;
    if (alignment == 1)
        left = x - (extents.x_bearing + extents.width * 0.5);
    else if (alignment == 2)
        left = x - (extents.x_bearing + extents.width);
    cairo_move_to(cr, left, y);
    cairo_text_path(cr, text);
    return extents.x_advance;
}

// ---- Canvases and pictures --------------------------------------------------------

ArtPicture art_picture_create(int width, int height, const ArtRanges& background)
{
    ArtPicture picture;
    picture.width = width;
    picture.height = height;
    picture.colour = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
    picture.owner.assign((size_t)width * height, 0);
    picture.elements.push_back(background);
    return picture;
}

ArtPicture art_picture_part(const ArtPicture& picture, int x, int y, int width, int height)
{
    ArtPicture part = art_picture_create(width, height, picture.elements[0]);
    part.elements = picture.elements;
    part.origin_x = picture.origin_x + x;
    part.origin_y = picture.origin_y + y;
    cairo_t* cr = cairo_create(part.colour);
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_set_source_surface(cr, picture.colour, -x, -y);
    cairo_paint(cr);
    cairo_destroy(cr);
    for (int row = 0; row < height; row++)
        for (int col = 0; col < width; col++) {
            int sx = col + x, sy = row + y;
            if (sx >= 0 && sy >= 0 && sx < picture.width && sy < picture.height)
                part.owner[(size_t)row * width + col] = picture.owner[(size_t)sy * picture.width + sx];
        }
    return part;
}

static cairo_t* context_for(const ArtPicture& picture, cairo_surface_t* surface)
{
    cairo_t* cr = cairo_create(surface);
    cairo_translate(cr, -picture.origin_x, -picture.origin_y);
    return cr;
}

void art_picture_free(ArtPicture& picture)
{
    if (picture.colour)
        cairo_surface_destroy(picture.colour);
    picture.colour = nullptr;
}

int art_element(ArtPicture& picture, const ArtRanges& ranges)
{
    picture.elements.push_back(ranges);
    return (int)picture.elements.size() - 1;
}

// Marks every pixel of `mask` (A8 or ARGB32) with alpha >= coverage as the element's.
static void claim(ArtPicture& picture, cairo_surface_t* mask, int element, double coverage)
{
    cairo_surface_flush(mask);
    const uint8_t* data = cairo_image_surface_get_data(mask);
    int stride = cairo_image_surface_get_stride(mask);
    bool a8 = cairo_image_surface_get_format(mask) == CAIRO_FORMAT_A8;
    int threshold = std::max(1, (int)std::lround(coverage * 255.0));
    for (int y = 0; y < picture.height; y++)
        for (int x = 0; x < picture.width; x++) {
            int alpha = a8 ? data[y * stride + x] : (int)(((const uint32_t*)(data + y * stride))[x] >> 24);
            if (alpha >= threshold)
                picture.owner[(size_t)y * picture.width + x] = (uint8_t)element;
        }
}

void art_draw(ArtPicture& picture, int element, double coverage, const ArtDraw& draw)
{
    cairo_t* cr = context_for(picture, picture.colour);
    draw(cr);
    cairo_destroy(cr);
    cairo_surface_t* mask = cairo_image_surface_create(CAIRO_FORMAT_A8, picture.width, picture.height);
    cr = context_for(picture, mask);
    draw(cr);
    cairo_destroy(cr);
    claim(picture, mask, element, coverage);
    cairo_surface_destroy(mask);
}

void art_paint(ArtPicture& picture, const ArtDraw& draw)
{
    cairo_t* cr = context_for(picture, picture.colour);
    draw(cr);
    cairo_destroy(cr);
}

void art_glow(ArtPicture& picture, int element, double coverage, double radius, cairo_operator_t op,
              const ArtDraw& draw)
{
    cairo_surface_t* layer = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, picture.width, picture.height);
    cairo_t* cr = context_for(picture, layer);
    draw(cr);
    cairo_destroy(cr);
    art_blur(layer, radius);
    cr = cairo_create(picture.colour);
    cairo_set_operator(cr, op);
    cairo_set_source_surface(cr, layer, 0, 0);
    cairo_paint(cr);
    cairo_destroy(cr);
    if (element >= 0)
        claim(picture, layer, element, coverage);
    cairo_surface_destroy(layer);
}

static const uint8_t BAYER[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};

namespace {

// The nearest and next nearest entries to a colour among some ranges.
struct Match {
    int best, second;
};

Match match_colour(const ArtPalette& palette, const ArtRanges& ranges, int r, int g, int b)
{
    const ArtRange* home = nullptr;
    Match m{nearest_in(palette, ranges, r, g, b, &home), -1};
    // Dithering mixes neighbours of one ramp only, never two ramps.
    double second = 1e30;
    for (int i = home ? home->first : 0; home && i < home->first + home->count; i++) {
        if (i == m.best)
            continue;
        uint8_t c[3];
        art_palette_rgb8(palette, i, c);
        double d = colour_distance(r, g, b, c[0], c[1], c[2]);
        if (d < second) {
            second = d;
            m.second = i;
        }
    }
    return m;
}

}  // namespace

std::vector<uint8_t> art_quantize(const ArtPicture& picture, const ArtPalette& palette, const ArtQuantize& how)
{
    std::vector<uint8_t> out((size_t)picture.width * picture.height, 0);
    cairo_surface_flush(picture.colour);
    const uint8_t* data = cairo_image_surface_get_data(picture.colour);
    int stride = cairo_image_surface_get_stride(picture.colour);
    // Pictures hold few distinct colours per element: remember the matches.
    std::unordered_map<uint64_t, Match> seen;
    for (int y = 0; y < picture.height; y++)
        for (int x = 0; x < picture.width; x++) {
            uint32_t p = ((const uint32_t*)(data + y * stride))[x];
            double a = (p >> 24) / 255.0;
            if (a < how.alpha_cutoff)
                continue;
            int r = (int)std::lround(((p >> 16) & 0xFF) + how.backdrop.r * 255.0 * (1.0 - a));
            int g = (int)std::lround(((p >> 8) & 0xFF) + how.backdrop.g * 255.0 * (1.0 - a));
            int b = (int)std::lround((p & 0xFF) + how.backdrop.b * 255.0 * (1.0 - a));
            r = std::clamp(r, 0, 255);
            g = std::clamp(g, 0, 255);
            b = std::clamp(b, 0, 255);
            int element = picture.owner[(size_t)y * picture.width + x];
            uint64_t key = (uint64_t)element << 24 | (uint64_t)r << 16 | (uint64_t)g << 8 | (uint64_t)b;
            auto found = seen.find(key);
            Match m = found != seen.end() ? found->second
                                          : (seen[key] = match_colour(palette, picture.elements[element], r, g, b));
            int best = m.best;
            if (how.dither > 0 && m.second >= 0) {
                // Mix the nearest colour with the next nearest along the line
                // between them, in a fixed 4 x 4 pattern.
                uint8_t c1[3], c2[3];
                art_palette_rgb8(palette, m.best, c1);
                art_palette_rgb8(palette, m.second, c2);
                double ux = c2[0] - c1[0], uy = c2[1] - c1[1], uz = c2[2] - c1[2];
                double len2 = ux * ux + uy * uy + uz * uz;
                if (len2 > 0) {
                    double t = ((r - c1[0]) * ux + (g - c1[1]) * uy + (b - c1[2]) * uz) / len2;
                    t = std::clamp(t, 0.0, 0.5) * how.dither;
                    if ((BAYER[(y + picture.origin_y) & 3][(x + picture.origin_x) & 3] + 0.5) / 16.0 < t)
                        best = m.second;
                }
            }
            out[(size_t)y * picture.width + x] = (uint8_t)best;
        }
    return out;
}

RunImage art_quantize_runs(const ArtPicture& picture, const ArtPalette& palette, const ArtQuantize& how)
{
    std::vector<uint8_t> indices = art_quantize(picture, palette, how);
    RunImage image = run_image(picture.width, picture.height, picture.origin_x, picture.origin_y);
    cairo_surface_flush(picture.colour);
    const uint8_t* data = cairo_image_surface_get_data(picture.colour);
    int stride = cairo_image_surface_get_stride(picture.colour);
    for (int y = 0; y < picture.height; y++)
        for (int x = 0; x < picture.width; x++) {
            double a = (((const uint32_t*)(data + y * stride))[x] >> 24) / 255.0;
            if (a > 0 && a >= how.alpha_cutoff)
                image.pixels[(size_t)y * picture.width + x] = indices[(size_t)y * picture.width + x];
        }
    return image;
}

// One box pass over rows (horizontal) or columns, on premultiplied ARGB.
static void box_pass(uint32_t* pixels, int width, int height, int stride_pixels, int radius, bool horizontal)
{
    int lines = horizontal ? height : width;
    int length = horizontal ? width : height;
    std::vector<uint32_t> line((size_t)length);
    int window = radius * 2 + 1;
    for (int l = 0; l < lines; l++) {
        auto at = [&](int i) -> uint32_t& {
            return horizontal ? pixels[(size_t)l * stride_pixels + i] : pixels[(size_t)i * stride_pixels + l];
        };
        for (int i = 0; i < length; i++)
            line[i] = at(i);
        int sum[4] = {0, 0, 0, 0};
        for (int i = -radius; i <= radius; i++)
            if (i >= 0 && i < length)
                for (int c = 0; c < 4; c++)
                    sum[c] += (line[i] >> (c * 8)) & 0xFF;
        for (int i = 0; i < length; i++) {
            uint32_t v = 0;
            for (int c = 0; c < 4; c++)
                v |= (uint32_t)((sum[c] + window / 2) / window) << (c * 8);
            at(i) = v;
            int out = i - radius, in = i + radius + 1;
            for (int c = 0; c < 4; c++) {
                if (out >= 0)
                    sum[c] -= (line[out] >> (c * 8)) & 0xFF;
                if (in < length)
                    sum[c] += (line[in] >> (c * 8)) & 0xFF;
            }
        }
    }
}

void art_blur(cairo_surface_t* surface, double radius)
{
    if (radius <= 0)
        return;
    cairo_surface_flush(surface);
    uint32_t* pixels = (uint32_t*)cairo_image_surface_get_data(surface);
    int width = cairo_image_surface_get_width(surface);
    int height = cairo_image_surface_get_height(surface);
    int stride = cairo_image_surface_get_stride(surface) / 4;
    // Three box passes of this size approximate a Gaussian of sigma `radius` / 2.
    double sigma = radius * 0.5;
    int box = std::max(1, (int)std::lround((std::sqrt(12.0 * sigma * sigma / 3.0 + 1.0) - 1.0) * 0.5));
    // Only the part that holds something, and as far around it as the blur reaches.
    int x0 = width, y0 = height, x1 = -1, y1 = -1;
    for (int y = 0; y < height; y++)
        for (int x = 0; x < width; x++)
            if (pixels[(size_t)y * stride + x]) {
                x0 = std::min(x0, x);
                x1 = std::max(x1, x);
                y0 = std::min(y0, y);
                y1 = std::max(y1, y);
            }
    if (x1 < 0)
        return;
    int reach = box * 3 + 1;
    x0 = std::max(0, x0 - reach);
    y0 = std::max(0, y0 - reach);
    x1 = std::min(width - 1, x1 + reach);
    y1 = std::min(height - 1, y1 + reach);
    uint32_t* part = pixels + (size_t)y0 * stride + x0;
    for (int pass = 0; pass < 3; pass++) {
        box_pass(part, x1 - x0 + 1, y1 - y0 + 1, stride, box, true);
        box_pass(part, x1 - x0 + 1, y1 - y0 + 1, stride, box, false);
    }
    cairo_surface_mark_dirty(surface);
}

// ---- Pixel helpers ----------------------------------------------------------------------

RunImage run_image(int width, int height, int x_offset, int y_offset)
{
    RunImage image;
    image.width = width;
    image.height = height;
    image.x_offset = x_offset;
    image.y_offset = y_offset;
    image.pixels.assign((size_t)width * height, SKIP);
    return image;
}

RunImage art_crop(const RunImage& image)
{
    int x0 = image.width, y0 = image.height, x1 = -1, y1 = -1;
    for (int y = 0; y < image.height; y++)
        for (int x = 0; x < image.width; x++)
            if (image.pixels[(size_t)y * image.width + x] != SKIP) {
                x0 = std::min(x0, x);
                y0 = std::min(y0, y);
                x1 = std::max(x1, x);
                y1 = std::max(y1, y);
            }
    if (x1 < 0)
        return run_image(1, 1, image.x_offset, image.y_offset);
    RunImage out = run_image(x1 - x0 + 1, y1 - y0 + 1, image.x_offset + x0, image.y_offset + y0);
    for (int y = 0; y < out.height; y++)
        for (int x = 0; x < out.width; x++)
            out.pixels[(size_t)y * out.width + x] = image.pixels[(size_t)(y + y0) * image.width + x + x0];
    return out;
}

double art_noise(int x, int y, int seed)
{
    uint32_t h = (uint32_t)x * 0x8da6b343u ^ (uint32_t)y * 0xd8163841u ^ (uint32_t)seed * 0xcb1ab31fu;
    h ^= h >> 15;
    h *= 0x2c1b3c6du;
    h ^= h >> 12;
    h *= 0x297a2d39u;
    h ^= h >> 15;
    return (h & 0xFFFFFF) / 16777216.0;
}
