#include "asanoptions.h"
#include "classdata/format/classfilereader.h"
#include "model/rules/rulecheck.h"
#include "model/rules/rulesfile.h"
#include "safetext.h"

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string_view>

using namespace tolvane;

namespace {

void require(bool condition)
{
    if (!condition)
        std::abort();
}

const std::vector<ClassRecord> &classes()
{
    static const std::vector<ClassRecord> read = [] {
        const auto table = std::make_unique<ClassTable>();
        readClassBytes(*table, "{\nclassname Sniper\nspeed 1.5\nhealth 120\ninventory ammo_cells 3\n}\n\n{\nclassname "
                               "Scout\nclassabilities 131072\nstarting_weapon weapon_mp5\n}\n");
        return std::vector<ClassRecord>(table->records.begin(), table->records.begin() + table->classCount);
    }();
    return read;
}

} // namespace

// Any bytes as a rules file: the reader never fails; a file it cannot read
// gives at most twenty errors, each a line of safe UTF-8 with a place, and
// no rules; the rules it reads are checked against both teams' classes,
// each broken one told in safe UTF-8 of a class that exists.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const RuleSet rules = readRules(std::string_view(reinterpret_cast<const char *>(data), size));
    require(rules.errors.size() <= 20);
    for (const RulesError &error : rules.errors)
        require(error.line >= 1 && error.column >= 1 && isSafeUtf8(error.text(), false));
    if (!rules.errors.empty()) {
        require(rules.rules.empty() && rules.ignoredCodes.empty());
        return 0;
    }
    for (const std::optional<Team> team : {std::optional<Team>(), std::optional(Team::Seals)}) {
        for (const BrokenRule &broken : brokenClassRules(rules, classes(), team))
            require(broken.classIndex >= 0 && std::size_t(broken.classIndex) < classes().size()
                    && isSafeUtf8(broken.messageWithPlace(), false));
    }
    const std::span<const ClassRecord> one(classes().data(), 1);
    for (const BrokenRule &broken : brokenTeamRules(rules, classes(), one))
        require(broken.classIndex == -1 && isSafeUtf8(broken.message, false));
    return 0;
}
