#include "comparewindows.h"

#include "baselinedialog.h"
#include "chartwindow.h"
#include "comparedialog.h"

void CompareWindows::showTwoClasses(const TwoClasses &classes)
{
    CompareDialog compare(classes, window);
    compare.exec();
}

void CompareWindows::showBaseline(const BaselineView &baseline)
{
    BaselineDialog differences(baseline, window);
    differences.exec();
}

void CompareWindows::showChart(const ChartView &chart)
{
    if (!chartWindow)
        chartWindow = new ChartWindow(window);
    chartWindow->showChart(chart);
    chartWindow->show();
    chartWindow->raise();
    chartWindow->activateWindow();
}

void CompareWindows::refreshChart()
{
    if (chartWindow && chartWindow->isVisible())
        chartWindow->refresh();
}

ChartWindow *CompareWindows::chart() const
{
    return chartWindow;
}
