#include "creatordialog.h"

#include "controlids.h"
#include "gotoclassdialog.h"
#include "inventorydialog.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

namespace {

// The text box that has the focus: a line edit, or the text field of a list
// that has one; nullptr elsewhere.
QLineEdit *focusedTextBox(QWidget *focus)
{
    if (auto *list = qobject_cast<QComboBox *>(focus))
        return list->lineEdit();
    auto *box = qobject_cast<QLineEdit *>(focus);
    return box && !box->isReadOnly() ? box : nullptr;
}

// A step's name in a menu entry: "&" shows as itself.
QString menuText(const QString &command, const std::string &step)
{
    if (step.empty())
        return command;
    return command + QLatin1Char(' ') + QString::fromStdString(step).replace(QLatin1Char('&'), QStringLiteral("&&"));
}

} // namespace

void CreatorDialog::undo()
{
    if (QLineEdit *box = focusedTextBox(QApplication::focusWidget()))
        box->undo();
    else
        editing.undo();
}

void CreatorDialog::redo()
{
    if (QLineEdit *box = focusedTextBox(QApplication::focusWidget()))
        box->redo();
    else
        editing.redo();
}

void CreatorDialog::showClassCommands(const ClassCommands &available)
{
    control(ControlId::DeleteClass)->setEnabled(available.deleteClass);
    const std::pair<int, bool> enabled[] = {{CommandId::DeleteClass, available.deleteClass},
                                            {CommandId::MoveClassUp, available.moveUp},
                                            {CommandId::MoveClassDown, available.moveDown},
                                            {CommandId::Undo, !available.undo.empty()},
                                            {CommandId::Redo, !available.redo.empty()}};
    for (const auto &[id, on] : enabled)
        command(id)->setEnabled(on);
    command(CommandId::Undo)->setText(menuText(tr("Un&do"), available.undo));
    command(CommandId::Redo)->setText(menuText(tr("&Redo"), available.redo));
}

std::optional<int> CreatorDialog::chooseClass(const std::vector<std::string> &names, int current)
{
    QStringList shown;
    for (const std::string &name : names)
        shown << QString::fromStdString(name);
    GoToClassDialog list(shown, current, this);
    if (list.exec() != QDialog::Accepted || list.chosenSlot() < 0)
        return std::nullopt;
    return list.chosenSlot();
}

void CreatorDialog::showInventory(const Inventory &inventory)
{
    InventoryDialog view(QString::fromStdString(inventory.className), inventory.amounts, inventory.setAmount, this);
    view.pickItem(inventory.pickedItem);
    view.exec();
}
