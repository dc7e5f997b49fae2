#include "classdata/text/bytehash.h"
#include "classdata/files/fileio.h"
#include "classdata/files/recoverystore.h"
#include "../testclasses.h"
#include "classdata/files/userdata.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>

using namespace tolvane;

namespace {

namespace fs = std::filesystem;

#ifdef _WIN32
const fs::path mod = utf8Path("C:/games/Mod \xC3\xA4");
#else
const fs::path mod = utf8Path("/games/Mod \xC3\xA4");
#endif

SessionRecovery randomRecovery(unsigned seed, const fs::path &folder)
{
    std::mt19937 random(seed);
    SessionRecovery recovery;
    recovery.gameFolder = folder;
    fillRandomTable(recovery.state.table, random);
    recovery.state.sealsActive = int(seed % 2);
    // The form may stand on a slot after the classes, before its first store.
    recovery.state.lastIndex = std::min(recovery.state.table.classCount - 1 + int(seed % 2), tableSlotCount - 1);
    recovery.state.currentIndex = recovery.state.lastIndex / 2;
    recovery.form = recovery.state.table.records[1];
    recovery.form.speed = 12.0f; // beyond what the reader takes: kept all the same
    recovery.form.keys.assign(std::string("line\nbreak\r\0nul", 15) + std::to_string(seed));
    if (seed % 3 != 0)
        recovery.loadedFile = "// notes\r\n{\r\nclassname A\r\n}\r\n" + std::string(seed % 5, '\0');
    recovery.loadedClasses.assign(recovery.state.table.records.begin(), recovery.state.table.records.begin() + 5);
    recovery.origins = {4, -1, 0, 2};
    return recovery;
}

// Bytes with a header that fits them, as a file written by a newer or a
// faulty program could be.
std::string withHeader(const std::string &payload)
{
    static constexpr char digits[] = "0123456789abcdef";
    std::string checksum;
    for (int shift = 60; shift >= 0; shift -= 4)
        checksum += digits[(byteHash(payload) >> shift) & 0xF];
    return "Tolvane Class Creator recovery file 1\nlength " + std::to_string(payload.size()) + "\nchecksum " + checksum
           + '\n' + payload;
}

std::string payloadOf(const std::string &bytes)
{
    return bytes.substr(bytes.find("\nchecksum ") + 27);
}

TEST(RecoveryFile, GivesBackEveryValueBitForBit)
{
    for (unsigned seed = 0; seed < 30; ++seed) {
        const SessionRecovery saved = randomRecovery(seed, mod);
        const std::string bytes = recoveryFileBytes(saved);
        const std::optional<SessionRecovery> read = readRecoveryFile(bytes);
        ASSERT_TRUE(read) << seed;
        EXPECT_EQ(recoveryFileBytes(*read), bytes) << seed;
        EXPECT_EQ(read->gameFolder, saved.gameFolder);
        EXPECT_EQ(read->form.keys, saved.form.keys);
        EXPECT_EQ(read->form.speed, 12.0f);
        EXPECT_EQ(read->loadedFile, saved.loadedFile);
        EXPECT_EQ(read->origins, saved.origins);
        EXPECT_EQ(read->state.currentIndex, saved.state.currentIndex);
        EXPECT_EQ(read->state.lastIndex, saved.state.lastIndex);
        EXPECT_EQ(read->state.sealsActive, saved.state.sealsActive);
        expectSameClasses(saved.state.table, read->state.table);
    }
}

// A file cut short, changed, or holding values no session can have is
// refused whole.
TEST(RecoveryFile, RefusesAnythingNotWhole)
{
    const std::string bytes = recoveryFileBytes(randomRecovery(7, mod));
    for (std::size_t size = 0; size < bytes.size(); size += 1 + size / 50)
        EXPECT_FALSE(readRecoveryFile(bytes.substr(0, size))) << "cut to " << size;
    for (std::size_t at = 0; at < bytes.size(); at += 1 + at / 50) {
        std::string changed = bytes;
        changed[at] ^= 0x10;
        EXPECT_FALSE(readRecoveryFile(changed)) << "changed at " << at;
    }
    EXPECT_FALSE(readRecoveryFile(bytes + "\n"));
    const std::string payload = payloadOf(bytes);
    ASSERT_TRUE(readRecoveryFile(withHeader(payload)));
    const std::function<void(std::string &)> rows[] = {
        [](std::string &p) { p.replace(p.find("\norigins 4 4"), 12, "\norigins 4 5"); }, // no loaded class 5
        [](std::string &p) { p.replace(p.find("position 1 "), 11, "position 2 "); },     // no third team
        [](std::string &p) { p.replace(0, p.find(':') + 1, "folder 999:"); },            // text beyond the file
        [](std::string &p) { p.replace(0, p.find('\n'), "folder 9:games/Mod"); },        // a relative folder
        [](std::string &p) { p += "class"; },
    };
    for (const auto &edit : rows) {
        std::string changed = payload;
        edit(changed);
        EXPECT_FALSE(readRecoveryFile(withHeader(changed))) << changed.substr(0, 80);
    }
}

class Recovery : public testing::Test
{
protected:
    const fs::path data = scratchFolder("data");
    const fs::path game = scratchFolder("game");
    const fs::path other = scratchFolder("other");
    const RecoveryStore store{recoveryFolder(data)};
    std::string error;
};

TEST_F(Recovery, IsFoundOnlyForItsOwnFolderAndNeverInsideIt)
{
    std::ofstream(game / "tvclass_seals.cfg") << "{\n}\n";
    ASSERT_TRUE(store.save(randomRecovery(1, game), &error)) << error;
    ASSERT_TRUE(store.save(randomRecovery(2, game), &error)) << error;
    const std::optional<SessionRecovery> found = store.find(game);
    ASSERT_TRUE(found);
    EXPECT_EQ(recoveryFileBytes(*found), recoveryFileBytes(randomRecovery(2, game)));
    EXPECT_EQ(std::distance(fs::directory_iterator(game), {}), 1) << "the game folder holds its class file alone";
    EXPECT_EQ(store.fileFor(game).parent_path(), recoveryFolder(data));
    EXPECT_EQ(std::distance(fs::directory_iterator(recoveryFolder(data)), {}), 1);

    EXPECT_FALSE(store.find(other));
    fs::copy_file(store.fileFor(game), store.fileFor(other));
    EXPECT_FALSE(store.find(other)) << "another folder's classes never come back here";

    store.remove(game);
    EXPECT_FALSE(store.find(game));
    EXPECT_FALSE(fs::exists(store.fileFor(game)));
}

TEST_F(Recovery, KeepsThePreviousOneWhenItCannotSave)
{
    ASSERT_TRUE(store.save(randomRecovery(1, game), &error));
    std::ofstream(data / "blocked") << "a file where the folder should be";
    EXPECT_FALSE(RecoveryStore(recoveryFolder(data / "blocked")).save(randomRecovery(2, game), &error));
    EXPECT_NE(error.find("blocked"), std::string::npos) << error;
    EXPECT_FALSE(RecoveryStore(recoveryFolder({})).save(randomRecovery(2, game), &error));
    EXPECT_NE(error.find("no folder"), std::string::npos) << error;
    ASSERT_TRUE(store.find(game));
    EXPECT_EQ(recoveryFileBytes(*store.find(game)), recoveryFileBytes(randomRecovery(1, game)));
}

} // namespace
