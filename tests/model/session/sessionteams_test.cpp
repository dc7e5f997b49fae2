// Both teams in one session: with the other team shown, its file is a
// document of its own, edited beside the active team's and written, asked
// about, merged, reported and recovered per file.

#include "../sessioncommands.h"

#include "classdata/files/fileio.h"
#include "classdata/files/recoverystore.h"
#include "classdata/files/safesave.h"
#include "classdata/files/userdata.h"
#include "model/table/tablecolumns.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace tolvane;

namespace {

struct Row
{
    // Commands separated by ";": those of runSessionCommand, the table
    // commands (runTableCommand; ROW: a slot, tN the Tangos' N), and:
    // seals|tangos readonly|disk|gone|folder (the file becomes read-only,
    // another program rewrites it with Heavy's health 200, deletes it, or a
    // folder takes its place); keep (the recovery timer); crash (a new run in
    // the folder, without a word); problems (the Problems window's classes,
    // |-separated); carry ROW (3 Mk23 in its inventory); copy (Copy to Other
    // Team); title (what the title and the place field say of the form's
    // class); goto N (Go to Class picks entry N: its list, and the entry it
    // opens on after "@").
    const char *commands;
    const char *seals; // what the files hold after: "Sniper/100 Medic/90", "Sniper/100+3" with 3 items
    const char *tangos;
    const char *status; // the status line, then the events: "asked U", "quit", "told 1", "*" (unsaved)
};

void PrintTo(const Row &row, std::ostream *out)
{
    *out << '"' << row.commands << '"';
}

const char *const sealsBefore = "Sniper/100 Medic/90";
const char *const tangosBefore = "Heavy/150 Rifleman/95";

const Row rows[] = {
    // One team alone is as ever; both shown, Write Out writes each file that changed.
    {"L; cell 0 Health = 70; W", "Sniper/70 Medic/90", tangosBefore, "2 classes written to tvclass_seals.cfg"},
    {"L; other; cell t1 Health = 60; W", sealsBefore, "Heavy/150 Rifleman/60",
     "2 classes written to tvclass_seals.cfg; 2 classes written to tvclass_tangos.cfg"},
    {"L; other; cell 0 Health = 70; cell t1 Health = 60; z; W", "Sniper/70 Medic/90", tangosBefore,
     "2 classes written to tvclass_seals.cfg"},
    // One file held back by its own question, gone, changed on disk or not a
    // file: today's treatment for it, the other written all the same, both told.
    {"L; other; cell 0 Health = 70; cell t1 Health = 60; tangos readonly; answer n; W", "Sniper/70 Medic/90",
     tangosBefore, "2 classes written to tvclass_seals.cfg; tvclass_tangos.cfg not written | asked P | *"},
    {"L; other; cell 0 Health = 70; cell t1 Health = 60; seals readonly; answer n; W", sealsBefore,
     "Heavy/150 Rifleman/60", "tvclass_seals.cfg not written; 2 classes written to tvclass_tangos.cfg | asked P | *"},
    {"L; other; cell t1 Health = 60; tangos folder; W", sealsBefore, "-",
     "2 classes written to tvclass_seals.cfg; tvclass_tangos.cfg not written | told 1 | *"},
    {"L; other; cell t1 Health = 60; tangos gone; W", sealsBefore, "Heavy/150 Rifleman/60",
     "2 classes written to tvclass_seals.cfg; tvclass_tangos.cfg was deleted on disk; 2 classes written to it anew"},
    {"L; other; cell t1 Health = 60; tangos disk; answer m; W", sealsBefore, "Heavy/200 Rifleman/60",
     "2 classes written to tvclass_seals.cfg; 2 classes written to tvclass_tangos.cfg, merged with the changes made "
     "on disk | asked C"},
    {"L; other; cell t1 Health = 60; tangos disk; answer c; W", sealsBefore, "Heavy/200 Rifleman/95",
     "2 classes written to tvclass_seals.cfg; tvclass_tangos.cfg not written | asked C | *"},
    // Quit and Load Config ask about both files at once.
    {"L; other; cell 0 Health = 70; cell t1 Health = 60; answer c; Q", sealsBefore, tangosBefore,
     "Changed: Change Health on Rifleman (Tangos) | asked U | stay | *"},
    {"L; other; cell 0 Health = 70; cell t1 Health = 60; answer w; Q", "Sniper/70 Medic/90", "Heavy/150 Rifleman/60",
     "2 classes written to tvclass_seals.cfg; 2 classes written to tvclass_tangos.cfg | asked U | quit"},
    {"L; other; cell t1 Health = 60; tangos readonly; answer wn; Q", sealsBefore, tangosBefore,
     "2 classes written to tvclass_seals.cfg; tvclass_tangos.cfg not written | asked UP | stay | *"},
    {"L; other; cell t1 Health = 60; answer d; Q", sealsBefore, tangosBefore,
     "Changed: Change Health on Rifleman (Tangos) | asked U | quit"},
    {"L; other; cell t1 Health = 60; answer d; L", sealsBefore, tangosBefore,
     "2 Config Classes Read; 2 Tangos classes read; 1 problem | asked U"},
    // Each team's problems, named with its team.
    {"L; other; problems", sealsBefore, tangosBefore, "2 Config Classes Read | Tangos Heavy"},
    {"L; problems", sealsBefore, tangosBefore, "2 Config Classes Read | "},
    // A killed run leaves both teams' unsaved classes; the next restores both.
    {"L; other; cell 0 Health = 70; cell t1 Health = 60; keep; answer vv; crash; W", "Sniper/70 Medic/90",
     "Heavy/150 Rifleman/60",
     "2 classes written to tvclass_seals.cfg; 2 classes written to tvclass_tangos.cfg | asked VV"},
    // (The Seals' file, not loaded in the new run, is replaced only on the user's word.)
    {"L; other; cell t1 Health = 60; keep; answer vn; crash; W", sealsBefore, "Heavy/150 Rifleman/60",
     "tvclass_seals.cfg not written; 2 classes written to tvclass_tangos.cfg | asked VE"},
    {"L; other; cell t1 Health = 60; keep; W; keep; crash", sealsBefore, "Heavy/150 Rifleman/60", ""},
    // The form follows a row of the other team: the title and the place say
    // whose class it is; Save to Memory, Delete and Undo work in its classes.
    {"L; other; choose t1; title", sealsBefore, tangosBefore,
     "@ Class 1 / 1 [Rifleman] | Editing Rifleman (Tangos) | Seals (the form shows a Tangos class)"},
    {"L; other; choose t1; choose 1; title", sealsBefore, tangosBefore,
     "@ Class 1 / 1 [Medic] | Editing Medic (Seals) | Seals"},
    {"L; title", sealsBefore, tangosBefore, "2 Config Classes Read | Editing Sniper | Seals"},
    {"L; other; choose t1; e; S; W", sealsBefore, "Heavy/150 Riflemanx/95",
     "2 classes written to tvclass_seals.cfg; 2 classes written to tvclass_tangos.cfg"},
    {"L; other; choose t1; e; S", sealsBefore, tangosBefore, "Stored Class 1 [Riflemanx] in memory | *"},
    {"L; other; choose t0; answer y; x; W", sealsBefore, "Rifleman/95",
     "2 classes written to tvclass_seals.cfg; 1 class written to tvclass_tangos.cfg | asked X"},
    {"L; other; choose t0; answer y; x; z; W", sealsBefore, tangosBefore,
     "2 classes written to tvclass_seals.cfg | asked X"},
    // Go to Class lists the other team's classes too, each naming its team,
    // and takes the form to the one picked.
    {"L; goto 1", sealsBefore, tangosBefore, "@ Class 1 / 1 [Medic] | Sniper|Medic @0"},
    {"L; other; goto 3; title", sealsBefore, tangosBefore,
     "@ Class 1 / 1 [Rifleman] | Sniper (Seals)|Medic (Seals)|Heavy (Tangos)|Rifleman (Tangos) @0 | Editing "
     "Rifleman (Tangos) | Seals (the form shows a Tangos class)"},
    {"L; other; choose t1; goto 1; title", sealsBefore, tangosBefore,
     "@ Class 1 / 1 [Medic] | Sniper (Seals)|Medic (Seals)|Heavy (Tangos)|Rifleman (Tangos) @3 | Editing Medic "
     "(Seals) | Seals"},
    {"L; other; goto 2; e; S; W", sealsBefore, "Heavyx/150 Rifleman/95",
     "2 classes written to tvclass_seals.cfg; 2 classes written to tvclass_tangos.cfg | Sniper (Seals)|Medic "
     "(Seals)|Heavy (Tangos)|Rifleman (Tangos) @0"},
    // Copy to Other Team: whole classes, inventory and all, as new classes of
    // the other team, shown first when it is not; one step.
    {"L; carry 0; copy; W", "Sniper/100+3 Medic/90", "Heavy/150 Rifleman/95 Sniper/100+3",
     "2 classes written to tvclass_seals.cfg; 3 classes written to tvclass_tangos.cfg"},
    {"L; other; select 0 1; copy", sealsBefore, tangosBefore, "Copied Sniper, Medic to the Tangos as classes 2-3 | *"},
    {"L; other; select 0 1; copy; z; W", sealsBefore, tangosBefore, "2 classes written to tvclass_seals.cfg"},
    {"L; other; select t1 0; copy; W", "Sniper/100 Medic/90 Rifleman/95", "Heavy/150 Rifleman/95 Sniper/100",
     "3 classes written to tvclass_seals.cfg; 3 classes written to tvclass_tangos.cfg"},
    {"L; other; select t1 0; copy", sealsBefore, tangosBefore,
     "Copied Rifleman to the Seals as class 2; Sniper to the Tangos as class 2 | *"},
};

class SessionTeamsTest : public ::testing::TestWithParam<Row>, protected SessionBench
{
protected:
    SessionTeamsTest() : SessionBench({"A"})
    {
        write(seals(), healthFile({{"Sniper", 100}, {"Medic", 90}}));
        write(tangos(), healthFile({{"Heavy", 150}, {"Rifleman", 95}}));
    }
    void TearDown() override
    {
        for (const fs::path &file : {seals(), tangos()})
            fs::permissions(file, fs::perms::owner_write, fs::perm_options::add, ignored);
        EXPECT_EQ(view.unanswered(), 0u) << "an expected question was never asked";
    }

