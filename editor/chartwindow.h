#pragma once

#include "model/compare/comparecommands.h"

#include <QWidget>

class BarChartView;
class QComboBox;
class QLabel;
class QTableWidget;

// The chart of one numeric value across the classes of both teams, beside
// a table of the same values (which screen readers read in its place): a
// pane of the editor window that follows the classes, and saves the chart
// as a PNG or SVG picture of the size the user asks for.
class ChartWindow : public QWidget
{
    Q_OBJECT

public:
    explicit ChartWindow(QWidget *parent);

    QSize sizeHint() const override;

    void showChart(const tolvane::CompareView::ChartView &chart);

public slots:
    // Draws the chart again from the classes as they are now.
    void refresh();

signals:
    // Close: the pane goes.
    void closeRequested();

private:
    using Picture = tolvane::CompareView::ChartView::Picture;
    // Asks the picture's size, then the session asks where to save it.
    void savePicture(Picture picture);

    tolvane::CompareView::ChartView chart;
    QComboBox *values;
    QLabel *note;
    BarChartView *bars;
    QTableWidget *table;
    QSize pictureSize; // the size last chosen for a picture
};
