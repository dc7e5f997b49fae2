#include "dialogunits.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QHash>

#include <algorithm>
#include <cmath>

namespace {

constexpr qreal usualSystemPoints = 9;

} // namespace

QFont dialogFont(const char *family, qreal points)
{
    const QString name = QString::fromLatin1(family);
    // Asked once, and of the installed families: hasFamily() first asks
    // fontconfig for the name's aliases, which took as long as laying out the
    // whole form. The program installs no fonts of its own.
    static QHash<QString, bool> installed;
    auto known = installed.constFind(name);
    if (known == installed.cend())
        known = installed.insert(name, QFontDatabase::families().contains(name, Qt::CaseInsensitive));
    QFont font = *known ? QFont(name) : QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    font.setPointSizeF(points);
    // Drawn as Windows draws dialog text: letters fitted to whole pixels, and
    // Latin text without ligatures or kerning. Each letter is then rendered
    // once, not at four fractions of a pixel, and shaping the texts, which
    // took a twentieth of the start, is skipped.
    font.setHintingPreference(QFont::PreferFullHinting);
    font.setStyleStrategy(QFont::PreferNoShaping);
    return font;
}

qreal systemFontScale()
{
    // QFontInfo gives the size in points also for a font set in pixels.
    const qreal points = QFontInfo(QGuiApplication::font()).pointSizeF();
    return std::max<qreal>(1, points / usualSystemPoints);
}

qreal letterWidth(const QFontMetricsF &metrics)
{
    return metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz")) / 52;
}

DialogUnits::DialogUnits(const QFont &font)
{
    const QFontMetricsF metrics(font);
    unitX = letterWidth(metrics);
    unitY = metrics.height();
}

int DialogUnits::toPixelsX(int dlu) const
{
    return int(std::lround(dlu * unitX / 4));
}

int DialogUnits::toPixelsY(int dlu) const
{
    return int(std::lround(dlu * unitY / 8));
}

// The corners are mapped, as Windows maps a template rectangle, so that
// controls that meet in dialog units meet in pixels.
QRect DialogUnits::toPixels(int x, int y, int w, int h) const
{
    const int left = toPixelsX(x);
    const int top = toPixelsY(y);
    return {left, top, toPixelsX(x + w) - left, toPixelsY(y + h) - top};
}

QSize DialogUnits::toPixels(QSize dlu) const
{
    return {toPixelsX(dlu.width()), toPixelsY(dlu.height())};
}
