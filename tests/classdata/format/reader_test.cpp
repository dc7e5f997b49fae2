#include "classdata/format/classfilewriter.h"
#include "classdata/text/textnumbers.h"
#include "../testclasses.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <fstream>

using namespace tolvane;

namespace {

// What the writer makes of what the reader makes of text.
std::string rewritten(const std::string &text)
{
    return classFileBytes(*readTable(text), "\n");
}

using namespace std::string_literals;

TEST(ClassFileReader, StoresWhatTheGameReadsFromEachKeyLine)
{
    // clang-format off
    const std::pair<std::string, std::string> rows[] = { // lines in a block, a line the writer then writes
        {"CLASSNAME Sniper", "classname Sniper"}, {"classname ", "classname "},
        {"classname Big  Gun ", "classname Big  Gun "},
        {"classname " + std::string(40, 'n'), "classname " + std::string(31, 'n')},
        {"speed 10", "speed 10.000000"}, {"speed 10.5", "speed 1.000000"}, {"speed -0.5", "speed 1.000000"},
        {"speed fast", "speed 0.000000"}, {"speed nan", "speed 0.000000"}, {"SPEED -inf", "speed 0.000000"},
        {"jump 10.00000001", "jump 1.000000"}, {"jump 0x1.8p1", "jump 0.000000"}, {"jump 1e999", "jump 1.000000"},
        {"underwaterair Infinity", "underwaterair 0.000000"}, {"classabilities 0x10", "classabilities 0"},
        {"underwaterair -3.5e1", "underwaterair -35.000000"}, {"health 999", "health 999"},
        {"health 1000", "health 100"}, {"health -1", "health 100"}, {"health 4294967296", "health 100"},
        {"max_rockets 5000", "max_rockets 2"}, {"combat_helmet -1", "combat_helmet 20"},
        {"max_357cal 1000", "max_357cal 20"}, {"max_grenades 1000", "max_grenades 100"},
        {"max_cells -5", "max_cells 100"}, {"kevlar_vest 1000", "kevlar_vest 50"},
        {"max_762bb  12abc", "max_762bb 12"}, {"resistance Fire", "resistance fire"},
        {"resistance EXPLOSIVE", "resistance explosive"}, {"resistance water", "resistance none"},
        {"resistance fire ", "resistance none"}, {"classabilities 3.9", "classabilities 3"},
        {"classabilities -1.5", "classabilities -1"}, {"classabilities 1e12", "classabilities 2147483647"},
        {"classabilities 8390656", "classabilities 8390656"}, {"keys my config.cfg", "keys my config.cfg"},
        {"starting_weapon weapon_M16", "starting_weapon weapon_M16"},
        {"inventory weapon_knife 2", "inventory weapon_knife 2"},
        {"inventory WEAPON_KNIFE 2 spare", "inventory weapon_knife 2"},
        {"inventory ammo_rockets -5", "inventory ammo_rockets -5"},
        {"inventory weapon_mk23 7", "inventory weapon_Mk23 7"}, {"speed 3\nspeed 4", "speed 4.000000"},
        {"inventory weapon_mk23 2147483648", "inventory weapon_Mk23 2147483647"},
        {"inventory weapon_mk23 -2147483649", "inventory weapon_Mk23 -2147483648"},
    };
    // clang-format on
    for (const auto &[lines, written] : rows)
        EXPECT_NE(rewritten(inBlock(lines)).find('\n' + written + '\n'), std::string::npos) << lines;
}

TEST(ClassFileReader, IgnoresLinesThatSetNoKnownKey)
{
    for (const char *line :
         {"classname", " classname Sniper", "classname\tSniper", "// speed 3", "spead 3", "starting_weapon_x y",
          "inventory weapon_laser 3", "inventory weapon_knife", "inventory  weapon_knife 3"})
        EXPECT_EQ(rewritten(inBlock(line)), rewritten(inBlock(""))) << line;
}

std::string names(int count)
{
    std::string text = "c0";
    for (int i = 1; i < count; ++i)
        text += "|c" + std::to_string(i);
    return text;
}

TEST(ClassFileReader, ReadsTheBlocksTheGameReads)
{
    const std::pair<std::string, std::string> rows[] = {
        // file, names of the classes read
        {"", "?"},
        {"// comments only\n", "?"},
        {"text\n{", "?"},
        {blocks(2), "c0|c1"},
        {blocks(70), names(64)},
        {"{\nclassname A\n}\n{\nclassname B\n}\n\n{\nclassname C\n}\n", "A|C"},
        {"{junk\nclassname A\n}junk\n\n{\nclassname B\n", "A|B"},
        {"{\r\nclassname A\r\n}\r\n\r\n{\r\nclassname B\r\n}\r\n", "A|B"},
        {"{\nclassname A\rB\r\r\n", "A\rB\r"},
        {"{\nclassname B\r", "B\r"},
        {"{\nclassname B\r\r", "B\r\r"},
        {"{\nclassname A\0B\n"s, "A"},
        {"\0{\nclassname A\n"s, "?"},
        {std::string(600, 'x') + inBlock("classname A"), "?"},
        {inBlock("classname " + std::string(600, 'y')), std::string(31, 'y')},
    };
    for (const auto &[text, expected] : rows) {
        const auto table = readTable(text);
        std::string read;
        for (std::int32_t i = 0; i < table->classCount; ++i)
            read += (i ? "|" : "") + std::string(table->records[std::size_t(i)].classname.view());
        EXPECT_EQ(read, expected) << text.substr(0, 80);
    }
}

// Normalizing what normalize wrote changes nothing, whatever the line ends.
TEST(ClassFileReader, NormalizesToAFixedPoint)
{
    const std::string rows[] = {
        "{\nclassname B\r",
        "{\r\nclassname B\r",
        "{\nclassname B\r\r\n}\n",
        "{\r\nclassname A\rB\r\r\n}\r\n",
        "{\nkeys \r\r\r",
        "\r",
        "{\r",
        "{\n}\r\n\n{\nclassname C\n",
    };
    for (const std::string &bytes : rows) {
        const std::string once = normalizedClassFile(bytes);
        EXPECT_EQ(normalizedClassFile(once), once) << bytes;
    }
}

// The integer reader against the C library's: strtoll, then clamped to 32 bits.
// (The fuzz target compares them on any input.)
TEST(ClassFileReader, ReadsIntegersAsStrtollClampedTo32Bits)
{
    const auto reference = [](const std::string &text) {
        const long long value = std::strtoll(text.c_str(), nullptr, 10);
        return std::int32_t(std::clamp<long long>(value, INT32_MIN, INT32_MAX));
    };
    // clang-format off
    const std::string rows[] = {"2147483647", "2147483648", "-2147483648", "-2147483649", "99999999999999999999",
                                "-99999999999999999999", " \t+12x", "--1", "+-1", "0x10", "", "-", "007"};
    // clang-format on
    for (const std::string &text : rows)
        EXPECT_EQ(parseInt(text), reference(text)) << text;
}

TEST(ClassFileReader, StartsEveryBlockAfreshButKeepsSlotsBeyondTheFile)
{
    auto table = readTable(inBlock("starting_weapon weapon_m60\ninventory weapon_knife 1") + '\n'
                           + inBlock("classname B"));
    readClassBytes(*table, inBlock("classname C"));
    EXPECT_EQ(table->classCount, 1);
    EXPECT_TRUE(table->records[0].starting_weapon.empty());
    EXPECT_EQ(table->records[0].inventory[0], 0);
    EXPECT_EQ(table->records[1].classname, "B");
}

TEST(ClassFileReader, ReadsAndWritesAPointWhateverTheLocale)
{
#ifdef _WIN32
    const char *german = "German"; // the C runtime's name; LC_ALL in the environment has no effect there
#else
    const char *german = "de_DE.UTF-8";
#endif
    if (!std::setlocale(LC_ALL, german)) {
        if (std::getenv("CI"))
            FAIL() << "the " << german << " locale is missing; scripts/deps.sh makes it";
        GTEST_SKIP() << "no " << german << " locale";
    }
    const std::string out = rewritten(inBlock("speed 2.5\nunderwaterair 1,5"));
    std::setlocale(LC_ALL, "C");
    EXPECT_NE(out.find("\nspeed 2.500000\n"), std::string::npos);
    EXPECT_NE(out.find("\nunderwaterair 1.000000\n"), std::string::npos);
}

TEST(ClassFileReader, ReadsTheActiveTeamsFileAndLeavesTheTableWhenItCannot)
{
    // Folder and file names beyond ASCII, in UTF-8: "Spiel Ordner Ä", "klassen_ß.cfg".
    const auto folder = std::filesystem::path(testing::TempDir()) / "classfilereader"
                        / utf8Path("Spiel Ordner \xC3\x84");
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder / "tvclass_seals.cfg");
    std::ofstream(folder / "tvclass_tangos.cfg") << inBlock("classname Tango\nspead 1");
    std::ofstream(folder / utf8Path("klassen_\xC3\x9F.cfg")) << "x";
    EXPECT_EQ(readWholeFile(folder / utf8Path("klassen_\xC3\x9F.cfg")).bytes, "x");

