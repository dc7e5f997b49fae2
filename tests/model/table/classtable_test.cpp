// The class table's rules on a roster of five classes: the filter language,
// the sort, changes to many classes at once and the summary.

#include "../sessiontesthelpers.h"
#include "model/table/bulkchange.h"
#include "classdata/format/classfilewriter.h"
#include "model/table/classroster.h"
#include "model/table/teamrows.h"
#include "model/table/tablecolumns.h"
#include "model/review/valuewords.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <tuple>
#include <variant>

using namespace tolvane;

namespace {

int column(std::string_view title)
{
    const int found = columnNamed(title);
    EXPECT_GE(found, 0) << title;
    return found;
}

class ClassTableRules : public ::testing::Test
{
protected:
    ClassTableRules()
    {
        readClassBytes(state.table,
                       block("classname Sniper\nhealth 90\nspeed 1.2\ninventory ammo_grenades 2\nclassabilities 32768\n"
                             "resistance fire")
                           + block("classname Heavy Gunner\nhealth 150\nspeed 0.8")
                           + block("classname Medic\nclassabilities 131072")
                           + block("classname Search and Rescue\nspeed 1.25\ninventory ammo_grenades 1")
                           + block("classname scout\nhealth 80"));
        state.table.records[4].speed = NAN;
        state.table.records[1].jump = NAN;
        state.lastIndex = state.table.classCount - 1;
    }

    std::string names(const std::vector<int> &slots) const
    {
        std::string text;
        for (int slot : slots)
            text += (text.empty() ? "" : ", ") + std::string(state.table.records[std::size_t(slot)].classname.view());
        return text;
    }

    std::string values(int of) const
    {
        std::string text;
        for (int slot = 0; slot < 3; ++slot)
            text += (slot ? " " : "")
                    + cellText(tableColumns()[std::size_t(of)], state.table.records[std::size_t(slot)]);
        return text;
    }

    // As the file would hold them: NaN is equal to nothing else.
    bool sameClasses(const ClassTable &other) const
    {
        return classFileBytes(other, "\n") == classFileBytes(state.table, "\n");
    }

