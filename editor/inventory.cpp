#include "creatordialog.h"

#include "controlids.h"
#include "cp1252.h"
#include "itemcatalogue.h"
#include "textnumbers.h"

#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>

#include <optional>

namespace {

// The catalogue slot of a list's selected entry.
std::optional<int> selectedSlot(const QComboBox *list)
{
    if (list->currentIndex() < 0)
        return std::nullopt;
    return SlotForDisplayName(toCp1252(list->currentText()));
}

} // namespace

void CreatorDialog::OnSelchangeItemList()
{
    if (auto slot = selectedSlot(control<QComboBox>(ControlId::ItemList)))
        control<QLineEdit>(ControlId::Amount)->setText(QString::number(editorState.current().inventory[*slot]));
}

void CreatorDialog::OnAddItem()
{
    if (auto slot = selectedSlot(control<QComboBox>(ControlId::ItemList)))
        editorState.current().inventory[*slot] = parseInt(toCp1252(control<QLineEdit>(ControlId::Amount)->text()));
}

void CreatorDialog::OnSelchangeStartingWeapon()
{
    ClassRecord &record = editorState.current();
    auto slot = selectedSlot(control<QComboBox>(ControlId::StartingWeaponList));
    if (slot && itemCatalogue[*slot].inStartList)
        record.starting_weapon.assign(itemCatalogue[*slot].internalName);
    setStatusText(QStringLiteral("Forced [%1] as Initial Weapon for [%2]")
                      .arg(fromCp1252(record.starting_weapon.view()), fromCp1252(record.classname.view())));
}

void CreatorDialog::OnShowInventory()
{
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Error"), QStringLiteral("Wait for a later version!"),
                    QMessageBox::Ok, this);
    box.exec();
}
