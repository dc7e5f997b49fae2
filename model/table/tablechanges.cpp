#include "classtableediting.h"

#include "bulkchange.h"
#include "tablecolumns.h"

#include <algorithm>
#include <iterator>
#include <variant>

// Changes made in the class table: a cell, the selected classes at once,
// and copy and paste with spreadsheets. Messages are UTF-8.

namespace tolvane {

namespace {

// Enough lines of problems for a message box; the rest are counted.
constexpr std::size_t problemsShown = 10;

// "Seals 2, Tangos 3": the classes each of first and second changes, both
// of the session's documents.
std::string shareText(const EditorSession &session, const TableEdit &first, const TableEdit &second)
{
    return std::string(teamName(session.documentOf(0)->team())) + ' ' + std::to_string(first.changeCount()) + ", "
           + std::string(teamName(session.documentOf(1)->team())) + ' ' + std::to_string(second.changeCount());
}

} // namespace

void ClassTableEditing::editCell(int row, int column, std::string_view text)
{
    const int document = isOtherTeamRow(row) ? 1 : 0;
    const int slot = row - document * otherTeamRows;
    TeamDocument *edited = session.documentOf(document);
    if (!edited || slot < 0 || slot >= rosterSize(edited->state()) || column < 0
        || column >= int(tableColumns().size()))
        return;
    FormValues form = session.formView().form();
    session.store(form);
    const int slots[] = {slot};
    // The cell takes what the form's box for its value takes from the keyboard.
    const std::string typed = typedIntoCell(tableColumns()[std::size_t(column)],
                                            edited->state().table.records[std::size_t(slot)], text);
    showChange(form, changeClasses(edited->classes(), column, BulkChange{BulkChange::Kind::Set, typed}, slots),
               document, {slot});
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
    // The classes of each document, in file order.
    const TableRows tableRows = rows();
    std::vector<int> slots[2];
    for (int row : rowsToChange())
        slots[isOtherTeamRow(row) ? 1 : 0].push_back(row - (isOtherTeamRow(row) ? otherTeamRows : 0));
    const std::size_t count = slots[0].size() + slots[1].size();
    std::ptrdiff_t hidden = 0;
    for (int document = 0; document < 2; ++document)
        hidden += std::ranges::count_if(slots[document], [&](int slot) {
            const int row = slot + document * otherTeamRows;
            return !classRoster.filter().matches(tableRows.record(row), tableRows.facts(row));
        });
    if (hidden > 0) {
        const std::string question = "Change " + utf8Of(of.title) + " on " + std::to_string(count)
                                     + (count == 1 ? " class? It is"
                                                   : " classes? " + std::to_string(hidden) + " of them are")
                                     + " hidden by the filter.";
        if (session.questions().ask({question, Questions::Choices::YesNo, Questions::Answer::No})
            != Questions::Answer::Yes)
            return false;
    }
    FormValues form = session.formView().form();
    session.store(form);
    std::optional<TableEdit> steps[2];
    for (int document = 0; document < 2; ++document) {
        if (!slots[document].empty())
            steps[document] = changeClasses(session.documentOf(document)->classes(), column, std::get<BulkChange>(read),
                                            slots[document]);
    }
    if (!steps[0] && !steps[1]) {
        session.formView().setStatus("Nothing changed: every class already has that " + utf8Of(of.title));
        session.refreshIndicators(form);
        return false;
    }
    if (steps[0] && steps[1]) {
        // One step over both teams, named with each team's share.
        // "Change Class Speed on 5 classes (Seals 2, Tangos 3)".
        const std::string name = "Change " + of.title + " on "
                                 + std::to_string(steps[0]->changeCount() + steps[1]->changeCount()) + " classes ("
                                 + shareText(session, *steps[0], *steps[1]) + ')';
        std::vector<std::pair<int, TableEdit>> edits;
        edits.emplace_back(0, std::move(*steps[0]));
        edits.emplace_back(1, std::move(*steps[1]));
        session.history().addJoint(name, std::move(edits));
        session.formView().setStatus("Changed: " + utf8Of(name));
        session.show(form);
        return true;
    }
    const int document = steps[0] ? 0 : 1;
    showChange(form, std::move(steps[document]), document, slots[document]);
    return true;
}

// Each chosen class goes to the team it is not of: with rows of both teams
// chosen, each team's go to the other, in one step.
bool ClassTableEditing::copyToOtherTeam()
{
    std::vector<int> chosen = rowsToChange();
    if (!showsOtherTeam()) {
        showOtherTeam(true);
        if (!showsOtherTeam())
            return false;
    }
    FormValues form = session.formView().form();
    session.store(form);
    const TableRows tableRows = rows();
    std::vector<ClassRecord> copies[2]; // into each document
    std::string names[2];
    for (int row : chosen) {
        const int into = isOtherTeamRow(row) ? 0 : 1;
        copies[into].push_back(tableRows.record(row));
        names[into] += (names[into].empty() ? "" : ", ") + std::string(tableRows.record(row).classname.view());
    }
    std::vector<std::pair<int, TableEdit>> edits;
    std::string stepName, said;
    for (int into = 0; into < 2; ++into) {
        if (copies[into].empty())
            continue;
        TeamDocument &document = *session.documentOf(into);
        const std::string team(teamName(document.team()));
        const int first = rosterSize(document.state());
        std::optional<TableEdit> step = appendClasses(document.classes(), "", copies[into]);
        if (!step) {
            session.questions().tell({Questions::Icon::Warning, "Copy to Other Team",
                                      "The " + team + "' table has room for " + std::to_string(tableSlotCount - first)
                                          + " more classes, not for the " + std::to_string(copies[into].size())
                                          + " copied: " + utf8Of(names[into]) + ".\nThey are not copied."});
            continue;
        }
        edits.emplace_back(into, std::move(*step));
        const std::string where = "to the " + team + " as " + (copies[into].size() == 1 ? "class " : "classes ")
                                  + std::to_string(first)
                                  + (copies[into].size() == 1
                                         ? std::string()
                                         : "-" + std::to_string(first + int(copies[into].size()) - 1));
        stepName += (stepName.empty() ? "Copy " : "; ") + names[into] + " to the " + team;
        said += (said.empty() ? "Copied " : "; ") + utf8Of(names[into]) + ' ' + where;
    }
    if (edits.empty()) {
        session.refreshIndicators(form);
        return false;
    }
    session.history().addJoint(stepName, std::move(edits));
    session.formView().setStatus(said);
    session.show(form);
    return true;
}

std::vector<int> ClassTableEditing::rowsToChange() const
{
    std::vector<int> chosen;
    std::ranges::copy_if(rows().all(), std::back_inserter(chosen),
                         [this](int row) { return classRoster.selected(row); });
    if (chosen.empty())
        chosen.push_back(formRow());
    return chosen;
}

void ClassTableEditing::showChange(FormValues &form, std::optional<TableEdit> step, int document,
                                   const std::vector<int> &slots)
{
    if (step) {
        session.history().add(std::move(*step), document);
        session.formView().setStatus("Changed: " + utf8Of(session.history().undoName()));
    }
    if (document == session.formDocument()
        && std::ranges::find(slots, session.document().state().currentIndex) != slots.end())
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
    const TableRows tableRows = rows();
    TableGrid cells = grid;
    cells.readOnly.resize(cells.rows.size());
    for (std::size_t i = 0; i < cells.rows.size(); ++i)
        cells.readOnly[i] = cells.readOnly[i] || !tableRows.has(cells.rows[i]);
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
    const std::string leftText = plan.readOnlyLeft ? "the cells of rows that cannot change are left as they are" : "";
    if (plan.changedSlots.empty()) {
        session.formView().setStatus("Nothing changed: "
                                     + (leftText.empty() ? "the cells already hold what was pasted" : leftText)
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
    // Each team's share of the rows, as slots of its document.
    PastePlan shares[2];
    for (std::size_t i = 0; i < plan.changedSlots.size(); ++i) {
        const int document = isOtherTeamRow(plan.changedSlots[i]) ? 1 : 0;
        shares[document].changedSlots.push_back(plan.changedSlots[i] - document * otherTeamRows);
        shares[document].records.push_back(plan.records[i]);
    }
    std::optional<TableEdit> steps[2];
    for (int document = 0; document < 2; ++document) {
        if (!shares[document].changedSlots.empty())
            steps[document] = applyPaste(session.documentOf(document)->classes(), shares[document]);
    }
    std::string status;
    if (steps[0] && steps[1]) {
        const std::string on = plan.changedSlots.size() <= namedClasses
                                   ? pastedClassNames(plan)
                                   : std::to_string(plan.changedSlots.size()) + " classes";
        const std::string name = "Paste on " + on + " (" + shareText(session, *steps[0], *steps[1]) + ')';
        std::vector<std::pair<int, TableEdit>> edits;
        edits.emplace_back(0, std::move(*steps[0]));
        edits.emplace_back(1, std::move(*steps[1]));
        session.history().addJoint(name, std::move(edits));
        session.show(form);
        status = "Changed: " + pasteReport(utf8Of(name), plan);
    } else {
        const int document = steps[0] ? 0 : 1;
        showChange(form, std::move(steps[document]), document, shares[document].changedSlots);
        status = "Changed: " + pasteReport(utf8Of(session.history().undoName()), plan);
    }
    if (!leftText.empty())
        status += "; " + leftText;
    session.formView().setStatus(status);
    return true;
}

} // namespace tolvane
