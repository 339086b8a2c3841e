// The desktop keyboard in the game's terms: the scan codes `keys` is indexed
// by, and typed text in Windows-1251.
#include "platform/keys.h"
#include "platform/sdl/internal.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <map>
#include <string>

namespace {

TEST(SdlKeyboard, EachKeySitsWhereTheKeyboardPutsIt)
{
    const std::map<int, int> codes = {
        {SDL_SCANCODE_ESCAPE, KEY_ESCAPE},        {SDL_SCANCODE_SPACE, KEY_SPACE},
        {SDL_SCANCODE_F8, KEY_F8},                {SDL_SCANCODE_F10, KEY_F10},
        {SDL_SCANCODE_F11, KEY_F11},              {SDL_SCANCODE_F12, KEY_F12},    // not after F10
        {SDL_SCANCODE_KP_PLUS, KEY_NUMPAD_PLUS},  {SDL_SCANCODE_KP_MINUS, KEY_NUMPAD_MINUS},
        {SDL_SCANCODE_RETURN, KEY_ENTER},         {SDL_SCANCODE_KP_ENTER, KEY_NUMPAD_ENTER},
        {SDL_SCANCODE_KP_0, KEY_NUMPAD_0},        {SDL_SCANCODE_KP_7, KEY_NUMPAD_7},
        {SDL_SCANCODE_RCTRL, KEY_RIGHT_CONTROL},  {SDL_SCANCODE_RALT, KEY_RIGHT_ALT},
        {SDL_SCANCODE_RSHIFT, KEY_RIGHT_SHIFT},   {SDL_SCANCODE_LEFT, KEY_LEFT},
        {SDL_SCANCODE_NONUSHASH, KEY_BACKSLASH},
        {SDL_SCANCODE_UNKNOWN, 0},                {SDL_SCANCODE_AUDIOPLAY, 0},
        {-1, 0},                                  {SDL_NUM_SCANCODES, 0},
    };
    for (const auto& [sdl, code] : codes)
        EXPECT_EQ(sdl_scan_code(sdl), code) << sdl;
    // Letters by their rows, digits and F1-F10 in a run.
    const char* rows[] = {"QWERTYUIOP", "ASDFGHJKL", "ZXCVBNM"};
    const int first[] = {KEY_Q, KEY_A, KEY_Z};
    for (int r = 0; r < 3; r++)
        for (int i = 0; rows[r][i]; i++)
            EXPECT_EQ(sdl_scan_code(SDL_SCANCODE_A + (rows[r][i] - 'A')), first[r] + i) << rows[r][i];
    for (int i = 0; i < 10; i++) {
        EXPECT_EQ(sdl_scan_code(SDL_SCANCODE_1 + i), i < 9 ? KEY_1 + i : KEY_0);
        EXPECT_EQ(sdl_scan_code(SDL_SCANCODE_F1 + i), KEY_F1 + i);
    }
}

TEST(SdlKeyboard, NoTwoKeysShareACodeButTheTwoBackslashKeys)
{
    std::map<int, int> owner;
    for (int s = 0; s < SDL_NUM_SCANCODES; s++) {
        int code = sdl_scan_code(s);
        if (code && s != SDL_SCANCODE_NONUSHASH)
            EXPECT_TRUE(owner.emplace(code, s).second) << s << " and " << owner[code] << " both give " << code;
    }
    EXPECT_GT(owner.size(), 100u);
}

// The speed keys wherever the layout has them: what the key types counts.
TEST(SdlKeyboard, KeysThatTypePlusEqualsOrMinusReadAsTheMainRowsSpeedKeys)
{
    EXPECT_EQ(sdl_layout_code(SDLK_PLUS), KEY_EQUALS);
    EXPECT_EQ(sdl_layout_code(SDLK_EQUALS), KEY_EQUALS);
    EXPECT_EQ(sdl_layout_code(SDLK_MINUS), KEY_MINUS);
    EXPECT_EQ(sdl_layout_code(SDLK_KP_PLUS), 0);    // the keypad has codes of its own
    EXPECT_EQ(sdl_layout_code(SDLK_a), 0);
}

// The conversion itself is the code page's; here what the desktop adds:
// control characters come only from their keys.
TEST(SdlTypedText, TextArrivesInWindows1251AndControlCharactersOnlyFromTheirKeys)
{
    EXPECT_EQ(sdl_typed_text("ЁЖИК ёжик"), "\xA8\xC6\xC8\xCA \xB8\xE6\xE8\xEA");
    EXPECT_EQ(sdl_typed_text("a\tb\rc\x1B✓"), "abc");
    EXPECT_EQ(sdl_typed_text(nullptr), "");
    const std::map<int, int> control = {{SDLK_BACKSPACE, 8}, {SDLK_TAB, 9},    {SDLK_RETURN, 13}, {SDLK_KP_ENTER, 13},
                                        {SDLK_ESCAPE, 27},   {SDLK_a, 0},      {SDLK_DELETE, 0},  {SDLK_F1, 0}};
    for (const auto& [key, typed] : control)
        EXPECT_EQ(sdl_control_char(key), typed) << key;
}

}  // namespace
