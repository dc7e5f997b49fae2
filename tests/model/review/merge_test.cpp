#include "../sessiontesthelpers.h"
#include "model/review/changereview.h"
#include "classdata/compare/classfilemerge.h"
#include "classdata/format/classfilereader.h"
#include "classdata/format/classfileupdate.h"
#include "classdata/format/itemcatalogue.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>

using namespace tolvane;

namespace {

using Classes = std::vector<ClassRecord>;
using Origins = std::vector<int>;

// The file as the session loaded it: a note, three classes.
const std::string loaded = "// Seals\n\n{\nclassname Sniper\nhealth 100\n}\n\n{\nclassname Scout\nhealth 90\n}\n\n"
                           "{\nclassname Heavy\nhealth 150\n}\n";
const std::string sniper = "{\nclassname Sniper\nhealth 100\n}\n\n", heavy = "{\nclassname Heavy\nhealth 150\n}\n";

void replace(std::string &text, std::string_view from, std::string_view to)
{
    text.replace(text.find(from), from.size(), to);
}

// "Sniper 100, Scout 95 new": each merged class's name and health, its
// items, and "new" where it is not a block of the file on disk.
std::string summary(const ClassFileMerge &merge)
{
    if (merge.outcome == ClassFileMerge::Outcome::Refused)
        return "refused: " + merge.reason;
    std::string text;
    for (std::size_t i = 0; i < merge.classes.size(); ++i) {
        const ClassRecord &r = merge.classes[i];
        text += (i ? ", " : "") + std::string(r.classname.view()) + ' ' + std::to_string(r.health);
        for (std::size_t slot = 0; slot < r.inventory.size(); ++slot) {
            if (r.inventory[slot] != 0)
                text += ' ' + std::string(itemCatalogue[slot].internalName) + '=' + std::to_string(r.inventory[slot]);
        }
        text += merge.diskBlocks[i] < 0 ? " new" : "";
    }
    return text;
}

struct Row
{
    const char *name;
    std::function<void(Classes &, Origins &)> here;
    std::function<void(std::string &)> onDisk; // the disk's edits of the loaded file
    const char *keepFile;                      // summary() with the file's side of conflicts
    const char *conflicts;
    const char *takeMemory = nullptr; // summary() with this session's side; null: as keepFile
    // The classes the disk removed and memory holds, a line each; summary()
    // when the merge takes their removal (null: as keepFile).
    const char *removed = "";
    const char *takeRemovals = nullptr;
};

ClassRecord &named(Classes &c, std::string_view name)
{
    return *std::ranges::find_if(c, [&](const ClassRecord &r) { return r.classname == name; });
}

const Row rows[] = {
    {"notes added on disk, a value changed here", [](Classes &c, Origins &) { named(c, "Scout").health = 95; },
     [](std::string &f) { replace(f, "Scout\n", "Scout\n// tuned\n"), replace(f, "Seals\n", "Seals\n// v2\n"); },
     "Sniper 100, Scout 95, Heavy 150", ""},
    {"other values changed on both sides", [](Classes &c, Origins &) { named(c, "Sniper").health = 95; },
     [](std::string &f) { replace(f, "classname Heavy", "classname Tank"); }, "Sniper 95, Scout 90, Tank 150", ""},
    {"one value changed to the same on both sides", [](Classes &c, Origins &) { named(c, "Scout").health = 95; },
     [](std::string &f) { replace(f, "health 90", "health 95"); }, "Sniper 100, Scout 95, Heavy 150", ""},
    {"one value changed to different values", [](Classes &c, Origins &) { named(c, "Scout").health = 95; },
     [](std::string &f) { replace(f, "health 90", "health 80"); }, "Sniper 100, Scout 80, Heavy 150",
     "Scout: Health 80 in the file, 95 here", "Sniper 100, Scout 95, Heavy 150"},
    {"one amount changed to different values",
     [](Classes &c, Origins &) {
         named(c, "Sniper").inventory[31] = 2, named(c, "Sniper").starting_weapon.assign("weapon_m60");
     },
     [](std::string &f) { replace(f, "health 100", "inventory ammo_fgrenades 3\nstarting_weapon weapon_pkm"); },
     "Sniper 100 ammo_fgrenades=3, Scout 90, Heavy 150",
     "Sniper: Starting Weapon \"PKM\" in the file, \"M 60\" here\n"
     "Sniper: Flash Grenades 3 in the file, 2 here",
     "Sniper 100 ammo_fgrenades=2, Scout 90, Heavy 150"},
    {"deleted on disk, changed here", [](Classes &c, Origins &) { named(c, "Scout").health = 95; },
     [](std::string &f) { replace(f, "{\nclassname Scout\nhealth 90\n}\n\n", ""); },
     "Sniper 100, Scout 95 new, Heavy 150", "", nullptr, "Scout (changed here: Health 90 -> 95)",
     "Sniper 100, Heavy 150"},
    {"deleted on disk, not changed here", [](Classes &c, Origins &) { named(c, "Sniper").health = 95; },
     [](std::string &f) { replace(f, "{\nclassname Scout\nhealth 90\n}\n\n", ""); },
     "Sniper 95, Scout 90 new, Heavy 150", "", nullptr, "Scout", "Sniper 95, Heavy 150"},
    {"cut to its first class on disk, one changed here", [](Classes &c, Origins &) { named(c, "Heavy").health = 160; },
     [](std::string &f) { f.resize(f.find("\n{\nclassname Scout")); }, "Sniper 100, Scout 90 new, Heavy 160 new", "",
     nullptr, "Scout\nHeavy (changed here: Health 150 -> 160)", "Sniper 100"},
    {"deleted on disk, deleted here",
     [](Classes &c, Origins &o) {
         c.erase(c.begin() + 1), o = {0, 2};
     },
     [](std::string &f) { replace(f, "{\nclassname Scout\nhealth 90\n}\n\n", ""); }, "Sniper 100, Heavy 150", ""},
    {"renamed in case on disk and here, changed here",
     [](Classes &c, Origins &) { named(c, "Scout").classname.assign("scout"), named(c, "scout").health = 95; },
     [](std::string &f) { replace(f, "classname Scout", "classname SCOUT"); }, "Sniper 100, SCOUT 95, Heavy 150",
     "Scout: Classname \"SCOUT\" in the file, \"scout\" here", "Sniper 100, scout 95, Heavy 150"},
    {"deleted here, changed on disk",
     [](Classes &c, Origins &o) {
         c.erase(c.begin() + 1), o = {0, 2};
     },
     [](std::string &f) { replace(f, "health 90", "health 85"); }, "Sniper 100, Scout 85, Heavy 150",
     "Scout: deleted here, changed in the file (Health 90 -> 85)", "Sniper 100, Heavy 150"},
    {"deleted here, not changed on disk",
     [](Classes &c, Origins &o) {
         c.erase(c.begin() + 1), o = {0, 2};
     },
     [](std::string &f) { replace(f, "Seals\n", "Seals\n// v2\n"); }, "Sniper 100, Heavy 150", ""},
    {"reordered on disk, changed here", [](Classes &c, Origins &) { named(c, "Sniper").health = 95; },
     [](std::string &f) { replace(f, sniper, heavy + "\n"), f.resize(f.size() - heavy.size()), f += sniper; },
     "Heavy 150, Scout 90, Sniper 95", ""},
    {"moved here, changed on disk",
     [](Classes &c, Origins &o) {
         std::rotate(c.begin(), c.begin() + 2, c.end()), o = {2, 0, 1};
     },
     [](std::string &f) { replace(f, "health 90", "health 85"); }, "Heavy 150, Sniper 100, Scout 85", ""},
    {"renamed on disk, changed here", [](Classes &c, Origins &) { named(c, "Scout").health = 95; },
     [](std::string &f) { replace(f, "classname Scout", "classname Ranger"); }, "Sniper 100, Ranger 95, Heavy 150", ""},
    {"renamed in case on disk after a class deleted there, changed here",
     [](Classes &c, Origins &) { named(c, "Scout").health = 95; },
     [](std::string &f) { replace(f, sniper, ""), replace(f, "classname Scout", "classname SCOUT"); },
     "Sniper 100 new, SCOUT 95, Heavy 150", "", nullptr, "Sniper", "SCOUT 95, Heavy 150"},
    {"added on both sides, at the end",
     [](Classes &c, Origins &o) {
         c.push_back(c[0]), c.back().classname.assign("Medic"), o = {0, 1, 2, -1};
     },
     [](std::string &f) { f += "\n{\nclassname Ghost\nhealth 70\n}\n"; },
     "Sniper 100, Scout 90, Heavy 150, Ghost 70, Medic 100 new", ""},
    {"added on both sides, here after the first",
     [](Classes &c, Origins &o) {
         c.insert(c.begin() + 1, c[0]), c[1].classname.assign("Medic"), o = {0, -1, 1, 2};
     },
     [](std::string &f) { replace(f, "Seals\n\n", "Seals\n\n{\nclassname Ghost\nhealth 70\n}\n\n"); },
     "Ghost 70, Sniper 100, Medic 100 new, Scout 90, Heavy 150", ""},
    {"replaced by a file that is no class file", [](Classes &, Origins &) {},
     [](std::string &f) { f = "[TolvaneClassCreator]\n\nSeals 1\n"; },
     "refused: it holds no class block, so it is not a class file", ""},
    {"more classes than a file holds",
     [](Classes &c, Origins &o) {
         c.push_back(c[0]), o = {0, 1, 2, -1};
     },
     [](std::string &f) {
         f.clear();
         for (int i = 0; i < 64; ++i)
             f += "{\nclassname c" + std::to_string(i) + "\n}\n\n";
     },
     "refused: the merged file would hold 67 classes, more than the 64 a class file holds", "", nullptr, "Scout\nHeavy",
     "refused: the merged file would hold 65 classes, more than the 64 a class file holds"},
};

class Merge : public testing::TestWithParam<Row>
{
protected:
    ClassFileMerge merge(const Row &row, MergeChoice choice, DiskRemovals removals = DiskRemovals::Keep)
    {
        classes = classesIn(loaded);
        origins = {0, 1, 2};
        row.here(classes, origins);
        disk.bytes = loaded;
        row.onDisk(disk.bytes);
        return mergeClassFile({loaded, loadedClasses, disk, classes, origins}, choice, removals);
    }
    const Classes loadedClasses = classesIn(loaded);
    Classes classes;
    Origins origins;
    FileBytes disk{FileStatus::Read, {}, {}};
};

TEST_P(Merge, LaysThisSessionsChangesOntoTheFileOnDisk)
{
    const Row &row = GetParam();
    const ClassFileMerge kept = merge(row, MergeChoice::KeepFile);
    EXPECT_EQ(summary(kept), row.keepFile);
    std::string conflicts;
    for (const MergeConflict &conflict : kept.conflicts)
        conflicts += (conflicts.empty() ? "" : "\n") + conflictText(conflict);
    EXPECT_EQ(conflicts, row.conflicts);
    EXPECT_EQ(summary(merge(row, MergeChoice::TakeMemory)), row.takeMemory ? row.takeMemory : row.keepFile);
    std::string removed;
    for (const ClassFileMerge::Removed &gone : kept.removedOnDisk)
        removed += (removed.empty() ? "" : "\n") + removedText(gone);
    EXPECT_EQ(removed, row.removed);
    EXPECT_EQ(summary(merge(row, MergeChoice::KeepFile, DiskRemovals::Take)),
              row.takeRemovals ? row.takeRemovals : row.keepFile);
    ClassFileMerge reread = kept;
    reread.classes = classesIn(kept.bytes);
    if (kept.outcome == ClassFileMerge::Outcome::Merged) {
        EXPECT_EQ(summary(reread), summary(kept)) << "the bytes hold the classes";
    }

    // Onto a file as it was loaded, a merge writes what Write Out writes.
    disk.bytes = loaded;
    const ClassFileMerge unchanged = mergeClassFile({loaded, loadedClasses, disk, classes, origins});
    if (unchanged.outcome == ClassFileMerge::Outcome::Merged) {
        EXPECT_EQ(unchanged.bytes, updatedClassFile(loaded, classes, origins));
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, Merge, testing::ValuesIn(rows), [](const auto &info) {
    std::string name = info.param.name;
    std::ranges::replace_if(
        name, [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); }, '_');
    return name;
});

// The file's notes and its own lines stay; what the answer does shows as a review.
TEST_F(Merge, KeepsTheFilesLinesAndShowsWhatItDoesToThem)
{
    const ClassFileMerge notes = merge(rows[0], MergeChoice::KeepFile);
    EXPECT_EQ(notes.bytes, "// Seals\n// v2\n\n{\nclassname Sniper\nhealth 100\n}\n\n{\nclassname Scout\n// tuned\n"
                           "health 95\n}\n\n{\nclassname Heavy\nhealth 150\n}\n");
    const std::string review = mergeReview(merge(rows[3], MergeChoice::TakeMemory), disk.bytes, "tvclass_seals.cfg");
    EXPECT_EQ(review.substr(0, review.find("\n\n") + 2),
              "Changed in the file and here; this session's side is taken:\n  Scout: Health 80 in the file, 95 "
              "here\nWhat the file on disk gets:\n  Scout: Health 80 -> 95\n\n");
    EXPECT_NE(review.find("\n-health 80\n+health 95\n"), std::string::npos) << review;

    // A speed of 12 that this session wrote reads back as 1: the disk did not change it.
    const std::string wrote = "{\nclassname Sniper\nspeed 12.000000\n}\n";
    Classes written = classesIn(wrote), edited = written;
    written[0].speed = 12, edited[0].speed = 5;
    const FileBytes noted{FileStatus::Read, "// a note\n" + wrote, {}};
    const Origins first = {0};
    const ClassFileMerge speed = mergeClassFile({wrote, written, noted, edited, first});
    EXPECT_EQ(speed.bytes, "// a note\n{\nclassname Sniper\nspeed 5.000000\n}\n");
    EXPECT_TRUE(speed.conflicts.empty());

    const FileBytes missing{FileStatus::Missing, {}, {}};
    const ClassFileMerge anew = mergeClassFile({loaded, loadedClasses, missing, classes, origins});
    EXPECT_EQ(anew.outcome, ClassFileMerge::Outcome::WrittenAnew);
    EXPECT_EQ(summary(anew), "Sniper 100 new, Scout 95 new, Heavy 150 new");
    EXPECT_EQ(classesIn(anew.bytes).size(), 3u);
    EXPECT_EQ(mergeReview(anew, "", "x").substr(0, 48), "The file is gone from disk; it is written anew.\n");
}

} // namespace
