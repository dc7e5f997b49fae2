// The undo history and the steps of the table commands.

#include "model/session/fileblocks.h"
#include "model/session/tablecommands.h"
#include "model/session/undohistory.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

using namespace tolvane;

namespace {

// The session's class commands, as its rows run them, are in the session
// tests; here what the session does not show: the history's limit and its
// saved point, the item steps' names and the copy's name.

// A new step after undoing past the saved point leaves it out of reach, as
// does the limit of steps.
TEST(UndoHistory, KeepsTheLastStepsWithinItsLimitAndTheSavedPoint)
{
    EditorState state;
    ClassIds ids = FileBlocks().loaded(0);
    EditedClasses classes{state, ids};
    UndoHistory history(3);
    const auto store = [&](const char *name) {
        ClassRecord form;
        form.classname.assign(name);
        history.add(storeClass(classes, form));
    };
    store("a");
    history.markSaved();
    store("b");
    history.undo(classes);
    EXPECT_TRUE(history.atSaved());
    history.undo(classes);
    store("c");
    EXPECT_FALSE(history.atSaved()) << "a new step after undoing past the saved point";
    history.clear();
    for (const char *name : {"a", "b", "c", "d", "e"})
        store(name);
    int undone = 0;
    while (history.undo(classes))
        ++undone;
    EXPECT_EQ(undone, 3);
    EXPECT_EQ(state.current().classname.view(), "b");
    EXPECT_FALSE(history.atSaved()) << "the saved start fell out of the history";
}

// The inventory and the starting weapon change the class at once, one step each.
TEST(ItemSteps, SetAndTakeBackOneItemOrTheWeapon)
{
    EditorState state;
    FileBlocks blocks;
    ClassIds ids = blocks.loaded(1);
    state.table.classCount = 1;
    state.current().classname.assign("Medic");
    state.current().inventory[29] = 2;
    EditedClasses classes{state, ids};
    UndoHistory history;

    history.add(setItemAmount(classes, 29, 0));
    history.add(setItemAmount(classes, 43, 30));
    history.add(setStartingWeapon(classes, 13));
    EXPECT_EQ(state.current().starting_weapon.view(), "weapon_AK97");
    ASSERT_EQ(carriedItems(state.current().inventory).size(), 1u);
    EXPECT_EQ(carriedItems(state.current().inventory)[0].itemSlot, 43);

    EXPECT_EQ(history.undoName(), "Starting Weapon MAC 10 for Medic");
    history.undo(classes);
    EXPECT_EQ(history.undoName(), "Set .357 Magnum Bullets to 30 for Medic");
    history.undo(classes);
    history.undo(classes);
    EXPECT_EQ(state.current().inventory[29], 2);
    EXPECT_TRUE(state.current().starting_weapon.empty());
    EXPECT_EQ(carriedItems(state.current().inventory).size(), 1u);
    EXPECT_EQ(blocks.origins(ids, 1), std::vector<int>{0});
}

TEST(copyName, IsCutToTheNameField)
{
    EXPECT_EQ(copyName("abcdefghijklmnopqrstuvwxyz01234"), "Copy of abcdefghijklmnopqrstuvw");
}

} // namespace
