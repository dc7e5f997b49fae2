// The class table as the session runs it beside the form: what it shows,
// what it changes in memory and in the file, what it asks, and the steps
// Undo offers.

#include "../sessioncommands.h"

#include "classdata/files/safesave.h"
#include "classdata/format/classfilewriter.h"
#include "model/table/tablecolumns.h"

#include <gtest/gtest.h>

#include <functional>
#include <ranges>
#include <sstream>

using namespace tolvane;

namespace {

struct Row
{
    // Commands separated by ";": those of runSessionCommand and SessionBench,
    // and its table commands (runTableCommand).
    const char *commands;
    const char *answers;
    const char *asked;
    const char *column; // whose values memory and file give
    const char *memory; // "A:100 B:90 C:100"
    const char *file;
    const char *shown; // the rows shown, in order
    const char *tableStatus;
    const char *status;
    const char *edit; // "undo | redo"
};

void PrintTo(const Row &row, std::ostream *out)
{
    *out << '"' << row.commands << '"';
}

const Row rows[] = {
    // Sorting and filtering change what is shown, never memory or the file.
    {"L; cell 1 Health = 120; sort Health down; W", "", "", "Health", "A:100 B:120 C:100", "A:100 B:120 C:100", "B A C",
     "3 of 3 classes", "3 classes written to tvclass_seals.cfg", "Change Health on B"},
    {"L; sort Classname down; order", "", "", "Health", "A:100 B:100 C:100", "A:100 B:100 C:100", "A B C",
     "3 of 3 classes", "3 Config Classes Read", ""},
    {"L; cell 1 Health = 90; filter health < 100", "", "", "Health", "A:100 B:90 C:100", "A:100 B:100 C:100", "B",
     "1 of 3 classes", "Changed: Change Health on B", "Change Health on B"},
    {"L; filter helth < 100", "", "", "Health", "A:100 B:100 C:100", "A:100 B:100 C:100", "A B C",
     "Filter not read at character 1: no column named \"helth\"; all classes are shown", "3 Config Classes Read", ""},
    // A change to many classes is one step, written as any other.
    {"L; select 0 1 2; change Health = +5; z", "", "", "Health", "A:100 B:100 C:100", "A:100 B:100 C:100", "A B C",
     "3 of 3 classes; 3 selected", "Undone: Change Health on 3 classes", " | Change Health on 3 classes"},
    {"L; shown; change Class Speed = x1.5; W", "", "", "Class Speed", "A:1.500000 B:1.500000 C:1.500000",
     "A:1.500000 B:1.500000 C:1.500000", "A B C", "3 of 3 classes; 3 selected",
     "3 classes written to tvclass_seals.cfg", "Change Class Speed on 3 classes"},
    {"L; all; change Health = fast", "", "", "Health", "A:100 B:100 C:100", "A:100 B:100 C:100", "A B C",
     "3 of 3 classes; 3 selected", "Nothing changed: \"fast\" is not a number; type a value, +5, -10, x1.05 or +5%",
     ""},
    {"L; select 1; change Sniper Scope = yes", "", "", "Sniper Scope", "A:no B:yes C:no", "A:no B:no C:no", "A B C",
     "3 of 3 classes", "Changed: Change Sniper Scope on B", "Change Sniper Scope on B"},
    // Classes the filter hides change only after a question; No is the default.
    {"L; all; filter A; change Health = +5", "n", "H", "Health", "A:100 B:100 C:100", "A:100 B:100 C:100", "A",
     "1 of 3 classes; 3 selected, 2 of them hidden by the filter", "3 Config Classes Read", ""},
    {"L; all; filter A; change Health = +5", "y", "H", "Health", "A:105 B:105 C:105", "A:100 B:100 C:100", "A",
     "1 of 3 classes; 3 selected, 2 of them hidden by the filter", "Changed: Change Health on 3 classes",
     "Change Health on 3 classes"},
    {"L; filter A; shown; change Health = +5", "", "", "Health", "A:105 B:100 C:100", "A:100 B:100 C:100", "A",
     "1 of 3 classes", "Changed: Change Health on A", "Change Health on A"},
    {"L; all; L", "", "", "Health", "A:100 B:100 C:100", "A:100 B:100 C:100", "A B C", "3 of 3 classes",
     "3 Config Classes Read", ""},
    // Table and form are one: a row stores the form and shows its class; a
    // cell takes the form's rules and stores the form first.
    {"L; e; choose 2", "", "", "Classname", "Ax:Ax B:B C:C", "A:A B:B C:C", "A B C", "3 of 3 classes",
     "@ Class 2 / 2 [C]", "Store Class Ax"},
    {"L; e; cell 1 Health = 12abc", "", "", "Health", "Ax:100 B:12 C:100", "A:100 B:100 C:100", "A B C",
     "3 of 3 classes", "Changed: Change Health on B", "Change Health on B"},
    {"L; cell 0 Class Speed = 1,5; cell 0 Classname = Z", "", "", "Class Speed", "Z:1.000000 B:1.000000 C:1.000000",
     "A:1.000000 B:1.000000 C:1.000000", "A B C", "3 of 3 classes", "Changed: Change Classname on A",
     "Change Classname on A"},
    // A digits box takes no sign and no point from the keyboard, and neither does its cell.
    {"L; cell 0 Helmet = -5", "", "", "Helmet", "A:5 B:30 C:30", "A:30 B:30 C:30", "A B C", "3 of 3 classes",
     "Changed: Change Helmet on A", "Change Helmet on A"},
    {"L; cell 1 Max Rockets = 7.9; cell 2 Grenades = -3", "", "", "Max Rockets", "A:4 B:79 C:4", "A:4 B:4 C:4", "A B C",
     "3 of 3 classes", "Changed: Change Grenades on C", "Change Grenades on C"},
    {"L; cell 1 Max Rockets = -5; cell 1 Max Rockets = -7", "", "", "Max Rockets", "A:4 B:7 C:4", "A:4 B:4 C:4",
     "A B C", "3 of 3 classes", "Changed: Change Max Rockets on B", "Change Max Rockets on B"},
    // A paste over more than one class asks first, No by default; it is one step.
    {"L; paste 0 1 Health = 95", "y", "Q", "Health", "A:95 B:95 C:100", "A:100 B:100 C:100", "A B C", "3 of 3 classes",
     "Changed: Paste on A, B", "Paste on A, B"},
    {"L; paste 0 1 Health = 95", "n", "Q", "Health", "A:100 B:100 C:100", "A:100 B:100 C:100", "A B C",
     "3 of 3 classes", "Nothing pasted", ""},
    {"L; paste 0 1 Health = 95; z", "y", "Q", "Health", "A:100 B:100 C:100", "A:100 B:100 C:100", "A B C",
     "3 of 3 classes", "Undone: Paste on A, B", " | Paste on A, B"},
    {"L; e; paste 1 Health = Health\\tClassname\\n95\\tBx", "", "", "Classname", "Ax:Ax Bx:Bx C:C", "A:A B:B C:C",
     "A B C", "3 of 3 classes", "Changed: Paste on Bx", "Paste on Bx"},
    {"L; paste 0 1 Health = fast", "", "", "Health", "A:100 B:100 C:100", "A:100 B:100 C:100", "A B C",
     "3 of 3 classes", "3 Config Classes Read", ""},
    {"L; cell 0 Resistance = none", "", "", "Resistance", "A:Normal Armor B:Normal Armor C:Normal Armor",
     "A:Normal Armor B:Normal Armor C:Normal Armor", "A B C", "3 of 3 classes", "3 Config Classes Read", ""},
};

// A session of A, B and C with the class table, run by row commands.
class TableBench : protected SessionBench
{
protected:
    TableBench() : SessionBench({"A", "B", "C"}) {}

