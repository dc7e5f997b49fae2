#pragma once

#include <QIcon>
#include <QPixmap>

// The picture as the build drew it for the device pixel ratio, or drawn now
// if the build did not draw it at all. For a ratio the build did not draw a
// picture for, a stand-in: its nearest larger drawing, scaled smoothly to the
// ratio's pixel size, until drawBitmap draws it sharp.
QPixmap predrawnBitmap(int bitmapId, qreal devicePixelRatio);

// Whether predrawnBitmap gives a stand-in for this picture at this ratio.
bool isStandIn(int bitmapId, qreal devicePixelRatio);

// The window icon at the sizes the build drew.
QIcon programIcon();
