#pragma once

#include "model/compare/teamviews.h"
#include "model/table/rosterfilter.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tolvane {

// The rules file of a game folder: the mod's own rules for its classes, in
// TOML. Sections [all], [seals] and [tangos] hold ranges of the classes'
// values (speed = [0.8, 1.3]) and relations between two values of a class
// (relations = ["health <= max_health"]); [balance] rules between the teams
// (mean_within_percent, same_class_count, each_team_has); [check] the codes
// to leave out (ignore = ["TCC025"]). Columns go by the class table's
// titles or the file's keys, as the table's filter names them.
inline constexpr std::string_view rulesFileName = "tvcc-rules.toml";

enum class RuleKind : std::uint8_t { Range, Relation, MeanWithin, SameClassCount, EachTeamHas };
enum class RuleTest : std::uint8_t { Less, LessOrEqual, Greater, GreaterOrEqual, Equal, NotEqual };

struct Rule
{
    RuleKind kind = RuleKind::Range;
    int line = 0;                  // in the rules file, from 1
    std::optional<Team> team = {}; // Range, Relation: the classes of that team only
    std::string name = {};         // the first column as the rule names it, readable UTF-8; EachTeamHas: the condition
    int column = -1;               // of tableColumns(): Range, Relation, MeanWithin
    double low = 0;                // Range
    double high = 0;               // Range; MeanWithin: the most percent the means may differ by
    // Relation: column test (otherColumn, or number when otherColumn is -1).
    RuleTest test = RuleTest::LessOrEqual;
    int otherColumn = -1;
    std::string otherName = {};
    double number = 0;
    RosterFilter filter = {}; // EachTeamHas
};

// Why a rules file cannot be read, and where.
struct RulesError
{
    int line = 0; // from 1
    int column = 0;
    std::string message; // readable UTF-8

    // "line 3, column 9: no column named "sped""
    std::string text() const;
};

struct RuleSet
{
    std::vector<Rule> rules;
    std::vector<std::string> ignoredCodes; // "TCC025"
    // What keeps the file from being read, the first ones in file order;
    // with any, there are no rules and no codes ignored.
    std::vector<RulesError> errors;
    std::size_t errorsLeftOut = 0; // beyond those kept

    bool ignores(std::string_view code) const;
};

// The rules a rules file's text gives, or why it cannot be read.
RuleSet readRules(std::string_view text);

} // namespace tolvane
