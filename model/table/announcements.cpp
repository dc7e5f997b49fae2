#include "announcements.h"

#include "classdata/text/windows1252.h"
#include "tablecolumns.h"
#include "teamrows.h"

#include <algorithm>

namespace tolvane {

namespace {

// How many classes Change Selected Classes names before it counts the rest.
constexpr std::size_t namedClasses = 3;

std::string countOf(std::size_t count, std::string_view one, std::string_view many)
{
    return std::to_string(count) + ' ' + std::string(count == 1 ? one : many);
}

std::string sortAnnouncement(const TableFacts &facts)
{
    if (!facts.sortColumn)
        return "In file order";
    const int column = *facts.sortColumn;
    const bool known = column >= 0 && column < int(tableColumns().size());
    const ColumnKind kind = known ? tableColumns()[std::size_t(column)].kind : ColumnKind::Text;
    const bool up = facts.order == SortOrder::Ascending;
    const char *words = up ? "A to Z" : "Z to A";
    if (kind == ColumnKind::Tick)
        words = up ? "no first" : "yes first";
    else if (kind != ColumnKind::Text && kind != ColumnKind::StartingWeapon && kind != ColumnKind::Inventory)
        words = up ? "lowest first" : "highest first";
    const std::string title = known ? tableColumns()[std::size_t(column)].title : "Team";
    return "Sorted by " + title + ", " + words;
}

std::string selectionAnnouncement(const TableFacts &facts)
{
    std::string text = facts.selected == 0 ? std::string("No class") : countOf(facts.selected, "class", "classes");
    text += " selected";
    if (facts.selectedHidden > 0)
        text += ", " + std::to_string(facts.selectedHidden) + " of them hidden by the filter";
    return text;
}

} // namespace

std::string valueAnnouncement(std::string_view name, std::string_view value)
{
    return std::string(name) + ' ' + std::string(value.empty() ? "empty" : value);
}

std::string cellAnnouncement(const CellFacts &cell)
{
    std::string text = cell.row + ", " + cell.column + ", " + (cell.value.empty() ? "empty" : cell.value);
    if (!cell.problem.empty())
        text += ", " + cell.problem;
    if (cell.readOnly)
        text += ", read only";
    return text;
}

TableFacts tableFacts(const ClassRoster &roster, const TableRows &rows)
{
    TableFacts facts{.sortColumn = roster.sortedBy(),
                     .order = roster.order(),
                     .filter = utf8Of(roster.filterText()),
                     .count = utf8Of(roster.countText(rows)),
                     .otherTeam = !rows.other.empty(),
                     .otherTeamName = std::string(teamName(otherTeam(rows.team)))};
    for (int row : rows.all()) {
        if (!roster.selected(row))
            continue;
        ++facts.selected;
        if (!roster.filter().matches(rows.record(row), rows.facts(row)))
            ++facts.selectedHidden;
    }
    return facts;
}

std::string tableChangeAnnouncement(const TableFacts &before, const TableFacts &now)
{
    std::vector<std::string> said;
    const bool teamChanged = before.otherTeam != now.otherTeam;
    if (teamChanged)
        said.push_back("The " + now.otherTeamName + "' classes " + (now.otherTeam ? "shown" : "hidden"));
    if (before.sortColumn != now.sortColumn || (now.sortColumn && before.order != now.order))
        said.push_back(sortAnnouncement(now));
    const bool countSaid = teamChanged || before.filter != now.filter;
    if (countSaid)
        said.push_back(now.count);
    // The count names a selection of more than one class itself.
    const bool selectionChanged = before.selected != now.selected || before.selectedHidden != now.selectedHidden;
    if (selectionChanged && (before.selected > 1 || now.selected > 1) && !(countSaid && now.selected > 1))
        said.push_back(selectionAnnouncement(now));
    std::string text;
    for (const std::string &part : said)
        text += (text.empty() ? "" : "; ") + part;
    return text;
}

std::string bulkChangeHeading(std::string_view column, std::span<const std::string> classes)
{
    const std::size_t named = std::min(classes.size(), namedClasses);
    std::string names;
    for (std::size_t i = 0; i < named; ++i) {
        const bool last = i + 1 == named && named == classes.size();
        names += (i == 0 ? "" : last ? " and " : ", ") + classes[i];
    }
    if (named < classes.size())
        names += " and " + std::to_string(classes.size() - named) + " more";
    return "Change " + std::string(column) + " of " + countOf(classes.size(), "class", "classes") + ": " + names;
}

std::string nowAnnouncement(std::string_view now)
{
    return "now " + std::string(now.empty() ? "empty" : now);
}

std::string unavailableChangeAnnouncement(std::string_view why)
{
    return "Change is unavailable: " + std::string(why);
}

std::string entryAnnouncement(std::string_view entry, int position, int count)
{
    return std::string(entry) + ", " + std::to_string(position) + " of " + std::to_string(count);
}

std::string classCountText(std::size_t shown, std::size_t all)
{
    return std::to_string(shown) + " of " + countOf(all, "class", "classes");
}

} // namespace tolvane
