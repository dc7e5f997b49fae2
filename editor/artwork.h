#pragma once

#include <QIcon>
#include <QPixmap>

// The program's pictures, drawn in code so that they stay sharp at every
// device pixel ratio. Ids are those the dialog templates name: 137 the armour
// figure, 138 the authors' logo, 143 the title banner, 146 the banner with
// the credits.

// The size of a bitmap in device-independent pixels; empty for an unknown id.
QSize bitmapSize(int bitmapId);

// The bitmap drawn for a screen of the given device pixel ratio.
QPixmap drawBitmap(int bitmapId, qreal devicePixelRatio);

// Icon 128, the window icon: 16 and 32 pixels, and 64 for high-DPI screens.
QIcon programIcon();

// The program icon drawn at pixels x pixels, for the installed icon theme.
QPixmap drawIcon(int pixels);
