// The browser backend's rules that need no browser: key codes, where the
// picture sits in the page and where the pointer is on it, the picture's
// colours, the voices' sound, and the settings text the page keeps. Plain
// C++, so the native tests check them.
#pragma once

#include "platform/picture_place.h"

#include "platform/settings.h"

#include <cstddef>
#include <cstdint>
#include <string>

// ---- Keyboard ------------------------------------------------------------------

// The game's scan code (platform/keys.h) for a KeyboardEvent.code name
// ("KeyA", "Equal", "NumpadAdd"), 0 for keys the game has no code for.
int web_scan_code(const char* code);
// Whether the browser's own action for the key is held back: only for the
// keys the game uses, and never when Control, Alt or Meta is held, so the
// browser's shortcuts keep working.
bool web_key_is_games(const char* code, bool shortcut_modifier);
// Those keys' codes, separated by spaces, for the page's key handler.
std::string web_games_keys();
// What a key press types in the game's Windows-1251 code page, as the
// desktop types it: its character (KeyboardEvent.key, one character in
// UTF-8), a letter the code page lacks as its nearest plain letter or
// letters ("\u00e9" types "e", "\u00df" types "ss"), or the control character
// of Backspace (8), Tab (9), Enter (13) and Escape (27); empty when it types
// nothing the game can hold or a shortcut modifier is held.
std::string web_typed_text(const char* key, bool shortcut_modifier);

// ---- Picture placement -------------------------------------------------------------

// The picture centred in an area (device pixels) with its 4:3 shape kept,
// the rest black. By the page's own rule (`scale` null): a whole multiple of
// its size when that reaches 75 % of the largest fit, else the largest fit.
// By the player's choice, as on the desktop: SCALE_INTEGER the largest whole
// multiple (the largest fit when even one is too big), SCALE_FIT the largest
// fit.
PictureRect web_picture_rect(int area_width, int area_height, const PictureScale* scale = nullptr);
// What the page's scale button picks: the other one of whole multiples and
// the largest fit than `chosen`, or, while nothing was chosen, the other one
// of what the page's own rule shows in that area now.
PictureScale web_next_scale(const PictureScale* chosen, int area_width, int area_height);

// A position over the page (CSS pixels, relative to the canvas's top-left
// corner) in the 640 x 480 picture, for a canvas shown `box_width` x
// `box_height` CSS pixels. Positions outside the canvas land outside
// 0..639 / 0..479; the game clamps them.
void web_page_to_picture(double x, double y, double box_width, double box_height, int* picture_x,
                         int* picture_y);

// ---- The picture ---------------------------------------------------------------------

// The frame on show, kept so that an unchanged frame is not drawn again.
struct WebFrame {
    bool shown = false;
    uint8_t pixels[SCREEN_WIDTH * SCREEN_HEIGHT];
    uint8_t rgb[768];
    uint32_t colours[256];    // RGBA bytes in memory order, as the page's image data takes them
    uint32_t rgba[SCREEN_WIDTH * SCREEN_HEIGHT];
    int top, bottom;          // the rows the last change touched: top..bottom-1
};

// Takes a frame (rows `pitch` bytes apart, 256 colours of 8-bit red, green,
// blue); true, with `rgba` brought up to date, when it differs from the one
// on show in its pixels or its colours. Only the rows that changed are
// converted (all of them when the colours did).
bool web_frame_take(WebFrame* frame, const uint8_t* pixels, int pitch, const uint8_t* rgb);

// ---- Settings ----------------------------------------------------------------------

// The page keeps the same settings text as the desktop, with one
// difference: it holds a scale only once the player chose one in the page,
// so that until then the page's own rule places the picture.
//
// The scale a settings text holds; false when it holds none.
bool web_settings_scale(const std::string& text, PictureScale* scale);
// The text to keep for the settings in `text` (as settings_format writes
// them) with `scale`, or with no scale at all when it is null.
std::string web_settings_text(const std::string& text, const PictureScale* scale);

// ---- Sound -----------------------------------------------------------------------

// A voice restarted (or let go) while it still sounds fades out over this
// long instead of stopping dead, which would click.
constexpr double WEB_VOICE_FADE_SECONDS = 0.006;

// Unsigned 8-bit samples (128 silence) as the -1..1 floats the audio
// device takes; one voice at full level spans the whole range.
void web_sample_to_float(const uint8_t* sample, size_t length, float* out);
// How long the old sound of a voice fades when it is cut at `now` (seconds
// on the audio clock): the fade when it would still sound until `ends`
// (looping: for ever), 0 when it has already ended.
double web_cut_fade(double now, double ends, bool looping);
