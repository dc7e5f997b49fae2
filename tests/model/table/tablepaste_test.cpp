// Copy and paste between the class table and spreadsheets: where a block of
// cells goes, what each cell stores, and what stops a paste as a whole.

#include "../sessiontesthelpers.h"
#include "model/table/tablecolumns.h"
#include "model/session/formvalues.h"
#include "model/table/tablepaste.h"
#include "classdata/text/windows1252.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <sstream>

using namespace tolvane;

namespace {

// Five classes A to E shown in this order, under these columns.
const char *const shownTitles[] = {"Classname",    "Health",          "Class Speed", "Resistance",
                                   "Sniper Scope", "Starting Weapon", "Inventory",   "Grenades"};

class TablePaste : public ::testing::Test
{
protected:
    TablePaste()
    {
        for (int slot = 0; slot < 5; ++slot) {
            ClassRecord &record = table.records[std::size_t(slot)];
            applyBlockStartDefaults(record);
            record.classname.assign(std::string(1, char('A' + slot)));
            record.starting_weapon.assign("weapon_mk23");
            grid.rows.push_back(slot);
        }
        table.classCount = 5;
        for (const char *title : shownTitles)
            grid.columns.push_back(columnNamed(title));
    }

    // "B:Health C:Health", or a range "A-E:Health"; the first is current.
    void select(const std::string &cells)
    {
        grid.selected.clear();
        grid.current = {};
        std::istringstream words(cells);
        for (std::string word; words >> word;) {
            const std::string rows = word.substr(0, word.find(':'));
            std::string title = word.substr(word.find(':') + 1);
            std::ranges::replace(title, '_', ' ');
            const int column = int(std::ranges::find(grid.columns, columnNamed(title)) - grid.columns.begin());
            for (char row = rows.front(); row <= rows.back(); ++row)
                grid.selected.push_back({row - 'A', column});
        }
        if (!grid.selected.empty())
            grid.current = grid.selected.front();
    }

    // "B.Health=95 ..." for each value that changes, the columns shown
    // first, or the problems; "|not pasted: ..." after them.
    std::string paste(const std::string &text)
    {
        const PastePlan plan = planPaste(recordOf(), grid, text);
        std::string result;
        for (const std::string &problem : plan.problems)
            result += (result.empty() ? "" : "|") + problem;
        std::vector<int> columns;
        std::ranges::copy_if(grid.columns, std::back_inserter(columns),
                             [](int column) { return std::size_t(column) < tableColumns().size(); });
        for (int column = 0; column < int(tableColumns().size()); ++column) {
            if (tableColumns()[std::size_t(column)].kind != ColumnKind::Item
                && std::ranges::find(columns, column) == columns.end())
                columns.push_back(column);
        }
        for (std::size_t i = 0; i < plan.changedSlots.size(); ++i) {
            const ClassRecord &before = table.records[std::size_t(plan.changedSlots[i])];
            for (int column : columns) {
                const TableColumn &of = tableColumns()[std::size_t(column)];
                const std::string now = cellText(of, plan.records[i]);
                if (now != cellText(of, before))
                    result += (result.empty() ? "" : " ") + std::string(before.classname.view()) + '.' + of.title + '='
                              + utf8Of(now);
            }
        }
        if (!plan.notPasted.empty())
            result += "|" + notPastedReport(plan).substr(2);
        return result;
    }

    RecordOfRow recordOf() const
    {
        return [this](int slot) -> const ClassRecord & { return table.records[std::size_t(slot)]; };
    }

