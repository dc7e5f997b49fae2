#include "classdata/files/backupstore.h"
#include "classdata/files/fileio.h"
#include "../testclasses.h"
#include "classdata/files/userdata.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <utility>

#ifndef _WIN32
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#endif

using namespace tolvane;

namespace {

namespace fs = std::filesystem;

#ifdef _WIN32
constexpr const char *dataVariable = "LOCALAPPDATA";
#else
constexpr const char *dataVariable = "XDG_DATA_HOME";
#endif

// A relative folder is no folder: it would put the data below the working
// directory, which may be a game folder.
TEST(UserData, FolderComesFromTheEnvironmentAndNeverIsRelative)
{
    const char *old = std::getenv(dataVariable);
    const std::string kept = old ? old : "";
    const fs::path base = scratchFolder("data");
    setEnvironment(dataVariable, pathBytes(base));
#ifdef _WIN32
    EXPECT_EQ(userDataFolder(), base / "Tolvane Class Creator");
    setEnvironment(dataVariable, "relative\\data");
    EXPECT_EQ(backupsFolder(userDataFolder()), fs::path());
#else
    EXPECT_EQ(userDataFolder(), base / "tolvane-class-creator");
    const char *home = std::getenv("HOME");
    const std::string keptHome = home ? home : "";
    setEnvironment("HOME", "/home/modder");
    for (const char *ignored : {"", "relative/data"}) {
        setEnvironment(dataVariable, ignored);
        EXPECT_EQ(userDataFolder(), fs::path("/home/modder/.local/share/tolvane-class-creator")) << ignored;
    }
    setEnvironment("HOME", "home/modder");
    EXPECT_EQ(recoveryFolder(userDataFolder()), fs::path());
    setEnvironment("HOME", keptHome);
#endif
    setEnvironment(dataVariable, kept);
}

TEST(UserData, KeyedNamesAreSafeReadableAndOneForEachPath)
{
    const fs::path base = scratchFolder("keys");
    std::vector<std::pair<std::string, std::string>> rows = {
#ifdef _WIN32
        {"My Mod", "my mod-"}, // names that ignore case, in lower case
#else
        {"My Mod", "My Mod-"},
#endif
        {std::string(39, 'x') + "\xC3\xA4", std::string(39, 'x') + "-"}, // cut before a character, not inside
    };
#ifndef _WIN32
    rows.emplace_back("a<b>:c|d?*\x01.", "a_b__c_d____-"); // no name Windows would refuse
#endif
    for (const auto &[name, prefix] : rows) {
        const std::string key = pathBytes(keyedName(base / utf8Path(name)));
        EXPECT_EQ(key.substr(0, prefix.size()), prefix);
        EXPECT_EQ(key.size(), prefix.size() + 8) << key;
    }
    fs::create_directories(base / "mod");
    EXPECT_EQ(keyedName(base / "mod"), keyedName(base / "other" / ".." / "mod"));
    EXPECT_NE(keyedName(base / "mod"), keyedName(base / "other" / "mod"));
#ifdef _WIN32
    EXPECT_EQ(keyedName(base / "mod"), keyedName(base / "MOD"));
#else
    fs::create_directory_symlink(base / "mod", base / "link");
    EXPECT_EQ(keyedName(base / "mod"), keyedName(base / "link"));
#endif
}

class Backups : public testing::Test
{
protected:
    const fs::path data = scratchFolder("data");
    const fs::path game = scratchFolder("game");
    const BackupStore store{backupsFolder(data)};
    std::string error;
};

TEST_F(Backups, KeepsTheLastTenVersionsNewestFirst)
{
    const fs::path seals = game / "tvclass_seals.cfg", tangos = game / "tvclass_tangos.cfg";
    const auto start = std::chrono::system_clock::now() - std::chrono::seconds(1);
    for (int i = 1; i <= 12; ++i)
        ASSERT_TRUE(store.keep(seals, "version " + std::to_string(i), &error)) << error;
    ASSERT_TRUE(store.keep(seals, "version 12", &error)) << "the newest again";
    ASSERT_TRUE(store.keep(tangos, "tangos", &error));
    const std::vector<BackupStore::Version> versions = store.versions(seals);
    ASSERT_EQ(versions.size(), 10u);
    for (std::size_t i = 0; i < versions.size(); ++i) {
        EXPECT_EQ(readWholeFile(versions[i].path).bytes, "version " + std::to_string(12 - i));
        EXPECT_GE(versions[i].time, std::chrono::floor<std::chrono::seconds>(start));
        EXPECT_LE(versions[i].time, std::chrono::system_clock::now());
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(store.folderFor(seals)), {}), 10);
    EXPECT_EQ(store.versions(tangos).size(), 1u);
    EXPECT_EQ(store.folderFor(seals).parent_path(), store.folderFor(tangos).parent_path());
    EXPECT_EQ(store.folderFor(seals).parent_path().parent_path(), backupsFolder(data));
    EXPECT_EQ(std::distance(fs::directory_iterator(game), {}), 0) << "nothing in the game folder";
    EXPECT_TRUE(store.versions(game / "other.cfg").empty());
}

