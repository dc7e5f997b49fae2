#include "writtenvalue.h"

#include "classdata/text/textnumbers.h"

#include <bit>
#include <cmath>
#include <charconv>

namespace tolvane {

void appendLineText(std::string &out, std::string_view text)
{
    // Without its LF bytes the text ends at its last byte that is neither CR
    // nor LF: CR bytes after it would merge with the line end.
    const std::size_t last = text.find_last_not_of("\r\n");
    text = text.substr(0, last == std::string_view::npos ? 0 : last + 1);
    for (std::size_t lf; (lf = text.find('\n')) != std::string_view::npos; text.remove_prefix(lf + 1))
        out.append(text.substr(0, lf));
    out.append(text);
}

std::string_view resistanceWord(float resistance)
{
    for (std::size_t i = 0; i < std::size(resistanceWords); ++i) {
        if (resistance == float(i))
            return resistanceWords[i];
    }
    return {};
}

bool appendWrittenValue(std::string &out, const ClassField &field, const ClassRecord &record)
{
    switch (field.kind) {
    case FieldKind::Int:
    case FieldKind::Abilities:
    case FieldKind::Float: {
        char number[longestWrittenNumber];
        out.append(number, putWrittenNumber(number, field, record));
        return true;
    }
    case FieldKind::Text:
        appendLineText(out, field.text.get(record));
        return true;
    case FieldKind::Resistance: {
        const std::string_view word = resistanceWord(record.*field.floatMember);
        out.append(word);
        return !word.empty();
    }
    }
    return false;
}

std::optional<std::string> writtenValue(const ClassField &field, const ClassRecord &record)
{
    std::string text;
    if (!appendWrittenValue(text, field, record))
        return std::nullopt;
    return text;
}

// Values that are the same bits are the same value, NaN too; only values that
// differ are written out to be compared.
bool sameWrittenValue(const ClassField &field, const ClassRecord &a, const ClassRecord &b)
{
    switch (field.kind) {
    case FieldKind::Int:
    case FieldKind::Abilities:
        return a.*field.intMember == b.*field.intMember;
    case FieldKind::Float:
    case FieldKind::Resistance:
        if (std::bit_cast<std::uint32_t>(a.*field.floatMember) == std::bit_cast<std::uint32_t>(b.*field.floatMember))
            return true;
        break;
    case FieldKind::Text:
        if (field.text.get(a) == field.text.get(b))
            return true;
        break;
    }
    return writtenValue(field, a) == writtenValue(field, b);
}

bool sameStoredValue(const ClassField &field, const ClassRecord &a, const ClassRecord &b)
{
    switch (field.kind) {
    case FieldKind::Int:
    case FieldKind::Abilities:
        return a.*field.intMember == b.*field.intMember;
    case FieldKind::Float:
    case FieldKind::Resistance: {
        const float x = a.*field.floatMember, y = b.*field.floatMember;
        return x == y || (std::isnan(x) && std::isnan(y));
    }
    case FieldKind::Text:
        return field.text.get(a) == field.text.get(b);
    }
    return false;
}

bool sameWrittenClass(const ClassRecord &a, const ClassRecord &b)
{
    if (a.inventory != b.inventory)
        return false;
    for (const ClassField &field : classFields()) {
        if (!sameWrittenValue(field, a, b))
            return false;
    }
    return true;
}

} // namespace tolvane
