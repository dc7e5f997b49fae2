// Which game folder a run starts in: a folder named on the command line, or
// the working directory only when it looks like a game folder; else the one
// used last, else the one the user chooses, else none, which writes nowhere.

#include "../sessioncommands.h"

#include "classdata/files/fileio.h"
#include "classdata/files/settings.h"
#include "model/session/foldercommands.h"

#include <gtest/gtest.h>

#include <fstream>
#include <optional>
#include <tuple>

using namespace tolvane;

namespace {

struct StartRow
{
    const char *name;
    const char *holds; // a file in the start folder, or ""
    FolderOrigin origin;
    const char *recent;  // the folder used last: "last", "gone" or ""
    const char *chooser; // what the chooser gives: "chosen", "" (Cancel)
    const char *opened;  // "start", "last", "gone", "chosen" or "" (none)
    const char *statusHas;
};

using O = FolderOrigin;
const StartRow startRows[] = {
    {"WorkingFolderWithAClassFile", "tvclass_tangos.cfg", O::WorkingDirectory, "last", "", "start", ""},
    {"WorkingFolderWithSettings", "tvcc.cfg", O::WorkingDirectory, "last", "", "start", ""},
    {"EmptyNamedFolder", "", O::Named, "last", "", "start", ""},
    {"EmptyWorkingFolderOpensTheLastUsed", "", O::WorkingDirectory, "last", "", "last", ""},
    {"LastUsedFolderGone", "", O::WorkingDirectory, "gone", "", "gone", "does not exist (any more)"},
    {"NoneUsedYetAsks", "", O::WorkingDirectory, "", "chosen", "chosen", ""},
    {"NoneUsedYetAndCancelled", "", O::WorkingDirectory, "", "", "", "No game folder. Choose one with File > Open"},
};

class StartFolderTest : public ::testing::TestWithParam<StartRow>
{
protected:
    fs::path folder(std::string_view which) const
    {
        if (which == "start")
            return start.path;
        if (which == "chosen")
            return chosen.path;
        return which.empty() ? fs::path() : other.path / which;
    }

