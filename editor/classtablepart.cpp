#include "classtablepart.h"

#include "classtablewindow.h"
#include "comparewindows.h"
#include "creatordialog.h"
#include "windowcommands.h"

#include <QAction>
#include <QApplication>

void ClassTablePart::open()
{
    if (!tableWindow) {
        tableWindow = new ClassTableWindow(dialog.parts().table, dialog.parts().compare, &dialog);
        tableWindow->shareCommands({dialog.command(CommandId::GoToClass), dialog.command(CommandId::WriteOut),
                                    dialog.command(CommandId::ClassTable), dialog.command(CommandId::ShowOtherTeam),
                                    dialog.command(CommandId::CopyToOtherTeam)},
                                   {dialog.command(CommandId::Undo), dialog.command(CommandId::Redo)});
        tableWindow->shareRowCommands(
            {dialog.command(CommandId::ShowOtherTeam), dialog.command(CommandId::CopyToOtherTeam)});
        QObject::connect(tableWindow, &ClassTableWindow::commandDone, &dialog, &CreatorDialog::refreshViews);
    }
    tableWindow->show();
    tableWindow->raise();
    tableWindow->activateWindow();
}

void ClassTablePart::toggle()
{
    if (tableWindow && tableWindow->isVisible() && QApplication::activeWindow() == tableWindow)
        tableWindow->close();
    else
        open();
}

void ClassTablePart::filterClasses()
{
    open();
    tableWindow->focusFilter();
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
    if (tableWindow)
        tableWindow->showTable(QString::fromStdString(status));
    // The chart shows the classes the table's filter leaves.
    compareWindows.refreshChart();
}

ClassTableWindow *ClassTablePart::window() const
{
    return tableWindow;
}
