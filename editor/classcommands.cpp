#include "creatordialog.h"

#include "windowcommands.h"
#include "gotoclassdialog.h"
#include "inventorydialog.h"

#include <QAction>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

using namespace tolvane;

namespace {

// The keys of the Edit menu's Undo and Redo, typed in a text box, go to the
// box rather than to the menu command. (A list with a text field has the
// focus itself and hands the keys on to its field.)
class UndoKeys : public QObject
{
public:
    UndoKeys(CreatorDialog &dialog, QLineEdit *box) : QObject(box), dialog(dialog), box(box) {}

    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() != QEvent::ShortcutOverride && event->type() != QEvent::KeyPress)
            return false;
        auto *key = static_cast<QKeyEvent *>(event);
        const QKeySequence typed(key->keyCombination());
        const bool undo = dialog.command(CommandId::Undo)->shortcuts().contains(typed);
        const bool redo = dialog.command(CommandId::Redo)->shortcuts().contains(typed);
        if (!undo && !redo)
            return false;
        if (event->type() == QEvent::KeyPress)
            dialog.undoKeyIn(box, redo);
        key->accept();
        return true;
    }

private:
    CreatorDialog &dialog;
    QLineEdit *box;
};

// A step's name in a menu entry: "&" shows as itself.
QString menuText(const QString &command, const std::string &step)
{
    if (step.empty())
        return command;
    return command + QLatin1Char(' ') + QString::fromStdString(step).replace(QLatin1Char('&'), QStringLiteral("&&"));
}

} // namespace

void CreatorDialog::watchUndoKeys()
{
    for (QWidget *control : std::as_const(controls)) {
        auto *list = qobject_cast<QComboBox *>(control);
        auto *box = list ? list->lineEdit() : qobject_cast<QLineEdit *>(control);
        if (box && !box->isReadOnly())
            control->installEventFilter(new UndoKeys(*this, box));
    }
}

void CreatorDialog::undoKeyIn(QLineEdit *box, bool redo)
{
    if (redo ? box->isRedoAvailable() : box->isUndoAvailable()) {
        redo ? box->redo() : box->undo();
        return;
    }
    redo ? editing.redo(true) : editing.undo(true);
    refreshProblems();
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
