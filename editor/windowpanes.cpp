#include "windowpanes.h"

#include "panedock.h"
#include "recentfolders.h"
#include "screenfit.h"
#include "templateform.h"

#include <QLayout>
#include <QMainWindow>
#include <QMenuBar>
#include <QSettings>
#include <QStyle>

#include <algorithm>

namespace {

const QString panesKey = QStringLiteral("window/panes");
const QString shownKey = QStringLiteral("window/panesShown");

} // namespace

void WindowPanes::restore(const PaneMakers &makers)
{
    QSettings settings = editorSettings();
    const QStringList shown = settings.value(shownKey).toStringList();
    for (const auto &[name, make] : makers) {
        if (shown.contains(name))
            make();
    }
    restored = window.restoreState(settings.value(panesKey).toByteArray());
    if (restored) {
        for (PaneDock *pane : window.findChildren<PaneDock *>(Qt::FindDirectChildrenOnly))
            pane->placed = true;
    }
}

void WindowPanes::save() const
{
    QStringList shown;
    for (const PaneDock *pane : window.findChildren<PaneDock *>(Qt::FindDirectChildrenOnly)) {
        if (!pane->isHidden())
            shown << pane->objectName();
    }
    QSettings settings = editorSettings();
    settings.setValue(panesKey, window.saveState());
    settings.setValue(shownKey, shown);
}

PaneDock *WindowPanes::add(PaneDock *pane)
{
    window.addDockWidget(Qt::RightDockWidgetArea, pane);
    pane->placed = restored && window.restoreDockWidget(pane);
    return pane;
}

void WindowPanes::show(PaneDock *pane, PaneDock *table)
{
    if (!pane->placed) {
        pane->placed = true;
        const QSize room = roomForWindow(&window);
        const QSize formSize = form.form()->size();
        const QSize wanted = pane->content()->sizeHint();
        if (table && pane != table && table->isVisible() && !table->isFloating())
            window.tabifyDockWidget(table, pane);
        else if (room.width() - formSize.width() >= wanted.width())
            window.addDockWidget(Qt::RightDockWidgetArea, pane);
        else if (room.height() - formSize.height() >= wanted.height())
            window.addDockWidget(Qt::BottomDockWidgetArea, pane);
        else if (pane != table)
            pane->setFloating(true);
    }
    pane->bringUp();
    if (pane->isFloating())
        moveOntoScreen(pane);
    makeRoom();
}

void WindowPanes::makeRoom()
{
    QList<QDockWidget *> beside, below;
    for (QDockWidget *pane : window.findChildren<QDockWidget *>(Qt::FindDirectChildrenOnly)) {
        if (pane->isHidden() || pane->isFloating() || !pane->widget())
            continue;
        const Qt::DockWidgetArea area = window.dockWidgetArea(pane);
        (area == Qt::TopDockWidgetArea || area == Qt::BottomDockWidgetArea ? below : beside).append(pane);
    }
    if (beside.isEmpty() && below.isEmpty())
        return;
    // What the panes ask for beside and below the form, with their frames
    // and titles; the form steps down a size where it would not fit beside.
    const QStyle *style = window.style();
    const int separator = style->pixelMetric(QStyle::PM_DockWidgetSeparatorExtent, nullptr, &window);
    const int frame = 2 * style->pixelMetric(QStyle::PM_DockWidgetFrameWidth, nullptr, &window) + separator;
    const int title = window.fontMetrics().height() + 2 * style->pixelMetric(QStyle::PM_DockWidgetTitleMargin) + 4;
    QSize wanted(0, 0); // an empty QSize is -1 x -1, a pixel more room
    for (QDockWidget *pane : beside)
        wanted.setWidth(std::max(wanted.width(), pane->widget()->sizeHint().width() + frame));
    for (QDockWidget *pane : below)
        wanted.setHeight(std::max(wanted.height(), pane->widget()->sizeHint().height() + frame + title));
    const bool free = !(window.windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen));
    const QSize room = free ? roomForWindow(&window) : window.size();
    const int chrome = window.menuBar()->sizeHint().height() + statusLine.sizeHint().height();
    form.fitInto(room - QSize(0, chrome) - wanted);
    window.centralWidget()->layout()->invalidate();
    window.centralWidget()->updateGeometry();
    if (free && window.isVisible())
        fitOnScreen(&window, room);
    window.layout()->activate();
    // The form keeps the size it asks for; the panes take the rest, and at
    // least what they ask for.
    const QSize formSize = form.sizeHint();
    const int besideWidth = std::max(wanted.width(), window.width() - formSize.width()) - frame;
    const int belowHeight = std::max(wanted.height(), window.height() - chrome - formSize.height()) - frame - title;
    for (QDockWidget *pane : beside)
        window.resizeDocks({pane}, {besideWidth / int(beside.size())}, Qt::Horizontal);
    for (QDockWidget *pane : below)
        window.resizeDocks({pane}, {belowHeight / int(below.size())}, Qt::Vertical);
}
