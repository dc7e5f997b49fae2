#include "testclasses.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#ifndef _WIN32
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
    const int status = _wsystem(utf8Path(arg(command)).c_str());
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

TEST(ClassFileTool, CheckReportsEachFindingOnItsLine)
{
    const std::string cut = std::string(29, 'n') + "\xE9\xE9";
    const std::pair<std::string, std::string> rows[] = { // file, report after the file name
        {inBlock("speed 10.5"), ":2: speed 10.5 is outside 0 to 10; read as 1.000000"},
        {inBlock("health lots"), ":2: health value \"lots\" is not a number; read as 0"},
        {inBlock("inventory weapon_knife 2 spare"),
         ":2: inventory weapon_knife value \"2 spare\": the text after the number 2 is ignored"},
        {inBlock("classabilities 3.9"), ":2: classabilities 3.9 is not a whole 32-bit number; read as 3"},
        {inBlock("spead 3"), ":2: unknown key \"spead\"; line ignored"},
        {inBlock(" speed 3"), ":2: line begins with a space, so its key is empty; line ignored"},
        {inBlock("speed\t3"), ":2: line \"speed\t3\" has no space, so it sets no key; line ignored"},
        {inBlock("resistance water"), ":2: resistance \"water\" is not none, fire or explosive; read as none"},
        {inBlock("inventory weapon_laser 3"),
         ":2: inventory item \"weapon_laser\" is not in the item catalogue; line ignored"},
        {inBlock("inventory weapon_knife"), ":2: inventory item \"weapon_knife\" has no amount; line ignored"},
        {inBlock("speed 3\nSPEED 4"), ":3: speed is set again; the value from line 2 is replaced"},
        {inBlock("inventory ammo_cells 1\ninventory AMMO_CELLS 2"),
         ":3: inventory AMMO_CELLS is set again; the value from line 2 is replaced"},
        {inBlock("classname " + cut + "xyz"),
         ":2: classname \"" + cut + "xyz\" is longer than 31 characters; cut to \"" + cut + "\""},
        {inBlock("keys " + std::string(1100, 'k')),
         ":2: keys value of 1100 characters is longer than 1023; cut to its first 1023"},
        {blocks(65), ":257: class block after the 64th; it and the rest of the file are not read"},
        {"{\n}\n{\n}\n", ":3: \"{\" right after a \"}\" line is skipped, so this block is not read"},
        {"\n{\nclassname A\n", ":2: class block opened here is never closed; it runs to the end of the file"},
        {"// nothing\n", ":1: no class block; read as the default class \"?\""},
    };
    for (const auto &[file, report] : rows) {
        const std::string path = writeTemp("check.cfg", file);
        const ToolRun run = runTool("check " + arg(path));
        EXPECT_EQ(run.out, path + report + '\n');
        EXPECT_EQ(run.status, 1) << report;
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
    EXPECT_EQ(run.out, dirty + ":2: unknown key \"spead\"; line ignored\n");
    EXPECT_EQ(runTool("check " + arg(dirty) + " missing.cfg").status, 2);
}

TEST(ClassFileTool, NormalizeWritesWhatTheEditorWouldWithTheFilesLineEnds)
{
    for (const char *name : {"tvclass_seals.cfg", "tvclass_tangos.cfg"}) {
        const std::string path = TOLVANE_EXAMPLES "/" + std::string(name);
        EXPECT_EQ(runTool("normalize " + arg(path)).out, fileBytes(path)) << name;
    }
    const ToolRun crlf = runTool("normalize " + arg(writeTemp("crlf.cfg", "{\r\nspeed 2\r\n")));
    EXPECT_EQ(crlf.status, 0);
    EXPECT_NE(crlf.out.find("\r\nspeed 2.000000\r\njump 1.000000\r\n"), std::string::npos);
    EXPECT_EQ(crlf.out.find("0\n"), std::string::npos);
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

TEST(ClassFileTool, RefusesWhatItCannotDo)
{
    const std::pair<std::string, int> rows[] = {
        {"", 2}, {"frobnicate x", 2}, {"normalize", 2}, {"normalize a b", 2}, {"check", 2},
        {"normalize missing.cfg", 2}, {"--help", 0},
    };
    for (const auto &[arguments, status] : rows) {
        const ToolRun run = runTool(arguments);
        EXPECT_EQ(run.status, status) << arguments;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n') > 0, status != 0) << arguments;
    }
    EXPECT_NE(runTool("--help").out.find("Usage: tolvane-classfile"), std::string::npos);
}

} // namespace
