#include "classlistwindows.h"

#include "gotoclassdialog.h"
#include "inventorydialog.h"

std::optional<int> ClassListWindows::chooseClass(const std::vector<std::string> &names, const std::vector<int> &numbers,
                                                 int current)
{
    QStringList shown;
    for (const std::string &name : names)
        shown << QString::fromStdString(name);
    GoToClassDialog list(shown, current, window, QList<int>(numbers.begin(), numbers.end()));
    if (list.exec() != QDialog::Accepted || list.chosenSlot() < 0)
        return std::nullopt;
    return list.chosenSlot();
}

void ClassListWindows::showInventory(const Inventory &inventory)
{
    InventoryDialog view(QString::fromStdString(inventory.className), inventory.amounts, inventory.setAmount, window);
    view.pickItem(inventory.pickedItem);
    view.exec();
}
