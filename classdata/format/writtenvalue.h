#pragma once

#include "classfields.h"
#include "classrecord.h"
#include "classdata/text/textnumbers.h"

#include <charconv>
#include <optional>
#include <string>
#include <string_view>

namespace tolvane {

// The value of a field as the class file holds it, after its key: "%i" of an
// int, "%f" of a float, the resistance word, a text without the bytes a line
// cannot carry. The writer writes it, the updating writer rewrites a line
// with it, and the unsaved mark, Review Changes and the problem list compare
// by it: two values that give the same text are the same value in the file.

// A text as a line holds it: without its LF bytes, and without CR bytes at
// its end, which the reader would take for part of the line end. A CR
// elsewhere stays, as the reader keeps it.
void appendLineText(std::string &out, std::string_view text);

// The resistance word of exactly 0, 1 or 2; empty for any other value, which
// has no line.
std::string_view resistanceWord(float resistance);

// Appends the value; false, with nothing appended, where no line is written.
bool appendWrittenValue(std::string &out, const ClassField &field, const ClassRecord &record);
// For writers that gather lines in a buffer: whether field is a number
// (Int, Abilities or Float), and its value written at at, as
// appendWrittenValue writes it; returns the end. Inline, as the writer's
// loop over the fields needs them to be to keep its speed.
constexpr bool isNumberField(const ClassField &field)
{
    return field.kind == FieldKind::Int || field.kind == FieldKind::Abilities || field.kind == FieldKind::Float;
}
inline constexpr std::size_t longestWrittenNumber = longestFloat;
inline char *putWrittenNumber(char *at, const ClassField &field, const ClassRecord &record)
{
    if (field.kind == FieldKind::Float)
        return putFloat(at, record.*field.floatMember);
    return std::to_chars(at, at + 11, record.*field.intMember).ptr;
}
// The value as a text; nullopt where no line is written.
std::optional<std::string> writtenValue(const ClassField &field, const ClassRecord &record);

// Two ways to ask whether a and b hold the same value of field. The same
// written value: the file would hold the same line (100 and 100.0000001 are
// one speed, "%f" writes both as 100.000000): what counts as a change for
// the mark of unsaved changes and Review Changes. The same stored value: the
// very value (a NaN is the same as a NaN): what Write Out's update of a
// file compares with the value the reader took, so that a value typed anew
// is written anew, even where it would be written as the old line was.
bool sameWrittenValue(const ClassField &field, const ClassRecord &a, const ClassRecord &b);
bool sameStoredValue(const ClassField &field, const ClassRecord &a, const ClassRecord &b);
// Whether a and b are the same class in the file: every field and every
// inventory amount.
bool sameWrittenClass(const ClassRecord &a, const ClassRecord &b);

} // namespace tolvane
