#include "editorsession.h"

#include <algorithm>
#include <set>

// Copy and paste between the class table and spreadsheets. Messages are
// UTF-8.

namespace tolvane {

namespace {

// Enough lines of problems for a message box; the rest are counted.
constexpr std::size_t problemsShown = 10;

// The rows of the selected cells (or the current one) that may not change.
int readOnlyTargets(const TableGrid &grid)
{
    std::set<int> rows;
    for (const TableGrid::Cell &cell : grid.selected)
        rows.insert(cell.row);
    if (rows.empty())
        rows.insert(grid.current.row);
    return int(std::ranges::count_if(rows, [&](int row) {
        return row >= 0 && std::size_t(row) < grid.readOnly.size() && grid.readOnly[std::size_t(row)];
    }));
}

} // namespace

// The classes of the table's rows: the other team's too, which are copied
// as any and pasted into never.
const ClassRecord &EditorSession::tableRecord(int row) const
{
    return tableClasses().record(row);
}

std::string EditorSession::copyTableCells(const TableGrid &grid) const
{
    return CopyCells([this](int row) -> const ClassRecord & { return tableRecord(row); }, grid);
}

bool EditorSession::pasteTableCells(const TableGrid &shown, std::string_view text)
{
    FormValues form = view.form();
    storeIntoClass(form);
    refreshIndicators(form);
    const TableRows rows = tableClasses();
    TableGrid grid = shown;
    grid.readOnly.clear();
    for (int row : grid.rows)
        grid.readOnly.push_back(rows.readOnly(row) || !rows.has(row));
    const int skipped = readOnlyTargets(grid);
    const PastePlan plan = PlanPaste([this](int row) -> const ClassRecord & { return tableRecord(row); }, grid, text);
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
        view.setStatus(skipped > 0 ? "Nothing changed: " + readOnlyText()
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
    std::optional<TableEdit> step = ApplyPaste(classes(), plan);
    const std::string name = step ? utf8Of(step->name()) : std::string();
    showTableChange(form, std::move(step), plan.changedSlots);
    if (skipped > 0)
        view.setStatus("Changed: " + name + leftAsTheyAre(skipped));
    return true;
}

} // namespace tolvane
