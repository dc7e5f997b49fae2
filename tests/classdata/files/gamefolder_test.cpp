#include "classdata/files/gamefolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

using namespace tolvane;

namespace fs = std::filesystem;

namespace {

// Real folders in a fresh temporary folder; the working directory and PWD
// come back afterwards.
class GameFolderTest : public ::testing::Test
{
protected:
    void SetUp() override { fs::create_directories(root); }
    void TearDown() override
    {
        fs::current_path(oldWorking);
        setPwd(oldPwd);
        fs::remove_all(root);
    }
    static void setPwd(const std::string &path)
    {
#ifdef _WIN32
        _putenv_s("PWD", path.c_str());
#else
        ::setenv("PWD", path.c_str(), 1);
#endif
    }

    const fs::path oldWorking = fs::current_path();
    const std::string oldPwd = std::getenv("PWD") ? std::getenv("PWD") : "";
    const fs::path root = fs::temp_directory_path()
                          / (std::string("gamefolder-")
                             + ::testing::UnitTest::GetInstance()->current_test_info()->name());
};

#ifndef _WIN32
// As after unpacking an update over the folder a shell stands in: the
// working directory is gone, though a folder of that name exists again.
TEST_F(GameFolderTest, DeletedAndRecreatedWorkingDirectoryIsUnresolvedButNamed)
{
    const fs::path work = root / "game";
    fs::create_directory(work);
    fs::current_path(work);
    setPwd(work.string());
    fs::remove(work);
    fs::create_directory(work);

    const GameFolder folder = GameFolder::working();
    EXPECT_EQ(folder.check(), GameFolder::Problem::Unresolved);
    EXPECT_EQ(folder.name(), work);
    EXPECT_EQ(folder.file("tvclass_seals.cfg"), fs::path()) << "never a file elsewhere";
    EXPECT_EQ(GameFolder::at("sub").check(), GameFolder::Problem::Unresolved);
    EXPECT_EQ(GameFolder::at("sub").name(), work / "sub");
}
#endif

// A relative folder is made absolute once, against the working directory of
// that moment; each kind of path has its problem.
TEST_F(GameFolderTest, FixedAbsolutePathAndItsProblem)
{
    fs::create_directories(root / "shell");
    fs::create_directories(root / "games" / "tolvane");
    std::ofstream(root / "file.cfg") << "x";
#ifdef _WIN32
    const fs::path latin1 = root / L"Spiel\u00E4";
#else
    const fs::path latin1 = root / "Spiel\xE4"; // not valid UTF-8
#endif
    fs::create_directory(latin1);
    fs::current_path(root / "shell");
    const GameFolder relative = GameFolder::at(fs::path("..") / "games" / "tolvane" / "");
    fs::current_path(root);
    EXPECT_TRUE(relative.path().is_absolute());
    EXPECT_TRUE(fs::equivalent(relative.path(), root / "games" / "tolvane"));
    EXPECT_EQ(relative.path().filename(), "tolvane");

    const std::pair<GameFolder, GameFolder::Problem> rows[] = {
        {relative, GameFolder::Problem::None},
        {GameFolder::at(latin1), GameFolder::Problem::None},
        {GameFolder::at(root / "gone"), GameFolder::Problem::Missing},
        {GameFolder::at(root / "file.cfg"), GameFolder::Problem::NotAFolder},
        {GameFolder::at(root / "file.cfg" / "below"), GameFolder::Problem::Missing},
        {GameFolder(), GameFolder::Problem::NotChosen},
    };
    for (const auto &[folder, problem] : rows)
        EXPECT_EQ(folder.check(), problem) << folder.name().string();
    EXPECT_EQ(GameFolder::at(latin1).file("tvcc.cfg").native(), (latin1 / "tvcc.cfg").native());
}

} // namespace
