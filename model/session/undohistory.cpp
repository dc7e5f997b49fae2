#include "undohistory.h"

#include <algorithm>
#include <utility>

namespace tolvane {

UndoHistory::UndoHistory(std::size_t limit) : limit(std::max<std::size_t>(limit, 1)) {}

void UndoHistory::add(TableEdit step)
{
    if (step.empty())
        return;
    if (saved && *saved > done)
        saved.reset();
    steps.erase(steps.begin() + std::ptrdiff_t(done), steps.end());
    steps.push_back(std::move(step));
    ++done;
    if (steps.size() > limit) {
        steps.pop_front();
        --done;
        if (saved)
            saved = *saved > 0 ? std::optional(*saved - 1) : std::nullopt;
    }
}

std::string_view UndoHistory::undoName() const
{
    return canUndo() ? std::string_view(steps[done - 1].name()) : std::string_view();
}

std::string_view UndoHistory::redoName() const
{
    return canRedo() ? std::string_view(steps[done].name()) : std::string_view();
}

bool UndoHistory::undo(EditedClasses classes)
{
    if (!canUndo())
        return false;
    steps[--done].undo(classes);
    return true;
}

bool UndoHistory::redo(EditedClasses classes)
{
    if (!canRedo())
        return false;
    steps[done++].redo(classes);
    return true;
}

void UndoHistory::clear()
{
    steps.clear();
    done = 0;
    saved = 0;
}

} // namespace tolvane
