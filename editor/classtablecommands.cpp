#include "creatordialog.h"

#include "classtablewindow.h"
#include "windowcommands.h"

#include <QAction>
#include <QApplication>

using namespace tolvane;

void CreatorDialog::openClassTable()
{
    if (!tableWindow) {
        tableWindow = new ClassTableWindow(editing, this);
        tableWindow->shareCommands(
            {command(CommandId::GoToClass), command(CommandId::WriteOut), command(CommandId::ClassTable)},
            {command(CommandId::Undo), command(CommandId::Redo)});
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

void CreatorDialog::showClassTable(const std::string &status)
{
    if (tableWindow)
        tableWindow->showTable(QString::fromStdString(status));
}
