#include "predrawn.h"

#include "artwork.h"

#include <algorithm>
#include <iterator>

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
    QPixmap pixmap(QStringLiteral(":/artwork/") + predrawnBitmapName(bitmapId, *nearest));
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
        icon.addFile(QStringLiteral(":/artwork/") + predrawnIconName(pixels), QSize(pixels, pixels));
    return icon;
}
