// The rules file in the editor: the Problems list, the cells of the class
// table, and the file followed as it changes on disk.

#include "../sessioncommands.h"
#include "model/rules/rulesfile.h"
#include "model/table/tablecolumns.h"

#include <gtest/gtest.h>

#include <fstream>
#include <thread>

using namespace tolvane;

namespace {

class SessionRulesTest : public ::testing::Test, protected SessionBench
{
protected:
    SessionRulesTest() : SessionBench({"Scout", "Sniper"})
    {
        std::string seals = classFile({"Scout", "Sniper", "scout"});
        seals.replace(seals.find("speed 1.000000"), 14, "speed 1.400000");
        write(this->seals(), seals);
        write(first.path / "tvclass_tangos.cfg", classFile({"Heavy"}));
    }
    static void write(const fs::path &path, const std::string &bytes) { ASSERT_TRUE(saveFileAtomically(path, bytes)); }
    // A new rules file, with another time on disk than the one before.
    void writeRules(const std::string &text)
    {
        const fs::path path = first.path / std::string(rulesFileName);
        const auto before = fs::exists(path) ? fs::last_write_time(path) : fs::file_time_type();
        write(path, text);
        fs::last_write_time(path, before + std::chrono::seconds(2));
    }
    std::string problems() const
    {
        std::string lines;
        for (const ReviewCommands::ListedProblem &line : parts->review.problems())
            lines += line.text + '\n';
        return lines;
    }
    std::string cells() const
    {
        std::string lines;
        for (const ClassTableEditing::CellProblem &cell : parts->table.cellProblems())
            lines += std::to_string(cell.slot) + ' ' + tableColumns()[std::size_t(cell.column)].title + '\n';
        return lines;
    }
};

TEST_F(SessionRulesTest, BrokenRulesAreProblemsOfTheirClassesAndCells)
{
    writeRules("[all]\nspeed = [0.8, 1.3]\nrelations = [\"kevlar_vest <= Helmet\"]\n"
               "[balance]\nsame_class_count = true\n");
    session->loadConfig();
    EXPECT_EQ(view.status, "3 Config Classes Read; 6 problems");
    EXPECT_EQ(parts->review.problems().front().byKeys, "scout: TCC025 classname \"scout\" is the name of class 0 too");
    EXPECT_EQ(problems(), "scout: TCC025 Classname \"scout\" is the name of class 0 too\n"
                          "Scout: TCC030 speed 1.4 is outside 0.8 to 1.3 (tvcc-rules.toml:2)\n"
                          "Scout: TCC031 kevlar_vest 50 is not <= Helmet 30 (tvcc-rules.toml:3)\n"
                          "Sniper: TCC031 kevlar_vest 50 is not <= Helmet 30 (tvcc-rules.toml:3)\n"
                          "scout: TCC031 kevlar_vest 50 is not <= Helmet 30 (tvcc-rules.toml:3)\n"
                          "TCC033 the Seals have 3 classes, the Tangos 1; the rules ask for the same number "
                          "(tvcc-rules.toml:5)\n");
    EXPECT_EQ(cells(), "2 Classname\n0 Class Speed\n0 Kevlar Vest\n0 Helmet\n1 Kevlar Vest\n1 Helmet\n"
                       "2 Kevlar Vest\n2 Helmet\n");
    // Choosing one goes to its class and box.
    parts->review.goToProblem(1);
    EXPECT_EQ(session->document().state().currentIndex, 0);
    EXPECT_EQ(view.focused, "speed");
    // A value set right takes its problem away; the checks change no value.
    parts->table.editCell(0, columnNamed("speed"), "1.2");
    EXPECT_EQ(problems().find("TCC030"), std::string::npos) << problems();
    EXPECT_EQ(session->document().state().table.records[1].kevlar_vest, 50);
}

TEST_F(SessionRulesTest, TheRulesFileIsFollowedAsItChanges)
{
    session->loadConfig();
    EXPECT_FALSE(parts->review.followRulesFile());
    EXPECT_EQ(problems(), "scout: TCC025 Classname \"scout\" is the name of class 0 too\n");
    writeRules("[check]\nignore = [\"TCC025\"]\n[tangos]\nspeed = [2, 3]\n[seals]\nspeed = [1.5, 2]\n");
    EXPECT_TRUE(parts->review.followRulesFile());
    EXPECT_FALSE(parts->review.followRulesFile());
    EXPECT_EQ(problems(), "Scout: TCC030 speed 1.4 is outside 1.5 to 2, the Seals' range (tvcc-rules.toml:6)\n"
                          "Sniper: TCC030 speed 1 is outside 1.5 to 2, the Seals' range (tvcc-rules.toml:6)\n"
                          "scout: TCC030 speed 1 is outside 1.5 to 2, the Seals' range (tvcc-rules.toml:6)\n");
    // A file that cannot be read says where, and checks nothing of its own.
    writeRules("[check]\nignore = [\"TCC025\"]\n[seals]\nspeed = [1.5, 2]\nsped = [0, 1]\n");
    EXPECT_TRUE(parts->review.followRulesFile());
    EXPECT_EQ(problems(),
              "tvcc-rules.toml, line 5, column 1: no column named \"sped\"; no rule of the file is checked\n"
              "scout: TCC025 Classname \"scout\" is the name of class 0 too\n");
    EXPECT_EQ(cells(), "2 Classname\n");
    fs::remove(first.path / std::string(rulesFileName));
    EXPECT_TRUE(parts->review.followRulesFile());
    EXPECT_EQ(problems(), "scout: TCC025 Classname \"scout\" is the name of class 0 too\n");
}

TEST_F(SessionRulesTest, TeamRulesTakeTheClassesInMemoryAndTheOtherTeamsFile)
{
    writeRules("[balance]\nmean_within_percent = { speed = 10 }\neach_team_has = [\"Heavy\"]\n");
    session->loadConfig();
    // The Seals' mean speed of 1.133 against the Tangos' 1.
    EXPECT_EQ(problems(), "scout: TCC025 Classname \"scout\" is the name of class 0 too\n"
                          "TCC032 mean speed of the Seals 1.133 is 13.3% above the Tangos' 1; at most 10% is allowed "
                          "(tvcc-rules.toml:2)\n"
                          "TCC034 the Seals have no class that matches \"Heavy\" (tvcc-rules.toml:3)\n");
    fs::remove(first.path / "tvclass_tangos.cfg");
    session->refreshIndicators(view.form());
    EXPECT_NE(problems().find("tvcc-rules.toml: the rules of [balance] are not checked: The Tangos' class file"),
              std::string::npos)
        << problems();
}

} // namespace
