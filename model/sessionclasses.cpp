#include "editorsession.h"

// The commands on whole classes, the inventory view and undo. Status texts
// are Windows-1252, as the class names in them; questions are UTF-8.

namespace {

std::string bracketed(const ClassRecord &record)
{
    return "[" + std::string(record.classname.view()) + "]";
}

std::string pastTextBoxNote(bool pastTextBox, const char *action)
{
    return pastTextBox ? std::string(" (the box had nothing to ") + action + ")" : std::string();
}

} // namespace

void EditorSession::record(std::optional<TableEdit> step)
{
    if (step)
        history.add(std::move(*step));
}

void EditorSession::classesLoaded()
{
    ids = blocks.loaded(state().table.classCount);
    savedIds = ids;
    history.clear();
    roster.select({});
}

void EditorSession::classesWritten()
{
    blocks.written(ids, state().table.classCount);
    savedIds = ids;
    history.markSaved();
}

// The class goes after a question that names it; No is the default.
void EditorSession::deleteClass()
{
    const EditorState &s = state();
    if (!CanDeleteClass(s))
        return;
    const std::string named = "Class " + std::to_string(s.currentIndex) + " " + bracketed(s.current());
    if (view.ask({"Delete " + utf8Of(named) + "?", EditorView::Choices::YesNo, EditorView::Answer::No})
        != EditorView::Answer::Yes)
        return;
    record(DeleteClass(classes()));
    showResult({"Deleted " + named + "; " + *editing.position().status, true});
}

// The copy takes the form's values: the form is stored first.
void EditorSession::duplicateClass()
{
    editing.store(formStore());
    const std::string original = bracketed(state().current());
    std::optional<TableEdit> step = DuplicateClass(classes());
    if (!step) {
        showResult({"The table is full: " + std::to_string(tableSlotCount) + " classes"});
        return;
    }
    record(std::move(step));
    showResult({"Duplicated " + original + "; " + *editing.position().status, true});
}

void EditorSession::moveClassUp()
{
    moveClass(MoveClassUp);
}

void EditorSession::moveClassDown()
{
    moveClass(MoveClassDown);
}

void EditorSession::moveClass(std::optional<TableEdit> (*move)(EditedClasses))
{
    editing.store(formStore());
    std::optional<TableEdit> step = move(classes());
    if (!step) {
        refreshIndicators();
        return;
    }
    record(std::move(step));
    showResult({"Moved " + bracketed(state().current()) + "; " + *editing.position().status, true});
}

void EditorSession::goToClass()
{
    const EditorState &s = state();
    std::vector<std::string> names;
    for (int slot = s.firstIndex; slot <= s.lastIndex; ++slot)
        names.push_back(utf8Of(s.table.records[std::size_t(slot)].classname.view()));
    if (const std::optional<int> slot = view.chooseClass(names, s.currentIndex))
        showResult(editing.goTo(*slot, formStore()));
}

// Each change in the inventory view is a step of its own, and the item list
// of the form shows the new amount.
void EditorSession::showInventory()
{
    const FormValues form = view.form();
    view.showInventory({utf8Of(state().current().classname.view()), itemSlot(form.item).value_or(0),
                        [this] { return state().current().inventory; },
                        [this](int itemSlot, std::int32_t amount) {
                            record(SetItemAmount(classes(), itemSlot, amount));
                            pickItem();
                            refreshIndicators();
                        }});
}

// Edits in the form that were not stored become a step first, so that Undo
// takes them back and Redo brings them again.
void EditorSession::undo(bool pastTextBox)
{
    if (changes.formChanged(formRecord()))
        saveToMemory();
    if (history.undo(classes()))
        showResult({"Undone: " + std::string(history.redoName()) + pastTextBoxNote(pastTextBox, "undo"), true});
    else if (pastTextBox)
        view.setStatus("Nothing to undo, in the box or in the classes");
}

// Edits in the form that were not stored are a change after the undone
// steps, which Redo no longer brings back.
void EditorSession::redo(bool pastTextBox)
{
    if (changes.formChanged(formRecord()))
        saveToMemory();
    if (history.redo(classes()))
        showResult({"Redone: " + std::string(history.undoName()) + pastTextBoxNote(pastTextBox, "redo"), true});
    else if (pastTextBox)
        view.setStatus("Nothing to redo, in the box or in the classes");
}
