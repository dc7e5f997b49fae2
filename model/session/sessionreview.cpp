#include "editorsession.h"

#include "model/review/changereview.h"
#include "classdata/format/classfilereader.h"
#include "classdata/format/classfileupdate.h"
#include "classdata/format/classfilewriter.h"
#include "classdata/compare/unifieddiff.h"

#include <algorithm>
#include <memory>

namespace tolvane {

std::vector<ClassRecord> EditorSession::classesToWrite(const FormValues *form) const
{
    const EditorState &s = state();
    const auto count = std::size_t(s.classesCounted());
    std::vector<ClassRecord> classes(s.table.records.begin(), s.table.records.begin() + std::ptrdiff_t(count));
    if (form && std::size_t(s.currentIndex) < count)
        classes[std::size_t(s.currentIndex)] = formRecord(*form);
    return classes;
}

// What Write Out puts in place of old, the file at path, by the default
// answer of each question it may ask: the file as this run knows it with
// each class's own lines, the merge into a file changed on disk since, or the
// fixed layout in place of another file.
std::string EditorSession::bytesToWrite(const std::filesystem::path &path, const FileBytes &old,
                                        std::span<const ClassRecord> classes) const
{
    switch (changes.replacing(path, old)) {
    case ChangeTracker::Replacing::Quietly:
        return plannedQuietly(path, old, classes).bytes;
    case ChangeTracker::Replacing::ChangedOnDisk: {
        std::vector<int> origins;
        const ClassFileMerge merge = mergeClassFile(mergeInput(path, old, classes, origins));
        return merge.outcome == ClassFileMerge::Outcome::Refused ? old.bytes : merge.bytes;
    }
    default:
        return classFileBytes(classes, lineEndToKeep(old.bytes));
    }
}

std::vector<std::string> EditorSession::problems() const
{
    const FormValues form = view.form();
    const std::vector<ClassRecord> classes = classesToWrite(&form);
    std::vector<std::string> lines;
    for (const Problem &problem : fileProblems.current(classes, classOrigins())) {
        std::string line;
        if (problem.classIndex >= 0) {
            const ClassRecord &record = classes[std::size_t(problem.classIndex)];
            line = record.classname.empty() ? "class " + std::to_string(problem.classIndex)
                                            : utf8Of(record.classname.view());
            line += ", ";
        }
        lines.push_back(line + problem.text());
    }
    return lines;
}

void EditorSession::goToProblem(std::size_t index)
{
    FormValues form = view.form();
    const std::vector<Problem> standing = fileProblems.current(classesToWrite(&form), classOrigins());
    if (index >= standing.size())
        return;
    const Problem &problem = standing[index];
    if (problem.classIndex >= 0)
        moveTo(form, goToTarget(state(), problem.classIndex));
    view.focusField(problem.field, problem.item);
}

// What Write Out would change in the file it would write: the changes since
// the classes were loaded or written, or, for a file changed on disk, deleted,
// not loaded or the other team's, what the default answer does to the file
// as it is now.
std::string EditorSession::reviewChanges() const
{
    if (questionReview)
        return questionReview->changes;
    const std::filesystem::path path = activeClassFilePath();
    const FileBytes old = readWholeFile(path);
    const FormValues form = view.form();
    const std::vector<ClassRecord> classes = classesToWrite(&form);
    const std::string shown = displayText(path.filename());
    if (old.status == FileStatus::Unreadable)
        return shown + " cannot be read: " + old.error + "\n";
    std::string text;
    switch (changes.replacing(path, old)) {
    case ChangeTracker::Replacing::Quietly:
        if (old.status == FileStatus::Read) {
            const ClassTable &saved = changes.lastSaved().table;
            const std::span<const ClassRecord> savedClasses(
                saved.records.data(), std::size_t(std::clamp(saved.classCount, 0, tableSlotCount)));
            return utf8Of(changeReview(savedClasses, classes, classOrigins()));
        }
        text = shown
               + (changes.knownBytes(path) ? " was deleted on disk; Write Out writes it anew:\n"
                                           : " does not exist yet; Write Out writes it:\n");
        return text + utf8Of(changeReview({}, classes));
    case ChangeTracker::Replacing::ChangedOnDisk: {
        std::vector<int> origins;
        const ClassFileMerge merge = mergeClassFile(mergeInput(path, old, classes, origins));
        return shown + " has changed on disk since it was loaded or written; Write Out asks first. Merging, its "
               + "default, does this:\n" + utf8Of(mergeSummary(merge, MergeChoice::KeepFile));
    }
    case ChangeTracker::Replacing::OtherFile:
        text = shown + " holds the other team's classes:";
        break;
    case ChangeTracker::Replacing::NotLoaded:
        text = shown + " was not loaded:";
        break;
    }
    const auto table = std::make_unique<ClassTable>();
    readClassBytes(*table, old.bytes);
    const std::span<const ClassRecord> disk(table->records.data(), std::size_t(table->classCount));
    return text + " Write Out asks, then replaces it with the classes in memory; its notes and layout are lost.\n"
           + utf8Of(listedLines(replacementChanges(disk, classes), "no class changes"));
}

std::string EditorSession::fileDifferences() const
{
    if (questionReview)
        return questionReview->fileDifferences;
    const std::filesystem::path path = activeClassFilePath();
    const FileBytes old = readWholeFile(path);
    const std::string name(classFileName(state().sealsActive));
    const FormValues form = view.form();
    return utf8Of(unifiedDiff(old.bytes, bytesToWrite(path, old, classesToWrite(&form)), name + " (on disk)",
                              name + " (Write Out)"));
}

} // namespace tolvane
