#include "sheetcells.h"

#include "classdata/text/asciitext.h"
#include "classdata/text/readabletext.h"
#include "classdata/text/textnumbers.h"
#include "classdata/text/windows1252.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>

namespace tolvane {

namespace {

bool allDigits(std::string_view text)
{
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// A decimal number as a spreadsheet writes it: a sign, digits with one
// '.', an exponent. Infinities and NaN are none: the game reads no such value.
bool isDecimal(std::string_view text)
{
    if (text.starts_with('-') || text.starts_with('+'))
        text.remove_prefix(1);
    const std::size_t exponent = text.find_first_of("eE");
    if (exponent != std::string_view::npos) {
        std::string_view power = text.substr(exponent + 1);
        if (power.starts_with('-') || power.starts_with('+'))
            power.remove_prefix(1);
        if (!allDigits(power))
            return false;
        text = text.substr(0, exponent);
    }
    const std::size_t point = text.find('.');
    const std::string_view whole = text.substr(0, point);
    const std::string_view fraction = point == std::string_view::npos ? "" : text.substr(point + 1);
    return (allDigits(whole) || whole.empty()) && (allDigits(fraction) || fraction.empty())
           && whole.size() + fraction.size() > 0;
}

std::string readInt(std::string_view cell, std::int32_t &value)
{
    const std::string_view text = trimBlanks(cell);
    if (text.empty())
        return "an empty cell; write a whole number (0 for none)";
    const std::string_view digits = text.substr(text.starts_with('-') || text.starts_with('+'));
    if (!allDigits(digits))
        return quotedCell(text) + " is not a whole number";
    std::int64_t wide = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), wide);
    if (text.starts_with('-'))
        wide = -wide;
    if (error != std::errc() || wide < std::numeric_limits<std::int32_t>::min()
        || wide > std::numeric_limits<std::int32_t>::max())
        return quotedCell(text) + " is beyond the 32-bit range";
    value = std::int32_t(wide);
    return {};
}

std::string readFloat(std::string_view cell, float &value)
{
    const std::string_view text = trimBlanks(cell);
    if (text.empty())
        return "an empty cell; write a number";
    if (!isDecimal(text)) {
        std::string point(text);
        if (const std::size_t comma = point.find(','); comma != std::string::npos) {
            point[comma] = '.';
            if (isDecimal(point))
                return quotedCell(text) + " has ',' as its decimal mark; write " + point;
        }
        return quotedCell(text) + " is not a number";
    }
    // Beyond the largest float, where rounding would give an infinity, is
    // refused; the largest float as an export writes it is not.
    const double number = parseDouble(text);
    if (!(std::fabs(number) < 0x1.ffffffp127))
        return quotedCell(text) + " is beyond the range of a 32-bit float";
    value = toFloat32(number);
    return {};
}

std::string readBool(std::string_view cell, bool &value)
{
    const std::string_view text = trimBlanks(cell);
    value = equalsIgnoreCase(text, "true") || text == "1";
    if (value || equalsIgnoreCase(text, "false") || text == "0")
        return {};
    return (text.empty() ? std::string("an empty cell") : quotedCell(text) + " is not true or false")
           + "; write true or false";
}

// The Windows-1252 bytes of a UTF-8 cell.
std::string toWindows1252(std::string_view utf8, std::string &bytes)
{
    bytes.clear();
    for (std::string_view rest = utf8; !rest.empty();) {
        char32_t c = 0;
        const std::size_t length = decodeUtf8(rest, c);
        if (length == 0)
            return quotedCell(utf8) + " is not UTF-8 text";
        const std::optional<char> byte = windows1252Of(c);
        if (!byte) {
            char code[16];
            std::snprintf(code, sizeof code, "U+%04X", unsigned(c));
            return quotedCell(utf8) + " holds \"" + readableFileName(rest.substr(0, length)) + "\" (" + code
                   + "), which is not in Windows-1252, the class file's character set";
        }
        bytes += *byte;
        rest.remove_prefix(length);
    }
    return {};
}

// Whether a line of the file can hold bytes in a field of capacity bytes.
std::string fitsLine(std::string_view utf8, std::string_view bytes, std::size_t capacity)
{
    if (bytes.find('\n') != std::string::npos)
        return quotedCell(utf8) + " holds a line break, which a line of the class file cannot";
    if (bytes.find('\0') != std::string::npos)
        return quotedCell(utf8) + " holds a NUL character, where the game would end the line";
    if (bytes.ends_with('\r'))
        return quotedCell(utf8) + " ends in a carriage return, which the file would take for its line end";
    if (bytes.size() > capacity)
        return quotedCell(utf8) + " is " + std::to_string(bytes.size()) + " characters long; at most "
               + std::to_string(capacity) + " fit";
    return {};
}

std::string setField(const ClassField &field, std::string_view text, ClassRecord &record)
{
    switch (field.kind) {
    case FieldKind::Int:
        return readInt(text, record.*field.intMember);
    case FieldKind::Float:
        return readFloat(text, record.*field.floatMember);
    case FieldKind::Resistance: {
        // No word: no resistance line, as the form stores no choice.
        const std::string_view word = trimBlanks(text);
        const std::optional<float> resistance = word.empty() ? -1.0f : resistanceOfWord(word);
        if (!resistance)
            return quotedCell(word) + " is not none, fire or explosive";
        record.*field.floatMember = *resistance;
        return {};
    }
    case FieldKind::Text: {
        // A text the class holds already (a CR at its end too, as a file may have it) is no change.
        std::string bytes;
        std::string reason = toWindows1252(text, bytes);
        if (reason.empty() && bytes != field.text.get(record))
            reason = fitsLine(text, bytes, field.text.capacity);
        if (reason.empty())
            field.text.set(record, bytes);
        return reason;
    }
    case FieldKind::Abilities:
        break;
    }
    return {};
}

} // namespace

