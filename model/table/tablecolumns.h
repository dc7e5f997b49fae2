#pragma once

#include "classdata/compare/classvalues.h"
#include "model/session/formbindings.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// The columns of the class table: one for each value the form edits, plus
// the class's inventory in one column and a column per catalogue item.
// Texts are Windows-1252 bytes.

namespace tolvane {

enum class ColumnKind : std::uint8_t {
    Text,           // a text box
    Int,            // a digits box
    Float,          // a number box
    Tick,           // an ability or game-mode check box
    Resistance,     // the resistance list
    StartingWeapon, // the starting-weapon list
    Item,           // the amount of one catalogue item, as ADD! sets it
    Inventory,      // every item carried: typed nowhere, pasted whole
};

struct TableColumn
{
    std::string id;    // kept in the settings: "speed", "ability Sniper Scope", "item weapon_knife"
    std::string title; // the header: its box's column title, an ability's label, an item's name
    ColumnKind kind;
    ClassValue value = {};     // Inventory: none
    bool shownAtFirst = true;  // before the user chose which columns to show
    std::size_t textLimit = 0; // Text: the longest text the field keeps

    bool numeric() const { return kind == ColumnKind::Int || kind == ColumnKind::Float || kind == ColumnKind::Item; }
    bool editable() const { return kind != ColumnKind::Inventory; }
};

// Every column, in the order a new table shows them: those of the form's
// boxes (columnsOfBoxes(formBindings)).
const std::vector<TableColumn> &tableColumns();
// The columns of boxes: one for each box with a column title, in their order,
// with its value's key, kind and text limit; the inventory; one per ability
// box, titled by its label; one per catalogue item.
std::vector<TableColumn> columnsOfBoxes(std::span<const FormBinding> boxes);

// The column a filter names: its title or its value's name ("Class Speed",
// "speed", "inventory Grenades"), without regard to ASCII case; -1 for none.
int columnNamed(std::string_view name);
// The column of id, -1 for none.
int columnOfId(std::string_view id);
// The column that shows value, -1 for none (an ability bit without a box).
int columnOfValue(const ClassValue &value);

// The value as the cell shows it: the form's text for it ("1.000000", "Fire
// Armor", "yes"); the starting weapon by the name the list shows; the
// inventory as "Grenades 2, Cells 50".
std::string cellText(const TableColumn &column, const ClassRecord &record);
// The value as a number for sorting and the summary: the numeric columns as
// the file holds them, a tick as 0 or 1, the resistance's value.
std::optional<double> cellNumber(const TableColumn &column, const ClassRecord &record);

// Stores text into the column's value as the form stores its box: numbers as
// the class file reader reads them, texts cut to their field, a tick from
// "yes" or "no", a list value by its entry's name (without regard to ASCII
// case), an item's amount as ADD! takes it, the inventory as its cell shows
// it (every item it does not name carried 0 times). False, with record
// unchanged, for a list name the list does not have, a tick that is
// neither, or an inventory naming an item the catalogue does not have.
bool setCellText(const TableColumn &column, std::string_view text, ClassRecord &record);

// The entries of an inventory cell, "Grenades 2, Cells 50": each item's
// name and its amount as written, the text after the entry's last blank (an
// entry that names an item whole has an empty amount). Empty entries are
// left out.
struct InventoryEntry
{
    std::string_view item;
    std::string_view amount;
};
std::vector<InventoryEntry> inventoryEntries(std::string_view text);
// The catalogue slot of the item name names, as the inventory cell shows it
// or by its internal name, without regard to ASCII case; -1 for none.
int itemNamed(std::string_view name);

// text typed into the column's cell of record as the column's box takes it
// from the keyboard: the digits alone in a whole number's cell, and in an
// item's, whose box is the digits box Amount (see typedIntoDigitsBox); any
// other cell takes text as it is.
std::string typedIntoCell(const TableColumn &column, const ClassRecord &record, std::string_view text);

// "yes", "on", "true", "1" and "no", "off", "false", "0", without regard to
// ASCII case; nullopt for anything else.
std::optional<bool> tickWord(std::string_view word);

// The text without blanks at either end.
std::string_view trimmed(std::string_view text);
// Whether text holds part, without regard to ASCII case; an empty part is in
// every text.
bool containsIgnoreCase(std::string_view text, std::string_view part);

} // namespace tolvane
