#pragma once

#include "classdata/format/classfields.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace tolvane {

// The classes as a table for spreadsheets and scripts: one row per class, a
// column per value the form edits. The columns come from the field table,
// the ability catalogue (by their names) and the item catalogue, so that a
// new field, ability or item is a new column without a change here.

enum class SheetFormat { Csv, Tsv, Json };

// The format named csv, tsv or json (in any case); nullopt for any other name.
std::optional<SheetFormat> sheetFormatNamed(std::string_view name);

// The format a file name's extension names (.csv, .tsv or .tab, .json, in
// any case); nullopt for any other.
std::optional<SheetFormat> sheetFormatOfName(const std::filesystem::path &name);

enum class SheetColumnKind : std::uint8_t {
    File,               // the class file a row belongs to, in sheets of several files
    Field,              // a value of the field table, named by its key
    StartingWeaponName, // the starting weapon as the form's list shows it
    Ability,            // one bit of classabilities: true or false
    Item,               // an inventory amount, named by the item's internal name
};

struct SheetColumn
{
    std::string_view name;
    SheetColumnKind kind;
    const ClassField *field = nullptr; // Field
    std::int32_t bit = 0;              // Ability
    int slot = -1;                     // Item
};

// Every column of an exported sheet, in order: classname, the other fields
// in the file's order (classabilities is the ability columns instead), the
// starting weapon's shown name after starting_weapon, the abilities, the
// items in catalogue order. A sheet of several files has the file column
// first, which this list leaves out.
std::span<const SheetColumn> sheetColumns();

// The column of name, compared without regard to case ("file" included);
// nullptr for a name no sheet has.
const SheetColumn *sheetColumnNamed(std::string_view name);

// The spreadsheet's letter of a column counted from 0: A, B, ..., Z, AA, ...
std::string columnLetters(std::size_t column);

} // namespace tolvane
