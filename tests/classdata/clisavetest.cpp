// tolvane-classfile against the files it meets: names patch must find,
// links, things that are no files, and rewrites that fail.

#include "toolrun.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <system_error>
#include <utility>
#include <vector>

#ifndef _WIN32
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#endif

using namespace tolvane;

namespace {

// The diff's header is GNU diff's, name quoted where it must be and a tab
// after it, so that patch -p0 applies it in the file's folder.
TEST(ClassFileTool, DiffShowsWhatNormalizeWouldChangeForPatch)
{
    const std::string folder = tempPath("diff folder");
    std::filesystem::create_directories(utf8Path(folder));
    const std::string sample = fileBytes(TOLVANE_EXAMPLES "/tvclass_seals.cfg");
    std::string changed = sample;
    changed.replace(changed.find("\nspeed "), 7, "\nSPEED ");
    const std::pair<std::string, std::string> rows[] = {
        // name, as the header has it
        {"diff.cfg", "diff.cfg"},
        {"my classes.cfg", "\"my classes.cfg\""},
#ifndef _WIN32
        {"odd \\ \xff.cfg", "\"odd \\\\ \\377.cfg\""},
#endif
    };
    const std::filesystem::path working = std::filesystem::current_path();
    std::filesystem::current_path(utf8Path(folder));
    for (const auto &[name, header] : rows) {
        std::ofstream(utf8Path(name), std::ios::binary) << sample;
        EXPECT_EQ(runTool("normalize --diff " + arg(name)).out, "");
        std::ofstream(utf8Path(name), std::ios::binary) << changed;
        const ToolRun run = runTool("normalize --diff " + arg(name));
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.out.find("--- " + header + "\t\n+++ " + header + "\t\n@@ -"), 0u) << run.out;
        EXPECT_NE(run.out.find("\n-SPEED "), std::string::npos) << run.out;
        EXPECT_NE(run.out.find("\n+speed "), std::string::npos) << run.out;
#ifndef _WIN32
        std::ofstream(tempPath("patch"), std::ios::binary) << run.out;
        EXPECT_EQ(std::system(("patch -p0 --quiet < " + arg(tempPath("patch"))).c_str()), 0) << name;
        EXPECT_EQ(fileBytes(name), sample) << name;
#endif
    }
    std::filesystem::current_path(working);
}

#ifndef _WIN32
// -i refuses a symbolic link unless told to follow it; then the file it
// leads to is rewritten, and the link stays.
TEST(ClassFileTool, RewritesThroughALinkOnlyWhenTold)
{
    const std::string old = inBlock("speed 2");
    const std::string real = writeTemp("real.cfg", old);
    const std::string link = tempPath("link.cfg");
    std::filesystem::remove(link);
    std::filesystem::create_symlink(real, link);
    const ToolRun refused = runTool("normalize -i " + arg(link));
    EXPECT_EQ(refused.status, 2);
    EXPECT_EQ(refused.err,
              "tolvane-classfile: " + link
                  + ": a symbolic link, so left unchanged; --follow-symlinks rewrites the file it leads to\n");
    EXPECT_EQ(fileBytes(real), old);
    EXPECT_EQ(runTool("normalize --follow-symlinks " + arg(link)).status, 2);
    EXPECT_EQ(runTool("normalize -i --follow-symlinks " + arg(link)).status, 0);
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_NE(fileBytes(real).find("\nspeed 2.000000\n"), std::string::npos);
}

// A replace that fails after the new file was written (the file is
// immutable, which root may make it on ext4): exit status 2, the reason, the
// old file, and no side file.
TEST(ClassFileTool, ReportsAFailedReplaceAndKeepsTheFile)
{
    const std::string folder = tempPath("immutable");
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    const std::string path = folder + "/tvclass_seals.cfg", old = inBlock("speed 2");
    std::ofstream(path, std::ios::binary) << old;
    if (std::system(("chattr +i " + arg(path) + " 2>/dev/null").c_str()) != 0)
        GTEST_SKIP() << "no immutable files here";
    const ToolRun run = runTool("normalize -i --force " + arg(path));
    std::system(("chattr -i " + arg(path)).c_str());
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.err, "tolvane-classfile: " + path + ": could not be rewritten: "
                           + std::generic_category().message(EPERM) + "; the file is unchanged\n");
    EXPECT_EQ(fileBytes(path), old);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), 1);
}
#endif

// A refused path is named for what it is.
TEST(ClassFileTool, SaysWhatARefusedPathIs)
{
    std::vector<std::pair<std::string, std::string>> rows = {{tempPath("folder"), "a folder"}};
    std::filesystem::create_directories(rows[0].first);
#ifndef _WIN32
    rows.emplace_back(tempPath("socket"), "a socket");
    std::filesystem::remove(rows[1].first);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    rows[1].first.copy(address.sun_path, sizeof address.sun_path - 1);
    const int listening = socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_EQ(bind(listening, reinterpret_cast<sockaddr *>(&address), sizeof address), 0);
#endif
    for (const auto &[path, what] : rows) {
        const ToolRun run = runTool("normalize -i " + arg(path));
        EXPECT_EQ(run.status, 2);
        const std::size_t said = run.err.find(": not a regular file but " + what);
        ASSERT_NE(said, std::string::npos) << run.err;
        EXPECT_EQ(run.err.find_first_of("\r\n", said), said + 25 + what.size()) << run.err;
    }
#ifndef _WIN32
    close(listening);
#endif
}

} // namespace
