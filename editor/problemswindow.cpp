#include "problemswindow.h"

#include "accessibility.h"
#include "screenfit.h"

#include <QListWidget>
#include <QScreen>
#include <QVBoxLayout>

#include <algorithm>

ProblemsWindow::ProblemsWindow(QWidget *owner) : QDialog(owner), list(new QListWidget(this))
{
    setWindowTitle(tr("Problems"));
    list->setAccessibleName(tr("Problems of the class file"));
    list->setWordWrap(true);
    speakCurrentEntryOnFocus(list);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(list);
    fitOnScreen(this, QSize(fontMetrics().averageCharWidth() * 90, fontMetrics().height() * 14));

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

bool ProblemsWindow::placeBeside(const QRect &area)
{
    const QMargins frame = frameMargins(this);
    const QSize frameSize(frame.left() + frame.right(), frame.top() + frame.bottom());
    const std::optional<QRect> placed = placeClearOf(area, size() + frameSize, minimumSizeHint() + frameSize,
                                                     screen()->availableGeometry());
    if (placed)
        setGeometry(placed->marginsRemoved(frame));
    return bool(placed);
}

bool ProblemsWindow::keepClearOf(const QRect &area)
{
    return !frameGeometry().intersects(area) || placeBeside(area);
}
