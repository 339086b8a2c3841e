// The browser backend's table, its clock, the page's events and the canvas.
//
// The game's screens are loops that wait for their frames; in the page each
// wait sleeps through the browser's event loop (emscripten_sleep), so the
// page stays alive while the game seems to block. The page queues what
// happens (keys, buttons, focus, resizes) and the backend takes it in on
// every poll, the way the window's messages come in on the desktop.
#include "platform/web/web_backend.h"

#include "platform/codepage.h"
#include "platform/event_queue.h"
#include "platform/platform.h"
#include "platform/web/web_internal.h"
#include "platform/web/web_rules.h"

#include <emscripten.h>

#include <cstring>
#include <string>

extern "C" {
int web_page_next_event(int* fields, char* code, char* key, int size);
void web_page_area(int* out);
void web_page_place(int x, int y, int width, int height);
void web_page_present(const uint32_t* rgba, int top, int bottom, double convert_ms);
int web_page_is_active();
void web_page_set_games_keys(const char* list);
void web_page_message(const char* caption, const char* text);
void web_page_play_again();
void web_page_screen(const char* name, const char* trace);
int web_page_trace();
void web_page_places(const char* places);
void web_page_argument(char* out, int size);
int web_page_demo();
void web_page_scale_shown(const char* name);
}

namespace {

// While the game is frozen the page is looked at this often.
constexpr uint32_t FROZEN_STEP_MS = 100;

EventQueue pending;
WebFrame frame;
bool display_open = false;
// The scale the player picked with the page's button (or the page was
// told at start); none: the page's own rule.
bool scale_chosen = false;
PictureScale scale = SCALE_INTEGER;
void (*on_scale_chosen)() = nullptr;

void push(int kind, uint32_t value = 0) { event_queue_push(&pending, kind, value); }

void place_canvas()
{
    int area[2];
    web_page_area(area);
    PictureRect rect = web_picture_rect(area[0], area[1], scale_chosen ? &scale : nullptr);
    web_page_place(rect.x, rect.y, rect.width, rect.height);
}

// The page's button says what it shows: the page's own rule, whole
// multiples or the largest fit.
void show_scale() { web_page_scale_shown(scale_chosen ? settings_scale_name(scale) : ""); }

void switch_scale()
{
    int area[2];
    web_page_area(area);
    scale = web_next_scale(scale_chosen ? &scale : nullptr, area[0], area[1]);
    scale_chosen = true;
    show_scale();
    if (display_open)
        place_canvas();
    if (on_scale_chosen)
        on_scale_chosen();
}

void translate_key_down(const char* code, const char* key, int flags)
{
    web_input_key(code, true);
    bool shortcut = (flags & WEB_FLAG_SHORTCUT) != 0;
    if (std::strcmp(code, "Enter") == 0 || std::strcmp(code, "NumpadEnter") == 0)
        push(EVENT_ENTER);
    // Keys type their characters, repeating while held, as the window's
    // character messages do; a letter written as several plain ones types
    // each of them.
    for (char c : web_typed_text(key, shortcut))
        if (pending.count < EVENT_QUEUE_SIZE)
            push(EVENT_CHAR, (uint8_t)c);
}

}  // namespace

void web_pump()
{
    int fields[4];
    char code[64], key[64];
    // A key makes at most a few events (Enter and the letters it types):
    // leave room for them.
    while (pending.count < EVENT_QUEUE_SIZE - 4 && web_page_next_event(fields, code, key, sizeof code)) {
        switch (fields[0]) {
        case WEB_RAW_KEY_DOWN:
            translate_key_down(code, key, fields[1]);
            break;
        case WEB_RAW_KEY_UP:
            web_input_key(code, false);
            break;
        case WEB_RAW_BUTTON_DOWN:
        case WEB_RAW_BUTTON_UP:
            web_input_button(fields[2], fields[0] == WEB_RAW_BUTTON_DOWN);
            break;
        case WEB_RAW_ACTIVE:
            if ((fields[2] != 0) != web_input_active()) {
                web_input_activate(fields[2] != 0);
                push(EVENT_ACTIVATE, fields[2] ? 1 : 0);
            }
            break;
        case WEB_RAW_LAYOUT:
            if (display_open)
                place_canvas();
            break;
        case WEB_RAW_SCALE:
            switch_scale();
            break;
        default:
            break;
        }
    }
}

