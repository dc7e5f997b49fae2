// Export and Import of the editor window, as the session runs them: which
// classes memory holds after an import, what Review Changes and the messages
// show, and the one step Undo takes back.

#include "../sessioncommands.h"
#include "model/table/tablecolumns.h"

#include <gtest/gtest.h>

using namespace tolvane;

namespace {

struct Row
{
    const char *sheet;    // the sheet file's text; nullptr: no file
    const char *commands; // E(xport), I(mport), and the letters of runSessionCommand
    const char *answers;  // see FakeView::answer
    bool importing;       // the answer of Review Changes
    const char *memory;   // name:health of each class in memory
    const char *review;   // what Review Changes showed, or the message told
    const char *status;
    const char *undo;
};

void PrintTo(const Row &row, std::ostream *out)
{
    *out << '"' << row.commands << "\" " << (row.sheet ? row.sheet : "");
}

const Row rows[] = {
    // Rows change the classes they name, whatever their order, only in the
    // sheet's columns, as one step.
    {"classname,health\nB,50\n", "L I", "", true, "A:100 B:50 C:100", "B: Health 100 -> 50\n",
     "Imported classes.csv: 1 class changed", "Import Classes"},
    {"classname,speed,health\nC,1.5,70\nA,1,60\n", "L I", "", true, "A:60 B:100 C:70",
     "A: Health 100 -> 60\nC: Class Speed 1.000000 -> 1.500000; Health 100 -> 70\n",
     "Imported classes.csv: 2 classes changed", "Import Classes"},
    {"classname,health\nC,70\nA,60\n", "L I z", "", true, "A:100 B:100 C:100", "", "Undone: Import Classes", ""},
    // Rows of a sheet of several files: those of another folder's file of the same name are left out.
    {"file,classname,health\n../x/tvclass_seals.cfg,B,50\n", "L I", "", true, "A:100 B:100 C:100",
     "cannot be imported:\nrow 1, column A (file): no row is for the file \"tvclass_seals.cfg\"; 1 row for "
     "\"../x/tvclass_seals.cfg\", another folder's file of the same name, is left out\n",
     "3 Config Classes Read", ""},
    {"file,classname,health\n../x/tvclass_seals.cfg,B,50\ntvclass_seals.cfg,B,60\n", "L I", "", true,
     "A:100 B:60 C:100", "B: Health 100 -> 60\n",
     "Imported classes.csv: 1 class changed; 1 row for \"../x/tvclass_seals.cfg\", another folder's file of the same "
     "name, is left out",
     "Import Classes"},
    // Names are compared without regard to case, as the game compares them.
    {"classname,health\nb,50\n", "L I", "", true, "A:100 B:50 C:100", "B: Health 100 -> 50\n",
     "Imported classes.csv: 1 class changed", "Import Classes"},
    {"classname,health\nC,70\nA,60\n", "L I z y", "", true, "A:60 B:100 C:70", "", "Redone: Import Classes",
     "Import Classes"},
    // The form's edit is stored first and counts as the class it shows.
    {"classname,health\nAx,60\n", "L e I", "", true, "Ax:60 B:100 C:100", "Ax: Health 100 -> 60\n",
     "Imported classes.csv: 1 class changed", "Import Classes"},
    // Declined, or changing nothing: no step.
    {"classname,health\nB,50\n", "L I", "", false, "A:100 B:100 C:100", "B: Health 100 -> 50\n",
     "Nothing imported from classes.csv", ""},
    {"classname,health\nB,100\n", "L I", "", true, "A:100 B:100 C:100", "", "classes.csv changes no class", ""},
    // A cell that cannot be read is named by row, column and reason, and
    // nothing changes, not even the rows that could be read.
    {"classname,health\nA,60\nB,1,5\n", "L I", "", true, "A:100 B:100 C:100",
     "cannot be imported:\nrow 3 has 3 cells; the header row has 2\n", "3 Config Classes Read", ""},
    {"classname,health\nA,60\nB,abc\nC,1.5\n", "L I", "", true, "A:100 B:100 C:100",
     "cannot be imported:\nrow 3, column B (health): \"abc\" is not a whole number\nrow 4, column B (health): ",
     "3 Config Classes Read", ""},
    {"classname,armor\nA,1\n", "L I", "", true, "A:100 B:100 C:100", "cannot be imported:\nrow 1, column B (armor)",
     "3 Config Classes Read", ""},
    {nullptr, "L I", "", true, "A:100 B:100 C:100", "could not be read:\nit does not exist", "3 Config Classes Read",
     ""},
    // New names are new classes only when the user says so.
    {"classname,health\nMedic,50\nB,60\n", "L I", "n", true, "A:100 B:100 C:100", "",
     "Nothing imported from classes.csv", ""},
    {"classname,health\nMedic,50\nB,60\n", "L I", "y", true, "A:100 B:60 C:100 Medic:50",
     "B: Health 100 -> 60\nNew class Medic\n", "Imported classes.csv: 1 class changed, 1 new", "Import Classes"},
    {"classname,health\nMedic,50\nB,60\n", "L I z", "y", true, "A:100 B:100 C:100", "", "Undone: Import Classes", ""},
    // Export writes the classes with the form's edits; importing it back
    // changes nothing.
    {nullptr, "L e E", "", true, "A:100 B:100 C:100", "", "3 classes exported to classes.csv", "Store Class Ax"},
    {nullptr, "L e E I", "", true, "Ax:100 B:100 C:100", "", "classes.csv changes no class", "Store Class Ax"},
};

class SessionSheetsTest : public ::testing::TestWithParam<Row>, protected SessionBench
{
protected:
    SessionSheetsTest() : SessionBench({"A", "B", "C"}) {}

