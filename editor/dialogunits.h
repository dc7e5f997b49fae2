#pragma once

#include <QFont>
#include <QFontMetricsF>
#include <QRect>

// The font of a dialog template: family when it is installed, otherwise the
// platform's sans-serif font, at points, fully hinted and unshaped.
QFont dialogFont(const char *family, qreal points);

// How much larger than usual the user has made the system font: its size
// against the 9 points most desktops start with, never below 1. Dialog
// templates were drawn for 8 point text beside a 9 point system font.
qreal systemFontScale();

// The mean width of the font's letters, a-z and A-Z. QFontMetrics's
// averageCharWidth() gives the font's design units (1260 for Tahoma) under
// Wine, which made panes ask for 35,000 pixels.
qreal letterWidth(const QFontMetricsF &metrics);

// Dialog units of a font: a horizontal unit is a quarter of the average
// width of the letters, a vertical unit an eighth of the font's height. The
// units are kept with their fractions, so that a form at 1.5 times the size
// is 1.5 times as large.
class DialogUnits
{
public:
    explicit DialogUnits(const QFont &font);
    DialogUnits(qreal unitX, qreal unitY) : unitX(unitX), unitY(unitY) {}

    qreal baseX() const { return unitX; }
    qreal baseY() const { return unitY; }
    int toPixelsX(int dlu) const;
    int toPixelsY(int dlu) const;
    QRect toPixels(int x, int y, int w, int h) const;
    QSize toPixels(QSize dlu) const;

private:
    qreal unitX;
    qreal unitY;
};
