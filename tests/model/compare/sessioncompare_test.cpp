// The two teams side by side and the classes against a baseline file: which
// team's classes each view takes, what it shows, and the files it reads and
// saves.

#include "../sessioncommands.h"

#include "classdata/compare/classcompare.h"
#include "model/session/controlids.h"
#include "model/session/formbindings.h"
#include "classdata/files/safesave.h"

#include <gtest/gtest.h>

#include <set>

using namespace tolvane;

namespace {

using tolvane::ComparisonRow;
using Mark = tolvane::ComparisonRow::Mark;

class SessionCompareTest : public ::testing::Test, protected SessionBench
{
protected:
    SessionCompareTest() : SessionBench({"A"}) {}
    void TearDown() override { EXPECT_EQ(view.unanswered(), 0u) << "an expected question was never asked"; }

    std::string classList()
    {
        parts->compare.compareTwoClasses();
        std::string names;
        for (const std::string &name : compareView.twoClasses.classes)
            names += (names.empty() ? "" : ", ") + name;
        return names;
    }
    std::string chartBars(const std::string &value)
    {
        parts->compare.showChart();
        const auto at = std::ranges::find(compareView.chart.values, value);
        EXPECT_NE(at, compareView.chart.values.end());
        const tolvane::BarChart chart = compareView.chart.chart(int(at - compareView.chart.values.begin()));
        std::string bars = chart.title + ':';
        for (const tolvane::ChartBar &bar : chart.bars)
            bars += ' ' + bar.label + (bar.team == tolvane::Team::Seals ? "/S=" : "/T=") + bar.text;
        return bars;
    }
};

// The window names the active team and the game folder, and after a team
// switch whose classes are still in memory; the other team is always the
// other file than the one the classes in memory came from.
TEST_F(SessionCompareTest, OtherTeamIsTheFileTheClassesInMemoryDidNotComeFrom)
{
    write(seals(), healthFile({{"Sniper", 100}, {"Medic", 90}}));
    write(tangos(), healthFile({{"Heavy", 150}}));
    const std::string folder = " \u00B7 " + displayText(first.path);
    struct Row
    {
        const char *commands;
        std::string place;
        const char *classes;
    } rows[] = {
        {"", "Seals" + folder, "Seals 0  , Tangos 0  Heavy"},
        {"L", "Seals" + folder, "Seals 0  Sniper, Seals 1  Medic, Tangos 0  Heavy"},
        {"T", "Tangos (the Seals' classes in memory)" + folder, "Seals 0  Sniper, Seals 1  Medic, Tangos 0  Heavy"},
        {"L", "Tangos" + folder, "Tangos 0  Heavy, Seals 0  Sniper, Seals 1  Medic"},
        {"T", "Seals (the Tangos' classes in memory)" + folder, "Tangos 0  Heavy, Seals 0  Sniper, Seals 1  Medic"},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.commands);
        if (std::string(row.commands).starts_with('T'))
            view.answer("yy");
        run(row.commands);
        EXPECT_EQ(view.place, row.place);
        EXPECT_EQ(classList(), row.classes);
    }
    EXPECT_EQ(chartBars("Health"), "Health of 3 classes: 2 Seals, 1 Tangos: Heavy/T=150 Sniper/S=100 Medic/S=90");

    // Its list names each value as the table does, and by the file's key for the tooltip.
    const CompareView::ChartView &chart = compareView.chart;
    ASSERT_EQ(chart.keys.size(), chart.values.size());
    std::string named;
    for (std::size_t i = 0; i < chart.values.size(); ++i) {
        if (std::set<std::string>{"Class Speed", "Kevlar Vest", "Max .357 Bullets", "Flash Grenades"}.contains(
                chart.values[i]))
            named += chart.values[i] + '=' + chart.keys[i] + ' ';
    }
    EXPECT_EQ(named, "Class Speed=speed Kevlar Vest=kevlar_vest Max .357 Bullets=max_357cal "
                     "Flash Grenades=inventory ammo_fgrenades ");
}

