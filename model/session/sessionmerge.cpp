#include "editorsession.h"

#include "classdata/files/backupstore.h"
#include "model/review/changereview.h"
#include "classdata/format/classfilereader.h"
#include "classdata/format/classfileupdate.h"
#include "classdata/format/classfilewriter.h"
#include "classdata/compare/unifieddiff.h"
#include "classdata/files/userdata.h"

#include <algorithm>
#include <utility>

namespace tolvane {

// Write Out after the class file changed on disk, was deleted, or belongs to
// the other team, and the backup of what it replaces.

using Answer = EditorView::Answer;

namespace {

// "Seals'" or "Tangos'": whose classes a class file holds.
std::string teamOf(const std::filesystem::path &file)
{
    return file.filename() == classFileName(1) ? "Seals'" : "Tangos'";
}

constexpr std::size_t shownConflicts = 8;

} // namespace

std::string EditorSession::classesTeamNote() const
{
    const std::filesystem::path &from = changes.classesFile();
    if (from.empty() || from == activeClassFilePath())
        return {};
    return " (the " + teamOf(from) + " classes; the " + teamOf(activeClassFilePath()) + " file is active)";
}

EditorView::Answer EditorSession::askWithReview(const EditorView::Question &question, Review review)
{
    questionReview = std::move(review);
    const Answer answer = view.ask(question);
    questionReview.reset();
    return answer;
}

// Whether and how the file on disk is replaced: the one place that decides
// it before every write. A missing file, or one just as this run last loaded
// or wrote it, is written quietly; one that changed on disk since (also while
// a question about it was open) gets this session's changes merged into it,
// or is replaced or reloaded, as the user says. A file this run has neither
// loaded nor written, or the other team's, is replaced only when the user
// says so; No is the default. A path that cannot be read (one too long, a
// folder, a named pipe) is reported, not asked about: replacing it would
// destroy what it is.
std::optional<EditorSession::WritePlan> EditorSession::planWrite(const std::filesystem::path &path,
                                                                 const FileBytes &old,
                                                                 std::span<const ClassRecord> classes,
                                                                 bool changedWhileAsked)
{
    if (old.status == FileStatus::Unreadable) {
        warnNotWritten(path, {old.error, {}});
        return std::nullopt;
    }
    const std::string shown = displayText(path);
    std::string question;
    switch (changes.replacing(path, old)) {
    case ChangeTracker::Replacing::Quietly:
        return plannedQuietly(path, old, classes);
    case ChangeTracker::Replacing::ChangedOnDisk:
        return planMerge(path, old, classes);
    case ChangeTracker::Replacing::NotLoaded:
        question = shown + " already exists, and this program has neither loaded nor written it since it started."
                   + (changedWhileAsked ? " It changed while the last question was open." : "")
                   + "\nReplace it with the classes in memory?";
        break;
    case ChangeTracker::Replacing::OtherFile:
        question = shown + " holds the " + teamOf(path) + " classes, and the classes in memory are the "
                   + teamOf(changes.classesFile()) + " (read from " + displayText(changes.classesFile().filename())
                   + ").\nReplace the " + teamOf(path) + " file with them?";
        break;
    }
    if (view.ask({question, EditorView::Choices::YesNo, Answer::No, true}) != Answer::Yes)
        return std::nullopt;
    return WritePlan{classFileBytes(classes, lineEndToKeep(old.bytes))};
}

// The file as this run knows it keeps each class's own lines; one deleted
// since is written anew in the fixed layout, with the line ends it had.
EditorSession::WritePlan EditorSession::plannedQuietly(const std::filesystem::path &path, const FileBytes &old,
                                                       std::span<const ClassRecord> classes) const
{
    if (const std::string *known = changes.knownBytes(path); known && old.status == FileStatus::Missing)
        return {classFileBytes(classes, lineEndToKeep(*known)), std::nullopt, true};
    std::vector<int> origins = classOrigins();
    origins.resize(classes.size(), -1);
    return {updatedClassFile(old.bytes, classes, origins)};
}

MergeInput EditorSession::mergeInput(const std::filesystem::path &path, const FileBytes &old,
                                     std::span<const ClassRecord> classes, std::vector<int> &origins) const
{
    static const std::string none;
    const std::string *known = changes.knownBytes(path);
    const ClassTable &saved = changes.lastSaved().table;
    origins = classOrigins();
    origins.resize(classes.size(), -1);
    return {known ? *known : none,
            std::span(saved.records.data(), std::size_t(std::clamp(saved.classCount, 0, tableSlotCount))), old, classes,
            origins};
}

// The question about a file changed on disk: merge (the default), replace,
// reload, cancel; then, for values changed on both sides, which side wins,
// the file's by default. Review Changes shows what each answer does to it.
std::optional<EditorSession::WritePlan>
EditorSession::planMerge(const std::filesystem::path &path, const FileBytes &old, std::span<const ClassRecord> classes)
{
    std::vector<int> origins;
    const MergeInput input = mergeInput(path, old, classes, origins);
    ClassFileMerge merge = mergeClassFile(input, MergeChoice::KeepFile);
    const std::string shown = displayText(path);
    if (merge.outcome == ClassFileMerge::Outcome::Refused) {
        view.tell({EditorView::Icon::Warning, "Write Out",
                   shown + " has changed on disk since this program last loaded or wrote it, and " + merge.reason
                       + ".\nNothing was written; the classes in memory are unchanged."});
        return std::nullopt;
    }
    ClassFileMerge mine = merge.conflicts.empty() ? merge : mergeClassFile(input, MergeChoice::TakeMemory);
    const std::string replaced = classFileBytes(classes, lineEndToKeep(old.bytes));
    const std::string name = displayText(path.filename());
    const auto diff = [&](const std::string &bytes, const char *how) {
        return utf8Of(unifiedDiff(old.bytes, bytes, name + " (on disk)", name + " (" + how + ")"));
    };
    // A question stays within the screen: its Review Changes lists them all.
    std::string conflicts;
    for (std::size_t i = 0; i < std::min(merge.conflicts.size(), shownConflicts); ++i)
        conflicts += "    " + utf8Of(conflictText(merge.conflicts[i])) + '\n';
    if (merge.conflicts.size() > shownConflicts)
        conflicts += "    and " + std::to_string(merge.conflicts.size() - shownConflicts)
                     + " more, which Review Changes lists\n";

    const std::string replacing =
        "Replace (notes and other changes in the file are lost):\nWhat the file on disk gets:\n"
        + utf8Of(listedLines(replacementChanges(merge.diskClasses, classes), "no class changes"));
    Review review{"Merge (the default):\n" + utf8Of(mergeSummary(merge, MergeChoice::KeepFile)) + '\n' + replacing
                      + "\nReload from Disk leaves the file as it is.\n",
                  "Merge:\n" + diff(merge.bytes, "merged") + "\nReplace:\n" + diff(replaced, "replaced")};
    const std::string question =
        shown + " has changed on disk since this program last loaded or wrote it.\n\n"
        + "Merge: this session's changes go into the file as it is now; its notes and the changes made on disk "
          "stay.\n"
        + (conflicts.empty() ? "" : "Changed both in the file and here, which Merge then asks about:\n" + conflicts)
        + "Replace: the classes in memory replace the file; notes and other changes in the file are lost.\n"
          "Reload from Disk: the classes are read from the file again; the changes in memory are lost.";
    switch (askWithReview({question, EditorView::Choices::MergeReplaceReloadCancel, Answer::Merge, true},
                          std::move(review))) {
    case Answer::Merge:
        break;
    case Answer::Replace:
        return WritePlan{replaced};
    case Answer::Reload:
        readActiveFile();
        return std::nullopt;
    default:
        return std::nullopt;
    }
    if (!merge.conflicts.empty()) {
        review = {"Keep the file's values (the default):\n" + utf8Of(mergeSummary(merge, MergeChoice::KeepFile))
                      + "\nTake this session's values:\n" + utf8Of(mergeSummary(mine, MergeChoice::TakeMemory)),
                  "Keep the file's values:\n" + diff(merge.bytes, "merged") + "\nTake this session's values:\n"
                      + diff(mine.bytes, "merged")};
        switch (askWithReview({"These values were changed both in the file on disk and here:\n" + conflicts
                                   + "\nKeep the file's values, or take this session's?",
                               EditorView::Choices::KeepFileTakeMineCancel, Answer::KeepFile, true},
                              std::move(review))) {
        case Answer::KeepFile:
            break;
        case Answer::TakeMine:
            merge = std::move(mine);
            break;
        default:
            return std::nullopt;
        }
    }
    WritePlan plan{merge.bytes};
    plan.merge = std::move(merge);
    return plan;
}

// The classes in memory become those the merged file holds, the form staying
// on the class it showed where the file still has it; each is the block of
// its place in the file, and Undo starts afresh.
void EditorSession::takeMerged(const ClassFileMerge &merge, FormValues &form)
{
    EditorState &s = state();
    const int count = int(std::min(merge.classes.size(), std::size_t(tableSlotCount)));
    const auto shown = std::ranges::find(merge.fromMemory, s.currentIndex);
    std::copy_n(merge.classes.begin(), count, s.table.records.begin());
    s.table.classCount = count;
    s.lastIndex = std::max(count - 1, 0);
    s.currentIndex = shown != merge.fromMemory.end() && shown - merge.fromMemory.begin() < count
                         ? int(shown - merge.fromMemory.begin())
                         : std::min(s.currentIndex, s.lastIndex);
    ids = blocks.loaded(count);
    history.clear();
    showPosition();
    showRecord(form);
}

// The version the write replaces goes to the backups in the user's data
// folder, never beside the file. When it cannot be kept, that is told once
// a session, and the file is written all the same.
void EditorSession::keepBackup(const std::filesystem::path &path, const FileBytes &old)
{
    if (old.status != FileStatus::Read)
        return;
    std::string why;
    if (!BackupStore(backupsFolder(services.dataFolder)).keep(path, old.bytes, &why))
        warnDataFolder("No earlier version of " + displayText(path.filename()) + " could be kept: " + why
                       + ".\nWrite Out writes the file all the same.");
}

OldContentsKeeper EditorSession::backupKeeper(const std::filesystem::path &path) const
{
    return BackupStore(backupsFolder(services.dataFolder)).keeperFor(path);
}

void EditorSession::warnDataFolder(const std::string &what)
{
    if (std::exchange(dataFolderWarned, true))
        return;
    view.tell({EditorView::Icon::Warning, "Data Folder",
               what + "\n\nThis is told once a session; the game folder is never used for these copies."});
}

} // namespace tolvane
