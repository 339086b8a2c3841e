// The keyboard in the game's terms, on the desktop and in the browser: the
// scan codes `keys` is indexed by, and typed text in Windows-1251.
#include "platform/keys.h"
#include "platform/sdl/internal.h"
#include "platform/web/web_rules.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <map>
#include <string>

namespace {

// Each key as SDL and as the browser name it reads as the system keyboard's
// code for it; letters by their rows, digits and F1-F10 in a run.
TEST(Keyboard, EachKeySitsWhereTheKeyboardPutsItOnTheDesktopAndInTheBrowserAndNoTwoShareACode)
{
    struct Key { int sdl; const char* web; int code; };
    const Key keys[] = {
        {SDL_SCANCODE_ESCAPE, "Escape", KEY_ESCAPE},      {SDL_SCANCODE_SPACE, "Space", KEY_SPACE},
        {SDL_SCANCODE_F11, "F11", KEY_F11},               {SDL_SCANCODE_F12, "F12", KEY_F12},    // not after F10
        {SDL_SCANCODE_KP_PLUS, "NumpadAdd", KEY_NUMPAD_PLUS}, {SDL_SCANCODE_KP_MINUS, "NumpadSubtract", KEY_NUMPAD_MINUS},
        {SDL_SCANCODE_RETURN, "Enter", KEY_ENTER},        {SDL_SCANCODE_KP_ENTER, "NumpadEnter", KEY_NUMPAD_ENTER},
        {SDL_SCANCODE_KP_0, "Numpad0", KEY_NUMPAD_0},     {SDL_SCANCODE_KP_7, "Numpad7", KEY_NUMPAD_7},
        {SDL_SCANCODE_RCTRL, "ControlRight", KEY_RIGHT_CONTROL}, {SDL_SCANCODE_RALT, "AltRight", KEY_RIGHT_ALT},
        {SDL_SCANCODE_RSHIFT, "ShiftRight", KEY_RIGHT_SHIFT}, {SDL_SCANCODE_LEFT, "ArrowLeft", KEY_LEFT},
        {SDL_SCANCODE_UP, "ArrowUp", KEY_UP},             {SDL_SCANCODE_EQUALS, "Equal", KEY_EQUALS},
        {SDL_SCANCODE_GRAVE, "Backquote", KEY_GRAVE},     {SDL_SCANCODE_BACKSPACE, "Backspace", KEY_BACKSPACE},
        {SDL_SCANCODE_NONUSHASH, "Backslash", KEY_BACKSLASH},    // the ISO key left of Enter: the browser's Backslash
        {SDL_SCANCODE_NONUSBACKSLASH, "IntlBackslash", 0x56}, {SDL_SCANCODE_F15, "F15", 0x66},
        {SDL_SCANCODE_KP_COMMA, "NumpadComma", 0xB3},     {SDL_SCANCODE_APPLICATION, "ContextMenu", KEY_MENU},
        {SDL_SCANCODE_UNKNOWN, "", 0}, {SDL_SCANCODE_AUDIOPLAY, "Fn", 0}, {-1, nullptr, 0}, {SDL_NUM_SCANCODES, nullptr, 0},
    };
    for (const Key& k : keys) {
        EXPECT_EQ(sdl_scan_code(k.sdl), k.code) << k.sdl;
        EXPECT_EQ(web_scan_code(k.web), k.code) << (k.web ? k.web : "(none)");
    }
    const char* rows[] = {"QWERTYUIOP", "ASDFGHJKL", "ZXCVBNM"};
    const int first[] = {KEY_Q, KEY_A, KEY_Z};
    for (int r = 0; r < 3; r++)
        for (int i = 0; rows[r][i]; i++) {
            EXPECT_EQ(sdl_scan_code(SDL_SCANCODE_A + (rows[r][i] - 'A')), first[r] + i) << rows[r][i];
            EXPECT_EQ(web_scan_code(("Key" + std::string(1, rows[r][i])).c_str()), first[r] + i) << rows[r][i];
        }
    for (int i = 0; i < 10; i++) {
        EXPECT_EQ(sdl_scan_code(SDL_SCANCODE_1 + i), i < 9 ? KEY_1 + i : KEY_0);
        EXPECT_EQ(web_scan_code(("Digit" + std::to_string((i + 1) % 10)).c_str()), i < 9 ? KEY_1 + i : KEY_0);
        EXPECT_EQ(sdl_scan_code(SDL_SCANCODE_F1 + i), KEY_F1 + i);
        EXPECT_EQ(web_scan_code(("F" + std::to_string(i + 1)).c_str()), KEY_F1 + i);
    }
    // No two desktop keys share a code but the two backslash keys.
    std::map<int, int> owner;
    for (int s = 0; s < SDL_NUM_SCANCODES; s++) {
        int code = sdl_scan_code(s);
        if (code && s != SDL_SCANCODE_NONUSHASH) {
            EXPECT_TRUE(owner.emplace(code, s).second) << s << " and " << owner[code] << " both give " << code;
        }
    }
    EXPECT_GT(owner.size(), 100u);
}

// What the key types counts; typed text: what the desktop adds to the code page's conversion.
TEST(SdlKeyboard, LayoutSpeedKeysAndTypedTextWithControlCharactersOnlyFromTheirKeys)
{
    const std::map<int, int> layout = {{SDLK_PLUS, KEY_EQUALS}, {SDLK_EQUALS, KEY_EQUALS}, {SDLK_MINUS, KEY_MINUS},
                                       {SDLK_KP_PLUS, 0}, {SDLK_a, 0}};    // the keypad has codes of its own
    for (const auto& [key, code] : layout)
        EXPECT_EQ(sdl_layout_code(key), code) << key;
    EXPECT_EQ(sdl_typed_text("ЁЖИК ёжик"), "\xA8\xC6\xC8\xCA \xB8\xE6\xE8\xEA");
    EXPECT_EQ(sdl_typed_text("a\tb\rc\x1B✓"), "abc");
    EXPECT_EQ(sdl_typed_text(nullptr), "");
    const std::map<int, int> control = {{SDLK_BACKSPACE, 8}, {SDLK_TAB, 9},    {SDLK_RETURN, 13}, {SDLK_KP_ENTER, 13},
                                        {SDLK_ESCAPE, 27},   {SDLK_a, 0},      {SDLK_DELETE, 0},  {SDLK_F1, 0}};
    for (const auto& [key, typed] : control)
        EXPECT_EQ(sdl_control_char(key), typed) << key;
}

}  // namespace
