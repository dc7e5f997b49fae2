// Writes the program icon as PNG files into an icon theme folder, for
// installing: FOLDER/NxN/apps/tolvane-class-creator.png.

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
    for (int pixels : {16, 24, 32, 48, 64, 128, 256}) {
        const QString size = QStringLiteral("%1x%1").arg(pixels);
        const QDir folder(QString::fromLocal8Bit(argv[1]) + QStringLiteral("/%1/apps").arg(size));
        if (!folder.mkpath(QStringLiteral("."))
            || !drawIcon(pixels).save(folder.filePath(QStringLiteral("tolvane-class-creator.png")))) {
            std::fprintf(stderr, "cannot write the %s icon\n", qPrintable(size));
            return 1;
        }
    }
    return 0;
}
