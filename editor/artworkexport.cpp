// Draws the pictures and the window icon into a folder, for the editor to
// embed: bitmap<ID>@<RATIO>x.rgb32 and icon<N>.argb32, their pixels as
// QImage's Format_RGB32 and Format_ARGB32_Premultiplied hold them, row after
// row.

#include "artwork.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>

#include <cstdio>

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
            written = written
                      && writePixels(drawBitmap(id, ratio), QImage::Format_RGB32,
                                     folder.filePath(predrawnBitmapName(id, ratio)));
    }
    for (int pixels : windowIconSizes)
        written = written
                  && writePixels(drawIcon(pixels), QImage::Format_ARGB32_Premultiplied,
                                 folder.filePath(predrawnIconName(pixels)));
    if (!written)
        std::fprintf(stderr, "cannot write the pictures into %s\n", argv[1]);
    return written ? 0 : 1;
}