    void runTable(const std::string &line)
    {
        for (const TableCommand &command : tableCommands(line)) {
            if (!runTableCommand(command))
                run(command.text);
        }
    }

    static std::string values(const ClassTable &table, int of)
    {
        std::string text;
        for (int slot = 0; slot < table.classCount; ++slot) {
            const ClassRecord &record = table.records[std::size_t(slot)];
            text += (slot ? " " : "") + std::string(record.classname.view()) + ":"
                    + cellText(tableColumns()[std::size_t(of)], record);
        }
        return text;
    }
};

class SessionTableTest : public ::testing::TestWithParam<Row>, protected TableBench
{};

TEST_P(SessionTableTest, TableShowsAndChangesTheClassesOfTheSession)
{
    const Row &row = GetParam();
    view.answer(row.answers);
    runTable(row.commands);
    EXPECT_EQ(view.asked, row.asked);
    EXPECT_EQ(view.unanswered(), 0u);
    EXPECT_EQ(values(session->document().state().table, tableColumn(row.column)), row.memory);
    ClassTable file;
    readClassFile(file, first.path, true);
    EXPECT_EQ(values(file, tableColumn(row.column)), row.file);
    std::string shown;
    for (int slot : parts->table.shownRows())
        shown += (shown.empty() ? "" : " ") + std::string(1, char('A' + slot));
    EXPECT_EQ(shown, row.shown);
    EXPECT_EQ(tableView.tableStatus, row.tableStatus);
    EXPECT_EQ(view.status, row.status);
    const std::string &redo = view.classCommands.redo;
    EXPECT_EQ(view.classCommands.undo + (redo.empty() ? "" : " | " + redo), row.edit);
    EXPECT_EQ(view.boxes.className, session->document().state().current().classname.view());
}

INSTANTIATE_TEST_SUITE_P(Rows, SessionTableTest, ::testing::ValuesIn(rows));

struct FollowRow
{
    const char *commands;
    const char *title; // after "Tolvane Class Creator © - "
    int formSlot;
};

void PrintTo(const FollowRow &row, std::ostream *out)
{
    *out << '"' << row.commands << '"';
}

const FollowRow followRows[] = {
    {"L; filter B", "Editing A (hidden by the class table's filter)", 0},
    {"L; filter B; choose 1", "Editing B", 1},
    {"L; filter B; filter", "Editing A", 0},
    {"L; filter helth < 100", "Editing A", 0},
    {"L; filter C; n", "Editing B (hidden by the class table's filter)", 1},
    {"L; filter not Ax; e; S", "Saving Ax (hidden by the class table's filter)", 0},
    {"L; filter not B; choose 2; cell 2 Classname = B", "Editing B (hidden by the class table's filter)", 2},
    {"L; filter not B; choose 2; cell 2 Classname = B; z", "Editing C", 2},
};

class FormFollowsTableTest : public ::testing::TestWithParam<FollowRow>, protected TableBench
{};

// The form is on the row chosen, filter or not; a class the filter hides
// is never the form's without the title saying so.
TEST_P(FormFollowsTableTest, TitleSaysWhenTheFilterHidesTheFormsClass)
{
    const FollowRow &row = GetParam();
    runTable(row.commands);
    EXPECT_EQ(view.title, programTitle + " - " + row.title);
    EXPECT_EQ(session->document().state().currentIndex, row.formSlot);
    EXPECT_EQ(parts->table.hidesFormClass(), std::string_view(row.title).ends_with("filter)"));
}

INSTANTIATE_TEST_SUITE_P(Rows, FormFollowsTableTest, ::testing::ValuesIn(followRows));

} // namespace