// Cells in JSON come typed; a CSV cell may be anything.
std::string typeProblem(const SheetColumn &column, SheetCell::Type type)
{
    using Type = SheetCell::Type;
    if (type == Type::Any)
        return {};
    if (type == Type::Null)
        return "null; leave the key out to keep the value";
    const FieldKind kind = column.field ? column.field->kind : FieldKind::Text;
    const bool number = column.kind == SheetColumnKind::Item
                        || (column.kind == SheetColumnKind::Field && kind == FieldKind::Int);
    const bool floating = column.kind == SheetColumnKind::Field && kind == FieldKind::Float;
    if (column.kind == SheetColumnKind::Ability)
        return type == Type::Bool ? "" : "takes true or false";
    if (number || floating)
        return type == Type::Number || (floating && type == Type::String) ? "" : "takes a number";
    return type == Type::String ? "" : "takes a text in quotes";
}

std::string setCell(const SheetColumn &column, const SheetCell &cell, ClassRecord &record)
{
    if (std::string problem = typeProblem(column, cell.type); !problem.empty())
        return problem;
    switch (column.kind) {
    case SheetColumnKind::Field:
        return setField(*column.field, cell.text, record);
    case SheetColumnKind::Ability: {
        bool set = false;
        std::string reason = readBool(cell.text, set);
        if (reason.empty())
            record.classabilities = set ? record.classabilities | column.bit : record.classabilities & ~column.bit;
        return reason;
    }
    case SheetColumnKind::Item:
        return readInt(cell.text, record.inventory[std::size_t(column.slot)]);
    case SheetColumnKind::File:
    case SheetColumnKind::StartingWeaponName:
        break;
    }
    return {};
}

std::string setCellText(const SheetColumn &column, std::string_view text, ClassRecord &record)
{
    return setCell(column, SheetCell{0, std::string(text), SheetCell::Type::Any}, record);
}

std::string readTextCell(std::string_view utf8, std::size_t capacity, std::string &bytes)
{
    std::string reason = toWindows1252(utf8, bytes);
    return reason.empty() ? fitsLine(utf8, bytes, capacity) : reason;
}

} // namespace tolvane
