#include "editorsession.h"

#include "classdata/format/classfilereader.h"
#include "classdata/files/settings.h"
#include "classdata/text/windows1252.h"

#include <algorithm>
#include <utility>

namespace tolvane {

namespace fs = std::filesystem;

namespace {

constexpr std::size_t recentFolderCount = 5;

std::string problemText(const GameFolder &folder, GameFolder::Problem problem, const std::error_code &error)
{
    const std::string name = displayText(folder.name());
    switch (problem) {
    case GameFolder::Problem::None:
        break;
    case GameFolder::Problem::NotChosen:
        return "No game folder is chosen.";
    case GameFolder::Problem::Unresolved:
        return name.empty() ? "The folder this program was started in cannot be found: it was deleted or moved, "
                              "or its path is too long."
                            : "The game folder " + name
                                  + " cannot be found: it was deleted or moved since the program was started "
                                    "there, or its path is too long.";
    case GameFolder::Problem::Missing:
        return "The game folder " + name + " does not exist (any more).";
    case GameFolder::Problem::NotAFolder:
        return name + " is not a folder.";
    case GameFolder::Problem::Unreachable:
        return "The game folder " + name + " cannot be used: " + error.message() + ".";
    }
    return {};
}

const char *const chooseAnother = "Choose the game folder with File > Open Folder (Ctrl+O).";

} // namespace

void EditorSession::start(std::optional<Team> named)
{
    namedTeam = named;
    FormValues form = view.form();
    startInFolder(form);
    if (namedTeam && gameFolder.check() == GameFolder::Problem::None && doc.changes().classesFile().empty())
        readActiveFile(form);
}

bool folderUsable(EditorSession &session)
{
    std::error_code error;
    const GameFolder &folder = session.folder();
    const GameFolder::Problem problem = folder.check(&error);
    if (problem == GameFolder::Problem::None)
        return true;
    session.questions().tell(
        {Questions::Icon::Warning, "Game Folder",
         problemText(folder, problem, error) + "\n\n" + chooseAnother + "\nNothing was read or written."});
    return false;
}

bool EditorSession::openFolder(const GameFolder &folder)
{
    std::error_code error;
    if (const GameFolder::Problem problem = folder.check(&error); problem != GameFolder::Problem::None) {
        ask.tell({Questions::Icon::Warning, "Game Folder",
                  problemText(folder, problem, error) + "\n\nThe game folder stays " + displayText(gameFolder.name())
                      + "."});
        return false;
    }
    FormValues form = view.form();
    if (!settleUnsavedChanges(form))
        return false;
    gameFolder = folder;
    namedTeam.reset();
    startInFolder(form);
    return true;
}

// As a new run in the folder: the empty table, the settings file read there.
void EditorSession::startInFolder(FormValues &form)
{
    doc.startAfresh();
    classesLoaded();
    showRecord(form);
    showPosition();
    std::error_code error;
    const GameFolder::Problem problem = gameFolder.check(&error);
    const bool usable = problem == GameFolder::Problem::None;
    view.setStatus(usable ? std::string() : problemText(gameFolder, problem, error) + ' ' + chooseAnother);
    settingsTeam.reset();
    if (!usable || !readSettings(gameFolder.path(), doc.state().sealsActive))
        services.report("Error opening " + std::string(settingsFileName) + "\n");
    else
        settingsTeam = teamOf(doc.state().sealsActive);
    if (namedTeam)
        doc.state().sealsActive = sealsFlag(*namedTeam);
    showRecentFolders(usable);
    refreshIndicators(form);
    tell([usable](SessionListener &listener) { listener.folderStarted(usable); });
}

// A usable folder goes first in the recent folders, at most five, each once.
void EditorSession::showRecentFolders(bool usable)
{
    recentFolders = services.recentFolders();
    const fs::path &folder = gameFolder.path();
    if (usable && (recentFolders.empty() || recentFolders.front() != folder)) {
        std::erase(recentFolders, folder);
        recentFolders.insert(recentFolders.begin(), folder);
        recentFolders.resize(std::min(recentFolders.size(), recentFolderCount));
        services.keepRecentFolders(recentFolders);
    }
    view.showFolders(gameFolder.name(), recentFolders);
}

} // namespace tolvane
