// Windows-1251 to Unicode and back.
#include "platform/codepage.h"

namespace {

// Bytes 0x80..0xBF; 0xC0..0xFF are U+0410..U+044F in order.
const uint16_t HIGH[64] = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021,
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F,
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F,
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7,
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7,
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,
};

// Decodes one UTF-8 character at text[i]; false on broken UTF-8. `length`
// is how many bytes to step over either way.
bool decode_utf8(const std::string& text, size_t i, uint32_t* code, size_t* length)
{
    unsigned char lead = (unsigned char)text[i];
    int extra;
    if (lead < 0x80) {
        *code = lead;
        extra = 0;
    } else if ((lead & 0xE0) == 0xC0) {
        *code = lead & 0x1F;
        extra = 1;
    } else if ((lead & 0xF0) == 0xE0) {
        *code = lead & 0x0F;
        extra = 2;
    } else if ((lead & 0xF8) == 0xF0) {
        *code = lead & 0x07;
        extra = 3;
    } else {
        *length = 1;
        return false;
    }
    for (int k = 1; k <= extra; k++) {
        if (i + k >= text.size() || ((unsigned char)text[i + k] & 0xC0) != 0x80) {
            *length = (size_t)k;
            return false;
        }
        *code = *code << 6 | ((unsigned char)text[i + k] & 0x3F);
    }
    *length = (size_t)extra + 1;
    // A character written in more bytes than it needs (0xC0 0x80 for NUL,
    // 0xC1 0x91 for 'Q'), a surrogate half or a code past Unicode's end is
    // not a character: it would smuggle bytes past whoever checked the text.
    static const uint32_t SHORTEST[] = {0, 0x80, 0x800, 0x10000};
    if (*code < SHORTEST[extra] || (*code >= 0xD800 && *code <= 0xDFFF) || *code > 0x10FFFF)
        return false;
    return true;
}

}  // namespace

uint32_t cp1251_to_unicode(uint8_t byte)
{
    if (byte < 0x80)
        return byte;
    if (byte < 0xC0)
        return HIGH[byte - 0x80];
    return 0x0410 + (byte - 0xC0);
}

int unicode_to_cp1251(uint32_t code)
{
    if (code < 0x80)
        return (int)code;
    if (code >= 0x0410 && code <= 0x044F)
        return (int)(0xC0 + code - 0x0410);
    for (int i = 0; i < 64; i++)
        if (HIGH[i] == code)
            return 0x80 + i;
    return -1;
}

bool cp1251_defined(uint8_t byte) { return byte >= 0x20 && byte != 0x7F && byte != 0x98; }

