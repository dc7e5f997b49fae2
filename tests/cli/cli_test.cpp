#include "classdata/format/findingcodes.h"
#include "toolrun.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <tuple>

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/stat.h>
#endif

using namespace tolvane;

namespace {

TEST(ClassFileTool, CheckReportsEachFindingOnItsLineWithItsCode)
{
    using namespace std::string_literals;
    const std::string path0 = tempPath("check.cfg");
    const std::string cut = std::string(29, 'n') + "\xE9\xE9";
    const std::string cutShown = std::string(29, 'n') + "\u00e9\u00e9";
    const std::pair<std::string, std::string> rows[] = {
        // file, report after the file name
        {inBlock("speed 10.5"), ":2: TCC003 speed 10.5 is outside 0 to 10; read as 1.000000"},
        {inBlock("health 99999999999"), ":2: TCC003 health 99999999999 is outside 0 to 999; read as 100"},
        {inBlock("health lots"), ":2: TCC004 health value \"lots\" is not a number; read as 0"},
        {inBlock("speed -inf"), ":2: TCC004 speed value \"-inf\" is not a number; read as 0.000000"},
        {inBlock("jump 0x2"), ":2: TCC005 jump value \"0x2\": the text after the number 0 is ignored"},
        {inBlock("inventory weapon_knife 2 spare"),
         ":2: TCC005 inventory weapon_knife value \"2 spare\": the text after the number 2 is ignored"},
        {inBlock("classabilities 3.9"), ":2: TCC006 classabilities 3.9 is not a whole 32-bit number; read as 3"},
        {inBlock("inventory weapon_mk23 2147483648"),
         ":2: TCC007 inventory weapon_mk23 2147483648 is beyond the 32-bit range; read as 2147483647"},
        {inBlock("inventory weapon_mk23 -99999999999"),
         ":2: TCC007 inventory weapon_mk23 -99999999999 is beyond the 32-bit range; read as -2147483648"},
        {inBlock("spead 3\nspeed 1"), ":2: TCC001 unknown key \"spead\"; line ignored"},
        {inBlock(" speed 3\nspeed 1"), ":2: TCC001 line begins with a space, so its key is empty; line ignored"},
        {inBlock("speed\t3\nspeed 1"), ":2: TCC002 line \"speed\\x09"
                                       "3\" has no space, so it sets no key; line ignored"},
        {inBlock("resistance water"), ":2: TCC008 resistance \"water\" is not none, fire or explosive; read as none"},
        {inBlock("inventory weapon_laser 3"),
         ":2: TCC009 inventory item \"weapon_laser\" is not in the item catalogue; line ignored"},
        {inBlock("inventory weapon_knife"), ":2: TCC010 inventory item \"weapon_knife\" has no amount; line ignored"},
        {inBlock("speed 3\nSPEED 4"), ":3: TCC011 speed is set again; the value from line 2 is replaced"},
        {inBlock("speed 3\nSPEED 4\nspeed 5"),
         ":3: TCC011 speed is set again; the value from line 2 is replaced\n" + path0
             + ":4: TCC011 speed is set again; the value from line 3 is replaced"},
        {inBlock("inventory ammo_cells 1\ninventory AMMO_CELLS 2"),
         ":3: TCC011 inventory AMMO_CELLS is set again; the value from line 2 is replaced"},
        {inBlock("classname " + cut + "xyz"),
         ":2: TCC012 classname \"" + cutShown + "xyz\" is longer than 31 characters; cut to \"" + cutShown + "\""},
        {inBlock("keys " + std::string(1100, 'k')),
         ":2: TCC022 line of 1106 bytes with its line end is longer than 511; readers that take lines in 511-byte "
         "pieces read it as 3 lines\n"
             + path0
             + ":2: TCC012 keys value of 1100 characters is longer than 1023; cut to "
               "its first 1023"},
        {inBlock("classname A\r\r"),
         ":2: TCC013 classname value \"A\\x0d\" holds a carriage return; the game keeps it, the editor and "
         "normalize keep it only inside the value"},
        {inBlock("classname A\0B"s), ":2: TCC014 line holds a NUL byte; only \"classname A\" before it is read"},
        {"{ classname A\nspeed 1\n}\n",
         ":1: TCC015 text \" classname A\" after the \"{\" that opens the block is ignored"},
        {"{\nclassname A\n{\nspeed 2\n}\n",
         ":3: TCC016 \"{\" inside the class block opened at line 1, which is not closed; the two classes are read as "
         "one"},
        {"\n{\nclassname A\n", ":2: TCC017 class block opened here is never closed; it runs to the end of the file"},
        {"{\n}\n{\nspeed 1\n}\n{\nspeed 1\n}\n",
         ":3: TCC018 \"{\" right after a \"}\" line is skipped, so this block is not read\n" + path0
             + ":6: TCC025 classname \"?\" is the name of the class at line 1 too"},
        {blocks(65), ":257: TCC019 class block after the 64th; it and the rest of the file are not read"},
        {"{\nspead 3\nspeed 1\n", ":1: TCC017 class block opened here is never closed; it runs to the end of the file\n"
                                      + path0 + ":2: TCC001 unknown key \"spead\"; line ignored"},
        {inBlock("spe\x1b]0;owned\aed 3\nspeed 1"), ":2: TCC001 unknown key \"spe\\x1b]0;owned\\x07"
                                                    "ed\"; line ignored"},
        {inBlock("resistance \x81\x9B\x80"), ":2: TCC008 resistance \"\\x81\u203a\u20ac\" is not none, fire or "
                                             "explosive; read as none"},
    };
    for (const auto &[file, report] : rows) {
        const std::string path = tempPath("check.cfg");
        std::ofstream(path, std::ios::binary) << file;
        const ToolRun run = runTool("check " + arg(path));
        EXPECT_EQ(run.out, path + report + '\n');
        EXPECT_EQ(run.status, 1) << report;
    }
}

TEST(ClassFileTool, CheckWritesJsonForEditorsAndCi)
{
    const std::string path = writeTemp("json.cfg", inBlock("speed 10.5\nsp\"e\\d 1"));
    const std::string clean = TOLVANE_TEST_DATA "/default_class.cfg";
    const std::string objects = "{\"file\": \"" + jsonName(path)
                                + "\", \"line\": 2, \"code\": \"TCC003\", \"severity\": \"warning\", \"message\": "
                                  "\"speed 10.5 is outside 0 to 10; read as 1.000000\", \"class\": \"?\", \"slot\": 0},"
                                  "\n {\"file\": \""
                                + jsonName(path)
                                + "\", \"line\": 3, \"code\": \"TCC001\", \"severity\": \"warning\", "
                                  "\"message\": \"unknown key \\\"sp\\\"e\\\\d\\\"; line ignored\", \"class\": \"?\", "
                                  "\"slot\": 0}";
    for (const std::string &files : {arg(path) + ' ' + arg(clean), arg(clean) + ' ' + arg(path)}) {
        const ToolRun run = runTool("check --format=json " + files);
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.out, "[\n " + objects + "\n]\n");
    }
    const ToolRun twice = runTool("check --format=json " + arg(path) + ' ' + arg(path));
    EXPECT_EQ(twice.out, "[\n " + objects + ",\n " + objects + "\n]\n");
    const ToolRun none = runTool("check --format=json " + arg(clean));
    EXPECT_EQ(none.out, "[]\n");
    EXPECT_EQ(none.status, 0);
}

