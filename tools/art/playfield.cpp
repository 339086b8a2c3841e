// The playfield: a night garden under a deep blue sky, with ten trails of
// eight lantern spots at the cell centres, and the pictures that light each
// trail up when its column opens and dim it when it closes.
#include "tools/art/art.h"
#include "tools/art/palettes.h"
#include "tools/art/scenery.h"

#include "board/board.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

constexpr int W = 640, H = 480;

struct Point {
    double x, y;
};

Point centre(int column, int row)
{
    const CellCentre& c = cell_centres[cell_index(column, row)];
    return Point{(double)c.x, (double)c.y};
}

// The trail of a column: a smooth curve through its eight spots, with a
// short lead-in and lead-out so it seems to wind on beyond them.
std::vector<Point> trail_controls(int column)
{
    std::vector<Point> p;
    for (int row = 0; row < BOARD_ROWS; row++)
        p.push_back(centre(column, row));
    Point a = p[0], b = p[1], y = p[BOARD_ROWS - 2], z = p[BOARD_ROWS - 1];
    p.insert(p.begin(), Point{a.x + (a.x - b.x) * 0.45, a.y + (a.y - b.y) * 0.45});
    p.push_back(Point{z.x + (z.x - y.x) * 0.45, z.y + (z.y - y.y) * 0.45});
    return p;
}

// Catmull-Rom through the controls, as points every pixel or so; `from`
// and `to` (0..1) select part of it.
std::vector<Point> trail_points(int column, double from = 0.0, double to = 1.0)
{
    std::vector<Point> c = trail_controls(column);
    std::vector<Point> out;
    int segments = (int)c.size() - 1;
    for (int s = 0; s < segments; s++) {
        Point p0 = c[std::max(s - 1, 0)], p1 = c[s], p2 = c[s + 1], p3 = c[std::min(s + 2, segments)];
        double length = std::hypot(p2.x - p1.x, p2.y - p1.y);
        int steps = std::max(4, (int)(length * 1.5));
        for (int i = 0; i < steps; i++) {
            double t = (double)i / steps;
            double u = (s + t) / segments;
            if (u < from || u > to)
                continue;
            double t2 = t * t, t3 = t2 * t;
            auto cr = [&](double a, double b, double cc, double d) {
                return 0.5 * (2 * b + (-a + cc) * t + (2 * a - 5 * b + 4 * cc - d) * t2 + (-a + 3 * b - 3 * cc + d) * t3);
            };
            out.push_back(Point{cr(p0.x, p1.x, p2.x, p3.x), cr(p0.y, p1.y, p2.y, p3.y)});
        }
    }
    return out;
}

void path_of(cairo_t* cr, const std::vector<Point>& points)
{
    for (size_t i = 0; i < points.size(); i++)
        (i ? cairo_line_to : cairo_move_to)(cr, points[i].x, points[i].y);
}

// Position along the trail (0..1) of each spot, for lighting it in order.
double spot_position(int row) { return (row + 1.0) / (BOARD_ROWS + 1.0); }

// ---- The unlit trails, part of the playfield -------------------------------------------

void draw_dim_trails(ArtPicture& picture)
{
    int path = art_element(picture, {range_glow(), range_sky(), range_leaf()});
    int bead = art_element(picture, {range_gold(), range_glow(), range_ink()});
    for (int column = 0; column < BOARD_COLUMNS; column++) {
        std::vector<Point> points = trail_points(column);
        // faint glow along the way, then a dotted line of tiny pebbles
        art_glow(picture, -1, 1.0, 5.0, CAIRO_OPERATOR_OVER, [&](cairo_t* cr) {
            cairo_set_source_rgba(cr, 0.5, 0.36, 0.3, 0.16);
            cairo_set_line_width(cr, 3.0);
            path_of(cr, points);
            cairo_stroke(cr);
        });
        art_draw(picture, path, 0.5, [&](cairo_t* cr) {
            for (size_t i = 0; i < points.size(); i += 5) {
                cairo_set_source_rgba(cr, 0.46, 0.34, 0.26, 0.9);
                cairo_arc(cr, points[i].x, points[i].y, 0.8, 0, 2 * M_PI);
                cairo_fill(cr);
            }
        });
        for (int row = 0; row < BOARD_ROWS; row++) {
            Point c = centre(column, row);
            art_draw(picture, bead, 0.5, [&](cairo_t* cr) {
                cairo_set_source_rgb(cr, 0.03, 0.04, 0.09);
                cairo_arc(cr, c.x + 0.5, c.y + 0.5, 5.8, 0, 2 * M_PI);
                cairo_fill(cr);
                cairo_set_source_rgb(cr, 0.45, 0.3, 0.1);
                cairo_arc(cr, c.x + 0.5, c.y + 0.5, 4.6, 0, 2 * M_PI);
                cairo_fill(cr);
                cairo_set_source_rgb(cr, 0.14, 0.11, 0.16);
                cairo_arc(cr, c.x + 0.5, c.y + 0.5, 3.2, 0, 2 * M_PI);
                cairo_fill(cr);
                cairo_set_source_rgb(cr, 0.9, 0.75, 0.5);
                cairo_arc(cr, c.x - 0.6, c.y - 0.6, 0.9, 0, 2 * M_PI);
                cairo_fill(cr);
            });
        }
    }
}

