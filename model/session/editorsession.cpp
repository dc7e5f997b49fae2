#include "editorsession.h"

#include "classdata/format/classfilereader.h"

namespace tolvane {

const std::string programTitle = "Tolvane Class Creator \u00A9";

namespace {

std::string titleFor(const char *action, const ClassRecord &record)
{
    return programTitle + " - " + action + " " + utf8Of(record.classname.view());
}

std::string pastTextBoxNote(bool pastTextBox, const char *action)
{
    return pastTextBox ? std::string(" (the box had nothing to ") + action + ")" : std::string();
}

} // namespace

EditorSession::EditorSession(FormView &view, Questions &questions, const GameFolder &folder, Services services)
    : view(view), ask(questions), gameFolder(folder), services(std::move(services)), data{this->services.dataFolder}
{
}

void EditorSession::addListener(SessionListener &listener)
{
    listeners.push_back(&listener);
}

std::filesystem::path activeClassFile(const EditorSession &session)
{
    return session.folder().file(classFileName(session.documentOf(0)->state().sealsActive));
}

ClassesOnDisk otherTeamClasses(const EditorSession &session)
{
    // Shown, the other team's classes are those in memory.
    if (const TeamDocument *shown = session.documentOf(1 - session.formDocument()); shown && session.documentOf(1))
        return {shown->changes().classesFile(), shown->classesWith(nullptr), {}};
    const Team other = otherTeam(session.document().team());
    const std::string whose = "The " + std::string(teamName(other)) + "' class file";
    const std::filesystem::path file = session.folder().file(classFileName(sealsFlag(other)));
    if (file.empty())
        return {{}, {}, whose + " cannot be found: the game folder cannot be found."};
    return readClassesOnDisk(file, whose);
}

void EditorSession::refreshIndicators(const FormValues &form)
{
    const TeamDocument &edited = document();
    const ClassRecord stored = edited.formRecord(form);
    view.setUnsavedMark(!unsavedDocuments(form).empty());
    view.setTeamText(doc.state().sealsActive ? "&Change Active-Config (Seals)" : "&Change Active-Config (Tangos)");
    view.showPlace(placeText());
    // Edits in the form that were not stored are what Undo takes back first
    // (as the step that stores them), and Redo has nothing then.
    const EditorState &state = edited.state();
    const bool formEdited = !(stored == state.current());
    view.showClassCommands({canDeleteClass(state), canMoveClassUp(state), canMoveClassDown(state),
                            utf8Of(formEdited ? storeClassName(stored) : steps.undoName()),
                            formEdited ? std::string() : utf8Of(steps.redoName())});
    if (!title.empty())
        showTitle(title);
    tell([&](SessionListener &listener) { listener.classesShown(form); });
}

std::vector<int> EditorSession::unsavedDocuments(const FormValues &form) const
{
    std::vector<int> unsaved;
    for (int number = 0; number < 2; ++number) {
        const TeamDocument *edited = documentOf(number);
        if (edited && (number == formDoc ? edited->unsaved(form) : edited->unsavedClasses()))
            unsaved.push_back(number);
    }
    return unsaved;
}

void EditorSession::show(FormValues &form, const std::string &status)
{
    showPosition();
    if (!status.empty())
        view.setStatus(utf8Of(status));
    showRecord(form);
}

// The form shows the current class; the item list and the Calculate result
// keep their entries.
void EditorSession::showRecord(FormValues &form)
{
    TeamDocument &edited = document();
    const ClassRecord &record = edited.state().current();
    showRecordIn(record, form);
    if (const std::optional<int> slot = itemSlot(form.item))
        form.amount = std::to_string(record.inventory[std::size_t(*slot)]);
    view.showForm(form);
    showTitle(titleFor("Editing", record) + classesTeamNote());
    edited.changes().formShown(edited.formRecord(form));
    refreshIndicators(form);
}

void EditorSession::store(const FormValues &form)
{
    const ClassRecord stored = document().formRecord(form);
    steps.add(storeClass(document().classes(), stored));
    showTitle(titleFor("Saving", stored) + classesTeamNote());
}

void EditorSession::showTitle(std::string text)
{
    title = std::move(text);
    std::string notes;
    for (const SessionListener *listener : listeners)
        notes += listener->titleNote();
    view.setTitle(title + notes);
}

void EditorSession::moveTo(FormValues &form, std::optional<int> slot)
{
    if (!slot) {
        showPosition();
        refreshIndicators(form);
        return;
    }
    store(form);
    document().state().currentIndex = *slot;
    show(form, positionText(document().state()));
}

// The form follows a class of the other document: stored where it was, it
// shows the class of slot there.
void EditorSession::moveTo(FormValues &form, int number, std::optional<int> slot)
{
    const TeamDocument *target = documentOf(number);
    if (number == formDoc || !target || !slot) {
        moveTo(form, slot);
        return;
    }
    const std::optional<int> there = goToTarget(target->state(), *slot);
    if (!there) {
        moveTo(form, there);
        return;
    }
    store(form);
    formDoc = number;
    steps.setFormDocument(formDoc);
    document().state().currentIndex = *there;
    show(form, positionText(document().state()));
}

std::string positionText(const EditorState &s)
{
    return "@ Class " + std::to_string(s.currentIndex) + " / " + std::to_string(s.lastIndex) + " ["
           + std::string(s.current().classname.view()) + "]";
}

void EditorSession::showPosition()
{
    const EditorState &state = document().state();
    view.showPosition(state.firstIndex, state.lastIndex, state.currentIndex);
}

void EditorSession::classesLoaded()
{
    doc.classesLoaded();
    steps.clear();
    tell([](SessionListener &listener) { listener.classesReplaced(); });
}

void EditorSession::classesSettled()
{
    tell([](SessionListener &listener) { listener.classesSettled(); });
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
    if (document().changes().formChanged(document().formRecord(form)))
        store(form);
    if (steps.undo([this](int number) { return documentAt(number).classes(); }))
        show(form, "Undone: " + std::string(steps.redoName()) + pastTextBoxNote(pastTextBox, "undo"));
    else
        nothingToTakeBack(form, pastTextBox ? "Nothing to undo, in the box or in the classes" : "");
}

// Edits in the form that were not stored are a change after the undone
// steps, which Redo no longer brings back.
void EditorSession::redo(bool pastTextBox)
{
    FormValues form = view.form();
    if (document().changes().formChanged(document().formRecord(form)))
        store(form);
    if (steps.redo([this](int number) { return documentAt(number).classes(); }))
        show(form, "Redone: " + std::string(steps.undoName()) + pastTextBoxNote(pastTextBox, "redo"));
    else
        nothingToTakeBack(form, pastTextBox ? "Nothing to redo, in the box or in the classes" : "");
}

std::string helpText(const EditorSession &session)
{
    return "Tolvane Class Creator edits the player classes of one team.\n\n"
           "1. Load Config reads the active team's class file.\n"
           "2. Edit the class in the form.\n"
           "3. Save to Memory, Next Class or Prev. Class store the form into the classes in memory.\n"
           "4. Write Out stores the form and writes all classes to the class file.\n\n"
           "ADD!, the starting-weapon list and Show Inventory change the class at once. The Class menu "
           "also deletes, duplicates and reorders classes and goes to any class; Undo and Redo in the Edit "
           "menu take back and redo each change to the classes. Change Active-Config switches "
           "between the Seals and the Tangos file. Open Folder chooses the game folder. Export Classes and "
           "Import Classes exchange the classes with a spreadsheet; an import is one change. Quit, Load Config, "
           "Open Folder and Change Active-Config ask before they drop changes that are not written out.\n\n"
           "Game folder:\n"
           + displayText(session.folder().name()) + "\n\nActive class file:\n"
           + std::string(classFileName(session.documentOf(0)->state().sealsActive));
}

// System commands 0x0010 to 0x001F open the about box; the others are the
// platform's.
bool opensAboutBox(unsigned systemCommand)
{
    return (systemCommand & 0xFFF0) == 0x0010;
}

} // namespace tolvane
