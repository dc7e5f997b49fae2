#pragma once

#include "classrecord.h"

#include <array>
#include <string>
#include <vector>

// Which block of the loaded class file each slot's class came from, counted
// from 0; -1 for a class that is new since the load and for every slot
// beyond the classes. Kept beside the table, so that writing the file can keep
// each class's own lines and comments.
using ClassOrigins = std::array<int, tableSlotCount>;

// The origins right after loading classCount classes: 0 to classCount - 1.
ClassOrigins LoadedOrigins(int classCount);

// The table and the origins of its classes, which change together.
struct EditedClasses
{
    EditorState &state;
    ClassOrigins &origins;
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

    // Puts record, of origin, into slot.
    void replace(EditedClasses classes, int slot, const ClassRecord &record, int origin);
    // Removes the class in slot; the classes after it up to classCount move up
    // a slot, and the slot that frees becomes empty and new.
    void erase(EditedClasses classes, int slot);
    // Swaps the classes of two slots.
    void swap(EditedClasses classes, int a, int b);
    // The position and class count the step leaves, as classes has them now.
    void finish(const EditorState &after);

    // Whether the step changed nothing at all.
    bool empty() const;

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
        int heldOrigin = -1;
    };

    static Position positionOf(const EditorState &state);
    static void moveTo(EditorState &state, const Position &position);
    static void apply(EditedClasses classes, Change &change, bool forward);

    std::string stepName;
    std::vector<Change> changes;
    Position before;
    Position after;
};
