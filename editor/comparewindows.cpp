#include "comparewindows.h"

#include "baselinedialog.h"
#include "chartwindow.h"
#include "comparepane.h"
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

PaneDock *CompareWindows::comparePane()
{
    const auto make = [](QWidget *parent) {
        auto *compare = new ComparePane(parent);
        QObject::connect(compare, &ComparePane::closeRequested, parent, &QWidget::close);
        return compare;
    };
    if (!compareDock)
        compareDock = window.addPane(
            new PaneDock(QObject::tr("Compare Two Classes"), CreatorDialog::comparePane, make, &window));
    return compareDock;
}

void CompareWindows::showTwoClasses(const TwoClasses &classes)
{
    auto *compare = static_cast<ComparePane *>(comparePane()->content());
    returnFocusOnClose(compareDock);
    compare->showClasses(classes);
    window.showPane(compareDock);
    compare->setFocus(Qt::OtherFocusReason);
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

void CompareWindows::refreshPanes()
{
    if (ChartWindow *chartWindow = chart(); chartWindow && chartDock->isVisible())
        chartWindow->refresh();
    if (ComparePane *compare = twoClasses(); compare && compareDock->isVisible())
        compare->refresh();
}

ChartWindow *CompareWindows::chart() const
{
    return chartDock ? static_cast<ChartWindow *>(chartDock->madeContent()) : nullptr;
}

ComparePane *CompareWindows::twoClasses() const
{
    return compareDock ? static_cast<ComparePane *>(compareDock->madeContent()) : nullptr;
}
