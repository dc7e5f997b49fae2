#include "model/rules/rulecheck.h"
#include "model/rules/rulesfile.h"

#include "classdata/format/classfilereader.h"
#include "classdata/format/findingcodes.h"
#include "model/table/tablecolumns.h"

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>
#include <vector>

using namespace tolvane;

namespace {

std::vector<ClassRecord> classesOf(std::string_view bytes)
{
    const auto table = std::make_unique<ClassTable>();
    readClassBytes(*table, bytes);
    return {table->records.begin(), table->records.begin() + table->classCount};
}

std::vector<std::string> errorsOf(const RuleSet &rules)
{
    std::vector<std::string> texts;
    for (const RulesError &error : rules.errors)
        texts.push_back(error.text());
    return texts;
}

// "TCC030 Sniper: speed 1.4 is outside 0.8 to 1.3 (tvcc-rules.toml:2)", one a broken rule.
std::vector<std::string> described(const std::vector<BrokenRule> &broken, std::span<const ClassRecord> classes)
{
    std::vector<std::string> texts;
    for (const BrokenRule &rule : broken) {
        std::string text = std::string(codeOf(rule.kind).code) + ' ';
        if (rule.classIndex >= 0)
            text += std::string(classes[std::size_t(rule.classIndex)].classname.view()) + ": ";
        texts.push_back(text + rule.messageWithPlace());
    }
    return texts;
}

const std::vector<ClassRecord> seals = classesOf(
    "{\nclassname Pointman\nspeed 1.4\nhealth 100\nmax_health 100\ninventory ammo_grenades 2\n}\n\n"
    "{\nclassname Sniper\nspeed 0.8\nhealth 105\nmax_health 100\n}\n");
const std::vector<ClassRecord> tangos = classesOf(
    "{\nclassname Rifleman\nspeed 1.2\nhealth 120\nmax_health 120\nclassabilities 131072\n}\n");

TEST(RulesFile, EachRuleKindBrokenAndKept)
{
    struct Row
    {
        const char *rules;
        std::vector<std::string> brokenBySeals; // as a team of its own: the Seals' classes alone
        std::vector<std::string> brokenByTeams; // the Seals against the Tangos
    };
    const Row rows[] = {
        {"[all]\nspeed = [0.8, 1.3]\n", {"TCC030 Pointman: speed 1.4 is outside 0.8 to 1.3 (tvcc-rules.toml:2)"}, {}},
        {"[all]\nspeed = [0.8, 1.4]\n\"Class Speed\" = [0.9, inf]\n",
         {"TCC030 Sniper: Class Speed 0.8 is outside 0.9 to inf (tvcc-rules.toml:3)"},
         {}},
        {"[tangos]\nspeed = [0.8, 1.0]\n[seals]\nhealth = [100, 100]\n",
         {"TCC030 Sniper: health 105 is outside 100 to 100, the Seals' range (tvcc-rules.toml:4)"},
         {}},
        {"[all]\nrelations = [\"health <= max_health\", \"speed >= 0.8\", \"Max Health != 120\"]\n",
         {"TCC031 Sniper: health 105 is not <= max_health 100 (tvcc-rules.toml:2)"},
         {}},
        {"[all]\nrelations = [\"inventory Grenades > 1\", \"speed < 1.4\", \"health = 100\"]\n",
         {"TCC031 Pointman: speed 1.4 is not < 1.4 (tvcc-rules.toml:2)",
          "TCC031 Sniper: inventory Grenades 0 is not > 1 (tvcc-rules.toml:2)",
          "TCC031 Sniper: health 105 is not = 100 (tvcc-rules.toml:2)"},
         {}},
        {"[balance]\nmean_within_percent = { health = 5 }\n",
         {},
         {"TCC032 mean health of the Tangos 120 is 17.1% above the Seals' 102.5; at most 5% is allowed "
          "(tvcc-rules.toml:2)"}},
        {"[balance]\nmean_within_percent = { health = 18, speed = 0 }\n",
         {},
         {"TCC032 mean speed of the Tangos 1.2 is 9.1% above the Seals' 1.1; at most 0% is allowed "
          "(tvcc-rules.toml:2)"}},
        {"[balance]\nsame_class_count = true\n",
         {},
         {"TCC033 the Seals have 2 classes, the Tangos 1; the rules ask for the same number (tvcc-rules.toml:2)"}},
        {"[balance]\nsame_class_count = false\n", {}, {}},
        {"[balance]\neach_team_has = [\"ability Can Heal Others\", \"carries Grenades\", \"health >= 100\"]\n",
         {},
         {"TCC034 the Seals have no class that matches \"ability Can Heal Others\" (tvcc-rules.toml:2)",
          "TCC034 the Tangos have no class that matches \"carries Grenades\" (tvcc-rules.toml:2)"}},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.rules);
        const RuleSet rules = readRules(row.rules);
        EXPECT_EQ(errorsOf(rules), std::vector<std::string>{});
        EXPECT_EQ(described(brokenClassRules(rules, seals, Team::Seals), seals), row.brokenBySeals);
        EXPECT_EQ(described(brokenTeamRules(rules, seals, tangos), {}), row.brokenByTeams);
    }
}

