// Contact sheets of the board's moths: the five steady moths as players with
// each kind of colour vision see them (with the table of how far apart their
// mean colours lie), and the frames of a collect, a restart flight and a swap
// in the order the game shows them, over the playfield.
#include "tools/preview_moths.h"

#include "board/board.h"
#include "platform/png.h"
#include "resources/resources.h"
#include "tools/art/vision.h"
#include "video/display.h"
#include "video/font.h"
#include "video/image.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr int TILE = 36;    // a moth's square of the playfield, in screen pixels

// A true-colour sheet.
struct Sheet {
    int width, height;
    std::vector<uint8_t> rgb;
    Sheet(int w, int h) : width(w), height(h), rgb((size_t)w * h * 3, 0x14) {}
    void put(int x, int y, const double linear[3])
    {
        if (x < 0 || y < 0 || x >= width || y >= height)
            return;
        for (int c = 0; c < 3; c++)
            rgb[((size_t)y * width + x) * 3 + c] = (uint8_t)std::lround(linear_to_srgb(linear[c]) * 255.0);
    }
    bool save(const std::string& path) const { return png_write_rgb(path.c_str(), rgb.data(), width, height); }
};

void screen_colour(int index, const uint8_t* palette, double linear[3])
{
    for (int c = 0; c < 3; c++)
        linear[c] = srgb_to_linear(display_level8(palette[index * 3 + c]) / 255.0);
}

// Copies a w x h part of the back buffer at (sx, sy) onto the sheet at
// (dx, dy), `zoom` times enlarged, as `vision` sees it (greyscale when
// `grey`).
void copy_screen(Sheet& sheet, int sx, int sy, int w, int h, int dx, int dy, int zoom, Vision vision, bool grey,
                 const uint8_t* palette)
{
    for (int y = 0; y < h * zoom; y++)
        for (int x = 0; x < w * zoom; x++) {
            int px = sx + x / zoom, py = sy + y / zoom;
            if (px < 0 || py < 0 || px >= 640 || py >= 480)
                continue;
            double linear[3], seen[3];
            screen_colour(display.back_buffer[(size_t)py * display.pitch + px], palette, linear);
            vision_simulate(vision, linear, seen);
            if (grey) {
                double l = 0.2126729 * seen[0] + 0.7151522 * seen[1] + 0.0721750 * seen[2];
                seen[0] = seen[1] = seen[2] = l;
            }
            sheet.put(dx + x, dy + y, seen);
        }
}

void fill(Sheet& sheet, int x0, int y0, int w, int h, const double linear[3])
{
    for (int y = y0; y < y0 + h; y++)
        for (int x = x0; x < x0 + w; x++)
            sheet.put(x, y, linear);
}

// The linear colour of an L*a*b* colour, for the swatches.
void linear_from_lab(const Lab& lab, double out[3])
{
    auto finv = [](double t) { return t > 6.0 / 29.0 ? t * t * t : 3 * (6.0 / 29.0) * (6.0 / 29.0) * (t - 4.0 / 29.0); };
    double fy = (lab.l + 16) / 116, fx = fy + lab.a / 500, fz = fy - lab.b / 200;
    double x = finv(fx) * 0.95047, y = finv(fy), z = finv(fz) * 1.08883;
    out[0] = 3.2404542 * x - 1.5371385 * y - 0.4985314 * z;
    out[1] = -0.9692660 * x + 1.8760108 * y + 0.0415560 * z;
    out[2] = 0.0556434 * x - 0.2040259 * y + 1.0572252 * z;
}

// Cells whose spots lie on open trails, one per moth colour, for the tiles.
const int TILE_CELLS[5] = {23, 45, 61, 17, 72};

void draw_open_board()
{
    display_restore_background(GameBackground);
    for (int column = 0; column < BOARD_COLUMNS; column++)
        draw_fill_runs(nullptr, 0, 0, table_image(ColumnImages[column], 5));
}

Lab mean_of(int colour, Vision vision)
{
    const ImageRecord* moth = table_image(MothImages[colour], 19);
    uint8_t rgb8[768];
    for (int i = 0; i < 768; i++)
        rgb8[i] = display_level8(GamePalette[i]);
    return vision_mean_colour(image_pixels(moth), image_width(moth) * image_height(moth), rgb8, vision);
}

