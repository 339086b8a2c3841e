// The browser backend's rules that need no browser (see web_rules.h).
#include "platform/web/web_rules.h"

#include "platform/keys.h"
#include "platform/codepage.h"
#include "platform/globals.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

namespace {

// Keys of wider keyboards that the game's list has no name for, by the
// codes the system keyboard reports for them (the desktop backend uses the
// same ones).
constexpr uint8_t KEY_EXTRA_BACKSLASH = 0x56;
constexpr uint8_t KEY_F13 = 0x64;
constexpr uint8_t KEY_F14 = 0x65;
constexpr uint8_t KEY_F15 = 0x66;
constexpr uint8_t KEY_NUMPAD_EQUALS = 0x8D;
constexpr uint8_t KEY_NUMPAD_COMMA = 0xB3;

struct KeyName {
    const char* code;
    uint8_t scan;
};

// KeyboardEvent.code names the key's place on the keyboard, whatever the
// layout types there, as the scan codes do.
const KeyName KEY_NAMES[] = {
    {"Escape", KEY_ESCAPE},
    {"Digit1", KEY_1}, {"Digit2", KEY_2}, {"Digit3", KEY_3}, {"Digit4", KEY_4}, {"Digit5", KEY_5},
    {"Digit6", KEY_6}, {"Digit7", KEY_7}, {"Digit8", KEY_8}, {"Digit9", KEY_9}, {"Digit0", KEY_0},
    {"Minus", KEY_MINUS}, {"Equal", KEY_EQUALS}, {"Backspace", KEY_BACKSPACE}, {"Tab", KEY_TAB},

    {"KeyQ", KEY_Q}, {"KeyW", KEY_W}, {"KeyE", KEY_E}, {"KeyR", KEY_R}, {"KeyT", KEY_T},
    {"KeyY", KEY_Y}, {"KeyU", KEY_U}, {"KeyI", KEY_I}, {"KeyO", KEY_O}, {"KeyP", KEY_P},
    {"BracketLeft", KEY_LEFT_BRACKET}, {"BracketRight", KEY_RIGHT_BRACKET},
    {"Enter", KEY_ENTER}, {"ControlLeft", KEY_LEFT_CONTROL},

    {"KeyA", KEY_A}, {"KeyS", KEY_S}, {"KeyD", KEY_D}, {"KeyF", KEY_F}, {"KeyG", KEY_G},
    {"KeyH", KEY_H}, {"KeyJ", KEY_J}, {"KeyK", KEY_K}, {"KeyL", KEY_L},
    {"Semicolon", KEY_SEMICOLON}, {"Quote", KEY_APOSTROPHE}, {"Backquote", KEY_GRAVE},
    {"ShiftLeft", KEY_LEFT_SHIFT},
    // Also the key left of Enter on ISO keyboards, which browsers name so.
    {"Backslash", KEY_BACKSLASH},

    {"KeyZ", KEY_Z}, {"KeyX", KEY_X}, {"KeyC", KEY_C}, {"KeyV", KEY_V}, {"KeyB", KEY_B},
    {"KeyN", KEY_N}, {"KeyM", KEY_M},
    {"Comma", KEY_COMMA}, {"Period", KEY_PERIOD}, {"Slash", KEY_SLASH},
    {"ShiftRight", KEY_RIGHT_SHIFT}, {"NumpadMultiply", KEY_NUMPAD_MULTIPLY},
    {"AltLeft", KEY_LEFT_ALT}, {"Space", KEY_SPACE}, {"CapsLock", KEY_CAPS_LOCK},

    {"F1", KEY_F1}, {"F2", KEY_F2}, {"F3", KEY_F3}, {"F4", KEY_F4}, {"F5", KEY_F5}, {"F6", KEY_F6},
    {"F7", KEY_F7}, {"F8", KEY_F8}, {"F9", KEY_F9}, {"F10", KEY_F10}, {"F11", KEY_F11}, {"F12", KEY_F12},
    {"F13", KEY_F13}, {"F14", KEY_F14}, {"F15", KEY_F15},
    {"NumLock", KEY_NUM_LOCK}, {"ScrollLock", KEY_SCROLL_LOCK},

    {"Numpad7", KEY_NUMPAD_7}, {"Numpad8", KEY_NUMPAD_8}, {"Numpad9", KEY_NUMPAD_9},
    {"NumpadSubtract", KEY_NUMPAD_MINUS},
    {"Numpad4", KEY_NUMPAD_4}, {"Numpad5", KEY_NUMPAD_5}, {"Numpad6", KEY_NUMPAD_6},
    {"NumpadAdd", KEY_NUMPAD_PLUS},
    {"Numpad1", KEY_NUMPAD_1}, {"Numpad2", KEY_NUMPAD_2}, {"Numpad3", KEY_NUMPAD_3},
    {"Numpad0", KEY_NUMPAD_0}, {"NumpadDecimal", KEY_NUMPAD_PERIOD},
    {"IntlBackslash", KEY_EXTRA_BACKSLASH},
    {"NumpadEqual", KEY_NUMPAD_EQUALS}, {"NumpadComma", KEY_NUMPAD_COMMA},

    {"NumpadEnter", KEY_NUMPAD_ENTER}, {"ControlRight", KEY_RIGHT_CONTROL},
    {"NumpadDivide", KEY_NUMPAD_DIVIDE}, {"PrintScreen", KEY_PRINT_SCREEN},
    {"AltRight", KEY_RIGHT_ALT}, {"Pause", KEY_PAUSE},
    {"Home", KEY_HOME}, {"ArrowUp", KEY_UP}, {"PageUp", KEY_PAGE_UP},
    {"ArrowLeft", KEY_LEFT}, {"ArrowRight", KEY_RIGHT}, {"End", KEY_END},
    {"ArrowDown", KEY_DOWN}, {"PageDown", KEY_PAGE_DOWN},
    {"Insert", KEY_INSERT}, {"Delete", KEY_DELETE},
    {"MetaLeft", KEY_LEFT_SYSTEM}, {"MetaRight", KEY_RIGHT_SYSTEM}, {"ContextMenu", KEY_MENU},
};

// The keys the game acts on, whose browser actions (going back, finding,
// scrolling, the menu bar) would get in the way of play.
const char* const GAMES_KEYS[] = {
    "Escape", "F8", "F10", "F12", "NumpadAdd", "NumpadSubtract", "Backspace", "Enter", "NumpadEnter", "Space",
};

}  // namespace

