// Windows-1251 and UTF-8: the recording word typed in a terminal, names from
// the system, texts of the pack.
#include "platform/codepage.h"

#include <gtest/gtest.h>

TEST(Codepage, CyrillicCapitalsAndSmallLettersMapOntoTheUpperHalf)
{
    std::string out;
    ASSERT_TRUE(utf8_to_cp1251("\xD0\x96\xD0\x98\xD0\xA0\xD0\x90\xD0\xA4\xD0\xA7\xD0\x98\xD0\x9A\xD0\x98", &out));
    EXPECT_EQ(out, "\xC6\xC8\xD0\xC0\xD4\xD7\xC8\xCA\xC8");    // the recording word
    ASSERT_TRUE(utf8_to_cp1251("\xD1\x91\xD0\x81 \xD1\x8F", &out));     // small yo, capital YO, small ya
    EXPECT_EQ(out, "\xB8\xA8 \xFF");
}

TEST(Codepage, EveryDefinedByteRoundTripsThroughUnicode)
{
    for (int b = 0; b < 256; b++) {
        std::string one(1, (char)b), back;
        ASSERT_TRUE(utf8_to_cp1251(cp1251_to_utf8(one), &back)) << b;
        EXPECT_EQ(back, one) << b;
    }
}

TEST(Codepage, CharactersTheCodePageLacksFailStrictlyAndAreReplacedOrDroppedOtherwise)
{
    std::string out;
    EXPECT_FALSE(utf8_to_cp1251("caf\xC3\xA9", &out));    // e with acute: not in the code page
    EXPECT_EQ(utf8_to_cp1251_dropping("caf\xC3\xA9 \xF0\x9F\xA6\x8B!"), "cafe !");    // a butterfly has no letter
    EXPECT_EQ(utf8_to_cp1251_dropping("\xFF\xD0"), "");    // broken UTF-8 goes too
    EXPECT_EQ(utf8_to_cp1251_dropping("\xE2\x84\x96 5"), "\xB9 5");    // numero sign
}

TEST(Codepage, OverlongFormsAndSurrogatesAreNotCharacters)
{
    std::string out;
    // NUL and 'Q' written in two bytes: they must not turn into those bytes.
    EXPECT_FALSE(utf8_to_cp1251(std::string("a\xC0\x80z"), &out));
    EXPECT_FALSE(utf8_to_cp1251("\xC1\x91", &out));
    EXPECT_EQ(utf8_to_cp1251_dropping(std::string("a\xC0\x80z")), "az");
    EXPECT_EQ(utf8_to_cp1251_dropping("\xE0\x81\x91" "x"), "x");           // 'Q' in three bytes
    EXPECT_EQ(utf8_to_cp1251_dropping("\xED\xA0\x80" "x"), "x");           // a surrogate half
    EXPECT_EQ(utf8_to_cp1251_dropping("\xF4\x90\x80\x80" "x"), "x");       // past U+10FFFF
}

// Letters the code page lacks become their nearest plain letters, one or
// two; the letters it has stay themselves, Cyrillic included.
TEST(Codepage, NamesKeepTheNearestPlainLetters)
{
    struct Case {
        const char* utf8;
        const char* cp1251;
    };
    const Case cases[] = {
        {"Ren\xC3\xA9" "e M\xC3\xBCller", "Renee Muller"},
        {"Stra\xC3\x9F" "e", "Strasse"},              // sharp s: two letters
        {"Bj\xC3\xB8rn \xC3\x86sa", "Bjorn AEsa"},
        {"\xC5\x81ukasz \xC5\xBB\xC3\xB3\xC5\x82w", "Lukasz Zolw"},
        {"\xC8\x98tefan \xC8\x9B", "Stefan t"},     // s and t with comma below
        {"\xC3\x97\xC3\xB7", ""},                   // multiplication and division signs: no letters
        {"\xD2\x9A\xD3\x99", "\xCA\xE0"},            // Kazakh qa and schwa: Cyrillic ka and a
        {"\xD0\x81\xD0\xB6 \xC2\xAB\xC2\xBB", "\xA8\xE6 \xAB\xBB"},    // the code page's own stay
    };
    for (const Case& c : cases)
        EXPECT_EQ(utf8_to_cp1251_dropping(c.utf8), c.cp1251) << c.utf8;
    EXPECT_TRUE(utf8_is_valid("Zo\xC3\xAB"));
    EXPECT_FALSE(utf8_is_valid("Zo\xEB"));    // Latin-1, not UTF-8
}
