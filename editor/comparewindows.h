#pragma once

#include "model/compare/comparecommands.h"

#include <QPointer>

class ChartWindow;
class QWidget;

// Compare Two Classes and the baseline's patch notes over the window, and
// the chart, which stays open beside it while the user works.
class CompareWindows : public tolvane::CompareView
{
public:
    explicit CompareWindows(QWidget *window) : window(window) {}

    void showTwoClasses(const TwoClasses &classes) override;
    void showBaseline(const BaselineView &baseline) override;
    void showChart(const ChartView &chart) override;
    // The chart, when open, follows the classes.
    void refreshChart();
    ChartWindow *chart() const;

private:
    QWidget *window;
    QPointer<ChartWindow> chartWindow;
};
