#include "tablecommands.h"

#include "classdata/format/itemcatalogue.h"

#include <algorithm>
#include <utility>

namespace tolvane {

namespace {

std::string classNamed(std::string_view command, const ClassRecord &record)
{
    return std::string(command) + ' ' + std::string(record.classname.view());
}

// Puts record into the current slot, keeping the class's id.
TableEdit replaceCurrent(EditedClasses classes, std::string name, const ClassRecord &record)
{
    EditorState &state = classes.state;
    TableEdit step(std::move(name), state);
    step.replace(classes, state.currentIndex, record, classes.ids[state.currentIndex]);
    step.finish(state);
    return step;
}

std::optional<TableEdit> moveClass(EditedClasses classes, std::string_view command, int by)
{
    EditorState &state = classes.state;
    TableEdit step(classNamed(command, state.current()), state);
    step.swap(classes, state.currentIndex, state.currentIndex + by);
    state.currentIndex += by;
    step.finish(state);
    return step;
}

} // namespace

std::optional<int> moveTarget(const EditorState &state, Move move)
{
    switch (move) {
    case Move::Next:
        if (state.currentIndex >= state.lastIndex)
            return std::nullopt;
        return state.currentIndex + 1;
    case Move::Previous:
        if (state.currentIndex <= state.firstIndex)
            return std::nullopt;
        return state.currentIndex - 1;
    case Move::First:
        return state.firstIndex;
    case Move::Last:
        return state.lastIndex;
    }
    return std::nullopt;
}

std::optional<int> goToTarget(const EditorState &state, int slot)
{
    if (slot < state.firstIndex || slot > state.lastIndex)
        return std::nullopt;
    return slot;
}

void fitRangeToClasses(EditorState &state)
{
    state.lastIndex = state.table.classCount - 1;
    // A shorter file than before must not leave the form beyond its classes.
    state.currentIndex = std::min(state.currentIndex, state.lastIndex);
}

std::optional<TableEdit> appendClass(EditedClasses classes)
{
    EditorState &state = classes.state;
    if (state.lastIndex >= tableSlotCount - 1)
        return std::nullopt;
    TableEdit step("Add Class", state);
    state.countTheEditedSlot();
    ++state.lastIndex;
    ++state.table.classCount;
    step.finish(state);
    return step;
}

std::optional<TableEdit> appendClasses(EditedClasses classes, std::string name, std::span<const ClassRecord> records)
{
    EditorState &state = classes.state;
    const int first = std::max(state.table.classCount, state.lastIndex + 1);
    if (records.empty() || first + int(records.size()) > tableSlotCount)
        return std::nullopt;
    TableEdit step(std::move(name), state);
    for (std::size_t i = 0; i < records.size(); ++i)
        step.replace(classes, first + int(i), records[i], -1);
    state.table.classCount = first + int(records.size());
    state.lastIndex = state.table.classCount - 1;
    step.finish(state);
    return step;
}

bool canDeleteClass(const EditorState &state)
{
    return state.table.classCount > 1 && state.currentIndex < state.table.classCount;
}

bool canDuplicateClass(const EditorState &state)
{
    return state.table.classCount < tableSlotCount;
}

bool canMoveClassUp(const EditorState &state)
{
    return state.currentIndex > 0 && state.currentIndex < state.table.classCount;
}

bool canMoveClassDown(const EditorState &state)
{
    return state.currentIndex + 1 < state.table.classCount;
}

std::optional<TableEdit> deleteCurrentClass(EditedClasses classes)
{
    EditorState &state = classes.state;
    if (!canDeleteClass(state))
        return std::nullopt;
    TableEdit step(classNamed("Delete Class", state.current()), state);
    step.erase(classes, state.currentIndex);
    --state.table.classCount;
    state.lastIndex = state.table.classCount - 1;
    state.currentIndex = std::min(state.currentIndex, state.lastIndex);
    step.finish(state);
    return step;
}

std::optional<TableEdit> duplicateCurrentClass(EditedClasses classes)
{
    EditorState &state = classes.state;
    if (!canDuplicateClass(state))
        return std::nullopt;
    TableEdit step(classNamed("Duplicate Class", state.current()), state);
    ClassRecord copy = state.current();
    copy.classname.assign(copyName(copy.classname.view()));
    const int slot = state.table.classCount;
    step.replace(classes, slot, copy, -1);
    state.table.classCount = slot + 1;
    state.lastIndex = slot;
    state.currentIndex = slot;
    step.finish(state);
    return step;
}

std::optional<TableEdit> moveCurrentClassUp(EditedClasses classes)
{
    if (!canMoveClassUp(classes.state))
        return std::nullopt;
    return moveClass(classes, "Move Class Up", -1);
}

std::optional<TableEdit> moveCurrentClassDown(EditedClasses classes)
{
    if (!canMoveClassDown(classes.state))
        return std::nullopt;
    return moveClass(classes, "Move Class Down", 1);
}

std::string copyName(std::string_view name)
{
    std::string copy = "Copy of " + std::string(name);
    copy.resize(std::min(copy.size(), decltype(ClassRecord::classname)::capacity));
    return copy;
}

std::string storeClassName(const ClassRecord &record)
{
    return classNamed("Store Class", record);
}

TableEdit storeClass(EditedClasses classes, const ClassRecord &record)
{
    EditorState &state = classes.state;
    // The slot counts for good: undoing the store leaves it counted.
    state.countTheEditedSlot();
    TableEdit step(storeClassName(record), state);
    step.replace(classes, state.currentIndex, record, classes.ids[state.currentIndex]);
    step.finish(state);
    return step;
}

TableEdit replaceClasses(EditedClasses classes, std::string name, std::span<const ClassRecord> after,
                         std::span<const int> origins)
{
    EditorState &state = classes.state;
    TableEdit step(std::move(name), state);
    const ClassIds ids = classes.ids;
    const int count = int(std::min(after.size(), std::size_t(tableSlotCount)));
    for (int slot = 0; slot < count; ++slot) {
        const int origin = std::size_t(slot) < origins.size() ? origins[slot] : -1;
        step.replace(classes, slot, after[slot], origin >= 0 ? ids[origin] : -1);
    }
    state.table.classCount = std::max(state.table.classCount, count);
    state.lastIndex = std::max(state.lastIndex, state.table.classCount - 1);
    step.finish(state);
    return step;
}

TableEdit setItemAmount(EditedClasses classes, int itemSlot, std::int32_t amount)
{
    ClassRecord record = classes.state.current();
    record.inventory[itemSlot] = amount;
    return replaceCurrent(classes,
                          "Set " + std::string(itemCatalogue[itemSlot].displayName) + " to " + std::to_string(amount)
                              + " for " + std::string(record.classname.view()),
                          record);
}

TableEdit setStartingWeapon(EditedClasses classes, int itemSlot)
{
    ClassRecord record = classes.state.current();
    record.starting_weapon.assign(itemCatalogue[itemSlot].internalName);
    return replaceCurrent(classes,
                          "Starting Weapon " + std::string(itemCatalogue[itemSlot].displayName) + " for "
                              + std::string(record.classname.view()),
                          record);
}

std::vector<CarriedItem> carriedItems(const std::array<std::int32_t, inventorySlotCount> &inventory)
{
    std::vector<CarriedItem> items;
    for (int slot = 0; slot < inventorySlotCount; ++slot) {
        if (inventory[slot] != 0)
            items.push_back({slot, inventory[slot]});
    }
    return items;
}

} // namespace tolvane
