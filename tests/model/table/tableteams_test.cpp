// The other team's classes in the class table, beside the active team's and
// edited as theirs, and the marks of a baseline file: which rows show, in
// which order, what a change does to them, and what each team's file holds.

#include "../sessioncommands.h"

#include "classdata/files/fileio.h"
#include "classdata/files/safesave.h"
#include "model/table/tablecolumns.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace tolvane;

namespace {

struct Row
{
    // Commands separated by ";": those of runSessionCommand, the table
    // commands (runTableCommand), and: baseline (Compare with File,
    // stock.cfg); folder (Compare with Folder: stock.cfg and Heavy 150,
    // Sniper 90).
    const char *commands;
    const char *shown;       // "Sniper/S:100 Heavy/T:150", in order; "*" marks a health that differs from the baseline
    const char *status;      // the table's count, then the status line
    const char *tangos = ""; // "Heavy/150 Sniper/60": what the Tangos' file holds after; "": unchanged
};

void PrintTo(const Row &row, std::ostream *out)
{
    *out << '"' << row.commands << '"';
}

// Seals: Sniper 100, Medic 90, Scout 80, Pointman 70. Tangos: Heavy 150,
// Sniper 95. The baseline: Scout 80, Sniper 100, Medic 85 (reordered; Medic
// changed since; Pointman added).
const Row rows[] = {
    // The other team after the classes in memory; sorting interleaves them,
    // file order puts them back.
    {"L", "Sniper/S:100 Medic/S:90 Scout/S:80 Pointman/S:70", "4 of 4 classes | 4 Config Classes Read"},
    {"L; other", "Sniper/S:100 Medic/S:90 Scout/S:80 Pointman/S:70 Heavy/T:150 Sniper/T:95",
     "6 of 6 classes, 2 of them the Tangos' | 4 Config Classes Read"},
    {"L; other; sort Health down", "Heavy/T:150 Sniper/S:100 Sniper/T:95 Medic/S:90 Scout/S:80 Pointman/S:70",
     "6 of 6 classes, 2 of them the Tangos' | 4 Config Classes Read"},
    {"L; other; sort Health up; order", "Sniper/S:100 Medic/S:90 Scout/S:80 Pointman/S:70 Heavy/T:150 Sniper/T:95",
     "6 of 6 classes, 2 of them the Tangos' | 4 Config Classes Read"},
    {"L; other; sort Team down", "Heavy/T:150 Sniper/T:95 Sniper/S:100 Medic/S:90 Scout/S:80 Pointman/S:70",
     "6 of 6 classes, 2 of them the Tangos' | 4 Config Classes Read"},
    {"L; other; other", "Sniper/S:100 Medic/S:90 Scout/S:80 Pointman/S:70", "4 of 4 classes | 4 Config Classes Read"},
    // The Team column filters as any column.
    {"L; other; filter team tangos", "Heavy/T:150 Sniper/T:95",
     "2 of 6 classes, 2 of them the Tangos' | 4 Config Classes Read"},
    {"L; other; filter Team != tangos and health < 100", "Medic/S:90 Scout/S:80 Pointman/S:70",
     "3 of 6 classes, 0 of them the Tangos' | 4 Config Classes Read"},
    {"L; other; filter sniper and not team = SEALS", "Sniper/T:95",
     "1 of 6 classes, 1 of them the Tangos' | 4 Config Classes Read"},
    {"L; other; filter team marines", "Sniper/S:100 Medic/S:90 Scout/S:80 Pointman/S:70 Heavy/T:150 Sniper/T:95",
     "Filter not read at character 6: no team named \"marines\"; Seals or Tangos; all classes are shown | 4 Config "
     "Classes Read"},
    // Their rows are edited as the classes in memory are: a cell, a change to
    // many classes over both teams (one step, each team's share named),
    // Undo; Write Out writes each file that changed. Paste leaves them.
    {"L; other; cell t0 Health = 1", "Sniper/S:100 Medic/S:90 Scout/S:80 Pointman/S:70 Heavy/T:1 Sniper/T:95",
     "6 of 6 classes, 2 of them the Tangos' | Changed: Change Health on Heavy (Tangos)"},
    {"L; other; select t0 t1; change Health = +5",
     "Sniper/S:100 Medic/S:90 Scout/S:80 Pointman/S:70 Heavy/T:155 Sniper/T:100",
     "6 of 6 classes, 2 of them the Tangos'; 2 selected | Changed: Change Health on 2 classes (Tangos)"},
    {"L; other; select 0 t1 3; change Health = +5; W",
     "Sniper/S:105 Medic/S:90 Scout/S:80 Pointman/S:75 Heavy/T:150 Sniper/T:100",
     "6 of 6 classes, 2 of them the Tangos'; 3 selected | 4 classes written to tvclass_seals.cfg; 2 classes "
     "written to tvclass_tangos.cfg",
     "Heavy/150 Sniper/100"},
    {"L; other; select 0 t1 3; change Health = +5",
     "Sniper/S:105 Medic/S:90 Scout/S:80 Pointman/S:75 Heavy/T:150 Sniper/T:100",
     "6 of 6 classes, 2 of them the Tangos'; 3 selected | Changed: Change Health on 3 classes (Seals 2, Tangos 1)"},
    {"L; other; select 0 t1 3; change Health = +5; z",
     "Sniper/S:100 Medic/S:90 Scout/S:80 Pointman/S:70 Heavy/T:150 Sniper/T:95",
     "6 of 6 classes, 2 of them the Tangos'; 3 selected | Undone: Change Health on 3 classes (Seals 2, Tangos 1)"},
    {"L; other; select 0 t1 3; change Health = +5; z; y",
     "Sniper/S:105 Medic/S:90 Scout/S:80 Pointman/S:75 Heavy/T:150 Sniper/T:100",
     "6 of 6 classes, 2 of them the Tangos'; 3 selected | Redone: Change Health on 3 classes (Seals 2, Tangos 1)"},
    // Only the Tangos changed: Write Out writes the Seals' file as ever, and theirs.
    {"L; other; cell t1 Health = 60; W", "Sniper/S:100 Medic/S:90 Scout/S:80 Pointman/S:70 Heavy/T:150 Sniper/T:60",
     "6 of 6 classes, 2 of them the Tangos' | 4 classes written to tvclass_seals.cfg; 2 classes written to "
     "tvclass_tangos.cfg",
     "Heavy/150 Sniper/60"},
    // Hiding them asks about their changes: Cancel keeps them shown, Discard drops them.
    {"L; other; cell t1 Health = 60; answer c; other",
     "Sniper/S:100 Medic/S:90 Scout/S:80 Pointman/S:70 Heavy/T:150 Sniper/T:60",
     "6 of 6 classes, 2 of them the Tangos' | Changed: Change Health on Sniper (Tangos)"},
    {"L; other; cell t1 Health = 60; answer d; other; other",
     "Sniper/S:100 Medic/S:90 Scout/S:80 Pointman/S:70 Heavy/T:150 Sniper/T:95",
     "6 of 6 classes, 2 of them the Tangos' | Changed: Change Health on Sniper (Tangos)"},
    {"L; other; cell t1 Health = 60; answer w; other", "Sniper/S:100 Medic/S:90 Scout/S:80 Pointman/S:70",
     "4 of 4 classes | 2 classes written to tvclass_tangos.cfg", "Heavy/150 Sniper/60"},
    // Paste changes the rows of both teams, one step named with each
    // team's share; beyond three classes the status names them.
    {"L; other; answer y; paste t0 t1 Health = 5",
     "Sniper/S:100 Medic/S:90 Scout/S:80 Pointman/S:70 Heavy/T:5 Sniper/T:5",
     "6 of 6 classes, 2 of them the Tangos' | Changed: Paste on Heavy, Sniper (Tangos)"},
    {"L; other; answer y; paste 1 t0 Health = Health\\n5",
     "Sniper/S:100 Medic/S:5 Scout/S:80 Pointman/S:70 Heavy/T:5 Sniper/T:95",
     "6 of 6 classes, 2 of them the Tangos' | Changed: Paste on Medic, Heavy (Seals 1, Tangos 1)"},
    {"L; other; answer y; paste 0 1 3 t0 t1 Health = 5; W",
     "Sniper/S:5 Medic/S:5 Scout/S:80 Pointman/S:5 Heavy/T:5 Sniper/T:5",
     "6 of 6 classes, 2 of them the Tangos' | 4 classes written to tvclass_seals.cfg; 2 classes written to "
     "tvclass_tangos.cfg",
     "Heavy/5 Sniper/5"},
    {"L; other; answer y; paste 0 1 3 t0 t1 Health = 5",
     "Sniper/S:5 Medic/S:5 Scout/S:80 Pointman/S:5 Heavy/T:5 Sniper/T:5",
     "6 of 6 classes, 2 of them the Tangos' | Changed: Paste on 5 classes (Seals 3, Tangos 2): Sniper, Medic, "
     "Pointman, Heavy, Sniper"},
    {"L; other; answer y; paste 1 t0 Health = 5; z",
     "Sniper/S:100 Medic/S:90 Scout/S:80 Pointman/S:70 Heavy/T:150 Sniper/T:95",
     "6 of 6 classes, 2 of them the Tangos' | Undone: Paste on Medic, Heavy (Seals 1, Tangos 1)"},
    {"L; other; answer y; paste 1 t0 Health = 5; z; y",
     "Sniper/S:100 Medic/S:5 Scout/S:80 Pointman/S:70 Heavy/T:5 Sniper/T:95",
     "6 of 6 classes, 2 of them the Tangos' | Redone: Paste on Medic, Heavy (Seals 1, Tangos 1)"},
    // The same cell rules: a cell the Tangos' row cannot take changes neither team.
    {"L; other; paste 3 Health = Health\\n5\\nlots",
     "Sniper/S:100 Medic/S:90 Scout/S:80 Pointman/S:70 Heavy/T:150 Sniper/T:95",
     "6 of 6 classes, 2 of them the Tangos' | 4 Config Classes Read"},
    // A team switch shows the Seals beside the Tangos' classes once they are
    // read. (Heavy's health of 150 is above its max_health of 100: a problem.)
    {"L; answer yy; T; L; other", "Heavy/T:150 Sniper/T:95 Sniper/S:100 Medic/S:90 Scout/S:80 Pointman/S:70",
     "6 of 6 classes, 4 of them the Seals' | 2 Config Classes Read; 1 problem"},
    {"L; other; answer yy; T; L", "Heavy/T:150 Sniper/T:95 Sniper/S:100 Medic/S:90 Scout/S:80 Pointman/S:70",
     "6 of 6 classes, 4 of them the Seals' | 2 Config Classes Read; 4 Seals classes read; 1 problem"},
    // The baseline's marks: classes matched by name, wherever they stand;
    // added ones count as changed; marks follow edits; the other team's rows
    // are never marked.
    {"L; baseline; filter changed", "Medic/S:*90 Pointman/S:70", "2 of 4 classes | 4 Config Classes Read"},
    {"L; other; baseline; filter changed from baseline", "Medic/S:*90 Pointman/S:70",
     "2 of 6 classes, 0 of them the Tangos' | 4 Config Classes Read"},
    {"L; other; baseline; filter not changed", "Sniper/S:100 Scout/S:80 Heavy/T:150 Sniper/T:95",
     "4 of 6 classes, 2 of them the Tangos' | 4 Config Classes Read"},
    {"L; baseline; cell 1 Health = 85; cell 0 Health = 1; filter changed", "Sniper/S:*1 Pointman/S:70",
     "2 of 4 classes | Changed: Change Health on Sniper"},
    {"L; filter changed", "", "0 of 4 classes | 4 Config Classes Read"},
    // Each team is marked by its own baseline alone, never by the other's.
    {"L; baseline; answer yy; T; L; filter changed", "", "0 of 2 classes | 2 Config Classes Read; 1 problem"},
    {"L; baseline; other; answer yy; T; L; filter changed", "Medic/S:*90 Pointman/S:70",
     "2 of 6 classes, 2 of them the Seals' | 2 Config Classes Read; 4 Seals classes read; 1 problem"},
    {"L; answer yy; T; L; baseline; answer yy; T; L; other; filter changed", "Heavy/T:*150 Sniper/T:*95",
     "2 of 6 classes, 2 of them the Tangos' | 4 Config Classes Read"},
    // Compare with Folder: both teams' baselines in one step.
    {"L; other; folder; filter changed", "Medic/S:*90 Pointman/S:70 Sniper/T:*95",
     "3 of 6 classes, 1 of them the Tangos' | 4 Config Classes Read"},
    // "or" and parentheses across the teams.
    {"L; other; filter team tangos and (sniper or health > 120)", "Heavy/T:150 Sniper/T:95",
     "2 of 6 classes, 2 of them the Tangos' | 4 Config Classes Read"},
    {"L; other; filter sniper and (team tangos or health = 100)", "Sniper/S:100 Sniper/T:95",
     "2 of 6 classes, 1 of them the Tangos' | 4 Config Classes Read"},
};

class TableTeamsTest : public ::testing::TestWithParam<Row>, protected SessionBench
{
protected:
    TableTeamsTest() : SessionBench({"A"})
    {
        write(seals(), healthFile({{"Sniper", 100}, {"Medic", 90}, {"Scout", 80}, {"Pointman", 70}}));
        write(tangos(), healthFile({{"Heavy", 150}, {"Sniper", 95}}));
        write(stock(), healthFile({{"Scout", 80}, {"Sniper", 100}, {"Medic", 85}}));
    }

