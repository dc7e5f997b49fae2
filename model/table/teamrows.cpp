#include "teamrows.h"

#include "classroster.h"
#include "tablecolumns.h"

#include <algorithm>

namespace tolvane {

int teamColumn()
{
    return int(tableColumns().size());
}

TableBaseline tableBaseline(std::span<const ClassRecord> baseline, std::span<const ClassRecord> ours)
{
    TableBaseline marked{diffClasses(baseline, ours), {}};
    marked.marks = baselineMarks(marked.differences, ours.size());
    return marked;
}

std::vector<int> TableRows::all() const
{
    std::vector<int> rows;
    for (int slot = 0; slot < rosterSize(*state); ++slot)
        rows.push_back(slot);
    for (std::size_t position = 0; position < other.size() && position < std::size_t(tableSlotCount); ++position)
        rows.push_back(otherTeamRows + int(position));
    return rows;
}

bool TableRows::has(int row) const
{
    return row >= 0
           && (isOtherTeamRow(row)
                   ? std::size_t(row - otherTeamRows) < std::min<std::size_t>(other.size(), tableSlotCount)
                   : row < rosterSize(*state));
}

const ClassRecord &TableRows::record(int row) const
{
    return isOtherTeamRow(row) ? other[std::size_t(row - otherTeamRows)] : state->table.records[std::size_t(row)];
}

RowFacts TableRows::facts(int row) const
{
    const TableBaseline *marked = baselineOf(row);
    return {teamOf(row), marked && marked->marks.changedSince(positionOf(row))};
}

std::optional<std::string> TableRows::baselineValue(int row, const ClassValue &value) const
{
    const TableBaseline *marked = baselineOf(row);
    if (!marked)
        return std::nullopt;
    for (const ChangedClass &changed : marked->differences.changed) {
        if (std::size_t(changed.pair.second) != positionOf(row))
            continue;
        for (const ValueChange &change : changed.changes) {
            if (change.value == value)
                return change.before.value_or("none");
        }
    }
    return std::nullopt;
}

std::string TableRows::label(int row) const
{
    const std::string name(record(row).classname.view());
    if (!isOtherTeamRow(row))
        return std::to_string(row) + "  " + name;
    return std::string(teamName(teamOf(row))) + ' ' + std::to_string(row - otherTeamRows) + "  " + name;
}

std::vector<std::optional<TeamSummaryRow>> teamSummaryByColumn(const TableRows &rows, std::span<const int> shown)
{
    std::vector<const ClassRecord *> ours, theirs;
    for (int row : shown)
        (isOtherTeamRow(row) ? theirs : ours).push_back(&rows.record(row));
    const std::vector<TeamSummaryRow> summary = teamSummary(ours, theirs);
    const std::vector<TableColumn> &columns = tableColumns();
    std::vector<std::optional<TeamSummaryRow>> byColumn(columns.size());
    for (std::size_t column = 0; column < columns.size(); ++column) {
        if (!columns[column].numeric())
            continue;
        const auto found = std::ranges::find(summary, columns[column].value, &TeamSummaryRow::value);
        if (found != summary.end())
            byColumn[column] = *found;
    }
    return byColumn;
}

} // namespace tolvane