TEST(RulesFile, TeamRulesSeeEachTeamAndTheWholeOfIt)
{
    // The mean is over all of a team's classes, of the right team each.
    const RuleSet rules = readRules("[balance]\nmean_within_percent = { health = 1 }\n");
    EXPECT_TRUE(brokenTeamRules(rules, seals, seals).empty());
    const std::vector<BrokenRule> broken = brokenTeamRules(rules, tangos, seals);
    ASSERT_EQ(broken.size(), 1u);
    EXPECT_EQ(broken[0].message,
              "mean health of the Seals 120 is 17.1% above the Tangos' 102.5; at most 1% is allowed");
    EXPECT_EQ(broken[0].columns, std::vector<int>{columnOfId("health")});
    EXPECT_FALSE(hasTeamRules(readRules("[all]\nhealth = [1, 2]\n")));
    EXPECT_TRUE(hasTeamRules(rules));
    // A file of neither team: the rules of [all] alone.
    const RuleSet teams = readRules("[seals]\nspeed = [5, 6]\n[all]\nhealth = [0, 100]\n");
    EXPECT_EQ(described(brokenClassRules(teams, seals, std::nullopt), seals),
              std::vector<std::string>{"TCC030 Sniper: health 105 is outside 0 to 100 (tvcc-rules.toml:4)"});
}

