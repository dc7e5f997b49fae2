#include "keyboardaccess.h"

#include <QEvent>
#include <QGroupBox>
#include <QPushButton>

#include <algorithm>
#include <limits>

namespace {

bool takesTab(const QWidget *widget)
{
    return !widget->isHidden() && (widget->focusPolicy() & Qt::TabFocus);
}

bool readingOrder(const QWidget *a, const QWidget *b)
{
    return std::pair(a->y(), a->x()) < std::pair(b->y(), b->x());
}

// The form's controls in reading order group by group: the boxes of the
// second row, then each group's controls row by row and the rows beside
// them in the window's order, and last the command buttons of the top two
// rows, which end with "&Quit". Focus starts on "&Quit", so the first Tab
// goes to the class name.
QList<QWidget *> tabOrder(QWidget *form)
{
    const auto children = form->findChildren<QWidget *>(Qt::FindDirectChildrenOnly);
    int formTop = std::numeric_limits<int>::max();
    for (QWidget *child : children) {
        if (qobject_cast<QGroupBox *>(child))
            formTop = std::min(formTop, child->y());
    }

    QList<QWidget *> order, commandButtons;
    for (QWidget *child : children) {
        if (auto *group = qobject_cast<QGroupBox *>(child)) {
            QList<QWidget *> members;
            for (QWidget *member : group->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
                if (takesTab(member))
                    members.append(member);
            }
            std::stable_sort(members.begin(), members.end(), readingOrder);
            order += members;
        } else if (qobject_cast<QPushButton *>(child) && child->y() < formTop) {
            commandButtons.append(child);
        } else if (takesTab(child)) {
            order.append(child);
        }
    }
    std::stable_sort(commandButtons.begin(), commandButtons.end(), readingOrder);
    return order + commandButtons;
}

// Qt draws the focus frame only after a key moved the focus; the window sets
// that state on showing, so that "&Quit" shows its frame from the start.
class FocusFrameAtStart : public QObject
{
public:
    using QObject::QObject;

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show)
            static_cast<QWidget *>(watched)->setAttribute(Qt::WA_KeyboardFocusChange);
        return false;
    }
};

} // namespace

void setUpKeyboardAccess(QWidget *form)
{
    const QList<QWidget *> order = tabOrder(form);
    for (qsizetype i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
    form->window()->installEventFilter(new FocusFrameAtStart(form));
}
