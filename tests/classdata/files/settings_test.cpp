#include "classdata/files/settings.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

using namespace tolvane;

namespace {

TEST(SettingsFile, LastCountableSectionLineDecides)
{
    const std::string header = "[TolvaneClassCreator]\n";
    const struct
    {
        std::string text;
        std::int32_t before, after;
    } rows[] = {
        // clang-format off
        {header + "Seals 1\n", 0, 1}, {header + "seals 2\n", 0, 1}, {header + "SEALS -1\n", 0, 1},
        {header + "Seals 0\n", 1, 0}, {header + "Seals\t0\n", 1, 0}, {header + "  Seals   1  \n", 0, 1},
        {header + "Seals 4294967296\n", 0, 1}, {header + "Seals 1x\n", 0, 1}, {header + "Seals 0x1\n", 1, 0},
        {header + "Seals 1\nTeam 1\n", 1, 0}, {header + "Team 1\nSeals 1\n", 0, 1}, {header + "   \n", 1, 0},
        {header + "\n", 1, 1}, {header + "#Seals 0\n", 1, 1}, {header + " #Seals 0\n", 1, 0}, {header + header, 1, 0},
        {header + "Seals\n", 0, 0}, {header + "Seals yes\n", 1, 1}, {header + "Seals 0\nSeals +\n", 1, 0},
        {header + "Seals 0\r\n", 1, 0}, {header + "Seals 0", 1, 1},
        {header + "Seals 0" + std::string(247, ' ') + "\n", 1, 0},
        {header + "Seals 0" + std::string(247, ' ') + "\r\n", 1, 0},
        {header + "Seals 0" + std::string(248, ' ') + "\n", 1, 1},
        {header + std::string(300, 'x') + "\nSeals 0\n", 1, 1}, {"[tolvaneclasscreator]\nseals 0\n", 1, 0},
        {"[TolvaneClassCreator] \nSeals 0\n", 1, 1}, {" [TolvaneClassCreator]\nSeals 0\n", 1, 1},
        {"Seals 0\n" + header, 1, 1},
        // clang-format on
    };
    for (const auto &row : rows) {
        std::int32_t sealsActive = row.before;
        readSettingsBytes(row.text, sealsActive);
        EXPECT_EQ(sealsActive, row.after) << row.text.substr(0, 60);
    }
}

TEST(SettingsFile, WrittenFileReadsBackAndMissingFileIsLogged)
{
    EXPECT_EQ(settingsFileBytes(0, "\n"), "[TolvaneClassCreator]\n\nSeals 0\n\n### END ###\n");
    for (std::int32_t team : {0, 1}) {
        std::int32_t sealsActive = 1 - team;
        readSettingsBytes(settingsFileBytes(team, "\r\n"), sealsActive);
        EXPECT_EQ(sealsActive, team);
    }
    std::int32_t sealsActive = 1;
    EXPECT_FALSE(readSettings(std::filesystem::path(testing::TempDir()) / "no such folder", sealsActive));
    EXPECT_EQ(sealsActive, 1);
}

} // namespace
