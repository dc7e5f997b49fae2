#include "accessibleevents.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QApplication>
#include <QLineEdit>
#include <QPointer>

namespace {

// Four corrections to what Qt tells assistive technology:
// - Qt tells of the selection and the cursor a box gets with the focus before
//   it tells that the box has the focus. Orca 43 then takes the box's cursor
//   for the focus and reads only its text (nothing for an empty box), not its
//   name, and drops the focus event that comes later as one it has seen.
//   Those two events of a box wait until its focus has been told.
// - Qt tells the current entry of a list as focused whenever it changes, also
//   in a window in the background (the Problems window, refilled after each
//   command): Orca then moved there and announced that window. Only a list
//   that has the focus tells it.
// - Qt tells the cursor and the selection of every box whose text changes,
//   also of the boxes that show no cursor. Showing another class changes
//   some 50 boxes, and Orca 43 drops the announcements of a burst that
//   long. Only a box with the focus tells them.
// - While the form is filled (QuietTextBoxes), no box tells its text.
class EventCorrections
{
public:
    static void install() { next = QAccessible::installUpdateHandler(&EventCorrections::update); }

    static inline int quiet = 0;

private:
    static inline QAccessible::UpdateHandler next = nullptr;
    static inline QPointer<QObject> told;
    static inline QPointer<QLineEdit> waiting;

    static void update(QAccessibleEvent *event)
    {
        QObject *source = event->object();
        const QAccessible::Event type = event->type();
        auto *box = qobject_cast<QLineEdit *>(source);
        if (box && quiet > 0 && textEvent(type))
            return;
        if (box && (type == QAccessible::TextCaretMoved || type == QAccessible::TextSelectionChanged)) {
            if (source != QApplication::focusWidget())
                return;
            if (source != told) {
                waiting = box;
                return;
            }
        }
        if (type == QAccessible::Focus) {
            if (auto *view = qobject_cast<QAbstractItemView *>(source); view && !view->hasFocus())
                return;
            told = source;
        }
        pass(event);
        if (type == QAccessible::Focus && box && box == waiting) {
            waiting = nullptr;
            const int start = box->hasSelectedText() ? box->selectionStart() : box->cursorPosition();
            QAccessibleTextSelectionEvent selection(box, start, start + box->selectionLength());
            selection.setCursorPosition(box->cursorPosition());
            pass(&selection);
            QAccessibleTextCursorEvent cursor(box, box->cursorPosition());
            pass(&cursor);
        }
    }

    static bool textEvent(QAccessible::Event type)
    {
        return type == QAccessible::TextCaretMoved || type == QAccessible::TextSelectionChanged
               || type == QAccessible::TextInserted || type == QAccessible::TextRemoved
               || type == QAccessible::TextUpdated;
    }

    // To the handler before this one, or else to the platform.
    static void pass(QAccessibleEvent *event)
    {
        if (next) {
            next(event);
            return;
        }
        // Whichever handler came after this one is put back.
        const QAccessible::UpdateHandler last = QAccessible::installUpdateHandler(nullptr);
        QAccessible::updateAccessibility(event);
        QAccessible::installUpdateHandler(last);
    }
};

} // namespace

void correctAccessibleEvents()
{
    static const bool installed = (EventCorrections::install(), true);
    Q_UNUSED(installed);
}

QuietTextBoxes::QuietTextBoxes()
{
    ++EventCorrections::quiet;
}

QuietTextBoxes::~QuietTextBoxes()
{
    --EventCorrections::quiet;
}
