// What the class table and its dialogs say to a screen reader: a cell, the
// changes of the table from one moment to the next, the state of Change
// Selected Classes and a list's entry.

#include "../sessiontesthelpers.h"
#include "model/table/announcements.h"
#include "model/table/tablecolumns.h"
#include "model/table/teamrows.h"

#include <gtest/gtest.h>

#include <array>
#include <sstream>

using namespace tolvane;

namespace {

TEST(Announcements, CellNamesTheRowTheColumnTheValueAndWhatIsAmiss)
{
    const std::pair<CellFacts, const char *> rows[] = {
        {{"1  Marksman", "Health", "100", "", false}, "1  Marksman, Health, 100"},
        {{"0  Pointman", "Config File", "", "", false}, "0  Pointman, Config File, empty"},
        {{"2  Breacher", "Class Speed", "12.000000", "TCC003 speed 12 is outside 0 to 10; read as 1.000000", false},
         "2  Breacher, Class Speed, 12.000000, TCC003 speed 12 is outside 0 to 10; read as 1.000000"},
        {{"Tangos 0  Heavy", "Sniper Scope", "no", "", true}, "Tangos 0  Heavy, Sniper Scope, no, read only"},
    };
    for (const auto &[cell, said] : rows)
        EXPECT_EQ(cellAnnouncement(cell), said);
}

// What the table shows is set up by commands, separated by ";":
//   sort TITLE up|down, file order, filter TEXT, select ROW..., other
// (the other team's two classes shown, rows 64 and 65).
struct ChangeRow
{
    const char *name;
    const char *before;
    const char *now;
    const char *said;
};

const ChangeRow changeRows[] = {
    {"SortHighestFirst", "", "sort Health down", "Sorted by Health, highest first"},
    {"SortTheOtherWay", "sort Health down", "sort Health up", "Sorted by Health, lowest first"},
    {"SortAnotherColumn", "sort Health up", "sort Class Speed up", "Sorted by Class Speed, lowest first"},
    {"TextsFromAToZ", "", "sort Classname up", "Sorted by Classname, A to Z"},
    {"StartingWeaponsFromZToA", "", "sort Starting Weapon down", "Sorted by Starting Weapon, Z to A"},
    {"TicksSetFirst", "", "sort Sniper Scope down", "Sorted by Sniper Scope, yes first"},
    {"TheTeamColumn", "other", "other; sort Team up", "Sorted by Team, A to Z"},
    {"FileOrder", "sort Health down", "file order", "In file order"},
    {"TheSameSortSaysNothing", "sort Health down; filter a", "sort Health down; filter a", ""},
    {"FilterSaysTheCount", "", "filter health > 95", "3 of 4 classes"},
    {"FilterClearedSaysTheCount", "filter health > 95", "", "4 of 4 classes"},
    {"FilterErrorSaysWhere", "", "filter helth > 1",
     "Filter not read at character 1: no column named \"helth\"; all classes are shown"},
    {"TwoSelected", "select 0", "select 0 1", "2 classes selected"},
    {"BackToOneSelected", "select 0 1 2", "select 2", "1 class selected"},
    {"NoneSelected", "select 0 1", "", "No class selected"},
    {"AnotherSingleRowSaysNothing", "select 0", "select 1", ""},
    {"SelectedAndHidden", "select 0 1", "select 0 1; filter health > 95",
     "3 of 4 classes; 2 selected, 1 of them hidden by the filter"},
    {"OtherTeamShown", "", "other", "The Tangos' classes shown; 6 of 6 classes, 2 of them the Tangos'"},
    {"OtherTeamHidden", "other; select 0 64", "select 0",
     "The Tangos' classes hidden; 4 of 4 classes; 1 class selected"},
    {"SortAndSelection", "select 1", "sort Health up; select 1 2",
     "Sorted by Health, lowest first; 2 classes selected"},
};

class TableChangeTest : public ::testing::TestWithParam<ChangeRow>
{
protected:
    TableChangeTest()
    {
        for (const ClassRecord &record :
             classesIn(healthFile({{"Pointman", 100}, {"Marksman", 90}, {"Breacher", 120}, {"Combat Medic", 100}})))
            state.table.records[std::size_t(state.table.classCount++)] = record;
        state.lastIndex = state.table.classCount - 1;
        tangos.fill(classesIn(block("classname Heavy")).at(0));
    }