// Every code that check can print is explained in --list-codes and in the README.
TEST(ClassFileTool, ListsEveryCodeInTheToolAndTheReadme)
{
    const ToolRun run = runTool("check --list-codes");
    EXPECT_EQ(run.status, 0);
    const std::string readme = fileBytes(TOLVANE_EXAMPLES "/../README.md");
    ASSERT_FALSE(findingCodes().empty());
    for (const FindingCode &code : findingCodes()) {
        const std::string name(code.code);
        EXPECT_NE(run.out.find(name + "  "), std::string::npos) << name;
        EXPECT_NE(readme.find("| " + name + " |"), std::string::npos) << name;
    }
}

// normalize writes what the editor would, with the file's line ends; on
// Windows the names come from the wide command line.
TEST(ClassFileTool, NormalizesTheSamplesUnderNonAsciiNames)
{
    const std::string folder = testing::TempDir() + "Spiel Ordner \xC3\x84"; // UTF-8 for "Ä", then "ß"
    const std::string path = folder + "/klassen_\xC3\x9F.cfg";
    std::filesystem::create_directories(utf8Path(folder));
    for (const char *name : {"tvclass_seals.cfg", "tvclass_tangos.cfg"}) {
        const std::string sample = fileBytes(TOLVANE_EXAMPLES "/" + std::string(name));
        std::ofstream(utf8Path(path), std::ios::binary) << sample;
        EXPECT_EQ(runTool("normalize " + arg(path)).out, sample) << name;
    }
    const ToolRun check = runTool("check " + arg(path) + ' ' + arg(folder + "/missing.cfg"));
    EXPECT_EQ(check.status, 2);
    EXPECT_EQ(check.out, "");
    EXPECT_EQ(check.err.find("tolvane-classfile: " + folder + "/missing.cfg: "), 0u) << check.err;
}

