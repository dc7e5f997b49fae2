#include "comparewindows.h"

#include "baselinedialog.h"
#include "chartwindow.h"
#include "comparedialog.h"
#include "creatordialog.h"
#include "focusreturn.h"
#include "panedock.h"

PaneDock *CompareWindows::chartPane()
{
    const auto make = [](QWidget *parent) {
        auto *chart = new ChartWindow(parent);
        QObject::connect(chart, &ChartWindow::closeRequested, parent, &QWidget::close);
        return chart;
    };
    if (!chartDock)
        chartDock = window.addPane(new PaneDock(QObject::tr("Chart"), CreatorDialog::chartPane, make, &window));
    return chartDock;
}

void CompareWindows::showTwoClasses(const TwoClasses &classes)
{
    const FocusReturn back;
    CompareDialog compare(classes, ownerWhereTheUserIs(&window));
    compare.exec();
}

void CompareWindows::showBaseline(const BaselineView &baseline)
{
    const FocusReturn back;
    BaselineDialog differences(baseline, ownerWhereTheUserIs(&window));
    differences.exec();
}

void CompareWindows::showChart(const ChartView &chart)
{
    auto *chartWindow = static_cast<ChartWindow *>(chartPane()->content());
    returnFocusOnClose(chartDock);
    chartWindow->showChart(chart);
    window.showPane(chartDock);
    chartWindow->setFocus(Qt::OtherFocusReason);
}

void CompareWindows::refreshChart()
{
    if (ChartWindow *chartWindow = chart(); chartWindow && chartDock->isVisible())
        chartWindow->refresh();
}

ChartWindow *CompareWindows::chart() const
{
    return chartDock ? static_cast<ChartWindow *>(chartDock->madeContent()) : nullptr;
}
