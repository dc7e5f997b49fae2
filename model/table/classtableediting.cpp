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
    TableRows rows{&session.document().state(), session.document().team()};
    if (otherShown)
        rows.other = otherShown->classes;
    if (baselineShown)
        rows.baseline = &*baselineShown;
    if (otherShown && otherBaselineShown)
        rows.otherBaseline = &*otherBaselineShown;
    return rows;
}

void ClassTableEditing::showOtherTeam(bool on)
{
    otherShown.reset();
    classRoster.select({});
    if (on) {
        ClassesOnDisk read = otherTeamClasses(session);
        if (!read.problem.empty()) {
            session.questions().tell({Questions::Icon::Warning, "Show Other Team",
                                      read.problem + "\nThe class table shows the "
                                          + std::string(teamName(session.document().team())) + "' classes alone."});
        } else {
            otherShown = std::move(read);
            otherShownTeam = otherTeam(session.document().team());
        }
    }
    session.refreshIndicators(session.formView().form());
}

// The other team's rows follow a load or a team switch, when its file is
// another one, and the baseline's marks the classes as they stand.
void ClassTableEditing::classesShown(const FormValues &form)
{
    if (otherShown && otherShownTeam != otherTeam(session.document().team())) {
        ClassesOnDisk read = otherTeamClasses(session);
        otherShown.reset();
        classRoster.select({});
        if (read.problem.empty()) {
            otherShown = std::move(read);
            otherShownTeam = otherTeam(session.document().team());
        } else {
            session.formView().setStatus(read.problem);
        }
    }
    const TeamDocument &document = session.document();
    baselineShown.reset();
    otherBaselineShown.reset();
    if (const std::optional<ClassesOnDisk> &baseline = document.baseline(document.team()))
        baselineShown = tableBaseline(baseline->classes, document.classesWith(&form));
    if (const std::optional<ClassesOnDisk> &baseline = document.baseline(otherTeam(document.team()));
        otherShown && baseline)
        otherBaselineShown = tableBaseline(baseline->classes, otherShown->classes);
    view.showClassTable(utf8Of(classRoster.countText(rows())));
}

std::string ClassTableEditing::tableChangesToSay()
{
    TableFacts now = tableFacts(classRoster, rows());
    const std::string text = tableChangeAnnouncement(said, now);
    said = std::move(now);
    return text;
}

void ClassTableEditing::chooseRow(int slot)
{
    // The other team's classes are not in memory: the form stays.
    if (slot != session.document().state().currentIndex && !isOtherTeamRow(slot)) {
        FormValues form = session.formView().form();
        session.moveTo(form, goToTarget(session.document().state(), slot));
    }
}

bool ClassTableEditing::hidesFormClass() const
{
    const int slot = session.document().state().currentIndex;
    const TableRows tableRows = rows();
    return tableRows.has(slot) && !classRoster.filter().matches(tableRows.record(slot), tableRows.facts(slot));
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

std::string ClassTableEditing::readOnlyText() const
{
    const std::string other(teamName(otherTeam(session.document().team())));
    return "the " + other + "' classes are shown from their file, read only; switch to the " + other
           + " to change them";
}

std::vector<ClassTableEditing::CellProblem> ClassTableEditing::cellProblems() const
{
    std::vector<CellProblem> cells;
    const FormValues form = session.formView().form();
    for (const Problem &problem : standingProblems(session, session.document().classesWith(&form))) {
        if (problem.classIndex < 0)
            continue;
        for (int column : problemColumns(problem))
            cells.push_back({problem.classIndex, column, problem.textByKeys()});
    }
    return cells;
}

} // namespace tolvane
