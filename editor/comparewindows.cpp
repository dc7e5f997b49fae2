#include "comparewindows.h"

#include "baselinedialog.h"
#include "chartwindow.h"
#include "comparedialog.h"
#include "focusreturn.h"

void CompareWindows::showTwoClasses(const TwoClasses &classes)
{
    const FocusReturn back;
    CompareDialog compare(classes, ownerWhereTheUserIs(window));
    compare.exec();
}

void CompareWindows::showBaseline(const BaselineView &baseline)
{
    const FocusReturn back;
    BaselineDialog differences(baseline, ownerWhereTheUserIs(window));
    differences.exec();
}

void CompareWindows::showChart(const ChartView &chart)
{
    if (!chartWindow)
        chartWindow = new ChartWindow(window);
    returnFocusOnClose(chartWindow);
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
