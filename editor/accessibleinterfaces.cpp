#include "accessibleinterfaces.h"

#include "accessibility.h"
#include "accessibleevents.h"
#include "typingannouncement.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPointer>
#include <QStyle>
#include <QTimer>
#include <QValidator>

namespace {

// The property that marks a widget for one of the interfaces below.
constexpr char accessibleKind[] = "accessibleKind";

// The room Qt's line edit leaves between its frame and its text.
constexpr int lineEditMargin = 2;

// How long an announcement waits for the events of the command that made it,
// in milliseconds.
constexpr int announceDelay = 100;

// The text of a control as assistive technology reads it: content(), with
// one run of attributes from its first character to its last. (Qt's line
// edit gives each character a run that ends where it starts; Orca 43 joins
// those into a run that stops before the last character, and reads "100" as
// "10".) Without a selection or a cursor of its own unless a subclass has one.
class TextContent : public QAccessibleWidget, public QAccessibleTextInterface
{
public:
    using QAccessibleWidget::QAccessibleWidget;

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

    QString text(QAccessible::Text type) const override
    {
        return type == QAccessible::Value ? content() : QAccessibleWidget::text(type);
    }
};

// A one-line text box, as Qt's own interface gives it but for the runs of
// attributes above.
class LineEditAccessible : public TextContent, public QAccessibleEditableTextInterface
{
public:
    explicit LineEditAccessible(QWidget *widget) : TextContent(widget, QAccessible::EditableText) {}

    QString content() const override { return box()->displayText(); }

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::EditableTextInterface)
            return static_cast<QAccessibleEditableTextInterface *>(this);
        return TextContent::interface_cast(type);
    }

    void setText(QAccessible::Text type, const QString &text) override
    {
        if (type == QAccessible::Value)
            change(text, int(text.size()));
        else
            TextContent::setText(type, text);
    }

    QAccessible::State state() const override
    {
        QAccessible::State state = TextContent::state();
        state.readOnly = box()->isReadOnly();
        state.editable = !box()->isReadOnly();
        state.passwordEdit = box()->echoMode() != QLineEdit::Normal;
        state.selectableText = true;
        return state;
    }

    void selection(int index, int *startOffset, int *endOffset) const override
    {
        *startOffset = *endOffset = 0;
        if (index == 0 && box()->hasSelectedText()) {
            *startOffset = box()->selectionStart();
            *endOffset = *startOffset + box()->selectionLength();
        }
    }
    int selectionCount() const override { return box()->hasSelectedText() ? 1 : 0; }
    void addSelection(int startOffset, int endOffset) override { setSelection(0, startOffset, endOffset); }
    void removeSelection(int index) override
    {
        if (index == 0)
            box()->deselect();
    }
    void setSelection(int index, int startOffset, int endOffset) override
    {
        if (index == 0)
            box()->setSelection(startOffset, endOffset - startOffset);
    }
    int cursorPosition() const override { return box()->cursorPosition(); }
    void setCursorPosition(int position) override { box()->setCursorPosition(position); }
    int offsetAtPoint(const QPoint &point) const override
    {
        return box()->cursorPositionAt(box()->mapFromGlobal(point));
    }
    void scrollToSubstring(int startIndex, int) override { box()->setCursorPosition(startIndex); }

    // Where the character is drawn, on screen; a text wider than its box is
    // taken as unscrolled.
    QRect characterRect(int offset) const override
    {
        const QString shown = content();
        if (offset < 0 || offset >= shown.size())
            return {};
        const QLineEdit *edit = box();
        const int frame = edit->hasFrame() ? edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth) : 0;
        const QRect area = edit->contentsRect()
                               .marginsRemoved(edit->textMargins())
                               .adjusted(frame + lineEditMargin, frame, -frame - lineEditMargin, -frame);
        const QFontMetrics metrics(edit->font());
        int left = area.left();
        if (edit->alignment() & Qt::AlignRight)
            left = area.right() - metrics.horizontalAdvance(shown);
        else if (edit->alignment() & Qt::AlignHCenter)
            left = area.center().x() - metrics.horizontalAdvance(shown) / 2;
        const QRect character(left + metrics.horizontalAdvance(shown.left(offset)),
                              area.center().y() - metrics.height() / 2, metrics.horizontalAdvance(shown.at(offset)),
                              metrics.height());
        return character.translated(edit->mapToGlobal(QPoint()));
    }

    void deleteText(int startOffset, int endOffset) override
    {
        change(box()->text().remove(startOffset, endOffset - startOffset), startOffset);
    }
    void insertText(int offset, const QString &text) override
    {
        change(box()->text().insert(offset, text), offset + int(text.size()));
    }
    void replaceText(int startOffset, int endOffset, const QString &text) override
    {
        change(box()->text().replace(startOffset, endOffset - startOffset, text), startOffset + int(text.size()));
    }

