#include "editorsession.h"

#include <algorithm>

// Copy and paste between the class table and spreadsheets. Messages are
// UTF-8.

using namespace tolvane;

namespace {

// Enough lines of problems for a message box; the rest are counted.
constexpr std::size_t problemsShown = 10;

} // namespace

std::string EditorSession::copyTableCells(const TableGrid &grid) const
{
    return CopyCells(state().table.records, grid);
}

bool EditorSession::pasteTableCells(const TableGrid &grid, std::string_view text)
{
    FormValues form = view.form();
    storeIntoClass(form);
    refreshIndicators(form);
    const PastePlan plan = PlanPaste(state().table.records, grid, text);
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
        view.setStatus("Nothing changed: the cells already hold what was pasted");
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
    showTableChange(form, ApplyPaste(classes(), plan), plan.changedSlots);
    return true;
}