// At first the form's class faces its namesake in the other team; any two
// classes are set side by side value by value.
TEST_F(SessionCompareTest, TwoClassesSideBySide)
{
    write(seals(), "{\nclassname Sniper\nhealth 100\nclassabilities 1\nspeed 1.2\n}\n\n{\nclassname Medic\n}\n");
    write(tangos(),
          "{\nclassname Medic\n}\n\n{\nclassname sniper\nhealth 95\nspeed 1.2\ninventory weapon_knife 1\n}\n");
    run("L");
    parts->compare.compareTwoClasses();
    EXPECT_EQ(compareView.twoClasses.left, 0);
    EXPECT_EQ(compareView.twoClasses.classes.at(std::size_t(compareView.twoClasses.right)), "Tangos 1  sniper");
    EXPECT_EQ(compareView.twoClasses.note, "");

    std::vector<std::string> shown;
    for (const ComparisonRow &row :
         compareView.twoClasses.rows(compareView.twoClasses.left, compareView.twoClasses.right)) {
        if (row.mark != Mark::Equal || row.value == "Class Speed" || row.value == "Resistance")
            shown.push_back(row.value + " (" + row.key + ") " + row.left + ' ' + row.right + ' ' + row.difference + ' '
                            + std::string(row.note()));
    }
    EXPECT_EQ(shown, (std::vector<std::string>{"Classname (classname) \"Sniper\" \"sniper\"  differs",
                                               "AT-4 Scope (classabilities 0x1) yes no  only left",
                                               "Class Speed (speed) 1.200000 1.200000  equal",
                                               "Resistance (resistance) Normal Armor Normal Armor  equal",
                                               "Health (health) 100 95 -5 (x0.95) differs",
                                               "Army Knife (inventory weapon_knife) 0 1 +1 only right"}));
}

// The two classes follow the commands after them: a value typed in the
// form, a class added (with no name yet), the names as they are now.
TEST_F(SessionCompareTest, TwoClassesFollowTheClasses)
{
    write(seals(), healthFile({{"Sniper", 100}, {"Medic", 90}}));
    write(tangos(), healthFile({{"Heavy", 150}}));
    run("L");
    parts->compare.compareTwoClasses();
    const CompareView::TwoClasses two = compareView.twoClasses;
    const auto health = [&two] {
        for (const ComparisonRow &row : two.rows(0, 2)) {
            if (row.value == "Health")
                return row.left + ' ' + row.right;
        }
        return std::string();
    };
    EXPECT_EQ(health(), "100 150");
    *view.boxes.text(*bindingOfControl(ControlId::Health)) = "85"; // not stored yet
    session->refreshIndicators(view.form());
    EXPECT_EQ(health(), "85 150");
    run("a");
    EXPECT_EQ(two.labels(),
              (std::vector<std::string>{"Seals 0  Sniper", "Seals 1  Medic", "Seals 2  ", "Tangos 0  Heavy"}));
    // A pick past the classes there are now takes the last.
    EXPECT_EQ(two.rows(0, 9).size(), two.rows(0, 3).size());
}

// An other team's file that cannot be read is named once, in the view; the
// classes in memory can still be compared and charted.
TEST_F(SessionCompareTest, UnreadableOtherTeamFileIsNamedAndTheRestWorks)
{
    write(seals(), healthFile({{"Sniper", 100}, {"Medic", 90}}));
    run("L");
    const std::string named = "The Tangos' class file " + displayText(tangos());
    struct Row
    {
        std::function<void()> make;
        std::string note;
    } rows[] = {
        {[] {}, named + " does not exist."},
        {[&] { write(tangos(), "{\n \"volume\": 0.8\n}\n"); }, named + " holds no key of a class file"},
        {[&] { fs::remove(tangos()), fs::create_directory(tangos()); }, named + " could not be read: "},
    };
    for (const Row &row : rows) {
        row.make();
        parts->compare.compareTwoClasses();
        EXPECT_TRUE(compareView.twoClasses.note.starts_with(row.note)) << compareView.twoClasses.note << '\n'
                                                                       << row.note;
        EXPECT_EQ(compareView.twoClasses.classes.size(), 2u);
        EXPECT_EQ(chartBars("Health"), "Health of 2 classes: 2 Seals: Sniper/S=100 Medic/S=90");
        EXPECT_TRUE(compareView.chart.chart(compareView.chart.chosen).note.starts_with(row.note));
    }
    EXPECT_TRUE(view.told.empty());
}

