// Commands on whole classes, with undo and redo, as command sequences: which
// class sits in which slot, which block of the file on disk holds it, where
// the form is and what the Edit menu offers.

#include "changetracker.h"
#include "fileblocks.h"
#include "tablecommands.h"
#include "undohistory.h"

#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>

namespace {

struct Row
{
    // L<n>: load n classes c0, c1, ...; g<i>: go to slot i; s<name>: store the
    // form under that name; d delete, D duplicate, u up, w down; z undo, y redo;
    // W write (the classes are saved)
    const char *commands;
    // Names by slot, "|" at the class count, "_" for an empty slot, up to the
    // last slot that holds a class.
    const char *slots;
    const char *origins; // the file blocks of the counted classes
    int current;
    const char *undoName;
    const char *redoName;
};

void PrintTo(const Row &row, std::ostream *out) { *out << '"' << row.commands << '"'; }

const Row rows[] = {
    // Delete: the classes after it move up, the freed slot empties, the form
    // stays at its slot or the new last one; the last class stays.
    {"L3 g2 d", "c0 c1 |", "0 1", 1, "Delete Class c2", ""},
    {"L5 L3 g1 d", "c0 c2 | _ c3 c4", "0 2", 1, "Delete Class c1", ""},
    {"L2 d d", "c1 |", "1", 0, "Delete Class c0", ""},
    // Undo of a delete brings the class back to its slot, and its origin.
    {"L3 g1 d z", "c0 c1 c2 |", "0 1 2", 1, "", "Delete Class c1"},
    {"L5 L3 g1 d z", "c0 c1 c2 | c3 c4", "0 1 2", 1, "", "Delete Class c1"},
    {"L3 g2 d d z z", "c0 c1 c2 |", "0 1 2", 2, "", "Delete Class c2"},
    {"L64 g63 d z", "c0 c1 c2 c3 c4 c5 c6 c7 c8 c9 c10 c11 c12 c13 c14 c15 c16 c17 c18 c19 c20 c21 c22 c23 c24 "
                    "c25 c26 c27 c28 c29 c30 c31 c32 c33 c34 c35 c36 c37 c38 c39 c40 c41 c42 c43 c44 c45 c46 "
                    "c47 c48 c49 c50 c51 c52 c53 c54 c55 c56 c57 c58 c59 c60 c61 c62 c63 |",
     nullptr, 63, "", "Delete Class c63"},
    // Duplicate: a new class after the last, new to the file; the form goes there.
    {"L5 L3 D z", "c0 c1 c2 | c3 c4", "0 1 2", 0, "", "Duplicate Class c0"},
    {"sA D", "A Copy of A |", "-1 -1", 1, "Duplicate Class A", ""},
    // Moves swap with the neighbour and the form follows the class.
    {"L3 w w", "c1 c2 c0 |", "1 2 0", 2, "Move Class Down c0", ""},
    {"L1 w", "c0 |", "0", 0, "", ""},
    // Undo goes back to where the step was done; a new step drops Redo.
    {"L3 sX g2 z", "c0 c1 c2 |", "0 1 2", 0, "", "Store Class X"},
    {"L3 g1 d z w", "c0 c2 c1 |", "0 2 1", 2, "Move Class Down c1", ""},
    {"L3 sc0 z", "c0 c1 c2 |", "0 1 2", 0, "", ""},
    {"sA z", "|", "", 0, "", "Store Class A"},
    {"sA z y", "A |", "-1", 0, "Store Class A", ""},
    {"L3 d L2", "c0 c1 |", "0 1", 0, "", ""},
    // A write puts every class at its slot's block; undo brings back classes
    // the file no longer holds, and moves back the others.
    {"L3 g1 D W z y", "c0 c1 c2 Copy of c1 |", "0 1 2 3", 3, "Duplicate Class c1", ""},
    {"L3 w W z", "c0 c1 c2 |", "1 0 2", 0, "", "Move Class Down c0"},
    {"sA W D z", "A |", "0", 0, "Store Class A", "Duplicate Class A"},
};

class TableCommandsTest : public ::testing::TestWithParam<Row>
{
protected:
    void load(int count)
    {
        for (int i = 0; i < count; ++i) {
            ApplyBlockStartDefaults(state.table.records[i]);
            state.table.records[i].classname.assign("c" + std::to_string(i));
        }
        state.table.classCount = count;
        state.lastIndex = count - 1;
        state.currentIndex = std::min(state.currentIndex, state.lastIndex);
        ids = blocks.loaded(count);
        history.clear();
        tracker.classesSaved(state);
    }

