#include "editorsession.h"

#include "classfilereader.h"
#include "classfileupdate.h"
#include "classfilewriter.h"
#include "safesave.h"
#include "settings.h"

#include <algorithm>
#include <memory>
#include <span>

using Answer = EditorView::Answer;

void EditorSession::loadConfig()
{
    if (!folderUsable() || !settleUnsavedChanges())
        return;
    const std::filesystem::path path = activeClassFilePath();
    const auto read = std::make_unique<ClassTable>(state().table);
    const FileBytes file = ReadClassFile(*read, gameFolder.path(), state().sealsActive);
    if (!acceptClassFile(path, file))
        return;
    state().table = *read;
    changes.fileRead(path, file);
    if (file.status == FileStatus::Read)
        fileProblems.fileRead(file.bytes);
    else
        fileProblems.clear();
    EditingModel::Result result = editing.loaded(file.status == FileStatus::Read);
    classesLoaded();
    result.status =
        withProblemCount(*result.status, fileProblems.current(classesToWrite(false), classOrigins()).size());
    showResult(result);
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

// The form goes into the table first, then the whole table replaces the
// active team's class file.
bool EditorSession::writeOut()
{
    saveToMemory();
    showRecord();
    if (!folderUsable())
        return false;
    const std::filesystem::path path = activeClassFilePath();
    const FileBytes old = readWholeFile(path);
    if (!confirmOverwrite(path, old) || !confirmReadOnly(path)
        || (old.status == FileStatus::Missing && !confirmFirstClassFile(path)))
        return false;

    const std::span<const ClassRecord> classes(state().table.records.data(), std::size_t(state().table.classCount));
    const std::string bytes = bytesToWrite(path, old, classes);
    std::string error;
    if (!saveFileAtomically(path, bytes, &error)) {
        warnNotWritten(path, error);
        return false;
    }
    changes.fileWritten(path, bytes);
    changes.classesSaved(state());
    classesWritten();
    fileProblems.fileWritten(bytes, classes);
    const int count = state().table.classCount;
    view.setStatus(std::to_string(count) + (count == 1 ? " class written to " : " classes written to ")
                   + std::string(ClassFileName(state().sealsActive)));
    refreshIndicators();
    return true;
}

// A class file that this run has neither loaded nor written, or that changed
// on disk since, is replaced only when the user says so; No is the default.
// A missing file is not replaced, so nothing is asked. A path that cannot be
// read (one too long, a folder, a named pipe) is reported, not asked about.
bool EditorSession::confirmOverwrite(const std::filesystem::path &path, const FileBytes &current)
{
    // What cannot be read cannot be kept, and replacing it would destroy
    // what it is (a named pipe, a folder, a file without read permission).
    if (current.status == FileStatus::Unreadable) {
        warnNotWritten(path, current.error);
        return false;
    }
    const std::string shown = displayText(path);
    switch (changes.replacing(path, current)) {
    case ChangeTracker::Replacing::Quietly:
        return true;
    case ChangeTracker::Replacing::NotLoaded:
        return view.ask({shown + " already exists, and this program has neither loaded nor written it since it "
                                 "started.\nReplace it with the classes in memory?",
                         EditorView::Choices::YesNo, Answer::No, true})
               == Answer::Yes;
    case ChangeTracker::Replacing::ChangedOnDisk:
        break;
    }
    return view.ask({shown + " has changed on disk since this program last loaded or wrote it.\n"
                             "Replace it with the classes in memory?",
                     EditorView::Choices::YesNo, Answer::No, true})
           == Answer::Yes;
}

// A read-only file is replaced (and stays read-only) only when the user
// says so; No is the default.
bool EditorSession::confirmReadOnly(const std::filesystem::path &path)
{
    return !isReadOnlyFile(path)
           || view.ask({displayText(path) + " is read-only.\nReplace it with the classes in memory anyway? It stays "
                                            "read-only.",
                        EditorView::Choices::YesNo, Answer::No})
                  == Answer::Yes;
}

void EditorSession::warnNotWritten(const std::filesystem::path &path, const std::string &reason)
{
    view.tell({EditorView::Icon::Warning, "Error",
               displayText(path) + " could not be written:\n" + reason + "\n\nThe file on disk is unchanged."});
}

// Before a command that drops the classes in memory or ends the run. False:
// the user cancelled or the write failed, and the command must not go on.
bool EditorSession::settleUnsavedChanges()
{
    if (!hasUnsavedChanges())
        return true;
    switch (view.ask({"Write out the changes to " + std::string(ClassFileName(state().sealsActive)) + "?",
                      EditorView::Choices::WriteOutDiscardCancel, Answer::Cancel, true})) {
    case Answer::WriteOut:
        return writeOut();
    case Answer::Discard: {
        // Back to what was last loaded or written, in the table and the form.
        EditorState &now = state();
        const EditorState &saved = changes.lastSaved();
        now.table = saved.table;
        now.lastIndex = saved.lastIndex;
        now.currentIndex = std::min(now.currentIndex, now.lastIndex);
        ids = savedIds;
        history.clear();
        showPosition();
        showRecord();
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
    if (!folderUsable() || !settleUnsavedChanges())
        return;
    if (!askYes(state().sealsActive ? "TANGOS CONFIG file will be readen on Restart"
                                    : "SEALS CONFIG file will be readen on Restart"))
        return;
    state().sealsActive = state().sealsActive ? 0 : 1;
    writeSettings();
    refreshIndicators();
}

void EditorSession::writeSettings()
{
    if (!askYes("Changes will be taken in effect in restarting this Programm"))
        return;
    const std::filesystem::path path = gameFolder.file(settingsFileName);
    std::string error;
    if (!saveFileAtomically(path, SettingsFileBytes(state().sealsActive, platformLineEnd), &error)) {
        warnNotWritten(path, error);
        return;
    }
    services.report("File written [" + std::string(settingsFileName) + "]\n");
}
