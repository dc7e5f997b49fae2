#include "model/session/editorsession.h"

#include <algorithm>

// Copy and paste between the class table and spreadsheets. Messages are
// UTF-8.

namespace tolvane {

namespace {

// Enough lines of problems for a message box; the rest are counted.
constexpr std::size_t problemsShown = 10;

} // namespace

std::string EditorSession::copyTableCells(const TableGrid &grid) const
{
    const TableRows rows = tableClasses();
    return copyCells([&rows](int row) -> const ClassRecord & { return rows.record(row); }, grid);
}

bool EditorSession::pasteTableCells(const TableGrid &grid, std::string_view text)
{
    FormValues form = view.form();
    storeIntoClass(form);
    refreshIndicators(form);
    // The other team's rows are read only.
    const TableRows rows = tableClasses();
    TableGrid cells = grid;
    cells.readOnly.resize(cells.rows.size());
    for (std::size_t i = 0; i < cells.rows.size(); ++i)
        cells.readOnly[i] = cells.readOnly[i] || !rows.has(cells.rows[i]) || rows.readOnly(cells.rows[i]);
    const PastePlan plan = planPaste([&rows](int row) -> const ClassRecord & { return rows.record(row); }, cells, text);
    if (!plan.problems.empty()) {
        std::string lines;
        for (std::size_t i = 0; i < std::min(plan.problems.size(), problemsShown); ++i)
            lines += plan.problems[i] + '\n';
        if (plan.problems.size() > problemsShown)
            lines += "and " + std::to_string(plan.problems.size() - problemsShown) + " more\n";
        view.tell({EditorView::Icon::Warning, "Paste",
                   "The cells cannot be pasted:\n" + lines + "\nThe classes are unchanged."});
        return false;
    }
    if (plan.changedSlots.empty()) {
        view.setStatus(plan.readOnlyLeft ? "Nothing changed: " + readOnlyText()
                                         : "Nothing changed: the cells already hold what was pasted");
        return false;
    }
    if (plan.changedSlots.size() > 1) {
        const std::string question = "Paste " + std::to_string(plan.cells) + " values into "
                                     + std::to_string(plan.changedSlots.size()) + " classes?";
        if (view.ask({question, EditorView::Choices::YesNo, EditorView::Answer::No}) != EditorView::Answer::Yes) {
            view.setStatus("Nothing pasted");
            return false;
        }
    }
    std::optional<TableEdit> step = applyPaste(classes(), plan);
    const std::string name = step->name();
    showTableChange(form, std::move(step), plan.changedSlots);
    if (plan.readOnlyLeft)
        view.setStatus("Changed: " + utf8Of(name) + "; the cells of the "
                       + std::string(teamName(otherTeam(classesTeam())))
                       + "' classes are left as they are (read only)");
    return true;
}

} // namespace tolvane