    void run(const std::string &commands)
    {
        std::istringstream in(commands);
        for (std::string command; in >> command;) {
            const std::string argument = command.substr(1);
            switch (command[0]) {
            case 'L': load(std::stoi(argument)); break;
            case 'g': state.currentIndex = std::stoi(argument); break;
            case 's': {
                ClassRecord form = state.current();
                form.classname.assign(argument);
                history.add(StoreClass(classes, form));
                break;
            }
            case 'd': add(DeleteClass(classes)); break;
            case 'D': add(DuplicateClass(classes)); break;
            case 'u': add(MoveClassUp(classes)); break;
            case 'w': add(MoveClassDown(classes)); break;
            case 'z': history.undo(classes); break;
            case 'y': history.redo(classes); break;
            case 'W':
                history.markSaved();
                tracker.classesSaved(state);
                blocks.written(ids, state.table.classCount);
                break;
            default: FAIL() << "no command " << command;
            }
        }
    }

    void add(std::optional<TableEdit> step)
    {
        if (step)
            history.add(std::move(*step));
    }

    std::string slots() const
    {
        int end = state.table.classCount;
        for (int slot = 0; slot < tableSlotCount; ++slot) {
            if (!(state.table.records[slot] == ClassRecord{}))
                end = std::max(end, slot + 1);
        }
        std::string text;
        for (int slot = 0; slot <= end; ++slot) {
            if (slot == state.table.classCount)
                text += " |";
            if (slot < end) {
                const auto name = state.table.records[slot].classname.view();
                text += ' ' + (name.empty() ? std::string("_") : std::string(name));
            }
        }
        return text.substr(1);
    }

    std::string countedOrigins() const
    {
        std::string text;
        for (int block : blocks.origins(ids, state.table.classCount))
            text += (text.empty() ? "" : " ") + std::to_string(block);
        return text;
    }

    EditorState state;
    FileBlocks blocks;
    ClassIds ids = blocks.loaded(0);
    EditedClasses classes{state, ids};
    UndoHistory history;
    ChangeTracker tracker{state};
};

TEST_P(TableCommandsTest, ClassesAndOriginsMoveTogetherAndUndoRestoresThem)
{
    const Row &row = GetParam();
    run(row.commands);
    EXPECT_EQ(slots(), row.slots);
    if (row.origins)
        EXPECT_EQ(countedOrigins(), row.origins);
    EXPECT_EQ(state.currentIndex, row.current);
    EXPECT_EQ(state.lastIndex, std::max(state.table.classCount - 1, 0));
    EXPECT_EQ(history.undoName(), row.undoName);
    EXPECT_EQ(history.redoName(), row.redoName);
}

INSTANTIATE_TEST_SUITE_P(Rows, TableCommandsTest, ::testing::ValuesIn(rows));

// The mark of unsaved changes follows undo and redo across a write.
TEST_F(TableCommandsTest, UndoPastTheWriteIsUnsavedAndBackToItIsNot)
{
    const std::tuple<const char *, bool, bool> rows[] = {
        // commands after loading three classes, unsaved, at the saved step
        {"d z", false, true},
        {"d W z w", true, false},
        {"d W z w z y z", true, false},
        {"w u", false, false},
    };
    for (const auto &[commands, unsaved, atSaved] : rows) {
        SCOPED_TRACE(commands);
        state.reset();
        run(std::string("L3 ") + commands);
        tracker.formShown(state.current()); // the form shows the class after each command
        EXPECT_EQ(tracker.unsaved(state, state.current()), unsaved);
        EXPECT_EQ(history.atSaved(), atSaved);
    }
}

TEST(UndoHistory, KeepsTheLastStepsWithinItsLimit)
{
    EditorState state;
    ClassIds ids = FileBlocks().loaded(0);
    EditedClasses classes{state, ids};
    UndoHistory history(3);
    for (const char *name : {"a", "b", "c", "d", "e"}) {
        ClassRecord form;
        form.classname.assign(name);
        history.add(StoreClass(classes, form));
    }
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

    history.add(SetItemAmount(classes, 29, 0));
    history.add(SetItemAmount(classes, 43, 30));
    history.add(SetStartingWeapon(classes, 13));
    EXPECT_EQ(state.current().starting_weapon.view(), "weapon_AK97");
    ASSERT_EQ(CarriedItems(state.current().inventory).size(), 1u);
    EXPECT_EQ(CarriedItems(state.current().inventory)[0].itemSlot, 43);

    EXPECT_EQ(history.undoName(), "Starting Weapon MAC 10 for Medic");
    history.undo(classes);
    EXPECT_EQ(history.undoName(), "Set .357 Magnum Bullets to 30 for Medic");
    history.undo(classes);
    history.undo(classes);
    EXPECT_EQ(state.current().inventory[29], 2);
    EXPECT_TRUE(state.current().starting_weapon.empty());
    EXPECT_EQ(CarriedItems(state.current().inventory).size(), 1u);
    EXPECT_EQ(blocks.origins(ids, 1), std::vector<int>{0});
}

TEST(CopyName, IsCutToTheNameField)
{
    EXPECT_EQ(CopyName("abcdefghijklmnopqrstuvwxyz01234"), "Copy of abcdefghijklmnopqrstuvw");
}

} // namespace
