#include "rulecheck.h"

#include "classdata/text/textnumbers.h"
#include "model/table/tablecolumns.h"

#include <algorithm>
#include <cmath>

namespace tolvane {

namespace {

constexpr std::string_view testSigns[] = {"<", "<=", ">", ">=", "=", "!="};

double valueOf(int column, const ClassRecord &record)
{
    return cellNumber(tableColumns()[std::size_t(column)], record).value_or(0);
}

bool passes(RuleTest test, double left, double right)
{
    switch (test) {
    case RuleTest::Less:
        return left < right;
    case RuleTest::LessOrEqual:
        return left <= right;
    case RuleTest::Greater:
        return left > right;
    case RuleTest::GreaterOrEqual:
        return left >= right;
    case RuleTest::Equal:
        return left == right;
    case RuleTest::NotEqual:
        return left != right;
    }
    return false;
}

// A mean or a percentage as a modder writes it: 104.286, 12.7.
std::string rounded(double value, double steps)
{
    return formatShortest(std::round(value * steps) / steps);
}

std::string teamsOwn(Team team)
{
    return "the " + std::string(teamName(team)) + "'";
}

std::optional<BrokenRule> brokenByClass(const Rule &rule, const ClassRecord &record)
{
    const double value = valueOf(rule.column, record);
    BrokenRule broken{.kind = ReadFindingKind::RangeRule, .line = rule.line, .columns = {rule.column}};
    if (rule.kind == RuleKind::Range) {
        if (value >= rule.low && value <= rule.high)
            return std::nullopt;
        broken.message = rule.name + ' ' + formatShortest(value) + " is outside " + formatShortest(rule.low) + " to "
                         + formatShortest(rule.high);
        if (rule.team)
            broken.message += ", " + teamsOwn(*rule.team) + " range";
        return broken;
    }
    const bool withColumn = rule.otherColumn >= 0;
    const double other = withColumn ? valueOf(rule.otherColumn, record) : rule.number;
    if (passes(rule.test, value, other))
        return std::nullopt;
    broken.kind = ReadFindingKind::RelationRule;
    broken.message = rule.name + ' ' + formatShortest(value) + " is not " + std::string(testSigns[int(rule.test)]) + ' '
                     + (withColumn ? rule.otherName + ' ' : std::string()) + formatShortest(other);
    if (withColumn)
        broken.columns.push_back(rule.otherColumn);
    return broken;
}

double meanOf(int column, std::span<const ClassRecord> classes)
{
    double sum = 0;
    for (const ClassRecord &record : classes)
        sum += valueOf(column, record);
    return sum / double(classes.size());
}

std::optional<std::string> brokenMean(const Rule &rule, std::span<const ClassRecord> seals,
                                      std::span<const ClassRecord> tangos)
{
    if (seals.empty() || tangos.empty())
        return std::nullopt;
    const double sealsMean = meanOf(rule.column, seals), tangosMean = meanOf(rule.column, tangos);
    const bool tangosHigher = tangosMean > sealsMean;
    const double higher = std::max(sealsMean, tangosMean), lower = std::min(sealsMean, tangosMean);
    const Team above = tangosHigher ? Team::Tangos : Team::Seals;
    if (higher == lower)
        return std::nullopt;
    const std::string most = formatShortest(rule.high) + "% is allowed";
    const std::string means = "mean " + rule.name + " of the " + std::string(teamName(above)) + ' '
                              + rounded(higher, 1000);
    const std::string below = teamsOwn(otherTeam(above)) + ' ' + rounded(lower, 1000);
    if (lower <= 0)
        return means + " is above " + below + "; at most " + most;
    const double percent = (higher - lower) / lower * 100;
    if (percent <= rule.high)
        return std::nullopt;
    return means + " is " + rounded(percent, 10) + "% above " + below + "; at most " + most;
}

std::optional<std::string> brokenBalance(const Rule &rule, std::span<const ClassRecord> seals,
                                         std::span<const ClassRecord> tangos)
{
    switch (rule.kind) {
    case RuleKind::MeanWithin:
        return brokenMean(rule, seals, tangos);
    case RuleKind::SameClassCount:
        if (seals.size() == tangos.size())
            return std::nullopt;
        return "the Seals have " + std::to_string(seals.size()) + " classes, the Tangos "
               + std::to_string(tangos.size()) + "; the rules ask for the same number";
    case RuleKind::EachTeamHas: {
        const auto lacks = [&](Team team, std::span<const ClassRecord> classes) {
            return std::ranges::none_of(classes, [&](const ClassRecord &r) { return rule.filter.matches(r, {team}); });
        };
        const bool sealsLack = lacks(Team::Seals, seals), tangosLack = lacks(Team::Tangos, tangos);
        if (!sealsLack && !tangosLack)
            return std::nullopt;
        const std::string who = sealsLack && tangosLack ? "neither team has"
                                : sealsLack             ? "the Seals have no"
                                                        : "the Tangos have no";
        return who + " class that matches \"" + rule.name + '"';
    }
    default:
        return std::nullopt;
    }
}

ReadFindingKind codeOfTeamRule(RuleKind kind)
{
    return kind == RuleKind::MeanWithin       ? ReadFindingKind::MeanRule
           : kind == RuleKind::SameClassCount ? ReadFindingKind::ClassCountRule
                                              : ReadFindingKind::EachTeamRule;
}

} // namespace

std::string BrokenRule::messageWithPlace(std::string_view rulesFile) const
{
    return message + " (" + std::string(rulesFile) + ':' + std::to_string(line) + ')';
}

std::vector<BrokenRule> brokenClassRules(const RuleSet &rules, std::span<const ClassRecord> classes,
                                         std::optional<Team> team)
{
    std::vector<BrokenRule> broken;
    for (std::size_t i = 0; i < classes.size(); ++i) {
        for (const Rule &rule : rules.rules) {
            const bool ofClasses = rule.kind == RuleKind::Range || rule.kind == RuleKind::Relation;
            if (!ofClasses || (rule.team && rule.team != team))
                continue;
            if (std::optional<BrokenRule> one = brokenByClass(rule, classes[i])) {
                one->classIndex = int(i);
                broken.push_back(std::move(*one));
            }
        }
    }
    return broken;
}

bool hasTeamRules(const RuleSet &rules)
{
    return std::ranges::any_of(
        rules.rules, [](const Rule &rule) { return rule.kind != RuleKind::Range && rule.kind != RuleKind::Relation; });
}

std::vector<BrokenRule> brokenTeamRules(const RuleSet &rules, std::span<const ClassRecord> seals,
                                        std::span<const ClassRecord> tangos)
{
    std::vector<BrokenRule> broken;
    for (const Rule &rule : rules.rules) {
        if (std::optional<std::string> message = brokenBalance(rule, seals, tangos)) {
            broken.push_back({.kind = codeOfTeamRule(rule.kind), .line = rule.line, .message = std::move(*message)});
            if (rule.column >= 0)
                broken.back().columns.push_back(rule.column);
        }
    }
    return broken;
}

} // namespace tolvane
