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

namespace {

// The conflicts for a question, a line each; beyond eight, how many more
// Review Changes lists, so that the question stays within the screen.
std::string conflictLines(const std::vector<MergeConflict> &conflicts)
{
    std::string lines;
    for (std::size_t i = 0; i < std::min(conflicts.size(), shownConflicts); ++i)
        lines += "    " + utf8Of(conflictText(conflicts[i])) + '\n';
    if (conflicts.size() > shownConflicts)
        lines += "    and " + std::to_string(conflicts.size() - shownConflicts) + " more, which Review Changes lists\n";
    return lines;
}

// What writing bytes does to the file on disk, for Review Changes.
std::string fileDiff(const FileBytes &old, const std::string &bytes, const std::string &name, const char *how)
{
    return utf8Of(unifiedDiff(old.bytes, bytes, name + " (on disk)", name + " (" + how + ")"));
}

} // namespace

// The question about a file changed on disk: merge (the default), replace,
// reload, cancel; then, for values changed on both sides, which side wins,
// the file's by default; then, for classes the disk removed, whether they
// stay, as they do by default. Each question names what it is about, and
// Review Changes shows what each answer does to the file.
std::optional<EditorSession::WritePlan>
EditorSession::planMerge(const std::filesystem::path &path, const FileBytes &old, std::span<const ClassRecord> classes)
{
    std::vector<int> origins;
    const MergeInput input = mergeInput(path, old, classes, origins);
    ClassFileMerge merge = mergeClassFile(input);
    const std::string shown = displayText(path);
    if (merge.outcome == ClassFileMerge::Outcome::Refused) {
        view.tell({EditorView::Icon::Warning, "Write Out",
                   shown + " has changed on disk since this program last loaded or wrote it, and " + merge.reason
                       + ".\nNothing was written; the classes in memory are unchanged."});
        return std::nullopt;
    }
    const std::string replaced = classFileBytes(classes, lineEndToKeep(old.bytes));
    const std::string name = displayText(path.filename());
    const std::string conflicts = conflictLines(merge.conflicts);
    const std::string replacing =
        "Replace (notes and other changes in the file are lost):\nWhat the file on disk gets:\n"
        + utf8Of(listedLines(replacementChanges(merge.diskClasses, classes), "no class changes"));
    Review review{"Merge (the default):\n" + utf8Of(mergeSummary(merge)) + '\n' + replacing
                      + "\nReload from Disk leaves the file as it is.\n",
                  "Merge:\n" + fileDiff(old, merge.bytes, name, "merged") + "\nReplace:\n"
                      + fileDiff(old, replaced, name, "replaced")};
    const std::string question =
        shown + " has changed on disk since this program last loaded or wrote it.\n\n"
        + "Merge: this session's changes go into the file as it is now; its notes and the changes made on disk "
          "stay.\n"
        + (conflicts.empty() ? "" : "Changed both in the file and here, which Merge then asks about:\n" + conflicts)
        + (merge.removedOnDisk.empty() ? ""
                                       : "Removed from the file on disk, which Merge keeps in memory and writes back "
                                         "unless you choose to remove them: "
                                             + utf8Of(removedNames(merge)) + ".\n")
        + "Replace: the classes in memory replace the file; notes and other changes in the file are lost.\n"
          "Reload from Disk: the classes are read from the file again; the changes in memory are lost.";
    switch (askWithReview({question, EditorView::Choices::MergeReplaceReloadCancel, Answer::Merge, true},
                          std::move(review))) {
    case Answer::Merge:
        break;
    case Answer::Replace:
        return WritePlan{replaced};
    case Answer::Reload:
        keepKnownVersion(path, old);
        readActiveFile();
        return std::nullopt;
    default:
        return std::nullopt;
    }
    if (!settleConflicts(input, name, conflicts, merge) || !settleRemovals(input, name, merge))
        return std::nullopt;
    WritePlan plan{merge.bytes};
    plan.merge = std::move(merge);
    return plan;
}

