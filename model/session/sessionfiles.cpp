#include "editorsession.h"
#include "writeflow.h"

#include "classdata/files/fileio.h"
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

void EditorSession::readActiveFile(FormValues &form, bool withOther)
{
    const std::filesystem::path path = activeClassFile(*this);
    const auto read = std::make_unique<ClassTable>(doc.state().table);
    const FileBytes file = readClassFile(*read, gameFolder.path(), doc.state().sealsActive);
    if (!acceptClassFile(path, file))
        return;
    doc.takeFile(path, file, *read);
    formDoc = 0;
    steps.setFormDocument(formDoc);
    std::string others;
    if (otherDoc && withOther) {
        const std::string problem = loadOtherTeam();
        others = problem.empty() ? "; " + std::to_string(otherDoc->state().table.classCount) + ' '
                                       + std::string(teamName(otherDoc->team())) + " classes read"
                                 : "; " + problem;
    }
    classesLoaded();
    classesSettled();
    const std::string count = std::to_string(doc.state().table.classCount);
    // A missing file still gives the default class, but not as a success.
    const std::string status = file.status == FileStatus::Read ? count + " Config Classes Read"
                                                               : std::string(classFileName(doc.state().sealsActive))
                                                                     + " not found: " + count + " new class";
    std::size_t problems = standingProblems(*this, 0, doc.classesWith(nullptr)).size();
    if (otherDoc)
        problems += standingProblems(*this, 1, otherDoc->classesWith(nullptr)).size();
    show(form, withProblemCount(status + others, problems));
}

std::string EditorSession::loadOtherTeam()
{
    const Team other = otherTeam(doc.team());
    const std::filesystem::path path = gameFolder.file(classFileName(sealsFlag(other)));
    const std::string whose = "The " + std::string(teamName(other)) + "' class file";
    std::string problem = path.empty() ? whose + " cannot be found: the game folder cannot be found."
                                       : readClassesOnDisk(path, whose).problem;
    const FileBytes file = problem.empty() ? readWholeFile(path) : FileBytes{};
    if (problem.empty() && file.status != FileStatus::Read)
        problem = whose + ' ' + displayText(path) + " could not be read: " + file.error + '.';
    if (!problem.empty()) {
        dropOtherTeam();
        return problem;
    }
    const auto table = std::make_unique<ClassTable>();
    readClassBytes(*table, file.bytes);
    otherDoc.emplace();
    otherDoc->state().sealsActive = sealsFlag(other);
    otherDoc->takeFile(path, file, *table);
    if (formDoc == 1)
        formDoc = 0;
    steps.setFormDocument(formDoc);
    noteDocuments();
    return {};
}

void EditorSession::dropOtherTeam()
{
    if (!otherDoc)
        return;
    otherDoc.reset();
    formDoc = 0;
    steps.setFormDocument(formDoc);
    steps.clear();
    noteDocuments();
}

void EditorSession::noteDocuments()
{
    if (!otherDoc)
        steps.setNotes({});
    else
        steps.setNotes(
            {" (" + std::string(teamName(doc.team())) + ")", " (" + std::string(teamName(otherDoc->team())) + ")"});
}

std::filesystem::path classFileOf(const EditorSession &session, int number)
{
    if (number == 0)
        return activeClassFile(session);
    const TeamDocument *other = session.documentOf(1);
    return other ? other->changes().classesFile() : std::filesystem::path();
}

