#include "classtablewindow.h"

#include "accessibility.h"
#include "classtablemodel.h"
#include "classtableview.h"
#include "model/table/classtableediting.h"
#include "typingannouncement.h"

#include <QEvent>
#include <QTimer>

// What the class table says to a screen reader where it reads nothing of its
// own. A screen reader reads a cell as Qt tells it (in a table of 90 columns,
// the values of a whole row, without their titles); the table says the cell
// with its class and column, and what changed in the table: the sort, the
// other team's rows, the rows the filter leaves, the selection.

using namespace tolvane;

namespace {

// How long the table waits for the next key of a filter being typed before
// it says the count, in milliseconds.
constexpr int filterTypingPause = 500;

} // namespace

void ClassTableWindow::setUpAnnouncements()
{
    speakCurrentEntryOnFocus(view);
    editing.tableChangesToSay();
    changesSaid = new TypingAnnouncement(this);
    connect(view->selectionModel(), &QItemSelectionModel::currentChanged, this, &ClassTableWindow::speakCurrentCell);
    view->installEventFilter(this);
}

// The rows were shown anew: what changed is said once the command is done,
// or once the typing of a filter pauses.
void ClassTableWindow::announceChanges()
{
    const auto said = [this] {
        const std::string text = editing.tableChangesToSay();
        return isVisible() ? QString::fromStdString(text) : QString();
    };
    changesSaid->sayLater(said, editing.filterTypedSinceSaid() ? filterTypingPause : 0);
}

void ClassTableWindow::speakCurrentCell()
{
    const QModelIndex current = view->currentIndex();
    if (view->hasFocus() && current.isValid())
        announce(QString::fromStdString(cellAnnouncement(model->cellFacts(current))));
}

// The current cell is said when the table gets the focus, after the
// screen reader has read the table.
bool ClassTableWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == view && event->type() == QEvent::FocusIn)
        QTimer::singleShot(0, this, &ClassTableWindow::speakCurrentCell);
    return QDialog::eventFilter(watched, event);
}