#ifdef _WIN32
// cmd and PowerShell hand "*.cfg" over as typed; the tool expands it, in the
// order of the names and without regard to case, and writes each name in
// UTF-8. A pattern that matches nothing is named as such.
TEST(ClassFileTool, ExpandsWildcardsAndNamesTheFilesInUtf8)
{
    const std::string folder = testing::TempDir() + "wildcards \xC3\xA4\\";
    std::filesystem::create_directories(utf8Path(folder));
    const std::pair<const char *, std::string> files[] = {{"tvcc.cfg", "1\n"},
                                                          {"b \xC3\xA4.cfg", inBlock("speed 10.5")},
                                                          {"a.cfg.new0", inBlock("speed 11")},
                                                          {"notes.txt", inBlock("speed 12")}};
    for (const auto &[name, bytes] : files)
        std::ofstream(utf8Path(folder + name), std::ios::binary) << bytes;

    const ToolRun run = runTool("check " + arg(folder + "*.CFG"));
    EXPECT_EQ(run.out, folder + "b \xC3\xA4.cfg:2: TCC003 speed 10.5 is outside 0 to 10; read as 1.000000\n");
    EXPECT_EQ(run.err, "tolvane-classfile: " + folder
                           + "tvcc.cfg skipped: it is the editor's settings file, not a "
                             "class file\n");
    const ToolRun none = runTool("check " + arg(folder + "*.none"));
    EXPECT_EQ(none.status, 2);
    EXPECT_EQ(none.err.rfind("tolvane-classfile: " + folder + "*.none: no file matches", 0), 0u) << none.err;
}
#endif

TEST(ClassFileTool, ReadsStandardInputForADash)
{
    const std::string path = writeTemp("stdin.cfg", inBlock("speed 10.5"));
    EXPECT_EQ(runTool("normalize - <" + arg(path)).out, runTool("normalize " + arg(path)).out);
    EXPECT_EQ(runTool("check - <" + arg(path)).out, "-:2: TCC003 speed 10.5 is outside 0 to 10; read as 1.000000\n");
    EXPECT_EQ(runTool("normalize --check - <" + arg(path)).out, "-\n");
    // Read as bytes: in Windows text mode CR LF would become LF, and Ctrl+Z end the input.
    const std::string crlf = writeTemp("stdin-crlf.cfg", "{\r\nclassname A\x1a"
                                                         "B\r\n}\r\n");
    EXPECT_NE(runTool("normalize - <" + arg(crlf))
                  .out.find("\r\nclassname A\x1a"
                            "B\r\n"),
              std::string::npos);
}

