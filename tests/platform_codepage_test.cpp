// Windows-1251 and UTF-8: the recording word typed in a terminal, names from
// the system, texts of the pack.
#include "platform/codepage.h"

#include <gtest/gtest.h>

// Strictly, a text converts only when the code page has all of it. Otherwise
// letters it lacks become their nearest plain letters, one or two; other
// characters, broken UTF-8, overlong forms and surrogates are dropped, never
// turned into the bytes they imitate.
TEST(Codepage, TextConvertsWholeStrictlyOrKeepsTheNearestPlainLetters)
{
    struct Case { std::string utf8; const char* strict; const char* dropping; };    // strict null: none
    const Case cases[] = {
        {"\xD0\x96\xD0\x98\xD0\xA0\xD0\x90\xD0\xA4\xD0\xA7\xD0\x98\xD0\x9A\xD0\x98",    // the recording word
         "\xC6\xC8\xD0\xC0\xD4\xD7\xC8\xCA\xC8", "\xC6\xC8\xD0\xC0\xD4\xD7\xC8\xCA\xC8"},
        {"\xD1\x91\xD0\x81 \xD1\x8F", "\xB8\xA8 \xFF", "\xB8\xA8 \xFF"},    // small yo, capital YO, small ya
        {"\xD0\x81\xD0\xB6 \xC2\xAB\xC2\xBB", "\xA8\xE6 \xAB\xBB", "\xA8\xE6 \xAB\xBB"},
        {"\xE2\x84\x96 5", "\xB9 5", "\xB9 5"},                                       // numero sign
        {"caf\xC3\xA9 \xF0\x9F\xA6\x8B!", nullptr, "cafe !"},    // a butterfly has no letter
        {"Ren\xC3\xA9" "e M\xC3\xBCller", nullptr, "Renee Muller"}, {"Bj\xC3\xB8rn \xC3\x86sa", nullptr, "Bjorn AEsa"},
        {"\xC5\x81ukasz \xC5\xBB\xC3\xB3\xC5\x82w", nullptr, "Lukasz Zolw"},
        {"Stra\xC3\x9F" "e", nullptr, "Strasse"},                 // sharp s: two letters
        {"\xC8\x98tefan \xC8\x9B", nullptr, "Stefan t"},          // s and t with comma below
        {"\xC3\x97\xC3\xB7", nullptr, ""},                        // multiplication and division signs
        {"\xD2\x9A\xD3\x99", nullptr, "\xCA\xE0"},                 // Kazakh qa and schwa: Cyrillic ka and a
        {"\xFF\xD0", nullptr, ""},                                // broken UTF-8
        {std::string("a\xC0\x80z", 4), nullptr, "az"},           // NUL in two bytes
        {"\xC1\x91", nullptr, ""},                                // 'Q' in two bytes
        {"\xE0\x81\x91" "x", nullptr, "x"},                       // 'Q' in three bytes
        {"\xED\xA0\x80" "x", nullptr, "x"}, {"\xF4\x90\x80\x80" "x", nullptr, "x"},    // a surrogate half, past U+10FFFF
    };
    for (const Case& c : cases) {
        std::string out;
        EXPECT_EQ(utf8_to_cp1251(c.utf8, &out), c.strict != nullptr) << c.utf8;
        if (c.strict) {
            EXPECT_EQ(out, c.strict) << c.utf8;
        }
        EXPECT_EQ(utf8_to_cp1251_dropping(c.utf8), c.dropping) << c.utf8;
    }
    EXPECT_TRUE(utf8_is_valid("Zo\xC3\xAB"));
    EXPECT_FALSE(utf8_is_valid("Zo\xEB"));    // Latin-1, not UTF-8
    // Every byte round-trips through Unicode.
    for (int b = 0; b < 256; b++) {
        std::string one(1, (char)b), back;
        ASSERT_TRUE(utf8_to_cp1251(cp1251_to_utf8(one), &back)) << b;
        EXPECT_EQ(back, one) << b;
    }
}
