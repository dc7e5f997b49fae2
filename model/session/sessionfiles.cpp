#include "editorsession.h"

#include "classdata/format/classfilereader.h"
#include "classdata/format/classfileupdate.h"
#include "classdata/format/classfilewriter.h"
#include "classdata/files/safesave.h"
#include "classdata/files/settings.h"

#include <algorithm>
#include <memory>
#include <span>

namespace tolvane {

using Answer = EditorView::Answer;

void EditorSession::loadConfig()
{
    FormValues form = view.form();
    if (!folderUsable() || !settleUnsavedChanges(form))
        return;
    readActiveFile(form);
}

void EditorSession::readActiveFile()
{
    FormValues form = view.form();
    readActiveFile(form);
}

void EditorSession::readActiveFile(FormValues &form)
{
    const std::filesystem::path path = activeClassFilePath();
    const auto read = std::make_unique<ClassTable>(state().table);
    const FileBytes file = readClassFile(*read, gameFolder.path(), state().sealsActive);
    if (!acceptClassFile(path, file))
        return;
    state().table = *read;
    changes.fileRead(path, file);
    if (file.status == FileStatus::Read)
        fileProblems.fileRead(file.bytes);
    else
        fileProblems.clear();
    fitRangeToClasses(state());
    changes.classesSaved(state());
    classesLoaded();
    forgetRecovery();
    const std::string count = std::to_string(state().table.classCount);
    // A missing file still gives the default class, but not as a success.
    const std::string status = file.status == FileStatus::Read ? count + " Config Classes Read"
                                                               : std::string(classFileName(state().sealsActive))
                                                                     + " not found: " + count + " new class";
    showMoved(form, withProblemCount(status, fileProblems.current(classesToWrite(nullptr), classOrigins()).size()));
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
    view.tell({EditorView::Icon::Warning, "Load Config",
               "The class file " + displayText(path) + " " + why + ".\nThe classes in memory are unchanged."});
    return false;
}

bool EditorSession::writeOut()
{
    FormValues form = view.form();
    return writeClasses(form);
}

// The form goes into the table first, then the whole table replaces the
// active team's class file, or is merged into it when it changed on disk,
// once every question about it is answered and the file is still as it was
// when they were asked. Its previous version is kept as a backup first.
bool EditorSession::writeClasses(FormValues &form)
{
    storeIntoClass(form);
    showRecord(form);
    if (!folderUsable())
        return false;
    const std::filesystem::path path = activeClassFilePath();
    const std::span<const ClassRecord> classes(state().table.records.data(), std::size_t(state().table.classCount));
    std::filesystem::path target = path;
    FileBytes old = readWholeFile(path);
    std::optional<WritePlan> plan;
    auto written = std::make_unique<ClassTable>();
    for (bool changedWhileAsked = false;; changedWhileAsked = true) {
        if (!confirmLink(path, target) || !(plan = planWrite(path, old, classes, changedWhileAsked))
            || !confirmReadOnly(path)
            || (old.status == FileStatus::Missing && !plan->anew && !confirmFirstClassFile(path)))
            return false;
        readClassBytes(*written, plan->bytes);
        const int count = plan->merge ? int(plan->merge->classes.size()) : int(classes.size());
        if (!confirmUnreadBlocks(path, count, written->classCount))
            return false;
        FileBytes now = readWholeFile(path);
        if (now.status == old.status && now.bytes == old.bytes)
            break;
        old = std::move(now);
    }
    if (plan->bytes != old.bytes)
        keepBackup(path, old);
    SaveError error;
    if (!saveFileAtomically(target, plan->bytes, &error, backupKeeper(path))) {
        warnNotWritten(path, error);
        return false;
    }
    if (plan->merge)
        takeMerged(*plan->merge, form);
    const int count = state().table.classCount;
    takeClassesNowRead(*written);
    changes.fileWritten(path, plan->bytes);
    changes.classesSaved(state());
    classesWritten();
    forgetRecovery();
    fileProblems.fileWritten(plan->bytes,
                             std::span(state().table.records.data(), std::size_t(state().table.classCount)));
    const std::string name(classFileName(state().sealsActive));
    std::string status = std::to_string(count) + (count == 1 ? " class written to " : " classes written to ") + name;
    if (plan->anew)
        status = name + " was deleted on disk; " + std::to_string(count) + (count == 1 ? " class" : " classes")
                 + " written to it anew";
    else if (plan->merge)
        status += ", merged with the changes made on disk";
    if (const int more = written->classCount - count; more > 0)
        status += "; " + std::to_string(more) + " more read from it";
    view.setStatus(status);
    refreshIndicators(form);
    return true;
}

// A class file that is a symbolic link is written through only to a regular
// file, and only when the user says so, knowing which file; No is the
// default. target becomes that file.
bool EditorSession::confirmLink(const std::filesystem::path &path, std::filesystem::path &target)
{
    const std::optional<std::filesystem::path> linked = symlinkTarget(path);
    if (!linked)
        return true;
    std::error_code error;
    if (linked->empty() || !std::filesystem::is_regular_file(*linked, error)) {
        warnNotWritten(path, {"it is a symbolic link to " + (linked->empty() ? "nothing" : displayText(*linked))
                                  + ", which is not a regular file",
                              {}});
        return false;
    }
    target = *linked;
    return view.ask({displayText(path) + " is a symbolic link to the file\n" + displayText(target)
                         + "\nWrite the classes in memory into that file?",
                     EditorView::Choices::YesNo, Answer::No})
           == Answer::Yes;
}

// A read-only file is replaced (and stays read-only) only when the user
// says so; No is the default.
bool EditorSession::confirmReadOnly(const std::filesystem::path &path)
{
    return !isReadOnlyFile(path)
           || view.ask({displayText(path)
                            + " is read-only.\nReplace it with the classes in memory anyway? It stays "
                              "read-only.",
                        EditorView::Choices::YesNo, Answer::No})
                  == Answer::Yes;
}

// Blocks after the 64th, which the game does not read, stay in the file.
// With fewer classes written before them, the game reads some of them as
// classes: only when the user says so; No, the default, writes nothing.
bool EditorSession::confirmUnreadBlocks(const std::filesystem::path &path, int count, int read)
{
    if (read <= count)
        return true;
    return view.ask({displayText(path) + " holds class blocks after the 64th, which the game does not read. With "
                         + std::to_string(count) + " classes before them, the game would read "
                         + std::to_string(read - count)
                         + " of them as classes.\nWrite Out all the same, and take them into the classes in memory?",
                     EditorView::Choices::YesNo, Answer::No})
           == Answer::Yes;
}

// The classes that the file just written holds beyond those in memory
// (blocks after the 64th that are read now) join them, so that the next
// Write Out keeps them.
void EditorSession::takeClassesNowRead(const ClassTable &written)
{
    EditorState &now = state();
    if (written.classCount <= now.table.classCount)
        return;
    for (int slot = now.table.classCount; slot < written.classCount; ++slot) {
        now.table.records[std::size_t(slot)] = written.records[std::size_t(slot)];
        ids[std::size_t(slot)] = -1;
    }
    now.table.classCount = written.classCount;
    now.lastIndex = written.classCount - 1;
    history.clear();
    showPosition();
}

void EditorSession::warnNotWritten(const std::filesystem::path &path, const SaveError &error)
{
    const std::string afterwards = error.previousContents.empty()
                                       ? "The file on disk is unchanged."
                                       : "The file on disk may be damaged; its old contents are in "
                                             + displayText(error.previousContents) + ".";
    view.tell({EditorView::Icon::Warning, "Error",
               displayText(path) + " could not be written:\n" + error.reason + "\n\n" + afterwards});
}

// Before a command that drops the classes in memory or ends the run. False:
// the user cancelled or the write failed, and the command must not go on.
bool EditorSession::settleUnsavedChanges(FormValues &form)
{
    if (!changes.unsaved(state(), formRecord(form))) {
        forgetRecovery();
        return true;
    }
    switch (view.ask({"Write out the changes to " + std::string(classFileName(state().sealsActive)) + "?",
                      EditorView::Choices::WriteOutDiscardCancel, Answer::Cancel, true})) {
    case Answer::WriteOut:
        return writeClasses(form);
    case Answer::Discard: {
        // Back to what was last loaded or written, in the table and the form.
        EditorState &now = state();
        const EditorState &saved = changes.lastSaved();
        now.table = saved.table;
        now.lastIndex = saved.lastIndex;
        now.currentIndex = std::min(now.currentIndex, now.lastIndex);
        ids = savedIds;
        history.clear();
        forgetRecovery();
        showPosition();
        showRecord(form);
        return true;
    }
    default:
        return false;
    }
}

bool EditorSession::askYes(const std::string &text)
{
    return view.ask({text, EditorView::Choices::YesNo, Answer::Yes}) == Answer::Yes;
}

// The other team's file is active from now on, in this run already,
// although the questions speak of a restart.
void EditorSession::changeActiveConfig()
{
    FormValues form = view.form();
    if (!folderUsable() || !settleUnsavedChanges(form))
        return;
    if (!askYes(state().sealsActive ? "TANGOS CONFIG file will be readen on Restart"
                                    : "SEALS CONFIG file will be readen on Restart"))
        return;
    state().sealsActive = state().sealsActive ? 0 : 1;
    writeSettings();
    // The classes in memory stay the other team's until Load Config.
    if (!classesTeamNote().empty()) {
        const std::string active = state().sealsActive ? "Seals'" : "Tangos'";
        view.setStatus("The " + active + " file " + std::string(classFileName(state().sealsActive))
                       + " is active: Load Config reads it, and Write Out writes the classes in memory, which are "
                         "still the "
                       + (state().sealsActive ? "Tangos'" : "Seals'") + ", into it");
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
    if (!saveFileAtomically(path, settingsFileBytes(state().sealsActive, platformLineEnd), &error)) {
        warnNotWritten(path, error);
        return;
    }
    services.report("File written [" + std::string(settingsFileName) + "]\n");
}

} // namespace tolvane
