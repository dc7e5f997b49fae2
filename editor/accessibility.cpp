#include "accessibility.h"

#include "accessibleinterfaces.h"
#include "model/session/controlids.h"
#include "keyboardaccess.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QComboBox>
#include <QCoreApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>
#include <QTimer>

using namespace tolvane;

namespace {

// Notes a key or a turn of the wheel that the closed list itself gets, so
// that only what they change is said: a pick from the open popup, which the
// screen reader read entry by entry, is not said once more.
class ClosedListInput : public QObject
{
public:
    explicit ClosedListInput(QComboBox *list) : QObject(list) { list->installEventFilter(this); }

    bool changing = false;

    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::KeyPress || event->type() == QEvent::Wheel) {
            changing = true;
            QTimer::singleShot(0, this, [this] { changing = false; });
        }
        return false;
    }
};

void nameLists(const QHash<int, QWidget *> &controls)
{
    // Tooltips say what the two lists without a label beside them are for.
    const std::pair<int, const char *> lists[] = {
        {ControlId::Resistance, nullptr},
        {ControlId::ItemList,
         QT_TRANSLATE_NOOP("CreatorDialog", "The item whose amount the Amount box shows and ADD! sets")},
        {ControlId::StartingWeaponList,
         QT_TRANSLATE_NOOP("CreatorDialog", "The weapon the class starts with; a pick changes the class at once")},
    };
    for (const auto &[id, tip] : lists) {
        auto *list = qobject_cast<QComboBox *>(controls.value(id));
        if (tip)
            list->setToolTip(QCoreApplication::translate("CreatorDialog", tip));
        speakListEntries(list);
    }

    auto *items = qobject_cast<QComboBox *>(controls.value(ControlId::ItemList));
    QWidget *amount = controls.value(ControlId::Amount);
    const auto nameAmount = [items, amount] {
        const QString name = QCoreApplication::translate("CreatorDialog", "Amount of %1");
        amount->setAccessibleName(name.arg(items->currentText()));
    };
    nameAmount();
    QObject::connect(items, &QComboBox::currentIndexChanged, amount, nameAmount);
}

// Read-only rather than disabled, so that a screen reader finds the box and
// reads its text; it keeps the look of a box that cannot be edited.
void makeReadOnly(QLineEdit *box)
{
    box->setEnabled(true);
    box->setReadOnly(true);
    QPalette palette = box->palette();
    palette.setBrush(QPalette::Base, palette.window());
    box->setPalette(palette);
}

// The status line takes no focus; each of its messages is spoken.
void exposeStatusLine(QLineEdit *line)
{
    makeReadOnly(line);
    useAccessibleInterface(line, AccessibleKind::StatusLine);
    QObject::connect(line, &QLineEdit::textChanged, line, [line] {
        QAccessibleEvent event(line, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&event);
    });
}

// The result of Calculate! can be reached by Tab, and is spoken once the
// command has put it into its box.
void exposeCalculateResult(QPushButton *calculate, QLineEdit *result)
{
    makeReadOnly(result);
    QObject::connect(
        calculate, &QPushButton::clicked, result,
        [result] { announce(result->accessibleName() + QLatin1Char(' ') + result->text()); }, Qt::QueuedConnection);
}

} // namespace

void speakListEntries(QComboBox *list)
{
    useAccessibleInterface(list, AccessibleKind::NamedList);
    if (list->isEditable())
        return; // its text field reports its changes, and Orca reads them
    // The new entry as a text change, since the name stays the same, and
    // said, since Orca 43 reads no change of a list without a text field.
    const auto tell = [list, shown = list->currentText()](const QString &now) mutable {
        QAccessibleTextUpdateEvent event(list, 0, shown, now);
        QAccessible::updateAccessibility(&event);
        shown = now;
    };
    QObject::connect(list, &QComboBox::currentTextChanged, list, tell);
    auto *input = new ClosedListInput(list);
    QObject::connect(list, &QComboBox::activated, list, [list, input] {
        if (input->changing)
            announce(list->currentText());
    });
}

void speakCurrentEntryOnFocus(QAbstractItemView *view)
{
    class CurrentEntry : public QObject
    {
    public:
        using QObject::QObject;

        bool eventFilter(QObject *watched, QEvent *event) override
        {
            auto *view = static_cast<QAbstractItemView *>(watched);
            if (event->type() != QEvent::FocusIn || !QAccessible::isActive() || !view->currentIndex().isValid())
                return false;
            // After the view's own focus, which Qt tells once this returns.
            QTimer::singleShot(0, view, [view] {
                QAccessibleInterface *table = QAccessible::queryAccessibleInterface(view);
                const QModelIndex current = view->currentIndex();
                if (!view->hasFocus() || !table || !table->tableInterface() || !current.isValid())
                    return;
                QAccessibleEvent focus(view, QAccessible::Focus);
                focus.setChild(table->indexOfChild(table->tableInterface()->cellAt(current.row(), current.column())));
                QAccessible::updateAccessibility(&focus);
            });
            return false;
        }
    };
    view->installEventFilter(new CurrentEntry(view));
}

void letTabLeave(QAbstractItemView *view)
{
    class CtrlTab : public QObject
    {
    public:
        using QObject::QObject;

        bool eventFilter(QObject *watched, QEvent *event) override
        {
            const auto *press = event->type() == QEvent::KeyPress ? static_cast<QKeyEvent *>(event) : nullptr;
            if (!press || !(press->modifiers() & Qt::ControlModifier)
                || (press->key() != Qt::Key_Tab && press->key() != Qt::Key_Backtab))
                return false;
            const bool back = press->key() == Qt::Key_Backtab || (press->modifiers() & Qt::ShiftModifier);
            QKeyEvent tab(QEvent::KeyPress, back ? Qt::Key_Backtab : Qt::Key_Tab,
                          back ? Qt::ShiftModifier : Qt::NoModifier);
            QCoreApplication::sendEvent(watched, &tab);
            return true;
        }
    };
    view->setTabKeyNavigation(false);
    view->installEventFilter(new CtrlTab(view));
}

void keepColumnsInView(QTableView *table)
{
    table->resizeColumnsToContents();
    int width = 2 * table->frameWidth() + table->verticalScrollBar()->sizeHint().width();
    if (!table->verticalHeader()->isHidden())
        width += table->verticalHeader()->sizeHint().width();
    const QAbstractItemView *view = table; // where the size of a column's contents is public
    for (int column = 0; column < table->horizontalHeader()->count(); ++column) {
        if (!table->isColumnHidden(column))
            width += std::max(view->sizeHintForColumn(column), table->horizontalHeader()->sectionSizeHint(column));
    }
    table->setMinimumWidth(width);
}

void setUpAccessibility(QWidget *form, const QHash<int, QWidget *> &controls)
{
    useAccessibleInterface(form->window(), AccessibleKind::Window);
    useLineEditInterfaces(form);
    nameLists(controls);
    exposeStatusLine(qobject_cast<QLineEdit *>(controls.value(ControlId::StatusLine)));
    exposeCalculateResult(qobject_cast<QPushButton *>(controls.value(ControlId::Calculate)),
                          qobject_cast<QLineEdit *>(controls.value(ControlId::CalculateResult)));
    setUpKeyboardAccess(form);
}
