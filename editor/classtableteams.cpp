#include "classtablewindow.h"

#include "classtablemodel.h"
#include "classtableview.h"
#include "cp1252.h"
#include "model/compare/comparecommands.h"
#include "model/table/classtableediting.h"

#include <QAction>
#include <QLineEdit>

// The class table's commands on both teams and on the baseline: comparing
// rows, and the filter of the classes changed from the baseline.

// The rows' context menu (a right click, the Menu key) holds the view's actions.
void ClassTableWindow::buildRowMenu()
{
    view->addActions({compareAction, changedAction});
    view->setContextMenuPolicy(Qt::ActionsContextMenu);
}

void ClassTableWindow::shareRowCommands(const QList<QAction *> &commands)
{
    view->addActions(commands);
}

// Two selected rows side by side; one beside its namesake, to pick another.
void ClassTableWindow::compareSelected()
{
    std::vector<int> rows;
    for (int row = 0; row < model->rowCount(); ++row) {
        if (view->selectionModel()->rowIntersectsSelection(row))
            rows.push_back(model->slotOf(row));
    }
    if (rows.empty() && view->currentIndex().isValid())
        rows.push_back(model->slotOf(view->currentIndex().row()));
    compare.compareRows(rows);
    emit commandDone();
}

void ClassTableWindow::filterChanged()
{
    const QString typed = filter->text().trimmed();
    if (typed.compare(QStringLiteral("changed"), Qt::CaseInsensitive) == 0
        || typed.endsWith(QStringLiteral(" and changed")))
        return;
    filter->setText(typed.isEmpty() ? QStringLiteral("changed") : typed + QStringLiteral(" and changed"));
}
