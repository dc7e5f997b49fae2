// What the session keeps in the user's data folder, never in the game folder:
// the versions Write Out replaces, and the unsaved classes for a restore
// after a crash.

#include "../sessioncommands.h"

#include "classdata/files/backupstore.h"
#include "classdata/files/recoverystore.h"
#include "classdata/files/safesave.h"
#include "classdata/files/userdata.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace tolvane;

namespace {

class SessionDataTest : public ::testing::Test, protected SessionBench
{
protected:
    SessionDataTest() : SessionBench({"A", "B"}) {}
    void TearDown() override
    {
        setSaveFaultForTests({});
        EXPECT_EQ(view.unanswered(), 0u) << "an expected question was never asked";
    }
    // Beyond the commands of SessionBench: K keeps the recovery as the
    // window's timer does; X ends the run without a word (a crash) and starts
    // a new one in the first folder, Y in the other; P opens the first folder;
    // C copies the first folder's recovery file to the other's name.
    std::string runWithRestarts(const std::string &line)
    {
        std::istringstream commands(line);
        std::string events;
        for (std::string command; commands >> command;) {
            if (command == "K") {
                parts->recovery.keepRecovery();
            } else if (command == "X" || command == "Y") {
                newSessionIn(GameFolder::at(command == "X" ? first.path : other.path));
                session->start();
            } else if (command == "C") {
                const RecoveryStore store(recoveryFolder(data.path));
                fs::copy_file(store.fileFor(first.path), store.fileFor(other.path));
            } else if (command == "P") {
                session->openFolder(GameFolder::at(first.path));
            } else {
                events += run(command);
            }
        }
        return events;
    }
    BackupStore backups() const { return BackupStore(backupsFolder(data.path)); }
    bool recoveryKept(const fs::path &folder) const
    {
        return fs::exists(RecoveryStore(recoveryFolder(data.path)).fileFor(folder));
    }
    static std::size_t entries(const fs::path &folder)
    {
        return std::size_t(std::distance(fs::directory_iterator(folder), {}));
    }
};

struct RecoveryRow
{
    const char *name;
    const char *commands;
    const char *answers;
    const char *asked;
    const char *shown; // the class name in the form afterwards
    bool unsaved;
    const char *seals; // the class names in the Seals file afterwards
    bool kept;         // whether the first folder's recovery file is there afterwards
};

const RecoveryRow recoveryRows[] = {
    {"KeptAfterAChange", "L e K", "", "", "Ax", true, "A B", true},
    {"NoneWithoutAChange", "L K", "", "", "A", false, "A B", false},
    {"GoneWhenTheChangeIsUndone", "L e K z K", "", "", "A", false, "A B", false},
    {"RestoredAfterACrash", "L e K X", "v", "V", "Ax", true, "A B", true},
    {"RestoredWithTheFormsEdit", "L n e K X", "v", "V", "Bx", true, "A B", true},
    {"RestoredThenWrittenOut", "L e K X W", "v", "V", "Ax", false, "Ax B", false},
    {"RestoredThenMergedIntoAChangedFile", "L n e K X D W", "vmx", "VCD", "Disk", false, "Disk", false},
    {"DiscardedAfterACrash", "L e K X", "d", "V", "", false, "A B", false},
    {"NotOfferedInAnotherFolder", "L e K Y", "", "", "", false, "A B", true},
    {"NotOfferedFromAnotherFoldersFile", "L e K C Y", "", "", "", false, "A B", true},
    {"OfferedOnOpeningItsFolder", "L e K Y P", "v", "V", "Ax", true, "A B", true},
    {"GoneAfterWriteOut", "L e K W", "", "", "Ax", false, "Ax B", false},
    {"GoneAfterDiscard", "L e K L", "d", "U", "A", false, "A B", false},
    {"ReplacedByTheNextChange", "L e K e K X", "v", "V", "Axx", true, "A B", true},
    // Still the Seals' classes after the switch: Write Out asks before it
    // puts them into the Tangos file.
    {"RestoredWithoutALoadAsksBeforeReplacing", "e K X W", "vn", "VE", "x", true, "A B", true},
    {"RestoredAfterATeamSwitchStaysTheSeals", "N L T e K X W", "yyvn", "TRVO", "Ax", true, "A B", true},
};

class SessionRecoveryTest : public SessionDataTest, public ::testing::WithParamInterface<RecoveryRow>
{};

TEST_P(SessionRecoveryTest, UnsavedClassesComeBackAfterACrashInTheirFolderOnly)
{
    const RecoveryRow &row = GetParam();
    view.answer(row.answers);
    runWithRestarts(row.commands);
    EXPECT_EQ(view.asked, row.asked);
    EXPECT_EQ(view.boxes.className, row.shown);
    EXPECT_EQ(session->document().unsaved(view.form()), row.unsaved);
    EXPECT_EQ(namesIn(first.path, true), row.seals);
    EXPECT_EQ(recoveryKept(first.path), row.kept);
    for (const fs::directory_entry &entry : fs::directory_iterator(first.path)) {
        const std::string name = entry.path().filename().string();
        EXPECT_TRUE(name == "tvclass_seals.cfg" || name == "tvclass_tangos.cfg" || name == "tvcc.cfg") << name;
    }
    EXPECT_TRUE(view.told.empty());
}

INSTANTIATE_TEST_SUITE_P(Rows, SessionRecoveryTest, ::testing::ValuesIn(recoveryRows), byRowName);

// The restore question shows what writing the classes out would do to the
// file on disk as it is now.
TEST_F(SessionDataTest, TheRestoreShowsWhatDiffersFromTheFileOnDisk)
{
    view.review = [this] { return parts->review.reviewChanges() + parts->review.fileDifferences(); };
    view.answer("v");
    runWithRestarts("L e K D X");
    EXPECT_NE(view.reviewed.find("tvclass_seals.cfg as it is on disk now"), std::string::npos) << view.reviewed;
    EXPECT_NE(view.reviewed.find("Classname \"Disk\" in the file, \"Ax\" here"), std::string::npos) << view.reviewed;
    view.answer("dv");
    runWithRestarts("L e K M X");
    EXPECT_NE(view.reviewed.find("The file is gone from disk"), std::string::npos) << view.reviewed;
    EXPECT_NE(view.reviewed.find("+classname Diskx"), std::string::npos) << "the file's differences";
}

// Each Write Out keeps the version it replaces; Restore Previous Version
// puts one back into memory as one step, which Write Out writes.
TEST_F(SessionDataTest, WriteOutKeepsVersionsThatRestoreAsOneStep)
{
    runWithRestarts("L e W e W");
    const std::vector<BackupStore::Version> versions = backups().versions(seals());
    ASSERT_EQ(versions.size(), 2u);
    EXPECT_EQ(readWholeFile(versions[1].path).bytes, classFile({"A", "B"}));
    EXPECT_NE(readWholeFile(versions[0].path).bytes.find("classname Ax\n"), std::string::npos);
    EXPECT_EQ(namesIn(first.path, true), "Axx B");

    this->versions.pickedVersion = 1;
    parts->recovery.restorePreviousVersion();
    ASSERT_EQ(this->versions.versions.size(), 2u);
    EXPECT_NE(this->versions.versions[1].differences.find("Classname \"Axx\" -> \"A\""), std::string::npos)
        << this->versions.versions[1].differences;
    EXPECT_EQ(view.boxes.className, "A");
    EXPECT_TRUE(session->document().unsaved(view.form()));
    EXPECT_EQ(view.classCommands.undo, "Restore Previous Version");
    EXPECT_NE(parts->review.reviewChanges().find("Classname \"Axx\" -> \"A\""), std::string::npos);
    session->undo();
    EXPECT_EQ(view.boxes.className, "Axx");
    EXPECT_FALSE(session->document().unsaved(view.form()));
    session->redo();
    EXPECT_TRUE(session->writeOut());
    EXPECT_EQ(namesIn(first.path, true), "A B");
    EXPECT_EQ(backups().versions(seals()).size(), 3u);
    EXPECT_EQ(entries(first.path), 1u);

    this->versions.pickedVersion.reset();
    parts->recovery.restorePreviousVersion();
    EXPECT_EQ(namesIn(first.path, true), "A B") << "cancelled";
}

// Versions kept within one second (a script's writes) are listed apart.
TEST_F(SessionDataTest, VersionsOfOneSecondAreToldApart)
{
    const fs::path folder = backups().folderFor(seals());
    fs::create_directories(folder);
    for (const char *name :
         {"20240131-142500Z-000001", "20240131-142501Z-000002", "20240131-142501Z-000003", "20240131-142502Z-000004"})
        ASSERT_TRUE(saveFileAtomically(folder / (std::string(name) + ".cfg"), classFile({name})));
    parts->recovery.restorePreviousVersion();
    std::string places;
    for (const VersionChooser::KeptVersion &version : versions.versions)
        places += std::to_string(version.inSecond);
    EXPECT_EQ(places, "0210");
}

// A full disk or a read-only data folder is told once a session, and the
// class file is written all the same.
TEST_F(SessionDataTest, AFullOrReadOnlyDataFolderIsToldOnceAndTheWriteHappens)
{
    for (const std::errc why : {std::errc::no_space_on_device, std::errc::read_only_file_system}) {
        SCOPED_TRACE(int(why));
        runWithRestarts("F2 X");
        view.told.clear();
        setSaveFaultForTests([this, why](const fs::path &path) {
            return path.native().starts_with(data.path.native()) ? std::make_error_code(why) : std::error_code();
        });
        runWithRestarts("L e K W e K W");
        ASSERT_EQ(view.told.size(), 1u);
        EXPECT_NE(view.told[0].text.find(std::make_error_code(why).message()), std::string::npos) << view.told[0].text;
        EXPECT_EQ(namesIn(first.path, true), "c0xx c1");
        EXPECT_TRUE(backups().versions(seals()).empty());
        setSaveFaultForTests({});
        fs::remove_all(data.path / "backups");
    }
}

#ifndef _WIN32
// A file with a second hard link is written in place; the copy of its old
// contents that needs meanwhile is the backup, not a side file beside it,
// unless the data folder cannot take one.
TEST_F(SessionDataTest, AWriteInPlaceKeepsItsCopyAsTheBackup)
{
    fs::create_hard_link(seals(), other.path / "link.cfg");
    std::size_t during = 0;
    for (const bool dataFolderFull : {false, true}) {
        setSaveFaultForTests([&](const fs::path &path) {
            if (path == seals())
                during = entries(first.path);
            return dataFolderFull && path.native().starts_with(data.path.native())
                       ? std::make_error_code(std::errc::no_space_on_device)
                       : std::error_code();
        });
        runWithRestarts("L e W");
        EXPECT_EQ(during, dataFolderFull ? 2u : 1u) << "a copy beside the file while it was written";
        EXPECT_EQ(readWholeFile(other.path / "link.cfg").bytes, readWholeFile(seals()).bytes) << "still one file";
        EXPECT_EQ(entries(first.path), 1u);
    }
    EXPECT_EQ(backups().versions(seals()).size(), 1u);
    EXPECT_EQ(view.told.size(), 1u);
}
#endif

} // namespace
