// The application icon: a moth in lantern light on a night-blue rounded
// square, in true colour for the desktop.
#include "tools/art/art.h"
#include "tools/art/scenery.h"

#include <cmath>

namespace {

void draw_icon(cairo_t* cr, double size)
{
    double s = size / 256.0;
    cairo_scale(cr, s, s);
    rounded_rect(cr, 8, 8, 240, 240, 44);
    cairo_pattern_t* sky = cairo_pattern_create_linear(0, 8, 0, 248);
    cairo_pattern_add_color_stop_rgb(sky, 0.0, 0.03, 0.05, 0.16);
    cairo_pattern_add_color_stop_rgb(sky, 1.0, 0.08, 0.15, 0.36);
    cairo_set_source(cr, sky);
    cairo_fill(cr);
    cairo_pattern_destroy(sky);
    // the lantern's glow behind the moth
    cairo_pattern_t* glow = cairo_pattern_create_radial(128, 140, 0, 128, 140, 110);
    cairo_pattern_add_color_stop_rgba(glow, 0.0, 1.0, 0.8, 0.4, 0.85);
    cairo_pattern_add_color_stop_rgba(glow, 0.35, 0.95, 0.55, 0.15, 0.35);
    cairo_pattern_add_color_stop_rgba(glow, 1.0, 0.9, 0.5, 0.1, 0.0);
    cairo_set_source(cr, glow);
    rounded_rect(cr, 8, 8, 240, 240, 44);
    cairo_fill(cr);
    cairo_pattern_destroy(glow);
    if (size >= 48) {
        for (int i = 0; i < 14; i++) {
            double x = 24 + art_noise(i, 1, 3) * 208, y = 22 + art_noise(i, 2, 3) * 70;
            cairo_set_source_rgba(cr, 1, 1, 1, 0.5 + 0.5 * art_noise(i, 3, 3));
            cairo_arc(cr, x, y, 1.6 + 1.6 * art_noise(i, 4, 3), 0, 2 * M_PI);
            cairo_fill(cr);
        }
    }
    art_draw_moth(cr, 1, 128, 134, 92, 1.0);
    rounded_rect(cr, 8, 8, 240, 240, 44);
    cairo_set_source_rgba(cr, 1.0, 0.85, 0.5, 0.7);
    cairo_set_line_width(cr, 5);
    cairo_stroke(cr);
}

}  // namespace

bool art_write_icons(const std::string& directory)
{
    for (int size : {256, 48, 32}) {
        cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, size, size);
        cairo_t* cr = cairo_create(surface);
        draw_icon(cr, size);
        cairo_destroy(cr);
        std::string path = directory + "/flickermoth-" + std::to_string(size) + ".png";
        cairo_status_t status = cairo_surface_write_to_png(surface, path.c_str());
        cairo_surface_destroy(surface);
        if (status != CAIRO_STATUS_SUCCESS)
            return false;
    }
    return true;
}
