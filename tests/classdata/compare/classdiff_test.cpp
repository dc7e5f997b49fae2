#include "classdata/compare/classcompare.h"
#include "classdata/compare/classdiff.h"
#include "../testclasses.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <tuple>

using namespace tolvane;

namespace {

std::vector<ClassRecord> named(std::initializer_list<const char *> names)
{
    std::vector<ClassRecord> classes;
    for (const char *name : names) {
        applyBlockStartDefaults(classes.emplace_back());
        classes.back().classname.assign(name);
    }
    return classes;
}

// "2=0 1~1 -=3": first=second by name, first~second by position, "-" for
// none; "*" after a pair whose name is repeated.
std::string pairsText(const ClassMatch &match)
{
    std::string text;
    const auto side = [](int position) { return position < 0 ? std::string("-") : std::to_string(position); };
    for (const ClassPair &pair : match.pairs) {
        text += side(pair.first)
                + (pair.byName                           ? "="
                   : pair.first >= 0 && pair.second >= 0 ? "~"
                                                         : "=")
                + side(pair.second) + (pair.repeatedName ? "* " : " ");
    }
    return text;
}

TEST(ClassMatch, ByNameWithoutRegardToCaseThenByPosition)
{
    const std::tuple<const char *, std::vector<ClassRecord>, std::vector<ClassRecord>, const char *> rows[] = {
        {"same", named({"Sniper", "Scout"}), named({"Sniper", "Scout"}), "0=0 1=1 "},
        {"reordered", named({"Sniper", "Scout", "Heavy"}), named({"Heavy", "Sniper", "Scout"}), "2=0 0=1 1=2 "},
        {"case", named({"sniper", "Medic"}), named({"Medic", "SNIPER"}), "1=0 0=1 "},
        {"renamed in place, added, removed", named({"Sniper", "Scout", "Heavy", "Medic"}),
         named({"Medic", "Ranger", "Sniper", "Pyro"}), "3=0 1~1 0=2 -=3 2=- "},
        {"equal names in order", named({"Sniper", "Sniper", "Scout"}), named({"Scout", "Sniper", "Sniper"}),
         "2=0 0=1* 1=2* "},
        {"a name twice in the first only", named({"Sniper", "Sniper"}), named({"Sniper", "Medic"}), "0=0* 1~1* "},
        {"more classes in the second", named({"Sniper"}), named({"Sniper", "Scout", ""}), "0=0 -=1 -=2 "},
    };
    for (const auto &[name, first, second, pairs] : rows)
        EXPECT_EQ(pairsText(matchClasses(first, second)), pairs) << name;

    const ClassMatch twice = matchClasses(named({"Sniper", "Scout", "sniper"}), named({"SNIPER", "Scout", "Scout"}));
    ASSERT_EQ(twice.repeatedNames.size(), 2u);
    EXPECT_EQ(std::tie(twice.repeatedNames[0].name, twice.repeatedNames[0].inFirst, twice.repeatedNames[0].inSecond),
              std::make_tuple("Sniper", 2, 1));
    EXPECT_EQ(std::tie(twice.repeatedNames[1].name, twice.repeatedNames[1].inFirst, twice.repeatedNames[1].inSecond),
              std::make_tuple("Scout", 1, 2));
}

// Two files whose classes were reordered, renamed, added and removed.
TEST(ClassDiff, PatchNotesFromOneFileToTheNext)
{
    const auto first = readTable(inBlock("classname Sniper\nclassabilities 32768\nstarting_weapon weapon_mk23") + '\n'
                                 + inBlock("classname Scout") + '\n' + inBlock("classname Heavy") + '\n'
                                 + inBlock("classname Medic\nstarting_weapon WEAPON_MP5\ninventory weapon_knife 1"));
    const auto second = readTable(
        inBlock("classname Medic\nstarting_weapon weapon_mp5\ninventory WEAPON_KNIFE 1") + '\n'
        + inBlock("classname Ranger") + '\n'
        + inBlock("classname Sniper\nclassabilities 43008\nhealth 95\nstarting_weapon weapon_MP5\n"
                  "inventory ammo_fgrenades 2")
        + '\n' + inBlock("classname Pyro_*\nkeys my_pyro.cfg"));
    const ClassDifferences differences = diffClasses(classesOf(*first), classesOf(*second));
    EXPECT_EQ(patchNotes(differences, NotesFormat::Text),
              "Ranger: classname \"Scout\" -> \"Ranger\"\n"
              "Sniper: Sniper Autozoom no -> yes; ability bit 0x800 no -> yes; health 100 -> 95; "
              "starting_weapon \"Mk23\" -> \"H&K MP 5\"; inventory Flash Grenades 0 -> 2\n"
              "Added class Pyro_*\nRemoved class Heavy\n");
    EXPECT_EQ(patchNotes(differences, NotesFormat::Markdown),
              "### Changed\n\n"
              "- **Ranger**: classname \"Scout\" -> \"Ranger\"\n"
              "- **Sniper**: Sniper Autozoom no -> yes; ability bit 0x800 no -> yes; health 100 -> 95; "
              "starting_weapon \"Mk23\" -> \"H&K MP 5\"; inventory Flash Grenades 0 -> 2\n\n"
              "### Added\n\n- **Pyro\\_\\***\n\n### Removed\n\n- **Heavy**\n");
    EXPECT_EQ(differences.unchanged, 1);
    EXPECT_EQ(std::tie(differences.changed[1].pair.first, differences.changed[1].pair.second), std::make_tuple(0, 2));
    EXPECT_EQ(patchNotes(diffClasses(classesOf(*second), classesOf(*second)), NotesFormat::Markdown),
              "No class differs.\n");
}

TEST(ClassDiff, SixtyFourClassesReversedWithOneChange)
{
    const auto first = readTable(blocks(64));
    auto second = readTable(blocks(64));
    std::reverse(second->records.begin(), second->records.end());
    second->records[46].health = 90; // c17
    const ClassDifferences differences = diffClasses(classesOf(*first), classesOf(*second));
    EXPECT_EQ(patchNotes(differences, NotesFormat::Text), "c17: health 100 -> 90\n");
    EXPECT_EQ(differences.unchanged, 63);
    EXPECT_TRUE(differences.match.repeatedNames.empty());
}

TEST(ClassCompare, TwoClassesSideBySide)
{
    std::vector<ClassRecord> two = named({"Sniper", "Scout"});
    two[0].health = 100, two[1].health = 95, two[1].speed = 1.5f, two[0].max_rockets = 0, two[1].max_rockets = 3;
    two[0].classabilities = 0x8000 | 0x2, two[1].classabilities = 0x2, two[1].inventory[31] = 2;
    two[0].inventory[18] = 1, two[1].inventory[18] = 1;
    std::map<std::string, ComparedValue> rows;
    for (const ComparedValue &row : compareTwoClasses(two[0], two[1]))
        rows.emplace(valueName(row.value), row);
    using Only = std::optional<Side>;
    const std::tuple<const char *, const char *, const char *, bool, const char *, Only> expected[] = {
        {"classname", "Sniper", "Scout", false, "", std::nullopt},
        {"health", "100", "95", false, "-5 (x0.95)", std::nullopt},
        {"speed", "1.000000", "1.500000", false, "+0.5 (x1.5)", std::nullopt},
        {"max_rockets", "0", "3", false, "+3", std::nullopt},
        {"jump", "1.000000", "1.000000", true, "", std::nullopt},
        {"Scanner", "yes", "yes", true, "", std::nullopt},
        {"Sniper Scope", "yes", "no", false, "", Side::Left},
        {"Can be the V.I.P.", "no", "no", true, "", std::nullopt},
        {"inventory Flash Grenades", "0", "2", false, "+2", Side::Right},
        {"inventory PSG-1", "1", "1", true, "", std::nullopt},
    };
    for (const auto &[name, left, right, equal, difference, only] : expected) {
        ASSERT_TRUE(rows.contains(name)) << name;
        const ComparedValue &row = rows.at(name);
        EXPECT_EQ(std::tie(*row.left, *row.right, row.equal, row.onlyIn), std::tie(left, right, equal, only)) << name;
        EXPECT_EQ(differenceText(row), difference) << name;
    }
    EXPECT_FALSE(rows.contains("inventory Army Knife")); // neither carries it
    EXPECT_EQ(rows.size(), 22 + 22 + 2u);                // fields but classabilities, abilities, items
}

TEST(ClassCompare, TeamSummaryGivesSpreadsAndTheDifferenceOfMeans)
{
    std::vector<ClassRecord> seals = named({"Sniper", "Scout"}), tangos = named({"Gunner"});
    seals[0].health = 50, seals[1].health = 100, tangos[0].health = 90;
    seals[0].speed = 1.1f, tangos[0].inventory[31] = 4;
    const ClassRecord *ours[] = {&seals[0], &seals[1]}, *theirs[] = {&tangos[0]};
    std::map<std::string, TeamSummaryRow> rows;
    for (const TeamSummaryRow &row : teamSummary(ours, theirs))
        rows.emplace(valueName(row.value), row);
    EXPECT_EQ(rows.size(), 18u + inventorySlotCount);
    const std::tuple<const char *, double, double, double, double> expected[] = {
        // first's spread, difference
        {"health", 50, 75, 100, 15},
        {"speed", 1, 1.05, 1.1, -0.05},
        {"inventory Flash Grenades", 0, 0, 0, 4}};
    for (const auto &[name, minimum, mean, maximum, difference] : expected) {
        const TeamSummaryRow &row = rows.at(name);
        EXPECT_EQ(std::tie(row.first->minimum, row.first->maximum), std::tie(minimum, maximum)) << name;
        EXPECT_NEAR(row.first->mean, mean, 1e-9) << name;
        EXPECT_NEAR(*row.meanDifference, difference, 1e-9) << name;
    }
    const auto noClasses = teamSummary(ours, {});
    EXPECT_FALSE(noClasses.front().second || noClasses.front().meanDifference);
}

} // namespace
