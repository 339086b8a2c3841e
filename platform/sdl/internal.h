// The pieces of the SDL backend that its files share with each other and
// with the backend's own tests and benchmarks. Game code never sees this.
#pragma once

#include "platform/picture_place.h"

#include "platform/settings.h"

#include <cstdint>
#include <string>

struct SDL_Window;
union SDL_Event;

// ---- Keyboard (keymap.cpp) ------------------------------------------------

// The game's scan code (platform/keys.h) for an SDL scancode, 0 for keys the
// game's keyboard has no code for.
int sdl_scan_code(int sdl_scancode);
// The speed keys wherever the keyboard's layout puts them: the game's code
// of the main row's = or - for a key that types +, = or - (an SDL key
// code), else 0. On a US keyboard these are the keys of those codes anyway;
// elsewhere (+ and - right of the letters on German keyboards, - on the 6
// of French ones) the key reads as both.
int sdl_layout_code(int sdl_keycode);
// Typed text as SDL delivers it (UTF-8) in the game's Windows-1251 bytes;
// letters the code page lacks become their nearest plain letters, other
// characters it has no place for are left out.
std::string sdl_typed_text(const char* utf8);
// The control character a key types (Backspace 8, Tab 9, Enter 13,
// Escape 27), or 0. Takes an SDL key code (the key's meaning in the layout).
int sdl_control_char(int sdl_keycode);

// ---- Picture placement (video.cpp) ---------------------------------------------

// The picture's place in the window: platform/picture_place.h.

// The largest whole multiple of the picture (at least 1) that a new window
// can have on a desktop whose usable area (without panels) is this big,
// with room left for the window's frame and title bar.
int sdl_window_multiple(int usable_width, int usable_height);
// The size a new window opens at: the remembered one while it still fits
// the usable area, else the largest whole multiple (twice the picture when
// the usable area is not known: 0 x 0).
void sdl_window_size(const Settings& settings, int usable_width, int usable_height, int* width, int* height);
// How the picture is scaled now, and the switch between the two ways.
PictureScale sdl_video_scale();
void sdl_video_switch_scale();

// A window position (window coordinates; the drawable area may have more
// pixels than the window has points) to a position in the 640 x 480
// picture. Positions over the bars land outside 0..639 / 0..479; the game
// clamps them.
void sdl_window_to_picture(const PictureRect& rect, int window_width, int window_height, int area_width,
                           int area_height, int x, int y, int* picture_x, int* picture_y);

// The window, once created; null before.
SDL_Window* sdl_window();
// The size of the window's drawable area in pixels.
void sdl_video_area(int* width, int* height);
// Shows again the last picture presented (after the window was uncovered,
// resized or switched between full screen and window).
void sdl_video_redraw();
void sdl_video_toggle_fullscreen();
// Writes the last picture presented as a PNG into the player's pictures
// directory (else the game's data directory). The path, or empty on failure.
std::string sdl_video_screenshot();
// Video state that the event handling and the tests look at.
bool sdl_video_is_fullscreen();
// The renderer lost its textures: make them again.
void sdl_video_restore();
void sdl_video_close_window();
// Whether a GL renderer's name (GL_RENDERER) is one that draws on the
// processor; the window then uses SDL's software renderer instead.
bool sdl_gl_draws_on_cpu(const char* gl_renderer);
// Whether the window's picture is drawn by SDL's software renderer.
bool sdl_video_software();
// Texture uploads made so far: a present of an unchanged frame makes none.
uint64_t sdl_video_uploads();

// ---- Keyboard and mouse state (input.cpp) ----------------------------------

// Follows every event as it arrives, before the window pump sees it: keys,
// buttons and focus, as the devices would report them.
void sdl_input_watch(const SDL_Event& event);
// Whether the game's window has the focus (and is not minimised).
bool sdl_input_active();
void sdl_input_reset();

// ---- Sound (audio.cpp) ------------------------------------------------------

// A voice cut off while it sounds fades out over this many samples (5 ms)
// instead of jumping to silence, which would click.
constexpr int SDL_VOICE_FADE = 110;

// One voice as the mixer sees it: a sample and where it has got to.
struct SdlVoice {
    const uint8_t* data;    // unsigned 8-bit, 128 is silence
    uint32_t length;
    uint32_t position;
    bool playing;
    bool looping;
    // What the voice was about to play when it was cut off, already faded:
    // mixed in over the next `fade_left` samples, whatever the voice does.
    int16_t fade[SDL_VOICE_FADE] = {};
    int fade_left = 0;
};

// Stops a voice where it is; the sound it had left fades out over the next
// SDL_VOICE_FADE samples of the mix. Used when a voice is started over or
// released while it sounds.
void sdl_voice_cut(SdlVoice& voice);

// Mixes `count` voices into `frames` signed 16-bit mono samples: each
// playing voice adds its sample at full level, and each voice its fading
// cut-off sound, the sum held to the 16-bit range. Voices move on; a voice
// that reaches its end stops, or starts over when it loops.
void sdl_mix_voices(SdlVoice* voices, int count, int16_t* out, int frames);
// The device's own mixing, by hand: holding the device stops its callback,
// so that what the voices do can be watched one step at a time.
void sdl_audio_hold(bool held);
void sdl_audio_mix(int16_t* out, int frames);

// ---- Backend entries, by the file that holds them ---------------------------------

struct PlatformMouse;

int sdl_display_open();
void sdl_display_close();
void sdl_present(const uint8_t* pixels, int pitch, const uint8_t* rgb);

int sdl_keyboard_open();
int sdl_mouse_open();
void sdl_input_close();
void sdl_read_keys(uint8_t keys[256]);
void sdl_read_mouse(PlatformMouse* mouse);

int sdl_sound_open();
void sdl_sound_close();
int sdl_voice_create(uint32_t length);
void sdl_voice_release(int voice);
void sdl_voice_fill(int voice, const uint8_t* sample, uint32_t length);
int sdl_voice_play(int voice, int flags);
void sdl_voice_restore(int voice);