namespace {

// ---- Backend entries ---------------------------------------------------------

uint32_t ticks() { return (uint32_t)(uint64_t)emscripten_get_now(); }

// The frame wait: the page runs (draws, takes events) until the tick the
// pump asked for.
void idle(uint32_t ms) { emscripten_sleep(ms); }

int poll_event(PlatformEvent* event)
{
    web_pump();
    return event_queue_pop(&pending, event) ? 1 : 0;
}

// The game is frozen: it looks at the page now and then until something
// happens, so that a hidden tab costs next to nothing.
void wait_event(PlatformEvent* event)
{
    for (;;) {
        web_pump();
        if (event_queue_pop(&pending, event))
            return;
        emscripten_sleep(FROZEN_STEP_MS);
    }
}

int display_open_canvas()
{
    display_open = true;
    frame.shown = false;
    place_canvas();
    // The game starts in the background and comes to the front at once
    // when the page is in view, as a new window gets the focus.
    web_input_activate(false);
    web_pump();
    if (web_page_is_active() && !web_input_active()) {
        web_input_activate(true);
        push(EVENT_ACTIVATE, 1);
    }
    return 1;
}

void display_close() { display_open = false; }

void present(const uint8_t* pixels, int pitch, const uint8_t* rgb)
{
    if (!display_open)
        return;
    // What the conversion took goes to the page with the picture, for the
    // figures of the present's cost.
    double start = emscripten_get_now();
    if (web_frame_take(&frame, pixels, pitch, rgb))
        web_page_present(frame.rgba, frame.top, frame.bottom, emscripten_get_now() - start);
}

// No CD-audio device in a browser; the game runs on without one.
int cd_open() { return 0; }
void cd_stop() {}
void cd_close() {}

void message_box(const char* caption, const char* text, int)
{
    web_page_message(cp1251_to_utf8(caption).c_str(), cp1251_to_utf8(text).c_str());
}

// At the end the collection's shell would start: the page offers to play again.
int start_program(const char*)
{
    web_page_play_again();
    return 1;
}

int read_install_dir(int, char* buffer, size_t size)
{
    if (sizeof WEB_STORE_DIR > size)
        return 0;
    std::memcpy(buffer, WEB_STORE_DIR, sizeof WEB_STORE_DIR);
    return 1;
}

// A page does not know who sits at it.
int read_owner_name(char*, size_t) { return 0; }

const PlatformBackend backend = {
    "web",
    ticks, idle, poll_event, wait_event,
    display_open_canvas, display_close, present,
    web_keyboard_open, web_mouse_open, web_input_close, web_read_keys, web_read_mouse,
    web_sound_open, web_sound_close, web_voice_create, web_voice_release, web_voice_fill, web_voice_play,
    web_voice_restore,
    cd_open, cd_stop, cd_close,
    message_box, start_program, read_install_dir, read_owner_name,
};

}  // namespace

const PlatformBackend* web_backend() { return &backend; }

const char* web_argument_text()
{
    static std::string text;
    char utf8[256];
    web_page_argument(utf8, sizeof utf8);
    text = utf8_to_cp1251_dropping(utf8);
    return text.c_str();
}

void web_set_scale(const PictureScale* chosen)
{
    scale_chosen = chosen != nullptr;
    if (chosen)
        scale = *chosen;
    show_scale();
    if (display_open)
        place_canvas();
}

bool web_chosen_scale(PictureScale* chosen)
{
    if (scale_chosen)
        *chosen = scale;
    return scale_chosen;
}

void web_on_scale_chosen(void (*changed)()) { on_scale_chosen = changed; }

int web_demo_mode() { return web_page_demo(); }

void web_publish_frame(const char* screen, const char* trace) { web_page_screen(screen, trace); }

bool web_trace_wanted() { return web_page_trace() != 0; }

void web_publish_places(const char* places) { web_page_places(places); }
