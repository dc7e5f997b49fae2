#include "problemlist.h"

#include "classfilereader.h"
#include "classfilewriter.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <tuple>
#include <vector>

namespace {

constexpr std::string_view classFile = "// two classes\n"
                                       "{\n"
                                       "classname Sniper\n"
                                       "speed 10.5\n"                 // 4
                                       "health 95\n"
                                       "inventory ammo_fgrenades 2\n"
                                       "inventory weapon_laser 3\n"   // 7
                                       "resistance water\n"           // 8
                                       "}\n"
                                       "\n"
                                       "{\n"
                                       "classname Scout\n"
                                       "bogus 1\n"                    // 13
                                       "INVENTORY Weapon_Knife x\n"   // 14
                                       "}\n"
                                       "{\n"                          // 16
                                       "}\n";

// line, code, class, field, item
using Seen = std::tuple<int, std::string, int, std::string, int>;

// The classes the editor holds after reading bytes.
std::vector<ClassRecord> classesOf(std::string_view bytes)
{
    ClassTable table;
    ReadClassBytes(table, bytes);
    return {table.records.begin(), table.records.begin() + table.classCount};
}

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
        {"values, items and blocks", classFile,
         {{4, "TCC003", 0, "speed", -1},
          {7, "TCC009", 0, "inventory", -1},
          {8, "TCC008", 0, "resistance", -1},
          {13, "TCC001", 1, "", -1},
          {14, "TCC004", 1, "inventory", 0},
          {16, "TCC018", -1, "", -1}}},
        {"repeated key, then no block closed", "{\nhealth 5\nHEALTH 7\n{\n",
         {{1, "TCC017", 0, "", -1}, {3, "TCC011", 0, "health", -1}, {4, "TCC016", 0, "", -1}}},
        {"no class at all", "// nothing\n", {{1, "TCC020", 0, "", -1}}},
    };
    for (const auto &[name, bytes, expected] : rows) {
        SCOPED_TRACE(name);
        ProblemList problems;
        problems.fileRead(bytes);
        EXPECT_EQ(seen(problems.current(classesOf(bytes))), expected);
    }
    ProblemList problems;
    problems.fileRead(classFile);
    EXPECT_EQ(problems.current(classesOf(classFile)).front().text(),
              "line 4: TCC003 speed 10.5 is outside 0 to 10; read as 1.000000");
}

struct EditRow
{
    const char *name;
    std::function<void(std::vector<ClassRecord> &, std::vector<int> &origins)> edit;
    std::vector<std::pair<int, int>> lineAndClass;
};

// A problem about a value stands until that value of that class changes.
TEST(ProblemList, FollowsTheClassesAsTheyAreEdited)
{
    using Classes = std::vector<ClassRecord>;
    using Origins = std::vector<int>;
    const EditRow rows[] = {
        {"nothing", [](Classes &, Origins &) {}, {{4, 0}, {7, 0}, {8, 0}, {13, 1}, {14, 1}, {16, -1}}},
        {"speed stored as it was read", [](Classes &c, Origins &) { c[0].speed = 1.0f; },
         {{4, 0}, {7, 0}, {8, 0}, {13, 1}, {14, 1}, {16, -1}}},
        {"speed and resistance of the class",
         [](Classes &c, Origins &) {
             c[0].speed = 2;
             c[0].resistance = 1;
         },
         {{7, 0}, {13, 1}, {14, 1}, {16, -1}}},
        {"the same values of the other class",
         [](Classes &c, Origins &) {
             c[1].speed = 2;
             c[1].resistance = 1;
             c[0].inventory[0] = 4;
         },
         {{4, 0}, {7, 0}, {8, 0}, {13, 1}, {14, 1}, {16, -1}}},
        {"speed stored out of range, unknown key fixed by nothing", [](Classes &c, Origins &) { c[0].speed = 12; },
         {{7, 0}, {8, 0}, {13, 1}, {14, 1}, {16, -1}, {0, 0}}},
        {"the item's amount", [](Classes &c, Origins &) { c[1].inventory[0] = 4; },
         {{4, 0}, {7, 0}, {8, 0}, {13, 1}, {16, -1}}},
        {"second class gone, by position", [](Classes &c, Origins &) { c.pop_back(); },
         {{4, 0}, {7, 0}, {8, 0}, {16, -1}}},
        {"first class deleted",
         [](Classes &c, Origins &o) {
             c.erase(c.begin());
             o = {1};
         },
         {{13, 0}, {14, 0}, {16, -1}}},
        {"classes swapped",
         [](Classes &c, Origins &o) {
             std::swap(c[0], c[1]);
             o = {1, 0};
         },
         {{4, 1}, {7, 1}, {8, 1}, {13, 0}, {14, 0}, {16, -1}}},
    };
    for (const EditRow &row : rows) {
        SCOPED_TRACE(row.name);
        ProblemList problems;
        problems.fileRead(classFile);
        Classes classes = classesOf(classFile);
        Origins origins;
        row.edit(classes, origins);
        std::vector<std::pair<int, int>> standing;
        for (const Problem &p : problems.current(classes, origins))
            standing.emplace_back(p.line, p.classIndex);
        EXPECT_EQ(standing, row.lineAndClass);

        problems.fileWritten(ClassFileBytes(classes, "\n"), classes);
        for (const Problem &p : problems.current(classes))
            EXPECT_GT(p.line, 0) << "after a write: " << p.text();
    }
}

TEST(ProblemList, StatusSaysHowManyOnlyWhenThereAreAny)
{
    const std::tuple<std::size_t, const char *> rows[] = {
        {0, "7 Config Classes Read"}, {1, "7 Config Classes Read; 1 problem"}, {3, "7 Config Classes Read; 3 problems"}};
    for (const auto &[count, status] : rows)
        EXPECT_EQ(withProblemCount("7 Config Classes Read", count), status);
}

} // namespace
