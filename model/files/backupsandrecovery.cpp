#include "backupsandrecovery.h"

#include "classdata/compare/classmatch.h"
#include "classdata/compare/unifieddiff.h"
#include "classdata/files/backupstore.h"
#include "classdata/files/recoverystore.h"
#include "classdata/files/userdata.h"
#include "classdata/format/classfilereader.h"
#include "model/review/changereview.h"

#include <algorithm>
#include <memory>

namespace tolvane {

using Answer = Questions::Answer;

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

// The versions (newest first) that share the second they were kept in are
// numbered from the oldest, so that no two are listed alike.
void numberWithinSeconds(std::vector<VersionChooser::KeptVersion> &versions)
{
    for (auto version = versions.begin(); version != versions.end(); ++version) {
        const auto sameSecond = [&](const VersionChooser::KeptVersion &other) { return other.kept == version->kept; };
        if (std::ranges::count_if(versions, sameSecond) > 1)
            version->inSecond = int(std::count_if(version, versions.end(), sameSecond));
    }
}

} // namespace

BackupsAndRecovery::BackupsAndRecovery(EditorSession &session, VersionChooser &chooser)
    : session(session), chooser(chooser)
{
    session.addListener(*this);
}

// The recovery file holds the classes in memory, the form, and what they
// were loaded from; its team is the one whose file the classes belong to,
// which a restore measures them against. The other team's classes, shown
// and edited beside them, have a recovery file of their own.
void BackupsAndRecovery::keepRecovery()
{
    const std::filesystem::path &folder = session.folder().path();
    if (!folder.is_absolute())
        return;
    const FormValues form = session.formView().form();
    for (int part = 0; part < 2; ++part) {
        const TeamDocument *document = session.documentOf(part);
        const bool withForm = part == session.formDocument();
        if (!document || !(withForm ? document->unsaved(form) : document->unsavedClasses())) {
            if (!kept[part].empty())
                forgetRecovery(part);
            continue;
        }
        keep(*document, withForm ? document->formRecord(form) : document->state().current(), part);
    }
}

void BackupsAndRecovery::keep(const TeamDocument &document, const ClassRecord &form, int part)
{
    const std::filesystem::path &from = document.changes().classesFile();
    SessionRecovery recovery{session.folder().path(), document.state(), form, std::nullopt, {}, document.origins()};
    if (!from.empty())
        recovery.state.sealsActive = from.filename() == classFileName(1) ? 1 : 0;
    if (const std::string *known = from.empty() ? nullptr : document.changes().knownBytes(from))
        recovery.loadedFile = *known;
    const ClassTable &saved = document.changes().lastSaved().table;
    recovery.loadedClasses.assign(saved.records.begin(),
                                  saved.records.begin() + std::clamp(saved.classCount, 0, tableSlotCount));
    std::string bytes = recoveryFileBytes(recovery);
    if (bytes == kept[part])
        return;
    std::string why;
    if (!RecoveryStore(recoveryFolder(session.dataFolder().path)).save(recovery, &why, part)) {
        session.dataFolder().warn(session.questions(),
                                  "The classes not written out cannot be kept for a restore after a crash: " + why
                                      + ".");
        return;
    }
    kept[part] = std::move(bytes);
}

void BackupsAndRecovery::forgetRecovery(int part)
{
    const std::filesystem::path folder = recoveryFolder(session.dataFolder().path);
    if (!folder.empty() && session.folder().path().is_absolute())
        RecoveryStore(folder).remove(session.folder().path(), part);
    kept[part].clear();
}

void BackupsAndRecovery::folderStarted(bool usable)
{
    kept[0].clear();
    kept[1].clear();
    if (usable) {
        offerRecovery(0);
        offerRecovery(1);
    }
}

// At the start in a folder: the unsaved classes an earlier run there left,
// restored into memory on the user's word (the default), with what they
// would change in the class file on disk now. Nothing is written. The other
// team's come back shown beside the active team's.
void BackupsAndRecovery::offerRecovery(int part)
{
    const std::filesystem::path folder = recoveryFolder(session.dataFolder().path);
    if (folder.empty())
        return;
    const GameFolder &gameFolder = session.folder();
    const RecoveryStore store(folder);
    const std::optional<SessionRecovery> recovery = store.find(gameFolder.path(), part);
    if (!recovery)
        return;
    const EditorState &before = recovery->state;
    const std::filesystem::path file = gameFolder.file(classFileName(before.sealsActive));
    const FileBytes disk = readWholeFile(file);
    const int count = std::clamp(std::max(before.table.classCount, before.lastIndex + 1), 0, tableSlotCount);
    std::vector<ClassRecord> classes(before.table.records.begin(), before.table.records.begin() + count);
    if (before.currentIndex < count)
        classes[std::size_t(before.currentIndex)] = recovery->form;
    std::vector<int> origins = recovery->origins;
    origins.resize(classes.size(), -1);
    const ClassFileMerge merge = mergeClassFile(
        {recovery->loadedFile.value_or(std::string()), recovery->loadedClasses, disk, classes, origins});
    const std::string name = displayText(file.filename());
    QuestionReview::Review review{
        "What writing the restored classes out would do to " + name + " as it is on disk now:\n"
            + utf8Of(mergeSummary(merge)),
        merge.outcome == ClassFileMerge::Outcome::Refused
            ? std::string()
            : utf8Of(unifiedDiff(disk.bytes, merge.bytes, name + " (on disk)", name + " (restored)"))};
    const std::string question =
        "When this program last ran in this folder, it ended with changes to " + name + " that were not written out ("
        + classCount(classes.size()) + "). They were kept in " + displayText(store.fileFor(gameFolder.path(), part))
        + ".\n\nRestore them into memory? The class file changes only when you write them out; Discard deletes them.";
    if (session.questionReview().ask(session.questions(),
                                     {question, Questions::Choices::RestoreDiscard, Answer::Restore, true},
                                     std::move(review))
        == Answer::Discard)
        store.remove(gameFolder.path(), part);
    else
        restoreRecovery(*recovery, file, part);
}

