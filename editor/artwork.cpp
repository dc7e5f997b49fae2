#include "artwork.h"

#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QImage>
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace {

const QColor bannerGreen(0x4c, 0xc2, 0x4a);
const QColor bannerGold(0xe8, 0xc5, 0x47);
const QColor navy(0x1b, 0x2a, 0x49);

// Tahoma where it is there (on every Windows, and in Wine), else the
// system's font: on Windows a window without a platform theme (the build's
// drawing under Wine) gets a bitmap font as its system font, whose large
// letters do not draw.
QFont artworkFont()
{
    const QString tahoma = QStringLiteral("Tahoma");
    QFont font = QFontDatabase::hasFamily(tahoma) ? QFont(tahoma)
                                                  : QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

// A sans-serif font of at most maxPixels whose text fits into maxWidth, in
// one of two weights, so that drawing loads no more font files than needed.
QFont fittedFont(const QString &text, qreal maxWidth, int maxPixels, QFont::Weight weight)
{
    QFont font = artworkFont();
    font.setWeight(weight);
    font.setPixelSize(maxPixels);
    // Text widths grow in proportion to the size, near enough.
    const qreal width = QFontMetricsF(font).horizontalAdvance(text);
    if (width > maxWidth)
        font.setPixelSize(std::max(6, int(maxPixels * maxWidth / width)));
    return font;
}

// Text as outlines that the painter fills, which keeps every stroke on every
// platform: a platform's own glyph drawing dropped strokes of small text
// (Wine's, at 96 dpi).
void drawOutlined(QPainter &painter, QPointF baseline, const QFont &font, const QString &text, const QBrush &brush)
{
    QPainterPath path;
    path.addText(baseline, font, text);
    painter.fillPath(path, brush);
}

// The same, centred in area.
void drawOutlined(QPainter &painter, const QRectF &area, const QFont &font, const QString &text, const QBrush &brush)
{
    const QFontMetricsF metrics(font);
    drawOutlined(painter,
                 QPointF(area.center().x() - metrics.horizontalAdvance(text) / 2,
                         area.center().y() + (metrics.ascent() - metrics.descent()) / 2),
                 font, text, brush);
}

// The product name above "Class Creator" on black, signed lower right.
void paintBanner(QPainter &painter, const QRectF &area)
{
    painter.fillRect(area, Qt::black);
    const qreal margin = area.width() * 0.04;

    const QString name = QStringLiteral("Tolvane");
    const QFont nameFont = fittedFont(name, area.width() * 0.62, int(area.height() * 0.56), QFont::Bold);
    const QFontMetricsF nameMetrics(nameFont);
    const qreal nameBaseline = area.top() + area.height() * 0.08 + nameMetrics.ascent();
    QLinearGradient fill(0, nameBaseline - nameMetrics.ascent(), 0, nameBaseline);
    fill.setColorAt(0, bannerGold);
    fill.setColorAt(1, bannerGreen);
    drawOutlined(painter, QPointF(area.left() + margin, nameBaseline), nameFont, name, fill);

    const QString subtitle = QStringLiteral("Class Creator");
    const QFont subtitleFont = fittedFont(subtitle, area.width() * 0.5, int(area.height() * 0.22), QFont::Bold);
    const qreal subtitleBaseline = nameBaseline + QFontMetricsF(subtitleFont).ascent() + area.height() * 0.06;
    drawOutlined(painter, QPointF(area.left() + margin * 1.2, subtitleBaseline), subtitleFont, subtitle,
                 QColor(0xdd, 0xdd, 0xdd));

    painter.setPen(QPen(bannerGreen, 1));
    const qreal lineY = subtitleBaseline - QFontMetricsF(subtitleFont).ascent() * 0.4;
    const qreal lineStart = area.left() + margin * 1.2 + QFontMetricsF(subtitleFont).horizontalAdvance(subtitle) + 6;
    painter.drawLine(QPointF(lineStart, lineY), QPointF(area.right() - margin, lineY));

    const QString signature = QStringLiteral("tcc authors");
    const QFont signatureFont = fittedFont(signature, area.width() * 0.2, 9, QFont::Normal);
    const QFontMetricsF signatureMetrics(signatureFont);
    drawOutlined(painter,
                 QPointF(area.right() - margin - signatureMetrics.horizontalAdvance(signature),
                         area.bottom() - signatureMetrics.descent() - 2),
                 signatureFont, signature, QColor(0x99, 0x99, 0x99));
}

void paintCredits(QPainter &painter, const QSize &size)
{
    const QRectF banner(0, 0, size.width(), 77);
    paintBanner(painter, banner);
    painter.fillRect(QRectF(0, banner.bottom(), size.width(), size.height() - banner.height()), Qt::black);
    painter.setPen(QPen(bannerGreen, 1));
    painter.drawLine(QPointF(12, banner.bottom() + 8.5), QPointF(size.width() - 12, banner.bottom() + 8.5));

    const QString lines[] = {QStringLiteral("Code: the Tolvane Class Creator authors"),
                             QStringLiteral("Artwork: the Tolvane Class Creator authors")};
    const QFont font = fittedFont(lines[1], size.width() - 24, 13, QFont::Normal);
    const qreal step = QFontMetricsF(font).height() * 1.6;
    qreal baseline = banner.bottom() + 18 + QFontMetricsF(font).ascent();
    for (const QString &line : lines) {
        drawOutlined(painter, QPointF(12, baseline), font, line, Qt::white);
        baseline += step;
    }
}

// A standing figure, in units of a 48 x 72 picture.
QPainterPath figurePath()
{
    QPainterPath parts;
    parts.addEllipse(QPointF(24, 10), 6.5, 7);
    parts.addRoundedRect(QRectF(21, 15, 6, 5), 1, 1);
    parts.addRoundedRect(QRectF(15, 18, 18, 25), 4, 4);
    QPolygonF leftArm({QPointF(15, 19), QPointF(19, 21), QPointF(13, 42), QPointF(9, 41)});
    QPolygonF rightArm({QPointF(33, 19), QPointF(29, 21), QPointF(35, 42), QPointF(39, 41)});
    parts.addPolygon(leftArm);
    parts.addPolygon(rightArm);
    parts.addRoundedRect(QRectF(16, 40, 7.5, 27), 2, 2);
    parts.addRoundedRect(QRectF(24.5, 40, 7.5, 27), 2, 2);
    parts.addRoundedRect(QRectF(13, 64, 10.5, 4.5), 2, 2);
    parts.addRoundedRect(QRectF(24.5, 64, 10.5, 4.5), 2, 2);
    return parts.simplified();
}

void paintFigure(QPainter &painter, const QSize &size)
{
    painter.fillRect(QRect(QPoint(), size), QColor(0x80, 0x80, 0x80));
    painter.setPen(QPen(Qt::white, 1.5));
    painter.setBrush(QColor(0x2f, 0xa8, 0x3f));
    painter.drawPath(figurePath());
}

void paintLogo(QPainter &painter, const QSize &size)
{
    const QRectF badge = QRectF(QPointF(), size).adjusted(1, 1, -1, -1);
    QLinearGradient fill(0, 0, 0, size.height());
    fill.setColorAt(0, navy.lighter(150));
    fill.setColorAt(1, navy);
    painter.setPen(QPen(bannerGold, 1.5));
    painter.setBrush(fill);
    painter.drawRoundedRect(badge, 8, 8);

    const QString letters = QStringLiteral("TCC");
    const QFont lettersFont = fittedFont(letters, size.width() - 20, 24, QFont::Bold);
    drawOutlined(painter, QRectF(0, 3, size.width(), size.height() * 0.62), lettersFont, letters, bannerGold);

    const QString authors = QStringLiteral("authors");
    drawOutlined(painter, QRectF(0, size.height() * 0.58, size.width(), size.height() * 0.36),
                 fittedFont(authors, size.width() - 20, 11, QFont::Bold), authors, Qt::white);
}

} // namespace

// The icon: the figure's head and shoulders on the logo's navy.
QPixmap drawIcon(int pixels)
{
    QPixmap pixmap(pixels, pixels);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(pixels / 32.0, pixels / 32.0);
    painter.setPen(Qt::NoPen);
    painter.setBrush(navy);
    painter.drawRoundedRect(QRectF(0, 0, 32, 32), 5, 5);
    QPainterPath figure;
    figure.addEllipse(QPointF(16, 10), 5.5, 6);
    figure.addRoundedRect(QRectF(6.5, 17, 19, 15), 5, 5);
    painter.setPen(QPen(Qt::white, pixels < 24 ? 2.0 : 1.5));
    painter.setBrush(QColor(0x3c, 0xc0, 0x4c));
    painter.setClipRect(QRectF(0, 0, 32, 29.5));
    painter.drawPath(figure.simplified());
    return pixmap;
}

QSize bitmapSize(int bitmapId)
{
    switch (bitmapId) {
    case 137:
        return {48, 72};
    case 138:
        return {88, 50};
    case 143:
        return {336, 77};
    case 146:
        return {317, 159};
    default:
        return {};
    }
}

QPixmap drawBitmap(int bitmapId, qreal devicePixelRatio)
{
    const QSize size = bitmapSize(bitmapId);
    QPixmap pixmap(size * devicePixelRatio);
    pixmap.setDevicePixelRatio(devicePixelRatio);
    pixmap.fill(Qt::black);
    QPainter painter(&pixmap);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    switch (bitmapId) {
    case 137:
        paintFigure(painter, size);
        break;
    case 138:
        paintLogo(painter, size);
        break;
    case 143:
        paintBanner(painter, QRectF(QPointF(), size));
        break;
    case 146:
        paintCredits(painter, size);
        break;
    default:
        break;
    }
    return pixmap;
}

QString predrawnBitmapName(int bitmapId, qreal devicePixelRatio)
{
    return QStringLiteral("bitmap%1@%2x.rgb32").arg(bitmapId).arg(devicePixelRatio);
}

QString predrawnIconName(int pixels)
{
    return QStringLiteral("icon%1.argb32").arg(pixels);
}

namespace {

bool writePixels(const QPixmap &picture, QImage::Format format, const QString &path)
{
    const QImage image = picture.toImage().convertToFormat(format);
    QFile file(path);
    return file.open(QIODevice::WriteOnly)
           && file.write(reinterpret_cast<const char *>(image.constBits()), image.sizeInBytes()) == image.sizeInBytes()
           && file.flush();
}

} // namespace

bool writePredrawnArtwork(const QString &folder)
{
    const QDir into(folder);
    if (!into.mkpath(QStringLiteral(".")))
        return false;
    bool written = true;
    for (int id : predrawnBitmapIds) {
        for (qreal ratio : predrawnRatios)
            written = written
                      && writePixels(drawBitmap(id, ratio), QImage::Format_RGB32,
                                     into.filePath(predrawnBitmapName(id, ratio)));
    }
    for (int pixels : windowIconSizes)
        written = written
                  && writePixels(drawIcon(pixels), QImage::Format_ARGB32_Premultiplied,
                                 into.filePath(predrawnIconName(pixels)));
    return written;
}