// Compare with File matches the classes by name: a class that only moved is
// no change; the notes go from the file to the classes in memory, form
// included.
TEST_F(SessionCompareTest, BaselineDifferencesAsPatchNotes)
{
    const fs::path stock = other.path / "stock.cfg";
    write(stock, healthFile({{"Sniper", 100}, {"Medic", 90}, {"Scout", 80}, {"Heavy", 150}}));
    write(seals(), healthFile({{"Heavy", 150}, {"Sniper", 95}, {"Medic", 90}, {"Scout", 80}, {"Pointman", 70}}));
    run("L");
    *view.boxes.text(*bindingOfControl(ControlId::Health)) = "85"; // Heavy's, not stored
    session->refreshIndicators(view.form());
    view.pickedFiles = {stock};
    parts->compare.compareWithFile();
    EXPECT_EQ(view.fileChoices.back().start, first.path);
    EXPECT_EQ(compareView.baseline.heading, "The Seals' classes in memory against " + displayText(stock)
                                                + ": 2 changed, 1 added, 0 removed, 2 unchanged");
    EXPECT_TRUE(
        compareView.baseline.text.starts_with("Seals\n=====\n\nChanged\n- Heavy\n  - Health 150 -> 85 (-43.3%)\n"
                                              "- Sniper\n  - Health 100 -> 95 (-5%)\n\nAdded\n- Pointman: "))
        << compareView.baseline.text;
    EXPECT_TRUE(compareView.baseline.markdown.starts_with("## Seals\n\n### Changed\n\n- **Heavy**\n"))
        << compareView.baseline.markdown;
    EXPECT_TRUE(compareView.baseline.bbcode.starts_with("[b][u]Seals[/u][/b]\n\n[b]Changed[/b]\n"))
        << compareView.baseline.bbcode;
    EXPECT_EQ(compareView.baseline.note, "");
    ASSERT_TRUE(session->document().baseline());
    EXPECT_EQ(session->document().baseline()->file, stock);
}

// A baseline that is a team's file of an earlier release sets the other
// team's file beside it against that team's file now: both teams in one
// note. The game folder's own file has nothing beside it to compare.
TEST_F(SessionCompareTest, BaselineOfBothTeams)
{
    write(other.path / "tvclass_seals.cfg", healthFile({{"Sniper", 100}}));
    write(other.path / "tvclass_tangos.cfg", healthFile({{"Heavy", 150}}));
    write(seals(), healthFile({{"Sniper", 90}}));
    write(tangos(), healthFile({{"Heavy", 120}}));
    run("L");
    const struct Row
    {
        fs::path baseline;
        std::string heading;
        std::string notes;
    } rows[] = {
        {other.path / "tvclass_seals.cfg",
         "The Seals' classes in memory against " + displayText(other.path / "tvclass_seals.cfg")
             + ": 1 changed, 0 added, 0 removed, 0 unchanged; the Tangos' class file against "
             + displayText(other.path / "tvclass_tangos.cfg") + ": 1 changed, 0 added, 0 removed, 0 unchanged",
         "Seals\n=====\n\nChanged\n- Sniper\n  - Health 100 -> 90 (-10%)\n\n"
         "Tangos\n======\n\nChanged\n- Heavy\n  - Health 150 -> 120 (-20%)\n"},
        {seals(),
         "The Seals' classes in memory against " + displayText(seals())
             + ": 0 changed, 0 added, 0 removed, 1 unchanged",
         "Seals\n=====\n\nNo class differs.\n"},
    };
    for (const Row &row : rows) {
        view.pickedFiles = {row.baseline};
        parts->compare.compareWithFile();
        EXPECT_EQ(compareView.baseline.heading, row.heading);
        EXPECT_EQ(compareView.baseline.text, row.notes);
    }
}

