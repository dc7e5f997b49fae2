#include "changetracker.h"

#include <gtest/gtest.h>

#include <tuple>

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

// Values count, as the class file would hold them, not how they were typed.
TEST(Unsaved, OnlyADifferentValueIsAChange)
{
    using Change = void (*)(EditorState &, ClassRecord &form);
    const std::tuple<const char *, Change, bool> rows[] = {
        {"nothing", [](EditorState &, ClassRecord &) {}, false},
        {"name in the form", [](EditorState &, ClassRecord &f) { f.classname.assign("Medic"); }, true},
        {"same speed, other digits", [](EditorState &, ClassRecord &f) { f.speed = 1.0000001f; }, false},
        {"speed in the form", [](EditorState &, ClassRecord &f) { f.speed = 1.5f; }, true},
        {"class in the table", [](EditorState &s, ClassRecord &) { s.table.records[3].health = 7; }, true},
        {"inventory amount", [](EditorState &s, ClassRecord &) { s.table.records[0].inventory[4] = 2; }, true},
        {"added class", [](EditorState &s, ClassRecord &) { s.table.classCount = 1 + ++s.lastIndex; }, true},
        {"slot beyond the classes", [](EditorState &s, ClassRecord &) { s.table.records[9].health = 7; }, false},
        {"other position", [](EditorState &s, ClassRecord &) { s.currentIndex = 3; }, false},
    };
    for (const auto &[name, change, unsaved] : rows) {
        SCOPED_TRACE(name);
        EditorState state = loadedState();
        ChangeTracker tracker(state);
        ClassRecord form = state.current();
        tracker.formShown(form);
        ASSERT_FALSE(tracker.unsaved(state, form));

        change(state, form);
        EXPECT_EQ(tracker.unsaved(state, form), unsaved);
        tracker.classesSaved(state);
        tracker.formShown(form);
        EXPECT_FALSE(tracker.unsaved(state, form)) << "after a write";
    }
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
