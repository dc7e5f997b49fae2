#pragma once

#include <QPixmap>
#include <QString>

// The program's pictures, drawn in code so that they stay sharp at every
// device pixel ratio. Ids are those the dialog templates name: 137 the armour
// figure, 138 the authors' logo, 143 the title banner, 146 the banner with
// the credits. The build draws those of the editor window once for ratios 1
// and 2 (see predrawn.h), so that starting the editor draws nothing before its
// first paint. The about box draws its own when it opens.

inline constexpr int bitmapIds[] = {137, 138, 143, 146};
inline constexpr int predrawnBitmapIds[] = {137, 138, 143};
inline constexpr qreal predrawnRatios[] = {1, 2};
// Icon 128, the window icon: 16 and 32 pixels, and 64 for high-DPI screens.
inline constexpr int windowIconSizes[] = {16, 32, 64};

// The size of a bitmap in device-independent pixels; empty for an unknown id.
QSize bitmapSize(int bitmapId);

// The bitmap drawn for a screen of the given device pixel ratio.
QPixmap drawBitmap(int bitmapId, qreal devicePixelRatio);

// The program icon drawn at pixels x pixels.
QPixmap drawIcon(int pixels);

// File names of the pictures drawn at build time.
QString predrawnBitmapName(int bitmapId, qreal devicePixelRatio);
QString predrawnIconName(int pixels);

// Draws the pictures the build embeds into folder, made if need be, as
// bitmap<ID>@<RATIO>x.rgb32 and icon<N>.argb32: their pixels as QImage's
// Format_RGB32 and Format_ARGB32_Premultiplied hold them, row after row.
// False when one could not be written.
bool writePredrawnArtwork(const QString &folder);
