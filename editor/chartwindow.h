#pragma once

#include "model/compare/comparecommands.h"

#include <QDialog>

class BarChartView;
class QComboBox;
class QLabel;
class QTableWidget;

// The chart of one numeric value across the classes of both teams, beside
// a table of the same values (which screen readers read in its place). It
// stays open beside the editor and follows the classes.
class ChartWindow : public QDialog
{
    Q_OBJECT

public:
    explicit ChartWindow(QWidget *owner);

    void showChart(const tolvane::CompareView::ChartView &chart);

public slots:
    // Draws the chart again from the classes as they are now.
    void refresh();

private slots:
    void savePicture();

private:
    tolvane::CompareView::ChartView chart;
    QComboBox *values;
    QLabel *note;
    BarChartView *bars;
    QTableWidget *table;
};