// The exit status: 0 clean, 1 findings in any of the files, 2 refused, with a reason.
TEST(ClassFileTool, ExitsWithTheWorstOfItsFilesOrRefuses)
{
    const std::string x = arg(TOLVANE_TEST_DATA "/default_class.cfg"); // an existing file: the option is refused
    const std::string dirty = arg(writeTemp("dirty.cfg", inBlock("spead 3\nspeed 1")));
    const std::string samples = arg(TOLVANE_EXAMPLES "/tvclass_seals.cfg") + ' '
                                + arg(TOLVANE_EXAMPLES "/tvclass_tangos.cfg");
    const std::pair<std::string, int> rows[] = {
        // clang-format off
        {"", 2}, {"frobnicate " + x, 2}, {"normalize", 2}, {"normalize " + x + ' ' + x, 2}, {"check", 2},
        {"normalize missing.cfg", 2}, {"normalize --check -i " + x, 2}, {"normalize --diff --check " + x, 2},
        {"normalize --force " + x, 2}, {"normalize --no-backup " + x, 2}, {"normalize --fix " + x, 2},
        {"check --format=xml " + x, 2}, {"check --select TCC999 " + x, 2}, {"check --ignore TCC001, " + x, 2},
        {"check " + x + " --select", 2}, {"check --list-codes " + x, 2}, {"--version " + x, 2}, {"--help", 0},
        {"-V", 0}, {"check " + x, 0}, {"check --select=tcc001,TCC003 --ignore TCC003 " + x, 0},
        {"check " + dirty + " missing.cfg", 2}, {"check missing.cfg " + dirty, 2},
        {"check --ignore TCC001 " + dirty, 0}, {"normalize -i - <" + dirty, 2}, {"check " + x + ' ' + samples, 0},
        {"check " + dirty + ' ' + x + ' ' + samples, 1},
        // clang-format on
    };
    for (const auto &[arguments, status] : rows) {
        const ToolRun run = runTool(arguments);
        EXPECT_EQ(run.status, status) << arguments;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n') > 0, status == 2) << arguments;
    }
    const ToolRun help = runTool("--help");
    for (const char *option : {"Usage: tolvane-classfile", "--select", "--ignore", "--diff", "--force", "--no-backup",
                               "diff [--format=text|json|markdown|bbcode] FIRST SECOND [FIRST SECOND]"})
        EXPECT_NE(help.out.find(option), std::string::npos) << option;
    EXPECT_EQ(runTool("--version").out, "tolvane-classfile " TOLVANE_VERSION "\n");
}

TEST(ClassFileTool, CheckSelectsAndIgnoresCodes)
{
    const std::string path = writeTemp("codes.cfg", inBlock("spead 3\nspeed 11\nhealth lots"));
    const std::pair<std::string, std::string> rows[] = {
        // options, codes reported
        // clang-format off
        {"", "TCC001 TCC003 TCC004 "}, {"--select TCC003 ", "TCC003 "}, {"--select=tcc001,TCC004 ", "TCC001 TCC004 "},
        {"--select TCC001 --select TCC003 ", "TCC001 TCC003 "}, {"--ignore TCC001,TCC004 ", "TCC003 "},
        {"--select TCC001,TCC003 --ignore TCC001 ", "TCC003 "}, {"--select TCC020 ", ""},
        // clang-format on
    };
    for (const auto &[options, codes] : rows) {
        const ToolRun run = runTool("check " + options + arg(path));
        std::string seen;
        for (std::size_t at = 0; (at = run.out.find(": TCC", at)) != std::string::npos; at += 5)
            seen += run.out.substr(at + 2, 6) + ' ';
        EXPECT_EQ(seen, codes) << options;
        EXPECT_EQ(run.status, codes.empty() ? 0 : 1) << options;
    }
}