    static std::string held(const fs::path &file)
    {
        const FileBytes bytes = readWholeFile(file);
        if (bytes.status != FileStatus::Read)
            return "-";
        const TableColumn &health = tableColumns()[std::size_t(columnNamed("Health"))];
        std::string text;
        for (const ClassRecord &record : classesIn(bytes.bytes)) {
            text += (text.empty() ? "" : " ") + std::string(record.classname.view()) + '/' + cellText(health, record);
            int items = 0;
            for (std::int32_t amount : record.inventory)
                items += amount;
            if (items != 0)
                text += '+' + std::to_string(items);
        }
        return text;
    }
    void changeFile(const fs::path &file, const std::string &how)
    {
        if (how == "readonly")
            fs::permissions(file, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                            fs::perm_options::remove);
        else if (how == "disk")
            write(file, healthFile({{"Heavy", 200}, {"Rifleman", 95}}));
        else if (how == "gone")
            fs::remove(file);
        else if (how == "folder") {
            fs::remove(file);
            fs::create_directory(file);
        }
    }

    std::string runTeams(const std::string &line)
    {
        std::string events;
        for (const auto &[command, verb, rest, before, after] : tableCommands(line)) {
            if (verb == "seals" || verb == "tangos")
                changeFile(verb == "seals" ? seals() : tangos(), rest);
            else if (verb == "carry")
                parts->table.editCell(tableRow(rest), columnOfId("item weapon_Mk23"), "3");
            else if (verb == "goto") {
                classPicker.pickedClass = std::stoi(rest);
                parts->classList.goToClass();
                std::string list;
                for (const std::string &name : classPicker.classList)
                    list += (list.empty() ? "" : "|") + name;
                events += " | " + list + " @" + std::to_string(classPicker.currentEntry);
            } else if (verb == "copy")
                parts->table.copyToOtherTeam();
            else if (verb == "keep")
                parts->recovery.keepRecovery();
            else if (verb == "crash") {
                newSessionIn(GameFolder::at(first.path));
                session->start();
            } else if (verb == "title") {
                events += " | " + view.title.substr(view.title.find(" - ") + 3) + " | "
                          + view.place.substr(0, view.place.find(" \u00B7"));
            } else if (verb == "problems") {
                std::string names;
                for (const ReviewCommands::ListedProblem &problem : parts->review.problems())
                    names += (names.empty() ? "" : "|") + problem.text.substr(0, problem.text.find(':'));
                events += " | " + names;
            } else if (!runTableCommand({command, verb, rest, before, after}))
                events += run(command);
        }
        return events;
    }
    std::error_code ignored;
};

TEST_P(SessionTeamsTest, EditedBesideEachOtherAndWrittenPerFile)
{
    const std::string events = runTeams(GetParam().commands);
    std::string said = view.status + events;
    if (!view.asked.empty())
        said += " | asked " + view.asked;
    if (events == "stay" || events == "quit")
        said = view.status + (view.asked.empty() ? "" : " | asked " + view.asked) + " | " + events;
    if (!view.told.empty())
        said += " | told " + std::to_string(view.told.size());
    if (view.unsavedMark)
        said += " | *";
    EXPECT_EQ(said, GetParam().status);
    EXPECT_EQ(held(seals()), GetParam().seals);
    EXPECT_EQ(held(tangos()), GetParam().tangos);
}

INSTANTIATE_TEST_SUITE_P(Rows, SessionTeamsTest, ::testing::ValuesIn(rows));

} // namespace