    auto table = readTable(inBlock("classname Kept"));
    const FileBytes unreadable = readClassFile(*table, folder, 1);
    EXPECT_EQ(unreadable.status, FileStatus::Unreadable);
    EXPECT_FALSE(unreadable.error.empty());
    EXPECT_EQ(table->records[0].classname, "Kept");

    FindingCounter findings;
    EXPECT_EQ(readClassFile(*table, folder, 0, &findings).status, FileStatus::Read);
    EXPECT_EQ(table->records[0].classname, "Tango");
    EXPECT_EQ(findings.count, 1); // spead

    EXPECT_EQ(readClassFile(*table, folder / "missing", 0).status, FileStatus::Missing);
    EXPECT_EQ(table->records[0].starting_weapon, "weapon_mk23");
#ifndef _WIN32 // the session and the tool tests refuse a named pipe
    EXPECT_EQ(readWholeFile("/dev/null").error, "not a regular file but a character device");
#endif
}

// Lines other readers take in 511-byte pieces, line end included.
TEST(ClassFileReader, ReportsLinesLongerThanOnePiece)
{
    struct Recorder final : ReadObserver
    {
        void found(const ReadFinding &f) override
        {
            if (f.kind == ReadFindingKind::LongLine)
                seen += std::to_string(f.line) + ':' + std::to_string(int(f.value)) + '/'
                        + std::to_string(int(f.stored)) + ' ';
        }
        std::string seen;
    };
    const std::pair<std::string, std::string> rows[] = {
        // file, line:bytes/pieces of each long line
        {"// " + std::string(507, 'x') + "\n", ""},
        {"// " + std::string(508, 'x') + "\n", "1:512/2 "},
        {"// " + std::string(507, 'x') + "\r\n", "1:512/2 "},
        {"// " + std::string(509, 'x'), "1:512/2 "},
        {inBlock("keys " + std::string(1100, 'k')), "2:1106/3 "},
        {"{\n}\n" + std::string(600, '{') + "\n", "3:601/2 "},
    };
    for (const auto &[text, expected] : rows) {
        Recorder recorder;
        readTable(text, &recorder);
        EXPECT_EQ(recorder.seen, expected) << text.substr(0, 40);
    }
}

