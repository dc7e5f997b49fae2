#include "editorsession.h"
#include "writeflow.h"

#include "classdata/files/safesave.h"
#include "classdata/files/settings.h"
#include "classdata/format/classfilereader.h"
#include "model/rules/standingproblems.h"

#include <memory>

namespace tolvane {

// Load Config, Write Out and the questions before classes are dropped; the
// switch of the active team.

using Answer = Questions::Answer;

void EditorSession::loadConfig()
{
    FormValues form = view.form();
    if (!folderUsable(*this) || !settleUnsavedChanges(form))
        return;
    readActiveFile(form);
}

void EditorSession::readActiveFile(FormValues &form)
{
    const std::filesystem::path path = activeClassFile(*this);
    const auto read = std::make_unique<ClassTable>(doc.state().table);
    const FileBytes file = readClassFile(*read, gameFolder.path(), doc.state().sealsActive);
    if (!acceptClassFile(path, file))
        return;
    doc.state().table = *read;
    doc.changes().fileRead(path, file);
    if (file.status == FileStatus::Read)
        doc.fileProblems().fileRead(file.bytes);
    else
        doc.fileProblems().clear();
    fitRangeToClasses(doc.state());
    doc.changes().classesSaved(doc.state());
    classesLoaded();
    classesSettled();
    const std::string count = std::to_string(doc.state().table.classCount);
    // A missing file still gives the default class, but not as a success.
    const std::string status = file.status == FileStatus::Read ? count + " Config Classes Read"
                                                               : std::string(classFileName(doc.state().sealsActive))
                                                                     + " not found: " + count + " new class";
    show(form, withProblemCount(status, standingProblems(*this, doc.classesWith(nullptr)).size()));
}

// A file that cannot be read, or that is no class file (reading it would
// give the default class alone), leaves the classes in memory as they are.
bool EditorSession::acceptClassFile(const std::filesystem::path &path, const FileBytes &file)
{
    const ClassFileKind kind = classFileKind(path, file.bytes);
    std::string why;
    if (file.status == FileStatus::Unreadable)
        why = "could not be read: " + file.error;
    else if (file.status == FileStatus::Read && kind != ClassFileKind::ClassFile)
        why = std::string(whyNotAClassFile(kind)) + "; it was not read";
    if (why.empty())
        return true;
    ask.tell({Questions::Icon::Warning, "Load Config",
              "The class file " + displayText(path) + " " + why + ".\nThe classes in memory are unchanged."});
    return false;
}

bool EditorSession::writeOut()
{
    FormValues form = view.form();
    return writeClasses(form);
}

// The form goes into the table first, then the write flow writes the whole
// table to the active team's class file.
bool EditorSession::writeClasses(FormValues &form)
{
    store(form);
    showRecord(form);
    if (!folderUsable(*this))
        return false;
    WriteFlow flow(doc, {ask, openReview, data, gameFolder});
    switch (flow.write(activeClassFile(*this))) {
    case WriteFlow::Outcome::Reload:
        readActiveFile(form);
        return false;
    case WriteFlow::Outcome::NotWritten:
        return false;
    case WriteFlow::Outcome::Written:
        break;
    }
    // A merge is one step Undo takes back; Undo starts afresh where the file
    // gave classes beyond those the steps made.
    std::optional<TableEdit> merge = flow.takeMergeStep();
    if (flow.moreRead())
        steps.clear();
    else if (merge)
        steps.add(std::move(*merge));
    if (merge)
        show(form);
    else if (flow.moreRead())
        showPosition();
    steps.markSaved();
    classesSettled();
    view.setStatus(flow.status());
    refreshIndicators(form);
    return true;
}

// Before a command that drops the classes in memory or ends the run. False:
// the user cancelled or the write failed, and the command must not go on.
bool EditorSession::settleUnsavedChanges(FormValues &form)
{
    if (!doc.unsaved(form)) {
        classesSettled();
        return true;
    }
    switch (ask.ask({"Write out the changes to " + std::string(classFileName(doc.state().sealsActive)) + "?",
                     Questions::Choices::WriteOutDiscardCancel, Answer::Cancel, true})) {
    case Answer::WriteOut:
        return writeClasses(form);
    case Answer::Discard:
        // Back to what was last loaded or written, in the table and the form.
        doc.discardChanges();
        steps.clear();
        classesSettled();
        show(form);
        return true;
    default:
        return false;
    }
}

bool EditorSession::quit()
{
    FormValues form = view.form();
    return settleUnsavedChanges(form);
}

bool EditorSession::askYes(const std::string &text)
{
    return ask.ask({text, Questions::Choices::YesNo, Answer::Yes}) == Answer::Yes;
}

// The other team's file is active from now on, in this run already,
// although the questions speak of a restart.
void EditorSession::changeActiveConfig()
{
    FormValues form = view.form();
    if (!folderUsable(*this) || !settleUnsavedChanges(form))
        return;
    if (!askYes(doc.state().sealsActive ? "TANGOS CONFIG file will be readen on Restart"
                                        : "SEALS CONFIG file will be readen on Restart"))
        return;
    doc.state().sealsActive = doc.state().sealsActive ? 0 : 1;
    namedTeam.reset();
    writeSettings();
    // The classes in memory stay the other team's until Load Config.
    if (!classesTeamNote().empty()) {
        const std::string active = doc.state().sealsActive ? "Seals'" : "Tangos'";
        view.setStatus("The " + active + " file " + std::string(classFileName(doc.state().sealsActive))
                       + " is active: Load Config reads it, and Write Out writes the classes in memory, which are "
                         "still the "
                       + (doc.state().sealsActive ? "Tangos'" : "Seals'") + ", into it");
        showRecord(form);
    }
    refreshIndicators(form);
}

void EditorSession::writeSettings()
{
    if (!askYes("Changes will be taken in effect in restarting this Programm"))
        return;
    const std::filesystem::path path = gameFolder.file(settingsFileName);
    SaveError error;
    if (!saveFileAtomically(path, settingsFileBytes(doc.state().sealsActive, platformLineEnd), &error)) {
        warnNotWritten(ask, path, error);
        return;
    }
    services.report("File written [" + std::string(settingsFileName) + "]\n");
}

// "Seals'" or "Tangos'" of the classes in memory, after a team switch.
std::string EditorSession::classesTeamNote() const
{
    const std::filesystem::path &from = doc.changes().classesFile();
    const std::filesystem::path active = activeClassFile(*this);
    if (from.empty() || from == active)
        return {};
    const auto whose = [](const std::filesystem::path &file) {
        return file.filename() == classFileName(1) ? "Seals'" : "Tangos'";
    };
    return std::string(" (the ") + whose(from) + " classes; the " + whose(active) + " file is active)";
}

std::string EditorSession::placeText() const
{
    const Team active = teamOf(doc.state().sealsActive);
    std::string team(teamName(active));
    if (doc.team() != active)
        team += " (the " + std::string(teamName(doc.team())) + "' classes in memory)";
    if (namedTeam && settingsTeam && *settingsTeam != active)
        team += " (named at the start; " + std::string(settingsFileName) + " names the "
                + std::string(teamName(*settingsTeam)) + ')';
    return team + " \u00B7 " + displayText(gameFolder.name());
}

} // namespace tolvane