std::string EditorSession::showOtherTeam(bool on)
{
    FormValues form = view.form();
    std::string problem;
    if (on && !otherDoc) {
        problem = loadOtherTeam();
    } else if (!on && otherDoc) {
        if (formDoc == 1)
            store(form);
        const std::string name = displayText(classFileOf(*this, 1).filename());
        if (otherDoc->unsavedClasses()) {
            switch (ask.ask({"Write out the changes to " + name + " before its classes are hidden?",
                             Questions::Choices::WriteOutDiscardCancel, Answer::Cancel, true})) {
            case Answer::WriteOut:
                if (Written written = writeDocument(1, form); !written.written)
                    problem = written.status;
                else
                    view.setStatus(written.status);
                break;
            case Answer::Discard:
                break;
            default:
                problem = "The " + std::string(teamName(otherDoc->team())) + "' classes stay shown";
            }
        }
        if (problem.empty()) {
            dropOtherTeam();
            show(form);
        }
    }
    refreshIndicators(form);
    return problem;
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
// table to the active team's class file, and the other team's classes, when
// shown and changed, to theirs: a file that is not written holds back no
// other, and the status says what became of each.
bool EditorSession::writeClasses(FormValues &form)
{
    store(form);
    showRecord(form);
    if (!folderUsable(*this))
        return false;
    std::vector<Written> results{writeDocument(0, form)};
    if (otherDoc && otherDoc->unsavedClasses())
        results.push_back(writeDocument(1, form));
    bool all = true, any = false, merged = false, moreRead = false;
    std::string status;
    for (const Written &result : results) {
        all = all && result.written;
        any = any || result.written;
        merged = merged || result.merged;
        moreRead = moreRead || result.moreRead;
        status += (status.empty() ? "" : "; ") + result.status;
    }
    // One file not written: its flow told why, or the reload said what it read.
    if (!any && results.size() == 1)
        return false;
    if (merged)
        show(form);
    else if (moreRead)
        showPosition();
    if (all) {
        steps.markSaved();
        classesSettled();
    }
    view.setStatus(status);
    refreshIndicators(form);
    return all;
}

// A merge is one step Undo takes back; Undo starts afresh where the file
// gave classes beyond those the steps made.
EditorSession::Written EditorSession::writeDocument(int number, FormValues &form)
{
    TeamDocument &written = documentAt(number);
    const std::filesystem::path path = classFileOf(*this, number);
    const std::string name = displayText(path.filename());
    if (number == 1 && path == classFileOf(*this, 0))
        return {false, name + " not written: it is the active file, which the classes in memory go to"};
    WriteFlow flow(written, {ask, openReview, data, gameFolder});
    switch (flow.write(path)) {
    case WriteFlow::Outcome::Reload:
        if (number == 0) {
            readActiveFile(form, false);
        } else {
            loadOtherTeam();
            classesLoaded();
            show(form);
        }
        return {false, name + " read again from disk, not written"};
    case WriteFlow::Outcome::NotWritten:
        return {false, name + " not written"};
    case WriteFlow::Outcome::Written:
        break;
    }
    std::optional<TableEdit> merge = flow.takeMergeStep();
    const bool merged = merge.has_value();
    if (flow.moreRead())
        steps.clear();
    else if (merge)
        steps.add(std::move(*merge), number);
    return {true, flow.status(), merged, flow.moreRead()};
}

// Before a command that drops the classes in memory or ends the run. False:
// the user cancelled or a write failed, and the command must not go on.
bool EditorSession::settleUnsavedChanges(FormValues &form)
{
    const std::vector<int> unsaved = unsavedDocuments(form);
    if (unsaved.empty()) {
        classesSettled();
        return true;
    }
    std::string names;
    for (int number : unsaved)
        names += (names.empty() ? "" : " and ")
                 + (number == 0 ? std::string(classFileName(doc.state().sealsActive))
                                : displayText(classFileOf(*this, number).filename()));
    switch (ask.ask(
        {"Write out the changes to " + names + "?", Questions::Choices::WriteOutDiscardCancel, Answer::Cancel, true})) {
    case Answer::WriteOut:
        return writeClasses(form);
    case Answer::Discard:
        // Back to what was last loaded or written, in the table and the form.
        doc.discardChanges();
        if (otherDoc)
            otherDoc->discardChanges();
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
    if (otherDoc)
        return " (" + std::string(teamName(document().team())) + ")";
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
    if (formDoc == 1)
        team += " (the form shows a " + std::string(teamName(document().team())) + " class)";
    if (doc.team() != active)
        team += " (the " + std::string(teamName(doc.team())) + "' classes in memory)";
    if (namedTeam && settingsTeam && *settingsTeam != active)
        team += " (named at the start; " + std::string(settingsFileName) + " names the "
                + std::string(teamName(*settingsTeam)) + ')';
    return team + " \u00B7 " + displayText(gameFolder.name());
}

} // namespace tolvane
