// tolvane-classfile against the files it meets: names patch must find,
// links, read-only files, files that are no class files or no files at all,
// the earlier versions it keeps, and rewrites that fail.

#include "classdata/files/backupstore.h"
#include "toolrun.h"
#include "classdata/files/userdata.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <system_error>
#include <tuple>
#include <utility>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#else
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

TEST(ClassFileTool, NormalizeChecksAndRewritesOnlyFilesThatChange)
{
    const std::string sample = fileBytes(TOLVANE_EXAMPLES "/tvclass_seals.cfg");
    const std::string clean = writeTemp("clean.cfg", sample);
    const std::string crlf = writeTemp("crlf.cfg", "// old\r\n{\r\nspeed 2\r\n}\r\n");
    std::filesystem::permissions(crlf, std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
    const auto mode = std::filesystem::status(crlf).permissions(); // on Windows only read-only or not
    const auto cleanTime = std::filesystem::last_write_time(clean);

    const ToolRun check = runTool("normalize --check " + arg(clean) + ' ' + arg(crlf));
    EXPECT_EQ(check.status, 1);
    EXPECT_EQ(check.out, crlf + '\n');
    EXPECT_EQ(fileBytes(crlf), "// old\r\n{\r\nspeed 2\r\n}\r\n");

    const ToolRun inPlace = runTool("normalize -i " + arg(clean) + ' ' + arg(crlf));
    EXPECT_EQ(inPlace.status, 0) << inPlace.err;
    EXPECT_EQ(fileBytes(clean), sample);
    EXPECT_EQ(std::filesystem::last_write_time(clean), cleanTime);
    EXPECT_NE(fileBytes(crlf).find("\r\nspeed 2.000000\r\njump 1.000000\r\n"), std::string::npos);
    EXPECT_EQ(std::filesystem::status(crlf).permissions(), mode);
    EXPECT_EQ(runTool("normalize --check " + arg(clean) + ' ' + arg(crlf)).status, 0);
}

#ifdef _WIN32
// Windows will not replace a file that another program holds open unless it
// shares deleting: then the old file stays and the message says so.
TEST(ClassFileTool, RewritesInPlaceOrSaysWhyWhileAnotherProgramHoldsTheFile)
{
    const std::string old = inBlock("speed 2");
    const std::string folder = tempPath("held");
    const std::string path = folder + "/tvclass_seals.cfg";
    for (DWORD sharing : {FILE_SHARE_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                          FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE}) {
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
        std::ofstream(path, std::ios::binary) << old;
        const HANDLE held = CreateFileW(utf8Path(path).c_str(), GENERIC_READ, sharing, nullptr, OPEN_EXISTING, 0,
                                        nullptr);
        ASSERT_NE(held, INVALID_HANDLE_VALUE);
        const ToolRun run = runTool("normalize -i " + arg(path));
        CloseHandle(held);
        if (run.status == 0) {
            EXPECT_NE(fileBytes(path).find("\nspeed 2.000000\n"), std::string::npos) << sharing;
        } else {
            EXPECT_EQ(run.status, 2) << sharing;
            EXPECT_EQ(fileBytes(path), old) << sharing;
            EXPECT_EQ(run.err.find("tolvane-classfile: " + path + ": could not be rewritten: "), 0u) << run.err;
        }
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), 1) << "a stray file; " << sharing;
    }
}
#endif

// normalize rewrites only class files; check skips the others and names what they are.
TEST(ClassFileTool, LeavesFilesThatAreNoClassFilesAlone)
{
    const std::string folder = tempPath("game \xC3\xA4");
    std::filesystem::create_directories(utf8Path(folder));
    const std::string settings = "[TolvaneClassCreator]\n\nSeals 1\n\n### END ###\n";
    std::string binary(1 << 20, '\0');
    binary.replace(100, 12, "\n{\nspeed 1\n}\n");
    const std::tuple<std::string, std::string, std::string> rows[] = {
        // name, bytes, what it is
        {folder + "/tvcc.cfg", settings, "settings file"},
        {folder + "/TVCC.CFG", inBlock("classname A"), "settings file"},
        {folder + "/notes.cfg", settings, "no class block"},
        {folder + "/volume.cfg", "{\n \"volume\": 0.8\n}\n", "no key"},
        {folder + "/binary.cfg", binary, "no key"},
    };
    for (const auto &[path, bytes, what] : rows) {
        std::ofstream(utf8Path(path), std::ios::binary) << bytes;
        for (const char *option : {"-i ", "--check ", "--diff "}) {
            const ToolRun run = runTool("normalize " + std::string(option) + arg(path));
            EXPECT_EQ(run.status, 2) << option << path;
            EXPECT_EQ(run.out, "") << option << path;
            EXPECT_NE(run.err.find("not a class file"), std::string::npos) << run.err;
        }
        EXPECT_EQ(fileBytes(path), bytes);
        const ToolRun check = runTool("check " + arg(path));
        EXPECT_EQ(check.out, "");
        EXPECT_EQ(check.status, 0);
        EXPECT_EQ(check.err.find("tolvane-classfile: " + path + " skipped: it "), 0u) << check.err;
        EXPECT_NE(check.err.find(what), std::string::npos) << check.err;
    }
}

