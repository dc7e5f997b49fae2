// The editing session as command sequences against a fake window: what it
// asks, what it writes, what the form shows afterwards.

#include "../sessioncommands.h"

#include "classdata/format/classfilereader.h"
#include "classdata/files/safesave.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <memory>
#include <optional>
#include <functional>
#include <future>
#include <sstream>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

using namespace tolvane;

namespace fs = std::filesystem;

namespace {

struct Row
{
    const char *name;
    // the letters of runSessionCommand and SessionBench; the Seals file holds A B
    const char *commands;
    const char *answers; // see FakeView::answer
    const char *asked;   // see FakeView::asked
    const char *seals;   // the class names in the first folder's files; "-": none
    const char *tangos;
    const char *shown; // the class name in the form
    bool unsaved;
    int sealsActive;
    // Q: quit or stay; O: open or kept; then "settings" when the settings file was written
    const char *events;
};

const Row rows[] = {
    {"WriteTwice", "L e W e W", "", "", "Axx B", "-", "Axx", false, 1, ""},
    {"WriteAfterMoves", "L e n e W", "", "", "Ax Bx", "-", "Bx", false, 1, ""},
    {"WriteWithoutLoadAsksAboutTheFile", "e W", "n", "E", "A B", "-", "x", true, 1, ""},
    {"WriteWithoutLoadReplacesOnYes", "e W", "y", "E", "x", "-", "x", false, 1, ""},
    {"WriteAfterAChangeOnDiskAsks", "L D e W", "c", "C", "Disk", "-", "Ax", true, 1, ""},
    {"WriteAfterAChangeOnDiskReplaced", "L D W", "r", "C", "A B", "-", "A", false, 1, ""},
    {"WriteAfterReloadingTheChange", "L D L W", "", "", "Disk", "-", "Disk", false, 1, ""},
    {"WriteAfterTheMissingFileAppearedAsks", "M L D e W", "c", "C", "Disk", "-", "?x", true, 1, ""},
    {"WriteToTheOtherTeamsFileAsks", "L N T W", "yyn", "TRO", "A B", "New", "A", false, 0, "settings"},
    // The first class file of a folder is written only on Yes.
    {"WriteIntoAFolderWithoutClassFilesAsks", "M e W", "n", "F", "-", "-", "x", true, 1, ""},
    {"WriteIntoAFolderWithoutClassFilesOnYes", "M e W", "y", "F", "x", "-", "x", false, 1, ""},
    {"WriteBesideTheOtherTeamsFileAsksNothing", "M N e W", "", "", "x", "New", "x", false, 1, ""},
    {"SaveToMemoryKeepsTheMark", "L e S", "", "", "A B", "-", "Ax", true, 1, ""},
    // The moves store the form first; Next and Prev. not at the ends.
    {"LastAndFirstKeepTheEdit", "L e l f", "", "", "A B", "-", "Ax", true, 1, ""},
    {"AddClassKeepsTheEdit", "L e a l f", "", "", "A B", "-", "Ax", true, 1, ""},
    {"NextAtTheEndStoresNothing", "L l e n f", "", "", "A B", "-", "A", true, 1, ""},
    // The team toggle and its questions.
    {"ToggleWritesTheSettings", "T", "yy", "TR", "A B", "-", "", false, 0, "settings"},
    {"ToggleRefused", "T", "n", "T", "A B", "-", "", false, 1, ""},
    {"ToggleWithoutRestartNote", "T", "yn", "TR", "A B", "-", "", false, 0, ""},
    {"ToggleCancelledKeepsTheEdit", "L e T", "c", "U", "A B", "-", "Ax", true, 1, ""},
    {"ToggleWritesOutFirst", "L e T", "wyy", "UTR", "Ax B", "-", "Ax", false, 0, "settings"},
    {"ToggleDiscardRestoresTheClasses", "L e T W", "dyy", "UTR", "A B", "A B", "A", false, 0, "settings"},
    {"ToggleDiscardDropsAddedClasses", "L a l e T W", "dyy", "UTR", "A B", "A B", "B", false, 0, "settings"},
    {"ToggleRefusedAfterDiscard", "L e T", "dn", "UT", "A B", "-", "A", false, 1, ""},
    // Switching folders, with each answer.
    {"OpenFolderCancelled", "L e O", "c", "U", "A B", "-", "Ax", true, 1, "kept"},
    {"OpenFolderWritesOutFirst", "L e O", "w", "U", "Ax B", "-", "", false, 1, "open"},
    {"OpenFolderDiscards", "L e O", "d", "U", "A B", "-", "", false, 1, "open"},
    {"OpenFolderWithoutChanges", "L O", "", "", "A B", "-", "", false, 1, "open"},
    {"OpenFolderFailedWriteStays", "L D e O", "wc", "UC", "Disk", "-", "Ax", true, 1, "kept"},
    // Quit and closing the window; Load Config asks the same.
    {"QuitWithoutChanges", "L Q", "", "", "A B", "-", "A", false, 1, "quit"},
    {"QuitCancelled", "L e Q", "c", "U", "A B", "-", "Ax", true, 1, "stay"},
    {"QuitWritesOut", "L e Q", "w", "U", "Ax B", "-", "Ax", false, 1, "quit"},
    {"QuitDiscards", "L e Q", "d", "U", "A B", "-", "A", false, 1, "quit"},
    {"LoadDiscards", "L e L", "d", "U", "A B", "-", "A", false, 1, ""},
    // A read-only class file is replaced only on Yes, and stays read-only.
    {"WriteToReadOnlyRefused", "L R e W", "n", "P", "A B", "-", "Ax", true, 1, ""},
    {"WriteToReadOnlyOnYes", "L R e W", "y", "P", "Ax B", "-", "Ax", false, 1, ""},
    // The file is compared right before the write: a change while a question
    // was open is a change on disk, asked about again.
    {"ChangeWhileAskingAsksAgain", "L R A e W", "yc", "PC", "Disk", "-", "Ax", true, 1, ""},
    {"ChangeWhileAskingReplaced", "L R A e W", "yry", "PCP", "Ax B", "-", "Ax", false, 1, ""},
    {"ChangeWhileAskingAboutAnUnknownFile", "A e W", "yn", "EE", "Disk", "-", "x", true, 1, ""},
};

class SessionFixture : public ::testing::Test, protected SessionBench
{
protected:
    SessionFixture() : SessionBench({"A", "B"}) {}
    void TearDown() override { EXPECT_EQ(view.unanswered(), 0u) << "an expected question was never asked"; }
};

class SessionTest : public SessionFixture, public ::testing::WithParamInterface<Row>
{};

TEST_P(SessionTest, CommandsAskWriteAndShowWhatTheUserExpects)
{
    const Row &row = GetParam();
    view.answer(row.answers);
    std::string events = run(row.commands);
    if (fs::exists(first.path / "tvcc.cfg"))
        events += events.empty() ? "settings" : " settings";
    EXPECT_EQ(view.asked, row.asked);
    EXPECT_EQ(namesIn(first.path, true), row.seals);
    EXPECT_EQ(namesIn(first.path, false), row.tangos);
    EXPECT_EQ(view.boxes.className, row.shown);
    EXPECT_EQ(view.unsavedMark, row.unsaved);
    EXPECT_EQ(session->document().unsaved(view.form()), row.unsaved);
    EXPECT_EQ(session->document().state().sealsActive, row.sealsActive);
    EXPECT_EQ(view.teamText, row.sealsActive ? "&Change Active-Config (Seals)" : "&Change Active-Config (Tangos)");
    EXPECT_EQ(events, row.events);
    EXPECT_EQ(session->folder().path(), events.starts_with("open") ? other.path : first.path);
    EXPECT_EQ(isReadOnlyFile(seals()), std::string_view(row.commands).find('R') != std::string_view::npos);
}

INSTANTIATE_TEST_SUITE_P(Rows, SessionTest, ::testing::ValuesIn(rows), byRowName);

using SessionFormTest = SessionFixture;

int entryOf(std::string_view displayName)
{
    const auto &entries = startingWeaponEntries();
    return int(std::ranges::find(entries, displayName) - entries.begin());
}

// ADD! sets the amount at once, says what it set and leaves the typed text;
// a pick, a move or Write Out shows the stored amount.
TEST_F(SessionFormTest, AmountGoesInOnAddAndComesBackOnAPick)
{
    ClassRecord &record = session->document().state().current();
    view.boxes.item = 36; // Rockets
    view.boxes.amount = "007";
    parts->inventory.addItem();
    EXPECT_EQ(record.inventory[36], 7);
    EXPECT_EQ(view.boxes.amount, "007");
    EXPECT_EQ(view.status, "Rockets: 0 -> 7");
    EXPECT_TRUE(view.unsavedMark);

    view.boxes.amount = "30";
    parts->inventory.pickItem();
    EXPECT_EQ(view.boxes.amount, "7");
    view.boxes.amount = "30";
    view.answer("y"); // the Seals file is there, not loaded
    session->writeOut();
    EXPECT_EQ(view.boxes.amount, "7");
    view.boxes.amount = "";
    parts->inventory.addItem();
    EXPECT_EQ(record.inventory[36], 0);
    EXPECT_EQ(view.status, "Rockets: 7 -> 0");
}

// A weapon pick changes the class at once and names it in the status line.
TEST_F(SessionFormTest, WeaponPickSetsTheInternalNameAndReportsTheStoredName)
{
    const struct
    {
        const char *entry;
        const char *internalName;
    } rows[] = {{"ASX-01 Flame Thrower", "weapon_flame"},
                {"Fists", "weapon_fists"},
                {"MAC 10", "weapon_AK97"},
                {"Mk23", "weapon_Mk23"},
                {"PSG-1", "weapon_sniper"}};
    view.boxes.className = "\xC9lite";
    for (const char *name : {"", "\xC3\x89lite"}) {
        for (const auto &row : rows) {
            view.boxes.startingWeapon = entryOf(row.entry);
            parts->inventory.pickStartingWeapon();
            EXPECT_EQ(session->document().state().current().starting_weapon.view(), row.internalName);
            EXPECT_EQ(view.status,
                      std::string("Forced [") + row.internalName + "] as Initial Weapon for [" + name + "]");
        }
        parts->classList.saveToMemory();
    }
}

// After Change Active-Config the classes in memory are the other team's
// until Load Config: the title and status say so, and Review Changes and
// Write Out compare them with the file they would write.
TEST_F(SessionFormTest, TheTeamSwitchComparesWithTheOtherTeamsFile)
{
    run("N L");
    view.answer("yy");
    session->changeActiveConfig();
    EXPECT_NE(view.status.find("classes in memory, which are still the Seals'"), std::string::npos) << view.status;
    EXPECT_NE(view.title.find("(the Seals' classes; the Tangos' file is active)"), std::string::npos);
    const std::string review = parts->review.reviewChanges();
    EXPECT_NE(review.find("tvclass_tangos.cfg holds the other team's classes"), std::string::npos) << review;
    EXPECT_NE(review.find("New class B"), std::string::npos) << review;
    EXPECT_NE(parts->review.fileDifferences().find("-classname New"), std::string::npos);
    run("L");
    EXPECT_EQ(view.title.find("classes;"), std::string::npos) << view.title;
}

// The list shows the entry of the starting weapon's display name, or none.
TEST_F(SessionFormTest, StartingWeaponSelectsItsEntryAndKeepsItsName)
{
    const struct
    {
        const char *startingWeapon;
        const char *selected; // empty: no entry
    } rows[] = {
        {"WEAPON_MP5", "H&K MP 5"}, {"weapon_laser", "Army Knife"}, {"", "Army Knife"},     {"ammo_rockets", ""},
        {"weapon_trap", ""},        {"item_silencer", ""},          {"weapon_mk23", "Mk23"}};
    for (const auto &row : rows) {
        session->document().state().current().starting_weapon.assign(row.startingWeapon);
        showRecord();
        EXPECT_EQ(view.boxes.startingWeapon, *row.selected ? entryOf(row.selected) : -1) << row.startingWeapon;
        parts->classList.saveToMemory();
        EXPECT_EQ(session->document().state().current().starting_weapon.view(), row.startingWeapon);
    }
}

// Calculate shows the defined bits of the stored class, not of the form.
TEST_F(SessionFormTest, CalculateShowsTheStoredDefinedBits)
{
    const std::pair<std::int32_t, const char *> rows[] = {
        {-1, "8386559"}, {2048, "0"}, {0x400000 | 0x10, "4194320"}, {0, "0"}};
    for (const auto &[stored, shown] : rows) {
        session->document().state().current().classabilities = stored;
        showRecord();
        view.boxes.abilities[0] = !view.boxes.abilities[0];
        parts->inventory.calculate();
        EXPECT_EQ(view.boxes.calculated, shown) << stored;
    }
}

// The status line names the class as the window shows it: Windows-1252 bytes as UTF-8.
TEST_F(SessionFormTest, StatusLineNamesTheClassInUtf8)
{
    session->document().state().table.records[1].classname.assign("\xC9lite \x80");
    parts->classList.addClass();
    parts->classList.move(Move::Last);
    EXPECT_EQ(view.status, "@ Class 1 / 1 [\xC3\x89lite \xE2\x82\xAC]");
}

TEST_F(SessionFormTest, OnlyTheAboutCommandsOpenTheAboutBox)
{
    const std::pair<unsigned, bool> rows[] = {{0x0010, true},  {0x0011, true},  {0x001F, true}, {0x0000, false},
                                              {0x0020, false}, {0xF010, false}, {0xF060, false}};
    for (const auto &[command, opensAbout] : rows)
        EXPECT_EQ(opensAboutBox(command), opensAbout) << command;
}

// Write Out keeps the lines and line ends of the file it replaces; a failed
// write is reported with the file's name, and the file stays.
TEST_F(SessionFormTest, WriteOutKeepsTheLineEndsAndReportsAFailure)
{
    const fs::path seals = first.path / "tvclass_seals.cfg";
    ASSERT_TRUE(saveFileAtomically(seals, "{\r\nclassname Scout\r\n}\r\n\r\n"));
    session->loadConfig();
    view.boxes.className = "Scouts";
    EXPECT_TRUE(session->writeOut());
    EXPECT_EQ(readWholeFile(seals).bytes, "{\r\nclassname Scouts\r\n}\r\n\r\n");
    EXPECT_EQ(view.status, "1 class written to tvclass_seals.cfg");
    fs::remove(seals);
    fs::create_directory(seals);
    // What cannot be read is not offered for replacing: nothing is asked.
    EXPECT_FALSE(session->writeOut());
    EXPECT_EQ(view.asked, "");
    EXPECT_TRUE(fs::is_directory(seals));
    ASSERT_EQ(view.told.size(), 1u);
    EXPECT_EQ(view.told[0].text.rfind(displayText(seals) + " could not be written", 0), 0u);
}

// A game folder gone since the start, or standing again under its name
// though the working directory went with the old one: each file command
// warns, names it, points to Open Folder and writes nowhere.
TEST_F(SessionFormTest, FileCommandsOfAGoneFolderWarnAndWriteNothing)
{
    const fs::path game = other.path / "game";
    const bool rootFiles = fs::exists("/tvclass_seals.cfg") || fs::exists("/tvcc.cfg");
    std::vector<GameFolder> folders = {GameFolder::at(game)};
#ifndef _WIN32 // a working directory cannot be deleted there
    const fs::path working = fs::current_path();
    const std::string pwd = std::getenv("PWD") ? std::getenv("PWD") : "";
    fs::create_directory(game);
    fs::current_path(game);
    setenv("PWD", game.c_str(), 1);
    fs::remove(game);
    folders.push_back(GameFolder::working());
    fs::current_path(working);
    setenv("PWD", pwd.c_str(), 1);
#endif
    for (const GameFolder &folder : folders) {
        for (const char *commands : {"L", "e W", "T"}) {
            SCOPED_TRACE(commands);
            fs::create_directory(game);
            newSessionIn(folder);
            reported.clear();
            session->start();
            EXPECT_EQ(reported, "Error opening tvcc.cfg\n");
            EXPECT_EQ(view.status.find(displayText(game)) != std::string::npos, !folder.resolved()) << view.status;
            if (folder.resolved())
                fs::remove(game);
            view.told.clear();
            run(commands);
            ASSERT_EQ(view.told.size(), 1u);
            EXPECT_EQ(view.told[0].icon, Questions::Icon::Warning);
            EXPECT_NE(view.told[0].text.find(displayText(game)), std::string::npos) << view.told[0].text;
            EXPECT_NE(view.told[0].text.find("Open Folder"), std::string::npos) << view.told[0].text;
            EXPECT_EQ(session->document().state().sealsActive, 1);
            EXPECT_TRUE(!fs::exists(game) || fs::is_empty(game));
            EXPECT_EQ(fs::exists("/tvclass_seals.cfg") || fs::exists("/tvcc.cfg"), rootFiles);
            fs::remove_all(game);
        }
    }
}

// A class file that cannot be read leaves the classes in memory and says why.
TEST_F(SessionFormTest, UnreadableFileLeavesTheTable)
{
    session->loadConfig();
    parts->classList.move(Move::Last);
    fs::remove(first.path / "tvclass_seals.cfg");
    fs::create_directory(first.path / "tvclass_seals.cfg");
    session->loadConfig();
    ASSERT_EQ(view.told.size(), 1u);
    EXPECT_NE(view.told[0].text.find("tvclass_seals.cfg could not be read"), std::string::npos);
    EXPECT_EQ(view.status, "@ Class 1 / 1 [B]");
    EXPECT_EQ(session->document().state().table.classCount, 2);
}

#ifndef _WIN32
// Runs command while path is a FIFO; a command that waits on it fails the
// test and is let go by a writer that comes and goes.
void runBesideFifo(const fs::path &path, const std::function<void()> &command)
{
    fs::remove(path);
    ASSERT_EQ(mkfifo(path.c_str(), 0600), 0);
    auto done = std::async(std::launch::async, command);
    if (done.wait_for(std::chrono::seconds(10)) == std::future_status::timeout) {
        ADD_FAILURE() << "waits on the FIFO " << path;
        close(open(path.c_str(), O_WRONLY | O_NONBLOCK));
    }
    done.get();
}

// The settings file as a FIFO: the start goes on, with the usual report.
TEST(SessionFileTest, StartIsNotHeldByASettingsFifo)
{
    ScratchFolder scratch("fifo");
    FakeView view;
    std::string reported;
    EditorSession session(view, view, GameFolder::at(scratch.path),
                          {[&](std::string_view line) { reported += line; }, [] { return std::vector<fs::path>(); },
                           [](const std::vector<fs::path> &) {}});
    runBesideFifo(scratch.path / "tvcc.cfg", [&] { session.start(); });
    EXPECT_EQ(reported, "Error opening tvcc.cfg\n");
    EXPECT_EQ(session.document().state().sealsActive, 1);
}
#endif

// Load Config refuses, naming the file and why, a file it would read as the
// default class alone, another program's file and anything but a regular
// file; the classes stay.
TEST_F(SessionFormTest, LoadConfigRefusesWhatIsNoClassFile)
{
    using namespace std::string_literals;
    const std::pair<std::optional<std::string>, const char *> rows[] = {
        {"// notes, no class\nclassname X\n}\n", "holds no class block"},
        {"", "holds no class block"},
        {"{\n \"volume\": 0.8\n}\n", "holds no key of a class file"},
        {"\x7f"
         "ELF\x02\x01\0\0\n{\nspeed 1\n}\n"s,
         "so it is not a class file"},
#ifndef _WIN32
        {std::nullopt, "named pipe"},
#endif
    };
    session->loadConfig();
    parts->classList.move(Move::Last);
    for (const auto &[contents, why] : rows) {
        view.told.clear();
        if (contents) {
            ASSERT_TRUE(saveFileAtomically(seals(), *contents));
            session->loadConfig();
        } else {
#ifndef _WIN32
            runBesideFifo(seals(), [&] { session->loadConfig(); });
#endif
        }
        ASSERT_EQ(view.told.size(), 1u) << why;
        EXPECT_EQ(view.told[0].icon, Questions::Icon::Warning);
        EXPECT_NE(view.told[0].text.find(displayText(seals()) + " "), std::string::npos) << view.told[0].text;
        EXPECT_NE(view.told[0].text.find(why), std::string::npos) << view.told[0].text;
        EXPECT_EQ(session->document().state().table.classCount, 2) << why;
        EXPECT_EQ(view.boxes.className, "B") << why;
        EXPECT_FALSE(session->document().unsaved(view.form())) << why;
    }
}

#ifndef _WIN32
// A folder the system takes, with a class file path it refuses: Write Out
// reports what the system said and asks nothing.
TEST(SessionFileTest, WriteOutReportsAPathTooLongForTheSystem)
{
    ScratchFolder scratch("long");
    fs::path folder = scratch.path;
    const std::size_t length = 4090; // a file name more, and the path passes the system's limit
    while (length - folder.native().size() > 201)
        folder /= std::string(200, 'd');
    folder /= std::string(length - folder.native().size() - 1, 'e');
    fs::create_directories(folder);

    FakeView view;
    EditorSession session(
        view, view, GameFolder::at(folder),
        {[](std::string_view) {}, [] { return std::vector<fs::path>(); }, [](const std::vector<fs::path> &) {}});
    session.start();
    EXPECT_FALSE(session.writeOut());
    EXPECT_EQ(view.asked, "");
    ASSERT_EQ(view.told.size(), 1u);
    EXPECT_NE(view.told[0].text.find(std::generic_category().message(ENAMETOOLONG)), std::string::npos)
        << view.told[0].text;
}
#endif

// Load Config lists the file's problems; choosing one moves to its class and
// box; a new value settles it, and after Write Out the written file's stand.
TEST_F(SessionFormTest, ProblemsOfTheFileFollowTheClasses)
{
    session->loadConfig();
    EXPECT_EQ(view.status, "2 Config Classes Read");
    EXPECT_TRUE(parts->review.problems().empty());
    ASSERT_TRUE(saveFileAtomically(first.path / "tvclass_seals.cfg",
                                   "{\nclassname A\n}\n\n{\nclassname B\nspeed 10.5\nbogus 1\n}\n"));
    session->loadConfig();
    EXPECT_EQ(view.status, "2 Config Classes Read; 2 problems");
    // In the class table's words, and in the file's for the tooltip.
    const auto listed = [this] {
        std::vector<std::string> lines;
        for (const ReviewCommands::ListedProblem &problem : parts->review.problems())
            lines.push_back(problem.text + " | " + problem.byKeys);
        return lines;
    };
    const std::vector<std::string> both = listed();
    EXPECT_EQ(both, (std::vector<std::string>{"B, line 7: TCC003 Class Speed 10.5 is outside 0 to 10; read as 1.000000 "
                                              "| B, line 7: TCC003 speed 10.5 is outside 0 to 10; read as 1.000000",
                                              "B, line 8: TCC001 unknown key \"bogus\"; line ignored | B, line 8: "
                                              "TCC001 unknown key \"bogus\"; line ignored"}));

    view.boxes.className += 'x';
    parts->review.goToProblem(0);
    EXPECT_EQ(session->document().state().currentIndex, 1);
    EXPECT_EQ(view.focused, "speed");
    EXPECT_EQ(view.status, "@ Class 1 / 1 [B]");
    EXPECT_EQ(session->document().state().table.records[0].classname.view(), "Ax") << "the move stores the form";
    view.boxes.floats[0] = "2"; // speed
    EXPECT_EQ(listed(), std::vector<std::string>(both.begin() + 1, both.end()));

    ASSERT_TRUE(session->writeOut());
    // The file keeps its unknown line; the speed line now reads as written.
    EXPECT_EQ(listed(), std::vector<std::string>(both.begin() + 1, both.end()));
}

// Review Changes: the form's edits count, as Write Out stores them first.
TEST_F(SessionFormTest, ReviewShowsWhatWriteOutWouldChange)
{
    session->loadConfig();
    EXPECT_EQ(parts->review.reviewChanges(), "No class has changed since the file was last loaded or written.\n");
    view.boxes.className += 'x';
    view.boxes.item = 36;
    view.boxes.amount = "7";
    parts->inventory.addItem();
    const std::string changed = "Ax: Classname \"A\" -> \"Ax\"; Rockets 0 -> 7\n";
    EXPECT_EQ(parts->review.reviewChanges(), changed);
    parts->classList.addClass();
    EXPECT_EQ(parts->review.reviewChanges(), changed + "New class (no name) at 2\n");
    const std::string diff = parts->review.fileDifferences();
    EXPECT_NE(diff.find("\n-classname A\n+classname Ax\n"), std::string::npos) << diff;
    EXPECT_NE(diff.find("\n+inventory ammo_rockets 7\n"), std::string::npos) << diff;
    session->writeOut();
    EXPECT_EQ(parts->review.reviewChanges(), "No class has changed since the file was last loaded or written.\n");
    EXPECT_EQ(parts->review.fileDifferences(), "");
    view.answer("y");
    parts->classList.deleteClass();
    EXPECT_EQ(parts->review.reviewChanges(), "Deleted class Ax\n") << "the others keep their blocks";
}

} // namespace
