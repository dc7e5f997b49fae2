#pragma once

#include "fixedtext.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace tolvane {

inline constexpr int inventorySlotCount = 44;
inline constexpr int tableSlotCount = 64;

// The ability bits that have a check box in the form; 0x800 and the bits above
// 0x400000 have none.
inline constexpr std::int32_t definedAbilityMask = 0x7FF7FF;

// One player class of one team. Field names are the class file's keys.
struct ClassRecord
{
    FixedText<31> classname;
    float underwaterair = 0;
    FixedText<1023> keys;
    float speed = 0;
    float resistance = 0;
    float jump = 0;
    std::int32_t max_health = 0;
    std::int32_t health = 0;
    std::int32_t max_357cal = 0;
    std::int32_t max_shells = 0;
    std::int32_t max_rockets = 0;
    std::int32_t max_grenades = 0;
    std::int32_t max_cells = 0;
    std::int32_t max_45cal = 0;
    std::int32_t max_9cal = 0;
    std::int32_t max_556cal = 0;
    std::int32_t max_308cal = 0;
    std::int32_t max_762bb = 0;
    FixedText<1023> starting_weapon;
    std::int32_t kevlar_trouser = 0;
    std::int32_t kevlar_vest = 0;
    std::int32_t combat_helmet = 0;
    std::int32_t classabilities = 0;
    std::array<std::int32_t, inventorySlotCount> inventory{};

    bool operator==(const ClassRecord &) const = default;
};

// The defaults a slot gets when a class block begins. Besides the documented
// values this empties the starting weapon and the inventory, so that a reload
// never carries an earlier class's weapon and items into a different class.
void applyBlockStartDefaults(ClassRecord &record);

// The class a read that found no class at all leaves in slot 0.
void applyEmptyTableDefault(ClassRecord &record);

struct ClassTable
{
    std::array<ClassRecord, tableSlotCount> records{};
    std::int32_t classCount = 0;
};

// Everything the editor works on: the table, the editing position and the
// active team. One object, owned by whoever edits, so nothing is global.
struct EditorState
{
    ClassTable table;
    std::int32_t currentIndex = 0;
    std::int32_t lastIndex = 0;
    std::int32_t firstIndex = 0;
    std::int32_t sealsActive = 1;

    // As at the start of a run: the empty table, slot 0, the Seals file.
    void reset()
    {
        table.records.fill(ClassRecord{});
        table.classCount = 0;
        currentIndex = lastIndex = firstIndex = 0;
        sealsActive = 1;
    }

    ClassRecord &current() { return table.records[currentIndex]; }
    const ClassRecord &current() const { return table.records[currentIndex]; }

    // The classes Write Out writes. Before the first load the table counts
    // none (classCount and lastIndex are 0) while the form already edits
    // slot 0: that slot counts as a class, since Write Out stores the form
    // first. After a load classCount is lastIndex + 1 already.
    std::int32_t classesCounted() const { return std::max(table.classCount, lastIndex + 1); }
    // The first store, Prev. Class or Add Class makes the table count it.
    void countTheEditedSlot() { table.classCount = classesCounted(); }
};

} // namespace tolvane
