#pragma once

#include "model/session/classlistcommands.h"
#include "model/session/inventorycommands.h"

class QWidget;

// Go to Class and the inventory view, over the window.
class ClassListWindows : public tolvane::ClassPicker, public tolvane::InventoryView
{
public:
    explicit ClassListWindows(QWidget *window) : window(window) {}

    std::optional<int> chooseClass(const std::vector<std::string> &names, const std::vector<int> &numbers,
                                   int current) override;
    void showInventory(const Inventory &inventory) override;

private:
    QWidget *window;
};