bool moth_vision_sheet(const std::string& out_dir, std::vector<std::string>* written)
{
    // Rows: normal, the three simulations, greyscale. Each row: the five
    // moths on their spots at 3x, each beside a swatch of its mean colour.
    constexpr int ZOOM = 3, ROWS = VISION_COUNT + 1, LABEL = 150, SWATCH = 24, GAP = 10;
    constexpr int CELL = TILE * ZOOM + SWATCH + GAP;
    Sheet sheet(LABEL + 5 * CELL + GAP, ROWS * (TILE * ZOOM + GAP) + GAP);
    const char* const labels[ROWS] = {"Normal", "Deuteranopia", "Protanopia", "Tritanopia", "Greyscale"};
    for (int row = 0; row < ROWS; row++) {
        Vision vision = row < VISION_COUNT ? (Vision)row : VISION_NORMAL;
        bool grey = row == VISION_COUNT;
        int y = GAP + row * (TILE * ZOOM + GAP);
        // the label, drawn by the game's font, then the moths on the board
        display_clear(1);    // colour 1 is black
        draw_text(4, 4, labels[row], ALIGN_LEFT, nullptr);
        copy_screen(sheet, 0, 0, LABEL, 24, 0, y + TILE * ZOOM / 2 - 12, 1, vision, grey, GamePalette);
        draw_open_board();
        for (int colour = 0; colour < 5; colour++) {
            const CellCentre& c = cell_centres[TILE_CELLS[colour]];
            draw_sprite(nullptr, c.x, c.y, table_image(MothImages[colour], 19));
        }
        for (int colour = 0; colour < 5; colour++) {
            const CellCentre& c = cell_centres[TILE_CELLS[colour]];
            int x = LABEL + colour * CELL;
            copy_screen(sheet, c.x - TILE / 2, c.y - TILE / 2, TILE, TILE, x, y, ZOOM, vision, grey, GamePalette);
            Lab mean = mean_of(colour, vision);
            if (grey)
                mean.a = mean.b = 0;
            double swatch[3];
            linear_from_lab(mean, swatch);
            fill(sheet, x + TILE * ZOOM, y, SWATCH, TILE * ZOOM, swatch);
        }
    }
    std::string path = out_dir + "/moths-vision.png";
    if (!sheet.save(path))
        return false;
    written->push_back(path);

    // The table: every pair's distance in each vision, and in greyscale.
    path = out_dir + "/moths-vision.txt";
    FILE* file = std::fopen(path.c_str(), "w");
    if (!file)
        return false;
    std::fprintf(file, "Mean colour of each steady moth (frame 19, drawn pixels, averaged in linear light)\n");
    std::fprintf(file, "Delta E 1976 in CIE L*a*b* (D65); simulations at full severity; greyscale = Delta L*\n\n");
    std::fprintf(file, "%-14s", "pair");
    for (int v = 0; v < VISION_COUNT; v++)
        std::fprintf(file, "%14s", vision_name((Vision)v));
    std::fprintf(file, "%14s\n", "greyscale");
    Lab means[VISION_COUNT][5];
    for (int v = 0; v < VISION_COUNT; v++)
        for (int colour = 0; colour < 5; colour++)
            means[v][colour] = mean_of(colour, (Vision)v);
    for (int a = 0; a < 5; a++)
        for (int b = a + 1; b < 5; b++) {
            std::fprintf(file, "%d-%d%10s", a, b, "");
            for (int v = 0; v < VISION_COUNT; v++)
                std::fprintf(file, "%14.1f", delta_e76(means[v][a], means[v][b]));
            std::fprintf(file, "%14.1f\n", std::fabs(means[VISION_NORMAL][a].l - means[VISION_NORMAL][b].l));
        }
    std::fprintf(file, "\nL* of each moth:");
    for (int colour = 0; colour < 5; colour++)
        std::fprintf(file, " %d: %.1f", colour, means[VISION_NORMAL][colour].l);
    std::fprintf(file, "\n");
    std::fclose(file);
    written->push_back(path);
    return true;
}

// One strip: a row of frames, each a tile of the playfield around a spot
// with one sprite drawn on it at `dx`, `dy` from the spot.
struct StripFrame {
    const ImageRecord* image;
    int dx, dy;
};

void strip_row(Sheet& sheet, int y, const std::vector<StripFrame>& frames, int zoom, int cell)
{
    const CellCentre& c = cell_centres[cell];
    for (size_t i = 0; i < frames.size(); i++) {
        draw_open_board();
        if (frames[i].image)
            draw_sprite(nullptr, c.x + frames[i].dx, c.y + frames[i].dy, frames[i].image);
        copy_screen(sheet, c.x - TILE / 2, c.y - TILE / 2, TILE, TILE, 4 + (int)i * (TILE * zoom + 2), y, zoom,
                    VISION_NORMAL, false, GamePalette);
    }
}

bool sequence_sheet(const std::string& out_dir, std::vector<std::string>* written)
{
    // Per colour: the collect (steady, 16 burst frames, the first flight
    // steps seen from the spot); then the swap's 30 frames in two rows.
    constexpr int ZOOM = 2, PER_ROW = 16;
    int rows = 5 * 3;
    Sheet sheet(4 + PER_ROW * (TILE * ZOOM + 2), rows * (TILE * ZOOM + 4) + 4);
    int y = 4;
    for (int colour = 0; colour < 5; colour++) {
        int cell = TILE_CELLS[colour];
        std::vector<StripFrame> collect;
        collect.push_back({table_image(MothImages[colour], 19), 0, 0});
        // the burst shows flight frames 0..7, 0..6 in place
        for (int step = 0; step < 15; step++)
            collect.push_back({table_image(FlightImages, step % 8), 0, 0});
        strip_row(sheet, y, collect, ZOOM, cell);
        y += TILE * ZOOM + 4;
        for (int half = 0; half < 2; half++) {
            std::vector<StripFrame> swap;
            // the game shows images 1..15 fading out, then 15..29 fading in
            for (int f = 0; f < 15; f++)
                swap.push_back({table_image(SwapFadeImages[colour], half * 14 + 1 + f), 0, 0});
            strip_row(sheet, y, swap, ZOOM, cell);
            y += TILE * ZOOM + 4;
        }
    }
    std::string path = out_dir + "/moths-sequences.png";
    if (!sheet.save(path))
        return false;
    written->push_back(path);
    return true;
}

}  // namespace

bool preview_moths(const std::string& out_dir, std::vector<std::string>* written)
{
    return moth_vision_sheet(out_dir, written) && sequence_sheet(out_dir, written);
}
