#pragma once

#include "classdata/compare/classcompare.h"
#include "classdata/format/classrecord.h"
#include "rosterfilter.h"

#include <bitset>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tolvane {

struct TableRows;

enum class SortOrder : std::uint8_t { Ascending, Descending };

// What the class table shows of the classes in memory: which classes the
// filter leaves, in which order, and which are selected. None of it changes
// the classes or their order in memory or in the file. Classes are named by
// their slot.
class ClassRoster
{
public:
    void sortBy(int column, SortOrder order);
    // Back to the order of the file.
    void fileOrder() { sortColumn.reset(); }
    std::optional<int> sortedBy() const { return sortColumn; }
    SortOrder order() const { return sortOrder; }

    void setFilter(std::string_view text);
    const std::string &filterText() const { return typed; }
    const RosterFilter &filter() const { return parsed; }

    // The slots of the classes shown, in the order shown; with the other
    // team's rows, the rows of both.
    std::vector<int> shownRows(const EditorState &state) const;
    std::vector<int> shownRows(const TableRows &rows) const;

    // The selection replaced by rows (slots, and the other team's rows).
    void select(std::span<const int> slots);
    bool selected(int slot) const { return slot >= 0 && slot < 2 * tableSlotCount && chosen.test(std::size_t(slot)); }
    // The selected classes in memory in file order.
    std::vector<int> selectedRows(const EditorState &state) const;
    // The selected rows of the other team.
    int selectedOtherRows() const;

    // "12 of 40 classes; 3 selected, 1 of them hidden by the filter", or
    // where the filter the cannot be read, where.
    std::string countText(const EditorState &state) const;
    std::string countText(const TableRows &rows) const;

private:
    std::optional<int> sortColumn;
    SortOrder sortOrder = SortOrder::Ascending;
    std::string typed;
    RosterFilter parsed;
    std::bitset<2 * tableSlotCount> chosen;
};

// The classes the table has rows for: those Write Out would write.
int rosterSize(const EditorState &state);

// slots ordered by the column's values (numbers as numbers, texts without
// regard to ASCII case, values that are no number last); classes with
// equal values keep their order.
std::vector<int> sortedRows(std::vector<int> slots, const EditorState &state, int column, SortOrder order);
std::vector<int> sortedRows(std::vector<int> rows, const TableRows &classes, int column, SortOrder order);

// The column's minimum, mean and maximum over the rows; nullopt for none or
// for a column that is not numeric.
std::optional<ValueSpread> columnSpread(int column, const EditorState &state, std::span<const int> rows);
std::optional<ValueSpread> columnSpread(int column, const TableRows &classes, std::span<const int> rows);
// A summary number, to three decimals at most: "97.5", "1.05", "-3".
std::string summaryNumber(double value);
// Where value lies from the spread's minimum (0) to its maximum (1); 0.5
// when they are the same; nullopt for a value that is no number.
std::optional<double> scalePosition(double value, const ValueSpread &spread);

// The column's text shared by the classes at slots, "(different)" when they
// differ, empty for none.
std::string commonCellText(int column, const TableRows &rows, std::span<const int> slots);

} // namespace tolvane
