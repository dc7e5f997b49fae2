#pragma once

#include "editorsession.h"

#include <array>
#include <cstdint>
#include <functional>
#include <string>

namespace tolvane {

// The inventory view of one class: modal, it changes the class at once.
class InventoryView
{
public:
    // The inventory of the class named className, opened at the catalogue
    // item pickedItem. amounts reads the class's amounts, and setAmount
    // changes one at once.
    struct Inventory
    {
        std::string className;
        int pickedItem = 0;
        std::function<std::array<std::int32_t, inventorySlotCount>()> amounts;
        std::function<void(int itemSlot, std::int32_t amount)> setAmount;
    };
    virtual ~InventoryView() = default;
    virtual void showInventory(const Inventory &inventory) = 0;
};

// The inventory and the starting weapon of the form's class, which change
// the class at once, each change a step of its own; and Calculate.
class InventoryCommands
{
public:
    InventoryCommands(EditorSession &session, InventoryView &view) : session(session), view(view) {}

    void pickItem();
    void addItem();
    void pickStartingWeapon();
    void showInventory();
    void calculate();

private:
    EditorSession &session;
    InventoryView &view;
};

} // namespace tolvane
