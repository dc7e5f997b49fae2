#include "standingproblems.h"

#include "rulecheck.h"

#include "classdata/format/findingcodes.h"
#include "model/session/editorsession.h"
#include "model/table/tablecolumns.h"

#include <algorithm>

namespace tolvane {

namespace {

// A broken rule as the Problems window lists it, on the box and the cells
// of its values.
Problem problemOf(const BrokenRule &broken)
{
    Problem problem{.line = -1,
                    .code = codeOf(broken.kind).code,
                    .message = broken.messageWithPlace(),
                    .classIndex = broken.classIndex,
                    .field = {},
                    .item = -1,
                    .place = {},
                    .columns = broken.columns};
    if (!broken.columns.empty() && broken.classIndex >= 0) {
        const ClassValue &value = tableColumns()[std::size_t(broken.columns.front())].value;
        problem.field = value.kind == ClassValue::Kind::Item ? "inventory" : std::string(value.field->key);
        problem.item = value.kind == ClassValue::Kind::Item ? value.slot : -1;
    }
    return problem;
}

Problem rulesFileProblem(std::string place, std::string message)
{
    return {.line = -1,
            .code = {},
            .message = std::move(message),
            .classIndex = -1,
            .field = {},
            .item = -1,
            .place = std::move(place),
            .columns = {}};
}

// The classes of the team other than document's: the other document's in
// memory, else as the other team's file holds them.
ClassesOnDisk otherClasses(const EditorSession &session, int document)
{
    if (const TeamDocument *other = session.documentOf(1 - document); other && session.documentOf(1))
        return {other->changes().classesFile(), other->classesWith(nullptr), {}};
    return otherTeamClasses(session);
}

std::vector<Problem> ruleProblems(const EditorSession &session, int document, std::span<const ClassRecord> classes)
{
    // The rules file is read once, with the active team's document.
    const RulesWatch &watch = session.documentOf(0)->rules();
    const Team team = session.documentOf(document)->team();
    const RuleSet &rules = watch.rules();
    const std::string name(rulesFileName);
    std::vector<Problem> problems;
    if (!watch.unreadable().empty())
        problems.push_back(rulesFileProblem(name, "cannot be read: " + watch.unreadable() + "; no rule is checked"));
    for (const RulesError &error : rules.errors)
        problems.push_back(
            rulesFileProblem(name + ", line " + std::to_string(error.line) + ", column " + std::to_string(error.column),
                             error.message + "; no rule of the file is checked"));
    for (const BrokenRule &broken : brokenClassRules(rules, classes, team))
        problems.push_back(problemOf(broken));
    if (!hasTeamRules(rules))
        return problems;
    const ClassesOnDisk other = otherClasses(session, document);
    if (!other.problem.empty()) {
        problems.push_back(rulesFileProblem(name, "the rules of [balance] are not checked: " + other.problem));
        return problems;
    }
    const bool seals = team == Team::Seals;
    const std::span<const ClassRecord> theirs = other.classes;
    for (const BrokenRule &broken : brokenTeamRules(rules, seals ? classes : theirs, seals ? theirs : classes))
        problems.push_back(problemOf(broken));
    return problems;
}

} // namespace

std::vector<Problem> standingProblems(const EditorSession &session, std::span<const ClassRecord> classes)
{
    return standingProblems(session, session.formDocument(), classes);
}

std::vector<Problem> standingProblems(const EditorSession &session, int number, std::span<const ClassRecord> classes)
{
    const TeamDocument &document = *session.documentOf(number);
    std::vector<Problem> problems = document.fileProblems().current(classes, document.origins());
    for (std::vector<Problem> more : {slipsOf(classes), ruleProblems(session, number, classes)})
        problems.insert(problems.end(), std::make_move_iterator(more.begin()), std::make_move_iterator(more.end()));
    const RuleSet &rules = session.documentOf(0)->rules().rules();
    std::erase_if(problems, [&](const Problem &p) { return !p.code.empty() && rules.ignores(p.code); });
    // What keeps rules from being checked comes first.
    std::stable_partition(problems.begin(), problems.end(), [](const Problem &p) { return p.code.empty(); });
    return problems;
}

} // namespace tolvane