// Values changed both on disk and here: the file's (the default) or this
// session's. False when cancelled.
bool EditorSession::settleConflicts(const MergeInput &input, const std::string &name, const std::string &conflicts,
                                    ClassFileMerge &merge)
{
    if (merge.conflicts.empty())
        return true;
    ClassFileMerge mine = mergeClassFile(input, MergeChoice::TakeMemory, merge.removals);
    Review review{"Keep the file's values (the default):\n" + utf8Of(mergeSummary(merge))
                      + "\nTake this session's values:\n" + utf8Of(mergeSummary(mine)),
                  "Keep the file's values:\n" + fileDiff(input.disk, merge.bytes, name, "merged")
                      + "\nTake this session's values:\n" + fileDiff(input.disk, mine.bytes, name, "merged")};
    switch (askWithReview({"These values were changed both in the file on disk and here:\n" + conflicts
                               + "\nKeep the file's values, or take this session's?",
                           EditorView::Choices::KeepFileTakeMineCancel, Answer::KeepFile, true},
                          std::move(review))) {
    case Answer::KeepFile:
        return true;
    case Answer::TakeMine:
        merge = std::move(mine);
        return true;
    default:
        return false;
    }
}

// Classes the file on disk no longer holds and memory still does: kept and
// written back (the default), or removed here too; each named. False when
// cancelled.
bool EditorSession::settleRemovals(const MergeInput &input, const std::string &name, ClassFileMerge &merge)
{
    if (merge.removedOnDisk.empty())
        return true;
    ClassFileMerge removed = mergeClassFile(input, merge.choice, DiskRemovals::Take);
    Review review{"Keep Them (the default):\n" + utf8Of(mergeSummary(merge)) + "\nRemove Them:\n"
                      + utf8Of(mergeSummary(removed)),
                  "Keep Them:\n" + fileDiff(input.disk, merge.bytes, name, "merged") + "\nRemove Them:\n"
                      + fileDiff(input.disk, removed.bytes, name, "merged")};
    switch (askWithReview({"These classes are no longer in " + name
                               + " on disk (another program removed them, or cut the file), and are still in "
                                 "memory:\n    "
                               + utf8Of(removedNames(merge))
                               + "\n\nKeep Them writes them back into the file; Remove Them removes them here too.",
                           EditorView::Choices::KeepRemoveCancel, Answer::KeepClasses, true},
                          std::move(review))) {
    case Answer::KeepClasses:
        return true;
    case Answer::RemoveClasses:
        merge = std::move(removed);
        return true;
    default:
        return false;
    }
}

// The classes in memory become those the merged file holds, the form staying
// on the class it showed where the file still has it, as one step that Undo
// takes back. A class from memory keeps its id, which is the block of its
// place in the file once it is written; the disk's own classes get new ones.
void EditorSession::takeMerged(const ClassFileMerge &merge, FormValues &form)
{
    EditorState &s = state();
    const ClassIds before = ids;
    const int count = int(std::min(merge.classes.size(), std::size_t(tableSlotCount)));
    const int oldCount = s.table.classCount;
    const auto shown = std::ranges::find(merge.fromMemory, s.currentIndex);
    TableEdit step("Merge with " + std::string(classFileName(s.sealsActive)), s);
    for (int slot = 0; slot < std::max(count, oldCount); ++slot) {
        const int from = slot < count ? merge.fromMemory[std::size_t(slot)] : -1;
        step.replace(classes(), slot,
                     slot < count ? merge.classes[std::size_t(slot)] : s.table.records[std::size_t(slot)],
                     from >= 0 ? before[std::size_t(from)] : -1);
    }
    s.table.classCount = count;
    s.lastIndex = std::max(count - 1, 0);
    s.currentIndex = shown != merge.fromMemory.end() && shown - merge.fromMemory.begin() < count
                         ? int(shown - merge.fromMemory.begin())
                         : std::min(s.currentIndex, s.lastIndex);
    step.finish(s);
    record(std::move(step));
    showPosition();
    showRecord(form);
}

// The version a write of bytes replaces goes to the backups in the user's
// data folder, never beside the file; so, first, does the file as this run
// last loaded or wrote it, when it changed on disk since (a file another
// program cut would otherwise be the only version kept, and a merge that
// takes the cut writes nothing new). When they cannot be kept, that is told
// once a session, and the file is written all the same.
void EditorSession::keepBackup(const std::filesystem::path &path, const FileBytes &old, std::string_view bytes)
{
    keepKnownVersion(path, old);
    if (old.status == FileStatus::Read && old.bytes != bytes)
        keepVersion(path, old.bytes);
}

void EditorSession::keepKnownVersion(const std::filesystem::path &path, const FileBytes &old)
{
    if (const std::string *known = changes.knownBytes(path);
        known && (old.status != FileStatus::Read || *known != old.bytes))
        keepVersion(path, *known);
}

void EditorSession::keepVersion(const std::filesystem::path &path, std::string_view bytes)
{
    std::string why;
    if (!BackupStore(backupsFolder(services.dataFolder)).keep(path, bytes, &why))
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