std::string utf8_of(uint32_t code)
{
    std::string out;
    if (code < 0x80) {
        out += (char)code;
    } else if (code < 0x800) {
        out += (char)(0xC0 | (code >> 6));
        out += (char)(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += (char)(0xE0 | (code >> 12));
        out += (char)(0x80 | ((code >> 6) & 0x3F));
        out += (char)(0x80 | (code & 0x3F));
    } else {
        out += (char)(0xF0 | (code >> 18));
        out += (char)(0x80 | ((code >> 12) & 0x3F));
        out += (char)(0x80 | ((code >> 6) & 0x3F));
        out += (char)(0x80 | (code & 0x3F));
    }
    return out;
}

std::string cp1251_to_utf8(const std::string& text)
{
    std::string out;
    for (unsigned char c : text)
        out += utf8_of(cp1251_to_unicode(c));
    return out;
}

bool utf8_to_cp1251(const std::string& text, std::string* out)
{
    out->clear();
    for (size_t i = 0; i < text.size();) {
        uint32_t code;
        size_t length;
        if (!decode_utf8(text, i, &code, &length))
            return false;
        int byte = unicode_to_cp1251(code);
        if (byte < 0)
            return false;
        out->push_back((char)byte);
        i += length;
    }
    return true;
}

// ---- Nearest letters ----------------------------------------------------------
//
// The accented Latin letters of Western and Central European names, one
// plain letter (or two) each, by code point. A table of our own: the
// system's converters transliterate by locale, differently on every
// machine, and are not there at all in some of the game's builds.

namespace {

// U+00C0..U+00FF and U+0100..U+017F, one letter each; '_' is looked up in
// TWO_LETTERS, or is a character that is no letter (multiplication and
// division signs).
const char LATIN_1_LETTERS[] = "AAAAAA_CEEEEIIIIDNOOOOO_OUUUUY__aaaaaa_ceeeeiiiidnooooo_ouuuuy_y";
const char LATIN_A_LETTERS[] =
    "AaAaAaCcCcCcCcDdDdEeEeEeEeEeGgGgGgGgHhHhIiIiIiIiIi__JjKkkLlLlLlLlLlNnNnNnnNn"
    "OoOoOo__RrRrRrSsSsSsSsTtTtTtUuUuUuUuUuUuWwYyYZzZzZzs";
static_assert(sizeof LATIN_1_LETTERS == 64 + 1 && sizeof LATIN_A_LETTERS == 128 + 1);

struct Nearest {
    uint32_t code;
    const char* text;    // Windows-1251 bytes
};

const Nearest TWO_LETTERS_AND_OTHERS[] = {
    {0x00C6, "AE"}, {0x00DE, "TH"}, {0x00DF, "ss"}, {0x00E6, "ae"}, {0x00FE, "th"},
    {0x0132, "IJ"}, {0x0133, "ij"}, {0x0152, "OE"}, {0x0153, "oe"}, {0x1E9E, "SS"},
    // ordinal indicators and superscript digits
    {0x00AA, "a"}, {0x00BA, "o"}, {0x00B9, "1"}, {0x00B2, "2"}, {0x00B3, "3"},
    // Romanian, Azerbaijani, Vietnamese base letters, pinyin tones
    {0x0218, "S"}, {0x0219, "s"}, {0x021A, "T"}, {0x021B, "t"}, {0x018F, "E"}, {0x0259, "e"},
    {0x01A0, "O"}, {0x01A1, "o"}, {0x01AF, "U"}, {0x01B0, "u"}, {0x0192, "f"},
    {0x01CD, "A"}, {0x01CE, "a"}, {0x01CF, "I"}, {0x01D0, "i"}, {0x01D1, "O"}, {0x01D2, "o"},
    {0x01D3, "U"}, {0x01D4, "u"},
    // Cyrillic letters of Kazakh, Tatar, Bashkir and others: the Russian
    // letter they are built on
    {0x04D8, "\xC0"}, {0x04D9, "\xE0"}, {0x0492, "\xC3"}, {0x0493, "\xE3"}, {0x049A, "\xCA"}, {0x049B, "\xEA"},
    {0x04A2, "\xCD"}, {0x04A3, "\xED"}, {0x04E8, "\xCE"}, {0x04E9, "\xEE"}, {0x04B0, "\xD3"}, {0x04B1, "\xF3"},
    {0x04AE, "\xD3"}, {0x04AF, "\xF3"}, {0x04BA, "\xD5"}, {0x04BB, "\xF5"},
};

}  // namespace

std::string cp1251_nearest(uint32_t code)
{
    int byte = unicode_to_cp1251(code);
    if (byte >= 0)
        return std::string(1, (char)byte);
    char letter = 0;
    if (code >= 0x00C0 && code <= 0x00FF)
        letter = LATIN_1_LETTERS[code - 0x00C0];
    else if (code >= 0x0100 && code <= 0x017F)
        letter = LATIN_A_LETTERS[code - 0x0100];
    if (letter && letter != '_')
        return std::string(1, letter);
    for (const Nearest& n : TWO_LETTERS_AND_OTHERS)
        if (n.code == code)
            return n.text;
    return "";
}

bool utf8_is_valid(const std::string& text)
{
    for (size_t i = 0; i < text.size();) {
        uint32_t code;
        size_t length;
        if (!decode_utf8(text, i, &code, &length))
            return false;
        i += length;
    }
    return true;
}

std::string utf8_to_cp1251_dropping(const std::string& text)
{
    std::string out;
    for (size_t i = 0; i < text.size();) {
        uint32_t code;
        size_t length;
        if (decode_utf8(text, i, &code, &length))
            out += cp1251_nearest(code);
        i += length;
    }
    return out;
}
