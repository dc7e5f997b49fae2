#include "editorsession.h"

#include "classdata/files/backupstore.h"
#include "model/review/changereview.h"
#include "classdata/format/classfilereader.h"
#include "classdata/compare/classmatch.h"
#include "classdata/files/recoverystore.h"
#include "classdata/compare/unifieddiff.h"
#include "classdata/files/userdata.h"

#include <algorithm>
#include <memory>

namespace tolvane {

// What the user's data folder keeps for the session: the unsaved classes
// for a restore after a crash, and the earlier versions of the class file.

using Answer = EditorView::Answer;

namespace {

std::vector<ClassRecord> classesIn(std::string_view bytes)
{
    const auto table = std::make_unique<ClassTable>();
    readClassBytes(*table, bytes);
    return {table->records.begin(), table->records.begin() + table->classCount};
}

std::string classCount(std::size_t count)
{
    return std::to_string(count) + (count == 1 ? " class" : " classes");
}

} // namespace

// The recovery file holds the classes in memory, the form, and what they
// were loaded from; its team is the one whose file the classes belong to,
// which a restore measures them against.
void EditorSession::keepRecovery()
{
    if (!gameFolder.path().is_absolute())
        return;
    const ClassRecord form = formRecord(view.form());
    if (!changes.unsaved(state(), form)) {
        if (!keptRecovery.empty())
            forgetRecovery();
        return;
    }
    const std::filesystem::path &from = changes.classesFile();
    SessionRecovery recovery{gameFolder.path(), state(), form, std::nullopt, {}, classOrigins()};
    if (!from.empty())
        recovery.state.sealsActive = from.filename() == classFileName(1) ? 1 : 0;
    if (const std::string *known = from.empty() ? nullptr : changes.knownBytes(from))
        recovery.loadedFile = *known;
    const ClassTable &saved = changes.lastSaved().table;
    recovery.loadedClasses.assign(saved.records.begin(),
                                  saved.records.begin() + std::clamp(saved.classCount, 0, tableSlotCount));
    std::string bytes = recoveryFileBytes(recovery);
    if (bytes == keptRecovery)
        return;
    std::string why;
    if (!RecoveryStore(recoveryFolder(services.dataFolder)).save(recovery, &why)) {
        warnDataFolder("The classes not written out cannot be kept for a restore after a crash: " + why + ".");
        return;
    }
    keptRecovery = std::move(bytes);
}

void EditorSession::forgetRecovery()
{
    const std::filesystem::path folder = recoveryFolder(services.dataFolder);
    if (!folder.empty() && gameFolder.path().is_absolute())
        RecoveryStore(folder).remove(gameFolder.path());
    keptRecovery.clear();
}

// At the start in a folder: the unsaved classes an earlier run there left,
// restored into memory on the user's word (the default), with what they
// would change in the class file on disk now. Nothing is written.
void EditorSession::offerRecovery()
{
    const std::filesystem::path folder = recoveryFolder(services.dataFolder);
    if (folder.empty())
        return;
    const RecoveryStore store(folder);
    const std::optional<SessionRecovery> recovery = store.find(gameFolder.path());
    if (!recovery)
        return;
    const EditorState &kept = recovery->state;
    const std::filesystem::path file = gameFolder.file(classFileName(kept.sealsActive));
    const FileBytes disk = readWholeFile(file);
    const int count = std::clamp(std::max(kept.table.classCount, kept.lastIndex + 1), 0, tableSlotCount);
    std::vector<ClassRecord> classes(kept.table.records.begin(), kept.table.records.begin() + count);
    if (kept.currentIndex < count)
        classes[std::size_t(kept.currentIndex)] = recovery->form;
    std::vector<int> origins = recovery->origins;
    origins.resize(classes.size(), -1);
    const ClassFileMerge merge = mergeClassFile(
        {recovery->loadedFile.value_or(std::string()), recovery->loadedClasses, disk, classes, origins});
    const std::string name = displayText(file.filename());
    Review review{"What writing the restored classes out would do to " + name + " as it is on disk now:\n"
                      + utf8Of(mergeSummary(merge, MergeChoice::KeepFile)),
                  merge.outcome == ClassFileMerge::Outcome::Refused
                      ? std::string()
                      : utf8Of(unifiedDiff(disk.bytes, merge.bytes, name + " (on disk)", name + " (restored)"))};
    const std::string question =
        "When this program last ran in this folder, it ended with changes to " + name + " that were not written out ("
        + classCount(classes.size()) + "). They were kept in " + displayText(store.fileFor(gameFolder.path()))
        + ".\n\nRestore them into memory? The class file changes only when you write them out; Discard deletes them.";
    if (askWithReview({question, EditorView::Choices::RestoreDiscard, Answer::Restore, true}, std::move(review))
        == Answer::Discard)
        store.remove(gameFolder.path());
    else
        restoreRecovery(*recovery, file);
}

// The classes come back as unsaved changes to what they were loaded from,
// so that Write Out merges them into the file when it changed since; the
// active team stays the one the settings file names.
void EditorSession::restoreRecovery(const SessionRecovery &recovery, const std::filesystem::path &file)
{
    EditorState &s = state();
    const int loadedCount = int(std::min(recovery.loadedClasses.size(), std::size_t(tableSlotCount)));
    EditorState saved = s;
    std::copy_n(recovery.loadedClasses.begin(), loadedCount, saved.table.records.begin());
    saved.table.classCount = loadedCount;
    saved.lastIndex = std::max(loadedCount - 1, 0);
    changes.classesSaved(saved);
    // Without a file they were loaded from, Write Out asks before it
    // replaces one that is there now, as it would have in that run.
    if (recovery.loadedFile) {
        changes.fileRead(file, {FileStatus::Read, *recovery.loadedFile, {}});
        fileProblems.fileRead(*recovery.loadedFile);
    } else {
        changes.classesBelongTo(file);
    }
    savedIds = blocks.loaded(loadedCount);
    const std::int32_t team = s.sealsActive;
    s = recovery.state;
    s.sealsActive = team;
    for (std::size_t slot = 0; slot < ids.size(); ++slot) {
        const int origin = slot < recovery.origins.size() ? recovery.origins[slot] : -1;
        ids[slot] = origin >= 0 && origin < loadedCount ? savedIds[std::size_t(origin)] : -1;
    }
    history.clear();
    showPosition();
    FormValues form = view.form();
    showRecord(form);
    showRecordIn(recovery.form, form);
    view.showForm(form);
    view.setStatus("Restored the changes to " + displayText(file.filename())
                   + " that were not written out; Write Out writes them");
    refreshIndicators(form);
}

void EditorSession::restorePreviousVersion()
{
    if (!folderUsable())
        return;
    const std::filesystem::path path = activeClassFilePath();
    const std::string name = displayText(path.filename());
    const std::filesystem::path folder = backupsFolder(services.dataFolder);
    const BackupStore store(folder);
    const FileBytes now = readWholeFile(path);
    const std::vector<ClassRecord> onDisk = now.status == FileStatus::Read ? classesIn(now.bytes)
                                                                           : std::vector<ClassRecord>();
    std::vector<std::vector<ClassRecord>> versions;
    std::vector<EditorView::KeptVersion> listed;
    for (const BackupStore::Version &version :
         folder.empty() ? std::vector<BackupStore::Version>() : store.versions(path)) {
        const FileBytes bytes = readWholeFile(version.path);
        if (bytes.status != FileStatus::Read || classFileKind(version.path, bytes.bytes) != ClassFileKind::ClassFile)
            continue;
        versions.push_back(classesIn(bytes.bytes));
        listed.push_back({version.time, utf8Of(listedLines(replacementChanges(onDisk, versions.back()),
                                                           "the same classes as the file on disk"))});
    }
    if (versions.empty()) {
        view.tell({EditorView::Icon::Information, "Restore Previous Version",
                   "No earlier version of " + name + " is kept"
                       + (folder.empty() ? std::string() : " in " + displayText(store.folderFor(path)))
                       + ".\nWrite Out keeps the version of the file it replaces."});
        return;
    }
    const std::optional<std::size_t> chosen = view.chooseVersion(name, listed);
    if (!chosen || *chosen >= versions.size())
        return;
    FormValues form = view.form();
    storeIntoClass(form);
    const std::vector<ClassRecord> &restored = versions[*chosen];
    EditorState &s = state();
    // A restored class keeps the block in the file of the class of its name.
    ClassIds restoredIds;
    restoredIds.fill(-1);
    const std::span<const ClassRecord> inMemory(s.table.records.data(), std::size_t(s.table.classCount));
    for (const ClassPair &pair : matchClasses(inMemory, restored).pairs) {
        if (pair.first >= 0 && pair.second >= 0)
            restoredIds[std::size_t(pair.second)] = ids[std::size_t(pair.first)];
    }
    const int count = int(std::min(restored.size(), std::size_t(tableSlotCount)));
    TableEdit step("Restore Previous Version", s);
    for (int slot = 0; slot < std::max(count, s.table.classCount); ++slot)
        step.replace(classes(), slot, slot < count ? restored[std::size_t(slot)] : s.table.records[std::size_t(slot)],
                     restoredIds[std::size_t(slot)]);
    s.table.classCount = count;
    s.lastIndex = std::max(count - 1, 0);
    s.currentIndex = std::min(s.currentIndex, s.lastIndex);
    step.finish(s);
    record(std::move(step));
    showMoved(form, "Restored an earlier version of " + name + " (" + classCount(restored.size())
                        + "); Write Out writes it, Undo takes it back");
}

} // namespace tolvane
