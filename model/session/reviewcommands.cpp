#include "reviewcommands.h"

#include "model/rules/standingproblems.h"

namespace tolvane {

ReviewCommands::ReviewCommands(EditorSession &session) : session(session)
{
    session.addListener(*this);
}

bool ReviewCommands::readRulesFile()
{
    return session.documentOf(0)->rules().follow(session.folder().file(rulesFileName));
}

bool ReviewCommands::followRulesFile()
{
    if (!readRulesFile())
        return false;
    session.refreshIndicators(session.formView().form());
    return true;
}

// With both teams shown, each team's problems, its classes named with it.
std::vector<ReviewCommands::Placed> ReviewCommands::standing() const
{
    const FormValues form = session.formView().form();
    std::vector<Placed> all;
    for (int number = 0; number < 2; ++number) {
        const TeamDocument *document = session.documentOf(number);
        if (!document)
            continue;
        std::vector<ClassRecord> classes = document->classesWith(number == session.formDocument() ? &form : nullptr);
        for (Problem &problem : standingProblems(session, number, classes)) {
            std::string name;
            if (problem.classIndex >= 0) {
                const ClassRecord &record = classes[std::size_t(problem.classIndex)];
                name = record.classname.empty() ? "class " + std::to_string(problem.classIndex)
                                                : utf8Of(record.classname.view());
                if (session.documentOf(1))
                    name = std::string(teamName(document->team())) + ' ' + name;
            }
            all.push_back({number, std::move(problem), std::move(name)});
        }
    }
    return all;
}

std::vector<ReviewCommands::ListedProblem> ReviewCommands::problems() const
{
    std::vector<ListedProblem> lines;
    for (const Placed &placed : standing()) {
        std::string line = placed.className;
        if (placed.problem.classIndex >= 0)
            line += placed.problem.line < 0 && placed.problem.place.empty() ? ": " : ", ";
        lines.push_back({line + placed.problem.text(), line + placed.problem.textByKeys()});
    }
    return lines;
}

void ReviewCommands::goToProblem(std::size_t index)
{
    const std::vector<Placed> all = standing();
    if (index >= all.size())
        return;
    const Problem &problem = all[index].problem;
    FormValues form = session.formView().form();
    if (problem.classIndex >= 0)
        session.moveTo(form, all[index].document, problem.classIndex);
    session.formView().focusField(problem.field, problem.item);
}

// With both teams shown, what Write Out would change in each file.
std::string ReviewCommands::reviewChanges() const
{
    if (const QuestionReview::Review *open = session.questionReview().shown())
        return open->changes;
    return eachFile(&TeamDocument::reviewChanges);
}

std::string ReviewCommands::fileDifferences() const
{
    if (const QuestionReview::Review *open = session.questionReview().shown())
        return open->fileDifferences;
    return eachFile(&TeamDocument::fileDifferences);
}

std::string ReviewCommands::eachFile(std::string (TeamDocument::*of)(const std::filesystem::path &,
                                                                     std::span<const ClassRecord>) const) const
{
    const FormValues form = session.formView().form();
    std::string text;
    for (int number = 0; number < 2; ++number) {
        const TeamDocument *document = session.documentOf(number);
        if (!document)
            continue;
        std::string part = (document->*of)(classFileOf(session, number),
                                           document->classesWith(number == session.formDocument() ? &form : nullptr));
        if (!text.empty() && !part.empty())
            text += '\n';
        text += part;
    }
    return text;
}

} // namespace tolvane
