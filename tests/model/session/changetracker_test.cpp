#include "../sessiontesthelpers.h"
#include "model/session/changetracker.h"

#include <gtest/gtest.h>

#include <tuple>

using namespace tolvane;

namespace {

// Five classes as loaded, slot 0 in the form.
EditorState loadedState()
{
    EditorState state;
    readClassBytes(state.table, classFile({"Class0", "Class1", "Class2", "Class3", "Class4"}));
    state.lastIndex = 4;
    return state;
}

// Values count, as the class file would hold them, not how they were typed.
TEST(Unsaved, OnlyADifferentValueIsAChange)
{
    using Change = void (*)(EditorState &, ClassRecord & form);
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

// The session asks about every other file before it writes, as its rows
// show; one it cannot read is refused before, and never counts as unchanged.
TEST(Replacing, AnUnreadableFileIsNeverReplacedQuietly)
{
    ChangeTracker tracker{EditorState()};
    tracker.fileRead("/games/tvclass_seals.cfg", FileBytes{FileStatus::Read, "", ""});
    EXPECT_EQ(tracker.replacing("/games/tvclass_seals.cfg", FileBytes{FileStatus::Unreadable, "", ""}),
              ChangeTracker::Replacing::ChangedOnDisk);
}

} // namespace
