#include "predrawn.h"

#include "artwork.h"

#include <QResource>

#include <algorithm>
#include <cstring>
#include <iterator>

namespace {

// A picture or icon the build drew: its pixels as the window keeps them,
// shown from the program file where they are stored as they are, else
// unpacked; null where the program holds none of that size.
QPixmap predrawnPixels(const QString &name, QSize size, QImage::Format format)
{
    const QResource resource(QStringLiteral(":/artwork/") + name);
    if (!resource.isValid())
        return {};
    if (resource.compressionAlgorithm() == QResource::NoCompression) {
        const QImage stored(resource.data(), size.width(), size.height(), format);
        return resource.size() == stored.sizeInBytes() ? QPixmap::fromImage(stored) : QPixmap();
    }
    const QByteArray pixels = resource.uncompressedData();
    QImage image(size, format);
    if (pixels.size() != image.sizeInBytes())
        return {};
    std::memcpy(image.bits(), pixels.constData(), std::size_t(image.sizeInBytes()));
    return QPixmap::fromImage(std::move(image));
}

} // namespace

bool isStandIn(int bitmapId, qreal devicePixelRatio)
{
    return std::ranges::count(predrawnBitmapIds, bitmapId) && !std::ranges::count(predrawnRatios, devicePixelRatio);
}

QPixmap predrawnBitmap(int bitmapId, qreal devicePixelRatio)
{
    if (!std::ranges::count(predrawnBitmapIds, bitmapId))
        return drawBitmap(bitmapId, devicePixelRatio);
    const qreal *nearest = std::ranges::lower_bound(predrawnRatios, devicePixelRatio);
    if (nearest == std::end(predrawnRatios))
        --nearest;
    QPixmap pixmap = predrawnPixels(predrawnBitmapName(bitmapId, *nearest), bitmapSize(bitmapId) * *nearest,
                                    QImage::Format_RGB32);
    if (pixmap.isNull())
        return drawBitmap(bitmapId, devicePixelRatio);
    if (*nearest != devicePixelRatio) {
        pixmap = pixmap.scaled(bitmapSize(bitmapId) * devicePixelRatio, Qt::IgnoreAspectRatio,
                               Qt::SmoothTransformation);
    }
    pixmap.setDevicePixelRatio(devicePixelRatio);
    return pixmap;
}

QIcon programIcon()
{
    QIcon icon;
    for (int pixels : windowIconSizes)
        icon.addPixmap(
            predrawnPixels(predrawnIconName(pixels), QSize(pixels, pixels), QImage::Format_ARGB32_Premultiplied));
    return icon;
}
