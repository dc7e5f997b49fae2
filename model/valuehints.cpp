#include "valuehints.h"

#include "asciitext.h"
#include "textnumbers.h"
#include "windows1252.h"

#include <algorithm>
#include <charconv>

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

std::string stored(const FormBinding &box, double value)
{
    return box.kind == BoxKind::Float ? formatFloat(value) : formatInt(std::int32_t(value));
}

// What is stored in place of the text when the number in it ends before
// the text does ("fast", "1,5").
std::string storedHint(const FormBinding &box, std::string_view bytes)
{
    std::size_t used = 0;
    const double value = box.kind == BoxKind::Float ? double(toFloat32(parseDouble(bytes, &used)))
                                                    : double(parseInt(bytes, &used));
    if (blank(bytes.substr(used)))
        return {};
    return (used ? "Only the number at the start is read: " : "Not a number: ") + stored(box, value)
           + " is stored.";
}

// What the game reads in place of a value outside the field's range, once
// stored and written: integers as typed, floats as the file's six decimals
// give them back.
std::string rangeHint(const FormBinding &box, std::string_view bytes, std::string_view typed)
{
    const std::optional<KeyRange> &range = box.field->range;
    if (!range)
        return {};
    const double value = box.kind == BoxKind::Float ? parseDouble(formatFloat(toFloat32(parseDouble(bytes))))
                                                    : double(parseInt(bytes));
    if (value >= range->low && value <= range->high)
        return {};
    return std::string(typed) + " is outside " + shortest(range->low) + " to " + shortest(range->high)
           + ": the game will read " + stored(box, range->fallback) + " instead.";
}

} // namespace

std::string numberHint(const FormBinding &box, std::string_view bytes, std::string_view typed)
{
    const std::string first = storedHint(box, bytes), second = rangeHint(box, bytes, typed);
    return first.empty() || second.empty() ? first + second : first + '\n' + second;
}

std::string lengthHint(const FormBinding &box, std::string_view bytes)
{
    if (box.textLimit == 0 || bytes.size() <= box.textLimit)
        return {};
    return "Only the first " + std::to_string(box.textLimit)
           + " characters are kept: " + utf8Of(bytes.substr(0, box.textLimit));
}
