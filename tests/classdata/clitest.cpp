#include "testclasses.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/wait.h>
#endif

namespace {

struct ToolRun
{
    int status;
    std::string out;
    std::string err;
};

// path quoted for the shell.
std::string arg(const std::string &path)
{
    return '"' + path + '"';
}

// A file of its own for the running test, as ctest may run tests side by side.
std::string tempPath(const std::string &name)
{
    return testing::TempDir() + testing::UnitTest::GetInstance()->current_test_info()->name() + '.' + name;
}

ToolRun runTool(const std::string &arguments)
{
    const std::string out = tempPath("out"), err = tempPath("err");
    const std::string command = arg(TOLVANE_CLASSFILE_TOOL) + ' ' + arguments + " >" + arg(out) + " 2>" + arg(err);
#ifdef _WIN32
    // cmd /c drops the first and the last quote; the command line is UTF-8.
    // -1: no command interpreter could be started, which Wine under load
    // now and then reports; that says nothing of the tool, so try again.
    int status = -1;
    for (int attempt = 0; attempt < 3 && status == -1; ++attempt)
        status = _wsystem(utf8Path(arg(command)).c_str());
#else
    int status = std::system(command.c_str());
    status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
#endif
    return {status, fileBytes(out), fileBytes(err)};
}

std::string writeTemp(const std::string &name, const std::string &bytes)
{
    const std::string path = tempPath(name);
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}

TEST(ClassFileTool, CheckReportsEachFindingOnItsLineWithItsCode)
{
    using namespace std::string_literals;
    const std::string cut = std::string(29, 'n') + "\xE9\xE9";
    const std::string cutShown = std::string(29, 'n') + "\u00e9\u00e9";
    const std::pair<std::string, std::string> rows[] = { // file, report after the file name
        {inBlock("speed 10.5"), ":2: TCC003 speed 10.5 is outside 0 to 10; read as 1.000000"},
        {inBlock("health 99999999999"), ":2: TCC003 health 99999999999 is outside 0 to 999; read as 100"},
        {inBlock("health lots"), ":2: TCC004 health value \"lots\" is not a number; read as 0"},
        {inBlock("inventory weapon_knife 2 spare"),
         ":2: TCC005 inventory weapon_knife value \"2 spare\": the text after the number 2 is ignored"},
        {inBlock("classabilities 3.9"), ":2: TCC006 classabilities 3.9 is not a whole 32-bit number; read as 3"},
        {inBlock("inventory weapon_mk23 2147483648"),
         ":2: TCC007 inventory weapon_mk23 2147483648 is beyond the 32-bit range; read as 2147483647"},
        {inBlock("inventory weapon_mk23 -99999999999"),
         ":2: TCC007 inventory weapon_mk23 -99999999999 is beyond the 32-bit range; read as -2147483648"},
        {inBlock("spead 3"), ":2: TCC001 unknown key \"spead\"; line ignored"},
        {inBlock(" speed 3"), ":2: TCC001 line begins with a space, so its key is empty; line ignored"},
        {inBlock("speed\t3"), ":2: TCC002 line \"speed\\x09" "3\" has no space, so it sets no key; line ignored"},
        {inBlock("resistance water"), ":2: TCC008 resistance \"water\" is not none, fire or explosive; read as none"},
        {inBlock("inventory weapon_laser 3"),
         ":2: TCC009 inventory item \"weapon_laser\" is not in the item catalogue; line ignored"},
        {inBlock("inventory weapon_knife"), ":2: TCC010 inventory item \"weapon_knife\" has no amount; line ignored"},
        {inBlock("speed 3\nSPEED 4"), ":3: TCC011 speed is set again; the value from line 2 is replaced"},
        {inBlock("inventory ammo_cells 1\ninventory AMMO_CELLS 2"),
         ":3: TCC011 inventory AMMO_CELLS is set again; the value from line 2 is replaced"},
        {inBlock("classname " + cut + "xyz"),
         ":2: TCC012 classname \"" + cutShown + "xyz\" is longer than 31 characters; cut to \"" + cutShown + "\""},
        {inBlock("keys " + std::string(1100, 'k')),
         ":2: TCC012 keys value of 1100 characters is longer than 1023; cut to its first 1023"},
        {inBlock("classname A\r\r"),
         ":2: TCC013 classname value \"A\\x0d\" holds a carriage return, which stays in the value"},
        {inBlock("classname A\0B"s), ":2: TCC014 line holds a NUL byte; only \"classname A\" before it is read"},
        {"{ classname A\n}\n", ":1: TCC015 text \" classname A\" after the \"{\" that opens the block is ignored"},
        {"{\nclassname A\n{\nspeed 2\n}\n",
         ":3: TCC016 \"{\" inside the class block opened at line 1, which is not closed; the two classes are read as "
         "one"},
        {"\n{\nclassname A\n", ":2: TCC017 class block opened here is never closed; it runs to the end of the file"},
        {"{\n}\n{\n}\n", ":3: TCC018 \"{\" right after a \"}\" line is skipped, so this block is not read"},
        {blocks(65), ":257: TCC019 class block after the 64th; it and the rest of the file are not read"},
        {"// nothing\n", ":1: TCC020 no class block; read as the default class \"?\""},
        {inBlock("spe\x1b]0;owned\aed 3"), ":2: TCC001 unknown key \"spe\\x1b]0;owned\\x07" "ed\"; line ignored"},
        {inBlock("resistance \x81\x9B\x80"), ":2: TCC008 resistance \"\\x81\u203a\u20ac\" is not none, fire or "
                                              "explosive; read as none"},
    };
    for (const auto &[file, report] : rows) {
        const std::string path = writeTemp("check.cfg", file);
        const ToolRun run = runTool("check " + arg(path));
        EXPECT_EQ(run.out, path + report + '\n');
        EXPECT_EQ(run.status, 1) << report;
    }
}

TEST(ClassFileTool, CheckWritesJsonForEditorsAndCi)
{
    const std::string path = writeTemp("json.cfg", inBlock("speed 10.5\nclassname \"A\"\\"));
    const ToolRun run = runTool("check --format=json " + arg(path) + " " + arg(TOLVANE_TEST_DATA "/default_class.cfg"));
    EXPECT_EQ(run.status, 1);
    std::string jsonPath = path; // a Windows path's backslashes escaped
    for (std::size_t at = 0; (at = jsonPath.find('\\', at)) != std::string::npos; at += 2)
        jsonPath.insert(at, 1, '\\');
    EXPECT_EQ(run.out, "[\n {\"file\": \"" + jsonPath
                           + "\", \"line\": 2, \"code\": \"TCC003\", \"severity\": \"warning\", \"message\": \"speed "
                             "10.5 is outside 0 to 10; read as 1.000000\"}\n]\n");
    const ToolRun clean = runTool("check --format=json " + arg(TOLVANE_TEST_DATA "/default_class.cfg"));
    EXPECT_EQ(clean.out, "[]\n");
    EXPECT_EQ(clean.status, 0);
}

// Every code that check can print is explained in --list-codes and in the README.
TEST(ClassFileTool, ListsEveryCodeInTheToolAndTheReadme)
{
    const ToolRun run = runTool("check --list-codes");
    EXPECT_EQ(run.status, 0);
    const std::string readme = fileBytes(TOLVANE_EXAMPLES "/../README.md");
    for (int code = 1; code <= 20; ++code) {
        const std::string name = "TCC0" + std::string(code < 10 ? "0" : "") + std::to_string(code);
        EXPECT_NE(run.out.find(name + "  "), std::string::npos) << name;
        EXPECT_NE(readme.find("| " + name + " |"), std::string::npos) << name;
    }
}

TEST(ClassFileTool, CheckStatusIsTheWorstOfItsFiles)
{
    const std::string clean = TOLVANE_TEST_DATA "/default_class.cfg";
    const std::string dirty = writeTemp("dirty.cfg", inBlock("spead 3"));
    const ToolRun samples = runTool("check " + arg(clean) + ' ' + arg(TOLVANE_EXAMPLES "/tvclass_seals.cfg") + ' '
                                    + arg(TOLVANE_EXAMPLES "/tvclass_tangos.cfg"));
    EXPECT_EQ(samples.status, 0);
    EXPECT_EQ(samples.out, "");
    const ToolRun run = runTool("check " + arg(clean) + ' ' + arg(dirty));
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, dirty + ":2: TCC001 unknown key \"spead\"; line ignored\n");
    EXPECT_EQ(runTool("check " + arg(dirty) + " missing.cfg").status, 2);
}

