#pragma once

#include "model/compare/teamviews.h"

#include <QImage>
#include <QWidget>

// A bar chart of one value across the classes of both teams, drawn with the
// painter: a bar a class, highest first, the value as text beside it; the
// Tangos' bars hatched as well as coloured, and a legend that says so.
class BarChartView : public QWidget
{
    Q_OBJECT

public:
    explicit BarChartView(QWidget *parent);

    void setChart(const tolvane::BarChart &chart);
    const tolvane::BarChart &chart() const { return shown; }

    // The whole chart on a white background, as a picture to save.
    QImage picture() const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void draw(QPainter &painter, int width, const QColor &text) const;
    int rowHeight() const;
    int top() const;

    tolvane::BarChart shown;
};
