#include "classdata/checks/classchecks.h"

#include "../testclasses.h"
#include "classdata/format/findingcodes.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace tolvane;

namespace {

// "line 3, class 0: TCC024 health 105 is above max_health 100", one a finding.
class Told final : public ReadObserver
{
public:
    void found(const ReadFinding &f) override
    {
        lines.push_back("line " + std::to_string(f.line) + ", class " + std::to_string(f.block) + ": "
                        + std::string(codeOf(f.kind).code) + ' ' + describe(f));
    }
    std::vector<std::string> lines;
};

TEST(ClassChecks, EachSlipOnTheLineOfItsValue)
{
    const std::pair<std::string, std::vector<std::string>> rows[] = {
        {inBlock("health 105\nmax_health 100"), {"line 2, class 0: TCC024 health 105 is above max_health 100"}},
        {inBlock("health 100\nmax_health 100"), {}},
        // Without a health line the block's own value counts, at the "{" line.
        {inBlock("max_health 99"), {"line 1, class 0: TCC024 health 100 is above max_health 99"}},
        {inBlock("classname Sniper") + "\n" + inBlock("classname Scout") + "\n" + inBlock("classname SNIPER") + "\n"
             + inBlock("classname sniper"),
         {"line 10, class 2: TCC025 classname \"SNIPER\" is the name of the class at line 2 too",
          "line 14, class 3: TCC025 classname \"sniper\" is the name of the class at line 2 too"}},
        // Names are compared whole: a blank makes another name.
        {inBlock("classname Sniper") + "\n" + inBlock("classname Sniper "), {}},
        // The class starts with its weapon whether its inventory has it or not.
        {inBlock("starting_weapon weapon_mp5\ninventory weapon_knife 1"), {}},
        {inBlock("health 120\nstarting_weapon weapon_trap\ninventory weapon_trap 2\nhealth 90"), {}},
    };
    for (const auto &[file, expected] : rows) {
        SCOPED_TRACE(file);
        const auto table = readTable(file);
        const std::vector<ClassLines> lines = classLinesOf(file);
        Told told;
        checkClasses(classesOf(*table), told, lines);
        EXPECT_EQ(told.lines, expected);
    }
}

TEST(ClassChecks, WithoutLinesTheClassIsNamedByItsPlace)
{
    const auto table = readTable(inBlock("classname Medic") + "\n" + inBlock("classname MEDIC"));
    const ClassRecord before = table->records[1];
    Told told;
    checkClasses(classesOf(*table), told);
    EXPECT_EQ(told.lines,
              std::vector<std::string>{"line 0, class 1: TCC025 classname \"MEDIC\" is the name of class 0 too"});
    EXPECT_EQ(table->records[1], before);
}

} // namespace
