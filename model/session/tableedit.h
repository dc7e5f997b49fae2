#pragma once

#include "classdata/format/classrecord.h"

#include <array>
#include <string>
#include <vector>

namespace tolvane {

// An identity for the class in each slot, which moves with the class when
// classes are deleted, moved or taken back; FileBlocks finds each class's
// block of the class file by it. -1: a class that has none yet.
using ClassIds = std::array<int, tableSlotCount>;

// The table and the ids of its classes, which change together.
struct EditedClasses
{
    EditorState &state;
    ClassIds &ids;
};

// One step of editing the classes, done at once and able to be taken back
// and done again. It keeps only what it changed: the class it replaced or
// deleted (one class), the slots it swapped, and the editing position and
// class count before and after. Applying a change again takes it back, so a
// step holds each replaced class once, not before and after.
class TableEdit
{
public:
    // A step named for the Edit menu ("Delete Class Sniper", Windows-1252),
    // starting from the position of classes.
    TableEdit(std::string name, const EditorState &before);

    const std::string &name() const { return stepName; }

    // Puts record, with id, into slot.
    void replace(EditedClasses classes, int slot, const ClassRecord &record, int id);
    // Removes the class in slot; the classes after it up to classCount move up
    // a slot, and the slot that frees becomes empty, without an id.
    void erase(EditedClasses classes, int slot);
    // Swaps the classes of two slots.
    void swap(EditedClasses classes, int a, int b);
    // The position and class count the step leaves, as classes has them now.
    void finish(const EditorState &after);

    // Whether the step changed nothing at all.
    bool empty() const;
    // How many changes it holds: of a change to many classes, the classes.
    std::size_t changeCount() const { return changes.size(); }

    void undo(EditedClasses classes);
    void redo(EditedClasses classes);

private:
    struct Position
    {
        std::int32_t classCount = 0;
        std::int32_t lastIndex = 0;
        std::int32_t currentIndex = 0;
        bool operator==(const Position &) const = default;
    };
    enum class Kind { Replace, Erase, Swap };
    struct Change
    {
        Kind kind;
        int slot;
        int other; // Erase: the end of the classes that moved; Swap: the other slot
        ClassRecord held = {};
        int heldId = -1;
    };

    static Position positionOf(const EditorState &state);
    static void moveTo(EditorState &state, const Position &position);
    static void apply(EditedClasses classes, Change &change, bool forward);

    std::string stepName;
    std::vector<Change> changes;
    Position before;
    Position after;
};

} // namespace tolvane
