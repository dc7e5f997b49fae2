#include "editorsession.h"

#include "changereview.h"
#include "classfilereader.h"
#include "classfileupdate.h"
#include "classfilewriter.h"
#include "unifieddiff.h"

#include <algorithm>

std::vector<ClassRecord> EditorSession::classesToWrite(bool withForm) const
{
    const EditorState &s = state();
    // Before the first store the form's slot counts although classCount is 0.
    const int count = std::clamp(std::max(s.table.classCount, s.lastIndex + 1), 0, tableSlotCount);
    std::vector<ClassRecord> classes(s.table.records.begin(), s.table.records.begin() + count);
    if (withForm && s.currentIndex < count)
        classes[std::size_t(s.currentIndex)] = formRecord();
    return classes;
}

// What Write Out puts in place of old, the file at path: the one place that
// decides it. The file as this run knows it keeps each class's own lines; one
// changed on disk since is replaced in the fixed layout.
std::string EditorSession::bytesToWrite(const std::filesystem::path &path, const FileBytes &old,
                                        std::span<const ClassRecord> classes) const
{
    if (changes.replacing(path, old) != ChangeTracker::Replacing::Quietly)
        return ClassFileBytes(classes, lineEndToKeep(old.bytes));
    std::vector<int> origins = classOrigins();
    origins.resize(classes.size(), -1);
    return UpdatedClassFile(old.bytes, classes, origins);
}

std::vector<std::string> EditorSession::problems() const
{
    const std::vector<ClassRecord> classes = classesToWrite();
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
    const std::vector<Problem> standing = fileProblems.current(classesToWrite(), classOrigins());
    if (index >= standing.size())
        return;
    const Problem &problem = standing[index];
    if (problem.classIndex >= 0)
        showResult(editing.goTo(problem.classIndex, formStore()));
    view.focusField(problem.field, problem.item);
}

std::string EditorSession::reviewChanges() const
{
    const ClassTable &saved = changes.lastSaved().table;
    const std::span<const ClassRecord> savedClasses(saved.records.data(),
                                                    std::size_t(std::clamp(saved.classCount, 0, tableSlotCount)));
    return utf8Of(changeReview(savedClasses, classesToWrite(), classOrigins()));
}

std::string EditorSession::fileDifferences() const
{
    const std::filesystem::path path = activeClassFilePath();
    const FileBytes old = readWholeFile(path);
    const std::string name(ClassFileName(state().sealsActive));
    return utf8Of(unifiedDiff(old.bytes, bytesToWrite(path, old, classesToWrite()), name + " (on disk)",
                              name + " (Write Out)"));
}
