#include "classlistcommands.h"

namespace tolvane {

// Status texts are Windows-1252, as the class names in them; questions are UTF-8.

namespace {

std::string bracketed(const ClassRecord &record)
{
    return "[" + std::string(record.classname.view()) + "]";
}

} // namespace

void ClassListCommands::saveToMemory()
{
    const FormValues form = session.formView().form();
    const ClassRecord stored = session.document().formRecord(form);
    const bool changed = !(stored == session.document().state().current());
    session.store(form);
    const std::string named = "Class " + std::to_string(session.document().state().currentIndex) + " "
                              + bracketed(stored);
    session.formView().setStatus(utf8Of(changed ? "Stored " + named + " in memory" : named + " unchanged in memory"));
    session.refreshIndicators(form);
}

// Prev. Class counts the form's slot even where it does not move.
void ClassListCommands::move(Move move)
{
    FormValues form = session.formView().form();
    if (move == Move::Previous)
        session.document().state().countTheEditedSlot();
    session.moveTo(form, moveTarget(session.document().state(), move));
}

// Add Class widens the range by one class after the last, without moving.
void ClassListCommands::addClass()
{
    FormValues form = session.formView().form();
    session.store(form);
    std::optional<TableEdit> step = appendClass(session.document().classes());
    const EditorState &s = session.document().state();
    session.formView().setStatus(step ? "@ Class to " + std::to_string(s.lastIndex)
                                            + " [min=" + std::to_string(s.firstIndex) + " | "
                                            + std::to_string(s.table.classCount) + "]"
                                      : "The table is full: " + std::to_string(tableSlotCount) + " classes");
    session.history().add(std::move(step));
    session.formView().showPosition(s.firstIndex, s.lastIndex, s.currentIndex);
    session.refreshIndicators(form);
}

// The class goes after a question that names it; No is the default.
void ClassListCommands::deleteClass()
{
    const EditorState &s = session.document().state();
    if (!canDeleteClass(s))
        return;
    const std::string named = "Class " + std::to_string(s.currentIndex) + " " + bracketed(s.current());
    if (session.questions().ask({"Delete " + utf8Of(named) + "?", Questions::Choices::YesNo, Questions::Answer::No})
        != Questions::Answer::Yes)
        return;
    FormValues form = session.formView().form();
    session.history().add(deleteCurrentClass(session.document().classes()));
    session.show(form, "Deleted " + named + "; " + positionText(s));
}

// The copy takes the form's values: the form is stored first.
void ClassListCommands::duplicateClass()
{
    FormValues form = session.formView().form();
    session.store(form);
    const std::string original = bracketed(session.document().state().current());
    std::optional<TableEdit> step = duplicateCurrentClass(session.document().classes());
    if (!step) {
        const EditorState &s = session.document().state();
        session.formView().showPosition(s.firstIndex, s.lastIndex, s.currentIndex);
        session.formView().setStatus("The table is full: " + std::to_string(tableSlotCount) + " classes");
        session.refreshIndicators(form);
        return;
    }
    session.history().add(std::move(step));
    session.show(form, "Duplicated " + original + "; " + positionText(session.document().state()));
}

void ClassListCommands::moveClassUp()
{
    moveClass(moveCurrentClassUp);
}

void ClassListCommands::moveClassDown()
{
    moveClass(moveCurrentClassDown);
}

void ClassListCommands::moveClass(std::optional<TableEdit> (*move)(EditedClasses))
{
    FormValues form = session.formView().form();
    session.store(form);
    std::optional<TableEdit> step = move(session.document().classes());
    if (!step) {
        session.refreshIndicators(form);
        return;
    }
    session.history().add(std::move(step));
    session.show(form, "Moved " + bracketed(session.document().state().current()) + "; "
                           + positionText(session.document().state()));
}

// With the other team shown, its classes follow the form's team's, each
// entry naming its team: "Heavy (Tangos)".
void ClassListCommands::goToClass()
{
    std::vector<std::string> names;
    std::vector<int> numbers;
    std::vector<std::pair<int, int>> entries; // the document and slot of each name
    int current = 0;
    const bool bothTeams = session.documentOf(1) != nullptr;
    for (int document = 0; document < 2; ++document) {
        const TeamDocument *of = session.documentOf(document);
        if (!of)
            continue;
        const EditorState &s = of->state();
        const std::string team = bothTeams ? " (" + std::string(teamName(of->team())) + ")" : "";
        for (int slot = s.firstIndex; slot <= s.lastIndex; ++slot) {
            if (document == session.formDocument() && slot == s.currentIndex)
                current = int(names.size());
            names.push_back(utf8Of(s.table.records[std::size_t(slot)].classname.view()) + team);
            numbers.push_back(slot);
            entries.emplace_back(document, slot);
        }
    }
    const std::optional<int> picked = picker.chooseClass(names, numbers, current);
    if (!picked || *picked < 0 || std::size_t(*picked) >= entries.size())
        return;
    FormValues form = session.formView().form();
    const auto [document, slot] = entries[std::size_t(*picked)];
    session.moveTo(form, document, slot);
}

} // namespace tolvane