#ifndef _WIN32
// A report or a file that did not arrive in full is a failure, never a clean run.
TEST(ClassFileTool, FailsLoudlyWhenItCannotWriteOrTheInputIsEndless)
{
    const std::string dirty = writeTemp("dirty.cfg", inBlock("spead 3\nspeed 1"));
    const std::string big = writeTemp("big.cfg", "");
    std::filesystem::resize_file(big, 65 * 1024 * 1024);
    const std::string justTooBig = writeTemp("justtoobig.cfg", "");
    std::filesystem::resize_file(justTooBig, 64 * 1024 * 1024 + 1);
    const std::string fifo = tempPath("fifo.cfg");
    std::filesystem::remove(fifo);
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const std::string rows[] = {
        "check " + arg(dirty) + " >/dev/full",
        "normalize " + arg(dirty) + " >/dev/full",
        "--help >/dev/full",
        "normalize /dev/zero",
        "check " + arg(big),
        "check - <" + arg(justTooBig),
        "check " + arg(fifo),
        "normalize -i " + arg(fifo),
    };
    for (const std::string &arguments : rows) {
        const std::string err = tempPath("err");
        const int status = std::system((arg(TOLVANE_CLASSFILE_TOOL) + ' ' + arguments + " 2>" + arg(err)).c_str());
        EXPECT_EQ(WIFEXITED(status) ? WEXITSTATUS(status) : -1, 2) << arguments;
        EXPECT_NE(fileBytes(err), "") << arguments;
    }
    std::filesystem::resize_file(justTooBig, 64 * 1024 * 1024);
    EXPECT_EQ(runTool("check - <" + arg(justTooBig)).status, 1);
    std::filesystem::remove(big);
    std::filesystem::remove(justTooBig);
    // apply lists its changes before it makes them: a list that cannot be
    // written leaves the file as it was, and says so.
    const std::string file = writeTemp("tvclass_seals.cfg", inBlock("classname A\nhealth 5"));
    const std::string sheet = writeTemp("sheet.csv", "classname,health\nA,6\n");
    const std::string err = tempPath("err");
    const int status = std::system(
        (arg(TOLVANE_CLASSFILE_TOOL) + " apply " + arg(sheet) + ' ' + arg(file) + " >/dev/full 2>" + arg(err)).c_str());
    EXPECT_EQ(WIFEXITED(status) ? WEXITSTATUS(status) : -1, 2);
    EXPECT_EQ(fileBytes(err), "tolvane-classfile: " + file
                                  + " is unchanged: the list of its changes could not be written\n"
                                    "tolvane-classfile: could not write the standard output\n");
    EXPECT_EQ(fileBytes(file), inBlock("classname A\nhealth 5"));
}

// A report is written as found: a file of a finding on every line needs no
// more memory than its size and a constant, far below what keeping the
// report would take.
TEST(ClassFileTool, ChecksDenseFindingsInBoundedMemory)
{
#if defined(__has_feature)
#if __has_feature(address_sanitizer)
    GTEST_SKIP() << "the address checks reserve more address space than the limit leaves";
#endif
#endif
    std::string dense;
    for (int i = 0; i < 1024 * 1024; ++i)
        dense += "{\n";
    const std::string path = writeTemp("dense.cfg", dense);
    for (const char *format : {"text", "json"}) {
        // As standard input: a file of that name would be skipped as no class file.
        const std::string command = "ulimit -v 100000; " + arg(TOLVANE_CLASSFILE_TOOL) + " check --format=" + format
                                    + " - <" + arg(path) + " >/dev/null 2>&1";
        const int status = std::system(command.c_str());
        EXPECT_EQ(WIFEXITED(status) ? WEXITSTATUS(status) : -1, 1) << format;
    }
    std::filesystem::remove(path);
}
TEST(ClassFileTool, ShowsControlBytesInFileNamesAsEscapes)
{
    const std::string path = writeTemp("esc\x1b]0;x\a.cfg", inBlock("spead 3\nspeed 1"));
    std::string shown = path;
    shown.replace(shown.find("\x1b"), 1, "\\x1b").replace(shown.find('\a'), 1, "\\x07");
    const ToolRun run = runTool("check " + arg(path));
    EXPECT_EQ(run.out, shown + ":2: TCC001 unknown key \"spead\"; line ignored\n");
    EXPECT_EQ(runTool("check --format=json " + arg(path)).out.find("\"file\": \"" + jsonName(shown)), 4u);

    // A name holding the four characters \xff and one holding the byte 0xFF.
    const std::string four = writeTemp("four\\xff.cfg", inBlock("spead 3\nspeed 1"));
    const std::string byte = writeTemp("four\xff.cfg", inBlock("spead 3\nspeed 1"));
    const std::string dir = testing::TempDir();
    const std::string names = arg(four) + ' ' + arg(byte);
    const std::string text = runTool("check " + names).out, json = runTool("check --format=json " + names).out;
    EXPECT_EQ(text.find(dir + "ShowsControlBytesInFileNamesAsEscapes.four\\\\xff.cfg:2:"), 0u) << text;
    EXPECT_NE(text.find("\n" + dir + "ShowsControlBytesInFileNamesAsEscapes.four\\xff.cfg:2:"), std::string::npos);
    EXPECT_NE(json.find("four\\\\\\\\xff.cfg\""), std::string::npos) << json;
    EXPECT_NE(json.find("four\\\\xff.cfg\""), std::string::npos) << json;
}

#endif

} // namespace
