#pragma once

#include "model/compare/comparecommands.h"

class ChartWindow;
class CreatorDialog;
class PaneDock;
class QWidget;

// Compare Two Classes and the baseline's patch notes over the window, and
// the chart, a pane of the window that stays open while the user works.
class CompareWindows : public tolvane::CompareView
{
public:
    explicit CompareWindows(CreatorDialog &window) : window(window) {}

    void showTwoClasses(const TwoClasses &classes) override;
    void showBaseline(const BaselineView &baseline) override;
    void showChart(const ChartView &chart) override;
    // The chart, when open, follows the classes.
    void refreshChart();
    ChartWindow *chart() const;
    // The chart's pane, made now if need be.
    PaneDock *chartPane();

private:
    CreatorDialog &window;
    PaneDock *chartDock = nullptr;
};
