// check in a game folder: files that are no class files skipped, the slips of
// the classes, and the rules of the folder's rules file.

#include "toolrun.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace {

std::string inFolder(const std::filesystem::path &folder, const std::string &name)
{
    const std::u8string text = (folder / utf8Path(name)).u8string();
    return std::string(text.begin(), text.end());
}

void write(const std::filesystem::path &folder, const std::string &name, const std::string &bytes)
{
    std::ofstream(folder / utf8Path(name), std::ios::binary) << bytes;
}

// A game folder with the samples, the settings file and a class's own config file.
std::filesystem::path gameFolder(const std::string &name)
{
    const std::filesystem::path folder = scratchFolder(name);
    for (const char *file : {"tvclass_seals.cfg", "tvclass_tangos.cfg"})
        std::filesystem::copy_file(utf8Path(TOLVANE_EXAMPLES) / file, folder / file);
    write(folder, "tvcc.cfg", "[TolvaneClassCreator]\n\nSeals 1\n\n### END ###\n");
    write(folder, "pointman.cfg", "bind w +forward\nexec autoexec.cfg\n");
    return folder;
}

// Every .cfg file of folder, as the README's folder check names them.
std::string allCfg(const std::filesystem::path &folder)
{
#ifdef _WIN32
    return arg(inFolder(folder, "*.cfg")); // the tool expands it
#else
    return arg(inFolder(folder, "")) + "*.cfg"; // the shell does
#endif
}

TEST(ClassFileTool, CheckSkipsFilesThatAreNoClassFiles)
{
    const std::filesystem::path folder = gameFolder("skips");
    write(folder, "volume.cfg", "{\n \"volume\": 0.8\n}\n");
    const std::string skipped = "tolvane-classfile: " + inFolder(folder, "pointman.cfg")
                                + " skipped: it holds no class block, so it is not a class file\n"
                                + "tolvane-classfile: " + inFolder(folder, "tvcc.cfg")
                                + " skipped: it is the editor's settings file, not a class file\n"
                                + "tolvane-classfile: " + inFolder(folder, "volume.cfg")
                                + " skipped: it holds no key of a class file in its blocks (or binary data before "
                                  "one), so it is not a class file\n";
    const ToolRun clean = runTool("check " + allCfg(folder));
    EXPECT_EQ(clean.status, 0);
    EXPECT_EQ(clean.out, "");
    EXPECT_EQ(clean.err, skipped);
    const ToolRun json = runTool("check --format=json " + allCfg(folder));
    EXPECT_EQ(json.status, 0);
    EXPECT_EQ(json.out, "[]\n");

    // A class file is checked whatever its name; one named as a class file
    // is one, and holding no class is its error.
    write(folder, "old seals.cfg", inBlock("speed 10.5"));
    write(folder, "tvclass_tangos.cfg", "// nothing yet\n");
    const ToolRun found = runTool("check " + allCfg(folder));
    EXPECT_EQ(found.status, 1);
    EXPECT_EQ(found.out, inFolder(folder, "old seals.cfg")
                             + ":2: TCC003 speed 10.5 is outside 0 to 10; read as 1.000000\n"
                             + inFolder(folder, "tvclass_tangos.cfg")
                             + ":1: TCC020 no class block, so this is not a class file; the game would read the "
                               "default class \"?\"\n");
    EXPECT_EQ(found.err, skipped);
}

// The rules file of the samples' folder, and the samples with a few slips.
constexpr const char *rules = "# This mod's own rules\n"
                              "[all]\n"
                              "speed = [0.8, 1.15]\n"
                              "relations = [\"health <= max_health\"]\n"
                              "\n"
                              "[tangos]\n"
                              "\"Max Health\" = [100, 120]\n"
                              "\n"
                              "[balance]\n"
                              "mean_within_percent = { \"Kevlar Vest\" = 5 }\n"
                              "same_class_count = true\n"
                              "each_team_has = [\"ability Can Heal Others\"]\n";

std::filesystem::path ruledFolder(const std::string &name)
{
    const std::filesystem::path folder = gameFolder(name);
    std::string seals = fileBytes(inFolder(folder, "tvclass_seals.cfg"));
    seals.replace(seals.find("health 100\n"), 10, "health 105");
    seals.replace(seals.find("classname Marksman"), 18, "classname POINTMAN");
    write(folder, "tvclass_seals.cfg", seals);
    write(folder, "tvcc-rules.toml", rules);
    return folder;
}