namespace {

class SessionTableFileTest : public ::testing::Test, protected SessionBench
{
protected:
    SessionTableFileTest() : SessionBench({"A", "B", "C"}) {}
};

// Write Out after a change to many classes keeps the modder's lines: only
// the changed values' lines are rewritten.
TEST_F(SessionTableFileTest, WriteOutRewritesOnlyTheChangedLines)
{
    std::string bytes = classFile({"A", "B", "C"});
    bytes.insert(bytes.find("speed"), "// tuned by hand\nmystery 7\n");
    ASSERT_TRUE(saveFileAtomically(seals(), bytes));
    session->loadConfig();
    parts->table.selectAllClasses();
    parts->table.changeSelectedClasses(columnNamed("Class Speed"), "x1.5");
    session->writeOut();
    std::string expected = bytes;
    for (std::size_t at; (at = expected.find("speed 1.000000")) != std::string::npos;)
        expected.replace(at, 14, "speed 1.500000");
    EXPECT_EQ(readWholeFile(seals()).bytes, expected);
}

// A Seals class copied as a whole row and pasted into a new Tangos class is
// the same class in the Tangos' file, inventory and all; the status names
// it, and a column of a spreadsheet no column of the table has.
TEST_F(SessionTableFileTest, AWholeRowPastedIntoANewClassOfTheOtherTeamIsTheSameClass)
{
    const std::string file = block("classname Sniper\nhealth 60\nclassabilities 32768\nstarting_weapon weapon_sniper\n"
                                   "inventory weapon_sniper 1\ninventory ammo_grenades 2");
    const ClassRecord sniper = classesIn(file).at(0);
    ASSERT_TRUE(saveFileAtomically(seals(), file));
    const std::tuple<const char *, const char *> rows[] = {
        {"", "Changed: Paste on Sniper"},
        {"Notes", "Changed: Paste on Sniper; not pasted: \"Notes\" (no column has this name)"},
    };
    for (const auto &[extra, status] : rows) {
        SCOPED_TRACE(extra);
        ASSERT_TRUE(saveFileAtomically(first.path / "tvclass_tangos.cfg", classFile({"Heavy"})));
        fs::remove(first.path / "tvcc.cfg");
        newSessionIn(GameFolder::at(first.path));
        session->start();
        session->loadConfig();
        TableGrid grid;
        for (int column = 0; column < int(tableColumns().size()); ++column) {
            if (tableColumns()[std::size_t(column)].shownAtFirst)
                grid.columns.push_back(column);
        }
        grid.rows = parts->table.shownRows();
        for (int column = 0; column < int(grid.columns.size()); ++column)
            grid.selected.push_back({0, column});
        std::string copied = parts->table.copy(grid);
        if (*extra) {
            copied.insert(copied.find('\n'), std::string("\t") + extra);
            copied.insert(copied.size() - 1, "\tsteady aim");
        }
        view.answer("yy");
        session->changeActiveConfig();
        session->loadConfig();
        parts->classList.addClass();
        grid.rows = parts->table.shownRows();
        grid.selected = {{1, 0}};
        parts->table.paste(grid, copied);
        EXPECT_EQ(view.status, status);
        session->writeOut();
        ClassTable written;
        readClassFile(written, first.path, 0);
        ASSERT_EQ(written.classCount, 2);
        EXPECT_EQ(written.records[1], sniper);
    }
}

// Problems of the Problems list on their cells, with the list's text.
TEST_F(SessionTableFileTest, ProblemsMarkTheirCells)
{
    const std::tuple<const char *, const char *, const char *> rows[] = {
        {"speed 10.5", "", "1 Class Speed: line 46: TCC003 speed 10.5 is outside 0 to 10; read as 1.000000"},
        {"speed 10.5", "cell 1 Class Speed = 2", ""},
        {"", "cell 2 Health = 1500",
         "2 Health: when written: TCC003 health 1500 is outside 0 to 999; read as 1002 Health: TCC024 health 1500 is "
         "above max_health 100"},
        {"inventory ammo_grenades 99999999999", "",
         "1 Grenades: line 44: TCC007 inventory ammo_grenades 99999999999 is beyond the 32-bit range; read as "
         "2147483647"},
    };
    for (const auto &[line, command, cell] : rows) {
        SCOPED_TRACE(line + std::string(" ") + command);
        std::string bytes = classFile({"A", "B", "C"});
        // The line takes the place of B's line of its key, or comes after its name.
        const std::string key = "\n" + std::string(line).substr(0, std::string(line).find(' ') + 1);
        const std::size_t block = bytes.find("classname B"), at = bytes.find(key, block);
        if (*line && at < bytes.find('}', block))
            bytes.replace(at + 1, bytes.find('\n', at + 1) - at - 1, line);
        else if (*line)
            bytes.insert(bytes.find('\n', block) + 1, line + std::string("\n"));
        ASSERT_TRUE(saveFileAtomically(seals(), bytes));
        session->loadConfig();
        if (*command) {
            const std::string text = command;
            parts->table.editCell(text[5] - '0', columnNamed(text.substr(7, text.find(" = ") - 7)),
                                  text.substr(text.find(" = ") + 3));
        }
        std::string cells;
        for (const ClassTableEditing::CellProblem &problem : parts->table.cellProblems())
            cells += std::to_string(problem.slot) + " " + tableColumns()[std::size_t(problem.column)].title + ": "
                     + problem.text;
        EXPECT_EQ(cells, cell);
        session->undo();
    }
}

} // namespace

