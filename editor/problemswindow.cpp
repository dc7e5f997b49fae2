#include "problemswindow.h"

#include "accessibility.h"
#include "dialogunits.h"
#include "screenfit.h"

#include <QDockWidget>
#include <QListWidget>
#include <QScreen>
#include <QVBoxLayout>

#include <algorithm>

ProblemsWindow::ProblemsWindow(QWidget *parent) : QWidget(parent), list(new QListWidget(this))
{
    setWindowTitle(tr("Problems"));
    list->setAccessibleName(tr("Problems of the class file"));
    list->setWordWrap(true);
    speakCurrentEntryOnFocus(list);
    setFocusProxy(list);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(list);

    connect(list, &QListWidget::itemActivated, this, [this](QListWidgetItem *item) {
        if (const QVariant index = item->data(Qt::UserRole); index.isValid())
            emit problemChosen(index.toInt());
    });
}

void ProblemsWindow::showProblems(const QStringList &lines, const QStringList &tooltips)
{
    const int row = list->currentRow();
    list->clear();
    for (int i = 0; i < lines.size(); ++i) {
        auto *item = new QListWidgetItem(lines[i], list);
        item->setData(Qt::UserRole, i);
        item->setToolTip(tooltips.value(i));
    }
    if (lines.isEmpty())
        new QListWidgetItem(tr("No problems: the game reads every value as the editor shows it."), list);
    list->setCurrentRow(std::min(std::max(row, 0), int(list->count()) - 1));
}

QSize ProblemsWindow::sizeHint() const
{
    return {int(letterWidth(fontMetrics()) * 60), fontMetrics().height() * 10};
}

namespace {

// The pane's own window while it floats (or stands alone), else nothing.
QWidget *floatingWindow(QWidget *pane)
{
    const auto *dock = qobject_cast<QDockWidget *>(pane->parentWidget());
    return dock && !dock->isFloating() ? nullptr : pane->window();
}

} // namespace

bool ProblemsWindow::placeBeside(const QRect &area)
{
    QWidget *window = floatingWindow(this);
    if (!window)
        return true;
    const QMargins frame = frameMargins(window);
    const QSize frameSize(frame.left() + frame.right(), frame.top() + frame.bottom());
    const std::optional<QRect> placed = placeClearOf(
        area, window->size() + frameSize, window->minimumSizeHint() + frameSize, window->screen()->availableGeometry());
    if (placed)
        window->setGeometry(placed->marginsRemoved(frame));
    return bool(placed);
}

bool ProblemsWindow::keepClearOf(const QRect &area)
{
    const QWidget *window = floatingWindow(this);
    return !window || !window->frameGeometry().intersects(area) || placeBeside(area);
}
