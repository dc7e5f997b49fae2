#include "reviewcommands.h"

#include "model/rules/standingproblems.h"

namespace tolvane {

ReviewCommands::ReviewCommands(EditorSession &session) : session(session)
{
    session.addListener(*this);
}

bool ReviewCommands::readRulesFile()
{
    return session.document().rules().follow(session.folder().file(rulesFileName));
}

bool ReviewCommands::followRulesFile()
{
    if (!readRulesFile())
        return false;
    session.refreshIndicators(session.formView().form());
    return true;
}

std::vector<ReviewCommands::ListedProblem> ReviewCommands::problems() const
{
    const FormValues form = session.formView().form();
    const TeamDocument &document = session.document();
    const std::vector<ClassRecord> classes = document.classesWith(&form);
    std::vector<ListedProblem> lines;
    for (const Problem &problem : standingProblems(session, classes)) {
        std::string line;
        if (problem.classIndex >= 0) {
            const ClassRecord &record = classes[std::size_t(problem.classIndex)];
            line = record.classname.empty() ? "class " + std::to_string(problem.classIndex)
                                            : utf8Of(record.classname.view());
            line += problem.line < 0 && problem.place.empty() ? ": " : ", ";
        }
        lines.push_back({line + problem.text(), line + problem.textByKeys()});
    }
    return lines;
}

void ReviewCommands::goToProblem(std::size_t index)
{
    FormValues form = session.formView().form();
    const std::vector<Problem> standing = standingProblems(session, session.document().classesWith(&form));
    if (index >= standing.size())
        return;
    const Problem &problem = standing[index];
    if (problem.classIndex >= 0)
        session.moveTo(form, goToTarget(session.document().state(), problem.classIndex));
    session.formView().focusField(problem.field, problem.item);
}

std::string ReviewCommands::reviewChanges() const
{
    if (const QuestionReview::Review *open = session.questionReview().shown())
        return open->changes;
    const FormValues form = session.formView().form();
    return session.document().reviewChanges(activeClassFile(session), session.document().classesWith(&form));
}

std::string ReviewCommands::fileDifferences() const
{
    if (const QuestionReview::Review *open = session.questionReview().shown())
        return open->fileDifferences;
    const FormValues form = session.formView().form();
    return session.document().fileDifferences(activeClassFile(session), session.document().classesWith(&form));
}

} // namespace tolvane
