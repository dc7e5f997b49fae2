#pragma once

#include <cstddef>
#include <string_view>

// What a fuzz target asks of text meant for a terminal or a JSON reader.

// Whether text is well-formed UTF-8 in which the only control byte is a line
// feed, and that only where allowed.
inline bool isSafeUtf8(std::string_view text, bool lineFeeds)
{
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        if (lead < 0x80) {
            if ((lead < 0x20 && !(lineFeeds && lead == '\n')) || lead == 0x7F)
                return false;
            ++i;
            continue;
        }
        const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 ? 2 : 0;
        if (length == 0 || i + length > text.size())
            return false;
        for (std::size_t k = 1; k < length; ++k) {
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80)
                return false;
        }
        // C1 controls (U+0080 to U+009F) would reach the terminal as well.
        if (lead == 0xC2 && static_cast<unsigned char>(text[i + 1]) < 0xA0)
            return false;
        i += length;
    }
    return true;
}