// Past 999999 the number grows a digit: those versions are listed, newest
// first, and the oldest still go.
TEST_F(Backups, NumbersPastSixDigitsAreListedAndPruned)
{
    const fs::path seals = game / "tvclass_seals.cfg";
    const fs::path folder = store.folderFor(seals);
    fs::create_directories(folder);
    for (int number = 999991; number <= 1000000; ++number)
        std::ofstream(folder / ("20240131-142501Z-" + std::to_string(number) + ".cfg")) << number;
    ASSERT_TRUE(store.keep(seals, "newest", &error)) << error;
    const std::vector<BackupStore::Version> versions = store.versions(seals);
    ASSERT_EQ(versions.size(), 10u);
    EXPECT_EQ(versions[0].number, 1000001);
    EXPECT_EQ(readWholeFile(versions[0].path).bytes, "newest");
    EXPECT_EQ(versions[1].number, 1000000);
    EXPECT_EQ(readWholeFile(versions[1].path).bytes, "1000000");
    EXPECT_EQ(versions[9].number, 999992);
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), {}), 10);
}

// The side files of saves killed long ago go; those of a save that may still
// be running, and files not of this program, stay.
TEST_F(Backups, SideFilesOfKilledSavesGo)
{
    const fs::path seals = game / "tvclass_seals.cfg";
    const fs::path folder = store.folderFor(seals);
    fs::create_directories(folder);
    const std::pair<const char *, bool> rows[] = {
        // name, whether it goes
        {".20240131-142501Z-000001.cfg.tolvane-0badf00d.new", true},
        {".20240131-142502Z-000002.cfg.tolvane-0badf00e.new", false}, // new: a save may be writing it
        {"notes.txt", false},
        {".tolvane-0badf00d.new", false},
    };
    for (const auto &[name, goes] : rows) {
        std::ofstream(folder / name) << "x";
        if (goes || name != rows[1].first)
            fs::last_write_time(folder / name, fs::file_time_type::clock::now() - std::chrono::hours(1));
    }
    ASSERT_TRUE(store.keep(seals, "kept", &error)) << error;
    for (const auto &[name, goes] : rows)
        EXPECT_EQ(fs::exists(folder / name), !goes) << name;
}

#ifndef _WIN32
// A version is no more open to others than its file: a private file's
// versions are private.
TEST_F(Backups, VersionsAreNoWiderThanTheirFile)
{
    const fs::path seals = game / "tvclass_seals.cfg";
    const std::pair<fs::perms, fs::perms> rows[] = {
        {fs::perms::owner_read | fs::perms::owner_write, fs::perms::owner_read | fs::perms::owner_write},
        {fs::perms(0640), fs::perms(0640)},
        {fs::perms(0644), fs::perms(0644)},
        {fs::perms(0444), fs::perms(0644)}, // the owner may still read and remove it
    };
    const mode_t mask = umask(022);
    int n = 0;
    for (const auto &[mode, kept] : rows) {
        fs::remove(seals);
        std::ofstream(seals) << "class file";
        fs::permissions(seals, mode);
        std::filesystem::path version;
        EXPECT_TRUE(store.keep(seals, "version " + std::to_string(++n), &error, &version)) << error;
        EXPECT_EQ(fs::status(version).permissions() & fs::perms::all, kept) << unsigned(mode);
    }
    fs::remove(seals);
    std::filesystem::path version;
    EXPECT_TRUE(store.keep(seals, "of a file gone", &error, &version)) << error;
    umask(mask);
    EXPECT_EQ(fs::status(version).permissions() & fs::perms::all, fs::perms(0600)) << "nothing to go by";
}
#endif

// The caller's own save goes on; the store only says why it kept nothing.
TEST_F(Backups, SaysWhyWhenNothingCanBeKept)
{
    std::ofstream(data / "blocked") << "a file where the folder should be";
    const BackupStore blocked(backupsFolder(data / "blocked"));
    EXPECT_FALSE(blocked.keep(game / "tvclass_seals.cfg", "old", &error));
    EXPECT_NE(error.find("blocked"), std::string::npos) << error;
    EXPECT_TRUE(blocked.versions(game / "tvclass_seals.cfg").empty());
    EXPECT_FALSE(BackupStore(backupsFolder({})).keep(game / "tvclass_seals.cfg", "old", &error));
    EXPECT_NE(error.find("no folder"), std::string::npos) << error;
#ifndef _WIN32
    // A file size limit stands in for a full disk.
    ASSERT_TRUE(store.keep(game / "tvclass_seals.cfg", "small", &error));
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    rlimit small = old;
    small.rlim_cur = 4096;
    setrlimit(RLIMIT_FSIZE, &small);
    auto *oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    const bool kept = store.keep(game / "tvclass_seals.cfg", std::string(10000, 'x'), &error);
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_FALSE(kept);
    ASSERT_EQ(store.versions(game / "tvclass_seals.cfg").size(), 1u);
    EXPECT_EQ(readWholeFile(store.versions(game / "tvclass_seals.cfg")[0].path).bytes, "small");
#endif
}

} // namespace
