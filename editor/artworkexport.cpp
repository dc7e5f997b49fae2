// Draws the pictures and the window icon as PNG files into a folder, for the
// editor to embed: bitmap<ID>@<RATIO>x.png and icon<N>.png.

#include "artwork.h"

#include <QDir>
#include <QGuiApplication>

#include <cstdio>

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.mkpath(QStringLiteral(".")))
        return 1;
    bool written = true;
    for (int id : predrawnBitmapIds) {
        for (qreal ratio : predrawnRatios)
            written = written && drawBitmap(id, ratio).save(folder.filePath(predrawnBitmapName(id, ratio)));
    }
    for (int pixels : windowIconSizes)
        written = written && drawIcon(pixels).save(folder.filePath(predrawnIconName(pixels)));
    if (!written)
        std::fprintf(stderr, "cannot write the pictures into %s\n", argv[1]);
    return written ? 0 : 1;
}
