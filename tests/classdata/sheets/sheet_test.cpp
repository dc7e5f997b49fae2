#include "classdata/sheets/classexport.h"
#include "classdata/format/classfileupdate.h"
#include "classdata/sheets/classimport.h"
#include "../testclasses.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>

using namespace tolvane;

namespace {

constexpr SheetFormat formats[] = {SheetFormat::Csv, SheetFormat::Tsv, SheetFormat::Json};

// What applying sheet to the classes of file writes, or the first problem.
std::string applied(const std::string &file, const std::string &sheet, ImportOptions options = {})
{
    const auto table = readTable(file);
    const ImportResult result = classesFromSheet(classesOf(*table), sheet, options);
    if (!result.problems.empty())
        return result.problems.front().message;
    return updatedClassFile(file, *table, result.classes, result.origins);
}

bool sameBits(const ClassRecord &a, const ClassRecord &b)
{
    return a.classname == b.classname && a.keys == b.keys && a.starting_weapon == b.starting_weapon
           && std::bit_cast<std::uint32_t>(a.speed) == std::bit_cast<std::uint32_t>(b.speed)
           && std::bit_cast<std::uint32_t>(a.jump) == std::bit_cast<std::uint32_t>(b.jump)
           && std::bit_cast<std::uint32_t>(a.underwaterair) == std::bit_cast<std::uint32_t>(b.underwaterair)
           && a.resistance == b.resistance && a.classabilities == b.classabilities && a.inventory == b.inventory
           && a.health == b.health && a.max_762bb == b.max_762bb;
}

TEST(ClassSheet, ExportThenImportChangesNoByteOfTheFile)
{
    std::vector<std::string> files = oddFiles();
    std::mt19937 random(32);
    for (int run = 0; run < 200; ++run) {
        std::string bytes = files[std::size_t(run) % files.size()];
        mutate(bytes, random);
        files.push_back(bytes);
    }
    int tried = 0;
    for (const std::string &bytes : files) {
        const auto table = readTable(bytes);
        if (!bytes.starts_with('{') && bytes.find("\n{") == std::string::npos)
            continue;
        ++tried;
        for (SheetFormat format : formats)
            ASSERT_EQ(applied(bytes, classesAsSheet(classesOf(*table), format)), bytes) << int(format) << bytes;
    }
    EXPECT_GT(tried, 50);
    // Any value a class can hold, bit for bit: every text byte, every float.
    auto table = std::make_unique<ClassTable>();
    for (int run = 0; run < 30; ++run) {
        fillRandomTable(*table, random);
        for (std::int32_t i = 0; i < table->classCount; ++i) { // names as a sheet tells classes apart
            ClassRecord &record = table->records[std::size_t(i)];
            record.classname.assign(std::string(record.classname.view().substr(0, 29)) + std::to_string(i));
        }
        do
            table->records[0].speed = std::bit_cast<float>(std::uint32_t(random()));
        while (!std::isfinite(table->records[0].speed));
        table->records[0].jump = std::bit_cast<float>(0x00000001u + std::uint32_t(random() % 4));
        for (SheetFormat format : formats) {
            const ImportResult result = classesFromSheet(classesOf(*table), classesAsSheet(classesOf(*table), format));
            ASSERT_TRUE(result.problems.empty()) << result.problems.front().message;
            for (std::size_t i = 0; i < result.classes.size(); ++i)
                ASSERT_TRUE(sameBits(result.classes[i], table->records[i])) << run << ' ' << i << ' ' << int(format);
        }
    }
}

// Classes that share a name take the rows of that name in order, the first
// the first; a row more is a new class, when new ones are asked for.
TEST(ClassSheet, RepeatedNamesTakeTheirRowsInOrder)
{
    const std::string file =
        "{\nclassname Sniper\nhealth 1\n}\n\n{\nclassname SNIPER\nhealth 3\n}\n\n{\nclassname Medic\n}\n\n";
    ImportOptions addNew, plain;
    addNew.addNew = true;
    const std::tuple<const char *, ImportOptions, const char *> rows[] = {
        {"classname,health\nsniper,10\nsniper,30\n", plain, "Sniper 10, SNIPER 30, Medic 100"},
        {"classname,health\nSNIPER,10\n", plain, "Sniper 10, SNIPER 3, Medic 100"},
        {"classname,health\nMedic,7\nsniper,10\nmedic,8\n", addNew, "Sniper 10, SNIPER 3, Medic 7, medic 8 new"},
        {"classname,health\nmedic,7\nmedic,8\n", plain,
         "row 3, column A (classname): \"medic\" in more rows than classes are named so (1); new classes are added "
         "only when asked for"},
    };
    for (const auto &[sheet, options, shown] : rows) {
        const auto table = readTable(file);
        const ImportResult result = classesFromSheet(classesOf(*table), sheet, options);
        std::string classes = result.problems.empty() ? "" : result.problems.front().message;
        for (std::size_t i = 0; i < result.classes.size(); ++i)
            classes += (i ? ", " : "") + std::string(result.classes[i].classname.view()) + ' '
                       + std::to_string(result.classes[i].health) + (result.origins[i] < 0 ? " new" : "");
        EXPECT_EQ(classes, shown) << sheet;
    }
}

TEST(ClassSheet, WritesWhatTheGameReadsInEachFormat)
{
    const std::string file = fileBytes(TOLVANE_TEST_DATA "/sheet_classes.cfg");
    const auto table = readTable(file);
    const std::pair<SheetFormat, const char *> rows[] = {{SheetFormat::Csv, "sheet_classes.csv"},
                                                         {SheetFormat::Tsv, "sheet_classes.tsv"},
                                                         {SheetFormat::Json, "sheet_classes.json"}};
    for (const auto &[format, golden] : rows)
        EXPECT_EQ(classesAsSheet(classesOf(*table), format), fileBytes(TOLVANE_TEST_DATA "/" + std::string(golden)));
    const ClassesOfFile teams[] = {{"tvclass_seals.cfg", classesOf(*table)}, {"b.cfg", classesOf(*table)}};
    const std::string both = classesAsSheet(teams, SheetFormat::Tsv);
    EXPECT_TRUE(both.starts_with("file\tclassname\t")) << both;
    EXPECT_NE(both.find("\nb.cfg\tSniper\t"), std::string::npos) << both;
}

TEST(ClassSheet, ChangesTheClassesItNamesInTheColumnsItHas)
{
    const std::string a = "// notes\n{\nclassname A\nhealth 50\nclassabilities 2050\n}\n\n";
    const std::string speed = "speed 2 // fast\n", weapon = "starting_weapon weapon_mp5\n";
    const auto withB = [&](const std::string &lines) { return a + "{\nclassname B\n" + lines + "}\n"; };
    const std::string file = withB(speed + weapon);
    const std::string newC = "\n\n// C\n{\nclassname C\nclassabilities 0\nunderwaterair 11.000000\nspeed 1.000000\n"
                             "jump 1.000000\nkeys \nresistance none\nhealth 5\nmax_health 100\nkevlar_trouser 20\n"
                             "kevlar_vest 50\ncombat_helmet 30\n\nmax_shells 20\nmax_rockets 4\nmax_grenades 20\n"
                             "max_cells 200\nmax_357cal 12\nmax_45cal 4\nmax_9cal 4\nmax_556cal 4\nmax_308cal 4\n"
                             "max_762bb 4\n\nstarting_weapon \n}\n\n";
    ImportOptions addNew, seals, plain;
    addNew.addNew = true;
    seals.fileName = "game/tvclass_seals.cfg";
    seals.isFile = [](std::string_view file) { return file == "./game/tvclass_seals.cfg"; };
    const std::tuple<std::string, ImportOptions, std::string> rows[] = {
        // sheet, options, file written
        {"classname,health\nB,70\n", plain, withB(speed + "health 70\n" + weapon)},
        {"classname,health\nb,70\n", addNew, withB(speed + "health 70\n" + weapon)},
        {"health,speed,classname\n60,2,B\n", plain, withB(speed + "health 60\n" + weapon)},
        {"classname\tspeed\tjump\nB\t1.5\t2\n", plain, withB("speed 1.500000\njump 2.000000\n" + weapon)},
        {"classname\tspeed\n B \t1.5\n", plain,
         "row 2, column A (classname): no class is named \" B \"; new classes are added only when asked for"},
        {"classname;max_cells\r\nB;7\r\n", plain, withB(speed + "max_cells 7\n" + weapon)},
        {"[{\"classname\": \"A\", \"scanner\": false, \"sniper_scope\": true, \"weapon_knife\": 2}]", plain,
         "// notes\n{\nclassname A\nhealth 50\ninventory weapon_knife 2\nclassabilities 34816\n}\n\n{\nclassname B\n"
             + speed + weapon + "}\n"},
        {"classname,starting_weapon_name\nB,m4\n", plain, withB(speed + "starting_weapon weapon_M16\n")},
        {"classname,starting_weapon,starting_weapon_name\nB,weapon_mp5,H&K MP 5\n", plain, file},
        {"classname,resistance,keys\nB,,'=x\n", plain, withB(speed + "keys =x\n" + weapon)},
        {"classname,keys\nB,\xE4.cfg\n", plain, withB(speed + "keys \xE4.cfg\n" + weapon)},
        {"classname,health\nC,5\n,\n", addNew, file + newC},
        {"file,classname,health\nb.cfg,B,1\nTVCLASS_SEALS.CFG,B,2\n", seals, withB(speed + "health 2\n" + weapon)},
        // A row of another folder's file of the same name is left out.
        {"file,classname,health\nmod/tvclass_seals.cfg,B,1\n./game/tvclass_seals.cfg,B,2\n", seals,
         withB(speed + "health 2\n" + weapon)},
    };
    for (const auto &[sheet, options, written] : rows)
        EXPECT_EQ(applied(file, sheet, options), written) << sheet;
}

TEST(ClassSheet, NamesEachCellItCannotReadAndChangesNothing)
{
    const std::string file = blocks(2) + inBlock("classname c0");
    const std::string full = blocks(64);
    const std::string name32 = std::string(31, 'n') + "\xC3\xA4";
    // A cell longer than any value is refused unread and unquoted; messages
    // quote the first 40 characters of a long one.
    const std::string huge(5 << 20, '7'), long2000 = "\xC3\xA4" + std::string(1999, 'k');
    const std::string cut = "\"\xC3\xA4" + std::string(39, 'k') + "\xE2\x80\xA6\"";
    ImportOptions addNew, seals;
    addNew.addNew = true;
    seals.fileName = "tvclass_seals.cfg";
    seals.isFile = [](std::string_view) { return false; };
    struct Row
    {
        std::string sheet, message;
        ImportOptions options = {};
        bool ofAFullFile = false; // else of file
    };
    const Row rows[] = {
        {"classname,health\nc1,\"5\n",
         "row 2, column B (health): the quote that opens this cell on line 2 is never closed"},
        {"classname,health\nc1,\"5\"0\n", "row 2, column B (health): text after the quote that closes this cell; a "
                                          "quote inside a quoted cell is written twice"},
        {"classname,keys\nc1,a\"b\n", "row 2, column B (keys): a quote inside a cell that does not begin with one; "
                                      "quote the whole cell and write each quote in it twice"},
        {"classname,health\n\nc1,5,6\n", "row 3 has 3 cells; the header row has 2"},
        {"classname,health\nc1\n", "row 2 has 1 cell; the header row has 2"},
        {"classname,spead\nc1,5\n", "row 1, column B (spead): not a column of a class sheet"},
        {"classname,speed,Speed\nc1,5,5\n", "row 1, column C (Speed): the column speed a second time"},
        {"health\n5\n", "row 1: no classname column; each row names the class it changes"},
        {"classname,health\nc1,5\nC1,6\n", "row 3, column A (classname): \"C1\" in more rows than classes are named so "
                                           "(1); new classes are added only when asked for"},
        {"classname,speed\nc1,\"1,5\"\n", "row 2, column B (speed): \"1,5\" has ',' as its decimal mark; write 1.5"},
        {"classname,speed\nc1,fast\n", "row 2, column B (speed): \"fast\" is not a number"},
        {"classname,speed\nc1,-inf\n", "row 2, column B (speed): \"-inf\" is not a number"},
        {"classname\tjump\nc1\tNaN\n", "row 2, column B (jump): \"NaN\" is not a number"},
        {"[{\"classname\": \"c1\", \"speed\": \"inf\"}]", "object 1 (line 1), \"speed\": \"inf\" is not a number"},
        {"classname,speed\nc1,0x2\n", "row 2, column B (speed): \"0x2\" is not a number"},
        {"classname,speed\nc1,1e39\n", "row 2, column B (speed): \"1e39\" is beyond the range of a 32-bit float"},
        {"classname,jump\nc1,-1e400\n", "row 2, column B (jump): \"-1e400\" is beyond the range of a 32-bit float"},
        {"classname,health\nc1,2.5\n", "row 2, column B (health): \"2.5\" is not a whole number"},
        {"classname,health\nc1,\n", "row 2, column B (health): an empty cell; write a whole number (0 for none)"},
        {"classname,ammo_cells\nc1,2147483648\n",
         "row 2, column B (ammo_cells): \"2147483648\" is beyond the 32-bit range"},
        {"classname,keys\nc1,\xE2\x98\x83\n", "row 2, column B (keys): \"\xE2\x98\x83\" holds \"\xE2\x98\x83\" "
                                              "(U+2603), which is not in Windows-1252, the class file's character set"},
        {"classname,keys\nc1,\xC2\x9B\n", "row 2, column B (keys): \"\\xc2\\x9b\" holds \"\\xc2\\x9b\" (U+009B), which "
                                          "is not in Windows-1252, the class file's character set"},
        {"classname,keys\nc1,\xC3\xA4\xE4\n", "row 2, column B (keys): \"\xC3\xA4\\xe4\" is not UTF-8 text"},
        {"\"\xC3\xAF\xC2\xBB\xC2\xBF"
         "classname\"\nc1\n",
         "the sheet begins with \"\xC3\xAF\xC2\xBB\xC2\xBF\", a byte order mark read in the wrong character set: have "
         "the spreadsheet program open the CSV as UTF-8 (Unicode) and save it again"},
        {"classname\n" + name32 + "\n",
         "row 2, column A (classname): \"" + name32 + "\" is 32 characters long; at most 31 fit", addNew},
        {"classname,keys\nc1,\"a\nb\"\n",
         "row 2, column B (keys): \"a\\x0ab\" holds a line break, which a line of the class file cannot"},
        {"classname,keys\nc1,\"a\r\"\n",
         "row 2, column B (keys): \"a\\x0d\" ends in a carriage return, which the file would take for its line end"},
        {"classname\nnew\n",
         "row 2, column A (classname): a new class \"new\" would be the 65th; a class file holds 64 at most", addNew,
         true},
        {"classname\nc9\n",
         "row 2, column A (classname): no class is named \"c9\"; new classes are added only when asked for"},
        {"classname,scanner\nc1,yes\n", "row 2, column B (scanner): \"yes\" is not true or false; write true or false"},
        {"classname,resistance\nc1,water\n", "row 2, column B (resistance): \"water\" is not none, fire or explosive"},
        {"classname,starting_weapon,starting_weapon_name\nc1,weapon_m60,M4\n",
         "row 2, column C (starting_weapon_name): \"M4\" is not the name of starting_weapon \"weapon_m60\", which is "
         "shown as \"M 60\""},
        {"classname,starting_weapon_name\nc1,Laser Traps\n",
         "row 2, column B (starting_weapon_name): \"Laser Traps\" is not in the starting-weapon list"},
        {"file,classname\nb.cfg,c1\n", "row 1, column A (file): no row is for the file \"tvclass_seals.cfg\"", seals},
        {"file,classname\nmod/tvclass_seals.cfg,c1\nC:\\mod\\TVCLASS_SEALS.cfg,c2\n",
         "row 1, column A (file): no row is for the file \"tvclass_seals.cfg\"; 2 rows for \"mod/tvclass_seals.cfg\", "
         "another folder's file of the same name, are left out",
         seals},
        {"", "no header row: the first row names the columns"},
        {"classname,keys\nc1,\"" + huge + "\"\n",
         "row 2, column B (keys): a cell of 5242880 bytes; no value of a class is longer than 4096 bytes"},
        {"classname\t" + huge + "\nc1\t1\n",
         "row 1, column B: a cell of 5242880 bytes; no value of a class is longer than 4096 bytes"},
        {"[{\"classname\": \"c1\", \"health\": " + huge + "}]",
         "line 1 (object 1): a cell of 5242880 bytes; no value of a class is longer than 4096 bytes"},
        {"[{\"classname\": \"c1\", \"" + huge + "\": 1}]",
         "line 1 (object 1): a cell of 5242880 bytes; no value of a class is longer than 4096 bytes"},
        {"classname,speed\nc1," + long2000 + "\n", "row 2, column B (speed): " + cut + " is not a number"},
        {"classname,keys\nc1," + long2000 + "\n",
         "row 2, column B (keys): " + cut + " is 2000 characters long; at most 1023 fit"},
        {"classname," + long2000 + "\nc1,1\n",
         "row 1, column B (" + cut.substr(1, cut.size() - 2) + "): not a column of a class sheet"},
        {"{\"classname\": \"c1\"}", "line 1: expected a JSON array [ of objects, one per class"},
        {"[{\"classname\": \"c1\", \"health\": \"5\"}]", "object 1 (line 1), \"health\": takes a number"},
        {"[{\"classname\": \"c1\", \"scanner\": 1}]", "object 1 (line 1), \"scanner\": takes true or false"},
        {"[{\"classname\": \"c1\", \"keys\": null}]",
         "object 1 (line 1), \"keys\": null; leave the key out to keep the value"},
        {"[\n{\"classname\": \"c1\", \"health\": {}}]",
         "line 2 (object 1): an object or array as a value; a class's values are numbers, texts, true or false"},
        {"[{\"classname\": \"c1\", \"classname\": \"c1\"}]",
         "line 1 (object 1): the key \"classname\" twice in one object"},
        {"[{\"classname\": \"c1\"},]", "line 1 (object 1): expected an object { } for each class"},
        {"[{\"classname\": \"\\\x1b\"}]", "line 1 (object 1): an unknown escape \\\\x1b"},
        {"[{\"classname\": \"\\ud800\"}]",
         "line 1 (object 1): a \\u escape of half a character (a UTF-16 surrogate without its pair)"},
        {"[{\"spead\": 1}]", "key \"spead\": not a column of a class sheet"},
        {"[{\"health\": 1}, {\"classname\": \"c1\"}]",
         "object 1 (line 1): no classname; each row names the class it changes"},

    };
    for (const auto &[sheet, message, options, ofAFullFile] : rows) {
        const auto table = readTable(ofAFullFile ? full : file);
        const ImportResult result = classesFromSheet(classesOf(*table), sheet, options);
        EXPECT_EQ(result.problems.empty() ? "(none)" : result.problems.front().message, message) << sheet;
        EXPECT_TRUE(result.classes.empty() && result.origins.empty()) << sheet;
    }
}

TEST(ClassSheet, ReportsEveryBadCellOfASheet)
{
    const auto table = readTable(blocks(2));
    const ImportResult result = classesFromSheet(classesOf(*table), "classname,health,speed\nc0,x,1\nc1,1,y\nc2,1,1\n");
    std::string messages;
    for (const ImportProblem &problem : result.problems)
        messages += problem.message + '\n';
    EXPECT_EQ(
        messages,
        "row 2, column B (health): \"x\" is not a whole number\nrow 3, column C (speed): \"y\" is not a number\nrow 4, "
        "column A (classname): no class is named \"c2\"; new classes are added only when asked for\n");
}

} // namespace
