#pragma once

#include "model/session/tableedit.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Copy and paste between the class table and spreadsheets: a block of cells
// as tab-separated text, UTF-8, a header row of column titles first, rows
// ended by a line feed. A cell holding a tab, a quote, a line end or blanks
// at an end is quoted, its quotes doubled, as spreadsheet programs write and
// read it.

namespace tolvane {

// The table as the user sees it: the rows and columns shown, in the order
// shown, and the cells selected among them.
struct TableGrid
{
    struct Cell
    {
        int row = -1;    // in rows
        int column = -1; // in columns
    };
    std::vector<int> rows;    // the class of each row shown, top to bottom: its slot, or another number
    std::vector<int> columns; // the columns shown, left to right: of tableColumns(), or another number
    std::vector<Cell> selected;
    Cell current;
    // Rows whose class the table shows but the user may not change; empty
    // when every row may change. Only these may be other than slots.
    std::vector<bool> readOnly;
};

// The class of a row of the grid.
using RecordOfRow = std::function<const ClassRecord &(int row)>;

// The selected cells, or the current one when none is: the rows holding a
// selected cell under the columns of tableColumns() holding one, with their
// titles above. Whole rows selected are whole classes: after the columns
// shown come those hidden, but for the items, which the Inventory column
// holds, so that a paste makes the same class again.
std::string copyCells(const RecordOfRow &recordOf, const TableGrid &grid);

// What pasting text into the table would do.
struct PastePlan
{
    std::vector<int> changedSlots;     // the classes that change, top to bottom
    std::vector<ClassRecord> records;  // each of them after the paste
    std::size_t cells = 0;             // the cells whose value changes
    bool readOnlyLeft = false;         // whether a cell of a read-only row was left
    std::vector<std::string> problems; // why it cannot be pasted, in reading order
    // The block's columns left out, UTF-8: "\"Notes\" (no column has this name)".
    std::vector<std::string> notPasted;
};

// Reads text as a block of cells and places it:
// - A first row most of whose cells name columns (by title or value name,
//   in any order) is a header: each column goes to the column it names,
//   shown or hidden, and the rows below it are the block. A cell naming no
//   column leaves its column out.
// - Without one, the block's first column goes to the top-left selected cell
//   (or the current one), the rest to the columns shown to its right.
// - A single cell goes into every selected cell; a single row into every
//   selected row. Otherwise the rows go down from the top selected row.
// - A block reaching past the rows or columns shown is a problem: the
//   table makes no classes.
// Each cell is stored as typing it into its cell stores it; the Inventory
// cell, which takes no typing, as it shows the items ("Grenades 2, Cells
// 50"), every item it leaves out carried 0 times. A cell that typing would
// not take as it is (a number with text after it, a list entry, tick or
// item the cell does not have, a character or length the class file cannot
// hold, an empty number) is a problem at its row and column. Cells of
// read-only rows stay as they are; columns other than tableColumns()'s are
// left out and named; a cell pasted with the text it already shows is no
// change. With any problem, nothing changes.
PastePlan planPaste(const RecordOfRow &recordOf, const TableGrid &grid, std::string_view text);

// Up to this many classes a paste names; more it counts.
inline constexpr std::size_t namedClasses = 3;

// Makes the plan one step, "Paste on Sniper, Medic" ("Paste on 12 classes"
// beyond namedClasses); nullopt when it changes nothing or has problems.
std::optional<TableEdit> applyPaste(EditedClasses classes, const PastePlan &plan);

// What the status says of the step named stepName, UTF-8: its name, the
// classes when it counts them ("Paste on 5 classes (Sniper, Medic, ...)",
// after a name ending in a parenthesis: "...(Seals 2, Tangos 3): Sniper,
// ..."), and the columns not pasted (notPastedReport).
std::string pasteReport(std::string_view stepName, const PastePlan &plan);
// The classes of the plan, Windows-1252: "Sniper, Medic".
std::string pastedClassNames(const PastePlan &plan);
// "; not pasted: \"Notes\" (no column has this name)", empty when every
// column was.
std::string notPastedReport(const PastePlan &plan);

} // namespace tolvane
