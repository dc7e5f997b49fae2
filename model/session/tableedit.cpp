#include "tableedit.h"

#include <algorithm>
#include <utility>

namespace tolvane {

TableEdit::TableEdit(std::string name, const EditorState &state)
    : stepName(std::move(name)), before(positionOf(state)), after(before)
{
}

void TableEdit::replace(EditedClasses classes, int slot, const ClassRecord &record, int id)
{
    if (classes.state.table.records[slot] == record && classes.ids[slot] == id)
        return;
    changes.push_back({Kind::Replace, slot, slot, record, id});
    apply(classes, changes.back(), true);
}

void TableEdit::erase(EditedClasses classes, int slot)
{
    const int end = std::max(classes.state.table.classCount, slot + 1);
    changes.push_back({Kind::Erase, slot, end});
    apply(classes, changes.back(), true);
}

void TableEdit::swap(EditedClasses classes, int a, int b)
{
    if (a == b)
        return;
    changes.push_back({Kind::Swap, a, b});
    apply(classes, changes.back(), true);
}

void TableEdit::finish(const EditorState &state)
{
    after = positionOf(state);
}

bool TableEdit::empty() const
{
    return changes.empty() && before == after;
}

void TableEdit::undo(EditedClasses classes)
{
    for (auto change = changes.rbegin(); change != changes.rend(); ++change)
        apply(classes, *change, false);
    moveTo(classes.state, before);
}

void TableEdit::redo(EditedClasses classes)
{
    for (Change &change : changes)
        apply(classes, change, true);
    moveTo(classes.state, after);
}

TableEdit::Position TableEdit::positionOf(const EditorState &state)
{
    return {state.table.classCount, state.lastIndex, state.currentIndex};
}

void TableEdit::moveTo(EditorState &state, const Position &position)
{
    state.table.classCount = position.classCount;
    state.lastIndex = position.lastIndex;
    state.currentIndex = position.currentIndex;
}

// Each change is its own inverse but for the direction of an erase: the
// held class and the slot trade places, and an erase rotates the classes
// after it one way or the other.
void TableEdit::apply(EditedClasses classes, Change &change, bool forward)
{
    auto &records = classes.state.table.records;
    auto &ids = classes.ids;
    const auto tradeWithHeld = [&](int slot) {
        std::swap(records[slot], change.held);
        std::swap(ids[slot], change.heldId);
    };
    switch (change.kind) {
    case Kind::Replace:
        tradeWithHeld(change.slot);
        break;
    case Kind::Swap:
        std::swap(records[change.slot], records[change.other]);
        std::swap(ids[change.slot], ids[change.other]);
        break;
    case Kind::Erase: {
        const auto rotate = [&](auto &slots) {
            const auto first = slots.begin() + change.slot;
            const auto last = slots.begin() + change.other;
            if (forward)
                std::rotate(first, first + 1, last);
            else
                std::rotate(first, last - 1, last);
        };
        if (!forward)
            tradeWithHeld(change.other - 1);
        rotate(records);
        rotate(ids);
        if (forward)
            tradeWithHeld(change.other - 1);
        break;
    }
    }
}

} // namespace tolvane
