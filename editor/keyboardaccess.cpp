#include "keyboardaccess.h"

#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

#include <algorithm>
#include <limits>

namespace {

// Labels and group titles with the letter Alt takes to their box, or to the
// first control of the group. The buttons and menus already use A, C, F, H,
// L, Q, S, W and ?; R is left to the File menu's recent folders.
struct AltLetter
{
    const char *text;
    const char *withLetter;
};

constexpr AltLetter altLetters[] = {
    {"Classname", "Class&name"},
    {"Config File", "Config F&ile"},
    {"Class Abilities", "Class A&bilities"},
    {"Resistance", "R&esistance"},
    {"Helmet", "Hel&met"},
    {"Kevlar Vest", "&Kevlar Vest"},
    {"Trousers", "Tr&ousers"},
    {"Health", "Heal&th"},
    {"Class Speed", "Class S&peed"},
    {"Jump Height", "&Jump Height"},
    {"Underwaterair", "&Underwaterair"},
    {"Gamemode Flags", "&Gamemode Flags"},
    {"Maximum Ammo", "Ma&ximum Ammo"},
};

const char *withLetter(const QString &text)
{
    for (const AltLetter &letter : altLetters) {
        if (text == QLatin1String(letter.text))
            return letter.withLetter;
    }
    return nullptr;
}

void addAltLetters(QWidget *form)
{
    for (QLabel *label : form->findChildren<QLabel *>()) {
        if (const char *text = withLetter(label->text()); text && label->buddy())
            label->setText(QString::fromLatin1(text));
    }
    for (QGroupBox *group : form->findChildren<QGroupBox *>()) {
        if (const char *text = withLetter(group->title()))
            group->setTitle(QString::fromLatin1(text));
    }
}

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
    addAltLetters(form);
    const QList<QWidget *> order = tabOrder(form);
    for (qsizetype i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
    form->window()->installEventFilter(new FocusFrameAtStart(form));
}
