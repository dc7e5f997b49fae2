#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tolvane {

// Class files are Windows-1252 text. Every byte maps to one Unicode
// character; the five bytes Windows-1252 leaves undefined (0x81, 0x8D, 0x8F,
// 0x90, 0x9D) map to the C1 controls of the same value, so that every byte
// survives a trip to Unicode and back.
char32_t unicodeOfWindows1252(unsigned char byte);

// Whether Windows-1252 gives byte a character of its own.
bool isDefinedInWindows1252(unsigned char byte);

// The byte for character c, or nullopt when Windows-1252 cannot hold it.
std::optional<char> windows1252Of(char32_t c);

// Appends character c (at most U+10FFFF) as UTF-8.
void appendUtf8(std::string &out, char32_t c);

// The length of the well-formed UTF-8 sequence at the start of text, with its
// character in c; 0 when there is none (text empty, a stray byte, an
// overlong form, a surrogate).
std::size_t decodeUtf8(std::string_view text, char32_t &c);

// Windows-1252 bytes as UTF-8, every byte one character.
std::string utf8FromWindows1252(std::string_view bytes);
// The same, by the shorter name the editing session gives it.
inline std::string utf8Of(std::string_view windows1252)
{
    return utf8FromWindows1252(windows1252);
}

} // namespace tolvane
