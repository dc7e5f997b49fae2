#include "classdata/files/safesave.h"
#include "../testclasses.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>
#include <tuple>
#include <vector>

#ifndef _WIN32
#include <csignal>
#include <grp.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

using namespace tolvane;

namespace {

namespace fs = std::filesystem;

class SaveFile : public testing::Test
{
protected:
    void SetUp() override
    {
        fs::remove_all(folder);
        fs::create_directories(folder);
        std::ofstream(target, std::ios::binary) << "old contents\n";
    }
    void TearDown() override { setSaveFaultForTests({}); }

    bool save(const fs::path &path, std::string_view bytes)
    {
        error = {};
        return saveFileAtomically(path, bytes, &error);
    }
    // The names in the folder, sorted: side files left show here.
    std::string entries() const
    {
        std::vector<std::string> names;
        for (const auto &entry : fs::directory_iterator(folder))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        std::string all;
        for (const std::string &name : names)
            all += name + ' ';
        return all;
    }

    const fs::path folder = fs::path(testing::TempDir())
                            / testing::UnitTest::GetInstance()->current_test_info()->name();
    const fs::path target = folder / "tvclass_seals.cfg";
    SaveError error;
};

TEST_F(SaveFile, FailsWithAReasonWhenTheTargetIsAFolder)
{
    EXPECT_FALSE(save(folder, "new contents\n"));
    EXPECT_EQ(error.reason, "it is a folder");
    EXPECT_TRUE(fs::is_directory(folder));
}

// A save fails at the replace, after the new file was written: the old file
// stays, and no side file is left.
TEST_F(SaveFile, AFailedReplaceKeepsTheOldFileAndLeavesNoSideFile)
{
    const fs::path link = folder / "other.cfg";
    for (const bool linked : {false, true}) {
        SCOPED_TRACE(linked ? "written in place" : "renamed");
        if (linked)
            fs::create_hard_link(target, link);
        std::string seen;
        setSaveFaultForTests([&](const fs::path &path) {
            EXPECT_EQ(path, target);
            seen = entries();
            return std::make_error_code(std::errc::io_error);
        });
        EXPECT_FALSE(save(target, "new contents\n"));
        EXPECT_EQ(error.text(), std::make_error_code(std::errc::io_error).message() + "; the file is unchanged");
        EXPECT_EQ(fileBytes(target.string()), "old contents\n");
        EXPECT_EQ(entries(), linked ? "other.cfg tvclass_seals.cfg " : "tvclass_seals.cfg ");
        // The side file while it is written: hidden, named for the file and this program.
        EXPECT_EQ(seen.find(".tvclass_seals.cfg.tolvane-"), 0u) << seen;
        EXPECT_NE(seen.find(linked ? ".old " : ".new "), std::string::npos) << seen;
    }
}

#ifndef _WIN32
// A file that cannot be replaced (immutable, which root may set on ext4): a
// real failure of the rename after the new file was written.
TEST_F(SaveFile, AnImmutableFileIsNotReplaced)
{
    if (std::system(("chattr +i '" + target.string() + "' 2>/dev/null").c_str()) != 0)
        GTEST_SKIP() << "no immutable files here";
    const bool saved = save(target, "new contents\n");
    std::system(("chattr -i '" + target.string() + "'").c_str());
    EXPECT_FALSE(saved);
    EXPECT_EQ(error.reason, std::make_error_code(std::errc::operation_not_permitted).message());
    EXPECT_EQ(fileBytes(target.string()), "old contents\n");
    EXPECT_EQ(entries(), "tvclass_seals.cfg ");
}

TEST_F(SaveFile, RefusesALinkAndReplacesItsTargetAndPermissionsWhenGivenIt)
{
    fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    const fs::path link = folder / "link.cfg";
    fs::create_symlink(target, link);
    EXPECT_FALSE(save(link, "new contents\n"));
    EXPECT_EQ(error.reason, "it is a symbolic link");
    EXPECT_EQ(symlinkTarget(link), fs::canonical(target));
    EXPECT_EQ(symlinkTarget(target), std::nullopt);
    ASSERT_TRUE(save(*symlinkTarget(link), "new contents\n")) << error.reason;
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(fileBytes(target.string()), "new contents\n");
    EXPECT_EQ(fs::status(target).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

// The user's own files beside the class file are never touched; side files
// of this program that killed saves left go once no save can be using them,
// except copies of old contents, which a torn file may need.
TEST_F(SaveFile, RemovesOnlyItsOwnSideFilesThatKilledSavesLeft)
{
    const std::pair<const char *, bool> rows[] = {
        // name, old; all but the first stay
        {".tvclass_seals.cfg.tolvane-0badf00d.new", true},
        {"tvclass_seals.cfg.old1", true},
        {"tvclass_seals.cfg.new0", true},
        {".tvclass_seals.cfg.tolvane-0badf00e.new", false},
        {".tvclass_seals.cfg.tolvane-0badf00f.old", true},
        {".tvclass_tangos.cfg.tolvane-0badf00d.new", true},
        {".tvclass_seals.cfg.tolvane-0badf00d.new.bak", true},
    };
    for (const auto &[name, old] : rows) {
        std::ofstream(folder / name) << "someone's";
        if (old)
            fs::last_write_time(folder / name, fs::file_time_type::clock::now() - std::chrono::hours(1));
    }
    ASSERT_TRUE(save(target, "new contents\n")) << error.reason;
    EXPECT_EQ(fileBytes(target.string()), "new contents\n");
    for (const auto &[name, old] : rows)
        EXPECT_EQ(fs::exists(folder / name), name != rows[0].first) << name;
}

// Two saves of one file at once never take each other's side file away.
TEST_F(SaveFile, TwoSavesOfOneFileAtOnceBothSucceed)
{
    int failures[2] = {};
    auto saves = [&](int which) {
        SaveError mine;
        for (int i = 0; i < 200; ++i)
            failures[which] += !saveFileAtomically(target, std::string(1000 + which, 'x'), &mine);
    };
    std::thread other(saves, 1);
    saves(0);
    other.join();
    EXPECT_EQ(failures[0] + failures[1], 0);
    EXPECT_EQ(entries(), "tvclass_seals.cfg ");
}

// Whether to replace a read-only file is the caller's question, as the session rows show.
TEST_F(SaveFile, NewFileGetsTheUmasksModeAndAReadOnlyOneStaysReadOnly)
{
    const fs::path fresh = folder / "tvclass_tangos.cfg";
    const mode_t old = umask(027);
    const bool saved = save(fresh, "x");
    umask(old);
    ASSERT_TRUE(saved) << error.reason;
    struct stat info = {};
    ASSERT_EQ(::stat(fresh.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);

    fs::permissions(target, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    ASSERT_TRUE(save(target, "replaced")) << error.reason; // replaced all the same: the caller asks
    EXPECT_EQ(fileBytes(target.string()), "replaced");
    EXPECT_EQ(fs::status(target).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
}

// Runs as the user nobody while it lives, when the tests run as root.
class AsNobody
{
public:
    AsNobody()
    {
        if (geteuid() != 0)
            return;
        groups.resize(std::size_t(getgroups(0, nullptr)));
        getgroups(int(groups.size()), groups.data());
        EXPECT_EQ(setgroups(0, nullptr), 0);
        EXPECT_EQ(setegid(nobody), 0);
        EXPECT_EQ(seteuid(nobody), 0);
    }
    ~AsNobody()
    {
        if (!wasRoot)
            return;
        EXPECT_EQ(seteuid(0), 0);
        EXPECT_EQ(setegid(0), 0);
        EXPECT_EQ(setgroups(groups.size(), groups.data()), 0);
    }
    static constexpr uid_t nobody = 65534;

private:
    bool wasRoot = geteuid() == 0;
    std::vector<gid_t> groups;
};

// A file a rename would not keep as it is, written in place: the names of a
// hard-linked file all see the new contents, and a file in a folder this
// process may not write is written all the same.
TEST_F(SaveFile, WritesInPlaceWhereARenameWouldSplitOrCannotBeDone)
{
    const fs::path link = folder / "other.cfg";
    fs::create_hard_link(target, link);
    ASSERT_TRUE(save(target, "new contents\n")) << error.reason;
    EXPECT_EQ(fileBytes(link.string()), "new contents\n");
    EXPECT_EQ(fs::hard_link_count(target), 2u);
    EXPECT_EQ(entries(), "other.cfg tvclass_seals.cfg ");

    fs::remove(link);
    fs::permissions(target, fs::perms::all);
    fs::permissions(folder,
                    fs::perms::owner_read | fs::perms::owner_exec | fs::perms::others_read | fs::perms::others_exec);
    bool saved = false;
    {
        AsNobody nobody;
        saved = save(target, "newer contents\n");
    }
    fs::permissions(folder, fs::perms::owner_all);
    EXPECT_TRUE(saved) << error.reason;
    EXPECT_EQ(fileBytes(target.string()), "newer contents\n");
    EXPECT_EQ(entries(), "tvclass_seals.cfg ");
}

// The new file gets the old one's owner and group; where it cannot, a
// writable file is written in place, and another is left as it was.
TEST_F(SaveFile, KeepsTheOwnerAndGroupOrTheOldFile)
{
    if (geteuid() != 0)
        GTEST_SKIP() << "giving a file another owner takes root";
    constexpr uid_t other = 1234;
    const std::tuple<const char *, uid_t, bool, fs::perms, bool> rows[] = {
        // row, owner (the group is other), as nobody, mode, saved
        {"root replaces", other, false, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read, true},
        {"root replaces its file of another group", 0, false, fs::perms::owner_read | fs::perms::owner_write, true},
        {"nobody writes in place", other, true, fs::perms::all, true},
        {"nobody may not", other, true, fs::perms::owner_read | fs::perms::owner_write | fs::perms::others_read, false},
    };
    fs::permissions(folder, fs::perms::all);
    for (const auto &[row, owner, asNobody, mode, saved] : rows) {
        SCOPED_TRACE(row);
        std::ofstream(target, std::ios::binary) << "old contents\n";
        ASSERT_EQ(chown(target.c_str(), owner, other), 0);
        fs::permissions(target, mode);
        bool done = false;
        if (asNobody) {
            AsNobody nobody;
            done = save(target, "new contents\n");
        } else {
            done = save(target, "new contents\n");
        }
        EXPECT_EQ(done, saved) << error.reason;
        struct stat info = {};
        ASSERT_EQ(::stat(target.c_str(), &info), 0);
        EXPECT_EQ(info.st_uid, owner);
        EXPECT_EQ(info.st_gid, other);
        EXPECT_EQ(fs::status(target).permissions(), mode);
        EXPECT_EQ(fileBytes(target.string()), saved ? "new contents\n" : "old contents\n");
        if (!saved) {
            EXPECT_NE(error.reason.find("owner"), std::string::npos) << error.reason;
        }
        EXPECT_EQ(entries(), "tvclass_seals.cfg ");
    }
}

// A file size limit stands in for a full disk: the writes run short and
// fail; a file written in place gets its old contents back.
TEST_F(SaveFile, LeavesTheOldFileWhenTheDiskIsFull)
{
    for (const bool linked : {false, true}) {
        SCOPED_TRACE(linked ? "written in place" : "renamed");
        if (linked)
            fs::create_hard_link(target, folder / "other.cfg");
        rlimit old{};
        ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
        rlimit small = old;
        small.rlim_cur = 4096;
        ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
        auto *oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        // Just over the limit, only the last write runs short; far over, all do.
        bool saved[] = {save(target, std::string(4100, 'x')), save(target, std::string(100000, 'x'))};
        setrlimit(RLIMIT_FSIZE, &old);
        std::signal(SIGXFSZ, oldHandler);

        EXPECT_FALSE(saved[0]);
        EXPECT_FALSE(saved[1]);
        EXPECT_FALSE(error.reason.empty());
        EXPECT_TRUE(error.previousContents.empty());
        EXPECT_TRUE(fileBytes(target.string()) == "old contents\n");
        EXPECT_EQ(entries(), linked ? "other.cfg tvclass_seals.cfg " : "tvclass_seals.cfg ");
    }
}
#endif

} // namespace