// ---- The lit trail of one column ---------------------------------------------------------

// Draws the light of column `column`: `reach` (0..1) is how far along the
// trail the light has come, `power` its strength, `warmth` 1 for lantern
// amber and 0 for a dying ember red.
void draw_lit_trail(ArtPicture& picture, int element, int column, double reach, double power, double warmth)
{
    if (power <= 0.01 || reach <= 0)
        return;
    Rgb hot = rgb_mix(rgb_hex(0xe0502a), rgb_hex(0xffc45a), warmth);
    Rgb core = rgb_mix(rgb_hex(0xff9a60), rgb_hex(0xfff6d8), warmth);
    std::vector<Point> lit = trail_points(column, 0.0, reach);
    art_glow(picture, element, 0.10, 9.0, CAIRO_OPERATOR_OVER, [&](cairo_t* cr) {
        cairo_set_source_rgba(cr, hot.r, hot.g, hot.b, 0.55 * power);
        cairo_set_line_width(cr, 5.0);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        path_of(cr, lit);
        cairo_stroke(cr);
        for (int row = 0; row < BOARD_ROWS; row++) {
            if (spot_position(row) > reach + 0.02)
                continue;
            Point c = centre(column, row);
            cairo_set_source_rgba(cr, hot.r, hot.g, hot.b, 0.95 * power);
            cairo_arc(cr, c.x + 0.5, c.y + 0.5, 8.5, 0, 2 * M_PI);
            cairo_fill(cr);
        }
    });
    art_draw(picture, element, 0.3, [&](cairo_t* cr) {
        Rgb line = rgb_mix(hot, core, 0.45);
        cairo_set_source_rgba(cr, line.r, line.g, line.b, power);
        cairo_set_line_width(cr, 1.3);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        path_of(cr, lit);
        cairo_stroke(cr);
        for (int row = 0; row < BOARD_ROWS; row++) {
            if (spot_position(row) > reach + 0.02)
                continue;
            Point c = centre(column, row);
            cairo_pattern_t* g = cairo_pattern_create_radial(c.x + 0.5, c.y + 0.5, 0, c.x + 0.5, c.y + 0.5, 5.5);
            cairo_pattern_add_color_stop_rgba(g, 0.0, 1, 1, 1, power);
            cairo_pattern_add_color_stop_rgba(g, 0.45, core.r, core.g, core.b, power);
            cairo_pattern_add_color_stop_rgba(g, 1.0, hot.r, hot.g, hot.b, 0.0);
            cairo_set_source(cr, g);
            cairo_arc(cr, c.x + 0.5, c.y + 0.5, 5.5, 0, 2 * M_PI);
            cairo_fill(cr);
            cairo_pattern_destroy(g);
        }
    });
    if (reach < 1.0) {
        // the spark that runs ahead of the light
        Point head = lit.empty() ? centre(column, 0) : lit.back();
        art_glow(picture, element, 0.10, 5.0, CAIRO_OPERATOR_OVER, [&](cairo_t* cr) {
            cairo_set_source_rgba(cr, 1, 0.95, 0.8, 1.0);
            cairo_arc(cr, head.x, head.y, 4.0, 0, 2 * M_PI);
            cairo_fill(cr);
        });
    }
}