TEST(RulesFile, WhatCannotBeReadIsToldWithItsPlace)
{
    const std::pair<std::string, std::string> rows[] = {
        {"[all]\nsped = [1, 2]\n", "line 2, column 1: no column named \"sped\""},
        {"[all]\nClassname = [1, 2]\n", "line 2, column 1: Classname is not a column of numbers"},
        {"[all]\n\"Sniper Scope\" = [0, 1]\n", "line 2, column 1: Sniper Scope is not a column of numbers"},
        {"[all]\nspeed = 1.3\n", "line 2, column 9: speed: a range is two numbers, [lowest, highest]"},
        {"[all]\nspeed = [\"slow\", 2]\n", "line 2, column 9: speed: a range is two numbers, [lowest, highest]"},
        {"[all]\nspeed = [1, 2, 3]\n", "line 2, column 9: speed: a range is two numbers, [lowest, highest]"},
        {"[all]\nspeed = [1.3, 0.8]\n", "line 2, column 9: speed: the range [1.3, 0.8] is reversed; write the lowest "
                                        "first"},
        {"[all]\nspeed = [nan, 1]\n", "line 2, column 9: speed: nan is no end of a range"},
        {"[all]\nrelations = \"health <= max_health\"\n",
         "line 2, column 13: relations is a list of texts: [\"...\", \"...\"]"},
        {"[all]\nrelations = [\"health max_health\"]\n",
         "line 2, column 14: \"health max_health\" has no comparison: <, <=, >, >=, = or !="},
        {"[all]\nrelations = [\"health <= max_helth\"]\n", "line 2, column 14: no column named \"max_helth\""},
        {"[all]\nrelations = [\"Config File < 3\"]\n", "line 2, column 14: Config File is not a column of numbers"},
        {"[seals]\nrelations = [\"carries Grenades\"]\n",
         "line 2, column 14: \"carries Grenades\" has no comparison: <, <=, >, >=, = or !="},
        {"health = [1, 2]\n", "line 1, column 1: \"health\" stands outside a section; rules go into [all], [seals], "
                              "[tangos], [balance] or [check]"},
        {"[teams]\n", "line 1, column 2: no section \"teams\"; the sections are [all], [seals], [tangos], [balance] "
                      "and [check]"},
        {"[balance]\nmean = 5\n", "line 2, column 1: [balance] has no rule \"mean\"; its rules are "
                                  "mean_within_percent, same_class_count and each_team_has"},
        {"[balance]\nsame_class_count = \"yes\"\n", "line 2, column 20: same_class_count is true or false"},
        {"[balance]\nmean_within_percent = 5\n",
         "line 2, column 23: mean_within_percent is a table of columns and percents: { health = 5 }"},
        {"[balance]\nmean_within_percent = { health = -5 }\n",
         "line 2, column 34: health: the percent is a number, 0 or more"},
        {"[balance]\neach_team_has = [\"carries Medkits\"]\n",
         "line 2, column 27: \"carries Medkits\": no item named \"Medkits\""},
        {"[balance]\neach_team_has = [\"\"]\n", "line 2, column 18: each_team_has holds an empty condition"},
        {"[balance]\neach_team_has = [\"\u0416\"]\n",
         "line 2, column 18: \"\u0416\" holds a character that class files cannot hold"},
        {"[check]\nignore = [\"TCC999\"]\n",
         "line 2, column 11: no code \"TCC999\"; tolvane-classfile check --list-codes lists them"},
        {"[check]\nskip = []\n", "line 2, column 1: [check] has no setting \"skip\"; it has ignore"},
        // What the TOML reader says, at its place; bytes that are no text are escaped.
        {"[all\n", "line 1, column 5: Error while parsing table header: expected ']', saw '\\n'"},
        {"[all]\nspeed = [1, 2]\nspeed = [1, 3]\n",
         "line 3, column 9: Error while parsing key-value pair: cannot redefine existing array 'speed'"},
        {"[all]\n\"sp\xff\" = [1, 2]\n", "line 2, column 3: Encountered invalid utf-8 sequence"},
        {"[all]\nh\u00e4lth = [1, 2]\n",
         "line 2, column 2: Error while parsing key-value pair: expected '=', saw '\u00e4'"},
        {std::string("\x7f"
                     "ELF\x02\x01\0\0",
                     8),
         "line 1, column 1: Error while parsing root table: expected keys, tables, whitespace or comments, "
         "saw '\\u007F'"},
    };
    for (const auto &[text, error] : rows) {
        SCOPED_TRACE(text);
        const RuleSet rules = readRules(text);
        EXPECT_EQ(errorsOf(rules), std::vector<std::string>{error});
        EXPECT_TRUE(rules.rules.empty());
    }
}

TEST(RulesFile, ABrokenFileChecksNothingAndIgnoresNothing)
{
    const RuleSet rules = readRules("[check]\nignore = [\"tcc025\"]\n[all]\nspeed = [0, 1]\nhealth = [1, 0]\n");
    EXPECT_EQ(errorsOf(rules).size(), 1u);
    EXPECT_TRUE(rules.rules.empty());
    EXPECT_FALSE(rules.ignores("TCC025"));
    const RuleSet read = readRules("[check]\nignore = [\"tcc025\", \"TCC030\"]\n");
    EXPECT_TRUE(read.ignores("TCC025"));
    EXPECT_TRUE(read.ignores("tcc030"));
    EXPECT_FALSE(read.ignores("TCC031"));
    // Many mistakes: the first twenty, and how many more.
    std::string many = "[all]\n";
    for (int i = 0; i < 25; ++i)
        many += "c" + std::to_string(i) + " = [1, 2]\n";
    const RuleSet wrong = readRules(many);
    EXPECT_EQ(wrong.errors.size(), 20u);
    EXPECT_EQ(wrong.errorsLeftOut, 5u);
    EXPECT_EQ(wrong.errors.back().text(), "line 21, column 1: no column named \"c19\"");
}

TEST(RulesFile, TenThousandRulesAreReadAndCheckedAtOnce)
{
    std::string text = "[all]\nrelations = [\n";
    for (int i = 0; i < 10000; ++i)
        text += "  \"speed <= " + std::to_string(1 + i % 3) + "\",\n";
    text += "]\n";
    const auto start = std::chrono::steady_clock::now();
    const RuleSet rules = readRules(text);
    ASSERT_TRUE(rules.errors.empty());
    EXPECT_EQ(rules.rules.size(), 10000u);
    const std::vector<BrokenRule> broken = brokenClassRules(rules, seals, Team::Seals);
    EXPECT_EQ(broken.size(), 3334u); // Pointman's 1.4 against each "speed <= 1"
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
}

} // namespace