TEST(ClassFileTool, CheckReportsTheSlipsAndTheBrokenRulesOfTheFolder)
{
    const std::filesystem::path folder = ruledFolder("rules");
    const std::string seals = inFolder(folder, "tvclass_seals.cfg");
    const std::string tangos = inFolder(folder, "tvclass_tangos.cfg");
    const std::string rulesFile = inFolder(folder, "tvcc-rules.toml");
    const std::string sealsLines = seals + ":16: TCC030 speed 1.2 is outside 0.8 to 1.15 (" + rulesFile + ":3)\n"
                                   + seals + ":20: TCC024 health 105 is above max_health 100\n" + seals
                                   + ":20: TCC031 health 105 is not <= max_health 100 (" + rulesFile + ":4)\n" + seals
                                   + ":49: TCC025 classname \"POINTMAN\" is the name of the class at line 13 too\n";
    const std::string tangosLines = tangos + ":227: TCC030 Max Health 130 is outside 100 to 120, the Tangos' range ("
                                    + rulesFile + ":7)\n";
    const std::string teamLines = rulesFile
                                  + ":10: TCC032 mean Kevlar Vest of the Seals 52.857 is 5.7% above the Tangos' 50; at "
                                    "most 5% is allowed\n"
                                  + rulesFile
                                  + ":11: TCC033 the Seals have 7 classes, the Tangos 8; the rules ask for "
                                    "the same number\n";
    const ToolRun all = runTool("check " + allCfg(folder));
    EXPECT_EQ(all.status, 1);
    EXPECT_EQ(all.out, sealsLines + tangosLines + teamLines);

    // One team's file: the other is read from the folder for the teams' rules.
    EXPECT_EQ(runTool("check " + arg(seals)).out, sealsLines + teamLines);
    // Codes left out on the command line, or by the rules file.
    EXPECT_EQ(runTool("check --ignore TCC024,TCC030,TCC025 --select TCC024,TCC025,TCC030,TCC033 " + arg(seals)).out,
              rulesFile + ":11: TCC033 the Seals have 7 classes, the Tangos 8; the rules ask for the same number\n");
    write(folder, "tvcc-rules.toml", std::string(rules) + "[check]\nignore = [\"TCC031\", \"TCC032\", \"TCC033\"]\n");
    EXPECT_EQ(runTool("check " + arg(tangos)).out, tangosLines);

    // Rules from elsewhere; without the other team's file, no teams' rules.
    const std::string other = writeTemp("other rules.toml", "[seals]\nhealth = [100, 110]\n[balance]\nsame_class_count "
                                                            "= true\n");
    std::filesystem::remove(folder / "tvclass_tangos.cfg");
    const ToolRun elsewhere = runTool("check --rules " + arg(other) + ' ' + arg(seals));
    EXPECT_EQ(elsewhere.status, 1);
    EXPECT_EQ(elsewhere.out, seals + ":20: TCC024 health 105 is above max_health 100\n" + seals
                                 + ":49: TCC025 classname \"POINTMAN\" is the name of the class at line 13 too\n"
                                 + seals + ":91: TCC030 health 120 is outside 100 to 110, the Seals' range (" + other
                                 + ":2)\n");
    EXPECT_EQ(elsewhere.err, "tolvane-classfile: " + other + ": the rules of [balance] are not checked: the Tangos' "
                                 + "class file " + tangos + " does not exist.\n");
}

TEST(ClassFileTool, CheckWritesBrokenRulesAsJson)
{
    const std::filesystem::path folder = ruledFolder("json");
    write(folder, "tvcc-rules.toml", "[tangos]\n\"Max Health\" = [100, 120]\n[balance]\nsame_class_count = true\n");
    // As JSON strings: a Windows path's backslashes are escaped.
    const auto json = [](std::string text) {
        for (std::size_t at = text.find('\\'); at != std::string::npos; at = text.find('\\', at + 2))
            text.insert(at, 1, '\\');
        return text;
    };
    const std::string tangos = inFolder(folder, "tvclass_tangos.cfg");
    const std::string rulesFile = json(inFolder(folder, "tvcc-rules.toml"));
    const ToolRun run = runTool("check --format=json " + arg(tangos));
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "[\n {\"file\": \"" + json(tangos)
                           + "\", \"line\": 227, \"code\": \"TCC030\", \"severity\": \"warning\", \"message\": \"Max "
                             "Health 130 is outside 100 to 120, the Tangos' range ("
                           + rulesFile + ":2)\", \"class\": \"Bodyguard\", \"slot\": 6},\n {\"file\": \"" + rulesFile
                           + "\", \"line\": 4, \"code\": \"TCC033\", \"severity\": \"warning\", \"message\": \"the "
                             "Seals have 7 classes, the Tangos 8; the rules ask for the same number\"}\n]\n");
}

TEST(ClassFileTool, CheckTellsWhereARulesFileCannotBeReadAndChangesNothing)
{
    const std::filesystem::path folder = ruledFolder("broken rules");
    const std::string seals = inFolder(folder, "tvclass_seals.cfg");
    const std::string rulesFile = inFolder(folder, "tvcc-rules.toml");
    const std::string before = fileBytes(seals);
    const std::pair<std::string, std::string> rows[] = {
        {"[all]\nsped = [1, 2]\nhealth = [1, 0]\n",
         rulesFile + ":2:1: no column named \"sped\"\n" + rulesFile
             + ":3:10: health: the range [1, 0] is reversed; write the lowest first\n"},
        {std::string("\x89PNG\r\n\x1a\n\0\0", 10), rulesFile + ":1:1: Encountered invalid utf-8 sequence\n"},
    };
    for (const auto &[text, errors] : rows) {
        write(folder, "tvcc-rules.toml", text);
        const ToolRun run = runTool("check " + arg(seals));
        EXPECT_EQ(run.status, 2);
        // The class files are checked all the same, without rules.
        EXPECT_EQ(run.out, seals + ":20: TCC024 health 105 is above max_health 100\n" + seals
                               + ":49: TCC025 classname \"POINTMAN\" is the name of the class at line 13 too\n");
        std::string told;
        for (std::size_t at = 0, end; (end = errors.find('\n', at)) != std::string::npos; at = end + 1)
            told += "tolvane-classfile: " + errors.substr(at, end + 1 - at);
        EXPECT_EQ(run.err, told + "tolvane-classfile: " + rulesFile
                               + " cannot be read, so none of its rules is "
                                 "checked\n");
    }
    EXPECT_EQ(fileBytes(seals), before);
    const ToolRun missing = runTool("check --rules " + arg(inFolder(folder, "none.toml")) + ' ' + arg(seals));
    EXPECT_EQ(missing.status, 2);
    EXPECT_EQ(missing.err.find("tolvane-classfile: " + inFolder(folder, "none.toml") + ": no such file"), 0u)
        << missing.err;
}

} // namespace
