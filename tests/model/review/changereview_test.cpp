#include "../sessiontesthelpers.h"
#include "model/review/changereview.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <tuple>
#include <vector>

using namespace tolvane;

namespace {

std::vector<ClassRecord> threeClasses()
{
    const std::string m60 = "\nstarting_weapon weapon_m60";
    return classesIn(block("classname Sniper" + m60) + block("classname Scout" + m60)
                     + block("classname Heavy" + m60 + "\ninventory ammo_fgrenades 2"));
}

TEST(ChangeReview, ClassByClassAndValueByValue)
{
    using Classes = std::vector<ClassRecord>;
    using Origins = std::vector<int>;
    const std::tuple<const char *, std::function<void(Classes &, Origins &)>, const char *> rows[] = {
        {"nothing", [](Classes &, Origins &) {}, "No class has changed since the file was last loaded or written.\n"},
        {"same speed, other digits", [](Classes &c, Origins &) { c[0].speed = 1.0000001f; },
         "No class has changed since the file was last loaded or written.\n"},
        {"two values of one class", [](Classes &c, Origins &) { c[0].health = 95, c[0].inventory[31] = 2; },
         "Sniper: Health 100 -> 95; Flash Grenades 0 -> 2\n"},
        {"an item dropped", [](Classes &c, Origins &) { c[2].inventory[31] = 0; }, "Heavy: Flash Grenades 2 -> 0\n"},
        {"float, texts and resistance without a line",
         [](Classes &c, Origins &) { c[1].speed = 1.5f, c[1].classname.assign("Ranger"), c[2].resistance = -1; },
         "Ranger: Classname \"Scout\" -> \"Ranger\"; Class Speed 1.000000 -> 1.500000\nHeavy: Resistance Normal "
         "Armor -> (no line)\n"},
        {"the resistance and the ammunition by the names the form shows",
         [](Classes &c, Origins &) { c[0].resistance = 2, c[1].resistance = 1, c[2].max_357cal = 60; },
         "Sniper: Resistance Normal Armor -> Blast Armor\nScout: Resistance Normal Armor -> Fire Armor\n"
         "Heavy: Max .357 Bullets 12 -> 60\n"},
        {"a CR inside a name stays, one at the end of a text goes, as Write Out writes them",
         [](Classes &c, Origins &) {
             c[0].classname.assign("Sni\rper"), c[1].keys.assign("k\r"), c[2].keys.assign("\r");
         },
         "Sni\rper: Classname \"Sniper\" -> \"Sni\rper\"\nScout: Config File \"\" -> \"k\"\n"},
        {"abilities and starting weapons by the names the form shows",
         [](Classes &c, Origins &) {
             c[0].starting_weapon.assign("weapon_pkm"), c[1].starting_weapon.assign("weapon_laser");
             c[2].classabilities = 0x8000, c[2].starting_weapon.assign("WEAPON_M60");
         },
         "Sniper: Starting Weapon \"M 60\" -> \"PKM\"\n"
         "Scout: Starting Weapon \"M 60\" -> \"weapon_laser\"\n"
         "Heavy: Sniper Scope no -> yes\n"},
        {"added by position", [](Classes &c, Origins &) { c.push_back(c[0]), c.back().classname.assign("Medic"); },
         "New class Medic\n"},
        {"last dropped by position", [](Classes &c, Origins &) { c.pop_back(); }, "Deleted class Heavy\n"},
        {"deleted, the rest kept in order",
         [](Classes &c, Origins &o) {
             c.erase(c.begin()), o = {1, 2};
         },
         "Deleted class Sniper\n"},
        {"one moved to the end, one new without a name",
         [](Classes &c, Origins &o) {
             std::rotate(c.begin(), c.begin() + 1, c.end()), c.emplace_back(), o = {1, 2, 0, -1};
         },
         "Sniper: moved from class 0 to class 2\nNew class (no name) at 3\n"},
    };
    for (const auto &[name, edit, text] : rows) {
        SCOPED_TRACE(name);
        const Classes saved = threeClasses();
        Classes classes = saved;
        Origins origins;
        edit(classes, origins);
        EXPECT_EQ(changeReview(saved, classes, origins), text);
    }
}

// The tool's sheets name values by the file's keys, and so do its lines.
TEST(ChangeReview, ByTheFileKeysForTheTool)
{
    const std::vector<ClassRecord> saved = threeClasses();
    std::vector<ClassRecord> classes = saved;
    classes[0].speed = 1.5f, classes[0].resistance = 1, classes[0].classabilities = 0x8000;
    classes[1].inventory[31] = 2;
    EXPECT_EQ(classChanges(saved, classes, {}, ChangeNames::File),
              (std::vector<std::string>{"Sniper: Sniper Scope no -> yes; speed 1.000000 -> 1.500000; resistance none "
                                        "-> fire",
                                        "Scout: inventory Flash Grenades 0 -> 2"}));
}

} // namespace
