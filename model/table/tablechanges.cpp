#include "classtableediting.h"

#include "bulkchange.h"
#include "tablecolumns.h"

#include <algorithm>
#include <variant>

// Changes made in the class table: a cell, the selected classes at once,
// and copy and paste with spreadsheets. Messages are UTF-8.

namespace tolvane {

namespace {

// Enough lines of problems for a message box; the rest are counted.
constexpr std::size_t problemsShown = 10;

} // namespace

void ClassTableEditing::editCell(int slot, int column, std::string_view text)
{
    if (rows().readOnly(slot)) {
        session.formView().setStatus("Nothing changed: " + readOnlyText());
        return;
    }
    if (slot < 0 || slot >= rosterSize(session.document().state()) || column < 0
        || column >= int(tableColumns().size()))
        return;
    FormValues form = session.formView().form();
    session.store(form);
    const int slots[] = {slot};
    // The cell takes what the form's box for its value takes from the keyboard.
    const std::string typed = typedIntoCell(tableColumns()[std::size_t(column)],
                                            session.document().state().table.records[std::size_t(slot)], text);
    showChange(form,
               changeClasses(session.document().classes(), column, BulkChange{BulkChange::Kind::Set, typed}, slots),
               {slot});
}

bool ClassTableEditing::changeSelectedClasses(int column, std::string_view typed)
{
    if (column < 0 || column >= int(tableColumns().size()))
        return false;
    const TableColumn &of = tableColumns()[std::size_t(column)];
    const std::variant<BulkChange, std::string> read = readBulkChange(of, typed);
    if (const auto *why = std::get_if<std::string>(&read)) {
        session.formView().setStatus("Nothing changed: " + utf8Of(*why));
        return false;
    }
    std::vector<int> slots = classRoster.selectedRows(session.document().state());
    const int skipped = classRoster.selectedOtherRows();
    if (slots.empty() && skipped > 0) {
        session.formView().setStatus("Nothing changed: " + readOnlyText());
        return false;
    }
    if (slots.empty())
        slots.push_back(session.document().state().currentIndex);
    const TableRows tableRows = rows();
    const auto hidden = std::ranges::count_if(
        slots, [&](int slot) { return !classRoster.filter().matches(tableRows.record(slot), tableRows.facts(slot)); });
    if (hidden > 0) {
        const std::string question = "Change " + utf8Of(of.title) + " on " + std::to_string(slots.size())
                                     + (slots.size() == 1 ? " class? It is"
                                                          : " classes? " + std::to_string(hidden) + " of them are")
                                     + " hidden by the filter.";
        if (session.questions().ask({question, Questions::Choices::YesNo, Questions::Answer::No})
            != Questions::Answer::Yes)
            return false;
    }
    FormValues form = session.formView().form();
    session.store(form);
    std::optional<TableEdit> step = changeClasses(session.document().classes(), column, std::get<BulkChange>(read),
                                                  slots);
    if (!step)
        session.formView().setStatus("Nothing changed: every class already has that " + utf8Of(of.title));
    const bool changed = step.has_value();
    const std::string name = changed ? utf8Of(step->name()) : std::string();
    showChange(form, std::move(step), slots);
    if (changed && skipped > 0)
        session.formView().setStatus("Changed: " + name + "; " + std::to_string(skipped) + " selected of the "
                                     + std::string(teamName(otherTeam(session.document().team())))
                                     + "' classes left as they are (read only)");
    return changed;
}

void ClassTableEditing::showChange(FormValues &form, std::optional<TableEdit> step, const std::vector<int> &slots)
{
    if (step) {
        session.formView().setStatus("Changed: " + utf8Of(step->name()));
        session.history().add(std::move(step));
    }
    if (std::ranges::find(slots, session.document().state().currentIndex) != slots.end())
        session.show(form);
    session.refreshIndicators(form);
}

std::string ClassTableEditing::copy(const TableGrid &grid) const
{
    const TableRows tableRows = rows();
    return copyCells([&tableRows](int row) -> const ClassRecord & { return tableRows.record(row); }, grid);
}

bool ClassTableEditing::paste(const TableGrid &grid, std::string_view text)
{
    FormValues form = session.formView().form();
    session.store(form);
    session.refreshIndicators(form);
    // The other team's rows are read only.
    const TableRows tableRows = rows();
    TableGrid cells = grid;
    cells.readOnly.resize(cells.rows.size());
    for (std::size_t i = 0; i < cells.rows.size(); ++i)
        cells.readOnly[i] = cells.readOnly[i] || !tableRows.has(cells.rows[i]) || tableRows.readOnly(cells.rows[i]);
    const PastePlan plan = planPaste([&tableRows](int row) -> const ClassRecord & { return tableRows.record(row); },
                                     cells, text);
    if (!plan.problems.empty()) {
        std::string lines;
        for (std::size_t i = 0; i < std::min(plan.problems.size(), problemsShown); ++i)
            lines += plan.problems[i] + '\n';
        if (plan.problems.size() > problemsShown)
            lines += "and " + std::to_string(plan.problems.size() - problemsShown) + " more\n";
        session.questions().tell({Questions::Icon::Warning, "Paste",
                                  "The cells cannot be pasted:\n" + lines + "\nThe classes are unchanged."});
        return false;
    }
    if (plan.changedSlots.empty()) {
        session.formView().setStatus((plan.readOnlyLeft ? "Nothing changed: " + readOnlyText()
                                                        : "Nothing changed: the cells already hold what was pasted")
                                     + notPastedReport(plan));
        return false;
    }
    if (plan.changedSlots.size() > 1) {
        const std::string question = "Paste " + std::to_string(plan.cells) + " values into "
                                     + std::to_string(plan.changedSlots.size()) + " classes?";
        if (session.questions().ask({question, Questions::Choices::YesNo, Questions::Answer::No})
            != Questions::Answer::Yes) {
            session.formView().setStatus("Nothing pasted");
            return false;
        }
    }
    std::optional<TableEdit> step = applyPaste(session.document().classes(), plan);
    std::string status = "Changed: " + pasteReport(*step, plan);
    if (plan.readOnlyLeft)
        status += "; the cells of the " + std::string(teamName(otherTeam(session.document().team())))
                  + "' classes are left as they are (read only)";
    showChange(form, std::move(step), plan.changedSlots);
    session.formView().setStatus(status);
    return true;
}

} // namespace tolvane