TEST(ClassFileReader, TellsAClassFileFromOtherFiles)
{
    using K = ClassFileKind;
    const struct
    {
        const char *name;
        std::string bytes;
        ClassFileKind kind;
    } rows[] = {
        {"tvclass_seals.cfg", inBlock("speed 1"), K::ClassFile},
        {"x.cfg", "// c\n{\nINVENTORY x", K::ClassFile},
        {"x.cfg", "{\n}\n\n{\nspead 1\nhealth 5\0\n"s, K::ClassFile},
        {"tvclass_seals.cfg", "", K::NoClassBlock},
        {"x.cfg", "// {\n {\n\t{\n", K::NoClassBlock},
        {"x.cfg", "[TolvaneClassCreator]\n\nSeals 1\n", K::NoClassBlock},
        {"tvcc.cfg", inBlock("speed 1"), K::SettingsFile},
        {"game/TVCC.CFG", "", K::SettingsFile},
        {"tvcc.cfg.bak", inBlock("speed 1"), K::ClassFile},
        // Another program's file with "{" lines, binary data, keys where the game reads none.
        {"settings.cfg", "{\n \"volume\": 0.8\n}\n", K::NoKnownKey},
        {"x.cfg", inBlock(""), K::NoKnownKey},
        {"x.cfg",
         "\x7f"
         "ELF\0\n{\nspeed 1\n}\n"s,
         K::NoKnownKey},
        {"x.cfg", "{\n}\n{\nspeed 1\n}\n", K::NoKnownKey},
        {"x.cfg", "{\n// speed 1\nspeed\t1\n}\nspeed 1\n", K::NoKnownKey},
    };
    for (const auto &row : rows)
        EXPECT_EQ(classFileKind(row.name, row.bytes), row.kind) << row.name << ' ' << row.bytes;
}

} // namespace
