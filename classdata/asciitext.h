#pragma once

#include <algorithm>
#include <string_view>

// ASCII character tests and case folding as the C library's "C" locale has
// them, whatever the process locale says.

// isspace: blank, tab, line feed, vertical tab, form feed, carriage return.
constexpr bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

constexpr char foldCase(char c)
{
    return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
}

// ASCII case folding, as _stricmp compares.
constexpr bool equalsIgnoreCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size()
        && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return foldCase(x) == foldCase(y); });
}