TEST(ClassFileTool, NormalizeWritesWhatTheEditorWouldWithTheFilesLineEnds)
{
    for (const char *name : {"tvclass_seals.cfg", "tvclass_tangos.cfg"}) {
        const std::string path = TOLVANE_EXAMPLES "/" + std::string(name);
        EXPECT_EQ(runTool("normalize " + arg(path)).out, fileBytes(path)) << name;
    }
}

// On Windows the names come from the wide command line.
TEST(ClassFileTool, OpensFilesUnderNonAsciiNames)
{
    const std::string folder = testing::TempDir() + "Spiel Ordner \xC3\x84"; // UTF-8 for "Ä", then "ß"
    const std::string path = folder + "/klassen_\xC3\x9F.cfg";
    const std::string sample = fileBytes(TOLVANE_EXAMPLES "/tvclass_tangos.cfg");
    std::filesystem::create_directories(utf8Path(folder));
    std::ofstream(utf8Path(path), std::ios::binary) << sample;
    EXPECT_EQ(runTool("normalize " + arg(path)).out, sample);
    const ToolRun check = runTool("check " + arg(path) + ' ' + arg(folder + "/missing.cfg"));
    EXPECT_EQ(check.status, 2);
    EXPECT_EQ(check.out, "");
    EXPECT_EQ(check.err.find("tolvane-classfile: " + folder + "/missing.cfg: "), 0u) << check.err;
}

