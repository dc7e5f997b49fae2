#include "creatorapp.h"

#include "creatordialog.h"
#include "nativepath.h"
#include "recentfolders.h"

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string_view>

using namespace tolvane;

namespace {

const char *const usage = "Usage: tolvane-class-creator [FOLDER | CLASS-FILE | --recent]\n"
                          "       tolvane-class-creator --help | --version\n"
                          "Edits the class files in FOLDER, or in the folder of CLASS-FILE with the\n"
                          "team of CLASS-FILE active and its classes loaded (tvcc.cfg stays as it is).\n"
                          "Without either: the working directory when it holds a class file or\n"
                          "tvcc.cfg, else the folder used last, else a folder the user chooses.\n"
                          "  --recent       opens the folder used last\n"
                          "  -h, --help     shows this text\n"
                          "  -V, --version  shows the version\n";

const char *const noDisplay = "tolvane-class-creator: no display to open the window on: set DISPLAY or "
                              "WAYLAND_DISPLAY, or start it under xvfb-run\n";

// Whether Qt will find a screen. On Windows and macOS there always is one;
// elsewhere an X or Wayland display, or a platform chosen by hand.
bool hasDisplay(int argc, char **argv)
{
#if defined(_WIN32) || defined(__APPLE__)
    (void)argc;
    (void)argv;
    return true;
#else
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        const char *value = std::getenv(name);
        if (value && *value)
            return true;
    }
    for (int i = 1; i + 1 < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "-platform" || argument == "--platform")
            return true;
    }
    return false;
#endif
}

// Writes text to stream; the exit status that follows.
int answer(const char *text, std::FILE *stream, int status)
{
    const bool written = std::fputs(text, stream) >= 0 && std::fflush(stream) == 0;
    return written ? status : 2;
}

} // namespace

std::optional<int> answerHelpOrVersion(int argc, char **argv)
{
    if (argc != 2)
        return std::nullopt;
    const std::string_view argument = argv[1];
    if (argument == "-h" || argument == "--help")
        return answer(usage, stdout, 0);
    // -v as well, as earlier versions took it.
    if (argument == "-V" || argument == "--version" || argument == "-v")
        return answer("tolvane-class-creator " TOLVANE_VERSION "\n", stdout, 0);
    return std::nullopt;
}

std::optional<int> refuseWithoutDisplay(int argc, char **argv)
{
    if (hasDisplay(argc, argv))
        return std::nullopt;
    return answer(noDisplay, stderr, 2);
}

CreatorApp::CreatorApp(int &argc, char **argv) : QApplication(argc, argv)
{
    setApplicationName(QStringLiteral("Tolvane Class Creator"));
    // Qt's own arguments are gone from argv now. The rest stay native bytes:
    // a folder name need not be valid text.
#ifdef _WIN32
    for (const QString &argument : QCoreApplication::arguments().mid(1))
        arguments.push_back(pathFromQt(argument));
#else
    for (int i = 1; i < argc; ++i)
        arguments.emplace_back(argv[i]);
#endif
}

void CreatorApp::runEditor()
{
    // The class files and the settings file are those of the game folder,
    // fixed now; the settings reports go to standard output.
    const std::optional<StartFolder> start = startFolderOf(arguments, recentFolders());
    if (!start) {
        std::fputs(usage, stderr);
        startError = 2;
        return;
    }
    const auto report = [](std::string_view line) {
        std::fwrite(line.data(), 1, line.size(), stdout);
        std::fflush(stdout);
    };
    CreatorDialog dialog(start->folder, report, start->origin, start->team);
    connect(&dialog, &CreatorDialog::finished, this, &QCoreApplication::quit);
    // Not modal, so the window asks for the focus itself, as a modal one
    // gets it (a display without a window manager gives it none).
    dialog.show();
    dialog.activateWindow();
    exec();
}