    ClassTable table;
    TableGrid grid;
};

TEST_F(TablePaste, BlocksGoWhereSpreadsheetsPutThem)
{
    const std::tuple<const char *, const char *, const char *> rows[] = {
        // A single value goes into every selected cell.
        {"A-E:Health", "95", "A.Health=95 B.Health=95 C.Health=95 D.Health=95 E.Health=95"},
        {"B:Health D:Class_Speed", "2", "B.Health=2 D.Class Speed=2.000000"},
        // A block goes from the first selected cell rightwards and down,
        // whatever the line ends and a last line end.
        {"B:Health", "80\t2.5\n70\t3\n", "B.Health=80 B.Class Speed=2.500000 C.Health=70 C.Class Speed=3.000000"},
        {"B:Health", "80\t2.5\r\n70\t3\r\n", "B.Health=80 B.Class Speed=2.500000 C.Health=70 C.Class Speed=3.000000"},
        {"B:Health", "80\t2.5\r\n70\t3", "B.Health=80 B.Class Speed=2.500000 C.Health=70 C.Class Speed=3.000000"},
        // A header row maps the columns, in any order; one row repeats over
        // the selected rows.
        {"B:Classname", "Class Speed\tHealth\n2.5\t80\n3\t70\n",
         "B.Health=80 B.Class Speed=2.500000 C.Health=70 C.Class Speed=3.000000"},
        {"B-D:Classname", "health\tSniper Scope\r\n50\tyes\r\n",
         "B.Health=50 B.Sniper Scope=yes C.Health=50 C.Sniper Scope=yes D.Health=50 D.Sniper Scope=yes"},
        // Texts as typing stores them: lists by their entry, quoted cells,
        // Windows-1252 letters.
        {"A:Resistance", "fire armor\tno\tDesert Eagle", "A.Resistance=Fire Armor A.Starting Weapon=Desert Eagle"},
        {"A:Classname", "\"Big \"\"Gun\"\"\"", "A.Classname=Big \"Gun\""},
        {"A:Classname", "B\xC3\xA4r", "A.Classname=B\xC3\xA4r"},
        // The inventory cell holds every item: those it leaves out are
        // carried 0 times; an item's cell after it has the last word. A
        // cell pasted as it shows changes nothing.
        {"A:Inventory", "Grenades 5\t7", "A.Inventory=Grenades 7 A.Grenades=7"},
        {"D:Inventory", "cells 50, Army Knife 1,ammo_grenades 2",
         "D.Inventory=Army Knife 1, Grenades 2, Cells 50 D.Grenades=2"},
        {"D:Inventory", "S&W 586 1, H&K MP 5 2", "D.Inventory=S&W 586 1, H&K MP 5 2"},
        {"A:Inventory", "Grenades 1\t0\n\t1\n", "B.Inventory=Grenades 1 B.Grenades=1"},
        {"A-E:Health", "100", ""},
        {"A:Health", "+5\t 2 ", "A.Health=5 A.Class Speed=2.000000"},
        // A header may name a column the table hides; a header cell naming
        // none is not pasted, and said. A row of values that names a column
        // here and there ("Desert Eagle") is no header.
        {"A:Health", "Health\tJump Height\n1\t2", "A.Health=1 A.Jump Height=2.000000"},
        {"A:Health", "Notes\tHealth\tClass Speed\nfast\t5\t2\n",
         "A.Health=5 A.Class Speed=2.000000|not pasted: \"Notes\" (no column has this name)"},
        {"A:Resistance", "Fire Armor\tyes\tDesert Eagle\nFire Armor\tno\tDesert Eagle\n",
         "A.Resistance=Fire Armor A.Sniper Scope=yes A.Starting Weapon=Desert Eagle B.Resistance=Fire Armor "
         "B.Starting Weapon=Desert Eagle"},
    };
    for (const auto &[selection, text, result] : rows) {
        SCOPED_TRACE(text);
        select(selection);
        EXPECT_EQ(paste(text), result);
    }
}

// A paste is read whole before anything changes: one cell that typing
// would not take as it is, or a block that does not fit, stops it all.
TEST_F(TablePaste, ACellThatCannotBeReadStopsThePaste)
{
    // A cell longer than any value stops the paste unread; a message quotes
    // no more than the first 40 characters of a cell.
    const std::string huge(50 << 20, 'x'), long2000(2000, '9');
    const std::tuple<std::string, std::string, std::string> rows[] = {
        {"A:Classname", "1\t" + huge,
         "row 1, column B: a cell of 52428800 bytes; no value of a class is longer than 4096 bytes"},
        {"A:Class_Speed", long2000 + "x",
         "row 1, column A (Class Speed): \"" + long2000.substr(0, 40) + "\xE2\x80\xA6\" is not a number"},
        {"A:Health", "80\t1,5\n70\tfast\n",
         "row 1, column B (Class Speed): \"1,5\" is not a number; the decimal mark is \".\"|"
         "row 2, column B (Class Speed): \"fast\" is not a number"},
        {"A-C:Health", "12abc", "row 1, column A (Health): \"12abc\" is not a number"},
        {"A:Health", "\t2", "row 1, column A (Health): an empty cell; Health takes a number"},
        {"A:Health", "-5\t1", "row 1, column A (Health): \"-5\": Health takes the digits 0 to 9 alone"},
        {"A:Grenades", "-2", "row 1, column A (Grenades): \"-2\": Grenades takes the digits 0 to 9 alone"},
        {"A:Health", "7.9", "row 1, column A (Health): \"7.9\" is not a number"},
        {"A:Health", "80\tinf\n70\t-nan",
         "row 1, column B (Class Speed): \"inf\" is not a number|"
         "row 2, column B (Class Speed): \"-nan\" is not a number"},
        {"A:Classname", "\xCE\xA9mega",
         "row 1, column A (Classname): \"\xCE\xA9mega\" holds \"\xCE\xA9\" (U+03A9), which is not in Windows-1252, "
         "the class file's character set"},
        {"A:Classname", "Kommando Spezialkraefte der Marine",
         "row 1, column A (Classname): \"Kommando Spezialkraefte der Marine\" is 34 characters long; at most 31 fit"},
        {"A:Classname", "\"Two\nLines\"",
         "row 1, column A (Classname): \"Two\\x0aLines\" holds a line break, which a line of the class file cannot"},
        {"A:Sniper_Scope", "maybe", "row 1, column A (Sniper Scope): \"maybe\" is not yes or no"},
        {"A:Resistance", "Ice Armor", "row 1, column A (Resistance): Resistance has no entry \"Ice Armor\""},
        {"A:Inventory", "Grenades 2, Laser 1", "row 1, column A (Inventory): Inventory has no item \"Laser\""},
        {"A:Inventory", "Grenades 2, grenades 3", "row 1, column A (Inventory): Inventory names Grenades twice"},
        {"A:Inventory", "Cells, Grenades 2", "row 1, column A (Inventory): Inventory names Cells without an amount"},
        {"A:Inventory", "Grenades -2", "row 1, column A (Inventory): \"-2\": Grenades takes the digits 0 to 9 alone"},
        {"A:Inventory", "Grenades 2x", "row 1, column A (Inventory): \"2x\" is not a number"},
        {"D:Health", "1\n2\n3\n",
         "the block has 3 rows of classes; 2 are shown from the first row it goes to, and "
         "pasting makes no classes"},
        {"A:Inventory", "1\t2\t3", "the block is 3 columns wide; 2 are shown from the first cell it goes to"},
        {"A:Health", "Health\thealth\n1\t2", "row 1, column B: Health is named twice"},
        {"A:Health", "1\t2\n3\n", "row 2 has 1 cells; the first row has 2"},
        {"A:Classname", "\"open", "row 1, column A: the quote that opens this cell on line 1 is never closed"},
        {"", "1", "no cell is chosen to paste into"},
    };
    for (const auto &[selection, text, result] : rows) {
        SCOPED_TRACE(text);
        select(selection);
        EXPECT_EQ(paste(text), result);
    }
}

// Copying the cells and pasting them back onto the same cells changes
// nothing, whatever the values hold: quotes, tabs and line ends in texts,
// letters of Windows-1252, values no list entry shows.
TEST_F(TablePaste, CopyThenPasteOnTheSameCellsChangesNothing)
{
    table.records[0].classname.assign("Big \"Gun\"\tX");
    table.records[1].classname.assign("B\xE4r ");
    table.records[1].speed = std::numeric_limits<float>::quiet_NaN();
    table.records[2].resistance = 7;
    table.records[2].starting_weapon.assign("weapon_laser");
    table.records[3].classname.assign("D \"Q\"");
    table.records[3].inventory[3] = 4;
    table.records[4].classabilities = 0x8000;
    grid.current = {};
    for (int row = 0; row < 5; ++row) {
        for (int column = 0; column < int(grid.columns.size()); ++column)
            grid.selected.push_back({row, column});
    }
    const std::string copied = copyCells(recordOf(), grid);
    EXPECT_TRUE(copied.starts_with("Classname\tHealth\tClass Speed\tResistance\tSniper Scope\tStarting Weapon\t"
                                   "Inventory\tGrenades\t"))
        << copied;
    EXPECT_NE(copied.find("\n\"Big \"\"Gun\"\"\tX\"\t100\t"), std::string::npos) << copied;
    EXPECT_NE(copied.find("\n\"B\xC3\xA4r \"\t"), std::string::npos) << copied;
    const PastePlan plan = planPaste(recordOf(), grid, copied);
    EXPECT_EQ(plan.problems, std::vector<std::string>());
    EXPECT_EQ(plan.changedSlots, std::vector<int>());
}

// The selected cells of a row, in the order shown, under their titles; the
// paste into other rows is one step that Undo takes back.
TEST_F(TablePaste, CopiedCellsPasteIntoOtherRowsAsOneStep)
{
    table.records[0].health = 42;
    table.records[0].classabilities = 0x8000;
    select("A:Health A:Sniper_Scope");
    const std::string copied = copyCells(recordOf(), grid);
    EXPECT_EQ(copied, "Health\tSniper Scope\n42\tyes\n");
    select("C-D:Classname");
    const PastePlan plan = planPaste(recordOf(), grid, copied);
    EXPECT_EQ(plan.cells, 4u);
    EditorState state;
    state.table = table;
    ClassIds ids{};
    std::optional<TableEdit> step = applyPaste({state, ids}, plan);
    ASSERT_TRUE(step);
    EXPECT_EQ(step->name(), "Paste on C, D");
    EXPECT_EQ(state.table.records[3].health, 42);
    EXPECT_EQ(state.table.records[2].classabilities, 0x8000);
    step->undo({state, ids});
    EXPECT_EQ(state.table.records[3].health, 100);
    EXPECT_EQ(state.table.records[2].classabilities, 0);
}

// Rows the user may not change, and columns the window adds of its own,
// stay as they are and are not copied.
TEST_F(TablePaste, ReadOnlyRowsAndOtherColumnsStayAsTheyAre)
{
    grid.readOnly = {false, false, true, false, false};
    select("B-D:Health");
    EXPECT_EQ(paste("7"), "B.Health=7 D.Health=7");
    grid.columns.push_back(int(tableColumns().size()));
    grid.selected = {{0, 7}, {0, 8}};
    EXPECT_EQ(copyCells(recordOf(), grid), "Grenades\n0\n");
    EXPECT_EQ(paste("5\t6"), "A.Inventory=Grenades 5 A.Grenades=5|not pasted: Team (a class keeps its team)");
    grid.columns.push_back(int(tableColumns().size()) + 1);
    grid.selected = {{0, 8}, {0, 9}};
    EXPECT_EQ(paste("5"), "|not pasted: Team (a class keeps its team), column J (not a value of a class)");
}

// Whole rows are whole classes: pasted onto a new class, a copy makes the
// same class again, inventory and all, whichever columns the table hides.
TEST_F(TablePaste, WholeRowsCopyWholeClasses)
{
    ClassRecord &sniper = table.records[0];
    sniper = classesIn(block("classname Sniper\nhealth 60\nspeed 1.25\nresistance explosive\nclassabilities 32768\n"
                             "starting_weapon weapon_sniper\ninventory weapon_sniper 1\ninventory ammo_grenades 2\n"
                             "inventory ammo_cells 50"))
                 .at(0);
    const std::vector<int> all = grid.columns;
    // The columns the table hides.
    const std::vector<std::string> rows[] = {{}, {"Health", "Grenades"}, {"Inventory", "Sniper Scope"}};
    for (const std::vector<std::string> &hidden : rows) {
        SCOPED_TRACE(hidden.size() > 0 ? hidden.front() : "none hidden");
        grid.columns.clear();
        std::ranges::copy_if(all, std::back_inserter(grid.columns), [&](int column) {
            return std::ranges::find(hidden, tableColumns()[std::size_t(column)].title) == hidden.end();
        });
        grid.columns.push_back(int(tableColumns().size())); // the Team column
        grid.current = {};
        grid.selected.clear();
        for (int column = 0; column < int(grid.columns.size()); ++column)
            grid.selected.push_back({0, column});
        const std::string copied = copyCells(recordOf(), grid);
        const std::string titles = copied.substr(0, copied.find('\n'));
        EXPECT_NE(titles.find("\tInventory\t"), std::string::npos) << titles;
        EXPECT_EQ(titles.find("\tCells\t"), std::string::npos) << titles;
        grid.selected = {{4, 0}};
        const PastePlan plan = planPaste(recordOf(), grid, copied);
        ASSERT_EQ(plan.problems, std::vector<std::string>());
        ASSERT_EQ(plan.changedSlots, std::vector<int>{4});
        EXPECT_EQ(plan.records.front(), sniper);
        EXPECT_EQ(plan.notPasted, std::vector<std::string>());
    }
}

// A paste names the classes it changes, counts them beyond three, and says
// which columns it left out.
TEST_F(TablePaste, ThePasteNamesItsClasses)
{
    table.records[4].classname.clear();
    const std::tuple<const char *, const char *, const char *> rows[] = {
        {"B:Health", "5", "Paste on B"},
        {"B-D:Health", "5", "Paste on B, C, D"},
        {"A-E:Health", "5", "Paste on 5 classes (A, B, C, D, (no name))"},
        {"E:Health", "Classname\tHealth\tNotes\nSniper\t5\t\n",
         "Paste on Sniper; not pasted: \"Notes\" (no column has this name)"},
    };
    for (const auto &[selection, text, report] : rows) {
        SCOPED_TRACE(text);
        select(selection);
        const PastePlan plan = planPaste(recordOf(), grid, text);
        EditorState state;
        state.table = table;
        ClassIds ids{};
        const std::optional<TableEdit> step = applyPaste({state, ids}, plan);
        ASSERT_TRUE(step);
        EXPECT_EQ(pasteReport(utf8Of(step->name()), plan), report);
    }
}

} // namespace
