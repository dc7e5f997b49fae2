#include "gamefolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

// A fresh folder under the system's temporary folder; the working directory
// and PWD are restored afterwards.
class GameFolderTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        oldWorking = fs::current_path();
        if (const char *pwd = std::getenv("PWD"))
            oldPwd = pwd;
        root = fs::temp_directory_path()
               / (std::string("gamefoldertest-") + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(root);
        fs::create_directories(root);
    }
    void TearDown() override
    {
        fs::current_path(oldWorking);
        setPwd(oldPwd);
        fs::remove_all(root);
    }
    static void setPwd(const fs::path &path)
    {
#ifdef _WIN32
        _putenv_s("PWD", path.string().c_str());
#else
        ::setenv("PWD", path.c_str(), 1);
#endif
    }

    fs::path oldWorking, oldPwd, root;
};

#ifndef _WIN32
// As after unpacking an update over the folder the shell stands in: the
// program's working directory is gone, though a folder of that name exists.
TEST_F(GameFolderTest, DeletedAndRecreatedWorkingDirectoryIsUnresolvedButNamed)
{
    const fs::path work = root / "game";
    fs::create_directory(work);
    fs::current_path(work);
    setPwd(work);
    fs::remove(work);
    fs::create_directory(work);

    const GameFolder folder = GameFolder::Working();
    EXPECT_FALSE(folder.resolved());
    EXPECT_EQ(folder.name(), work);
    EXPECT_EQ(folder.check(), GameFolder::Problem::Unresolved);
    EXPECT_EQ(folder.file("tvclass_seals.cfg"), fs::path()) << "never a file elsewhere";
    EXPECT_EQ(GameFolder::At("sub").name(), work / "sub");
    EXPECT_FALSE(GameFolder::At("sub").resolved());
}
#endif

TEST_F(GameFolderTest, PathIsFixedAbsoluteWhereverTheWorkingDirectoryGoesLater)
{
    fs::create_directories(root / "shell");
    fs::create_directories(root / "games" / "tolvane");
    fs::current_path(root / "shell");

    const GameFolder folder = GameFolder::At(fs::path("..") / "games" / "tolvane" / "");
    fs::current_path(root);
    EXPECT_TRUE(folder.path().is_absolute());
    EXPECT_TRUE(fs::equivalent(folder.path(), root / "games" / "tolvane"));
    EXPECT_EQ(folder.path().filename(), "tolvane");
    EXPECT_EQ(folder.check(), GameFolder::Problem::None);
    EXPECT_EQ(folder.file("tvcc.cfg"), folder.path() / "tvcc.cfg");
    EXPECT_TRUE(fs::equivalent(GameFolder::Working().path(), root));
}

TEST_F(GameFolderTest, ProblemOfEachKindOfPath)
{
    std::ofstream(root / "file.cfg") << "x";
    fs::path latin1 = root;
#ifdef _WIN32
    latin1 /= L"Spiel\u00E4";
#else
    latin1 /= "Spiel\xE4"; // not valid UTF-8
#endif
    fs::create_directory(latin1);
    const std::pair<fs::path, GameFolder::Problem> rows[] = {
        {root, GameFolder::Problem::None},
        {latin1, GameFolder::Problem::None},
        {root / "gone", GameFolder::Problem::Missing},
        {root / "file.cfg", GameFolder::Problem::NotAFolder},
        {root / "file.cfg" / "below", GameFolder::Problem::Missing},
    };
    for (const auto &[path, problem] : rows) {
        SCOPED_TRACE(path.string());
        EXPECT_EQ(GameFolder::At(path).check(), problem);
        EXPECT_EQ(GameFolder::At(path).path(), path);
    }
    EXPECT_EQ(GameFolder().check(), GameFolder::Problem::Unresolved);
    EXPECT_EQ(GameFolder::At(latin1).file("tvcc.cfg").native(), (latin1 / "tvcc.cfg").native());
}

} // namespace
