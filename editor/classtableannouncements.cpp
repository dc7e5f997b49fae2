#include "classtableannouncements.h"

#include "accessibility.h"
#include "classtablemodel.h"
#include "model/table/announcements.h"
#include "model/table/classtableediting.h"
#include "typingannouncement.h"

#include <QFocusEvent>
#include <QTableView>
#include <QTimer>

using namespace tolvane;

namespace {

// How long the table waits for the next key of a filter being typed before
// it says the count, in milliseconds.
constexpr int filterTypingPause = 500;

} // namespace

ClassTableAnnouncements::ClassTableAnnouncements(ClassTableEditing &editing, const ClassTableModel &model,
                                                 QTableView &view, std::function<void(Qt::FocusReason)> focusComing)
    : QObject(&view), editing(editing), model(model), view(view), focusComing(std::move(focusComing)),
      changesSaid(new TypingAnnouncement(this))
{
    speakCurrentEntryOnFocus(&view);
    // What changed before the table opened is no news.
    editing.tableChangesToSay();
    connect(view.selectionModel(), &QItemSelectionModel::currentChanged, this,
            &ClassTableAnnouncements::sayCurrentCell);
    view.installEventFilter(this);
}

void ClassTableAnnouncements::sayChanges()
{
    const auto said = [this] {
        const std::string text = editing.tableChangesToSay();
        return view.isVisible() ? QString::fromStdString(text) : QString();
    };
    changesSaid->sayLater(said, editing.filterTypedSinceSaid() ? filterTypingPause : 0);
}

void ClassTableAnnouncements::sayCurrentCell()
{
    const QModelIndex current = view.currentIndex();
    if (view.hasFocus() && current.isValid())
        announce(QString::fromStdString(cellAnnouncement(model.cellFacts(current))));
}

// The current cell is said when the table gets the focus, after the
// screen reader has read the table.
bool ClassTableAnnouncements::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == &view && event->type() == QEvent::FocusIn) {
        focusComing(static_cast<QFocusEvent *>(event)->reason());
        QTimer::singleShot(0, this, &ClassTableAnnouncements::sayCurrentCell);
    }
    return QObject::eventFilter(watched, event);
}
