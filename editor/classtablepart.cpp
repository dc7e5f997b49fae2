#include "classtablepart.h"

#include "classtablewindow.h"
#include "comparewindows.h"
#include "creatordialog.h"
#include "panedock.h"
#include "windowcommands.h"

#include <QAction>
#include <QApplication>
#include <QTableView>

ClassTablePart::ClassTablePart(CreatorDialog &dialog, CompareWindows &compare) : dialog(dialog), compareWindows(compare)
{
    focusFollowed = QObject::connect(qApp, &QApplication::focusChanged, &dialog,
                                     [this](QWidget *, QWidget *now) { handOverKeys(now); });
}

PaneDock *ClassTablePart::dock()
{
    if (!tableDock)
        tableDock = dialog.addPane(new PaneDock(
            QObject::tr("Class Table"), CreatorDialog::classTablePane,
            [this](QWidget *parent) { return makeTable(parent); }, &dialog));
    return tableDock;
}

void ClassTablePart::stopFollowingFocus()
{
    QObject::disconnect(focusFollowed);
}

QWidget *ClassTablePart::makeTable(QWidget *parent)
{
    auto *table = new ClassTableWindow(dialog.parts().table, dialog.parts().compare, parent);
    table->shareCommands({dialog.command(CommandId::GoToClass), dialog.command(CommandId::WriteOut),
                          dialog.command(CommandId::ClassTable), dialog.command(CommandId::ShowOtherTeam),
                          dialog.command(CommandId::CopyToOtherTeam)},
                         {dialog.command(CommandId::Undo), dialog.command(CommandId::Redo)});
    table->shareRowCommands({dialog.command(CommandId::ShowOtherTeam), dialog.command(CommandId::CopyToOtherTeam)});
    QObject::connect(table, &ClassTableWindow::commandDone, &dialog, &CreatorDialog::refreshViews);
    return table;
}

void ClassTablePart::handOverKeys(QWidget *focus)
{
    const QWidget *table = window();
    if (!table)
        return;
    const bool inTable = focus && table->isAncestorOf(focus);
    if (inTable == keysHandedOver)
        return;
    keysHandedOver = inTable;

    QList<QKeySequence> own;
    for (const QAction *action : table->actions())
        own += action->shortcuts();
    for (const WindowCommand &item : windowCommands) {
        QAction *action = item.menu && item.id ? dialog.command(item.id) : nullptr;
        if (!action || table->actions().contains(action))
            continue;
        QList<QKeySequence> keys = item.standardKey != QKeySequence::UnknownKey
                                       ? QList<QKeySequence>{QKeySequence(item.standardKey)}
                                       : QKeySequence::listFromString(QString::fromLatin1(item.keys),
                                                                      QKeySequence::PortableText);
        if (inTable)
            keys.removeIf([&own](const QKeySequence &key) { return own.contains(key); });
        action->setShortcuts(keys);
    }
}

void ClassTablePart::open()
{
    dialog.showPane(dock());
    window()->table()->setFocus(Qt::ShortcutFocusReason);
    // The focus may have gone to the table as it was made.
    handOverKeys(QApplication::focusWidget());
}

void ClassTablePart::toggle()
{
    const ClassTableWindow *table = window();
    if (table && tableDock->isVisible() && table->isAncestorOf(QApplication::focusWidget()))
        tableDock->close();
    else
        open();
}

void ClassTablePart::filterClasses()
{
    open();
    window()->focusFilter();
}

void ClassTablePart::toggleOtherTeam()
{
    tolvane::ClassTableEditing &table = dialog.parts().table;
    table.showOtherTeam(!table.showsOtherTeam());
    if (table.showsOtherTeam())
        open();
}

void ClassTablePart::copyToOtherTeam()
{
    if (dialog.parts().table.copyToOtherTeam())
        open();
}

void ClassTablePart::showClassTable(const std::string &status)
{
    if (QAction *otherTeam = dialog.command(CommandId::ShowOtherTeam)) {
        otherTeam->setCheckable(true);
        otherTeam->setChecked(dialog.parts().table.showsOtherTeam());
    }
    if (ClassTableWindow *table = window())
        table->showTable(QString::fromStdString(status));
    // The chart shows the classes the table's filter leaves.
    compareWindows.refreshPanes();
}

ClassTableWindow *ClassTablePart::window() const
{
    return tableDock ? static_cast<ClassTableWindow *>(tableDock->madeContent()) : nullptr;
}