TEST(ClassFileTool, RewritesReadOnlyFilesOnlyWhenForced)
{
    const std::string old = inBlock("speed 2");
    const std::string path = writeTemp("readonly.cfg", old);
    std::filesystem::permissions(path, std::filesystem::perms::owner_read | std::filesystem::perms::group_read);
    const auto readOnly = std::filesystem::status(path).permissions(); // on Windows the read-only attribute
    const ToolRun refused = runTool("normalize -i " + arg(path));
    EXPECT_EQ(refused.status, 2);
    EXPECT_NE(refused.err.find("read-only"), std::string::npos) << refused.err;
    EXPECT_EQ(fileBytes(path), old);
    EXPECT_EQ(runTool("normalize -i --force " + arg(path)).status, 0);
    EXPECT_NE(fileBytes(path).find("\nspeed 2.000000\n"), std::string::npos);
    EXPECT_EQ(std::filesystem::status(path).permissions(), readOnly);
}

// -i keeps each file's earlier version unless told not to; when it cannot,
// it says so once and rewrites the files all the same.
TEST(ClassFileTool, InPlaceKeepsEarlierVersionsUnlessTold)
{
    const std::string old = "// " + std::string(8000, 'o') + "\n{\nspeed 2\n}\n";
    const std::string paths[] = {writeTemp("kept.cfg", old), writeTemp("kept2.cfg", old)};
    const std::string data = tempPath("data");
    std::filesystem::remove_all(utf8Path(data));
    setEnvironment(dataVariable, data);
    const BackupStore store(backupsFolder(userDataFolder()));
    const auto versions = [&] { return store.versions(std::filesystem::absolute(utf8Path(paths[0]))); };
    EXPECT_EQ(runTool("normalize -i " + arg(paths[0])).status, 0);
    ASSERT_EQ(versions().size(), 1u);
    EXPECT_EQ(fileBytes(versions()[0].path.string()), old);
    std::ofstream(utf8Path(paths[0]), std::ios::binary) << old;
    EXPECT_EQ(runTool("normalize -i --no-backup " + arg(paths[0])).status, 0);
    EXPECT_EQ(versions().size(), 1u);

    const std::string both = arg(paths[0]) + ' ' + arg(paths[1]);
    const auto rewrites = [&](const std::string &what, const std::function<ToolRun()> &run) {
        for (const std::string &path : paths)
            std::ofstream(utf8Path(path), std::ios::binary) << old;
        const ToolRun told = run();
        EXPECT_EQ(told.status, 0) << what << told.err;
        EXPECT_EQ(std::count(told.err.begin(), told.err.end(), '\n'), 1) << what << told.err;
        EXPECT_EQ(told.err.find("tolvane-classfile: no earlier versions are kept: "), 0u) << what << told.err;
        for (const std::string &path : paths)
            EXPECT_NE(fileBytes(path).find("\nspeed 2.000000\n"), std::string::npos) << what;
    };
    std::filesystem::remove_all(utf8Path(tempPath("blocked")));
    const std::string blocked = writeTemp("blocked", "a file where the data folder should be");
    setEnvironment(dataVariable, blocked);
    rewrites("a file in place of the data folder", [&] { return runTool("normalize -i " + both); });
#ifndef _WIN32
    // The data folder on a full disk, and on a read-only one.
    std::filesystem::remove(blocked);
    std::filesystem::create_directory(blocked); // to mount on
    const std::string mount = "unshare -rm sh -c 'mount -t tmpfs -o size=4k none " + arg(blocked);
    const std::string tool = " && exec \"$0\" \"$@\"' " + arg(TOLVANE_CLASSFILE_TOOL) + " normalize -i " + both;
    for (const std::string &command : {mount + tool, mount + " && mount -o remount,ro " + arg(blocked) + tool}) {
        if (std::system("unshare -rm true 2>/dev/null") != 0) {
            std::cout << "unshare is not allowed here: no rows of a full or a read-only data folder\n";
            break;
        }
        rewrites(command, [&] {
            const int status = std::system((command + " 2>" + arg(tempPath("err"))).c_str());
            return ToolRun{WIFEXITED(status) ? WEXITSTATUS(status) : -1, "", fileBytes(tempPath("err"))};
        });
    }
#endif
    setEnvironment(dataVariable, dataFolder);
}

} // namespace
