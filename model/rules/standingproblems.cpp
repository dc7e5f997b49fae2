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

std::vector<Problem> ruleProblems(const EditorSession &session, std::span<const ClassRecord> classes)
{
    const RulesWatch &watch = session.document().rules();
    const RuleSet &rules = watch.rules();
    const std::string name(rulesFileName);
    std::vector<Problem> problems;
    if (!watch.unreadable().empty())
        problems.push_back(rulesFileProblem(name, "cannot be read: " + watch.unreadable() + "; no rule is checked"));
    for (const RulesError &error : rules.errors)
        problems.push_back(
            rulesFileProblem(name + ", line " + std::to_string(error.line) + ", column " + std::to_string(error.column),
                             error.message + "; no rule of the file is checked"));
    for (const BrokenRule &broken : brokenClassRules(rules, classes, session.document().team()))
        problems.push_back(problemOf(broken));
    if (!hasTeamRules(rules))
        return problems;
    const ClassesOnDisk other = otherTeamClasses(session);
    if (!other.problem.empty()) {
        problems.push_back(rulesFileProblem(name, "the rules of [balance] are not checked: " + other.problem));
        return problems;
    }
    const bool seals = session.document().team() == Team::Seals;
    const std::span<const ClassRecord> theirs = other.classes;
    for (const BrokenRule &broken : brokenTeamRules(rules, seals ? classes : theirs, seals ? theirs : classes))
        problems.push_back(problemOf(broken));
    return problems;
}

} // namespace

std::vector<Problem> standingProblems(const EditorSession &session, std::span<const ClassRecord> classes)
{
    const TeamDocument &document = session.document();
    std::vector<Problem> problems = document.fileProblems().current(classes, document.origins());
    for (std::vector<Problem> more : {slipsOf(classes), ruleProblems(session, classes)})
        problems.insert(problems.end(), std::make_move_iterator(more.begin()), std::make_move_iterator(more.end()));
    const RuleSet &rules = document.rules().rules();
    std::erase_if(problems, [&](const Problem &p) { return !p.code.empty() && rules.ignores(p.code); });
    // What keeps rules from being checked comes first.
    std::stable_partition(problems.begin(), problems.end(), [](const Problem &p) { return p.code.empty(); });
    return problems;
}

} // namespace tolvane
