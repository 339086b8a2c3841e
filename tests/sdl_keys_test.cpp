// The desktop keyboard in the game's terms: the scan codes `keys` is indexed
// by, and typed text in Windows-1251.
#include "platform/keys.h"
#include "platform/sdl/internal.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <map>
#include <string>

namespace {

TEST(SdlKeyboard, EveryKeyTheGameReadsHasItsScanCode)
{
    const std::map<SDL_Scancode, int> read_by_the_game = {
        {SDL_SCANCODE_ESCAPE, KEY_ESCAPE},          // title, game menu, menu's continue
        {SDL_SCANCODE_SPACE, KEY_SPACE},            // title
        {SDL_SCANCODE_F8, KEY_F8},                  // stops a recording or playback
        {SDL_SCANCODE_F10, KEY_F10},                // game menu
        {SDL_SCANCODE_KP_PLUS, KEY_NUMPAD_PLUS},    // faster
        {SDL_SCANCODE_KP_MINUS, KEY_NUMPAD_MINUS},  // slower
        // the chord that restarts a board and keeps the score
        {SDL_SCANCODE_C, KEY_C}, {SDL_SCANCODE_E, KEY_E}, {SDL_SCANCODE_F, KEY_F}, {SDL_SCANCODE_H, KEY_H},
        {SDL_SCANCODE_I, KEY_I}, {SDL_SCANCODE_K, KEY_K}, {SDL_SCANCODE_L, KEY_L}, {SDL_SCANCODE_M, KEY_M},
        {SDL_SCANCODE_O, KEY_O}, {SDL_SCANCODE_R, KEY_R}, {SDL_SCANCODE_T, KEY_T},
    };
    for (const auto& [sdl, code] : read_by_the_game)
        EXPECT_EQ(sdl_scan_code(sdl), code) << SDL_GetScancodeName(sdl);
}

TEST(SdlKeyboard, LettersDigitsAndFunctionKeysSitWhereTheKeyboardPutsThem)
{
    const char* rows[] = {"QWERTYUIOP", "ASDFGHJKL", "ZXCVBNM"};
    const int first[] = {KEY_Q, KEY_A, KEY_Z};
    for (int r = 0; r < 3; r++)
        for (int i = 0; rows[r][i]; i++)
            EXPECT_EQ(sdl_scan_code(SDL_SCANCODE_A + (rows[r][i] - 'A')), first[r] + i) << rows[r][i];
    for (int d = 1; d <= 9; d++)
        EXPECT_EQ(sdl_scan_code(SDL_SCANCODE_1 + d - 1), KEY_1 + d - 1);
    EXPECT_EQ(sdl_scan_code(SDL_SCANCODE_0), KEY_0);
    for (int f = 1; f <= 10; f++)
        EXPECT_EQ(sdl_scan_code(SDL_SCANCODE_F1 + f - 1), KEY_F1 + f - 1);
    // F11 and F12 came later and do not follow F10.
    EXPECT_EQ(sdl_scan_code(SDL_SCANCODE_F11), KEY_F11);
    EXPECT_EQ(sdl_scan_code(SDL_SCANCODE_F12), KEY_F12);
}

TEST(SdlKeyboard, TheKeypadAndTheRightHandModifiersAreKeysOfTheirOwn)
{
    EXPECT_EQ(sdl_scan_code(SDL_SCANCODE_RETURN), KEY_ENTER);
    EXPECT_EQ(sdl_scan_code(SDL_SCANCODE_KP_ENTER), KEY_NUMPAD_ENTER);
    EXPECT_EQ(sdl_scan_code(SDL_SCANCODE_MINUS), KEY_MINUS);
    EXPECT_EQ(sdl_scan_code(SDL_SCANCODE_KP_0), KEY_NUMPAD_0);
    EXPECT_EQ(sdl_scan_code(SDL_SCANCODE_KP_7), KEY_NUMPAD_7);
    EXPECT_EQ(sdl_scan_code(SDL_SCANCODE_LCTRL), KEY_LEFT_CONTROL);
    EXPECT_EQ(sdl_scan_code(SDL_SCANCODE_RCTRL), KEY_RIGHT_CONTROL);
    EXPECT_EQ(sdl_scan_code(SDL_SCANCODE_LALT), KEY_LEFT_ALT);
    EXPECT_EQ(sdl_scan_code(SDL_SCANCODE_RALT), KEY_RIGHT_ALT);
    EXPECT_EQ(sdl_scan_code(SDL_SCANCODE_LSHIFT), KEY_LEFT_SHIFT);
    EXPECT_EQ(sdl_scan_code(SDL_SCANCODE_RSHIFT), KEY_RIGHT_SHIFT);
    EXPECT_EQ(sdl_scan_code(SDL_SCANCODE_UP), KEY_UP);
    EXPECT_EQ(sdl_scan_code(SDL_SCANCODE_DOWN), KEY_DOWN);
    EXPECT_EQ(sdl_scan_code(SDL_SCANCODE_LEFT), KEY_LEFT);
    EXPECT_EQ(sdl_scan_code(SDL_SCANCODE_RIGHT), KEY_RIGHT);
}

TEST(SdlKeyboard, NoTwoKeysShareACodeButTheTwoBackslashKeys)
{
    std::map<int, int> owner;
    for (int s = 0; s < SDL_NUM_SCANCODES; s++) {
        int code = sdl_scan_code(s);
        if (!code || s == SDL_SCANCODE_NONUSHASH)
            continue;
        EXPECT_TRUE(owner.emplace(code, s).second)
            << SDL_GetScancodeName((SDL_Scancode)s) << " and " << SDL_GetScancodeName((SDL_Scancode)owner[code])
            << " both give " << code;
    }
    EXPECT_EQ(sdl_scan_code(SDL_SCANCODE_NONUSHASH), KEY_BACKSLASH);
    EXPECT_GT(owner.size(), 100u);
}

TEST(SdlKeyboard, KeysWithoutACodeAndNumbersOutOfRangeReadAsNoKey)
{
    EXPECT_EQ(sdl_scan_code(SDL_SCANCODE_UNKNOWN), 0);
    EXPECT_EQ(sdl_scan_code(SDL_SCANCODE_AUDIOPLAY), 0);
    EXPECT_EQ(sdl_scan_code(-1), 0);
    EXPECT_EQ(sdl_scan_code(SDL_NUM_SCANCODES), 0);
    EXPECT_EQ(sdl_scan_code(100000), 0);
}

TEST(SdlTypedText, CyrillicArrivesInWindows1251)
{
    EXPECT_EQ(sdl_typed_text("Жук"), "\xC6\xF3\xEA");
    EXPECT_EQ(sdl_typed_text("ЁЖИК ёжик"), "\xA8\xC6\xC8\xCA \xB8\xE6\xE8\xEA");
    EXPECT_EQ(sdl_typed_text("Ђ№Ў"), "\x80\xB9\xA1");
    EXPECT_EQ(sdl_typed_text("Moth 7"), "Moth 7");
}

TEST(SdlTypedText, CharactersTheCodePageCannotHoldAreLeftOut)
{
    EXPECT_EQ(sdl_typed_text("a✓b"), "ab");
    EXPECT_EQ(sdl_typed_text("日本"), "");
    EXPECT_EQ(sdl_typed_text("Ω€"), "\x88");    // no Greek; the euro has a place
    EXPECT_EQ(sdl_typed_text("🦋Я"), "\xDF");
    EXPECT_EQ(sdl_typed_text("x\xC3y"), "xy");     // a broken sequence
    EXPECT_EQ(sdl_typed_text(""), "");
    EXPECT_EQ(sdl_typed_text(nullptr), "");
}

TEST(SdlTypedText, LettersTheCodePageLacksArriveAsTheirNearestPlainLetters)
{
    EXPECT_EQ(sdl_typed_text("Zoë"), "Zoe");
    EXPECT_EQ(sdl_typed_text("ß"), "ss");
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

TEST(SdlTypedText, ControlCharactersComeOnlyFromTheirKeys)
{
    EXPECT_EQ(sdl_typed_text("a\tb\rc\x1B"), "abc");
    EXPECT_EQ(sdl_control_char(SDLK_BACKSPACE), 8);
    EXPECT_EQ(sdl_control_char(SDLK_TAB), 9);
    EXPECT_EQ(sdl_control_char(SDLK_RETURN), 13);
    EXPECT_EQ(sdl_control_char(SDLK_KP_ENTER), 13);
    EXPECT_EQ(sdl_control_char(SDLK_ESCAPE), 27);
    EXPECT_EQ(sdl_control_char(SDLK_a), 0);
    EXPECT_EQ(sdl_control_char(SDLK_DELETE), 0);
    EXPECT_EQ(sdl_control_char(SDLK_F1), 0);
}

}  // namespace
