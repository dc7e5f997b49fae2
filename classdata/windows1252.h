#pragma once

#include <optional>
#include <string>
#include <string_view>

// Class files are Windows-1252 text. Every byte maps to one Unicode
// character; the five bytes Windows-1252 leaves undefined (0x81, 0x8D, 0x8F,
// 0x90, 0x9D) map to the C1 controls of the same value, so that every byte
// survives a trip to Unicode and back.
char32_t unicodeOfWindows1252(unsigned char byte);

// Whether Windows-1252 gives byte a character of its own.
bool isDefinedInWindows1252(unsigned char byte);

// The byte for character c, or nullopt when Windows-1252 cannot hold it.
std::optional<char> windows1252Of(char32_t c);

// Appends character c (below U+10000, as every Windows-1252 character is) as UTF-8.
void appendUtf8(std::string &out, char32_t c);

// Windows-1252 text as UTF-8.
std::string utf8Of(std::string_view windows1252);