// The classes come back as unsaved changes to what they were loaded from,
// so that Write Out merges them into the file when it changed since; the
// active team stays the one the settings file names.
void BackupsAndRecovery::restoreRecovery(const SessionRecovery &recovery, const std::filesystem::path &file, int part)
{
    if (part == 1) {
        if (const std::string problem = session.showOtherTeam(true);
            !problem.empty() || classFileOf(session, 1) != file) {
            session.questions().tell({Questions::Icon::Warning, "Restore",
                                      "The changes to " + displayText(file.filename())
                                          + " cannot be restored beside the active team's classes. " + problem
                                          + "\nThey stay kept for the next start."});
            return;
        }
    }
    TeamDocument &document = *session.documentOf(part);
    EditorState state = recovery.state;
    // Another team's form is the class it was on.
    if (part != session.formDocument() && state.currentIndex >= 0 && state.currentIndex < tableSlotCount)
        state.table.records[std::size_t(state.currentIndex)] = recovery.form;
    document.restore(state, recovery.loadedClasses, recovery.origins);
    // Without a file they were loaded from, Write Out asks before it
    // replaces one that is there now, as it would have in that run.
    if (recovery.loadedFile) {
        document.changes().fileRead(file, {FileStatus::Read, *recovery.loadedFile, {}});
        document.fileProblems().fileRead(*recovery.loadedFile);
    } else {
        document.changes().classesBelongTo(file);
    }
    session.history().clear();
    FormValues form = session.formView().form();
    session.show(form);
    if (part == session.formDocument()) {
        showRecordIn(recovery.form, form);
        session.formView().showForm(form);
    }
    session.formView().setStatus("Restored the changes to " + displayText(file.filename())
                                 + " that were not written out; Write Out writes them");
    session.refreshIndicators(form);
}

void BackupsAndRecovery::restorePreviousVersion()
{
    if (!folderUsable(session))
        return;
    const std::filesystem::path path = classFileOf(session, session.formDocument());
    const std::string name = displayText(path.filename());
    const std::filesystem::path folder = backupsFolder(session.dataFolder().path);
    const BackupStore store(folder);
    const FileBytes now = readWholeFile(path);
    const std::vector<ClassRecord> onDisk = now.status == FileStatus::Read ? classesIn(now.bytes)
                                                                           : std::vector<ClassRecord>();
    std::vector<std::vector<ClassRecord>> versions;
    std::vector<VersionChooser::KeptVersion> listed;
    for (const BackupStore::Version &version :
         folder.empty() ? std::vector<BackupStore::Version>() : store.versions(path)) {
        const FileBytes bytes = readWholeFile(version.path);
        if (bytes.status != FileStatus::Read || classFileKind(version.path, bytes.bytes) != ClassFileKind::ClassFile)
            continue;
        versions.push_back(classesIn(bytes.bytes));
        listed.push_back({version.time, utf8Of(listedLines(replacementChanges(onDisk, versions.back()),
                                                           "the same classes as the file on disk"))});
    }
    numberWithinSeconds(listed);
    if (versions.empty()) {
        session.questions().tell({Questions::Icon::Information, "Restore Previous Version",
                                  "No earlier version of " + name + " is kept"
                                      + (folder.empty() ? std::string() : " in " + displayText(store.folderFor(path)))
                                      + ".\nWrite Out keeps the version of the file it replaces."});
        return;
    }
    const std::optional<std::size_t> chosen = chooser.chooseVersion(name, listed);
    if (!chosen || *chosen >= versions.size())
        return;
    FormValues form = session.formView().form();
    session.store(form);
    const std::vector<ClassRecord> &restored = versions[*chosen];
    EditorState &s = session.document().state();
    // A restored class keeps the block in the file of the class of its name.
    ClassIds restoredIds;
    restoredIds.fill(-1);
    const EditedClasses classes = session.document().classes();
    const std::span<const ClassRecord> inMemory(s.table.records.data(), std::size_t(s.table.classCount));
    for (const ClassPair &pair : matchClasses(inMemory, restored).pairs) {
        if (pair.first >= 0 && pair.second >= 0)
            restoredIds[std::size_t(pair.second)] = classes.ids[std::size_t(pair.first)];
    }
    const int count = int(std::min(restored.size(), std::size_t(tableSlotCount)));
    TableEdit step("Restore Previous Version", s);
    for (int slot = 0; slot < std::max(count, s.table.classCount); ++slot)
        step.replace(classes, slot, slot < count ? restored[std::size_t(slot)] : s.table.records[std::size_t(slot)],
                     restoredIds[std::size_t(slot)]);
    s.table.classCount = count;
    s.lastIndex = std::max(count - 1, 0);
    s.currentIndex = std::min(s.currentIndex, s.lastIndex);
    step.finish(s);
    session.history().add(std::move(step));
    session.show(form, "Restored an earlier version of " + name + " (" + classCount(restored.size())
                           + "); Write Out writes it, Undo takes it back");
}

} // namespace tolvane
