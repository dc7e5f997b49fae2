#include "editingmodel.h"

#include "classfilereader.h"

#include <algorithm>

// Before any load the table holds no class (classCount 0, lastIndex 0) while
// the form already edits slot 0. The first store, Prev. Class or Add Class
// counts that slot as a class, so that Write Out writes what the user edited.
// After a load classCount is lastIndex + 1 and this changes nothing.
void EditingModel::countTheEditedSlot()
{
    if (editorState.table.classCount == editorState.lastIndex)
        ++editorState.table.classCount;
}

void EditingModel::store(const StoreForm &storeForm)
{
    countTheEditedSlot();
    storeForm(editorState.current());
}

EditingModel::Result EditingModel::loaded(bool fileFound)
{
    EditorState &s = editorState;
    s.lastIndex = s.table.classCount - 1;
    // A shorter file than before must not leave the form beyond its classes.
    s.currentIndex = std::min(s.currentIndex, s.lastIndex);
    tracker.classesSaved(s);
    const std::string count = std::to_string(s.table.classCount);
    // A missing file still gives the default class, but not as a success.
    if (!fileFound)
        return {std::string(ClassFileName(s.sealsActive)) + " not found: " + count + " new class", true};
    return {count + " Config Classes Read", true};
}

EditingModel::Result EditingModel::next(const StoreForm &storeForm)
{
    if (editorState.currentIndex >= editorState.lastIndex)
        return {};
    store(storeForm);
    ++editorState.currentIndex;
    return position();
}

EditingModel::Result EditingModel::previous(const StoreForm &storeForm)
{
    countTheEditedSlot();
    if (editorState.currentIndex <= editorState.firstIndex)
        return {};
    store(storeForm);
    --editorState.currentIndex;
    return position();
}

EditingModel::Result EditingModel::first(const StoreForm &storeForm)
{
    store(storeForm);
    editorState.currentIndex = editorState.firstIndex;
    return position();
}

EditingModel::Result EditingModel::last(const StoreForm &storeForm)
{
    store(storeForm);
    editorState.currentIndex = editorState.lastIndex;
    return position();
}

EditingModel::Result EditingModel::addClass(const StoreForm &storeForm)
{
    store(storeForm);
    EditorState &s = editorState;
    if (s.lastIndex >= tableSlotCount - 1)
        return {"The table is full: " + std::to_string(tableSlotCount) + " classes"};
    ++s.lastIndex;
    ++s.table.classCount;
    return {"@ Class to " + std::to_string(s.lastIndex) + " [min=" + std::to_string(s.firstIndex) + " | "
            + std::to_string(s.table.classCount) + "]"};
}

EditingModel::Result EditingModel::goTo(int slot, const StoreForm &storeForm)
{
    if (slot < editorState.firstIndex || slot > editorState.lastIndex)
        return {};
    store(storeForm);
    editorState.currentIndex = slot;
    return position();
}

// After a move: the status line names the position and the class's name.
EditingModel::Result EditingModel::position() const
{
    const EditorState &s = editorState;
    return {"@ Class " + std::to_string(s.currentIndex) + " / " + std::to_string(s.lastIndex) + " ["
                + std::string(s.current().classname.view()) + "]",
            true};
}