// Compare with Folder takes both teams' files of a folder as their
// baselines in one step, and its notes hold both teams; a file that cannot be read is named, and only its
// team's baseline stays as it was.
TEST_F(SessionCompareTest, FolderGivesEachTeamItsBaseline)
{
    write(seals(), healthFile({{"Sniper", 95}, {"Medic", 90}}));
    write(tangos(), healthFile({{"Heavy", 150}}));
    const fs::path stockSeals = other.path / "tvclass_seals.cfg", stockTangos = other.path / "tvclass_tangos.cfg";
    const auto baselineOf = [&](Team team) {
        const std::optional<ClassesOnDisk> &baseline = session->document().baseline(team);
        return baseline ? baseline->file.filename().string() + ':' + std::to_string(baseline->classes.size()) : "-";
    };
    struct Row
    {
        std::function<void()> make;
        const char *commands;
        const char *baselines; // the Seals', the Tangos'
        std::string heading;   // of the patch notes, "" for none shown
        std::string told;
    } rows[] = {
        {[&] {
             write(stockSeals, healthFile({{"Sniper", 100}, {"Medic", 90}}));
             write(stockTangos, healthFile({{"Heavy", 140}, {"Grunt", 50}}));
         },
         "L", "tvclass_seals.cfg:2 tvclass_tangos.cfg:2",
         "The Seals' classes in memory against " + displayText(stockSeals)
             + ": 1 changed, 0 added, 0 removed, 1 unchanged; the Tangos' class file against "
             + displayText(stockTangos) + ": 1 changed, 0 added, 1 removed, 0 unchanged",
         ""},
        {[&] {
             fs::remove(stockSeals), write(stockTangos, healthFile({{"Heavy", 150}}));
         },
         "answer yy T L", "tvclass_seals.cfg:2 tvclass_tangos.cfg:1",
         "The Tangos' classes in memory against " + displayText(stockTangos)
             + ": 0 changed, 0 added, 0 removed, 1 unchanged; the Seals' class file against " + displayText(stockSeals)
             + ": 1 changed, 0 added, 0 removed, 1 unchanged",
         "The Seals' class file " + displayText(stockSeals) + " does not exist. The Seals' classes are still "
             + "compared with " + displayText(stockSeals) + ".\n"},
        {[&] { fs::remove(stockTangos); }, "", "tvclass_seals.cfg:2 tvclass_tangos.cfg:1", "",
         "The Seals' class file " + displayText(stockSeals) + " does not exist."},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.commands);
        row.make();
        std::istringstream commands(row.commands);
        for (std::string command; commands >> command;) {
            if (command == "answer" && commands >> command)
                view.answer(command);
            else
                run(command);
        }
        compareView.baseline = {};
        view.told.clear();
        view.chosenFolders = {other.path};
        parts->compare.compareWithFolder();
        EXPECT_EQ(baselineOf(Team::Seals) + ' ' + baselineOf(Team::Tangos), row.baselines);
        EXPECT_EQ(compareView.baseline.heading, row.heading);
        EXPECT_TRUE((view.told.empty() ? std::string() : view.told.back().text).starts_with(row.told))
            << (view.told.empty() ? "" : view.told.back().text);
        EXPECT_EQ(view.told.size(), row.told.empty() ? 0u : 1u);
    }
}

// A baseline that cannot be read is named in one message and the one before
// stays; classes that share a name are matched in order, which the view says.
TEST_F(SessionCompareTest, BaselineRefusedOrWithRepeatedNames)
{
    const fs::path stock = other.path / "stock.cfg", notes = other.path / "notes.md";
    write(stock, healthFile({{"Sniper", 100}, {"Sniper", 90}}));
    write(seals(), healthFile({{"Sniper", 100}, {"Sniper", 80}, {"sniper", 70}}));
    run("L");
    view.pickedFiles = {stock};
    parts->compare.compareWithFile();
    EXPECT_EQ(compareView.baseline.note, "Classes that share a name are matched in order, the first with the first: "
                                         "\"Sniper\" (2 in the file, 3 in memory).");
    EXPECT_TRUE(compareView.baseline.text.starts_with(
        "Seals\n=====\n\nChanged\n- Sniper\n  - Health 90 -> 80 (-11.1%)\n\nAdded\n- sniper: "))
        << compareView.baseline.text;

    const fs::path refused[] = {other.path / "missing.cfg", first.path / "tvcc.cfg", other.path};
    write(first.path / "tvcc.cfg", "[TolvaneClassCreator]\nSeals 1\n");
    for (const fs::path &path : refused) {
        view.pickedFiles = {path};
        parts->compare.compareWithFile();
        EXPECT_EQ(view.fileChoices.back().start, stock);
    }
    ASSERT_EQ(view.told.size(), 3u);
    EXPECT_EQ(view.told[0].text, "The file " + displayText(refused[0])
                                     + " does not exist.\nThe classes are still "
                                       "compared with "
                                     + displayText(stock) + '.');
    EXPECT_NE(view.told[1].text.find("settings file"), std::string::npos) << view.told[1].text;
    EXPECT_NE(view.told[2].text.find("could not be read: "), std::string::npos) << view.told[2].text;
    EXPECT_EQ(session->document().baseline()->file, stock);

    // The patch notes are saved only where the user says, and never over a
    // class file; nothing else here writes a file.
    const std::string sealsBefore = readWholeFile(seals()).bytes;
    const fs::path forum = other.path / "forum.txt";
    view.pickedFiles = {stock, seals(), notes, forum};
    compareView.inCompareView = [&] {
        compareView.baseline.save(NotesFormat::Markdown), compareView.baseline.save(NotesFormat::Markdown);
        compareView.baseline.save(NotesFormat::BBCode), compareView.baseline.save(NotesFormat::Text);
    };
    parts->compare.compareWithFile(); // the last file dialog is cancelled
    EXPECT_EQ(readWholeFile(seals()).bytes, sealsBefore);
    EXPECT_NE(view.told.back().text.find("holds classes or settings of the game"), std::string::npos);
    EXPECT_EQ(readWholeFile(notes).bytes, compareView.baseline.markdown);
    EXPECT_EQ(readWholeFile(forum).bytes, compareView.baseline.bbcode);
    EXPECT_EQ(view.status, "Patch notes saved to " + displayText(forum));
    const std::size_t saves = view.fileChoices.size();
    ASSERT_GE(saves, 3u);
    EXPECT_EQ(view.fileChoices[saves - 3].start, first.path / "patch-notes.md");
    EXPECT_EQ(view.fileChoices[saves - 2].start, first.path / "patch-notes-bbcode.txt");
    EXPECT_EQ(view.fileChoices[saves - 1].start, first.path / "patch-notes.txt");
}