namespace {

// What the window says of the table beyond its cells: each change once, the
// filter's count after the typing, the selection a load clears.
TEST_F(SessionTableFileTest, EachChangeOfTheTableIsSaidOnce)
{
    session->loadConfig();
    ClassTableEditing &table = parts->table;
    table.tableChangesToSay(); // what the window shows on opening
    const std::pair<std::function<void()>, const char *> steps[] = {
        {[&] { table.sort(columnNamed("Health"), SortOrder::Descending); }, "Sorted by Health, highest first"},
        {[] {}, ""},
        {[&] { table.filter("health < 100"); }, "0 of 3 classes"},
        {[&] { table.filter(""); }, "3 of 3 classes"},
        {[&] {
             table.selectRows(std::vector<int>{0, 1});
         },
         "2 classes selected"},
        {[&] { session->loadConfig(); }, "No class selected"},
        {[&] { table.fileOrder(); }, "In file order"},
    };
    for (const auto &[step, said] : steps) {
        SCOPED_TRACE(said);
        step();
        EXPECT_EQ(table.filterTypedSinceSaid(), std::string_view(said).ends_with(" classes"));
        EXPECT_EQ(table.tableChangesToSay(), said);
        EXPECT_FALSE(table.filterTypedSinceSaid());
    }
}

} // namespace
