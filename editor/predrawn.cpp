#include "predrawn.h"

#include "artwork.h"

QPixmap predrawnBitmap(int bitmapId, qreal devicePixelRatio)
{
    QPixmap pixmap(QStringLiteral(":/artwork/") + predrawnBitmapName(bitmapId, devicePixelRatio));
    if (pixmap.isNull())
        return drawBitmap(bitmapId, devicePixelRatio);
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