int web_scan_code(const char* code)
{
    if (!code)
        return 0;
    for (const KeyName& name : KEY_NAMES)
        if (std::strcmp(name.code, code) == 0)
            return name.scan;
    return 0;
}

bool web_key_is_games(const char* code, bool shortcut_modifier)
{
    if (!code || shortcut_modifier)
        return false;
    for (const char* games : GAMES_KEYS)
        if (std::strcmp(games, code) == 0)
            return true;
    return false;
}

std::string web_games_keys()
{
    std::string list;
    for (const char* games : GAMES_KEYS)
        list += (list.empty() ? "" : " ") + std::string(games);
    return list;
}

std::string web_typed_text(const char* key, bool shortcut_modifier)
{
    if (!key || shortcut_modifier)
        return "";
    static const KeyName CONTROL_KEYS[] = {{"Backspace", 8}, {"Tab", 9}, {"Enter", 13}, {"Escape", 27}};
    for (const KeyName& control : CONTROL_KEYS)
        if (std::strcmp(control.code, key) == 0)
            return std::string(1, (char)control.scan);
    // Named keys ("Shift", "F5", "Dead") are longer than one character.
    std::string utf8 = key;
    size_t characters = 0;
    for (char c : utf8)
        characters += ((uint8_t)c & 0xC0) != 0x80;
    if (characters != 1 || !utf8_is_valid(utf8))
        return "";
    // Control characters come from their keys, never from typed text.
    std::string typed;
    for (char c : utf8_to_cp1251_dropping(utf8))
        if (cp1251_defined((uint8_t)c))
            typed += c;
    return typed;
}

PictureRect web_picture_rect(int area_width, int area_height, const PictureScale* scale)
{
    return scale ? picture_place(area_width, area_height, *scale) : picture_place_near_whole(area_width, area_height);
}