    fs::path stock() const { return other.path / "stock.cfg"; }
    void runTable(const std::string &line)
    {
        for (const TableCommand &command : tableCommands(line)) {
            if (command.verb == "baseline") {
                view.pickedFiles = {stock()};
                parts->compare.compareWithFile();
            } else if (command.verb == "folder") {
                write(other.path / "tvclass_seals.cfg", readWholeFile(stock()).bytes);
                write(other.path / "tvclass_tangos.cfg", healthFile({{"Heavy", 150}, {"Sniper", 90}}));
                view.chosenFolders = {other.path};
                parts->compare.compareWithFolder();
            } else if (!runTableCommand(command)) {
                run(command.text);
            }
        }
    }
};

TEST_P(TableTeamsTest, OtherTeamBesideTheClassesInMemory)
{
    const std::string tangosBefore = readWholeFile(tangos()).bytes;
    runTable(GetParam().commands);
    const TableRows classes = parts->table.rows();
    const TableColumn &health = tableColumns()[std::size_t(columnNamed("Health"))];
    std::string shown;
    for (int row : parts->table.shownRows()) {
        shown += (shown.empty() ? "" : " ") + std::string(classes.record(row).classname.view()) + '/'
                 + teamName(classes.teamOf(row)).front() + ':' + (classes.baselineValue(row, health.value) ? "*" : "")
                 + cellText(health, classes.record(row));
    }
    EXPECT_EQ(shown, GetParam().shown);
    EXPECT_EQ(tableView.tableStatus + " | " + view.status, GetParam().status);
    const std::string tangosAfter = readWholeFile(tangos()).bytes;
    if (*GetParam().tangos == 0) {
        EXPECT_EQ(tangosAfter, tangosBefore);
    } else {
        std::string held;
        for (const ClassRecord &record : classesIn(tangosAfter))
            held += (held.empty() ? "" : " ") + std::string(record.classname.view()) + '/' + cellText(health, record);
        EXPECT_EQ(held, GetParam().tangos);
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, TableTeamsTest, ::testing::ValuesIn(rows));

} // namespace