    EditorState state;
    ClassIds ids{};
};

// Rows shown in file order, or where the filter cannot be read (all shown).
TEST_F(ClassTableRules, FilterLeavesTheClassesItsPartsAllMatch)
{
    const std::tuple<const char *, const char *, const char *> rows[] = {
        {"", "Sniper, Heavy Gunner, Medic, Search and Rescue, scout", ""},
        {"health < 100", "Sniper, scout", ""},
        {"speed >= 1.2", "Sniper, Search and Rescue", ""},
        {"carries Grenades", "Sniper, Search and Rescue", ""},
        {"ability Sniper Scope", "Sniper", ""},
        {"S and health >= 100", "Search and Rescue", ""},
        {"\"Search and Rescue\"", "Search and Rescue", ""},
        {"search AND rescue", "Search and Rescue", ""},
        {"not carries grenades and Class Speed < 1.1", "Heavy Gunner, Medic, scout", ""},
        {"resistance = FIRE armor", "Sniper", ""},
        {"Can Heal Others = yes and Max Health <= 100", "Medic", ""},
        {"Starting Weapon = m4", "", ""},
        {"ability Sniper Scope OR ability Can Heal Others", "Sniper, Medic", ""},
        {"carries Grenades and health >= 100 or health < 85", "Search and Rescue, scout", ""},
        {"carries Grenades and (health >= 100 or health < 85)", "Search and Rescue", ""},
        {"not (health < 100 or ability Can Heal Others)", "Heavy Gunner, Search and Rescue", ""},
        {"(sniper)or(medic)", "Sniper, Medic", ""},
        {"((gunner or medic) and not(health > 120))", "Medic", ""},
        {"android", "", ""},
        {"helth < 100", "", "character 1: no column named \"helth\""},
        {"health < fast", "", "character 10: \"fast\" is not a number"},
        {"health < 0x64", "", "character 10: \"0x64\" is not a number"},
        {"carries Granades", "", "character 9: no item named \"Granades\""},
        {"health < 100 and ", "", "character 17: a condition is missing around \"and\""},
        {"Classname > a", "", "character 13: Classname is compared only with = or !="},
        {"name \"open", "", "character 6: a quote is not closed"},
        {"not ability Flying", "", "character 13: no ability named \"Flying\""},
        {"Sniper Scope > 0", "", "character 16: Sniper Scope is compared as = yes or = no"},
        {"< 5", "", "character 1: a column is missing before the comparison"},
        {"(health < 100 or medic", "", "character 1: a parenthesis is not closed"},
        {"health < 100)", "", "character 13: a parenthesis is closed that was not opened"},
        {"sniper or ", "", "character 10: a condition is missing around \"or\""},
        {"medic and ()", "", "character 12: a condition is missing in the parentheses"},
        {"(medic) sniper", "", "character 9: \"and\" or \"or\" is missing before this"},
        {"Heavy (old)", "", "character 7: a parenthesis within a part; put a name that holds one in quotes"},
        {"not or medic", "", "character 1: a condition is missing after \"not\""},
    };
    for (const auto &[typed, shown, error] : rows) {
        SCOPED_TRACE(typed);
        ClassRoster roster;
        roster.setFilter(typed);
        const std::string all = names(roster.shownRows(state));
        EXPECT_EQ(all, *error ? "Sniper, Heavy Gunner, Medic, Search and Rescue, scout" : shown);
        const std::string why = roster.filter().error() ? roster.filter().error()->text() : "";
        EXPECT_EQ(why, *error ? "Filter not read at " + std::string(error) + "; all classes are shown" : "");
    }
}

// The sort orders the rows shown, never the classes: numbers as numbers,
// names without regard to case, a NaN as the 0 the game reads for it, equal values in file order.
TEST_F(ClassTableRules, SortOrdersOnlyTheRowsShown)
{
    const std::tuple<const char *, SortOrder, const char *, const char *> rows[] = {
        {"Health", SortOrder::Ascending, "", "scout, Sniper, Medic, Search and Rescue, Heavy Gunner"},
        {"Health", SortOrder::Descending, "", "Heavy Gunner, Medic, Search and Rescue, Sniper, scout"},
        {"Class Speed", SortOrder::Ascending, "", "scout, Heavy Gunner, Medic, Sniper, Search and Rescue"},
        {"Class Speed", SortOrder::Descending, "", "Search and Rescue, Sniper, Medic, Heavy Gunner, scout"},
        {"Jump Height", SortOrder::Ascending, "", "Heavy Gunner, Sniper, Medic, Search and Rescue, scout"},
        {"Classname", SortOrder::Ascending, "", "Heavy Gunner, Medic, scout, Search and Rescue, Sniper"},
        {"Sniper Scope", SortOrder::Descending, "", "Sniper, Heavy Gunner, Medic, Search and Rescue, scout"},
        {"Grenades", SortOrder::Descending, "carries grenades", "Sniper, Search and Rescue"},
    };
    const ClassTable before = state.table;
    for (const auto &[title, order, filter, shown] : rows) {
        SCOPED_TRACE(title);
        ClassRoster roster;
        roster.setFilter(filter);
        roster.sortBy(column(title), order);
        EXPECT_EQ(names(roster.shownRows(state)), shown);
        roster.fileOrder();
        EXPECT_EQ(names(roster.shownRows(state)),
                  *filter ? "Sniper, Search and Rescue" : "Sniper, Heavy Gunner, Medic, Search and Rescue, scout");
    }
    EXPECT_TRUE(sameClasses(before));
}

// A change typed for the first three classes: their values after it and the
// step's name, or why it cannot be read (and nothing changes).
TEST_F(ClassTableRules, ChangeToManyClassesIsOneNamedStep)
{
    const std::tuple<const char *, const char *, const char *, const char *> rows[] = {
        {"Health", "+5", "95 155 105", "Change Health on 3 classes"},
        {"Health", "-10%", "81 135 90", "Change Health on 3 classes"},
        {"Health", "x1.05", "95 158 105", "Change Health on 3 classes"},
        {"Health", "*2", "180 300 200", "Change Health on 3 classes"},
        {"Health", "=-3", "-3 -3 -3", "Change Health on 3 classes"},
        {"Health", "100", "100 100 100", "Change Health on 2 classes"},
        {"Health", "+0", "90 150 100", ""},
        {"Health", "12.5", "Health takes whole numbers", nullptr},
        {"Health", "+fast", "\"+fast\" is not a number; type a value, +5, -10, x1.05 or +5%", nullptr},
        {"Health", " ", "Type the new value", nullptr},
        {"Class Speed", "=0x1", "\"0x1\" is not a number; type a value, +5, -10, x1.05 or +5%", nullptr},
        {"Class Speed", "x1.05", "1.260000 0.840000 1.050000", "Change Class Speed on 3 classes"},
        {"Class Speed", "+9.5", "10.700000 10.300000 10.500000", "Change Class Speed on 3 classes"},
        {"Sniper Scope", "on", "yes yes yes", "Change Sniper Scope on 2 classes"},
        {"Sniper Scope", "maybe", "Sniper Scope is set to yes or no", nullptr},
        {"Resistance", "blast armor", "Blast Armor Blast Armor Blast Armor", "Change Resistance on 3 classes"},
        {"Resistance", "Kevlar", "Resistance has no entry \"Kevlar\"", nullptr},
        {"Starting Weapon", "m4", "M4 M4 M4", "Change Starting Weapon on 3 classes"},
        {"Grenades", "+2", "4 2 2", "Change Grenades on 3 classes"},
        {"Inventory", "x2", "Change the column of one item instead", nullptr},
        {"Config File", "", "  ", ""},
        {"Classname", "Kommando Spezialkraefte der Marine",
         "Kommando Spezialkraefte der Mar Kommando Spezialkraefte der Mar Kommando Spezialkraefte der Mar",
         "Change Classname on 3 classes"},
    };
    const int slots[] = {0, 1, 2};
    for (const auto &[title, typed, result, step] : rows) {
        SCOPED_TRACE(std::string(title) + " " + typed);
        EditorState before = state;
        const TableColumn &of = tableColumns()[std::size_t(column(title))];
        const auto read = readBulkChange(of, typed);
        if (!step) {
            ASSERT_TRUE(std::holds_alternative<std::string>(read));
            EXPECT_EQ(std::get<std::string>(read), result);
            continue;
        }
        ASSERT_TRUE(std::holds_alternative<BulkChange>(read)) << std::get<std::string>(read);
        std::optional<TableEdit> edit = changeClasses({state, ids}, column(title), std::get<BulkChange>(read), slots);
        EXPECT_EQ(edit ? edit->name() : "", step);
        EXPECT_EQ(values(column(title)), result);
        EXPECT_TRUE(state.table.records[3] == before.table.records[3]);
        if (edit)
            edit->undo({state, ids});
        EXPECT_TRUE(sameClasses(before.table));
    }
}

// Min, mean and max of the rows given, as the summary row words them; where a
// value lies on the column's colour scale.
TEST_F(ClassTableRules, SummaryFollowsTheRowsGiven)
{
    const int health = column("Health");
    const std::vector<int> rows = {0, 2, 3};
    const std::optional<ValueSpread> spread = columnSpread(health, state, rows);
    ASSERT_TRUE(spread);
    EXPECT_EQ(summaryNumber(spread->minimum) + " " + summaryNumber(spread->mean) + " " + summaryNumber(spread->maximum),
              "90 96.667 100");
    EXPECT_EQ(summaryNumber(1.05000001), "1.05");
    EXPECT_EQ(summaryNumber(-0.0001), "0");
    EXPECT_FALSE(columnSpread(column("Classname"), state, rows));
    EXPECT_EQ(scalePosition(95, *spread), 0.5);
    EXPECT_EQ(scalePosition(100, {100, 100, 100}), 0.5);
    EXPECT_FALSE(scalePosition(NAN, *spread));
    EXPECT_EQ(commonCellText(health, TableRows{&state}, std::vector<int>{2, 3}), "100");
    EXPECT_EQ(commonCellText(health, TableRows{&state}, rows), "(different)");
}

// The table's columns follow the form's boxes: a new box brings its column,
// titled by its row, in the rows' order, with the box's kind and text limit;
// a box taken away takes its column along.
TEST(ClassTableColumns, FollowTheFormsBoxes)
{
    std::vector<FormBinding> boxes;
    for (const FormBinding &box : formBindings) {
        if (box.key != "speed")
            boxes.push_back(box);
    }
    FormBinding motto = *bindingOfControl(ControlId::ClassName);
    motto.key = "motto";
    motto.column = "motto";
    motto.textLimit = 7;
    boxes.insert(boxes.begin() + 3, motto);
    const std::vector<TableColumn> columns = columnsOfBoxes(boxes);
    std::string shown;
    for (const TableColumn &column : columns)
        shown += column.kind == ColumnKind::Text ? column.title + " " + std::to_string(column.textLimit) + ", " : "";
    EXPECT_EQ(shown, "Classname 31, Config File 1023, motto 7, ");
    EXPECT_EQ(std::ranges::count(columns, "speed", &TableColumn::id), 0);
    EXPECT_EQ(std::ranges::count(columns, "max_45cal", &TableColumn::id), 1);
    EXPECT_EQ(columns.size(), tableColumns().size());
}

// Wherever the editor names a value (Review Changes, Compare Two Classes,
// the chart, the patch notes, the Problems window), it is by its column's
// title; a value no column shows keeps its name.
TEST(ClassTableColumns, NameTheValuesEverywhere)
{
    for (const TableColumn &column : tableColumns()) {
        if (column.kind != ColumnKind::Inventory) {
            EXPECT_EQ(columnTitle(column.value), column.title) << column.id;
        }
    }
    const std::tuple<ClassValue, const char *> unshown[] = {
        {{.field = &fieldNamed("classabilities")}, "classabilities"},
        {{.kind = ClassValue::Kind::Ability, .bit = 0x800}, "ability bit 0x800"},
    };
    for (const auto &[value, name] : unshown)
        EXPECT_EQ(columnTitle(value), name);
    const std::tuple<const char *, const char *> keys[] = {
        // clang-format off
        {"kevlar_vest", "Kevlar Vest"}, {"MAX_357CAL", "Max .357 Bullets"}, {"max_45cal", "Max Pistol Mag"},
        {"keys", "Config File"}, {"inventory ammo_fgrenades", "Flash Grenades"},
        {"INVENTORY Weapon_Knife", "Army Knife"}, {"inventory nothing", "inventory nothing"}, {"bogus", "bogus"},
        // clang-format on
    };
    for (const auto &[key, title] : keys)
        EXPECT_EQ(keyTitle(key), title) << key;
}

} // namespace