// The chart shows every class of both teams, highest first, on a scale that
// holds 0 and every value it can draw; a picture is saved where the user says.
TEST_F(SessionCompareTest, ChartOfBothTeams)
{
    write(seals(), "{\nclassname Sniper\nunderwaterair 1.5\n}\n\n{\nclassname Medic\nunderwaterair 0.8\n}\n\n"
                   "{\nclassname Odd\nunderwaterair nan\n}\n");
    write(tangos(), "{\nclassname Heavy\nunderwaterair 0.8\n}\n\n{\nclassname Scout\nunderwaterair 2\n}\n");
    run("L");
    EXPECT_EQ(chartBars("Underwaterair"), "Underwaterair of 5 classes: 3 Seals, 2 Tangos: Scout/T=2 Sniper/S=1.5 "
                                          "Medic/S=0.8 Heavy/T=0.8 Odd/S=0");
    parts->compare.showChart(); // opened again, the chart shows the value it showed last
    const tolvane::BarChart chart = compareView.chart.chart(compareView.chart.chosen);
    EXPECT_EQ(std::pair(chart.low, chart.high), std::pair(0.0, 2.0));
    EXPECT_EQ(chart.note, "");

    using Picture = CompareView::ChartView::Picture;
    view.pickedFiles = {other.path / "air.png", other.path / "air.svg"};
    compareView.chart.save("\x89PNG", compareView.chart.chosen, Picture::Png);
    EXPECT_EQ(view.fileChoices.back().start, first.path / "chart-Underwaterair.png");
    compareView.chart.save("<svg/>", compareView.chart.chosen, Picture::Svg);
    EXPECT_EQ(view.fileChoices.back().start, first.path / "chart-Underwaterair.svg");
    EXPECT_EQ(view.fileChoices.back().types, "SVG images (*.svg)");
    EXPECT_EQ(readWholeFile(other.path / "air.png").bytes, "\x89PNG");
    EXPECT_EQ(readWholeFile(other.path / "air.svg").bytes, "<svg/>");

    // A picture that could not be drawn is no file: nothing is asked or written.
    const std::size_t asked = view.fileChoices.size();
    view.pickedFiles = {other.path / "none.png"};
    compareView.chart.save("", compareView.chart.chosen, Picture::Png);
    EXPECT_EQ(view.fileChoices.size(), asked);
    EXPECT_FALSE(fs::exists(other.path / "none.png"));
    ASSERT_FALSE(view.told.empty());
    EXPECT_TRUE(view.told.back().text.starts_with("The chart could not be drawn")) << view.told.back().text;
}

} // namespace