private:
    QLineEdit *box() const { return static_cast<QLineEdit *>(widget()); }

    // Text from assistive technology passes the box's checks as typed text does.
    void change(QString text, int cursor)
    {
        QLineEdit *edit = box();
        if (edit->isReadOnly() || edit->maxLength() < text.size())
            return;
        const QValidator *validator = edit->validator();
        if (validator && validator->validate(text, cursor) == QValidator::Invalid)
            return;
        edit->setText(text);
        edit->setCursorPosition(cursor);
    }
};

// A list that keeps its own name, from its accessible name or its label,
// and gives its current entry as its value and text. On Linux Qt's own combo
// box interface names a list by its current entry, so that three lists of
// this window would all be heard as "Army Knife" or "Normal Armor".
class ListAccessible : public TextContent
{
public:
    explicit ListAccessible(QWidget *widget) : TextContent(widget, QAccessible::ComboBox) {}

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
        QAccessible::State state = TextContent::state();
        state.expandable = true;
        state.expanded = list()->view()->isVisible();
        state.editable = list()->isEditable();
        state.readOnly = !list()->isEditable();
        return state;
    }

    QStringList actionNames() const override { return QStringList{showMenuAction()} + TextContent::actionNames(); }
    void doAction(const QString &name) override
    {
        if (name != showMenuAction())
            TextContent::doAction(name);
        else if (list()->view()->isVisible())
            list()->hidePopup();
        else
            list()->showPopup();
    }

private:
    QComboBox *list() const { return static_cast<QComboBox *>(widget()); }
};

// A top-level window as a main window: Orca looks for a status bar only in
// one of those, not in a dialog.
class WindowAccessible : public QAccessibleWidget
{
public:
    explicit WindowAccessible(QWidget *widget) : QAccessibleWidget(widget, QAccessible::Window) {}
};

// What announce() says: a notification inside the status line. Orca speaks
// a notification when it shows, and one inside a status bar without the
// word "notification". It has no size, so that reviewing the screen or
// reading the status bar passes it over.
class Announcement : public QAccessibleInterface
{
public:
    bool isValid() const override { return true; }
    QObject *object() const override { return nullptr; }
    QWindow *window() const override { return line ? line->window()->windowHandle() : nullptr; }
    QAccessibleInterface *parent() const override
    {
        return line ? QAccessible::queryAccessibleInterface(line) : nullptr;
    }
    QAccessibleInterface *child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    QString text(QAccessible::Text type) const override { return type == QAccessible::Name ? said : QString(); }
    void setText(QAccessible::Text, const QString &) override {}
    QRect rect() const override { return line ? QRect(line->mapToGlobal(QPoint()), QSize()) : QRect(); }
    QAccessible::Role role() const override { return QAccessible::Notification; }
    QAccessible::State state() const override
    {
        QAccessible::State state;
        state.invisible = !line || !line->isVisible();
        return state;
    }

    QPointer<QWidget> line;
    QString said;
    QStringList pending;
    std::function<void(const QString &)> listener;
};

Announcement &announcement()
{
    static Announcement *const made = [] {
        auto *made = new Announcement;
        QAccessible::registerAccessibleInterface(made); // Qt's cache owns it from now on
        return made;
    }();
    return *made;
}

// The status line as a status bar: its name is its text, which is what a
// screen reader's "read the status bar" command speaks. Its one child says
// what announce() is given.
class StatusLineAccessible : public TextContent
{
public:
    explicit StatusLineAccessible(QWidget *widget) : TextContent(widget, QAccessible::StatusBar) {}

