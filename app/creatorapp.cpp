#include "creatorapp.h"

#include "creatordialog.h"
#include "nativepath.h"
#include "recentfolders.h"

#include <cstdio>
#include <optional>
#include <string_view>

namespace {

const char *const usage = "Usage: tolvane-class-creator [FOLDER | --recent]\n"
                          "       tolvane-class-creator --help | --version\n"
                          "Edits the class files in FOLDER (default: the working directory).\n"
                          "  --recent       opens the folder used last (the working directory when none)\n"
                          "  -h, --help     shows this text\n"
                          "  -v, --version  shows the version\n";

// The game folder the command line names: none, FOLDER or --recent.
std::optional<GameFolder> folderFromArguments(const std::vector<std::filesystem::path> &arguments)
{
    if (arguments.empty())
        return GameFolder::Working();
    if (arguments.size() > 1)
        return std::nullopt;
    if (arguments.front() == "--recent") {
        const std::vector<std::filesystem::path> recent = RecentFolders();
        return recent.empty() ? GameFolder::Working() : GameFolder::At(recent.front());
    }
    if (arguments.front().native().starts_with('-'))
        return std::nullopt;
    return GameFolder::At(arguments.front());
}

} // namespace

std::optional<int> answerHelpOrVersion(int argc, char **argv)
{
    if (argc != 2)
        return std::nullopt;
    const std::string_view argument = argv[1];
    const char *answer = nullptr;
    if (argument == "-h" || argument == "--help")
        answer = usage;
    else if (argument == "-v" || argument == "--version")
        answer = "tolvane-class-creator " TOLVANE_VERSION "\n";
    else
        return std::nullopt;
    const bool written = std::fputs(answer, stdout) >= 0 && std::fflush(stdout) == 0;
    return written ? 0 : 2;
}

CreatorApp::CreatorApp(int &argc, char **argv)
    : QApplication(argc, argv)
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

bool CreatorApp::runEditor()
{
    // The class files and the settings file are those of the game folder,
    // fixed now; the settings reports go to standard output.
    const std::optional<GameFolder> folder = folderFromArguments(arguments);
    if (!folder) {
        std::fputs(usage, stderr);
        startError = 2;
        return false;
    }
    CreatorDialog dialog(*folder, [](std::string_view line) {
        std::fwrite(line.data(), 1, line.size(), stdout);
        std::fflush(stdout);
    });
    dialog.exec();
    return false;
}