// Which column every pixel's light belongs to (-1 none). Near a spot it is
// that spot's column; elsewhere the column whose light reaches it most.
// Columns interleave, so a column's pictures may only touch its own pixels.
const std::vector<int8_t>& light_owner()
{
    static std::vector<int8_t> owner;
    if (!owner.empty())
        return owner;
    owner.assign((size_t)W * H, -1);
    std::vector<float> best((size_t)W * H, 0.0f);
    for (int column = 0; column < BOARD_COLUMNS; column++) {
        std::vector<float> field((size_t)W * H, 0.0f);
        auto raise = [&](int x, int y, float v) {
            if (x >= 0 && y >= 0 && x < W && y < H)
                field[(size_t)y * W + x] = std::max(field[(size_t)y * W + x], v);
        };
        for (const Point& p : trail_points(column))
            for (int dy = -14; dy <= 14; dy++)
                for (int dx = -14; dx <= 14; dx++) {
                    double d = std::hypot(dx + (int)p.x + 0.5 - p.x, dy + (int)p.y + 0.5 - p.y);
                    if (d < 14)
                        raise((int)p.x + dx, (int)p.y + dy, (float)(0.7 * (1.0 - d / 14.0)));
                }
        for (int row = 0; row < BOARD_ROWS; row++) {
            Point c = centre(column, row);
            for (int dy = -22; dy <= 22; dy++)
                for (int dx = -22; dx <= 22; dx++) {
                    double d = std::hypot(dx, dy);
                    if (d < 22)
                        raise((int)c.x + dx, (int)c.y + dy, (float)(1.0 - d / 22.0));
                }
        }
        for (size_t i = 0; i < field.size(); i++)
            if (field[i] > best[i]) {
                best[i] = field[i];
                owner[i] = (int8_t)column;
            }
    }
    // The heart of every spot belongs to its own column, whatever passes by.
    for (int cell = 0; cell < BOARD_CELLS; cell++) {
        const CellCentre& c = cell_centres[cell];
        for (int dy = -8; dy <= 8; dy++)
            for (int dx = -8; dx <= 8; dx++)
                if (dx * dx + dy * dy <= 64 && c.x + dx >= 0 && c.x + dx < W && c.y + dy >= 0 && c.y + dy < H)
                    owner[(size_t)(c.y + dy) * W + c.x + dx] = (int8_t)(cell % BOARD_COLUMNS);
    }
    return owner;
}

ArtQuantize playfield_quantize()
{
    ArtQuantize how;
    how.alpha_cutoff = 0.0;
    how.dither = 0.9;
    return how;
}

// The playfield in true colour with its owners, made once.
const ArtPicture& playfield_picture()
{
    static ArtPicture picture;
    if (picture.colour)
        return picture;
    picture = art_picture_create(W, H, {range_sky()});
    scenery_night_garden(picture);
    draw_dim_trails(picture);
    scenery_game_fixtures(picture);
    return picture;
}

}  // namespace

IndexImage art_playfield()
{
    static IndexImage image;
    if (!image.pixels.empty())
        return image;
    image.width = W;
    image.height = H;
    image.pixels = art_quantize(playfield_picture(), art_game_palette(), playfield_quantize());
    return image;
}

std::vector<RunImage> art_column_frames(int column)
{
    const ArtPicture& field = playfield_picture();
    const IndexImage& background = art_playfield();
    const std::vector<int8_t>& owner = light_owner();

    // Work on the column's box only, aligned to the dither pattern.
    int x0 = W, y0 = H, x1 = 0, y1 = 0;
    for (int y = 0; y < H; y++)
        for (int x = 0; x < W; x++)
            if (owner[(size_t)y * W + x] == column) {
                x0 = std::min(x0, x);
                y0 = std::min(y0, y);
                x1 = std::max(x1, x);
                y1 = std::max(y1, y);
            }
    x0 &= ~3;
    y0 &= ~3;
    int bw = x1 - x0 + 1, bh = y1 - y0 + 1;

    std::vector<RunImage> frames;
    for (int f = 0; f < COLUMN_FRAMES; f++) {
        double reach = 1.0, power = 1.0, warmth = 1.0;
        if (f < 5) {
            reach = (f + 1) / 6.0;
        } else if (f > 5) {
            double t = (f - 5) / 10.0;
            power = 1.0 - t * t * 0.35 - t * 0.65;
            warmth = 1.0 - t;
        }
        ArtPicture local = art_picture_part(field, x0, y0, bw, bh);
        // Faint light over the sky or a star may keep their own colours.
        int light = art_element(local, {range_glow(), range_gold(), range_sky()});
        draw_lit_trail(local, light, column, reach, power, warmth);
        std::vector<uint8_t> pixels = art_quantize(local, art_game_palette(), playfield_quantize());
        RunImage frame = run_image(bw, bh, x0, y0);
        for (int y = 0; y < bh; y++)
            for (int x = 0; x < bw; x++) {
                size_t i = (size_t)y * bw + x;
                size_t s = (size_t)(y + y0) * W + x + x0;
                if (owner[s] == column && pixels[i] != background.pixels[s])
                    frame.pixels[i] = pixels[i];
            }
        frames.push_back(art_crop(frame));
        art_picture_free(local);
    }
    return frames;
}
