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
    classesFromSeals = state().sealsActive;
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
// active team's class file, once every question about it is answered and
// the file is still as it was when they were asked.
bool EditorSession::writeOut()
{
    saveToMemory();
    showRecord();
    if (!folderUsable())
        return false;
    const std::filesystem::path path = activeClassFilePath();
    const std::span<const ClassRecord> classes(state().table.records.data(), std::size_t(state().table.classCount));
    std::filesystem::path target = path;
    FileBytes old = readWholeFile(path);
    std::string bytes;
    auto written = std::make_unique<ClassTable>();
    for (bool changedWhileAsked = false;; changedWhileAsked = true) {
        if (!confirmLink(path, target) || !confirmOverwrite(path, old, changedWhileAsked) || !confirmReadOnly(path))
            return false;
        bytes = bytesToWrite(path, old, classes);
        ReadClassBytes(*written, bytes);
        if (!confirmUnreadBlocks(path, int(classes.size()), written->classCount))
            return false;
        FileBytes now = readWholeFile(path);
        if (now.status == old.status && now.bytes == old.bytes)
            break;
        old = std::move(now);
    }
    SaveError error;
    if (!saveFileAtomically(target, bytes, &error)) {
        warnNotWritten(path, error);
        return false;
    }
    const int count = int(classes.size());
    takeClassesNowRead(*written);
    changes.fileWritten(path, bytes);
    changes.classesSaved(state());
    classesWritten();
    classesFromSeals = state().sealsActive;
    fileProblems.fileWritten(bytes, std::span(state().table.records.data(), std::size_t(state().table.classCount)));
    std::string status = std::to_string(count) + (count == 1 ? " class written to " : " classes written to ")
                         + std::string(ClassFileName(state().sealsActive));
    if (const int more = written->classCount - count; more > 0)
        status += "; " + std::to_string(more) + " more read from it";
    view.setStatus(status);
    refreshIndicators();
    return true;
}

// Whether the file on disk may be replaced: the one place that decides it
// before every write. A missing file, or one just as this run last loaded or
// wrote it, is replaced quietly; a file this run has neither loaded nor
// written, or one that changed on disk since (also while a question about it
// was open), only when the user says so; No is the default. A path that
// cannot be read (one too long, a folder, a named pipe) is reported, not
// asked about.
bool EditorSession::confirmOverwrite(const std::filesystem::path &path, const FileBytes &current,
                                     bool changedWhileAsked)
{
    // What cannot be read cannot be kept, and replacing it would destroy
    // what it is (a named pipe, a folder, a file without read permission).
    if (current.status == FileStatus::Unreadable) {
        warnNotWritten(path, {current.error, {}});
        return false;
    }
    const std::string shown = displayText(path);
    ChangeTracker::Replacing replacing = changes.replacing(path, current);
    if (changedWhileAsked && replacing == ChangeTracker::Replacing::NotLoaded)
        replacing = ChangeTracker::Replacing::ChangedOnDisk;
    switch (replacing) {
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
                              + ", which is not a regular file", {}});
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
           || view.ask({displayText(path) + " is read-only.\nReplace it with the classes in memory anyway? It stays "
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
    SaveError error;
    if (!saveFileAtomically(path, SettingsFileBytes(state().sealsActive, platformLineEnd), &error)) {
        warnNotWritten(path, error);
        return;
    }
    services.report("File written [" + std::string(settingsFileName) + "]\n");
}
