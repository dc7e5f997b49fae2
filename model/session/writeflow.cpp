#include "writeflow.h"

#include "classdata/compare/unifieddiff.h"
#include "classdata/files/backupstore.h"
#include "classdata/files/userdata.h"
#include "classdata/format/classfilereader.h"
#include "classdata/format/classfilewriter.h"
#include "classdata/text/windows1252.h"
#include "model/review/changereview.h"

#include <algorithm>

namespace tolvane {

using Answer = Questions::Answer;

namespace {

// "Seals'" or "Tangos'": whose classes a class file holds.
std::string teamOf(const std::filesystem::path &file)
{
    return file.filename() == classFileName(1) ? "Seals'" : "Tangos'";
}

constexpr std::size_t shownConflicts = 8;

} // namespace

WriteFlow::WriteFlow(TeamDocument &document, Context context) : document(document), context(context) {}

// The whole table replaces the file, or is merged into it when it changed on
// disk, once every question about it is answered and the file is still as it
// was when they were asked. Its previous version is kept as a backup first.
WriteFlow::Outcome WriteFlow::write(const std::filesystem::path &path)
{
    const EditorState &state = document.state();
    const std::span<const ClassRecord> classes(state.table.records.data(), std::size_t(state.table.classCount));
    std::filesystem::path target = path;
    FileBytes old = readWholeFile(path);
    auto written = std::make_unique<ClassTable>();
    for (bool changedWhileAsked = false;; changedWhileAsked = true) {
        if (!confirmLink(path, target) || !(plan = planWrite(path, old, classes, changedWhileAsked))
            || !confirmReadOnly(path)
            || (old.status == FileStatus::Missing && !plan->anew && !confirmFirstClassFile(path)))
            return reloadWanted ? Outcome::Reload : Outcome::NotWritten;
        readClassBytes(*written, plan->bytes);
        const int planned = plan->merge ? int(plan->merge->classes.size()) : int(classes.size());
        if (!confirmUnreadBlocks(path, planned, written->classCount))
            return Outcome::NotWritten;
        FileBytes now = readWholeFile(path);
        if (now.status == old.status && now.bytes == old.bytes)
            break;
        old = std::move(now);
    }
    keepBackup(path, old, plan->bytes);
    SaveError error;
    if (!saveFileAtomically(target, plan->bytes, &error,
                            BackupStore(backupsFolder(context.dataFolder.path)).keeperFor(path))) {
        warnNotWritten(context.questions, path, error);
        return Outcome::NotWritten;
    }
    learnWritten(path, *written);
    return Outcome::Written;
}

// The document holds what the file now does: the merged classes, those read
// beyond the classes in memory, and the file's bytes and problems.
void WriteFlow::learnWritten(const std::filesystem::path &path, const ClassTable &written)
{
    if (plan->merge)
        step = document.takeMerged(*plan->merge);
    count = document.state().table.classCount;
    more = document.takeClassesNowRead(written) ? written.classCount - count : 0;
    writtenPath = path;
    document.changes().fileWritten(path, plan->bytes);
    document.changes().classesSaved(document.state());
    document.classesWritten();
    const ClassTable &table = document.state().table;
    document.fileProblems().fileWritten(plan->bytes, std::span(table.records.data(), std::size_t(table.classCount)));
}

std::string WriteFlow::status() const
{
    const std::string name = displayText(writtenPath.filename());
    std::string status = std::to_string(count) + (count == 1 ? " class written to " : " classes written to ") + name;
    if (plan->anew)
        status = name + " was deleted on disk; " + std::to_string(count) + (count == 1 ? " class" : " classes")
                 + " written to it anew";
    else if (plan->merge)
        status += ", merged with the changes made on disk";
    if (more > 0)
        status += "; " + std::to_string(more) + " more read from it";
    return status;
}

// A class file that is a symbolic link is written through only to a regular
// file, and only when the user says so, knowing which file; No is the
// default. target becomes that file.
bool WriteFlow::confirmLink(const std::filesystem::path &path, std::filesystem::path &target)
{
    const std::optional<std::filesystem::path> linked = symlinkTarget(path);
    if (!linked)
        return true;
    std::error_code error;
    if (linked->empty() || !std::filesystem::is_regular_file(*linked, error)) {
        warnNotWritten(context.questions, path,
                       {"it is a symbolic link to " + (linked->empty() ? "nothing" : displayText(*linked))
                            + ", which is not a regular file",
                        {}});
        return false;
    }
    target = *linked;
    return context.questions.ask({displayText(path) + " is a symbolic link to the file\n" + displayText(target)
                                      + "\nWrite the classes in memory into that file?",
                                  Questions::Choices::YesNo, Answer::No})
           == Answer::Yes;
}

// A read-only file is replaced (and stays read-only) only when the user
// says so; No is the default.
bool WriteFlow::confirmReadOnly(const std::filesystem::path &path)
{
    return !isReadOnlyFile(path)
           || context.questions.ask({displayText(path)
                                         + " is read-only.\nReplace it with the classes in memory anyway? It stays "
                                           "read-only.",
                                     Questions::Choices::YesNo, Answer::No})
                  == Answer::Yes;
}

// A class file is never written into a folder that holds none, unless the
// user says so; No is the default.
bool WriteFlow::confirmFirstClassFile(const std::filesystem::path &path)
{
    return context.gameFolder.holdsGameFiles(false)
           || context.questions.ask({"The folder " + displayText(context.gameFolder.path())
                                         + " holds no class file.\nWrite " + displayText(path.filename())
                                         + " there as a new class file?",
                                     Questions::Choices::YesNo, Answer::No, true})
                  == Answer::Yes;
}

// Blocks after the 64th, which the game does not read, stay in the file.
// With fewer classes written before them, the game reads some of them as
// classes: only when the user says so; No, the default, writes nothing.
bool WriteFlow::confirmUnreadBlocks(const std::filesystem::path &path, int planned, int read)
{
    if (read <= planned)
        return true;
    return context.questions.ask(
               {displayText(path) + " holds class blocks after the 64th, which the game does not read. With "
                    + std::to_string(planned) + " classes before them, the game would read "
                    + std::to_string(read - planned)
                    + " of them as classes.\nWrite Out all the same, and take them into the classes in memory?",
                Questions::Choices::YesNo, Answer::No})
           == Answer::Yes;
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
std::optional<WriteFlow::Plan> WriteFlow::planWrite(const std::filesystem::path &path, const FileBytes &old,
                                                    std::span<const ClassRecord> classes, bool changedWhileAsked)
{
    if (old.status == FileStatus::Unreadable) {
        warnNotWritten(context.questions, path, {old.error, {}});
        return std::nullopt;
    }
    const ChangeTracker &changes = document.changes();
    const std::string shown = displayText(path);
    std::string question;
    switch (changes.replacing(path, old)) {
    case ChangeTracker::Replacing::Quietly: {
        Plan quiet;
        quiet.bytes = document.quietBytes(path, old, classes, &quiet.anew);
        return quiet;
    }
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
    if (context.questions.ask({question, Questions::Choices::YesNo, Answer::No, true}) != Answer::Yes)
        return std::nullopt;
    return Plan{classFileBytes(classes, lineEndToKeep(old.bytes))};
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
std::optional<WriteFlow::Plan> WriteFlow::planMerge(const std::filesystem::path &path, const FileBytes &old,
                                                    std::span<const ClassRecord> classes)
{
    ClassFileMerge merge = document.merged(path, old, classes);
    const std::string shown = displayText(path);
    if (merge.outcome == ClassFileMerge::Outcome::Refused) {
        context.questions.tell({Questions::Icon::Warning, "Write Out",
                                shown + " has changed on disk since this program last loaded or wrote it, and "
                                    + merge.reason + ".\nNothing was written; the classes in memory are unchanged."});
        return std::nullopt;
    }
    const std::string replaced = classFileBytes(classes, lineEndToKeep(old.bytes));
    const std::string name = displayText(path.filename());
    const std::string conflicts = conflictLines(merge.conflicts);
    const std::string replacing =
        "Replace (notes and other changes in the file are lost):\nWhat the file on disk gets:\n"
        + utf8Of(listedLines(replacementChanges(merge.diskClasses, classes), "no class changes"));
    QuestionReview::Review review{"Merge (the default):\n" + utf8Of(mergeSummary(merge)) + '\n' + replacing
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
    switch (context.review.ask(context.questions,
                               {question, Questions::Choices::MergeReplaceReloadCancel, Answer::Merge, true},
                               std::move(review))) {
    case Answer::Merge:
        break;
    case Answer::Replace:
        return Plan{replaced};
    case Answer::Reload:
        keepKnownVersion(path, old);
        reloadWanted = true;
        return std::nullopt;
    default:
        return std::nullopt;
    }
    if (!settleConflicts(path, old, classes, conflicts, merge) || !settleRemovals(path, old, classes, merge))
        return std::nullopt;
    Plan merged{merge.bytes};
    merged.merge = std::move(merge);
    return merged;
}

// Values changed both on disk and here: the file's (the default) or this
// session's. False when cancelled.
bool WriteFlow::settleConflicts(const std::filesystem::path &path, const FileBytes &old,
                                std::span<const ClassRecord> classes, const std::string &conflicts,
                                ClassFileMerge &merge)
{
    if (merge.conflicts.empty())
        return true;
    const std::string name = displayText(path.filename());
    ClassFileMerge mine = document.merged(path, old, classes, MergeChoice::TakeMemory, merge.removals);
    QuestionReview::Review review{"Keep the file's values (the default):\n" + utf8Of(mergeSummary(merge))
                                      + "\nTake this session's values:\n" + utf8Of(mergeSummary(mine)),
                                  "Keep the file's values:\n" + fileDiff(old, merge.bytes, name, "merged")
                                      + "\nTake this session's values:\n" + fileDiff(old, mine.bytes, name, "merged")};
    switch (context.review.ask(context.questions,
                               {"These values were changed both in the file on disk and here:\n" + conflicts
                                    + "\nKeep the file's values, or take this session's?",
                                Questions::Choices::KeepFileTakeMineCancel, Answer::KeepFile, true},
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
bool WriteFlow::settleRemovals(const std::filesystem::path &path, const FileBytes &old,
                               std::span<const ClassRecord> classes, ClassFileMerge &merge)
{
    if (merge.removedOnDisk.empty())
        return true;
    const std::string name = displayText(path.filename());
    ClassFileMerge removed = document.merged(path, old, classes, merge.choice, DiskRemovals::Take);
    QuestionReview::Review review{"Keep Them (the default):\n" + utf8Of(mergeSummary(merge)) + "\nRemove Them:\n"
                                      + utf8Of(mergeSummary(removed)),
                                  "Keep Them:\n" + fileDiff(old, merge.bytes, name, "merged") + "\nRemove Them:\n"
                                      + fileDiff(old, removed.bytes, name, "merged")};
    switch (context.review.ask(
        context.questions,
        {"These classes are no longer in " + name
             + " on disk (another program removed them, or cut the file), and are still in memory:\n    "
             + utf8Of(removedNames(merge))
             + "\n\nKeep Them writes them back into the file; Remove Them removes them here too.",
         Questions::Choices::KeepRemoveCancel, Answer::KeepClasses, true},
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

// The version a write of bytes replaces goes to the backups in the user's
// data folder, never beside the file; so, first, does the file as this run
// last loaded or wrote it, when it changed on disk since (a file another
// program cut would otherwise be the only version kept, and a merge that
// takes the cut writes nothing new). When they cannot be kept, that is told
// once a session, and the file is written all the same.
void WriteFlow::keepBackup(const std::filesystem::path &path, const FileBytes &old, std::string_view bytes)
{
    keepKnownVersion(path, old);
    if (old.status == FileStatus::Read && old.bytes != bytes)
        keepVersion(path, old.bytes);
}

void WriteFlow::keepKnownVersion(const std::filesystem::path &path, const FileBytes &old)
{
    if (const std::string *known = document.changes().knownBytes(path);
        known && (old.status != FileStatus::Read || *known != old.bytes))
        keepVersion(path, *known);
}

void WriteFlow::keepVersion(const std::filesystem::path &path, std::string_view bytes)
{
    std::string why;
    if (!BackupStore(backupsFolder(context.dataFolder.path)).keep(path, bytes, &why))
        context.dataFolder.warn(context.questions, "No earlier version of " + displayText(path.filename())
                                                       + " could be kept: " + why
                                                       + ".\nWrite Out writes the file all the same.");
}

void warnNotWritten(Questions &questions, const std::filesystem::path &path, const SaveError &error)
{
    const std::string afterwards = error.previousContents.empty()
                                       ? "The file on disk is unchanged."
                                       : "The file on disk may be damaged; its old contents are in "
                                             + displayText(error.previousContents) + ".";
    questions.tell({Questions::Icon::Warning, "Error",
                    displayText(path) + " could not be written:\n" + error.reason + "\n\n" + afterwards});
}

} // namespace tolvane
