#pragma once

#include "classroster.h"

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>

// What the editor's windows say to a screen reader where it reads nothing
// of its own: the class table's current cell and its changes, the state of
// Change Selected Classes, the entries of a list moved through from a text
// box. Texts are UTF-8.

namespace tolvane {

// A box or a cell by its name and its value: "Health 100", "Helmet empty".
std::string valueAnnouncement(std::string_view name, std::string_view value);

// A cell of the class table, as its headers and the cell show it.
struct CellFacts
{
    std::string row;    // the row's header: "1  Marksman", "Tangos 0  Heavy"
    std::string column; // the column's title
    std::string value;  // the cell's text; a tick "yes" or "no"
    std::string problem;
    bool readOnly = false;
};
// "1  Marksman, Health, 100", then the problem and "read only" where there
// are.
std::string cellAnnouncement(const CellFacts &cell);

// What the class table shows besides its cells, as far as it is said.
struct TableFacts
{
    std::optional<int> sortColumn;
    SortOrder order = SortOrder::Ascending;
    std::string filter; // as typed
    std::string count;  // countText: "2 of 7 classes", or why the filter is not read
    std::size_t selected = 0;
    std::size_t selectedHidden = 0; // of them, hidden by the filter
    bool otherTeam = false;         // its rows are shown
    std::string otherTeamName;      // "Tangos"
};
TableFacts tableFacts(const ClassRoster &roster, const TableRows &rows);

// What changed from before to now, said in one line: the sort ("Sorted by
// Health, highest first", "In file order"), the other team's rows, the
// count of rows after the filter changed, the count of selected classes
// where more than one was or is selected. Empty where nothing of it changed.
std::string tableChangeAnnouncement(const TableFacts &before, const TableFacts &now);

// Change Selected Classes: the column and the classes it changes, "Change
// Health of 2 classes: Marksman and Breacher", the first three by name.
std::string bulkChangeHeading(std::string_view column, std::span<const std::string> classes);
// "now 100", "now (different)", "now empty".
std::string nowAnnouncement(std::string_view now);
// Enter where Change cannot be pressed: "Change is unavailable: " and why.
std::string unavailableChangeAnnouncement(std::string_view why);

// A list's entry with its place among the entries shown: "3  Combat Medic,
// 1 of 2".
std::string entryAnnouncement(std::string_view entry, int position, int count);
// "2 of 7 classes".
std::string classCountText(std::size_t shown, std::size_t all);

} // namespace tolvane
