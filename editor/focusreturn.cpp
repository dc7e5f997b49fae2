#include "focusreturn.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

namespace {

void giveFocusTo(QWidget *widget)
{
    if (!widget || !widget->isVisible())
        return;
    widget->window()->activateWindow();
    widget->setFocus(Qt::ActiveWindowFocusReason);
}

// Gives the focus back once the window it watches is hidden.
class FocusOnClose : public QObject
{
public:
    explicit FocusOnClose(QWidget *window) : QObject(window)
    {
        setObjectName(name);
        window->installEventFilter(this);
    }
    static constexpr const char *name = "focusOnClose";

    void remember(QWidget *widget)
    {
        // Not from inside the pane itself, docked or a window of its own.
        const auto *pane = static_cast<QWidget *>(parent());
        if (widget && widget != pane && !pane->isAncestorOf(widget))
            from = widget;
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == parent() && event->type() == QEvent::Hide)
            QTimer::singleShot(0, this, [widget = from] { giveFocusTo(widget); });
        return false;
    }

private:
    QPointer<QWidget> from;
};

} // namespace

QWidget *ownerWhereTheUserIs(QWidget *fallback)
{
    QWidget *active = QApplication::activeWindow();
    return active && active->isVisible() ? active : fallback;
}

FocusReturn::FocusReturn() : widget(QApplication::focusWidget()) {}

FocusReturn::~FocusReturn()
{
    giveFocusTo(widget);
}

void returnFocusOnClose(QWidget *window)
{
    // Not a Q_OBJECT: found by its name.
    auto *back = static_cast<FocusOnClose *>(
        window->findChild<QObject *>(QLatin1String(FocusOnClose::name), Qt::FindDirectChildrenOnly));
    if (!back)
        back = new FocusOnClose(window);
    back->remember(QApplication::focusWidget());
}
