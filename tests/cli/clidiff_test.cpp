#include "toolrun.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using namespace tolvane;

namespace {

// A default class's values, as the patch notes list a new class.
const std::string defaultValues =
    "Resistance Normal Armor, Helmet 30, Kevlar Vest 50, Trousers 20, Health 100, Max Health 100, Class Speed 1, "
    "Jump Height 1, Underwaterair 11, Max Shells 20, Max .357 Bullets 12, Max Rockets 4, Max Cells 200, "
    "Max Pistol Mag 4, Max 9mm Mag 4, Max AR Mag 4, Max .308 cal Mag 4, Max 7.62mm BB 4, Max Grenades 20";

// Classes matched by name: a moved class is no change; status 0 same, 1 different, 2 unreadable.
TEST(ClassFileTool, DiffListsAddedRemovedAndChangedClasses)
{
    const std::string sniper = inBlock("classname Sniper\nhealth 100") + '\n';
    const std::string heavy = inBlock("classname Heavy") + '\n';
    const std::string a = writeTemp("a.cfg", sniper + inBlock("classname Scout") + '\n' + heavy);
    const std::string moved = writeTemp("moved.cfg", heavy + inBlock("classname Scout") + '\n' + sniper);
    const std::string b = writeTemp("b.cfg", heavy + inBlock("classname Sniper\nhealth 95") + '\n'
                                                 + inBlock("classname M\xE9"
                                                           "dic"));
    const std::string twice = writeTemp("twice.cfg", sniper + sniper + heavy);
    const std::string fewer = writeTemp("fewer.cfg", sniper + inBlock("classname Scout") + '\n');
    const std::string notes = writeTemp("notes.cfg", "// no class here\n");
    const std::string same = "0 changed, 0 added, 0 removed, 3 unchanged\n";
    // The second file's name heads the notes; a new class comes with its values.
    const auto nameOf = [](const std::string &path) { return path.substr(path.find_last_of("/\\") + 1); };
    const auto heading = [&](const std::string &path) {
        return nameOf(path) + '\n' + std::string(nameOf(path).size(), '=') + "\n\n";
    };
    const std::string medic = "M\u00e9dic: " + defaultValues + '\n';
    const std::string json =
        "{\n  \"first\": \"" + jsonName(a) + "\",\n  \"second\": \"" + jsonName(b)
        + "\",\n  \"changed\": [\n"
          "    {\"name\": \"Sniper\", \"firstSlot\": 0, \"secondSlot\": 1, \"matchedBy\": \"name\", \"values\": [\n"
          "      {\"value\": \"health\", \"before\": \"100\", \"after\": \"95\"}\n    ]}\n  ],\n"
          "  \"added\": [\n    {\"name\": \"M\u00e9dic\", \"slot\": 2}\n  ],\n"
          "  \"removed\": [\n    {\"name\": \"Scout\", \"slot\": 1}\n  ],\n"
          "  \"repeatedNames\": [],\n  \"unchanged\": 1\n}\n";
    const std::tuple<std::string, int, std::string, std::string> rows[] = {
        // arguments, status, out, err
        {"diff " + arg(a) + ' ' + arg(a), 0, same, ""},
        {"diff " + arg(a) + ' ' + arg(moved), 0, same, ""},
        {"diff " + arg(a) + ' ' + arg(b), 1,
         heading(b) + "Changed\n- Sniper\n  - Health 100 -> 95 (-5%)\n\nAdded\n- " + medic
             + "\nRemoved\n- Scout\n\n1 changed, 1 added, 1 removed, 1 unchanged\n",
         ""},
        {"diff --format=markdown " + arg(a) + ' ' + arg(b), 1,
         "## " + nameOf(b)
             + "\n\n### Changed\n\n- **Sniper**\n  - Health 100 -> 95 (-5%)\n\n### Added\n\n- **M\u00e9dic**: "
             + defaultValues + "\n\n### Removed\n\n- **Scout**\n",
         ""},
        {"diff --format=json " + arg(a) + ' ' + arg(b), 1, json, ""},
        {"diff - " + arg(a) + " <" + arg(a), 0, same, ""},
        {"diff " + arg(a) + ' ' + arg(fewer), 1,
         heading(fewer) + "Removed\n- Heavy\n\n0 changed, 0 added, 1 removed, 2 unchanged\n", ""},
        {"diff " + arg(fewer) + ' ' + arg(a), 1,
         heading(a) + "Added\n- Heavy: " + defaultValues + "\n\n0 changed, 1 added, 0 removed, 2 unchanged\n", ""},
        {"diff " + arg(a) + ' ' + arg(twice), 1,
         heading(twice)
             + "Changed\n- Sniper\n  - Classname \"Scout\" -> \"Sniper\"\n\n1 changed, 0 added, 0 removed, 2 "
               "unchanged\n",
         "tolvane-classfile: note: classes named \"Sniper\": 1 in " + a + ", 2 in " + twice + "; matched in order\n"},
        {"diff " + arg(a) + ' ' + arg(a + ".gone"), 2, "",
         "tolvane-classfile: " + a + ".gone: no such file; nothing compared\n"},
        {"diff " + arg(notes) + ' ' + arg(a), 2, "",
         "tolvane-classfile: " + notes
             + ": holds no class block, so it is not a class file (TCC020); nothing compared\n"},
        {"diff " + arg(a), 2, "", ""},
        {"diff --format=xml " + arg(a) + ' ' + arg(a), 2, "", ""},
        {"diff - - <" + arg(a), 2, "", ""},
    };
    for (const auto &[arguments, status, out, err] : rows) {
        const ToolRun run = runTool(arguments);
        EXPECT_EQ(run.status, status) << arguments;
        EXPECT_EQ(run.out, out) << arguments;
        if (err.empty())
            EXPECT_EQ(run.err.empty(), status < 2) << arguments;
        else
            EXPECT_EQ(run.err, err) << arguments;
    }
}

// Both teams in one note: two folders of a release each, or two pairs of
// files, each team under its heading, in any format of notes.
TEST(ClassFileTool, DiffOfBothTeamsFromTwoFoldersOrTwoPairs)
{
#ifdef _WIN32
    const std::string odd = " \u00e4";
#else
    const std::string odd = " \xE4";
#endif
    const std::string old = tempPath("old" + odd), now = tempPath("now" + odd), empty = tempPath("empty" + odd);
    for (const std::string &folder : {old, now, empty})
        std::filesystem::create_directories(utf8Path(folder));
    const auto put = [](const std::string &folder, const char *name, const std::string &bytes) {
        std::ofstream(utf8Path(folder + '/' + name), std::ios::binary) << bytes;
        return folder + '/' + name;
    };
    const std::string sealsOld = put(old, "tvclass_seals.cfg", inBlock("classname Sniper\nhealth 100") + '\n');
    const std::string tangosOld = put(old, "tvclass_tangos.cfg", inBlock("classname Heavy\nspeed 0.9") + '\n');
    const std::string sealsNow = put(now, "tvclass_seals.cfg", inBlock("classname Sniper\nhealth 90") + '\n');
    const std::string tangosNow = put(now, "tvclass_tangos.cfg", inBlock("classname Heavy\nspeed 0.9") + '\n');
    const std::string counts = "Seals: 1 changed, 0 added, 0 removed, 0 unchanged\n"
                               "Tangos: 0 changed, 0 added, 0 removed, 1 unchanged\n";
    const std::string text = "Seals\n=====\n\nChanged\n- Sniper\n  - Health 100 -> 90 (-10%)\n\n"
                             "Tangos\n======\n\nNo class differs.\n\n"
                             + counts;
    const std::string pairs = arg(sealsOld) + ' ' + arg(sealsNow) + ' ' + arg(tangosOld) + ' ' + arg(tangosNow);
    const std::tuple<std::string, int, std::string> rows[] = {
        // arguments, status, out
        {"diff " + arg(old) + ' ' + arg(now), 1, text},
        {"diff " + pairs, 1, text},
        {"diff " + arg(old) + ' ' + arg(old), 0,
         "Seals: 0 changed, 0 added, 0 removed, 1 unchanged\nTangos: 0 changed, 0 added, 0 removed, 1 unchanged\n"},
        {"diff --format=bbcode " + arg(old + '/') + ' ' + arg(now), 1,
         "[b][u]Seals[/u][/b]\n\n[b]Changed[/b]\n[list]\n[*][b]Sniper[/b]\n[list]\n[*]Health 100 -> 90 (-10%)\n"
         "[/list]\n[/list]\n\n[b][u]Tangos[/u][/b]\n\nNo class differs.\n"},
        {"diff --format=markdown " + arg(tangosOld) + ' ' + arg(tangosNow) + ' ' + arg(sealsOld) + ' ' + arg(sealsNow),
         1,
         "## Tangos\n\nNo class differs.\n\n## Seals\n\n### Changed\n\n- **Sniper**\n"
         "  - Health 100 -> 90 (-10%)\n"},
    };
    for (const auto &[arguments, status, out] : rows) {
        const ToolRun run = runTool(arguments);
        EXPECT_EQ(run.status, status) << arguments;
        EXPECT_EQ(run.out, out) << arguments;
        EXPECT_EQ(run.err, "") << arguments;
    }
    const ToolRun json = runTool("diff --format=json " + pairs);
    EXPECT_TRUE(json.out.starts_with("[\n{\n  \"first\": ") && json.out.ends_with("}\n]\n")) << json.out;
    EXPECT_EQ(std::count(json.out.begin(), json.out.end(), '{'), 2 + 1 + 1); // two pairs, Sniper and its value

    // A team's file in one folder only is named as missing in the other;
    // three FILEs are no pairs.
    std::filesystem::remove(utf8Path(tangosNow));
    const std::tuple<std::string, std::string> refused[] = {
        {"diff " + arg(old) + ' ' + arg(now), "/tvclass_tangos.cfg: no such file; nothing compared\n"},
        {"diff " + arg(empty) + ' ' + arg(empty), "tolvane-classfile: neither folder holds a team's class file\n"},
        {"diff " + arg(sealsOld) + ' ' + arg(sealsNow) + ' ' + arg(tangosOld), ""},
    };
    for (const auto &[arguments, err] : refused) {
        const ToolRun run = runTool(arguments);
        EXPECT_EQ(run.status, 2) << arguments;
        EXPECT_EQ(run.out, "") << arguments;
        EXPECT_TRUE(run.err.ends_with(err)) << run.err;
    }
}

} // namespace