TEST(ClassFileTool, NormalizeChecksAndRewritesOnlyFilesThatChange)
{
    const std::string sample = fileBytes(TOLVANE_EXAMPLES "/tvclass_seals.cfg");
    const std::string clean = writeTemp("clean.cfg", sample);
    const std::string crlf = writeTemp("crlf.cfg", "// old\r\n{\r\nspeed 2\r\n}\r\n");
    std::filesystem::permissions(crlf, std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
    const auto mode = std::filesystem::status(crlf).permissions(); // on Windows only read-only or not
    const auto cleanTime = std::filesystem::last_write_time(clean);

    const ToolRun check = runTool("normalize --check " + arg(clean) + ' ' + arg(crlf));
    EXPECT_EQ(check.status, 1);
    EXPECT_EQ(check.out, crlf + '\n');
    EXPECT_EQ(fileBytes(crlf), "// old\r\n{\r\nspeed 2\r\n}\r\n");

    const ToolRun inPlace = runTool("normalize -i " + arg(clean) + ' ' + arg(crlf));
    EXPECT_EQ(inPlace.status, 0) << inPlace.err;
    EXPECT_EQ(fileBytes(clean), sample);
    EXPECT_EQ(std::filesystem::last_write_time(clean), cleanTime);
    EXPECT_NE(fileBytes(crlf).find("\r\nspeed 2.000000\r\njump 1.000000\r\n"), std::string::npos);
    EXPECT_EQ(std::filesystem::status(crlf).permissions(), mode);
    EXPECT_EQ(runTool("normalize --check " + arg(clean) + ' ' + arg(crlf)).status, 0);
}

#ifdef _WIN32
// Windows will not replace a file that another program holds open unless it
// shares deleting: then the old file stays and the message says so.
TEST(ClassFileTool, RewritesInPlaceOrSaysWhyWhileAnotherProgramHoldsTheFile)
{
    const std::string old = inBlock("speed 2");
    const std::string folder = tempPath("held");
    const std::string path = folder + "/tvclass_seals.cfg";
    for (DWORD sharing : {FILE_SHARE_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                          FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE}) {
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
        std::ofstream(path, std::ios::binary) << old;
        const HANDLE held =
            CreateFileW(utf8Path(path).c_str(), GENERIC_READ, sharing, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(held, INVALID_HANDLE_VALUE);
        const ToolRun run = runTool("normalize -i " + arg(path));
        CloseHandle(held);
        if (run.status == 0) {
            EXPECT_NE(fileBytes(path).find("\nspeed 2.000000\n"), std::string::npos) << sharing;
        } else {
            EXPECT_EQ(run.status, 2) << sharing;
            EXPECT_EQ(fileBytes(path), old) << sharing;
            EXPECT_EQ(run.err.find("tolvane-classfile: " + path + ": could not be rewritten: "), 0u) << run.err;
        }
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), 1) << "a stray file; " << sharing;
    }
}
#endif

