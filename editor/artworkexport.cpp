// Draws the pictures and the window icon into a folder, for the editor to
// embed: bitmap<ID>@<RATIO>x.rgb32, the picture's pixels as QImage's
// Format_RGB32 holds them, row after row, and icon<N>.png.

#include "artwork.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>

#include <cstdio>

namespace {

bool writePixels(const QPixmap &picture, const QString &path)
{
    const QImage image = picture.toImage().convertToFormat(QImage::Format_RGB32);
    QFile file(path);
    return file.open(QIODevice::WriteOnly)
           && file.write(reinterpret_cast<const char *>(image.constBits()), image.sizeInBytes()) == image.sizeInBytes()
           && file.flush();
}

} // namespace

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
            written = written && writePixels(drawBitmap(id, ratio), folder.filePath(predrawnBitmapName(id, ratio)));
    }
    for (int pixels : windowIconSizes)
        written = written && drawIcon(pixels).save(folder.filePath(predrawnIconName(pixels)));
    if (!written)
        std::fprintf(stderr, "cannot write the pictures into %s\n", argv[1]);
    return written ? 0 : 1;
}
