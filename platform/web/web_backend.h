// The browser backend: the game in a page, on a canvas, with the page's
// keyboard, pointer and touch, Web Audio, and a folder kept in IndexedDB.
// Only the browser program's entry point includes this.
#pragma once

#include "platform/settings.h"

#include <string>

struct PlatformBackend;

const PlatformBackend* web_backend();

// The folder the table is kept in: loaded from the browser's storage before
// the game starts and written back after every change.
constexpr char WEB_STORE_DIR[] = "/flickermoth/";

// What the page's address asks for: the argument text after "?args="
// (Windows-1251), and whether "?demo" lets the autoplayer play (1), or
// "?demo=lose" a quick player that soon loses (2); 0 for neither.
const char* web_argument_text();
int web_demo_mode();
// Tells the page which screen is up, after every frame (the page's tests
// and its figures wait on it), with the frame's state as the trace writes
// it (JSON) when the address asks for it with "?trace", else null.
void web_publish_frame(const char* screen, const char* trace);
bool web_trace_wanted();
// How the picture fills the page: by the page's own rule (null) until the
// player picks whole multiples or the largest fit with the page's scale
// button; `changed` is called after each pick.
void web_set_scale(const PictureScale* scale);
bool web_chosen_scale(PictureScale* scale);
void web_on_scale_chosen(void (*changed)());
// The settings text in the page's storage (localStorage). Storage the
// browser blocks or has no room in is no error: nothing is read (false)
// and nothing is kept (false).
bool web_settings_load(std::string* text);
bool web_settings_save(const std::string& text);
// Tells the page where the board's cells and the menu's items lie on the
// picture (JSON).
void web_publish_places(const char* places);
