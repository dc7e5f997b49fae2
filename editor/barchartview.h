#pragma once

#include "model/compare/teamviews.h"

#include <QImage>
#include <QWidget>

// A bar chart of one value across the classes of both teams, drawn with the
// painter: a bar a class, highest first, the value as text beside it; the
// Tangos' bars hatched as well as coloured, and a legend that says so; a
// line at each team's mean, labelled; a value axis with ticks and the
// value's title. Class names are never cut: the widget is as wide as they
// need, and a picture holds all of it, as large as it can.
class BarChartView : public QWidget
{
    Q_OBJECT

public:
    explicit BarChartView(QWidget *parent);

    void setChart(const tolvane::BarChart &chart);
    const tolvane::BarChart &chart() const { return shown; }

    // The whole chart filling size pixels on a white background, as a
    // picture to save; and the same as an SVG file (empty where the build
    // has no SVG).
    QImage picture(QSize size) const;
    QByteArray svg(QSize size) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    struct Measures;
    Measures measure(const QPaintDevice *device) const;
    // Draws with the painter's font, for the painter's device, on size:
    // scaled down to hold the whole chart where it needs more room, and to
    // fill it when told (a picture).
    void render(QPainter &painter, QSizeF size, const QColor &text, bool fill) const;
    void draw(QPainter &painter, const Measures &measures, QSizeF size, const QColor &text) const;

    tolvane::BarChart shown;
};
