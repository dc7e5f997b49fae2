#include "accessibility.h"

#include "controlids.h"
#include "keyboardaccess.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLineEdit>

namespace {

// The property that marks a control for one of the interfaces below.
constexpr char accessibleKind[] = "accessibleKind";
constexpr char namedList[] = "namedList";
constexpr char statusLine[] = "statusLine";

// A control whose text assistive technology may read but not change.
class ReadOnlyText : public QAccessibleWidget, public QAccessibleTextInterface
{
public:
    ReadOnlyText(QWidget *widget, QAccessible::Role role) : QAccessibleWidget(widget, role) {}

    virtual QString content() const = 0;

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface *>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    void selection(int, int *startOffset, int *endOffset) const override { *startOffset = *endOffset = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    QString text(int startOffset, int endOffset) const override
    {
        return content().mid(startOffset, endOffset - startOffset);
    }
    int characterCount() const override { return int(content().size()); }
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint &) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int, int *startOffset, int *endOffset) const override
    {
        *startOffset = 0;
        *endOffset = characterCount();
        return {};
    }
};

// A list that keeps its own name, from its accessible name or its label,
// and gives its current entry as its value and text. On Linux Qt's own combo
// box interface names a list by its current entry, so that three lists of
// this window would all be heard as "Army Knife" or "Normal Armor".
class ListAccessible : public ReadOnlyText
{
public:
    explicit ListAccessible(QWidget *widget) : ReadOnlyText(widget, QAccessible::ComboBox) {}

    QString text(QAccessible::Text type) const override
    {
        return type == QAccessible::Value ? content() : QAccessibleWidget::text(type);
    }
    QString content() const override { return list()->currentText(); }

    // The popup list, and the text field of a list that has one.
    int childCount() const override { return list()->isEditable() ? 2 : 1; }
    QAccessibleInterface *child(int index) const override
    {
        if (index == 0)
            return QAccessible::queryAccessibleInterface(list()->view());
        if (index == 1 && list()->isEditable())
            return QAccessible::queryAccessibleInterface(list()->lineEdit());
        return nullptr;
    }
    int indexOfChild(const QAccessibleInterface *child) const override
    {
        if (!child)
            return -1;
        if (child->object() == list()->view())
            return 0;
        return list()->isEditable() && child->object() == list()->lineEdit() ? 1 : -1;
    }
    QAccessibleInterface *childAt(int x, int y) const override
    {
        QLineEdit *field = list()->lineEdit();
        if (field && QRect(field->mapToGlobal(QPoint()), field->size()).contains(x, y))
            return child(1);
        return nullptr;
    }

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.expandable = true;
        state.expanded = list()->view()->isVisible();
        state.editable = list()->isEditable();
        state.readOnly = !list()->isEditable();
        return state;
    }

    QStringList actionNames() const override
    {
        return QStringList{showMenuAction()} + QAccessibleWidget::actionNames();
    }
    void doAction(const QString &name) override
    {
        if (name != showMenuAction())
            QAccessibleWidget::doAction(name);
        else if (list()->view()->isVisible())
            list()->hidePopup();
        else
            list()->showPopup();
    }

private:
    QComboBox *list() const { return static_cast<QComboBox *>(widget()); }
};

// The status line as a status bar: its name is its text, which is what a
// screen reader's "read the status bar" command speaks.
class StatusLineAccessible : public ReadOnlyText
{
public:
    explicit StatusLineAccessible(QWidget *widget) : ReadOnlyText(widget, QAccessible::StatusBar) {}

    QString text(QAccessible::Text type) const override
    {
        if (type == QAccessible::Name && !content().isEmpty())
            return content();
        return type == QAccessible::Value ? content() : QAccessibleWidget::text(type);
    }
    QString content() const override { return static_cast<QLineEdit *>(widget())->text(); }

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.readOnly = true;
        return state;
    }
};

QAccessibleInterface *interfaceFactory(const QString &className, QObject *object)
{
    auto *widget = qobject_cast<QWidget *>(object);
    if (!widget)
        return nullptr;
    const QByteArray kind = widget->property(accessibleKind).toByteArray();
    if (kind == namedList && className == QLatin1String("QComboBox"))
        return new ListAccessible(widget);
    if (kind == statusLine && className == QLatin1String("QLineEdit"))
        return new StatusLineAccessible(widget);
    return nullptr;
}

// Marks widget for an interface of this file; one that Qt made before, when
// the widget was named or filled, would otherwise stay in Qt's cache.
template <typename Interface>
void useInterface(QWidget *widget, const char *kind)
{
    static const bool installed = (QAccessible::installFactory(interfaceFactory), true);
    Q_UNUSED(installed);
    widget->setProperty(accessibleKind, QByteArray(kind));
    QAccessibleInterface *made = QAccessible::queryAccessibleInterface(widget);
    if (made && !dynamic_cast<Interface *>(made)) {
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(made));
        QAccessible::queryAccessibleInterface(widget);
    }
}

// A group box becomes the parent of the controls it frames, so that a screen
// reader names the group with them ("Scanner", in "Class Abilities").
void putControlsIntoGroups(QWidget *form)
{
    const auto groups = form->findChildren<QGroupBox *>(Qt::FindDirectChildrenOnly);
    for (QWidget *widget : form->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
        for (QGroupBox *group : groups) {
            if (widget == group || !group->geometry().contains(widget->geometry().topLeft()))
                continue;
            const bool hidden = widget->isHidden();
            const QPoint at = widget->pos() - group->pos();
            widget->setParent(group);
            widget->move(at);
            widget->setHidden(hidden);
            break;
        }
    }
}

void nameLists(const QHash<int, QWidget *> &controls)
{
    for (int id : {ControlId::Resistance, ControlId::ItemList, ControlId::StartingWeaponList}) {
        auto *list = qobject_cast<QComboBox *>(controls.value(id));
        useInterface<ListAccessible>(list, namedList);
        if (list->isEditable())
            continue; // its text field reports its changes
        // The new entry as a text change, since the name stays the same.
        const auto announce = [list, shown = list->currentText()](const QString &now) mutable {
            QAccessibleTextUpdateEvent event(list, 0, shown, now);
            QAccessible::updateAccessibility(&event);
            shown = now;
        };
        QObject::connect(list, &QComboBox::currentTextChanged, list, announce);
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

// The status line is enabled and read-only, rather than disabled, so that
// a screen reader finds it; it still takes no focus.
void exposeStatusLine(QLineEdit *line)
{
    line->setEnabled(true);
    line->setReadOnly(true);
    QPalette palette = line->palette();
    palette.setBrush(QPalette::Base, palette.window());
    line->setPalette(palette);
    useInterface<StatusLineAccessible>(line, statusLine);
    QObject::connect(line, &QLineEdit::textChanged, line, [line] {
        QAccessibleEvent event(line, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&event);
    });
}

} // namespace

void setUpAccessibility(QWidget *form, const QHash<int, QWidget *> &controls)
{
    putControlsIntoGroups(form);
    nameLists(controls);
    exposeStatusLine(qobject_cast<QLineEdit *>(controls.value(ControlId::StatusLine)));
    setUpKeyboardAccess(form, controls);
}
