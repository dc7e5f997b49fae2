#include "valuehints.h"

#include "classdata/text/asciitext.h"
#include "classdata/text/textnumbers.h"
#include "classdata/text/windows1252.h"

#include <algorithm>
#include <charconv>

namespace tolvane {

namespace {

// A number as short as it reads: 0, 10, 999.
std::string shortest(double value)
{
    char buffer[32];
    return std::string(buffer, std::to_chars(buffer, buffer + sizeof buffer, value).ptr);
}

// Blanks as the window trims them: the C blanks and the no-break space.
bool blank(std::string_view bytes)
{
    return std::ranges::all_of(bytes, [](char c) { return isSpace(c) || c == '\xA0'; });
}

std::string stored(bool isFloat, double value)
{
    return isFloat ? formatFloat(value) : formatInt(std::int32_t(value));
}

// What is stored in place of the text when the number in it ends before
// the text does ("fast", "1,5").
std::string storedHint(bool isFloat, std::string_view bytes)
{
    std::size_t used = 0;
    const double value = isFloat ? double(toFloat32(parseDouble(bytes, &used))) : double(parseInt(bytes, &used));
    if (blank(bytes.substr(used)))
        return {};
    return (used ? "Only the number at the start is read: " : "Not a number: ") + stored(isFloat, value)
           + " is stored.";
}

// What the game reads in place of a value outside the field's range, once
// stored and written: integers as typed, floats as the file's six decimals
// give them back.
std::string rangeHint(const ClassField *field, bool isFloat, std::string_view bytes, std::string_view typed)
{
    if (!field || !field->range)
        return {};
    const KeyRange &range = *field->range;
    const double value = isFloat ? parseDouble(formatFloat(toFloat32(parseDouble(bytes)))) : double(parseInt(bytes));
    if (value >= range.low && value <= range.high)
        return {};
    return std::string(typed) + " is outside " + shortest(range.low) + " to " + shortest(range.high)
           + ": the game will read " + stored(isFloat, range.fallback) + " instead.";
}

} // namespace

std::string numberHint(const ClassField *field, bool isFloat, std::string_view bytes, std::string_view typed)
{
    const std::string first = storedHint(isFloat, bytes), second = rangeHint(field, isFloat, bytes, typed);
    return first.empty() || second.empty() ? first + second : first + '\n' + second;
}

std::string lengthHint(std::size_t limit, std::string_view bytes)
{
    if (limit == 0 || bytes.size() <= limit)
        return {};
    return "Only the first " + std::to_string(limit) + " characters are kept: " + utf8Of(bytes.substr(0, limit));
}

} // namespace tolvane
