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
    // Classes that share a name too, as a team may hold them.
    const std::string files[] = {sample("tvclass_seals.cfg"), sample("tvclass_tangos.cfg"), oddFiles().back(),
                                 "{\nclassname Sniper\nhealth 90\n}\n\n{\nclassname Medic\n}\n\n{\nclassname SNIPER\n"
                                 "health 95 // the second\n}\n"};
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

    const std::string medic = writeTemp("medic.json", "[{\"classname\": \"Medic\", \"can_heal_others\": true}, "
                                                      "{\"classname\": \"marksman\", \"health\": 90}]");
    const ToolRun added = runTool("apply --add-new " + arg(medic) + ' ' + arg(path));
    EXPECT_EQ(added.out, "Marksman: health 100 -> 90\nNew class Medic\n");
    EXPECT_NE(fileBytes(path).find("{\nclassname Medic\nclassabilities 131072\n"), std::string::npos);
}

TEST(ClassFileTool, SheetCommandsRefuseWhatTheyCannotDo)
{
    const std::string file = arg(TOLVANE_EXAMPLES "/tvclass_seals.cfg");
    const std::string sheet = arg(writeTemp("sheet.csv", "classname\nPointman\n"));
    const std::string settings = arg(writeTemp("tvcc.cfg", "[TolvaneClassCreator]\n\nSeals 1\n"));
    const std::pair<std::string, int> rows[] = {
        // clang-format off
        {"export", 2}, {"export --format=xml " + file, 2}, {"export --frob " + file, 2}, {"export " + settings, 2},
        {"export " + file + " missing.cfg", 2}, {"export --format json " + file, 0}, {"apply " + sheet, 2},
        {"apply " + sheet + " -", 2}, {"apply --force --dry-run " + sheet + ' ' + file, 2},
        {"apply --frob " + sheet + ' ' + file, 2}, {"apply " + sheet + ' ' + settings, 2},
        {"apply --dry-run " + sheet + ' ' + file, 0}, {"apply missing.csv " + file, 2},
        {"apply --follow-symlinks -n " + sheet + ' ' + file, 2}, {"apply --no-backup " + sheet + ' ' + file, 0},
        // clang-format on
    };
    for (const auto &[arguments, status] : rows) {
        const ToolRun run = runTool(arguments);
        EXPECT_EQ(run.status, status) << arguments;
        EXPECT_EQ(run.err.empty(), status != 2) << arguments << run.err;
    }
}

// A sheet of two folders' files of one name: apply takes the rows of FILE's
// folder, says which rows it leaves out, and applies no other folder's rows.
TEST(ClassFileTool, ApplyTakesOnlyTheRowsOfTheFilesFolder)
{
    const std::string seals = sample("tvclass_seals.cfg");
    std::string files[2];
    for (int i = 0; i < 2; ++i) {
        const std::string folder = tempPath("mod \xC3\xA4" + std::to_string(i + 1));
        std::filesystem::create_directories(utf8Path(folder));
        files[i] = folder + "/tvclass_seals.cfg";
        std::ofstream(utf8Path(files[i]), std::ios::binary) << seals;
    }
    const std::string both = writeTemp("both.csv", "file,classname,health\n" + files[0] + ",Pointman,77\n" + files[1]
                                                       + ",Pointman,66\nb.cfg,Pointman,55\n");
    const ToolRun applied = runTool("apply " + arg(both) + ' ' + arg(files[1]));
    EXPECT_EQ(applied.status, 0);
    EXPECT_EQ(applied.out, "Pointman: health 100 -> 66\n");
    EXPECT_EQ(applied.err, "tolvane-classfile: " + both + ": 1 row for \"" + files[0]
                               + "\", another folder's file of the same name, is left out\n");
    EXPECT_NE(fileBytes(files[1]).find("classname Pointman\nclassabilities 1052690\n"), std::string::npos);
    EXPECT_NE(fileBytes(files[1]).find("\nhealth 66\n"), std::string::npos);
    EXPECT_EQ(fileBytes(files[0]), seals);

    const std::string first = writeTemp("first.csv", "file,classname,health\n" + files[0] + ",Pointman,77\n");
    const ToolRun refused = runTool("apply " + arg(first) + ' ' + arg(files[1]));
    EXPECT_EQ(refused.status, 2);
    EXPECT_NE(refused.err.find("no row is for the file \"tvclass_seals.cfg\"; 1 row for \"" + files[0]
                               + "\", another folder's file of the same name, is left out"),
              std::string::npos)
        << refused.err;
    EXPECT_EQ(fileBytes(files[0]), seals);
}

// A sheet's number is a finite decimal number, as in a paste, and a cell
// longer than any value is refused as the sheet is read, named by its place
// and size, none of it quoted: apply says where, and leaves the file as it was.
TEST(ClassFileTool, ApplyRefusesWhatIsNoFiniteNumberOrTooLarge)
{
    const std::string seals = sample("tvclass_seals.cfg");
    const std::string path = writeTemp("tvclass_seals.cfg", seals);
    const std::tuple<const char *, std::string, const char *> rows[] = {
        {"nan.csv", "classname,speed\nPointman,nan\n", "row 2, column B (speed): \"nan\" is not a number"},
        {"inf.tsv", "classname\tjump\nPointman\t-inf\n", "row 2, column B (jump): \"-inf\" is not a number"},
        {"inf.json", "[{\"classname\": \"Pointman\", \"underwaterair\": \"Infinity\"}]",
         "object 1 (line 1), \"underwaterair\": \"Infinity\" is not a number"},
        {"hex.csv", "classname,speed\nPointman,0x2\n", "row 2, column B (speed): \"0x2\" is not a number"},
        {"hex2.csv", "classname,health\nPointman,0x10\n", "row 2, column B (health): \"0x10\" is not a whole number"},
        {"large.csv", "classname,keys\nPointman," + std::string(5 << 20, 'k') + '\n',
         "row 2, column B (keys): a cell of 5242880 bytes; no value of a class is longer than 4096 bytes"},
    };
    for (const auto &[name, text, message] : rows) {
        const std::string sheet = writeTemp(name, text);
        const ToolRun run = runTool("apply " + arg(sheet) + ' ' + arg(path));
        EXPECT_EQ(run.status, 2) << name;
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err,
                  "tolvane-classfile: " + sheet + ": " + message + "\ntolvane-classfile: " + path + " is unchanged\n");
        EXPECT_EQ(fileBytes(path), seals) << name;
    }
}

// The README's pre-commit check passes on the samples with a modder's notes
// added, and finds a value out of the standard format; a value that six
// decimals would change stays as written.
TEST(ClassFileTool, NormalizeKeepingNotesPassesFilesWithNotes)
{
    const std::string noted = replaced(
        replaced(replaced(withCrlf(sample("tvclass_seals.cfg")), "speed 0.900000",
                          "// slower since 1.2\r\nspeed 0.900000 // was 1.0\r\n\r\nmy_key 3"),
                 "// Breacher", "// Breacher: the door kicker\r\n\r\n"),
        "underwaterair 11.000000\r\nspeed 1.200000\r\njump 1.100000",
        "underwaterair 0.0000001\r\nspeed 1.200000\r\njump 3.1415926");
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