PictureScale web_next_scale(const PictureScale* chosen, int area_width, int area_height)
{
    if (chosen)
        return *chosen == SCALE_INTEGER ? SCALE_FIT : SCALE_INTEGER;
    PictureRect shown = web_picture_rect(area_width, area_height);
    bool whole = shown.width % SCREEN_WIDTH == 0 && shown.height % SCREEN_HEIGHT == 0;
    return whole ? SCALE_FIT : SCALE_INTEGER;
}

void web_page_to_picture(double x, double y, double box_width, double box_height, int* picture_x,
                         int* picture_y)
{
    double scale_x = box_width > 0 ? SCREEN_WIDTH / box_width : 1;
    double scale_y = box_height > 0 ? SCREEN_HEIGHT / box_height : 1;
    *picture_x = (int)std::floor(x * scale_x);
    *picture_y = (int)std::floor(y * scale_y);
}

bool web_frame_take(WebFrame* frame, const uint8_t* pixels, int pitch, const uint8_t* rgb)
{
    bool palette_changed = !frame->shown || std::memcmp(rgb, frame->rgb, sizeof frame->rgb) != 0;
    if (palette_changed) {
        std::memcpy(frame->rgb, rgb, sizeof frame->rgb);
        for (int i = 0; i < 256; i++) {
            const uint8_t bytes[4] = {rgb[i * 3], rgb[i * 3 + 1], rgb[i * 3 + 2], 255};
            std::memcpy(&frame->colours[i], bytes, 4);
        }
    }
    // New colours convert every row; else only the rows that changed.
    bool changed = palette_changed;
    frame->top = palette_changed ? 0 : SCREEN_HEIGHT;
    frame->bottom = palette_changed ? SCREEN_HEIGHT : 0;
    for (int y = 0; y < SCREEN_HEIGHT; y++) {
        const uint8_t* row = pixels + (size_t)y * pitch;
        uint8_t* kept = frame->pixels + (size_t)y * SCREEN_WIDTH;
        bool row_changed = std::memcmp(kept, row, SCREEN_WIDTH) != 0;
        if (row_changed)
            std::memcpy(kept, row, SCREEN_WIDTH);
        if (!row_changed && !palette_changed)
            continue;
        uint32_t* out = frame->rgba + (size_t)y * SCREEN_WIDTH;
        for (int x = 0; x < SCREEN_WIDTH; x++)
            out[x] = frame->colours[kept[x]];
        changed = true;
        frame->top = std::min(frame->top, y);
        frame->bottom = std::max(frame->bottom, y + 1);
    }
    frame->shown = true;
    return changed;
}

bool web_settings_scale(const std::string& text, PictureScale* scale)
{
    // Read from either scale, a text without one of its own ends where it
    // started; one with a scale ends at it both times.
    Settings from_whole, from_fit;
    from_fit.scale = SCALE_FIT;
    std::vector<std::string> problems;
    settings_parse(text, &from_whole, &problems);
    settings_parse(text, &from_fit, &problems);
    if (from_whole.scale != from_fit.scale)
        return false;
    *scale = from_whole.scale;
    return true;
}

std::string web_settings_text(const std::string& text, const PictureScale* scale)
{
    Settings settings;
    std::vector<std::string> problems;
    settings_parse(text, &settings, &problems);
    if (scale) {
        settings.scale = *scale;
        return settings_format(settings);
    }
    std::string formatted = settings_format(settings), kept;
    for (size_t start = 0; start < formatted.size();) {
        size_t end = formatted.find('\n', start);
        end = end == std::string::npos ? formatted.size() : end + 1;
        std::string line = formatted.substr(start, end - start);
        PictureScale its;
        if (!web_settings_scale(line, &its))
            kept += line;
        start = end;
    }
    return kept;
}

void web_sample_to_float(const uint8_t* sample, size_t length, float* out)
{
    for (size_t i = 0; i < length; i++)
        out[i] = ((int)sample[i] - 128) / 128.0f;
}

double web_cut_fade(double now, double ends, bool looping)
{
    if (!looping && ends <= now)
        return 0;
    return WEB_VOICE_FADE_SECONDS;
}
