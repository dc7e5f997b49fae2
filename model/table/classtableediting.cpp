#include "classtableediting.h"

#include "tablecolumns.h"

#include "classdata/format/classfilereader.h"
#include "classdata/format/itemcatalogue.h"
#include "model/rules/standingproblems.h"

#include <algorithm>

namespace tolvane {

namespace {

// The columns a problem concerns: those it names, its key's, every ability
// for the bit set as a whole, an item's, or the inventory for a line no item has.
std::vector<int> problemColumns(const Problem &problem)
{
    if (!problem.columns.empty())
        return problem.columns;
    if (problem.field == "inventory") {
        const std::string id = problem.item >= 0
                                   ? "item " + std::string(itemCatalogue[std::size_t(problem.item)].internalName)
                                   : "inventory";
        return {columnOfId(id)};
    }
    std::vector<int> columns;
    const std::vector<TableColumn> &all = tableColumns();
    for (std::size_t i = 0; i < all.size(); ++i) {
        const bool ability = all[i].kind == ColumnKind::Tick && problem.field == "classabilities";
        if (ability || all[i].id == problem.field)
            columns.push_back(int(i));
    }
    return columns;
}

} // namespace

ClassTableEditing::ClassTableEditing(EditorSession &session, TableView &view) : session(session), view(view)
{
    session.addListener(*this);
}

TableRows ClassTableEditing::rows() const
{
    const TeamDocument &active = *session.documentOf(0);
    TableRows rows{&active.state(), active.team()};
    if (const TeamDocument *other = session.documentOf(1))
        rows.other = std::span(other->state().table.records.data(), std::size_t(rosterSize(other->state())));
    if (baselineShown)
        rows.baseline = &*baselineShown;
    if (otherBaselineShown)
        rows.otherBaseline = &*otherBaselineShown;
    return rows;
}

void ClassTableEditing::showOtherTeam(bool on)
{
    classRoster.select({});
    const std::string problem = session.showOtherTeam(on);
    if (!problem.empty())
        session.questions().tell(
            {Questions::Icon::Warning, "Show Other Team",
             problem
                 + (on ? "\nThe class table shows the " + std::string(teamName(session.documentOf(0)->team()))
                             + "' classes alone."
                       : "\nThe class table still shows them.")});
}

// The marks of each team's own baseline follow the classes as they stand;
// the baselines are kept with the active team's document.
void ClassTableEditing::classesShown(const FormValues &form)
{
    const TeamDocument &active = *session.documentOf(0);
    const TeamDocument *other = session.documentOf(1);
    baselineShown.reset();
    otherBaselineShown.reset();
    const auto classesOf = [&](const TeamDocument &document) {
        return document.classesWith(session.formDocument() == (&document == &active ? 0 : 1) ? &form : nullptr);
    };
    if (const std::optional<ClassesOnDisk> &baseline = active.baseline(active.team()))
        baselineShown = tableBaseline(baseline->classes, classesOf(active));
    if (const std::optional<ClassesOnDisk> &baseline = active.baseline(otherTeam(active.team())); other && baseline)
        otherBaselineShown = tableBaseline(baseline->classes, classesOf(*other));
    view.showClassTable(utf8Of(classRoster.countText(rows())));
}

std::string ClassTableEditing::tableChangesToSay()
{
    TableFacts now = tableFacts(classRoster, rows());
    const std::string text = tableChangeAnnouncement(said, now);
    said = std::move(now);
    return text;
}

void ClassTableEditing::chooseRow(int row)
{
    if (row == formRow())
        return;
    FormValues form = session.formView().form();
    const int document = isOtherTeamRow(row) ? 1 : 0;
    session.moveTo(form, document, row - document * otherTeamRows);
}

int ClassTableEditing::formRow() const
{
    return session.document().state().currentIndex + session.formDocument() * otherTeamRows;
}

bool ClassTableEditing::hidesFormClass() const
{
    const int row = formRow();
    const TableRows tableRows = rows();
    return tableRows.has(row) && !classRoster.filter().matches(tableRows.record(row), tableRows.facts(row));
}

std::string ClassTableEditing::titleNote() const
{
    return hidesFormClass() ? " (hidden by the class table's filter)" : "";
}

void ClassTableEditing::filter(std::string_view text)
{
    classRoster.setFilter(text);
    session.refreshIndicators(session.formView().form());
}

void ClassTableEditing::sort(int column, SortOrder order)
{
    if (column >= 0 && column <= teamColumn())
        classRoster.sortBy(column, order);
    session.refreshIndicators(session.formView().form());
}

void ClassTableEditing::fileOrder()
{
    classRoster.fileOrder();
    session.refreshIndicators(session.formView().form());
}

void ClassTableEditing::selectRows(std::span<const int> slots)
{
    classRoster.select(slots);
    session.refreshIndicators(session.formView().form());
}

void ClassTableEditing::selectAllShown()
{
    selectRows(shownRows());
}

void ClassTableEditing::selectAllClasses()
{
    std::vector<int> all(std::size_t(rosterSize(session.document().state())));
    for (std::size_t i = 0; i < all.size(); ++i)
        all[i] = int(i);
    selectRows(all);
}

std::vector<ClassTableEditing::CellProblem> ClassTableEditing::cellProblems() const
{
    std::vector<CellProblem> cells;
    const FormValues form = session.formView().form();
    for (int number = 0; number < 2; ++number) {
        const TeamDocument *document = session.documentOf(number);
        if (!document)
            continue;
        const std::vector<ClassRecord> classes = document->classesWith(number == session.formDocument() ? &form
                                                                                                        : nullptr);
        for (const Problem &problem : standingProblems(session, number, classes)) {
            if (problem.classIndex < 0)
                continue;
            for (int column : problemColumns(problem))
                cells.push_back({problem.classIndex + number * otherTeamRows, column, problem.textByKeys()});
        }
    }
    return cells;
}

} // namespace tolvane
