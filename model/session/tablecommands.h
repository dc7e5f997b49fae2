#pragma once

#include "tableedit.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tolvane {

// The commands that change whole classes or one class's inventory and
// starting weapon. Each changes the classes at once and returns its step for
// the undo history, named for the Edit menu; a command that cannot run at
// this position (see the Can... tests) changes nothing and returns nullopt.
// Texts are Windows-1252 bytes.

// Where the form moves: Next and Prev. to the neighbour, nullopt at the
// ends; First and Last to the ends; Go to Class to a slot among the classes,
// nullopt for any other.
enum class Move { Next, Previous, First, Last };
std::optional<int> moveTarget(const EditorState &state, Move move);
std::optional<int> goToTarget(const EditorState &state, int slot);

// After the reader refilled the table: the classes read are the range the
// form moves through, and the form stays within it.
void fitRangeToClasses(EditorState &state);

// Makes room for one more class after the last, 64 at most, without moving
// the form.
std::optional<TableEdit> appendClass(EditedClasses classes);

// Delete needs a class to remain, Duplicate a free slot, and the moves a
// neighbour among the classes.
bool canDeleteClass(const EditorState &state);
bool canDuplicateClass(const EditorState &state);
bool canMoveClassUp(const EditorState &state);
bool canMoveClassDown(const EditorState &state);

// records as new classes after the last, without ids, as one step named
// name; the form stays where it is. nullopt when they do not all fit.
std::optional<TableEdit> appendClasses(EditedClasses classes, std::string name, std::span<const ClassRecord> records);

// Removes the current class; the classes after it move up a slot, and the
// form stays at the same slot, or the new last class.
std::optional<TableEdit> deleteCurrentClass(EditedClasses classes);
// A copy of the current class, named by copyName, as a new class after the
// last, without an id; the form moves to it.
std::optional<TableEdit> duplicateCurrentClass(EditedClasses classes);
// Swaps the current class with its neighbour; the form moves with it.
std::optional<TableEdit> moveCurrentClassUp(EditedClasses classes);
std::optional<TableEdit> moveCurrentClassDown(EditedClasses classes);

// "Copy of " and the name, cut to the name field's capacity.
std::string copyName(std::string_view name);

// The name of the step storeClass makes of record.
std::string storeClassName(const ClassRecord &record);

// Stores record, the form's values, into the current class; the table counts
// the slot the form edits from then on, undone or not
// (EditorState::countTheEditedSlot).
TableEdit storeClass(EditedClasses classes, const ClassRecord &record);
// Puts each class of after into its slot: origins[i] names the slot whose
// class after[i] replaces (its id goes with it), -1 for a new class. The
// table counts every slot of after; the form stays where it is.
TableEdit replaceClasses(EditedClasses classes, std::string name, std::span<const ClassRecord> after,
                         std::span<const int> origins);
// Sets the amount of the catalogue item in slot of the current class.
TableEdit setItemAmount(EditedClasses classes, int itemSlot, std::int32_t amount);
// Makes the catalogue item in itemSlot the current class's starting weapon.
TableEdit setStartingWeapon(EditedClasses classes, int itemSlot);

// What a class carries: the items with an amount other than 0, in
// catalogue order.
struct CarriedItem
{
    int itemSlot;
    std::int32_t amount;
};
std::vector<CarriedItem> carriedItems(const std::array<std::int32_t, inventorySlotCount> &inventory);

} // namespace tolvane
