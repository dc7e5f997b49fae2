#pragma once

#include <optional>

#include <QApplication>

#include <filesystem>
#include <vector>

// The application object: runs the editor window, not modally, so that the
// questions over it are the program's only modal windows; when the window
// ends, the program ends.
class CreatorApp : public QApplication
{
    Q_OBJECT

public:
    CreatorApp(int &argc, char **argv);

    // Runs the editor window on the game folder the command line names until
    // it ends.
    void runEditor();

    // 0, or 2 after a command line it did not understand.
    int exitCode() const { return startError; }

private:
    // The arguments after the program name, as the system gave them.
    std::vector<std::filesystem::path> arguments;
    int startError = 0;
};

// "--help" or "--version" alone: writes the usage or the version to standard
// output and gives the exit status, before any window or display is needed;
// nullopt for any other command line.
std::optional<int> answerHelpOrVersion(int argc, char **argv);

// Without a display to open the window on, says so in one line on standard
// error and gives exit status 2, where Qt would abort; nullopt when there is
// one (or a platform is chosen with QT_QPA_PLATFORM or -platform).
std::optional<int> refuseWithoutDisplay(int argc, char **argv);