    TableFacts factsAfter(const std::string &commands)
    {
        ClassRoster roster;
        bool other = false;
        std::vector<int> selected;
        std::istringstream parts(commands);
        for (std::string part; std::getline(parts, part, ';');) {
            part = std::string(trimmed(part));
            const auto rest = [&](std::string_view word) { return std::string(trimmed(part.substr(word.size()))); };
            if (part.starts_with("sort ")) {
                const bool up = part.ends_with(" up");
                std::string title = rest("sort");
                title = title.substr(0, title.rfind(' '));
                const int column = title == "Team" ? teamColumn() : columnNamed(title);
                EXPECT_GE(column, 0) << title;
                roster.sortBy(column, up ? SortOrder::Ascending : SortOrder::Descending);
            } else if (part == "file order") {
                roster.fileOrder();
            } else if (part.starts_with("filter ")) {
                roster.setFilter(rest("filter"));
            } else if (part.starts_with("select ")) {
                std::istringstream rows(rest("select"));
                for (int row = 0; rows >> row;)
                    selected.push_back(row);
            } else if (part == "other") {
                other = true;
            } else {
                EXPECT_TRUE(part.empty()) << "unknown command " << part;
            }
        }
        roster.select(selected);
        TableRows rows{&state, Team::Seals};
        if (other)
            rows.other = tangos;
        return tableFacts(roster, rows);
    }

    EditorState state;
    std::array<ClassRecord, 2> tangos;
};

TEST_P(TableChangeTest, SaysWhatChangedInOneLine)
{
    const ChangeRow &row = GetParam();
    EXPECT_EQ(tableChangeAnnouncement(factsAfter(row.before), factsAfter(row.now)), row.said);
}

INSTANTIATE_TEST_SUITE_P(Rows, TableChangeTest, ::testing::ValuesIn(changeRows), byRowName);

TEST(Announcements, BulkChangeHeadingNamesTheColumnAndTheClasses)
{
    const std::pair<std::vector<std::string>, const char *> rows[] = {
        {{"Marksman"}, "Change Health of 1 class: Marksman"},
        {{"Marksman", "Breacher"}, "Change Health of 2 classes: Marksman and Breacher"},
        {{"A", "B", "C"}, "Change Health of 3 classes: A, B and C"},
        {{"A", "B", "C", "D", "E"}, "Change Health of 5 classes: A, B, C and 2 more"},
    };
    for (const auto &[classes, said] : rows)
        EXPECT_EQ(bulkChangeHeading("Health", classes), said);
}

TEST(Announcements, ListEntriesBoxesAndCounts)
{
    EXPECT_EQ(entryAnnouncement("3  Combat Medic", 1, 2), "3  Combat Medic, 1 of 2");
    EXPECT_EQ(valueAnnouncement("Health", "120"), "Health 120");
    EXPECT_EQ(nowAnnouncement("(different)"), "now (different)");
    EXPECT_EQ(nowAnnouncement(""), "now empty");
    EXPECT_EQ(valueAnnouncement("Helmet", ""), "Helmet empty");
    EXPECT_EQ(classCountText(2, 7), "2 of 7 classes");
    EXPECT_EQ(classCountText(1, 1), "1 of 1 class");
    EXPECT_EQ(unavailableChangeAnnouncement("\"+fast\" is not a number"),
              "Change is unavailable: \"+fast\" is not a number");
}

} // namespace
