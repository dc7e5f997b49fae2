// The commands on whole classes and undo, as the session runs them: what
// they ask, which classes memory and the file hold, what the form and the
// status line show, and what the Edit menu offers.

#include "../sessioncommands.h"

#include "classdata/files/safesave.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <tuple>

using namespace tolvane;

namespace {

struct Row
{
    const char *name;
    // the letters of runSessionCommand and SessionBench; the Seals file holds A B C
    const char *commands;
    const char *answers; // see FakeView::answer
    const char *asked;   // see FakeView::asked
    const char *memory;  // the classes in memory; "n classes" beyond eight
    const char *origins; // their blocks in the file on disk
    const char *file;
    const char *shown; // the class name in the form
    const char *status;
    bool unsaved;
    const char *edit; // the steps Undo and Redo offer: "undo | redo", or the undo alone
};

const Row rows[] = {
    // Delete asks, with No as the default; the last class cannot go.
    {"DeleteOnYes", "L x", "y", "X", "B C", "1 2", "A B C", "B", "Deleted Class 0 [A]; @ Class 0 / 1 [B]", true,
     "Delete Class A"},
    {"DeleteRefused", "L x", "n", "X", "A B C", "0 1 2", "A B C", "A", "3 Config Classes Read", false, ""},
    {"DeleteKeepsTheOnlyClass", "F1 L x", "", "", "c0", "0", "c0", "c0", "1 Config Classes Read", false, ""},
    {"DeleteTheLastMovesBack", "L l x", "y", "X", "A B", "0 1", "A B C", "B", "Deleted Class 2 [C]; @ Class 1 / 1 [B]",
     true, "Delete Class C"},
    {"UndoTwoDeletes", "L l x x z z", "yy", "XX", "A B C", "0 1 2", "A B C", "C", "Undone: Delete Class C", false,
     " | Delete Class C"},
    {"UndoADeleteOfAFullTable", "F64 L l x z", "y", "X", "64 classes", nullptr, "64 classes", "c63",
     "Undone: Delete Class c63", false, " | Delete Class c63"},
    // The slot a delete frees empties; slots past the classes stay as they
    // were, also through undo, and Add Class brings them back.
    {"DeleteEmptiesTheFreedSlot", "F5 L F3 L g1 x a l", "y", "X", "c0 c2 ", "0 2 -1", "c0 c1 c2", "",
     "@ Class 2 / 2 []", true, "Add Class"},
    {"UndoADeleteKeepsSlotsBeyond", "F5 L F3 L g1 x z a l", "y", "X", "c0 c1 c2 c3", "0 1 2 -1", "c0 c1 c2", "c3",
     "@ Class 3 / 3 [c3]", true, "Add Class"},
    {"UndoADuplicateKeepsSlotsBeyond", "F5 L F3 L d z a l", "", "", "c0 c1 c2 c3", "0 1 2 -1", "c0 c1 c2", "c3",
     "@ Class 3 / 3 [c3]", true, "Add Class"},
    // Undo past a write brings the mark back; Redo to it clears it.
    {"UndoPastAWriteMarksChanges", "L x W z", "y", "X", "A B C", "-1 0 1", "B C", "A", "Undone: Delete Class A", true,
     " | Delete Class A"},
    {"RedoToTheWriteClearsTheMark", "L x W z y", "y", "X", "B C", "0 1", "B C", "B", "Redone: Delete Class A", false,
     "Delete Class A"},
    {"RedoADuplicateUpToTheWrite", "L g1 d W z y", "", "", "A B C Copy of B", "0 1 2 3", "A B C Copy of B", "Copy of B",
     "Redone: Duplicate Class B", false, "Duplicate Class B"},
    {"UndoAMoveAfterAWrite", "L w W z", "", "", "A B C", "1 0 2", "B A C", "A", "Undone: Move Class Down A", true,
     " | Move Class Down A"},
    {"UndoADuplicateAfterTheFirstWrite", "e W d z", "y", "E", "x", "0", "x", "x", "Undone: Duplicate Class x", false,
     "Store Class x | Duplicate Class x"},
    // Duplicate stores the form first and goes to the copy, up to 64 classes.
    {"DuplicateStoresTheFormFirst", "L e d", "", "", "Ax B C Copy of Ax", "0 1 2 -1", "A B C", "Copy of Ax",
     "Duplicated [Ax]; @ Class 3 / 3 [Copy of Ax]", true, "Duplicate Class Ax"},
    {"UndoADuplicateKeepsTheStore", "L e d z", "", "", "Ax B C", "0 1 2", "A B C", "Ax", "Undone: Duplicate Class Ax",
     true, "Store Class Ax | Duplicate Class Ax"},
    {"DuplicateBeforeALoad", "e d", "", "", "x Copy of x", "-1 -1", "A B C", "Copy of x",
     "Duplicated [x]; @ Class 1 / 1 [Copy of x]", true, "Duplicate Class x"},
    {"DuplicateIntoAFullTable", "F64 L d", "", "", "64 classes", nullptr, "64 classes", "c0",
     "The table is full: 64 classes", false, ""},
    {"DuplicateTheSixtyFourthClass", "F63 L l d", "", "", "64 classes", nullptr, "63 classes", "Copy of c62",
     "Duplicated [c62]; @ Class 63 / 63 [Copy of c62]", true, "Duplicate Class c62"},
    // The moves take the class along; at the ends nothing moves.
    {"MoveDown", "L w", "", "", "B A C", "1 0 2", "A B C", "A", "Moved [A]; @ Class 1 / 2 [A]", true,
     "Move Class Down A"},
    {"MoveDownAndBackUp", "L w u", "", "", "A B C", "0 1 2", "A B C", "A", "Moved [A]; @ Class 0 / 2 [A]", false,
     "Move Class Up A"},
    {"MoveUpAtTheFirst", "L u", "", "", "A B C", "0 1 2", "A B C", "A", "3 Config Classes Read", false, ""},
    {"MoveDownAtTheLast", "L l w", "", "", "A B C", "0 1 2", "A B C", "C", "@ Class 2 / 2 [C]", false, ""},
    {"UndoTheSecondMoveUp", "L l u u z", "", "", "A C B", "0 2 1", "A B C", "C", "Undone: Move Class Up C", true,
     "Move Class Up C | Move Class Up C"},
    // Go to Class stores the form and reports the move; Undo goes back there.
    {"GoToStoresTheForm", "L e g2", "", "", "Ax B C", "0 1 2", "A B C", "C", "@ Class 2 / 2 [C]", true,
     "Store Class Ax"},
    {"UndoGoesBackToTheStoredClass", "L e g2 z", "", "", "A B C", "0 1 2", "A B C", "A", "Undone: Store Class Ax",
     false, " | Store Class Ax"},
    // Undo takes an unstored edit back first; Redo brings it again; a new
    // step drops Redo; a store that changes nothing is no step.
    {"UndoTakesBackAnUnstoredEdit", "L e z", "", "", "A B C", "0 1 2", "A B C", "A", "Undone: Store Class Ax", false,
     " | Store Class Ax"},
    {"RedoBringsTheEditBack", "L e z y", "", "", "Ax B C", "0 1 2", "A B C", "Ax", "Redone: Store Class Ax", true,
     "Store Class Ax"},
    {"UndoAddClass", "L a z", "", "", "A B C", "0 1 2", "A B C", "A", "Undone: Add Class", false, " | Add Class"},
    {"NewStepDropsRedo", "L x z w", "y", "X", "B A C", "1 0 2", "A B C", "A", "Moved [A]; @ Class 1 / 2 [A]", true,
     "Move Class Down A"},
    {"EditAfterUndoDropsRedo", "L x z e y", "y", "X", "Ax B C", "0 1 2", "A B C", "Ax", "Undone: Delete Class A", true,
     "Store Class Ax"},
    {"StoreWithoutChangeIsNoStep", "L S z", "", "", "A B C", "0 1 2", "A B C", "A", "Class 0 [A] unchanged in memory",
     false, ""},
    {"StoreSaysWhatItStored", "L n e S", "", "", "A Bx C", "0 1 2", "A B C", "Bx", "Stored Class 1 [Bx] in memory",
     true, "Store Class Bx"},
    // The undo keys of a text box with nothing to undo reach the classes.
    {"UndoKeysOfAnEmptyBoxUndoAClass", "L x Z", "y", "X", "A B C", "0 1 2", "A B C", "A",
     "Undone: Delete Class A (the box had nothing to undo)", false, " | Delete Class A"},
    {"RedoKeysOfAnEmptyBoxRedoAClass", "L x z Y", "y", "X", "B C", "1 2", "A B C", "B",
     "Redone: Delete Class A (the box had nothing to redo)", true, "Delete Class A"},
    {"UndoKeysWithNothingToUndo", "L Z", "", "", "A B C", "0 1 2", "A B C", "A",
     "Nothing to undo, in the box or in the classes", false, ""},
    // Before a load the form's slot counts once stored.
    {"UndoTheFirstStoreBeforeALoad", "e S z", "", "", "", "-1", "A B C", "", "Undone: Store Class x", false,
     " | Store Class x"},
    {"RedoTheFirstStoreBeforeALoad", "e S z y", "", "", "x", "-1", "A B C", "x", "Redone: Store Class x", true,
     "Store Class x"},
    // Before a load the form's slot counts on Prev. Class and on Add Class;
    // Next and Prev. stop at the ends without storing; a load brings the form
    // into the range; Add Class stops at 64 classes.
    {"PreviousBeforeALoadCountsTheSlot", "p", "", "", "", "-1", "A B C", "", "", false, ""},
    {"NextBeforeALoadStoresNothing", "e n", "", "", "", "", "A B C", "x", "", true, "Store Class x"},
    {"AddClassBeforeALoad", "e a n p", "", "", "x ", "-1 -1", "A B C", "x", "@ Class 0 / 1 [x]", true, "Add Class"},
    {"PreviousStoresTheForm", "F5 L n n e p", "", "", "c0 c1 c2x c3 c4", "0 1 2 3 4", "c0 c1 c2 c3 c4", "c1",
     "@ Class 1 / 4 [c1]", true, "Store Class c2x"},
    {"PreviousAtTheFirstStoresNothing", "F5 L l f e p", "", "", "c0 c1 c2 c3 c4", "0 1 2 3 4", "c0 c1 c2 c3 c4", "c0x",
     "@ Class 0 / 4 [c0]", true, "Store Class c0x"},
    {"LoadKeepsTheFormWithinTheClasses", "F5 L n n F3 L", "", "", "c0 c1 c2", "0 1 2", "c0 c1 c2", "c2",
     "3 Config Classes Read", false, ""},
    {"LoadOfFewerClassesBringsTheFormBack", "F5 L n n n F2 L n", "", "", "c0 c1", "0 1", "c0 c1", "c1",
     "2 Config Classes Read", false, ""},
    {"AddClassStopsAtSixtyFour", "F62 L a a l a", "", "", "64 classes", nullptr, "62 classes", "",
     "The table is full: 64 classes", true, "Add Class"},
    // Loading and discarding start afresh.
    {"LoadDiscardsAndStartsAfresh", "L x L", "yd", "XU", "A B C", "0 1 2", "A B C", "A", "3 Config Classes Read", false,
     ""},
    {"TeamSwitchDiscardsAndStartsAfresh", "L x T", "ydn", "XUT", "A B C", "0 1 2", "A B C", "A",
     "Deleted Class 0 [A]; @ Class 0 / 1 [B]", false, ""},
};

class SessionClassesTest : public ::testing::TestWithParam<Row>, protected SessionBench
{
protected:
    SessionClassesTest() : SessionBench({"A", "B", "C"}) {}

