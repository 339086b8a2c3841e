// The game's texts are single bytes in the Windows-1251 code page (Latin
// letters and Cyrillic): names in the high-score table, the pack's texts,
// the command line's recording word. Conversions to and from Unicode.
#pragma once

#include <cstdint>
#include <string>

// The Unicode code point of a Windows-1251 byte; 0x98, the one byte the code
// page leaves undefined, maps to U+0098 so that conversions round-trip.
uint32_t cp1251_to_unicode(uint8_t byte);
// The Windows-1251 byte of a code point, or -1 when the code page has none.
int unicode_to_cp1251(uint32_t code);
// True when the byte stands for a character the font must draw.
bool cp1251_defined(uint8_t byte);
std::string cp1251_to_utf8(const std::string& text);
// False (and `out` holds what came before it) when the text holds a
// character Windows-1251 cannot hold or is not valid UTF-8.
bool utf8_to_cp1251(const std::string& text, std::string* out);
// As above, but characters the code page cannot hold (and broken UTF-8) are
// left out, as typed text and names from the system are taken.
std::string utf8_to_cp1251_dropping(const std::string& text);
// UTF-8 of one code point.
std::string utf8_of(uint32_t code);
