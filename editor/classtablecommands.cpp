#include "creatordialog.h"

#include "chartwindow.h"
#include "classtablewindow.h"
#include "windowcommands.h"

#include <QAction>
#include <QApplication>

using namespace tolvane;

void CreatorDialog::openClassTable()
{
    if (!tableWindow) {
        tableWindow = new ClassTableWindow(editing, this);
        tableWindow->shareCommands({command(CommandId::GoToClass), command(CommandId::WriteOut),
                                    command(CommandId::ClassTable), command(CommandId::ShowOtherTeam)},
                                   {command(CommandId::Undo), command(CommandId::Redo)});
        tableWindow->shareRowCommands({command(CommandId::ShowOtherTeam)});
        connect(tableWindow, &ClassTableWindow::commandDone, this, &CreatorDialog::refreshProblems);
    }
    tableWindow->show();
    tableWindow->raise();
    tableWindow->activateWindow();
}

void CreatorDialog::toggleClassTable()
{
    if (tableWindow && tableWindow->isVisible() && QApplication::activeWindow() == tableWindow)
        tableWindow->close();
    else
        openClassTable();
}

void CreatorDialog::filterClasses()
{
    openClassTable();
    tableWindow->focusFilter();
}

void CreatorDialog::toggleOtherTeam()
{
    editing.showOtherTeam(!editing.showsOtherTeam());
    if (editing.showsOtherTeam())
        openClassTable();
}

void CreatorDialog::showClassTable(const std::string &status)
{
    if (QAction *otherTeam = command(CommandId::ShowOtherTeam)) {
        otherTeam->setCheckable(true);
        otherTeam->setChecked(editing.showsOtherTeam());
    }
    if (tableWindow)
        tableWindow->showTable(QString::fromStdString(status));
    // The chart shows the classes the table's filter leaves.
    if (chartWindow && chartWindow->isVisible())
        chartWindow->refresh();
}
