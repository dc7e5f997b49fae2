#include "tablepaste.h"

#include "classdata/sheets/classexport.h"
#include "classdata/sheets/classimport.h"
#include "classdata/sheets/sheetcolumns.h"
#include "classdata/sheets/sheetreader.h"
#include "tablecolumns.h"
#include "teamrows.h"
#include "model/review/valuehints.h"
#include "classdata/text/textnumbers.h"
#include "classdata/text/windows1252.h"

#include <algorithm>
#include <iterator>

namespace tolvane {

namespace {

// The column of tableColumns() shown at column of the grid; nullptr for
// another.
const TableColumn *columnAt(const TableGrid &grid, int column)
{
    const int at = grid.columns[std::size_t(column)];
    return at >= 0 && std::size_t(at) < tableColumns().size() ? &tableColumns()[std::size_t(at)] : nullptr;
}

// The selected cells within the grid, or the current one when none is.
std::vector<TableGrid::Cell> selectedCells(const TableGrid &grid)
{
    const auto inside = [&](const TableGrid::Cell &cell) {
        return cell.row >= 0 && std::size_t(cell.row) < grid.rows.size() && cell.column >= 0
               && std::size_t(cell.column) < grid.columns.size();
    };
    std::vector<TableGrid::Cell> cells;
    std::ranges::copy_if(grid.selected, std::back_inserter(cells), inside);
    if (cells.empty() && inside(grid.current))
        cells.push_back(grid.current);
    return cells;
}

// The rows and the columns holding a selected cell, in the order shown; the
// current cell when none is selected.
std::pair<std::vector<int>, std::vector<int>> selectedLines(const TableGrid &grid)
{
    std::vector<int> rows, columns;
    for (const TableGrid::Cell &cell : selectedCells(grid)) {
        rows.push_back(cell.row);
        columns.push_back(cell.column);
    }
    for (std::vector<int> *lines : {&rows, &columns}) {
        std::ranges::sort(*lines);
        lines->erase(std::unique(lines->begin(), lines->end()), lines->end());
    }
    return {std::move(rows), std::move(columns)};
}

std::string readCell(const TableColumn &column, const ClassRecord &record, std::string_view utf8, std::string &bytes);

// Why the inventory cell's bytes would not store as they are: an item the
// catalogue does not have or names twice, an amount its item's cell would
// not take; empty when they would.
std::string readInventoryCell(const ClassRecord &record, std::string_view bytes)
{
    std::vector<int> named;
    std::string amount;
    for (const InventoryEntry &entry : inventoryEntries(bytes)) {
        const int slot = itemNamed(entry.item);
        if (slot < 0)
            return "Inventory has no item " + quotedCell(utf8Of(entry.item));
        const TableColumn &item =
            tableColumns()[std::size_t(columnOfValue({.kind = ClassValue::Kind::Item, .slot = slot}))];
        if (std::ranges::find(named, slot) != named.end())
            return "Inventory names " + item.title + " twice";
        named.push_back(slot);
        if (trimmed(entry.amount).empty())
            return "Inventory names " + item.title + " without an amount";
        if (std::string reason = readCell(item, record, utf8Of(entry.amount), amount); !reason.empty())
            return reason;
    }
    return {};
}

// Why typing text into column's cell of record would not store it as it
// is; empty when it would. bytes becomes the text as the cell editor hands
// it over.
std::string readCell(const TableColumn &column, const ClassRecord &record, std::string_view utf8, std::string &bytes)
{
    const ClassField *field = column.value.field;
    const bool text = column.kind == ColumnKind::Text;
    std::string reason = readTextCell(utf8, text ? field->text.capacity : std::string::npos, bytes);
    if (!reason.empty() || text)
        return reason;
    if (column.numeric()) {
        const bool isFloat = column.kind == ColumnKind::Float;
        if (trimmed(bytes).empty())
            return std::string("an empty cell; ") + column.title + " takes a number";
        if (!numberHint(nullptr, isFloat, bytes, utf8).empty()) {
            reason = quotedCell(utf8) + " is not a number";
            if (isFloat && bytes.find(',') != std::string::npos)
                reason += "; the decimal mark is \".\"";
            return reason;
        }
        // A sign that typing into a digits box would drop.
        if (!isFloat && parseInt(typedIntoCell(column, record, bytes)) != parseInt(bytes))
            return quotedCell(utf8) + ": " + column.title + " takes the digits 0 to 9 alone";
        return {};
    }
    if (column.kind == ColumnKind::Inventory)
        return readInventoryCell(record, bytes);
    ClassRecord probe;
    if (column.kind == ColumnKind::Tick && !tickWord(bytes))
        return quotedCell(utf8) + " is not yes or no";
    if (!setCellText(column, bytes, probe))
        return column.title + " has no entry " + quotedCell(utf8);
    return {};
}

// Where a cell of the block goes: its row and column in the block, the
// row of the grid and the column of tableColumns(), -1 for a column not
// pasted.
struct Target
{
    std::size_t row;
    std::size_t column;
    int into;
    int value;
};

// The header's columns, when a row follows the first and most of its cells
// name a column (a row of values may hold one, "Desert Eagle"); -1 for a
// cell that names none.
std::optional<std::vector<int>> headerColumns(const std::vector<std::vector<std::string>> &block)
{
    if (block.size() < 2)
        return std::nullopt;
    std::vector<int> named;
    std::string bytes;
    for (const std::string &cell : block.front())
        named.push_back(readTextCell(cell, std::string::npos, bytes).empty() ? columnNamed(bytes) : -1);
    if (2 * std::size_t(std::ranges::count_if(named, [](int column) { return column >= 0; })) <= named.size())
        return std::nullopt;
    return named;
}

std::string place(std::size_t row, std::size_t column)
{
    return "row " + std::to_string(row + 1) + ", column " + columnLetters(column);
}

// The column of tableColumns() at column of the grid, -1 for another,
// named in notPasted.
int valueAt(const TableGrid &grid, int column, std::vector<std::string> &notPasted)
{
    if (const TableColumn *at = columnAt(grid, column))
        return int(at - tableColumns().data());
    const std::string name = grid.columns[std::size_t(column)] == teamColumn()
                                 ? "Team (a class keeps its team)"
                                 : "column " + columnLetters(std::size_t(column)) + " (not a value of a class)";
    if (std::ranges::find(notPasted, name) == notPasted.end())
        notPasted.push_back(name);
    return -1;
}

// The columns of tableColumns() for the block's: by the header's names,
// shown or not, or those shown from the first selected column on.
std::vector<int> blockColumns(const TableGrid &grid, const std::vector<std::vector<std::string>> &block, int first,
                              PastePlan &plan)
{
    std::vector<int> columns;
    if (const std::optional<std::vector<int>> named = headerColumns(block)) {
        for (std::size_t i = 0; i < named->size(); ++i) {
            const int column = (*named)[i];
            if (column < 0)
                plan.notPasted.push_back(quotedCell(block.front()[i]) + " (no column has this name)");
            else if (std::ranges::find(columns, column) != columns.end())
                plan.problems.push_back(place(0, i) + ": " + tableColumns()[std::size_t(column)].title
                                        + " is named twice");
            columns.push_back(column);
        }
        return columns;
    }
    const std::size_t width = block.front().size();
    if (std::size_t(first) + width > grid.columns.size()) {
        plan.problems.push_back("the block is " + std::to_string(width) + " columns wide; "
                                + std::to_string(grid.columns.size() - std::size_t(first))
                                + " are shown from the first cell it goes to");
        return columns;
    }
    for (std::size_t i = 0; i < width; ++i)
        columns.push_back(valueAt(grid, first + int(i), plan.notPasted));
    return columns;
}

// Every cell of the block with the grid's row and the column it goes to.
std::vector<Target> placeBlock(const TableGrid &grid, const std::vector<std::vector<std::string>> &block,
                               PastePlan &plan)
{
    const auto [rows, columns] = selectedLines(grid);
    if (rows.empty()) {
        plan.problems.push_back("no cell is chosen to paste into");
        return {};
    }
    std::vector<Target> targets;
    if (block.size() == 1 && block.front().size() == 1) {
        for (const TableGrid::Cell &cell : selectedCells(grid))
            targets.push_back({0, 0, cell.row, valueAt(grid, cell.column, plan.notPasted)});
        return targets;
    }
    const std::vector<int> into = blockColumns(grid, block, columns.front(), plan);
    const std::size_t first = headerColumns(block) ? 1 : 0;
    const std::size_t height = block.size() - first;
    std::vector<std::pair<std::size_t, int>> down; // the block's row and the grid's
    if (height == 1) {
        for (int row : rows)
            down.emplace_back(first, row);
    } else if (std::size_t(rows.front()) + height > grid.rows.size()) {
        plan.problems.push_back("the block has " + std::to_string(height) + " rows of classes; "
                                + std::to_string(grid.rows.size() - std::size_t(rows.front()))
                                + " are shown from the first row it goes to, and pasting makes no classes");
    } else {
        for (std::size_t i = 0; i < height; ++i)
            down.emplace_back(first + i, rows.front() + int(i));
    }
    if (!plan.problems.empty())
        return {};
    for (const auto &[blockRow, row] : down) {
        for (std::size_t column = 0; column < into.size(); ++column)
            targets.push_back({blockRow, column, row, into[column]});
    }
    return targets;
}

// Whether every column shown is selected in every row holding a selected
// cell.
bool wholeRows(const TableGrid &grid)
{
    const auto [rows, columns] = selectedLines(grid);
    std::vector<std::pair<int, int>> cells;
    for (const TableGrid::Cell &cell : selectedCells(grid))
        cells.emplace_back(cell.row, cell.column);
    std::ranges::sort(cells);
    cells.erase(std::unique(cells.begin(), cells.end()), cells.end());
    return !rows.empty() && columns.size() == grid.columns.size() && cells.size() == rows.size() * columns.size();
}

} // namespace

std::string pastedClassNames(const PastePlan &plan)
{
    std::string names;
    for (const ClassRecord &record : plan.records)
        names += (names.empty() ? "" : ", ")
                 + (record.classname.empty() ? "(no name)" : std::string(record.classname.view()));
    return names;
}

std::string copyCells(const RecordOfRow &recordOf, const TableGrid &grid)
{
    const auto [rows, selectedColumns] = selectedLines(grid);
    std::vector<const TableColumn *> columns;
    for (int column : selectedColumns) {
        if (const TableColumn *of = columnAt(grid, column))
            columns.push_back(of);
    }
    // Whole rows are whole classes: the values the table hides go after
    // those it shows, every item in the Inventory column.
    if (wholeRows(grid)) {
        for (const TableColumn &column : tableColumns()) {
            const bool shown = std::ranges::find(columns, &column) != columns.end();
            if (!shown && column.kind != ColumnKind::Item)
                columns.push_back(&column);
        }
    }
    std::string text;
    for (std::size_t i = 0; i < columns.size(); ++i) {
        appendSheetCell(text, utf8Of(columns[i]->title), '\t');
        text += i + 1 < columns.size() ? '\t' : '\n';
    }
    for (int row : rows) {
        const ClassRecord &record = recordOf(grid.rows[std::size_t(row)]);
        for (std::size_t i = 0; i < columns.size(); ++i) {
            appendSheetCell(text, utf8Of(cellText(*columns[i], record)), '\t');
            text += i + 1 < columns.size() ? '\t' : '\n';
        }
    }
    return text;
}

PastePlan planPaste(const RecordOfRow &recordOf, const TableGrid &grid, std::string_view text)
{
    PastePlan plan;
    ImportProblem unread;
    const std::optional<std::vector<std::vector<std::string>>> block = readSheetRows(text, '\t', unread);
    if (!block) {
        plan.problems.push_back(unread.message);
        return plan;
    }
    if (block->empty()) {
        plan.problems.push_back("the clipboard holds no cells");
        return plan;
    }
    for (std::size_t row = 1; row < block->size(); ++row) {
        if ((*block)[row].size() != block->front().size())
            plan.problems.push_back("row " + std::to_string(row + 1) + " has " + std::to_string((*block)[row].size())
                                    + " cells; the first row has " + std::to_string(block->front().size()));
    }
    const std::vector<Target> targets = plan.problems.empty() ? placeBlock(grid, *block, plan) : std::vector<Target>();
    // Each class once, with every cell pasted into it.
    struct Changed
    {
        int slot;
        ClassRecord record;
        bool changed = false;
    };
    std::vector<Changed> classes;
    std::string bytes;
    for (const Target &target : targets) {
        const int row = target.into;
        if (std::size_t(row) < grid.readOnly.size() && grid.readOnly[std::size_t(row)]) {
            plan.readOnlyLeft = true;
            continue;
        }
        if (target.value < 0)
            continue;
        const int slot = grid.rows[std::size_t(row)];
        const TableColumn &column = tableColumns()[std::size_t(target.value)];
        const std::string &cell = (*block)[target.row][target.column];
        auto entry = std::ranges::find(classes, slot, &Changed::slot);
        const ClassRecord &before = entry == classes.end() ? recordOf(slot) : entry->record;
        // What the cell shows, as a value no list entry shows, stays.
        if (cell == utf8Of(cellText(column, before)))
            continue;
        if (std::string reason = readCell(column, before, cell, bytes); !reason.empty()) {
            std::string problem = place(target.row, target.column) + " (" + column.title + "): " + reason;
            if (std::ranges::find(plan.problems, problem) == plan.problems.end())
                plan.problems.push_back(std::move(problem));
            continue;
        }
        if (entry == classes.end())
            entry = classes.insert(classes.end(), {slot, before});
        ClassRecord after = entry->record;
        setCellText(column, bytes, after);
        const bool same = column.kind == ColumnKind::Inventory
                              ? after.inventory == entry->record.inventory
                              : sameValue(column.value, entry->record, after, ValueNaming::AsFile);
        if (!same) {
            entry->record = after;
            entry->changed = true;
            ++plan.cells;
        }
    }
    if (!plan.problems.empty())
        return plan;
    for (Changed &entry : classes) {
        if (entry.changed) {
            plan.changedSlots.push_back(entry.slot);
            plan.records.push_back(std::move(entry.record));
        }
    }
    return plan;
}

std::optional<TableEdit> applyPaste(EditedClasses classes, const PastePlan &plan)
{
    if (!plan.problems.empty() || plan.changedSlots.empty())
        return std::nullopt;
    const std::string on = plan.changedSlots.size() <= namedClasses
                               ? pastedClassNames(plan)
                               : std::to_string(plan.changedSlots.size()) + " classes";
    TableEdit step("Paste on " + on, classes.state);
    for (std::size_t i = 0; i < plan.changedSlots.size(); ++i)
        step.replace(classes, plan.changedSlots[i], plan.records[i], classes.ids[std::size_t(plan.changedSlots[i])]);
    step.finish(classes.state);
    return step;
}

std::string pasteReport(std::string_view stepName, const PastePlan &plan)
{
    std::string report(stepName);
    if (plan.changedSlots.size() > namedClasses)
        report += (stepName.ends_with(')') ? ": " : " (") + utf8Of(pastedClassNames(plan))
                  + (stepName.ends_with(')') ? "" : ")");
    return report + notPastedReport(plan);
}

std::string notPastedReport(const PastePlan &plan)
{
    std::string report;
    for (const std::string &column : plan.notPasted)
        report += (report.empty() ? "; not pasted: " : ", ") + column;
    return report;
}

} // namespace tolvane
