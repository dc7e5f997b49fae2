#include "../sessiontesthelpers.h"
#include "model/review/problemlist.h"

#include "classdata/format/classfilereader.h"
#include "classdata/format/classfilewriter.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <tuple>
#include <vector>

using namespace tolvane;

namespace {

// Lines 4, 7, 8, 13, 14 and 16 hold a problem each; the last block is never opened.
constexpr std::string_view classFile = "// two classes\n{\nclassname Sniper\nspeed 10.5\nhealth 95\n"
                                       "inventory ammo_fgrenades 2\ninventory weapon_laser 3\nresistance water\n}\n\n"
                                       "{\nclassname Scout\nbogus 1\nINVENTORY Weapon_Knife x\n}\n{\n}\n";

// line, code, class, field, item
using Seen = std::tuple<int, std::string, int, std::string, int>;

std::vector<Seen> seen(const std::vector<Problem> &problems)
{
    std::vector<Seen> out;
    for (const Problem &p : problems)
        out.emplace_back(p.line, std::string(p.code), p.classIndex, p.field, p.item);
    return out;
}

TEST(ProblemList, EachFindingWithItsClassAndBox)
{
    const std::tuple<const char *, std::string_view, std::vector<Seen>> rows[] = {
        {"values, items and blocks",
         classFile,
         {{4, "TCC003", 0, "speed", -1},
          {7, "TCC009", 0, "inventory", -1},
          {8, "TCC008", 0, "resistance", -1},
          {13, "TCC001", 1, "", -1},
          {14, "TCC004", 1, "inventory", 0},
          {16, "TCC018", -1, "", -1}}},
        {"repeated key, then no block closed",
         "{\nhealth 5\nHEALTH 7\n{\n",
         {{1, "TCC017", 0, "", -1}, {3, "TCC011", 0, "health", -1}, {4, "TCC016", 0, "", -1}}},
        {"no class at all", "// nothing\n", {{1, "TCC020", 0, "", -1}}},
    };
    for (const auto &[name, bytes, expected] : rows) {
        SCOPED_TRACE(name);
        ProblemList problems;
        problems.fileRead(bytes);
        const std::vector<Problem> found = problems.current(classesIn(bytes));
        EXPECT_EQ(seen(found), expected);
    }
}

// The Problems window names values as the class table does; its tooltips, as
// check does, by the file's keys.
TEST(ProblemList, ValuesByTheTablesTitlesAndByTheFilesKeys)
{
    const auto texts = [](const std::vector<Problem> &problems, std::string (Problem::*text)() const) {
        std::string lines;
        for (const Problem &problem : problems)
            lines += (problem.*text)() + '\n';
        return lines;
    };
    ProblemList list;
    list.fileRead(classFile);
    const std::vector<Problem> read = list.current(classesIn(classFile));
    std::vector<ClassRecord> slips = classesIn("{\nclassname Sniper\nhealth 150\n}\n\n{\nclassname SNIPER\n}\n");
    const std::tuple<const char *, std::vector<Problem>, const char *, const char *> rows[] = {
        {"the reader's", read,
         "line 4: TCC003 Class Speed 10.5 is outside 0 to 10; read as 1.000000\n"
         "line 7: TCC009 inventory item \"weapon_laser\" is not in the item catalogue; line ignored\n"
         "line 8: TCC008 Resistance \"water\" is not none, fire or explosive; read as none\n"
         "line 13: TCC001 unknown key \"bogus\"; line ignored\n"
         "line 14: TCC004 Army Knife value \"x\" is not a number; read as 0\n"
         "line 16: TCC018 \"{\" right after a \"}\" line is skipped, so this block is not read\n",
         "line 4: TCC003 speed 10.5 is outside 0 to 10; read as 1.000000\n"
         "line 7: TCC009 inventory item \"weapon_laser\" is not in the item catalogue; line ignored\n"
         "line 8: TCC008 resistance \"water\" is not none, fire or explosive; read as none\n"
         "line 13: TCC001 unknown key \"bogus\"; line ignored\n"
         "line 14: TCC004 INVENTORY Weapon_Knife value \"x\" is not a number; read as 0\n"
         "line 16: TCC018 \"{\" right after a \"}\" line is skipped, so this block is not read\n"},
        {"the slips", slipsOf(slips),
         "TCC024 Health 150 is above Max Health 100\nTCC025 Classname \"SNIPER\" is the name of class 0 too\n",
         "TCC024 health 150 is above max_health 100\nTCC025 classname \"SNIPER\" is the name of class 0 too\n"},
    };
    for (const auto &[name, problems, titled, keyed] : rows) {
        SCOPED_TRACE(name);
        EXPECT_EQ(texts(problems, &Problem::text), titled);
        EXPECT_EQ(texts(problems, &Problem::textByKeys), keyed);
    }
}

// A problem about a value stands until that value of that class changes.
TEST(ProblemList, FollowsTheClassesAsTheyAreEdited)
{
    using Classes = std::vector<ClassRecord>;
    using Origins = std::vector<int>;
    using LineAndClass = std::vector<std::pair<int, int>>;
    const std::tuple<const char *, std::function<void(Classes &, Origins &)>, LineAndClass> rows[] = {
        {"nothing", [](Classes &, Origins &) {}, {{4, 0}, {7, 0}, {8, 0}, {13, 1}, {14, 1}, {16, -1}}},
        {"speed and resistance of the class",
         [](Classes &c, Origins &) { c[0].speed = 2, c[0].resistance = 1; },
         {{7, 0}, {13, 1}, {14, 1}, {16, -1}}},
        {"the same values of the other class, the class's speed stored as read",
         [](Classes &c, Origins &) { c[1].speed = 2, c[1].resistance = 1, c[0].inventory[0] = 4, c[0].speed = 1; },
         {{4, 0}, {7, 0}, {8, 0}, {13, 1}, {14, 1}, {16, -1}}},
        {"speed stored out of range",
         [](Classes &c, Origins &) { c[0].speed = 12; },
         {{7, 0}, {8, 0}, {13, 1}, {14, 1}, {16, -1}, {0, 0}}},
        {"the item's amount",
         [](Classes &c, Origins &) { c[1].inventory[0] = 4; },
         {{4, 0}, {7, 0}, {8, 0}, {13, 1}, {16, -1}}},
        {"second class gone, by position",
         [](Classes &c, Origins &) { c.pop_back(); },
         {{4, 0}, {7, 0}, {8, 0}, {16, -1}}},
        {"first class deleted",
         [](Classes &c, Origins &o) { c.erase(c.begin()), o = {1}; },
         {{13, 0}, {14, 0}, {16, -1}}},
        {"classes swapped",
         [](Classes &c, Origins &o) {
             std::swap(c[0], c[1]), o = {1, 0};
         },
         {{4, 1}, {7, 1}, {8, 1}, {13, 0}, {14, 0}, {16, -1}}},
    };
    for (const auto &[name, edit, expected] : rows) {
        SCOPED_TRACE(name);
        ProblemList problems;
        problems.fileRead(classFile);
        Classes classes = classesIn(classFile);
        Origins origins;
        edit(classes, origins);
        LineAndClass standing;
        for (const Problem &p : problems.current(classes, origins))
            standing.emplace_back(p.line, p.classIndex);
        EXPECT_EQ(standing, expected);

        problems.fileWritten(classFileBytes(classes, "\n"), classes);
        for (const Problem &p : problems.current(classes))
            EXPECT_GT(p.line, 0) << "after a write: " << p.text();
    }
}

} // namespace
