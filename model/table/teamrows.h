#pragma once

#include "classdata/compare/classcompare.h"
#include "classdata/compare/classdiff.h"
#include "rosterfilter.h"
#include "model/compare/teamviews.h"

#include <optional>
#include <span>
#include <string>
#include <vector>

namespace tolvane {

// The class table's rows are numbers: a slot of the classes in memory, or,
// from otherTeamRows on, a class of the other team at its position in the
// other team's file.
inline constexpr int otherTeamRows = tableSlotCount;
constexpr bool isOtherTeamRow(int row)
{
    return row >= otherTeamRows;
}

// The Team column, after the columns of tableColumns().
int teamColumn();

// The classes in memory against a baseline file, as the class table marks
// them.
struct TableBaseline
{
    ClassDifferences differences;
    BaselineMarks marks;
};
TableBaseline tableBaseline(std::span<const ClassRecord> baseline, std::span<const ClassRecord> ours);

// What the class table has rows for: the classes in memory, the other
// team's classes when it shows them (read only: they are the other file's,
// never edited or written here), and the marks of each team's own baseline.
struct TableRows
{
    const EditorState *state = nullptr;
    Team team = Team::Seals; // of the classes in memory
    std::span<const ClassRecord> other = {};
    const TableBaseline *baseline = nullptr;      // of the classes in memory
    const TableBaseline *otherBaseline = nullptr; // of the other team's classes

    // Every row: the classes in memory, then the other team's, each in
    // file order.
    std::vector<int> all() const;
    bool has(int row) const;
    const ClassRecord &record(int row) const;
    Team teamOf(int row) const { return isOtherTeamRow(row) ? otherTeam(team) : team; }
    bool readOnly(int row) const { return isOtherTeamRow(row); }
    RowFacts facts(int row) const;
    // Whether the value of row's class differs from the class of its team's
    // baseline it is matched with, and that class's value ("100"; "none" for
    // a value the baseline's class has no line of).
    std::optional<std::string> baselineValue(int row, const ClassValue &value) const;
    // "Tangos 3  Sniper" for the other team, "3  Sniper" for the classes in
    // memory.
    std::string label(int row) const;

private:
    // The baseline of row's team, and row's position among its team's classes.
    const TableBaseline *baselineOf(int row) const { return isOtherTeamRow(row) ? otherBaseline : baseline; }
    static std::size_t positionOf(int row) { return std::size_t(isOtherTeamRow(row) ? row - otherTeamRows : row); }
};

// The summary under the table for both teams: per column (the index of
// tableColumns()), each team's spread over the rows given, and the
// difference of the means (the other team's less the team in memory's);
// nullopt for columns that are not numeric.
std::vector<std::optional<TeamSummaryRow>> teamSummaryByColumn(const TableRows &rows, std::span<const int> shown);

} // namespace tolvane