    ScratchFolder start{"start"};
    ScratchFolder other{"other"};
    ScratchFolder chosen{"chosen"};
    FakeView view;
    std::vector<fs::path> kept;
};

TEST_P(StartFolderTest, OpensAGameFolderOrAsksAndWritesNowhereElse)
{
    const StartRow &row = GetParam();
    if (*row.holds)
        std::ofstream(start.path / row.holds) << "x";
    fs::create_directory(other.path / "last");
    if (*row.recent)
        kept = {folder(row.recent)};
    const std::vector<fs::path> recentBefore = kept;
    if (*row.chooser)
        view.chosenFolders.push_back(folder(row.chooser));
    const FirstFolder first = firstFolder({GameFolder::at(start.path), row.origin}, kept, {});
    EditorSession session(view, view, first.folder,
                          {[](std::string_view) {}, [this] { return kept; },
                           [this](const std::vector<fs::path> &folders) { kept = folders; }});

    session.start();
    if (first.ask)
        FolderCommands(session).askForGameFolder(first.refused);

    EXPECT_EQ(session.folder().path(), folder(row.opened));
    EXPECT_EQ(view.choosers.size(), std::string_view(row.recent).empty() && row.origin == O::WorkingDirectory);
    for (const std::string &title : view.choosers)
        EXPECT_NE(title.find("Choose the game folder"), std::string::npos) << title;
    EXPECT_NE(view.status.find(row.statusHas), std::string::npos) << view.status;
    if (session.folder().check() == GameFolder::Problem::None)
        EXPECT_EQ(kept.front(), session.folder().path());
    else
        EXPECT_EQ(kept, recentBefore);
    if (row.opened != std::string_view("start")) {
        EXPECT_EQ(std::ranges::count(kept, start.path), 0) << "the start folder went into Recent Folders";
    }

    // With no game folder, the file commands warn and write nothing.
    if (*row.opened == '\0') {
        view.boxes.className += 'x';
        for (char command : {'L', 'W', 'T'}) {
            view.told.clear();
            runSessionCommand(session, command);
            ASSERT_EQ(view.told.size(), 1u) << command;
            EXPECT_NE(view.told[0].text.find("No game folder is chosen"), std::string::npos) << view.told[0].text;
        }
    }
    EXPECT_TRUE(fs::is_empty(start.path) || *row.holds) << "a file was written into the start folder";
}

INSTANTIATE_TEST_SUITE_P(Rows, StartFolderTest, ::testing::ValuesIn(startRows), byRowName);

// The command line: a class file names its folder (Explorer passes a file
// dropped on the program, in any case of letters); a file of another kind
// names nothing usable and is shown as the problem it is.
TEST(StartFolderOfTest, TakesAFolderAClassFileOrTheOneUsedLast)
{
    ScratchFolder game("game");
    for (const char *name : {"tvclass_seals.cfg", "TVCLASS_TANGOS.CFG", "TVCLAS~1.CFG", "notes.txt"})
        std::ofstream(game.path / name) << "x";
    const fs::path last = game.path / "last";
    struct Row
    {
        std::vector<fs::path> arguments;
        std::vector<fs::path> recent;
        std::optional<fs::path> opened; // nullopt: the usage is shown
        FolderOrigin origin = O::Named;
        std::optional<Team> team = {}; // whose class file was named
    };
    const Row rows[] = {
        {{}, {last}, fs::current_path(), O::WorkingDirectory},
        {{game.path}, {last}, game.path},
        {{game.path / "tvclass_seals.cfg"}, {}, game.path, O::Named, Team::Seals},
        {{game.path / "TVCLASS_TANGOS.CFG"}, {}, game.path, O::Named, Team::Tangos},
        {{game.path / "TVCLAS~1.CFG"}, {}, game.path},
        {{game.path / "notes.txt"}, {}, game.path / "notes.txt"},
        {{"--recent"}, {last}, last},
        {{"--recent"}, {}, fs::current_path(), O::WorkingDirectory},
        {{game.path, game.path}, {}, std::nullopt},
        {{"--folder"}, {}, std::nullopt},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.arguments.empty() ? std::string() : row.arguments.front().string());
        const std::optional<StartFolder> start = startFolderOf(row.arguments, row.recent);
        ASSERT_EQ(start.has_value(), row.opened.has_value());
        if (start) {
            EXPECT_EQ(start->folder.path(), *row.opened);
            EXPECT_EQ(start->origin, row.origin);
            EXPECT_EQ(start->team, row.team);
        }
    }
}

// Game folders the system makes hard: one where new files are refused (no
// rights: /sys refuses them even to root; it is Z:\sys under Wine), and one
// whose path is longer than 260 characters. Write Out and Change
// Active-Config write there, or say once why not; nothing lands elsewhere.
TEST(HardFolderTest, WritesThereOrSaysOnceWhyNot)
{
    ScratchFolder scratch("hard");
    fs::path deep = scratch.path;
    for (int i = 0; i < 3; ++i)
        deep /= std::string(100, 'd');
    fs::create_directories(deep);
#ifdef _WIN32
    const fs::path refusing = "Z:\\sys\\kernel";
#else
    const fs::path refusing = "/sys/kernel";
#endif
    const std::pair<fs::path, bool> rows[] = {{deep, false}, {refusing, true}};
    for (const auto &[folder, refused] : rows) {
        if (!fs::is_directory(folder))
            continue;
        SCOPED_TRACE(folder.string());
        FakeView view;
        EditorSession session(
            view, view, GameFolder::at(folder),
            {[](std::string_view) {}, [] { return std::vector<fs::path>(); }, [](const std::vector<fs::path> &) {}});
        session.start();
        for (const auto &[command, answers, file] :
             {std::tuple('T', "yy", "tvcc.cfg"), std::tuple('W', "y", "tvclass_tangos.cfg")}) {
            view.told.clear();
            view.answer(answers);
            runSessionCommand(session, command);
            EXPECT_EQ(view.told.size(), fs::exists(folder / file) ? 0u : 1u);
            for (const Questions::Notice &notice : view.told)
                EXPECT_EQ(notice.text.rfind(displayText(folder / file) + " could not be written", 0), 0u)
                    << notice.text;
            EXPECT_EQ(view.told.size(), refused ? 1u : 0u) << command;
        }
        EXPECT_EQ(view.unanswered(), 0u);
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(scratch.path), fs::directory_iterator()), 1);
}

