#include "editorsession.h"

#include "changereview.h"
#include "classfilereader.h"
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

// What Write Out puts in place of old: the one place that decides it.
std::string EditorSession::bytesToWrite(const FileBytes &old, std::span<const ClassRecord> classes) const
{
    return ClassFileBytes(classes, lineEndToKeep(old.bytes));
}

std::vector<std::string> EditorSession::problems() const
{
    const std::vector<ClassRecord> classes = classesToWrite();
    std::vector<std::string> lines;
    for (const Problem &problem : fileProblems.current(classes)) {
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
    const std::vector<Problem> standing = fileProblems.current(classesToWrite());
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
    return utf8Of(changeReview(savedClasses, classesToWrite()));
}

std::string EditorSession::fileDifferences() const
{
    const FileBytes old = readWholeFile(activeClassFilePath());
    const std::string name(ClassFileName(state().sealsActive));
    return utf8Of(unifiedDiff(old.bytes, bytesToWrite(old, classesToWrite()), name + " (on disk)",
                              name + " (Write Out)"));
}
