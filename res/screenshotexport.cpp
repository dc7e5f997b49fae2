// Draws the editor window, with the first class of the sample files loaded,
// as the PNG file that the AppStream metadata shows:
//   tolvane-screenshot-export SAMPLE_FOLDER FILE
// The samples are read from a copy, and the settings (recent folders) go to a
// scratch folder, so that drawing it changes nothing outside FILE.

#include "creatordialog.h"
#include "nativepath.h"
#include "classdata/files/safesave.h"

#include <QApplication>
#include <QBuffer>
#include <QPixmap>
#include <QSettings>
#include <QTemporaryDir>

#include <cstdio>
#include <filesystem>
#include <system_error>

using namespace tolvane;

namespace fs = std::filesystem;

namespace {

bool copySamples(const fs::path &from, const fs::path &to)
{
    std::error_code error;
    for (const char *name : {"tvclass_seals.cfg", "tvclass_tangos.cfg"}) {
        if (!fs::copy_file(from / name, to / name, error))
            return false;
    }
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s SAMPLE_FOLDER FILE\n", argv[0]);
        return 2;
    }
    QTemporaryDir scratch;
    const fs::path game = pathFromQt(scratch.path()) / "game";
    std::error_code error;
    if (!scratch.isValid() || !fs::create_directory(game, error) || !copySamples(fs::absolute(argv[1]), game)) {
        std::fprintf(stderr, "cannot copy the sample class files from %s\n", argv[1]);
        return 1;
    }
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, scratch.filePath(QStringLiteral("settings")));

    CreatorDialog window(GameFolder::at(game), [](std::string_view) {});
    window.session().loadConfig();
    window.show();
    QApplication::processEvents();

    QByteArray png;
    QBuffer buffer(&png);
    if (!buffer.open(QIODevice::WriteOnly) || !window.grab().save(&buffer, "PNG")
        || !saveFileAtomically(fs::absolute(argv[2]), std::string_view(png.constData(), png.size()))) {
        std::fprintf(stderr, "cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
