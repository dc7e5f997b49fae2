#include "editorsession.h"

namespace tolvane {

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
    if (!canDeleteClass(s))
        return;
    const std::string named = "Class " + std::to_string(s.currentIndex) + " " + bracketed(s.current());
    if (view.ask({"Delete " + utf8Of(named) + "?", EditorView::Choices::YesNo, EditorView::Answer::No})
        != EditorView::Answer::Yes)
        return;
    FormValues form = view.form();
    record(deleteCurrentClass(classes()));
    showMoved(form, "Deleted " + named + "; " + positionText());
}

// The copy takes the form's values: the form is stored first.
void EditorSession::duplicateClass()
{
    FormValues form = view.form();
    storeIntoClass(form);
    const std::string original = bracketed(state().current());
    std::optional<TableEdit> step = duplicateCurrentClass(classes());
    if (!step) {
        showPosition();
        view.setStatus("The table is full: " + std::to_string(tableSlotCount) + " classes");
        refreshIndicators(form);
        return;
    }
    record(std::move(step));
    showMoved(form, "Duplicated " + original + "; " + positionText());
}

void EditorSession::moveClassUp()
{
    moveClass(moveCurrentClassUp);
}

void EditorSession::moveClassDown()
{
    moveClass(moveCurrentClassDown);
}

void EditorSession::moveClass(std::optional<TableEdit> (*move)(EditedClasses))
{
    FormValues form = view.form();
    storeIntoClass(form);
    std::optional<TableEdit> step = move(classes());
    if (!step) {
        refreshIndicators(form);
        return;
    }
    record(std::move(step));
    showMoved(form, "Moved " + bracketed(state().current()) + "; " + positionText());
}

void EditorSession::goToClass()
{
    const EditorState &s = state();
    std::vector<std::string> names;
    for (int slot = s.firstIndex; slot <= s.lastIndex; ++slot)
        names.push_back(utf8Of(s.table.records[std::size_t(slot)].classname.view()));
    if (const std::optional<int> slot = view.chooseClass(names, s.currentIndex)) {
        FormValues form = view.form();
        moveTo(form, goToTarget(state(), *slot));
    }
}

// Each change in the inventory view is a step of its own, and the item list
// of the form shows the new amount.
void EditorSession::showInventory()
{
    const FormValues form = view.form();
    view.showInventory({utf8Of(state().current().classname.view()), itemSlot(form.item).value_or(0),
                        [this] { return state().current().inventory; },
                        [this](int itemSlot, std::int32_t amount) {
                            record(setItemAmount(classes(), itemSlot, amount));
                            pickItem();
                            refreshIndicators();
                        }});
}

// Undo or Redo with no step to take: the status says so when the keys came
// from a text box with nothing of its own (status), and the indicators follow.
void EditorSession::nothingToTakeBack(const FormValues &form, const std::string &status)
{
    if (!status.empty())
        view.setStatus(status);
    refreshIndicators(form);
}

// Edits in the form that were not stored become a step first, so that Undo
// takes them back and Redo brings them again.
void EditorSession::undo(bool pastTextBox)
{
    FormValues form = view.form();
    if (changes.formChanged(formRecord(form)))
        storeIntoClass(form);
    if (history.undo(classes()))
        showMoved(form, "Undone: " + std::string(history.redoName()) + pastTextBoxNote(pastTextBox, "undo"));
    else
        nothingToTakeBack(form, pastTextBox ? "Nothing to undo, in the box or in the classes" : "");
}

// Edits in the form that were not stored are a change after the undone
// steps, which Redo no longer brings back.
void EditorSession::redo(bool pastTextBox)
{
    FormValues form = view.form();
    if (changes.formChanged(formRecord(form)))
        storeIntoClass(form);
    if (history.redo(classes()))
        showMoved(form, "Redone: " + std::string(history.undoName()) + pastTextBoxNote(pastTextBox, "redo"));
    else
        nothingToTakeBack(form, pastTextBox ? "Nothing to redo, in the box or in the classes" : "");
}

} // namespace tolvane
