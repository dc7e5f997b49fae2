#pragma once

#include "model/session/tableedit.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>

namespace tolvane {

struct TableColumn;

// One change to one column of many classes at once, as typed:
//   12 or =12   set every class's value (a number, a text, yes or no, a list entry)
//   +5, -10     add or subtract
//   x1.05, *2   scale
//   +5%, -10%   scale by a percentage
// Whole-number columns take whole numbers to set and add, and round what a
// scale gives. Texts are Windows-1252 bytes.
struct BulkChange
{
    enum class Kind : std::uint8_t { Set, Add, Scale };
    Kind kind = Kind::Set;
    std::string text; // Set: what is stored, as the form stores a typed box
    double amount = 0;
};

// What typed asks of column, or why it cannot be read ("\"fast\" is not a
// number"); nothing reads as an empty change.
std::variant<BulkChange, std::string> readBulkChange(const TableColumn &column, std::string_view typed);

// record with the change made, as the form stores the value typed: numbers
// go through the same parsing, texts are cut to their field.
ClassRecord changedRecord(const TableColumn &column, const BulkChange &change, const ClassRecord &record);

// Changes column of the classes at slots as one step, named "Change Class
// Speed on 12 classes" (or on the one class's name); nullopt when no class
// changes the value the file would hold.
std::optional<TableEdit> changeClasses(EditedClasses classes, int column, const BulkChange &change,
                                       std::span<const int> slots);

} // namespace tolvane
