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
// titles above.
std::string copyCells(const RecordOfRow &recordOf, const TableGrid &grid);

// What pasting text into the table would do.
struct PastePlan
{
    std::vector<int> changedSlots;     // the classes that change, top to bottom
    std::vector<ClassRecord> records;  // each of them after the paste
    std::size_t cells = 0;             // the cells whose value changes
    bool readOnlyLeft = false;         // whether a cell of a read-only row was left
    std::vector<std::string> problems; // why it cannot be pasted, in reading order
};

// Reads text as a block of cells and places it:
// - A first row whose cells all name columns (by title or value name, in
//   any order) is a header: each column goes to the column it names, and the
//   rows below it are the block.
// - Without one, the block's first column goes to the top-left selected cell
//   (or the current one), the rest to the columns shown to its right.
// - A single cell goes into every selected cell; a single row into every
//   selected row. Otherwise the rows go down from the top selected row.
// - A block reaching past the rows or columns shown is a problem: the
//   table makes no classes.
// Each cell is stored as typing it into its cell stores it. A cell that
// typing would not take as it is (a number with text after it, a list entry
// or tick the cell does not have, a character or length the class file
// cannot hold, an empty number) is a problem at its row and column. Cells of
// read-only rows and columns, and of columns other than tableColumns()'s,
// stay as they are; a cell pasted with the text it already shows is no
// change. With any problem, nothing changes.
PastePlan planPaste(const RecordOfRow &recordOf, const TableGrid &grid, std::string_view text);

// Makes the plan one step, "Paste on 12 classes" (or on the one class's
// name); nullopt when it changes nothing or has problems.
std::optional<TableEdit> applyPaste(EditedClasses classes, const PastePlan &plan);

} // namespace tolvane
