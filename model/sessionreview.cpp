#include "editorsession.h"

#include "changereview.h"
#include "classfilereader.h"
#include "classfileupdate.h"
#include "classfilewriter.h"
#include "unifieddiff.h"

#include <algorithm>

std::vector<ClassRecord> EditorSession::classesToWrite(const FormValues *form) const
{
    const EditorState &s = state();
    const auto count = std::size_t(s.classesCounted());
    std::vector<ClassRecord> classes(s.table.records.begin(), s.table.records.begin() + std::ptrdiff_t(count));
    if (form && std::size_t(s.currentIndex) < count)
        classes[std::size_t(s.currentIndex)] = formRecord(*form);
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
        moveTo(form, GoToTarget(state(), problem.classIndex));
    view.focusField(problem.field, problem.item);
}

std::string EditorSession::reviewChanges() const
{
    const ClassTable &saved = changes.lastSaved().table;
    const std::span<const ClassRecord> savedClasses(saved.records.data(),
                                                    std::size_t(std::clamp(saved.classCount, 0, tableSlotCount)));
    const FormValues form = view.form();
    return utf8Of(changeReview(savedClasses, classesToWrite(&form), classOrigins()));
}

std::string EditorSession::fileDifferences() const
{
    const std::filesystem::path path = activeClassFilePath();
    const FileBytes old = readWholeFile(path);
    const std::string name(ClassFileName(state().sealsActive));
    const FormValues form = view.form();
    return utf8Of(unifiedDiff(old.bytes, bytesToWrite(path, old, classesToWrite(&form)), name + " (on disk)",
                              name + " (Write Out)"));
}
