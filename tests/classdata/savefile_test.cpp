#include "safesave.h"
#include "testclasses.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#ifndef _WIN32
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#endif

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

    bool save(const fs::path &path, std::string_view bytes)
    {
        return saveFileAtomically(path, bytes, &error);
    }

    const fs::path folder =
        fs::path(testing::TempDir()) / testing::UnitTest::GetInstance()->current_test_info()->name();
    const fs::path target = folder / "tvclass_seals.cfg";
    std::string error;
};

TEST_F(SaveFile, FailsWithAReasonWhenTheTargetIsAFolder)
{
    EXPECT_FALSE(save(folder, "new contents\n"));
    EXPECT_FALSE(error.empty());
    EXPECT_TRUE(fs::is_directory(folder));
}

#ifndef _WIN32
TEST_F(SaveFile, ReplacesTheFileThroughALinkAndKeepsItsPermissions)
{
    fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    const fs::path link = folder / "link.cfg";
    fs::create_symlink(target, link);
    ASSERT_TRUE(save(link, "new contents\n")) << error;
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(fileBytes(target.string()), "new contents\n");
    EXPECT_EQ(fs::status(target).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

// A killed save leaves its side file; the next save of the same file clears it.
TEST_F(SaveFile, RemovesSideFilesThatAKilledSaveLeft)
{
    for (const char *name : {"tvclass_seals.cfg.new0", "tvclass_seals.cfg.new7", "tvclass_seals.cfg.old0"})
        std::ofstream(folder / name) << "half";
    std::ofstream(folder / "tvclass_tangos.cfg.new0") << "another file's";
    ASSERT_TRUE(save(target, "new contents\n")) << error;
    EXPECT_EQ(fileBytes(target.string()), "new contents\n");
    EXPECT_FALSE(fs::exists(folder / "tvclass_seals.cfg.new0"));
    EXPECT_FALSE(fs::exists(folder / "tvclass_seals.cfg.new7"));
    EXPECT_FALSE(fs::exists(folder / "tvclass_seals.cfg.old0"));
    EXPECT_TRUE(fs::exists(folder / "tvclass_tangos.cfg.new0"));
}

// Whether to replace a read-only file is the caller's question, as the session rows show.
TEST_F(SaveFile, NewFileGetsTheUmasksModeAndAReadOnlyOneStaysReadOnly)
{
    const fs::path fresh = folder / "tvclass_tangos.cfg";
    const mode_t old = umask(027);
    const bool saved = save(fresh, "x");
    umask(old);
    ASSERT_TRUE(saved) << error;
    struct stat info{};
    ASSERT_EQ(::stat(fresh.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);

    fs::permissions(target, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    ASSERT_TRUE(save(target, "replaced")) << error; // replaced all the same: the caller asks
    EXPECT_EQ(fileBytes(target.string()), "replaced");
    EXPECT_EQ(fs::status(target).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
}

// A file size limit stands in for a full disk: the writes run short and fail.
TEST_F(SaveFile, LeavesTheOldFileWhenTheDiskIsFull)
{
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
    EXPECT_FALSE(error.empty());
    EXPECT_TRUE(fileBytes(target.string()) == "old contents\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1);
}
#endif

} // namespace
