#include "changetracker.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

// Five classes as loaded, slot 0 in the form.
EditorState loadedState()
{
    EditorState state;
    for (int i = 0; i < 5; ++i) {
        ApplyBlockStartDefaults(state.table.records[i]);
        state.table.records[i].classname.assign("Class" + std::to_string(i));
    }
    state.table.classCount = 5;
    state.lastIndex = 4;
    return state;
}

struct UnsavedRow
{
    const char *name;
    std::function<void(EditorState &, ClassRecord &form)> change;
    bool unsaved;
};

void PrintTo(const UnsavedRow &row, std::ostream *os) { *os << row.name; }

class UnsavedTest : public ::testing::TestWithParam<UnsavedRow>
{
};

// Values count, as the class file would hold them, not how they were typed.
TEST_P(UnsavedTest, OnlyADifferentValueIsAChange)
{
    EditorState state = loadedState();
    ChangeTracker tracker(state);
    ClassRecord form = state.current();
    tracker.formShown(form);
    ASSERT_FALSE(tracker.unsaved(state, form));

    GetParam().change(state, form);
    EXPECT_EQ(tracker.unsaved(state, form), GetParam().unsaved);
    tracker.classesSaved(state);
    tracker.formShown(form);
    EXPECT_FALSE(tracker.unsaved(state, form)) << "after a write";
}

INSTANTIATE_TEST_SUITE_P(
    Rows, UnsavedTest,
    ::testing::Values(
        UnsavedRow{"Nothing", [](EditorState &, ClassRecord &) {}, false},
        UnsavedRow{"NameInTheForm", [](EditorState &, ClassRecord &f) { f.classname.assign("Medic"); }, true},
        UnsavedRow{"SameSpeedOtherDigits", [](EditorState &, ClassRecord &f) { f.speed = 1.0000001f; }, false},
        UnsavedRow{"SpeedInTheForm", [](EditorState &, ClassRecord &f) { f.speed = 1.5f; }, true},
        UnsavedRow{"ClassInTheTable", [](EditorState &s, ClassRecord &) { s.table.records[3].health = 7; }, true},
        UnsavedRow{"InventoryAmount", [](EditorState &s, ClassRecord &) { s.table.records[0].inventory[4] = 2; },
                   true},
        UnsavedRow{"AddedClass",
                   [](EditorState &s, ClassRecord &) {
                       s.lastIndex = 5;
                       s.table.classCount = 6;
                   },
                   true},
        UnsavedRow{"SlotBeyondTheClasses", [](EditorState &s, ClassRecord &) { s.table.records[9].health = 7; },
                   false},
        UnsavedRow{"OtherPosition", [](EditorState &s, ClassRecord &) { s.currentIndex = 3; }, false}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(UnsavedAtStart, CountRuleAloneIsNoChange)
{
    EditorState state;
    ChangeTracker tracker(state);
    state.table.classCount = 1; // "Prev. Class" right after start
    EXPECT_FALSE(tracker.unsaved(state, state.current()));
}

struct ReplacingRow
{
    const char *name;
    std::optional<FileStatus> seen; // read by this run: Read gives "old"
    const char *written;            // written by this run afterwards
    FileStatus now;
    const char *nowBytes;
    ChangeTracker::Replacing expected;
};

TEST(Replacing, AsksOnlyAboutAFileThisRunDoesNotKnowAsItIs)
{
    using R = ChangeTracker::Replacing;
    const ReplacingRow rows[] = {
        {"missing", std::nullopt, nullptr, FileStatus::Missing, "", R::Quietly},
        {"never read", std::nullopt, nullptr, FileStatus::Read, "old", R::NotLoaded},
        {"as read", FileStatus::Read, nullptr, FileStatus::Read, "old", R::Quietly},
        {"changed since read", FileStatus::Read, nullptr, FileStatus::Read, "other", R::ChangedOnDisk},
        {"created since found missing", FileStatus::Missing, nullptr, FileStatus::Read, "old", R::ChangedOnDisk},
        {"as written", FileStatus::Read, "new", FileStatus::Read, "new", R::Quietly},
        {"unreadable now", FileStatus::Read, nullptr, FileStatus::Unreadable, "", R::ChangedOnDisk},
    };
    const std::filesystem::path path = "/games/tvclass_seals.cfg";
    for (const ReplacingRow &row : rows) {
        SCOPED_TRACE(row.name);
        ChangeTracker tracker{EditorState()};
        if (row.seen)
            tracker.fileRead(path, FileBytes{*row.seen, *row.seen == FileStatus::Read ? "old" : ""});
        if (row.written)
            tracker.fileWritten(path, row.written);
        EXPECT_EQ(tracker.replacing(path, FileBytes{row.now, row.nowBytes}), row.expected);
        EXPECT_EQ(tracker.replacing("/elsewhere/tvclass_seals.cfg", FileBytes{row.now, row.nowBytes}),
                  row.now == FileStatus::Missing ? R::Quietly : R::NotLoaded);
    }
}

} // namespace
