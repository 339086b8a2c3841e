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
// As above, but forgiving, as typed text, names from the system and the
// command line are taken: a letter the code page lacks is written as its
// nearest plain letter or letters (e with diaeresis becomes e,
// sharp s becomes "ss"); other characters it cannot hold, and broken UTF-8, are left out.
// The result may be longer than the text in characters: callers that keep
// it in a fixed field must measure it again.
std::string utf8_to_cp1251_dropping(const std::string& text);
// The Windows-1251 bytes for one code point: its own byte, its nearest
// plain letter or letters, or empty when it has neither.
std::string cp1251_nearest(uint32_t code);
// True when the text is well-formed UTF-8 (shortest forms, no surrogates).
bool utf8_is_valid(const std::string& text);
// UTF-8 of one code point.
std::string utf8_of(uint32_t code);
