// The build's drawing of the pictures and the window icon that the editor
// embeds: tolvane-artwork-export FOLDER (see writePredrawnArtwork).

#include "artwork.h"

#include <QGuiApplication>

#include <cstdio>

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return 2;
    }
    if (writePredrawnArtwork(QString::fromLocal8Bit(argv[1])))
        return 0;
    std::fprintf(stderr, "cannot write the pictures into %s\n", argv[1]);
    return 1;
}
