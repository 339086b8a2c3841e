// SDL's key numbers in the game's terms: scan codes for the key state, and
// typed text in the Windows-1251 code page the game's texts use.
#include "platform/keys.h"
#include "platform/codepage.h"
#include "platform/sdl/internal.h"

#include <SDL.h>

namespace {

// Keys of wider keyboards that the game's list has no name for, by the
// codes the system keyboard reports for them.
constexpr uint8_t KEY_EXTRA_BACKSLASH = 0x56;    // between left Shift and Z on ISO keyboards
constexpr uint8_t KEY_F13 = 0x64;
constexpr uint8_t KEY_F14 = 0x65;
constexpr uint8_t KEY_F15 = 0x66;
constexpr uint8_t KEY_NUMPAD_EQUALS = 0x8D;
constexpr uint8_t KEY_NUMPAD_COMMA = 0xB3;

struct KeyPair {
    SDL_Scancode sdl;
    uint8_t code;
};

const KeyPair KEY_PAIRS[] = {
    {SDL_SCANCODE_ESCAPE, KEY_ESCAPE},
    {SDL_SCANCODE_1, KEY_1}, {SDL_SCANCODE_2, KEY_2}, {SDL_SCANCODE_3, KEY_3}, {SDL_SCANCODE_4, KEY_4},
    {SDL_SCANCODE_5, KEY_5}, {SDL_SCANCODE_6, KEY_6}, {SDL_SCANCODE_7, KEY_7}, {SDL_SCANCODE_8, KEY_8},
    {SDL_SCANCODE_9, KEY_9}, {SDL_SCANCODE_0, KEY_0},
    {SDL_SCANCODE_MINUS, KEY_MINUS}, {SDL_SCANCODE_EQUALS, KEY_EQUALS},
    {SDL_SCANCODE_BACKSPACE, KEY_BACKSPACE}, {SDL_SCANCODE_TAB, KEY_TAB},

    {SDL_SCANCODE_Q, KEY_Q}, {SDL_SCANCODE_W, KEY_W}, {SDL_SCANCODE_E, KEY_E}, {SDL_SCANCODE_R, KEY_R},
    {SDL_SCANCODE_T, KEY_T}, {SDL_SCANCODE_Y, KEY_Y}, {SDL_SCANCODE_U, KEY_U}, {SDL_SCANCODE_I, KEY_I},
    {SDL_SCANCODE_O, KEY_O}, {SDL_SCANCODE_P, KEY_P},
    {SDL_SCANCODE_LEFTBRACKET, KEY_LEFT_BRACKET}, {SDL_SCANCODE_RIGHTBRACKET, KEY_RIGHT_BRACKET},
    {SDL_SCANCODE_RETURN, KEY_ENTER}, {SDL_SCANCODE_LCTRL, KEY_LEFT_CONTROL},

    {SDL_SCANCODE_A, KEY_A}, {SDL_SCANCODE_S, KEY_S}, {SDL_SCANCODE_D, KEY_D}, {SDL_SCANCODE_F, KEY_F},
    {SDL_SCANCODE_G, KEY_G}, {SDL_SCANCODE_H, KEY_H}, {SDL_SCANCODE_J, KEY_J}, {SDL_SCANCODE_K, KEY_K},
    {SDL_SCANCODE_L, KEY_L},
    {SDL_SCANCODE_SEMICOLON, KEY_SEMICOLON}, {SDL_SCANCODE_APOSTROPHE, KEY_APOSTROPHE},
    {SDL_SCANCODE_GRAVE, KEY_GRAVE}, {SDL_SCANCODE_LSHIFT, KEY_LEFT_SHIFT},
    {SDL_SCANCODE_BACKSLASH, KEY_BACKSLASH},
    // The key left of Enter on ISO keyboards sits where the backslash key does.
    {SDL_SCANCODE_NONUSHASH, KEY_BACKSLASH},

    {SDL_SCANCODE_Z, KEY_Z}, {SDL_SCANCODE_X, KEY_X}, {SDL_SCANCODE_C, KEY_C}, {SDL_SCANCODE_V, KEY_V},
    {SDL_SCANCODE_B, KEY_B}, {SDL_SCANCODE_N, KEY_N}, {SDL_SCANCODE_M, KEY_M},
    {SDL_SCANCODE_COMMA, KEY_COMMA}, {SDL_SCANCODE_PERIOD, KEY_PERIOD}, {SDL_SCANCODE_SLASH, KEY_SLASH},
    {SDL_SCANCODE_RSHIFT, KEY_RIGHT_SHIFT}, {SDL_SCANCODE_KP_MULTIPLY, KEY_NUMPAD_MULTIPLY},
    {SDL_SCANCODE_LALT, KEY_LEFT_ALT}, {SDL_SCANCODE_SPACE, KEY_SPACE}, {SDL_SCANCODE_CAPSLOCK, KEY_CAPS_LOCK},

    {SDL_SCANCODE_F1, KEY_F1}, {SDL_SCANCODE_F2, KEY_F2}, {SDL_SCANCODE_F3, KEY_F3}, {SDL_SCANCODE_F4, KEY_F4},
    {SDL_SCANCODE_F5, KEY_F5}, {SDL_SCANCODE_F6, KEY_F6}, {SDL_SCANCODE_F7, KEY_F7}, {SDL_SCANCODE_F8, KEY_F8},
    {SDL_SCANCODE_F9, KEY_F9}, {SDL_SCANCODE_F10, KEY_F10}, {SDL_SCANCODE_F11, KEY_F11}, {SDL_SCANCODE_F12, KEY_F12},
    {SDL_SCANCODE_F13, KEY_F13}, {SDL_SCANCODE_F14, KEY_F14}, {SDL_SCANCODE_F15, KEY_F15},
    {SDL_SCANCODE_NUMLOCKCLEAR, KEY_NUM_LOCK}, {SDL_SCANCODE_SCROLLLOCK, KEY_SCROLL_LOCK},

    {SDL_SCANCODE_KP_7, KEY_NUMPAD_7}, {SDL_SCANCODE_KP_8, KEY_NUMPAD_8}, {SDL_SCANCODE_KP_9, KEY_NUMPAD_9},
    {SDL_SCANCODE_KP_MINUS, KEY_NUMPAD_MINUS},
    {SDL_SCANCODE_KP_4, KEY_NUMPAD_4}, {SDL_SCANCODE_KP_5, KEY_NUMPAD_5}, {SDL_SCANCODE_KP_6, KEY_NUMPAD_6},
    {SDL_SCANCODE_KP_PLUS, KEY_NUMPAD_PLUS},
    {SDL_SCANCODE_KP_1, KEY_NUMPAD_1}, {SDL_SCANCODE_KP_2, KEY_NUMPAD_2}, {SDL_SCANCODE_KP_3, KEY_NUMPAD_3},
    {SDL_SCANCODE_KP_0, KEY_NUMPAD_0}, {SDL_SCANCODE_KP_PERIOD, KEY_NUMPAD_PERIOD},
    {SDL_SCANCODE_NONUSBACKSLASH, KEY_EXTRA_BACKSLASH},
    {SDL_SCANCODE_KP_EQUALS, KEY_NUMPAD_EQUALS}, {SDL_SCANCODE_KP_COMMA, KEY_NUMPAD_COMMA},

    {SDL_SCANCODE_KP_ENTER, KEY_NUMPAD_ENTER}, {SDL_SCANCODE_RCTRL, KEY_RIGHT_CONTROL},
    {SDL_SCANCODE_KP_DIVIDE, KEY_NUMPAD_DIVIDE}, {SDL_SCANCODE_PRINTSCREEN, KEY_PRINT_SCREEN},
    {SDL_SCANCODE_RALT, KEY_RIGHT_ALT}, {SDL_SCANCODE_PAUSE, KEY_PAUSE},
    {SDL_SCANCODE_HOME, KEY_HOME}, {SDL_SCANCODE_UP, KEY_UP}, {SDL_SCANCODE_PAGEUP, KEY_PAGE_UP},
    {SDL_SCANCODE_LEFT, KEY_LEFT}, {SDL_SCANCODE_RIGHT, KEY_RIGHT}, {SDL_SCANCODE_END, KEY_END},
    {SDL_SCANCODE_DOWN, KEY_DOWN}, {SDL_SCANCODE_PAGEDOWN, KEY_PAGE_DOWN},
    {SDL_SCANCODE_INSERT, KEY_INSERT}, {SDL_SCANCODE_DELETE, KEY_DELETE},
    {SDL_SCANCODE_LGUI, KEY_LEFT_SYSTEM}, {SDL_SCANCODE_RGUI, KEY_RIGHT_SYSTEM},
    {SDL_SCANCODE_APPLICATION, KEY_MENU},
};

struct ScanTable {
    uint8_t codes[SDL_NUM_SCANCODES] = {};
    ScanTable()
    {
        for (const KeyPair& pair : KEY_PAIRS)
            codes[pair.sdl] = pair.code;
    }
};

const ScanTable scan_table;

}  // namespace

int sdl_scan_code(int sdl_scancode)
{
    if (sdl_scancode < 0 || sdl_scancode >= SDL_NUM_SCANCODES)
        return 0;
    return scan_table.codes[sdl_scancode];
}

std::string sdl_typed_text(const char* utf8)
{
    std::string bytes = utf8_to_cp1251_dropping(utf8 ? utf8 : "");
    // Control characters come from their keys, never from typed text.
    std::string typed;
    for (char c : bytes)
        if (cp1251_defined((uint8_t)c))
            typed += c;
    return typed;
}

int sdl_layout_code(int sdl_keycode)
{
    switch (sdl_keycode) {
    case SDLK_PLUS:
    case SDLK_EQUALS:
        return KEY_EQUALS;
    case SDLK_MINUS:
        return KEY_MINUS;
    default:
        return 0;
    }
}

int sdl_control_char(int sdl_keycode)
{
    switch (sdl_keycode) {
    case SDLK_BACKSPACE:
        return 8;
    case SDLK_TAB:
        return 9;
    case SDLK_RETURN:
    case SDLK_KP_ENTER:
        return 13;
    case SDLK_ESCAPE:
        return 27;
    default:
        return 0;
    }
}