    std::string memory() const
    {
        const ClassTable &table = session->document().state().table;
        return table.classCount > 8 ? std::to_string(table.classCount) + " classes" : namesOf(table);
    }

    // A file's names beyond eight as their count.
    static std::string shortened(const std::string &names)
    {
        const auto count = std::count(names.begin(), names.end(), ' ') + 1;
        return count > 8 ? std::to_string(count) + " classes" : names;
    }
};

TEST_P(SessionClassesTest, CommandsKeepMemoryTheFileAndTheFormInStep)
{
    const Row &row = GetParam();
    view.answer(row.answers);
    run(row.commands);
    EXPECT_EQ(view.asked, row.asked);
    EXPECT_EQ(view.unanswered(), 0u);
    EXPECT_EQ(memory(), row.memory);
    if (row.origins) {
        std::string origins;
        for (int block : session->document().origins())
            origins += (origins.empty() ? "" : " ") + std::to_string(block);
        EXPECT_EQ(origins, row.origins);
    }
    EXPECT_EQ(shortened(namesIn(first.path, true)), row.file);
    EXPECT_EQ(view.boxes.className, row.shown);
    EXPECT_EQ(view.status, row.status);
    EXPECT_EQ(view.unsavedMark, row.unsaved);
    const std::string &redo = view.classCommands.redo;
    EXPECT_EQ(view.classCommands.undo + (redo.empty() ? "" : " | " + redo), row.edit);
}

INSTANTIATE_TEST_SUITE_P(Rows, SessionClassesTest, ::testing::ValuesIn(rows), byRowName);

// The inventory view sets amounts as steps, and the form's amount follows.
TEST_F(SessionClassesTest, InventoryViewChangesTheClassAtOnce)
{
    session->loadConfig();
    view.boxes.item = 36; // Rockets
    inventoryView.inInventory = [](const InventoryView::Inventory &inventory) {
        EXPECT_EQ(inventory.className, "A");
        EXPECT_EQ(inventory.pickedItem, 36);
        inventory.setAmount(36, 5);
        inventory.setAmount(1, 2);
        EXPECT_EQ(inventory.amounts()[36], 5);
    };
    parts->inventory.showInventory();
    EXPECT_EQ(view.boxes.amount, "5");
    EXPECT_EQ(view.classCommands.undo, "Set Fists to 2 for A");
    EXPECT_TRUE(view.unsavedMark);
    session->undo();
    session->undo();
    EXPECT_EQ(view.boxes.amount, "0");
    EXPECT_FALSE(view.unsavedMark);
}

// Go to Class offers every class in slot order, the last one too, by the
// names the window shows.
TEST_F(SessionClassesTest, GoToClassOffersEveryClass)
{
    ASSERT_TRUE(saveFileAtomically(seals(), classFile({"Sniper", "Scout", "J\xE4ger"})));
    run("L g2");
    EXPECT_EQ(classPicker.classList, (std::vector<std::string>{"Sniper", "Scout", "J\xC3\xA4ger"}));
    EXPECT_EQ(view.status, "@ Class 2 / 2 [J\xC3\xA4ger]");
}

// The Problems list names a problem by its class wherever moves and deletes
// put it, and choosing it goes to that class.
TEST_F(SessionClassesTest, ProblemsStayWithTheirClass)
{
    const std::tuple<const char *, const char *, const char *, const char *> rows[] = {
        // commands, answers, the list, the class choosing its first problem shows
        {"L l u", "", "B, line 44: TCC001 unknown key \"bogus\"; line ignored", "B"},
        {"L x", "y", "B, line 44: TCC001 unknown key \"bogus\"; line ignored", "B"},
        {"L g1 x", "y", "", "C"},
    };
    std::string bytes = classFile({"A", "B", "C"});
    bytes.insert(bytes.find('\n', bytes.find("classname B")) + 1, "bogus 1\n");
    ASSERT_TRUE(saveFileAtomically(seals(), bytes));
    for (const auto &[commands, answers, listed, shown] : rows) {
        SCOPED_TRACE(commands);
        newSessionIn(GameFolder::at(first.path));
        session->start();
        view.answer(answers);
        run(commands);
        std::string lines;
        for (const ReviewCommands::ListedProblem &line : parts->review.problems())
            lines += line.text;
        EXPECT_EQ(lines, listed);
        parts->review.goToProblem(0);
        EXPECT_EQ(view.boxes.className, shown);
    }
}

// Write Out keeps each class's own lines in the file, through deletes, moves
// and undo across an earlier write.
TEST_F(SessionClassesTest, WriteOutKeepsEachClassWithItsOwnLines)
{
    const std::tuple<const char *, const char *, const char *> rows[] = {
        {"L W", "", "A B note C"}, {"L x W", "y", "B note C"},          {"L w W", "", "B note A C"},
        {"L g1 x W", "y", "A C"},  {"L g0 x W z W", "y", "A B note C"}, {"L l u W", "", "A C B note"},
    };
    const fs::path file = first.path / "tvclass_seals.cfg";
    for (const auto &[commands, answers, expected] : rows) {
        SCOPED_TRACE(commands);
        std::string bytes = classFile({"A", "B", "C"});
        bytes.insert(bytes.find('\n', bytes.find("classname B")) + 1, "// note\n");
        ASSERT_TRUE(saveFileAtomically(file, bytes));
        view.answer(answers);
        run(commands);
        std::istringstream written(readWholeFile(file).bytes);
        std::string order;
        for (std::string line; std::getline(written, line);) {
            if (line.starts_with("classname "))
                order += (order.empty() ? "" : " ") + line.substr(10);
            else if (line == "// note")
                order += " note";
        }
        EXPECT_EQ(order, expected);
        EXPECT_EQ(view.unanswered(), 0u);
    }
}

} // namespace