    std::string memory() const
    {
        const ClassTable &table = session->document().state().table;
        std::string classes;
        for (int i = 0; i < table.classCount; ++i) {
            const ClassRecord &record = table.records[std::size_t(i)];
            classes += (i ? " " : "") + std::string(record.classname.view()) + ':' + std::to_string(record.health);
        }
        return classes;
    }
};

TEST_P(SessionSheetsTest, ImportChangesTheNamedClassesAsOneStep)
{
    const Row &row = GetParam();
    const fs::path sheet = other.path / "classes.csv";
    if (row.sheet) {
        ASSERT_TRUE(saveFileAtomically(sheet, row.sheet));
    }
    view.pickedFiles.assign(std::ranges::count(std::string_view(row.commands), 'E')
                                + std::ranges::count(std::string_view(row.commands), 'I'),
                            sheet);
    sheetView.importing = row.importing;
    view.answer(row.answers);
    std::istringstream commands(row.commands);
    for (std::string command; commands >> command;) {
        if (command == "E")
            parts->sheets.exportClasses();
        else if (command == "I")
            parts->sheets.importClasses();
        else
            run(command);
    }
    EXPECT_EQ(view.unanswered(), 0u);
    EXPECT_EQ(memory(), row.memory);
    const std::string told = view.told.empty() ? sheetView.importReview : view.told.back().text;
    EXPECT_NE(told.find(row.review), std::string::npos) << told;
    EXPECT_EQ(view.status, row.status);
    EXPECT_EQ(view.classCommands.undo, row.undo);
    if (std::string_view(row.commands).find('E') != std::string_view::npos) {
        EXPECT_TRUE(readWholeFile(sheet).bytes.starts_with("\xEF\xBB\xBF"
                                                           "classname,"));
        EXPECT_TRUE(view.told.empty());
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, SessionSheetsTest, ::testing::ValuesIn(rows));

// Classes that share a name take the rows of that name in order: an
// exported sheet goes back in, and each row changes its own class.
class RepeatedNamesSheetTest : public SessionSheetsTest
{
protected:
    RepeatedNamesSheetTest() { newSessionWith({"Sniper", "Medic", "SNIPER"}); }
    void newSessionWith(const std::vector<std::string> &names)
    {
        EXPECT_TRUE(saveFileAtomically(seals(), classFile(names)));
        newSessionIn(GameFolder::at(first.path));
        session->start();
    }
};

TEST_F(RepeatedNamesSheetTest, ExportedSheetGoesBackAndRowsMatchInOrder)
{
    const fs::path sheet = other.path / "classes.csv";
    const std::pair<const char *, const char *> rows[] = {
        {nullptr, "Sniper:100 Medic:100 SNIPER:100 | classes.csv changes no class"},
        {"classname,health\nsniper,50\nMedic,70\nSniper,60\n",
         "Sniper:50 Medic:70 SNIPER:60 | Imported classes.csv: 3 classes changed"},
    };
    for (const auto &[text, shown] : rows) {
        run("L");
        view.pickedFiles.assign(2, sheet);
        parts->sheets.exportClasses();
        if (text) {
            ASSERT_TRUE(saveFileAtomically(sheet, text));
        }
        sheetView.importing = true;
        parts->sheets.importClasses();
        EXPECT_EQ(memory() + " | " + view.status, shown);
        EXPECT_TRUE(view.told.empty());
    }
}

class SessionLargeCellTest : public ::testing::Test, protected SessionBench
{
protected:
    SessionLargeCellTest() : SessionBench({"A", "B", "C"}) {}
};

// A 5 MB cell, imported or pasted, is refused as it is read, and the
// message names its place and size without quoting it.
TEST_F(SessionLargeCellTest, ALargeCellIsRefusedWithoutQuotingIt)
{
    const std::string cell(5 << 20, 'k');
    const std::string refused = "a cell of 5242880 bytes; no value of a class is longer than 4096 bytes";
    run("L");
    const fs::path sheet = other.path / "classes.csv";
    ASSERT_TRUE(saveFileAtomically(sheet, "classname,keys\nA," + cell + "\n"));
    view.pickedFiles = {sheet};
    parts->sheets.importClasses();
    ASSERT_EQ(view.told.size(), 1u);
    EXPECT_NE(view.told.back().text.find("row 2, column B (keys): " + refused), std::string::npos);
    EXPECT_LT(view.told.back().text.size(), 500u);
    TableGrid grid;
    grid.rows = {0, 1, 2};
    grid.columns = {columnNamed("Config File")};
    grid.current = {0, 0};
    EXPECT_FALSE(parts->table.paste(grid, cell));
    ASSERT_EQ(view.told.size(), 2u);
    EXPECT_NE(view.told.back().text.find("row 1, column A: " + refused), std::string::npos);
    EXPECT_LT(view.told.back().text.size(), 500u);
    EXPECT_EQ(session->document().state().table.records[0].keys.view(), "");
}

} // namespace