TEST(ClassFileTool, ReadsStandardInputForADash)
{
    const std::string path = writeTemp("stdin.cfg", inBlock("speed 10.5"));
    EXPECT_EQ(runTool("normalize - <" + arg(path)).out, runTool("normalize " + arg(path)).out);
    EXPECT_EQ(runTool("check - <" + arg(path)).out, "-:2: TCC003 speed 10.5 is outside 0 to 10; read as 1.000000\n");
    EXPECT_EQ(runTool("normalize --check - <" + arg(path)).out, "-\n");
    EXPECT_EQ(runTool("normalize -i - <" + arg(path)).status, 2);
    // Read as bytes: in Windows text mode CR LF would become LF, and Ctrl+Z end the input.
    const std::string crlf = writeTemp("stdin-crlf.cfg", "{\r\nclassname A\x1a" "B\r\n}\r\n");
    EXPECT_NE(runTool("normalize - <" + arg(crlf)).out.find("\r\nclassname A\x1a" "B\r\n"), std::string::npos);
}

TEST(ClassFileTool, RefusesWhatItCannotDo)
{
    const std::pair<std::string, int> rows[] = {
        {"", 2}, {"frobnicate x", 2}, {"normalize", 2}, {"normalize a b", 2}, {"check", 2},
        {"normalize missing.cfg", 2}, {"normalize --check -i x", 2}, {"check --format=xml x", 2},
        {"check --list-codes x", 2}, {"--version x", 2}, {"--help", 0}, {"-V", 0},
    };
    for (const auto &[arguments, status] : rows) {
        const ToolRun run = runTool(arguments);
        EXPECT_EQ(run.status, status) << arguments;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n') > 0, status != 0) << arguments;
    }
    EXPECT_NE(runTool("--help").out.find("Usage: tolvane-classfile"), std::string::npos);
    EXPECT_EQ(runTool("--version").out, "tolvane-classfile " TOLVANE_VERSION "\n");
}

#ifndef _WIN32
// A report or a file that did not arrive in full is a failure, never a clean run.
TEST(ClassFileTool, FailsLoudlyWhenItCannotWriteOrTheInputIsEndless)
{
    const std::string dirty = writeTemp("dirty.cfg", inBlock("spead 3"));
    const std::string big = writeTemp("big.cfg", "");
    std::filesystem::resize_file(big, 65 * 1024 * 1024);
    const std::string rows[] = {
        "check " + arg(dirty) + " >/dev/full", "normalize " + arg(dirty) + " >/dev/full",
        "--help >/dev/full", "normalize /dev/zero", "check " + arg(big),
    };
    for (const std::string &arguments : rows) {
        const std::string err = tempPath("err");
        const int status = std::system((arg(TOLVANE_CLASSFILE_TOOL) + ' ' + arguments + " 2>" + arg(err)).c_str());
        EXPECT_EQ(WIFEXITED(status) ? WEXITSTATUS(status) : -1, 2) << arguments;
        EXPECT_NE(fileBytes(err), "") << arguments;
    }
    std::filesystem::remove(big);
}
#endif

} // namespace
