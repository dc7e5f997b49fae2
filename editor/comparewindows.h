#pragma once

#include "model/compare/comparecommands.h"

class ChartWindow;
class ComparePane;
class CreatorDialog;
class PaneDock;
class QWidget;

// The baseline's patch notes over the window; Compare Two Classes and the
// chart, panes of the window that stay open while the user works.
class CompareWindows : public tolvane::CompareView
{
public:
    explicit CompareWindows(CreatorDialog &window) : window(window) {}

    void showTwoClasses(const TwoClasses &classes) override;
    void showBaseline(const BaselineView &baseline) override;
    void showChart(const ChartView &chart) override;
    // The chart and Compare Two Classes, when open, follow the classes.
    void refreshPanes();
    ChartWindow *chart() const;
    ComparePane *twoClasses() const;
    // The chart's pane, made now if need be.
    PaneDock *chartPane();
    // Compare Two Classes' pane, made now if need be.
    PaneDock *comparePane();

private:
    CreatorDialog &window;
    PaneDock *chartDock = nullptr;
    PaneDock *compareDock = nullptr;
};
