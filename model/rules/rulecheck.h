#pragma once

#include "classdata/format/classfilereader.h"
#include "classdata/format/classrecord.h"
#include "rulesfile.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tolvane {

// A rule of the rules file that classes break.
struct BrokenRule
{
    ReadFindingKind kind;          // its code
    int line = 0;                  // of the rule in the rules file
    int classIndex = -1;           // of the class among those checked; -1: a rule of both teams
    std::vector<int> columns = {}; // of tableColumns(): the values the rule is about
    std::string message = {};      // readable UTF-8, without the class's name or the rule's place

    // The message with the rule's place: "... (tvcc-rules.toml:3)".
    std::string messageWithPlace(std::string_view rulesFile = rulesFileName) const;
};

// The ranges and relations that classes of team (nullopt: of a class file
// of neither team, which only the rules of [all] concern) break, class by
// class in file order, each class's in the rules' order.
std::vector<BrokenRule> brokenClassRules(const RuleSet &rules, std::span<const ClassRecord> classes,
                                         std::optional<Team> team);

// Whether any rule is about both teams at once.
bool hasTeamRules(const RuleSet &rules);

// The rules of [balance] that the two teams' classes break, in the rules' order.
std::vector<BrokenRule> brokenTeamRules(const RuleSet &rules, std::span<const ClassRecord> seals,
                                        std::span<const ClassRecord> tangos);

} // namespace tolvane
