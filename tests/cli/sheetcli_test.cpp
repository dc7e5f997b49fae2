#include "../classdata/testclasses.h"
#include "toolrun.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using namespace tolvane;

namespace {

std::string replaced(std::string text, const std::string &from, const std::string &to)
{
    return text.replace(text.find(from), from.size(), to);
}

// The samples, and a modder's file with notes, CR LF and Windows-1252
// names, in a folder with spaces and a non-ASCII letter in its name: an
// exported sheet applied to its file, from a file or standard input,
// changes no byte and says nothing.
TEST(ClassFileTool, ExportThenApplyLeavesEveryByteOfTheFile)
{
    const std::string folder = tempPath("Spiel Ordner \xC3\xA4");
    std::filesystem::create_directories(utf8Path(folder));
    const std::string files[] = {sample("tvclass_seals.cfg"), sample("tvclass_tangos.cfg"), oddFiles().back()};
    for (const std::string &bytes : files) {
        const std::string path = folder + "/tvclass_seals.cfg";
        std::ofstream(utf8Path(path), std::ios::binary) << bytes;
        for (const char *format : {"csv", "tsv", "json"}) {
            const ToolRun exported = runTool("export --format=" + std::string(format) + ' ' + arg(path));
            ASSERT_EQ(exported.status, 0) << exported.err;
            const std::string sheet = writeTemp(std::string("sheet.") + format, exported.out);
            for (const std::string &changes : {arg(sheet), "- <" + arg(sheet)}) {
                const ToolRun applied = runTool("apply " + changes + ' ' + arg(path));
                EXPECT_EQ(applied.status, 0) << applied.err;
                EXPECT_EQ(applied.out, "");
                EXPECT_EQ(fileBytes(path), bytes) << format;
            }
        }
    }
}

TEST(ClassFileTool, ApplyChangesTheNamedClassesAndListsWhatChanged)
{
    const std::string seals = sample("tvclass_seals.cfg");
    const std::string path = writeTemp("tvclass_seals.cfg", seals);
    const std::string review = "Marksman: health 100 -> 95; inventory Flash Grenades 0 -> 2\n";
    const std::string sheet = writeTemp("changes.csv", "classname,health,ammo_fgrenades\r\nMarksman,95,2\r\n");

    const ToolRun dryRun = runTool("apply --dry-run " + arg(sheet) + ' ' + arg(path));
    EXPECT_EQ(dryRun.status, 1);
    EXPECT_EQ(dryRun.out, review);
    EXPECT_EQ(fileBytes(path), seals);

    const ToolRun applied = runTool("apply " + arg(sheet) + ' ' + arg(path));
    EXPECT_EQ(applied.status, 0) << applied.err;
    EXPECT_EQ(applied.out, review);
    const std::string marksman = seals.substr(seals.find("classname Marksman"));
    const std::string changed = replaced(replaced(marksman, "health 100", "health 95"), "inventory weapon_sniper 1\n",
                                         "inventory weapon_sniper 1\ninventory ammo_fgrenades 2\n");
    EXPECT_EQ(fileBytes(path), replaced(seals, marksman, changed));

    std::ofstream(path, std::ios::binary) << seals;
    const std::string bad = writeTemp("bad.tsv", "classname\thealth\nMarksman\t9,5\nMedic\t90\n");
    const ToolRun refused = runTool("apply " + arg(bad) + ' ' + arg(path));
    EXPECT_EQ(refused.status, 2);
    EXPECT_EQ(refused.out, "");
    EXPECT_EQ(refused.err, "tolvane-classfile: " + bad
                               + ": row 2, column B (health): \"9,5\" is not a whole number\n"
                                 "tolvane-classfile: "
                               + bad
                               + ": row 3, column A (classname): no class is named "
                                 "\"Medic\"; new classes are added only when asked for\n"
                                 "tolvane-classfile: apply --add-new adds the classes that "
                               + path
                               + " does not have\n"
                                 "tolvane-classfile: "
                               + path + " is unchanged\n");
    EXPECT_EQ(fileBytes(path), seals);

    const std::string medic = writeTemp("medic.json", "[{\"classname\": \"Medic\", \"can_heal_others\": true}]");
    const ToolRun added = runTool("apply --add-new " + arg(medic) + ' ' + arg(path));
    EXPECT_EQ(added.out, "New class Medic\n");
    EXPECT_NE(fileBytes(path).find("{\nclassname Medic\nclassabilities 131072\n"), std::string::npos);
}

TEST(ClassFileTool, SheetCommandsRefuseWhatTheyCannotDo)
{
    const std::string file = arg(TOLVANE_EXAMPLES "/tvclass_seals.cfg");
    const std::string sheet = arg(writeTemp("sheet.csv", "classname\nPointman\n"));
    const std::string settings = arg(writeTemp("tvcc.cfg", "[TolvaneClassCreator]\n\nSeals 1\n"));
    const std::pair<std::string, int> rows[] = {
        {"export", 2},
        {"export --format=xml " + file, 2},
        {"export --frob " + file, 2},
        {"export " + settings, 2},
        {"export " + file + " missing.cfg", 2},
        {"export --format json " + file, 0},
        {"apply " + sheet, 2},
        {"apply " + sheet + " -", 2},
        {"apply --force --dry-run " + sheet + ' ' + file, 2},
        {"apply --frob " + sheet + ' ' + file, 2},
        {"apply " + sheet + ' ' + settings, 2},
        {"apply --dry-run " + sheet + ' ' + file, 0},
        {"apply missing.csv " + file, 2},
        {"apply --follow-symlinks -n " + sheet + ' ' + file, 2},
        {"apply --no-backup " + sheet + ' ' + file, 0},
    };
    for (const auto &[arguments, status] : rows) {
        const ToolRun run = runTool(arguments);
        EXPECT_EQ(run.status, status) << arguments;
        EXPECT_EQ(run.err.empty(), status != 2) << arguments << run.err;
    }
}

// The README's pre-commit check passes on the samples with a modder's notes
// added, and finds a value out of the standard format.
TEST(ClassFileTool, NormalizeKeepingNotesPassesFilesWithNotes)
{
    const std::string noted = replaced(replaced(withCrlf(sample("tvclass_seals.cfg")), "speed 0.900000",
                                                "// slower since 1.2\r\nspeed 0.900000 // was 1.0\r\n\r\nmy_key 3"),
                                       "// Breacher", "// Breacher: the door kicker\r\n\r\n");
    const std::string path = writeTemp("tvclass_seals.cfg", noted);
    EXPECT_EQ(runTool("normalize --check " + arg(path)).status, 1);
    EXPECT_EQ(runTool("normalize --keep-notes --check " + arg(path)).status, 0);

    std::ofstream(path, std::ios::binary) << replaced(noted, "\nhealth 120", "\nHEALTH +120");
    const ToolRun check = runTool("normalize --keep-notes --check " + arg(path));
    EXPECT_EQ(check.status, 1);
    EXPECT_EQ(check.out, path + '\n');
    const ToolRun diff = runTool("normalize --keep-notes --diff " + arg(path));
    EXPECT_NE(diff.out.find("\n-HEALTH +120\r\n+health 120\r\n"), std::string::npos) << diff.out;
    EXPECT_EQ(runTool("normalize --keep-notes " + arg(path)).out, noted);
    EXPECT_EQ(runTool("normalize --keep-notes -i " + arg(path)).status, 0);
    EXPECT_EQ(fileBytes(path), noted);
}

// JSON findings name the class they lie in, as the file's reader ends it.
TEST(ClassFileTool, CheckNamesTheClassOfEachFindingInJson)
{
    const std::string path = writeTemp("named.cfg",
                                       "spead 1\n{\nspeed 11\nclassname Sch\xFC\"tze\n}\n\n{\nhealth x\n}\n");
    const std::string json = runTool("check --format=json " + arg(path)).out;
    EXPECT_NE(json.find("\"line\": 3, \"code\": \"TCC003\", \"severity\": \"warning\", \"message\": \"speed 11 is "
                        "outside 0 to 10; read as 1.000000\", \"class\": \"Sch\xC3\xBC\\\"tze\", \"slot\": 0}"),
              std::string::npos)
        << json;
    EXPECT_NE(json.find("\", \"class\": \"?\", \"slot\": 1}"), std::string::npos) << json;
    EXPECT_EQ(runTool("check " + arg(path)).out.find("class"), std::string::npos);
}

} // namespace
