#include "panedock.h"

#include <QKeyEvent>

PaneDock::PaneDock(const QString &title, const QString &name, std::function<QWidget *(QWidget *parent)> make,
                   QWidget *window)
    : QDockWidget(title, window), make(std::move(make))
{
    setObjectName(name);
    setFeatures(DockWidgetClosable | DockWidgetMovable | DockWidgetFloatable);
    hide();
}

QWidget *PaneDock::content()
{
    if (!widget())
        setWidget(make(this));
    return widget();
}

void PaneDock::bringUp()
{
    content();
    show();
    raise();
    if (isFloating())
        activateWindow();
    else
        window()->activateWindow();
}

void PaneDock::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QDockWidget::keyPressEvent(event);
}

// A pane the settings bring back shown is made as it appears.
void PaneDock::showEvent(QShowEvent *event)
{
    content();
    QDockWidget::showEvent(event);
}
