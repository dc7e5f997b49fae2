#include "classdata/files/backupstore.h"
#include "classdata/format/classfilewriter.h"
#include "classdata/files/recoverystore.h"
#include "classdata/files/safesave.h"
#include "../testclasses.h"
#include "classdata/files/userdata.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <iostream>

#ifndef _WIN32
#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

using namespace tolvane;

namespace {

namespace fs = std::filesystem;

struct KillCounts
{
    int kills = 0;
    int duringWrite = 0; // a side file was left: the kill came while the new file was written
};

// Starts a process that saves versions 0 and 1 by turns, kills it at a
// random moment within a few saves' time (as long as a save takes on this
// machine and build, sanitizers and all), and checks what it left; rounds
// times.
KillCounts killWhileSaving(int count, const std::function<void(int)> &save, const std::function<void()> &check,
                           const fs::path &folder)
{
    std::mt19937 random(27);
    const auto started = std::chrono::steady_clock::now();
    save(0);
    const auto took = std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - started);
    const auto window = useconds_t(std::max<std::int64_t>(8000, 3 * took.count()));
    KillCounts counts;
    for (int round = 0; round < count; ++round) {
        const pid_t child = fork();
        if (child == 0) {
            for (int version = 0;; version ^= 1)
                save(version);
        }
        usleep(std::uniform_int_distribution<useconds_t>(0, window)(random));
        kill(child, SIGKILL);
        int status = 0;
        waitpid(child, &status, 0);
        ++counts.kills;
        for (const fs::directory_entry &entry : fs::directory_iterator(folder)) {
            if (entry.path().extension().string().starts_with(".new")) {
                ++counts.duringWrite;
                fs::remove(entry.path());
            }
        }
        check();
        if (testing::Test::HasFailure())
            break;
    }
    return counts;
}

// 100 rounds by default; TOLVANE_KILL_ROUNDS asks for more.
int rounds()
{
    const char *asked = std::getenv("TOLVANE_KILL_ROUNDS");
    return asked ? std::max(1, std::atoi(asked)) : 100;
}

TEST(KilledSave, LeavesTheOldOrTheNewRecoveryNeverAMix)
{
    const fs::path game = scratchFolder("game"), data = scratchFolder("data");
    const RecoveryStore store(recoveryFolder(data));
    SessionRecovery versions[2];
    for (int v = 0; v < 2; ++v) {
        versions[v].gameFolder = game;
        versions[v].state.table.classCount = 1;
        versions[v].loadedFile = std::string(1 << 20, char('a' + v));
    }
    const std::string bytes[] = {recoveryFileBytes(versions[0]), recoveryFileBytes(versions[1])};
    ASSERT_TRUE(store.save(versions[0]));
    const KillCounts counts = killWhileSaving(
        rounds(), [&](int v) { store.save(versions[v]); },
        [&] {
            const std::optional<SessionRecovery> found = store.find(game);
            ASSERT_TRUE(found);
            const std::string read = recoveryFileBytes(*found);
            EXPECT_TRUE(read == bytes[0] || read == bytes[1]);
        },
        recoveryFolder(data));
    std::cout << "recovery save killed " << counts.kills << " times, " << counts.duringWrite << " while writing\n";
    EXPECT_GT(counts.duringWrite, 0) << "no kill came while a file was written";
}

// As Write Out saves: the version it replaces goes to the backups first.
TEST(KilledSave, LeavesTheOldOrTheNewClassFileNeverAMix)
{
    const fs::path game = scratchFolder("class file");
    const fs::path path = game / "tvclass_seals.cfg";
    const BackupStore backups(backupsFolder(scratchFolder("backups")));
    std::mt19937 random(5);
    const auto table = std::make_unique<ClassTable>();
    fillRandomTable(*table, random);
    std::string bytes[2];
    for (int v = 0; v < 2; ++v)
        bytes[v] = "// " + std::string(1 << 20, char('a' + v)) + '\n' + classFileBytes(*table, "\n");
    ASSERT_TRUE(saveFileAtomically(path, bytes[0]));
    const KillCounts counts = killWhileSaving(
        rounds(),
        [&](int v) {
            backups.keep(path, bytes[v ^ 1]);
            saveFileAtomically(path, bytes[v]);
        },
        [&] {
            const std::string read = fileBytes(path.string());
            EXPECT_TRUE(read == bytes[0] || read == bytes[1]) << read.size();
            for (const BackupStore::Version &version : backups.versions(path)) {
                const std::string kept = fileBytes(version.path.string());
                EXPECT_TRUE(kept == bytes[0] || kept == bytes[1]) << version.path << ' ' << kept.size();
            }
        },
        game);
    std::cout << "class file save killed " << counts.kills << " times, " << counts.duringWrite << " while writing\n";
    EXPECT_GT(counts.duringWrite, 0) << "no kill came while a file was written";
}

} // namespace
#endif
