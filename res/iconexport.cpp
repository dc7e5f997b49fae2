// Writes the program icon for installing:
//   tolvane-icon-export FOLDER      PNG files FOLDER/NxN/apps/tolvane-class-creator.png
//   tolvane-icon-export --ico FILE  a Windows .ico holding the same sizes

#include "artwork.h"

#include <QBuffer>
#include <QDir>
#include <QGuiApplication>
#include <QSaveFile>

#include <cstdio>

namespace {

constexpr int iconSizes[] = {16, 24, 32, 48, 64, 128, 256};

bool writeTheme(const QString &theme)
{
    for (int pixels : iconSizes) {
        const QString size = QStringLiteral("%1x%1").arg(pixels);
        const QDir folder(theme + QStringLiteral("/%1/apps").arg(size));
        if (!folder.mkpath(QStringLiteral("."))
            || !drawIcon(pixels).save(folder.filePath(QStringLiteral("tolvane-class-creator.png")))) {
            std::fprintf(stderr, "cannot write the %s icon\n", qPrintable(size));
            return false;
        }
    }
    return true;
}

void appendLittleEndian(QByteArray &bytes, quint32 value, int size)
{
    for (int i = 0; i < size; ++i)
        bytes.append(char((value >> (8 * i)) & 0xFF));
}

// An icon directory whose images are PNG files, as Windows reads them since Vista.
bool writeIco(const QString &path)
{
    constexpr int count = int(std::size(iconSizes));
    QByteArray directory, images;
    appendLittleEndian(directory, 0, 2);
    appendLittleEndian(directory, 1, 2); // an icon, not a cursor
    appendLittleEndian(directory, count, 2);
    for (int pixels : iconSizes) {
        QByteArray png;
        QBuffer buffer(&png);
        if (!buffer.open(QIODevice::WriteOnly) || !drawIcon(pixels).save(&buffer, "PNG"))
            return false;
        const char side = char(pixels < 256 ? pixels : 0); // 0 stands for 256
        directory.append(side).append(side).append(char(0)).append(char(0));
        appendLittleEndian(directory, 1, 2);  // colour planes
        appendLittleEndian(directory, 32, 2); // bits per pixel
        appendLittleEndian(directory, quint32(png.size()), 4);
        appendLittleEndian(directory, quint32(6 + 16 * count + images.size()), 4);
        images += png;
    }
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(directory + images) == directory.size() + images.size()
           && file.commit();
}

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.size() == 2 && args[0] == QLatin1String("--ico")) {
        if (writeIco(args[1]))
            return 0;
        std::fprintf(stderr, "cannot write %s\n", qPrintable(args[1]));
        return 1;
    }
    if (args.size() != 1 || args[0].startsWith(QLatin1Char('-'))) {
        std::fprintf(stderr, "usage: %s FOLDER | --ico FILE\n", argv[0]);
        return 2;
    }
    return writeTheme(args[0]) ? 0 : 1;
}
