#include "undohistory.h"

#include <algorithm>
#include <utility>

namespace tolvane {

UndoHistory::UndoHistory(std::size_t limit) : limit(std::max<std::size_t>(limit, 1)) {}

void UndoHistory::add(TableEdit step, int document)
{
    if (step.empty())
        return;
    std::string name = step.name() + documentNotes[std::size_t(document & 1)];
    std::vector<std::pair<int, TableEdit>> edits;
    edits.emplace_back(document, std::move(step));
    push({std::move(name), std::move(edits)});
}

void UndoHistory::addJoint(std::string name, std::vector<std::pair<int, TableEdit>> edits)
{
    std::erase_if(edits, [](const auto &edit) { return edit.second.empty(); });
    if (!edits.empty())
        push({std::move(name), std::move(edits)});
}

void UndoHistory::push(Step step)
{
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
    return canUndo() ? std::string_view(steps[done - 1].name) : std::string_view();
}

std::string_view UndoHistory::redoName() const
{
    return canRedo() ? std::string_view(steps[done].name) : std::string_view();
}

// The edits of a step are taken back in the reverse order they were done.
bool UndoHistory::undo(const ClassesOf &classesOf)
{
    if (!canUndo())
        return false;
    std::vector<std::pair<int, TableEdit>> &edits = steps[--done].edits;
    for (auto edit = edits.rbegin(); edit != edits.rend(); ++edit)
        edit->second.undo(classesOf(edit->first));
    return true;
}

bool UndoHistory::redo(const ClassesOf &classesOf)
{
    if (!canRedo())
        return false;
    for (auto &[document, edit] : steps[done++].edits)
        edit.redo(classesOf(document));
    return true;
}

namespace {

std::vector<int> documentsOf(const std::vector<std::pair<int, TableEdit>> &edits)
{
    std::vector<int> documents;
    for (const auto &edit : edits)
        documents.push_back(edit.first);
    return documents;
}

} // namespace

std::vector<int> UndoHistory::undoDocuments() const
{
    return canUndo() ? documentsOf(steps[done - 1].edits) : std::vector<int>();
}

std::vector<int> UndoHistory::redoDocuments() const
{
    return canRedo() ? documentsOf(steps[done].edits) : std::vector<int>();
}

void UndoHistory::clear()
{
    steps.clear();
    done = 0;
    saved = 0;
}

} // namespace tolvane
