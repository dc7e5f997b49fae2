#include "tablepaste.h"

#include "classdata/sheets/classexport.h"
#include "classdata/sheets/classimport.h"
#include "classdata/sheets/sheetcolumns.h"
#include "classdata/sheets/sheetreader.h"
#include "tablecolumns.h"
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
    ClassRecord probe;
    if (column.kind == ColumnKind::Tick && !tickWord(bytes))
        return quotedCell(utf8) + " is not yes or no";
    if (!setCellText(column, bytes, probe))
        return column.title + " has no entry " + quotedCell(utf8);
    return {};
}

// Where a cell of the block goes: its row and column in the block, and the
// cell of the grid.
struct Target
{
    std::size_t row;
    std::size_t column;
    TableGrid::Cell into;
};

// The header's columns, when every cell of the first row names a column
// and a row follows it.
std::optional<std::vector<int>> headerColumns(const std::vector<std::vector<std::string>> &block)
{
    if (block.size() < 2)
        return std::nullopt;
    std::vector<int> named;
    std::string bytes;
    for (const std::string &cell : block.front()) {
        if (!readTextCell(cell, std::string::npos, bytes).empty())
            return std::nullopt;
        const int column = columnNamed(bytes);
        if (column < 0)
            return std::nullopt;
        named.push_back(column);
    }
    return named;
}

std::string place(std::size_t row, std::size_t column)
{
    return "row " + std::to_string(row + 1) + ", column " + columnLetters(column);
}

// The grid's columns for the block's: by the header's names, or shown from
// the first selected column on.
std::vector<int> blockColumns(const TableGrid &grid, const std::vector<std::vector<std::string>> &block, int first,
                              std::vector<std::string> &problems)
{
    std::vector<int> columns;
    if (const std::optional<std::vector<int>> named = headerColumns(block)) {
        for (std::size_t i = 0; i < named->size(); ++i) {
            const int column = (*named)[i];
            const std::string &title = tableColumns()[std::size_t(column)].title;
            const auto shown = std::ranges::find(grid.columns, column);
            if (shown == grid.columns.end())
                problems.push_back(place(0, i) + ": " + title + " is not shown in the table");
            else if (std::ranges::find(columns, int(shown - grid.columns.begin())) != columns.end())
                problems.push_back(place(0, i) + ": " + title + " is named twice");
            columns.push_back(int(shown - grid.columns.begin()));
        }
        return columns;
    }
    const std::size_t width = block.front().size();
    if (std::size_t(first) + width > grid.columns.size()) {
        problems.push_back("the block is " + std::to_string(width) + " columns wide; "
                           + std::to_string(grid.columns.size() - std::size_t(first))
                           + " are shown from the first cell it goes to");
    }
    for (std::size_t i = 0; i < width; ++i)
        columns.push_back(first + int(i));
    return columns;
}

// Every cell of the block with the grid's cell it goes to.
std::vector<Target> placeBlock(const TableGrid &grid, const std::vector<std::vector<std::string>> &block,
                               std::vector<std::string> &problems)
{
    const auto [rows, columns] = selectedLines(grid);
    if (rows.empty()) {
        problems.push_back("no cell is chosen to paste into");
        return {};
    }
    std::vector<Target> targets;
    if (block.size() == 1 && block.front().size() == 1) {
        for (const TableGrid::Cell &cell : selectedCells(grid))
            targets.push_back({0, 0, cell});
        return targets;
    }
    const std::vector<int> into = blockColumns(grid, block, columns.front(), problems);
    const std::size_t first = headerColumns(block) ? 1 : 0;
    const std::size_t height = block.size() - first;
    std::vector<std::pair<std::size_t, int>> down; // the block's row and the grid's
    if (height == 1) {
        for (int row : rows)
            down.emplace_back(first, row);
    } else if (std::size_t(rows.front()) + height > grid.rows.size()) {
        problems.push_back("the block has " + std::to_string(height) + " rows of classes; "
                           + std::to_string(grid.rows.size() - std::size_t(rows.front()))
                           + " are shown from the first row it goes to, and pasting makes no classes");
    } else {
        for (std::size_t i = 0; i < height; ++i)
            down.emplace_back(first + i, rows.front() + int(i));
    }
    if (!problems.empty())
        return {};
    for (const auto &[blockRow, row] : down) {
        for (std::size_t column = 0; column < into.size(); ++column)
            targets.push_back({blockRow, column, {row, into[column]}});
    }
    return targets;
}

} // namespace

std::string copyCells(const RecordOfRow &recordOf, const TableGrid &grid)
{
    const auto [rows, selectedColumns] = selectedLines(grid);
    std::vector<const TableColumn *> columns;
    for (int column : selectedColumns) {
        if (const TableColumn *of = columnAt(grid, column))
            columns.push_back(of);
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
    const std::vector<Target> targets = plan.problems.empty() ? placeBlock(grid, *block, plan.problems)
                                                              : std::vector<Target>();
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
        const int row = target.into.row;
        if (std::size_t(row) < grid.readOnly.size() && grid.readOnly[std::size_t(row)]) {
            plan.readOnlyLeft = true;
            continue;
        }
        const int slot = grid.rows[std::size_t(row)];
        const TableColumn *at = columnAt(grid, target.into.column);
        if (!at || !at->editable())
            continue;
        const TableColumn &column = *at;
        const std::string &cell = (*block)[target.row][target.column];
        const ClassRecord &before = recordOf(slot);
        // What the cell shows, as a value no list entry shows, stays.
        if (cell == utf8Of(cellText(column, before)))
            continue;
        if (std::string reason = readCell(column, before, cell, bytes); !reason.empty()) {
            std::string problem = place(target.row, target.column) + " (" + column.title + "): " + reason;
            if (std::ranges::find(plan.problems, problem) == plan.problems.end())
                plan.problems.push_back(std::move(problem));
            continue;
        }
        auto entry = std::ranges::find(classes, slot, &Changed::slot);
        if (entry == classes.end())
            entry = classes.insert(classes.end(), {slot, before});
        ClassRecord after = entry->record;
        setCellText(column, bytes, after);
        if (!sameValue(column.value, entry->record, after, ValueNaming::AsFile)) {
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
    const auto &records = classes.state.table.records;
    const std::string on = plan.changedSlots.size() == 1
                               ? std::string(records[std::size_t(plan.changedSlots.front())].classname.view())
                               : std::to_string(plan.changedSlots.size()) + " classes";
    TableEdit step("Paste on " + on, classes.state);
    for (std::size_t i = 0; i < plan.changedSlots.size(); ++i)
        step.replace(classes, plan.changedSlots[i], plan.records[i], classes.ids[std::size_t(plan.changedSlots[i])]);
    step.finish(classes.state);
    return step;
}

} // namespace tolvane
