#include "editorsession.h"

#include "classdata/format/classfilereader.h"
#include "classdata/format/itemcatalogue.h"
#include "classdata/text/textnumbers.h"

namespace tolvane {

namespace {

const std::string programTitle = "Tolvane Class Creator \u00A9";

std::string titleFor(const char *action, const ClassRecord &record)
{
    return programTitle + " - " + action + " " + utf8Of(record.classname.view());
}

} // namespace

EditorSession::EditorSession(EditorView &view, const GameFolder &folder, Services services)
    : view(view), gameFolder(folder), services(std::move(services))
{
}

std::filesystem::path EditorSession::activeClassFilePath() const
{
    return gameFolder.file(classFileName(state().sealsActive));
}

bool EditorSession::hasUnsavedChanges() const
{
    return changes.unsaved(state(), formRecord(view.form()));
}

void EditorSession::refreshIndicators()
{
    refreshIndicators(view.form());
}

void EditorSession::refreshIndicators(const FormValues &form)
{
    const ClassRecord stored = formRecord(form);
    view.setUnsavedMark(changes.unsaved(state(), stored));
    view.setTeamText(state().sealsActive ? "&Change Active-Config (Seals)" : "&Change Active-Config (Tangos)");
    view.showPlace(placeText());
    // Edits in the form that were not stored are what Undo takes back first
    // (as the step that stores them), and Redo has nothing then.
    const bool formEdited = !(stored == state().current());
    view.showClassCommands({canDeleteClass(state()), canMoveClassUp(state()), canMoveClassDown(state()),
                            utf8Of(formEdited ? storeClassName(stored) : history.undoName()),
                            formEdited ? std::string() : utf8Of(history.redoName())});
    followTableClasses(form);
    view.showClassTable(utf8Of(roster.countText(tableClasses())));
}

void EditorSession::showRecord()
{
    FormValues form = view.form();
    showRecord(form);
}

// The form shows the current class; the item list and the Calculate result
// keep their entries.
void EditorSession::showRecord(FormValues &form)
{
    const ClassRecord &record = state().current();
    showRecordIn(record, form);
    if (const std::optional<int> slot = itemSlot(form.item))
        form.amount = std::to_string(record.inventory[std::size_t(*slot)]);
    view.showForm(form);
    view.setTitle(titleFor("Editing", record) + classesTeamNote());
    changes.formShown(formRecord(form));
    refreshIndicators(form);
}

// The class that storing the form would give, without storing it.
ClassRecord EditorSession::formRecord(const FormValues &form) const
{
    ClassRecord record = state().current();
    storeForm(form, record);
    return record;
}

void EditorSession::storeIntoClass(const FormValues &form)
{
    const ClassRecord stored = formRecord(form);
    record(storeClass(classes(), stored));
    view.setTitle(titleFor("Saving", stored) + classesTeamNote());
}

void EditorSession::saveToMemory()
{
    const FormValues form = view.form();
    storeIntoClass(form);
    refreshIndicators(form);
}

void EditorSession::nextClass()
{
    FormValues form = view.form();
    moveTo(form, moveTarget(state(), Move::Next));
}

// Prev. Class counts the form's slot even where it does not move.
void EditorSession::previousClass()
{
    FormValues form = view.form();
    state().countTheEditedSlot();
    moveTo(form, moveTarget(state(), Move::Previous));
}

void EditorSession::firstClass()
{
    FormValues form = view.form();
    moveTo(form, moveTarget(state(), Move::First));
}

void EditorSession::lastClass()
{
    FormValues form = view.form();
    moveTo(form, moveTarget(state(), Move::Last));
}

void EditorSession::moveTo(FormValues &form, std::optional<int> slot)
{
    if (!slot) {
        showPosition();
        refreshIndicators(form);
        return;
    }
    storeIntoClass(form);
    state().currentIndex = *slot;
    showMoved(form, positionText());
}

// Add Class widens the range by one class after the last, without moving.
void EditorSession::addClass()
{
    const FormValues form = view.form();
    storeIntoClass(form);
    std::optional<TableEdit> step = appendClass(classes());
    const EditorState &s = state();
    view.setStatus(step ? "@ Class to " + std::to_string(s.lastIndex) + " [min=" + std::to_string(s.firstIndex) + " | "
                              + std::to_string(s.table.classCount) + "]"
                        : "The table is full: " + std::to_string(tableSlotCount) + " classes");
    record(std::move(step));
    showPosition();
    refreshIndicators(form);
}

void EditorSession::showMoved(FormValues &form, const std::string &status)
{
    showPosition();
    view.setStatus(utf8Of(status));
    showRecord(form);
}

std::string EditorSession::positionText() const
{
    const EditorState &s = state();
    return "@ Class " + std::to_string(s.currentIndex) + " / " + std::to_string(s.lastIndex) + " ["
           + std::string(s.current().classname.view()) + "]";
}

void EditorSession::showPosition()
{
    view.showPosition(state().firstIndex, state().lastIndex, state().currentIndex);
}

void EditorSession::pickItem()
{
    FormValues form = view.form();
    if (const std::optional<int> slot = itemSlot(form.item)) {
        form.amount = std::to_string(state().current().inventory[std::size_t(*slot)]);
        view.showForm(form);
    }
}

// ADD! changes the class at once, without storing the rest of the form, and
// says what it set: "Grenades: 4 -> 2".
void EditorSession::addItem()
{
    const FormValues form = view.form();
    if (const std::optional<int> slot = itemSlot(form.item)) {
        const std::int32_t &amount = state().current().inventory[std::size_t(*slot)];
        const std::string before = formatInt(amount);
        record(setItemAmount(classes(), *slot, parseInt(form.amount)));
        view.setStatus(std::string(itemCatalogue[std::size_t(*slot)].displayName) + ": " + before + " -> "
                       + formatInt(amount));
    }
    refreshIndicators(form);
}

void EditorSession::pickStartingWeapon()
{
    const FormValues form = view.form();
    const std::optional<int> slot = startingWeaponSlot(form.startingWeapon);
    if (slot && itemCatalogue[std::size_t(*slot)].inStartList)
        record(setStartingWeapon(classes(), *slot));
    const ClassRecord &current = state().current();
    view.setStatus("Forced [" + utf8Of(current.starting_weapon.view()) + "] as Initial Weapon for ["
                   + utf8Of(current.classname.view()) + "]");
    refreshIndicators(form);
}

void EditorSession::calculate()
{
    FormValues form = view.form();
    form.calculated = std::to_string(state().current().classabilities & definedAbilityMask);
    view.showForm(form);
}

void EditorSession::help()
{
    view.tell({EditorView::Icon::Information, "Help",
               "Tolvane Class Creator edits the player classes of one team.\n\n"
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
                   + displayText(gameFolder.name()) + "\n\nActive class file:\n"
                   + std::string(classFileName(state().sealsActive))});
}

void EditorSession::about()
{
    view.showAbout();
}

// System commands 0x0010 to 0x001F open the about box; the others are the
// platform's.
bool EditorSession::systemCommand(unsigned command)
{
    if ((command & 0xFFF0) != 0x0010)
        return false;
    about();
    return true;
}

bool EditorSession::quit()
{
    FormValues form = view.form();
    return settleUnsavedChanges(form);
}

} // namespace tolvane
