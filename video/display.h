// The display: one 640 x 480 back buffer of colour indices in ordinary
// memory that every drawing operation writes, shown once a frame with the
// current palette by the platform backend.
#pragma once

#include "platform/globals.h"

#include <cstdint>

// A palette: 256 entries of red, green, blue, each 0..63.
constexpr int PALETTE_BYTES = 768;
// The 8-bit level the screen shows for a palette component of 0..63: the
// component shifted up, 63 showing as 252. Everything that shows or matches
// the game's colours (the display, previews, the art's colour matching) uses it.
constexpr uint8_t display_level8(uint8_t component) { return (uint8_t)(component << 2); }
// Bytes per back-buffer row when nothing asks for more.
constexpr int DISPLAY_PITCH = 640;

struct Display {
    uint8_t* back_buffer;       // pitch x 480 bytes; pixel (x, y) at back_buffer + y * pitch + x
    int32_t width;              // always 640
    int32_t height;             // always 480
    int32_t pitch;
    uint8_t rgb[PALETTE_BYTES]; // the palette on show, components shifted to 0..252
    int32_t palette_set;        // a palette has been set since creation
};

extern Display display;

// Opens the screen and makes a back buffer filled with colour 0; false when
// either fails. The pitched form gives every row `pitch` (at least 640)
// bytes, as a screen with padded rows would; display_create uses DISPLAY_PITCH.
bool display_create();
bool display_create_pitched(int pitch);
void display_release();
// The display as a new process has it: the back buffer freed and nothing
// set. The screen itself belongs to the machine and is not asked to close.
void display_reset();
// Shows the back buffer with the palette in display.rgb.
void display_present();
void display_clear(uint8_t colour);
void display_restore_background(const uint8_t* screen_copy);
void display_snapshot(uint8_t* screen_copy);
void display_set_palette(const uint8_t* palette);
