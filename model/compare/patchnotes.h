#pragma once

#include "classdata/compare/classvalues.h"
#include "classdata/format/classrecord.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

// Patch notes worth posting: what changed from one set of classes to the
// next, grouped by team, in the words of the class table ("Class Speed
// 0.9 -> 0.81 (-10%)"), as plain text, Markdown or forum BBCode. Compare
// with File and `tolvane-classfile diff` give the same notes. Texts are
// Windows-1252 bytes.

namespace tolvane {

enum class NotesFormat : std::uint8_t { Text, Markdown, BBCode };

// One team's classes before and after, under its heading ("Seals", or a
// file's name where the team is not known).
struct NotesSection
{
    std::string heading;
    std::span<const ClassRecord> before;
    std::span<const ClassRecord> after;
};

// A heading for each section, then under "Changed" each changed class with
// its changes, under "Added" each added class with its values, under
// "Removed" each removed class; "No class differs." for a section where
// nothing does. Classes are matched as diffClasses matches them.
std::string patchNotes(std::span<const NotesSection> sections, NotesFormat format);

// One change as the notes give it: the column's title, the values as a
// modder writes them, and for a number the change in percent of the old
// value: "Class Speed 0.9 -> 0.81 (-10%)", "Resistance Normal Armor -> Fire
// Armor", "Medkits no -> yes", "Classname \"Scout\" -> \"Ranger\"". escape
// is applied to the title and each value.
std::string changeNote(const ValueChange &change, const ClassRecord &before, const ClassRecord &after,
                       TextEscape escape = nullptr);

// after against before in percent, one decimal at most: "-10%", "+33.3%";
// empty where that says nothing (before is 0, or it rounds to 0%).
std::string percentChange(double before, double after);

// text with the characters escaped that Markdown would take for markup.
std::string markdownEscaped(std::string_view text);

} // namespace tolvane