// A run started on a team's class file: that team is active and its classes
// are loaded; Load Config and Write Out take that file; the settings file
// changes only through Change Active-Config.
class NamedClassFileTest : public ::testing::Test, protected SessionBench
{
protected:
    NamedClassFileTest() : SessionBench({"Sniper", "Medic"}) {}
    fs::path settings() const { return first.path / "tvcc.cfg"; }
};

TEST_F(NamedClassFileTest, ItsTeamIsLoadedAndWrittenAndTheSettingsStay)
{
    const std::string folder = " \u00B7 " + displayText(first.path);
    struct Row
    {
        int settingsSeals; // what tvcc.cfg says; -1: there is none
        Team named;
        const char *commands;
        std::string place;
        const char *classes; // the names in memory, the form's edit included
        const char *written; // "tangos", "seals" or "" for the file that changed
    } rows[] = {
        {1, Team::Tangos, "", "Tangos (named at the start; tvcc.cfg names the Seals)" + folder, "Heavy Gunner", ""},
        {1, Team::Tangos, "L e W", "Tangos (named at the start; tvcc.cfg names the Seals)" + folder, "Heavyx Gunner",
         "tangos"},
        {0, Team::Tangos, "e W", "Tangos" + folder, "Heavyx Gunner", "tangos"},
        {-1, Team::Tangos, "", "Tangos" + folder, "Heavy Gunner", ""},
        {0, Team::Seals, "e W", "Seals (named at the start; tvcc.cfg names the Tangos)" + folder, "Sniperx Medic",
         "seals"},
        // A team switch makes the settings file name the other team, as ever.
        {1, Team::Tangos, "T", "Seals (the Tangos' classes in memory)" + folder, "Heavy Gunner", ""},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.commands + (" " + row.place));
        ASSERT_TRUE(saveFileAtomically(seals(), classFile({"Sniper", "Medic"})));
        ASSERT_TRUE(saveFileAtomically(tangos(), classFile({"Heavy", "Gunner"})));
        fs::remove(settings());
        if (row.settingsSeals >= 0) {
            ASSERT_TRUE(saveFileAtomically(settings(), settingsFileBytes(row.settingsSeals, "\n")));
        }
        const std::string sealsBefore = readWholeFile(seals()).bytes, tangosBefore = readWholeFile(tangos()).bytes;
        const std::string settingsBefore = readWholeFile(settings()).bytes;
        newSessionIn(GameFolder::at(first.path));
        session->start(row.named);
        EXPECT_EQ(view.status, "2 Config Classes Read");
        if (std::string_view(row.commands).starts_with('T'))
            view.answer("yy");
        run(row.commands);
        EXPECT_EQ(view.unanswered(), 0u);
        EXPECT_EQ(view.place, row.place);
        std::string names;
        for (const ClassRecord &record : session->document().classesWith(&view.boxes))
            names += (names.empty() ? "" : " ") + std::string(record.classname.view());
        EXPECT_EQ(names, row.classes);
        EXPECT_EQ(readWholeFile(seals()).bytes != sealsBefore, std::string(row.written) == "seals");
        EXPECT_EQ(readWholeFile(tangos()).bytes != tangosBefore, std::string(row.written) == "tangos");
        if (!std::string_view(row.commands).starts_with('T')) {
            EXPECT_EQ(readWholeFile(settings()).bytes, settingsBefore);
        }
    }
}

} // namespace
