#include "model/session/editorsession.h"

#include "bulkchange.h"
#include "classdata/format/itemcatalogue.h"
#include "tablecolumns.h"

#include <algorithm>
#include <variant>

// The class table: another view of the same classes. Choosing a row moves the
// form there; a change in the table stores the form first and is a step of
// its own, as a change in the form is.

namespace tolvane {

namespace {

// The columns a problem concerns: its key's, every ability for the bit set
// as a whole, an item's, or the inventory for a line no item has.
std::vector<int> problemColumns(const Problem &problem)
{
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

void EditorSession::chooseTableRow(int slot)
{
    // The other team's classes are not in memory: the form stays.
    if (slot != state().currentIndex && !isOtherTeamRow(slot)) {
        FormValues form = view.form();
        moveTo(form, goToTarget(state(), slot));
    }
}

void EditorSession::editTableCell(int slot, int column, std::string_view text)
{
    if (tableClasses().readOnly(slot)) {
        view.setStatus("Nothing changed: " + readOnlyText());
        return;
    }
    if (slot < 0 || slot >= rosterSize(state()) || column < 0 || column >= int(tableColumns().size()))
        return;
    FormValues form = view.form();
    storeIntoClass(form);
    const int slots[] = {slot};
    showTableChange(form, changeClasses(classes(), column, BulkChange{BulkChange::Kind::Set, std::string(text)}, slots),
                    {slot});
}

bool EditorSession::changeSelectedClasses(int column, std::string_view typed)
{
    if (column < 0 || column >= int(tableColumns().size()))
        return false;
    const TableColumn &of = tableColumns()[std::size_t(column)];
    const std::variant<BulkChange, std::string> read = readBulkChange(of, typed);
    if (const auto *why = std::get_if<std::string>(&read)) {
        view.setStatus("Nothing changed: " + utf8Of(*why));
        return false;
    }
    std::vector<int> slots = roster.selectedRows(state());
    const int skipped = roster.selectedOtherRows();
    if (slots.empty() && skipped > 0) {
        view.setStatus("Nothing changed: " + readOnlyText());
        return false;
    }
    if (slots.empty())
        slots.push_back(state().currentIndex);
    const TableRows rows = tableClasses();
    const auto hidden = std::ranges::count_if(
        slots, [&](int slot) { return !roster.filter().matches(rows.record(slot), rows.facts(slot)); });
    if (hidden > 0) {
        const std::string question = "Change " + utf8Of(of.title) + " on " + std::to_string(slots.size())
                                     + (slots.size() == 1 ? " class? It is"
                                                          : " classes? " + std::to_string(hidden) + " of them are")
                                     + " hidden by the filter.";
        if (view.ask({question, EditorView::Choices::YesNo, EditorView::Answer::No}) != EditorView::Answer::Yes)
            return false;
    }
    FormValues form = view.form();
    storeIntoClass(form);
    std::optional<TableEdit> step = changeClasses(classes(), column, std::get<BulkChange>(read), slots);
    if (!step)
        view.setStatus("Nothing changed: every class already has that " + utf8Of(of.title));
    const bool changed = step.has_value();
    const std::string name = changed ? utf8Of(step->name()) : std::string();
    showTableChange(form, std::move(step), slots);
    if (changed && skipped > 0)
        view.setStatus("Changed: " + name + "; " + std::to_string(skipped) + " selected of the "
                       + std::string(teamName(otherTeam(classesTeam()))) + "' classes left as they are (read only)");
    return changed;
}

void EditorSession::showTableChange(FormValues &form, std::optional<TableEdit> step, const std::vector<int> &slots)
{
    if (step) {
        view.setStatus("Changed: " + utf8Of(step->name()));
        record(std::move(step));
    }
    if (std::ranges::find(slots, state().currentIndex) != slots.end())
        showRecord(form);
    refreshIndicators(form);
}

void EditorSession::filterTable(std::string_view text)
{
    roster.setFilter(text);
    refreshIndicators();
}

void EditorSession::sortTable(int column, SortOrder order)
{
    if (column >= 0 && column <= teamColumn())
        roster.sortBy(column, order);
    refreshIndicators();
}

void EditorSession::tableInFileOrder()
{
    roster.fileOrder();
    refreshIndicators();
}

void EditorSession::selectTableRows(std::span<const int> slots)
{
    roster.select(slots);
    refreshIndicators();
}

std::string EditorSession::readOnlyText() const
{
    const std::string other(teamName(otherTeam(classesTeam())));
    return "the " + other + "' classes are shown from their file, read only; switch to the " + other
           + " to change them";
}

void EditorSession::selectAllShown()
{
    selectTableRows(tableRows());
}

void EditorSession::selectAllClasses()
{
    std::vector<int> all(std::size_t(rosterSize(state())));
    for (std::size_t i = 0; i < all.size(); ++i)
        all[i] = int(i);
    selectTableRows(all);
}

std::vector<EditorSession::CellProblem> EditorSession::tableProblems() const
{
    std::vector<CellProblem> cells;
    const FormValues form = view.form();
    for (const Problem &problem : fileProblems.current(classesToWrite(&form), classOrigins())) {
        if (problem.classIndex < 0)
            continue;
        for (int column : problemColumns(problem))
            cells.push_back({problem.classIndex, column, problem.text()});
    }
    return cells;
}

} // namespace tolvane