    QString text(QAccessible::Text type) const override
    {
        if (type == QAccessible::Name && !content().isEmpty())
            return content();
        return TextContent::text(type);
    }
    QString content() const override { return static_cast<QLineEdit *>(widget())->text(); }

    QAccessible::State state() const override
    {
        QAccessible::State state = TextContent::state();
        state.readOnly = true;
        return state;
    }

    int childCount() const override { return announcement().line == widget() ? 1 : 0; }
    QAccessibleInterface *child(int index) const override
    {
        return index == 0 && childCount() ? &announcement() : nullptr;
    }
    int indexOfChild(const QAccessibleInterface *child) const override
    {
        return child && child == &announcement() && childCount() ? 0 : -1;
    }
};

QAccessibleInterface *interfaceFactory(const QString &className, QObject *object)
{
    auto *widget = qobject_cast<QWidget *>(object);
    if (!widget)
        return nullptr;
    const QVariant kind = widget->property(accessibleKind);
    switch (kind.isValid() ? AccessibleKind(kind.toInt()) : AccessibleKind::Plain) {
    case AccessibleKind::NamedList:
        if (className == QLatin1String("QComboBox"))
            return new ListAccessible(widget);
        break;
    case AccessibleKind::StatusLine:
        if (className == QLatin1String("QLineEdit"))
            return new StatusLineAccessible(widget);
        break;
    case AccessibleKind::Window:
        return new WindowAccessible(widget);
    case AccessibleKind::Plain:
        break;
    }
    if (className == QLatin1String("QLineEdit"))
        return new LineEditAccessible(widget);
    return nullptr;
}

void install()
{
    static const bool installed = [] {
        QAccessible::installFactory(interfaceFactory);
        correctAccessibleEvents();
        return true;
    }();
    Q_UNUSED(installed);
}

// Drops an interface Qt made for widget before, when it was named or
// filled, so that the next query makes the one of this file.
template <typename Made>
void replaceInterface(QWidget *widget)
{
    QAccessibleInterface *made = QAccessible::queryAccessibleInterface(widget);
    if (made && !dynamic_cast<Made *>(made)) {
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(made));
        QAccessible::queryAccessibleInterface(widget);
    }
}

} // namespace

void useAccessibleInterface(QWidget *widget, AccessibleKind kind)
{
    install();
    widget->setProperty(accessibleKind, int(kind));
    switch (kind) {
    case AccessibleKind::Plain:
        break;
    case AccessibleKind::NamedList:
        replaceInterface<ListAccessible>(widget);
        break;
    case AccessibleKind::StatusLine:
        replaceInterface<StatusLineAccessible>(widget);
        announcement().line = widget;
        break;
    case AccessibleKind::Window:
        replaceInterface<WindowAccessible>(widget);
        break;
    }
}

void useLineEditInterfaces(QWidget *root)
{
    install();
    for (QLineEdit *box : root->findChildren<QLineEdit *>()) {
        if (!box->property(accessibleKind).isValid())
            replaceInterface<LineEditAccessible>(box);
    }
}

void hearAnnouncements(std::function<void(const QString &)> listener)
{
    announcement().listener = std::move(listener);
}

bool announcementsWaiting()
{
    return !announcement().pending.isEmpty() || TypingAnnouncement::anyWaiting();
}

void announce(const QString &text)
{
    Announcement &said = announcement();
    // A text given twice in the moment is said once.
    if (!(QAccessible::isActive() || said.listener) || !said.line || text.isEmpty() || said.pending.contains(text))
        return;
    said.pending.append(text);
    if (said.pending.size() > 1)
        return;
    // After the events of the command, which Orca may have dropped in part
    // when they were many; it would drop the announcement with them.
    QTimer::singleShot(announceDelay, qApp, [] {
        Announcement &said = announcement();
        said.said = said.pending.join(QStringLiteral(". "));
        said.pending.clear();
        if (!said.line)
            return;
        if (said.listener)
            said.listener(said.said);
        QAccessibleEvent shown(&said, QAccessible::ObjectShow);
        QAccessible::updateAccessibility(&shown);
    });
}
