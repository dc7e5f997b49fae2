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

std::optional<int> MoveTarget(const EditorState &state, Move move)
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

std::optional<int> GoToTarget(const EditorState &state, int slot)
{
    if (slot < state.firstIndex || slot > state.lastIndex)
        return std::nullopt;
    return slot;
}

void FitRangeToClasses(EditorState &state)
{
    state.lastIndex = state.table.classCount - 1;
    // A shorter file than before must not leave the form beyond its classes.
    state.currentIndex = std::min(state.currentIndex, state.lastIndex);
}

std::optional<TableEdit> AddClass(EditedClasses classes)
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

bool CanDeleteClass(const EditorState &state)
{
    return state.table.classCount > 1 && state.currentIndex < state.table.classCount;
}

bool CanDuplicateClass(const EditorState &state)
{
    return state.table.classCount < tableSlotCount;
}

bool CanMoveClassUp(const EditorState &state)
{
    return state.currentIndex > 0 && state.currentIndex < state.table.classCount;
}

bool CanMoveClassDown(const EditorState &state)
{
    return state.currentIndex + 1 < state.table.classCount;
}

std::optional<TableEdit> DeleteClass(EditedClasses classes)
{
    EditorState &state = classes.state;
    if (!CanDeleteClass(state))
        return std::nullopt;
    TableEdit step(classNamed("Delete Class", state.current()), state);
    step.erase(classes, state.currentIndex);
    --state.table.classCount;
    state.lastIndex = state.table.classCount - 1;
    state.currentIndex = std::min(state.currentIndex, state.lastIndex);
    step.finish(state);
    return step;
}

std::optional<TableEdit> DuplicateClass(EditedClasses classes)
{
    EditorState &state = classes.state;
    if (!CanDuplicateClass(state))
        return std::nullopt;
    TableEdit step(classNamed("Duplicate Class", state.current()), state);
    ClassRecord copy = state.current();
    copy.classname.assign(CopyName(copy.classname.view()));
    const int slot = state.table.classCount;
    step.replace(classes, slot, copy, -1);
    state.table.classCount = slot + 1;
    state.lastIndex = slot;
    state.currentIndex = slot;
    step.finish(state);
    return step;
}

std::optional<TableEdit> MoveClassUp(EditedClasses classes)
{
    if (!CanMoveClassUp(classes.state))
        return std::nullopt;
    return moveClass(classes, "Move Class Up", -1);
}

std::optional<TableEdit> MoveClassDown(EditedClasses classes)
{
    if (!CanMoveClassDown(classes.state))
        return std::nullopt;
    return moveClass(classes, "Move Class Down", 1);
}

std::string CopyName(std::string_view name)
{
    std::string copy = "Copy of " + std::string(name);
    copy.resize(std::min(copy.size(), decltype(ClassRecord::classname)::capacity));
    return copy;
}

std::string StoreClassName(const ClassRecord &record)
{
    return classNamed("Store Class", record);
}

TableEdit StoreClass(EditedClasses classes, const ClassRecord &record)
{
    EditorState &state = classes.state;
    // The slot counts for good: undoing the store leaves it counted.
    state.countTheEditedSlot();
    TableEdit step(StoreClassName(record), state);
    step.replace(classes, state.currentIndex, record, classes.ids[state.currentIndex]);
    step.finish(state);
    return step;
}

TableEdit ReplaceClasses(EditedClasses classes, std::string name, std::span<const ClassRecord> after,
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

TableEdit SetItemAmount(EditedClasses classes, int itemSlot, std::int32_t amount)
{
    ClassRecord record = classes.state.current();
    record.inventory[itemSlot] = amount;
    return replaceCurrent(classes,
                          "Set " + std::string(itemCatalogue[itemSlot].displayName) + " to " + std::to_string(amount)
                              + " for " + std::string(record.classname.view()),
                          record);
}

TableEdit SetStartingWeapon(EditedClasses classes, int itemSlot)
{
    ClassRecord record = classes.state.current();
    record.starting_weapon.assign(itemCatalogue[itemSlot].internalName);
    return replaceCurrent(classes,
                          "Starting Weapon " + std::string(itemCatalogue[itemSlot].displayName) + " for "
                              + std::string(record.classname.view()),
                          record);
}

std::vector<CarriedItem> CarriedItems(const std::array<std::int32_t, inventorySlotCount> &inventory)
{
    std::vector<CarriedItem> items;
    for (int slot = 0; slot < inventorySlotCount; ++slot) {
        if (inventory[slot] != 0)
            items.push_back({slot, inventory[slot]});
    }
    return items;
}

} // namespace tolvane
