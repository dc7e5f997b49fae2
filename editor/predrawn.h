#pragma once

#include <QIcon>
#include <QPixmap>

// The pictures as the build drew them, or drawn now for a device pixel ratio
// the build did not draw them for.
QPixmap predrawnBitmap(int bitmapId, qreal devicePixelRatio);

// The window icon at the sizes the build drew; the files load when shown.
QIcon programIcon();
