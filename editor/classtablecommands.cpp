#include "creatordialog.h"

#include "classtablewindow.h"
#include "controlids.h"

#include <QAction>
#include <QApplication>
#include <QTimer>

void CreatorDialog::openClassTable()
{
    if (!tableWindow) {
        tableWindow = new ClassTableWindow(editing, this);
        tableWindow->shareCommands({command(CommandId::GoToClass), command(CommandId::WriteOut),
                                    command(CommandId::ClassTable)},
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

// Open again at start when the user left it open; the form keeps the focus.
void CreatorDialog::restoreClassTable()
{
    if (!ClassTableWindow::wasOpen())
        return;
    QTimer::singleShot(0, this, [this] {
        openClassTable();
        activateWindow();
    });
}

void CreatorDialog::showClassTable(const std::string &status)
{
    if (tableWindow)
        tableWindow->showTable(QString::fromStdString(status));
}
