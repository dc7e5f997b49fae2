#include "panedock.h"

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

// A pane the settings bring back shown is made as it appears.
void PaneDock::showEvent(QShowEvent *event)
{
    content();
    QDockWidget::showEvent(event);
}
