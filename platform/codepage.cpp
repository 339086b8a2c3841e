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

std::string utf8_to_cp1251_dropping(const std::string& text)
{
    std::string out;
    for (size_t i = 0; i < text.size();) {
        uint32_t code;
        size_t length;
        if (decode_utf8(text, i, &code, &length)) {
            int byte = unicode_to_cp1251(code);
            if (byte >= 0)
                out.push_back((char)byte);
        }
        i += length;
    }
    return out;
}
