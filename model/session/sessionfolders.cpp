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

// Whether a class file or the settings file is in folder: whether it looks
// like a game folder at all.
bool holdsGameFiles(const GameFolder &folder, bool settingsToo)
{
    std::error_code error;
    for (std::string_view name : {classFileName(1), classFileName(0), settingsFileName}) {
        if ((settingsToo || name != settingsFileName) && fs::exists(folder.file(name), error))
            return true;
    }
    return false;
}

} // namespace

void EditorSession::start(FolderOrigin origin)
{
    if (origin == FolderOrigin::WorkingDirectory && gameFolder.check() == GameFolder::Problem::None
        && (!holdsGameFiles(gameFolder, true) || inProgramFolder(gameFolder.path()))) {
        const std::vector<fs::path> recent = services.recentFolders();
        gameFolder = recent.empty() ? GameFolder() : GameFolder::at(recent.front());
        folderWanted = recent.empty();
    }
    if (gameFolder.resolved() && inProgramFolder(gameFolder.path())) {
        refusedAtStart = gameFolder.path();
        gameFolder = GameFolder();
        folderWanted = true;
    }
    FormValues form = view.form();
    startInFolder(form);
}

void EditorSession::askForGameFolder()
{
    if (!std::exchange(folderWanted, false))
        return;
    if (!refusedAtStart.empty()) {
        if (!refuseProgramFolder(std::exchange(refusedAtStart, {})))
            view.setStatus("No game folder. Choose one with File > Open Folder (Ctrl+O).");
        return;
    }
    // The line behind the chooser says it too, where a chooser shows no title.
    const std::string explained = "Choose the game folder: the mod folder with the class files";
    view.setStatus(explained + ".");
    const std::optional<fs::path> chosen = view.chooseFolder(services.documentsFolder, explained);
    if (!chosen || !openFolder(GameFolder::at(*chosen)))
        view.setStatus("No game folder. Choose one with File > Open Folder (Ctrl+O).");
}

// A class file is never written into a folder that holds none, unless the
// user says so; No is the default.
bool EditorSession::confirmFirstClassFile(const fs::path &path)
{
    return holdsGameFiles(gameFolder, false)
           || view.ask({"The folder " + displayText(gameFolder.path()) + " holds no class file.\nWrite "
                            + displayText(path.filename()) + " there as a new class file?",
                        EditorView::Choices::YesNo, EditorView::Answer::No, true})
                  == EditorView::Answer::Yes;
}

std::string displayText(const fs::path &path)
{
#ifdef _WIN32
    const std::u8string text = fs::path(path).make_preferred().u8string();
    return std::string(text.begin(), text.end());
#else
    return path.native();
#endif
}

// False, after a warning that points to Open Folder, when the folder cannot
// be used now.
bool EditorSession::folderUsable()
{
    std::error_code error;
    const GameFolder::Problem problem = gameFolder.check(&error);
    if (problem == GameFolder::Problem::None)
        return true;
    view.tell({EditorView::Icon::Warning, "Game Folder",
               problemText(gameFolder, problem, error) + "\n\n" + chooseAnother + "\nNothing was read or written."});
    return false;
}

bool EditorSession::openFolder(const GameFolder &folder)
{
    std::error_code error;
    if (const GameFolder::Problem problem = folder.check(&error); problem != GameFolder::Problem::None) {
        view.tell({EditorView::Icon::Warning, "Game Folder",
                   problemText(folder, problem, error) + "\n\nThe game folder stays " + displayText(gameFolder.name())
                       + "."});
        return false;
    }
    if (inProgramFolder(folder.path()))
        return refuseProgramFolder(folder.path());
    FormValues form = view.form();
    if (!settleUnsavedChanges(form))
        return false;
    gameFolder = folder;
    startInFolder(form);
    return true;
}

void EditorSession::chooseFolder()
{
    const fs::path start = gameFolder.name().empty() ? services.documentsFolder : gameFolder.name();
    if (const std::optional<fs::path> chosen = view.chooseFolder(start, "Open Folder"))
        openFolder(GameFolder::at(*chosen));
}

// Windows names a file "TVCLAS~1.CFG" or "TVCLASS_SEALS.CFG" as readily as
// in small letters.
fs::path EditorSession::droppedFolder(const fs::path &dropped)
{
    std::error_code error;
    if (fs::is_directory(dropped, error))
        return dropped;
    const fs::path extension = dropped.extension();
    const auto sameLetter = [](fs::path::value_type a, char b) {
        return (a >= 'A' && a <= 'Z' ? a - 'A' + 'a' : a) == b;
    };
    if (fs::is_regular_file(dropped, error)
        && std::ranges::equal(extension.native(), std::string_view(".cfg"), sameLetter))
        return dropped.parent_path();
    return {};
}

std::optional<StartFolder> startFolderOf(const std::vector<fs::path> &arguments, const std::vector<fs::path> &recent)
{
    if (arguments.empty() || (arguments == std::vector<fs::path>{"--recent"} && recent.empty()))
        return StartFolder{GameFolder::working(), FolderOrigin::WorkingDirectory};
    if (arguments.size() > 1)
        return std::nullopt;
    if (arguments.front() == "--recent")
        return StartFolder{GameFolder::at(recent.front()), FolderOrigin::Named};
    if (arguments.front().native().starts_with('-'))
        return std::nullopt;
    GameFolder named = GameFolder::at(arguments.front());
    if (const fs::path folder = EditorSession::droppedFolder(named.path()); !folder.empty())
        named = GameFolder::at(folder);
    return StartFolder{named, FolderOrigin::Named};
}

// As a new run in the folder: the empty table, the settings file read there.
void EditorSession::startInFolder(FormValues &form)
{
    state().reset();
    changes = ChangeTracker(state());
    classesLoaded();
    fileProblems.clear();
    showRecord(form);
    showPosition();
    std::error_code error;
    const GameFolder::Problem problem = gameFolder.check(&error);
    const bool usable = problem == GameFolder::Problem::None;
    view.setStatus(usable ? std::string() : problemText(gameFolder, problem, error) + ' ' + chooseAnother);
    if (!usable || !readSettings(gameFolder.path(), state().sealsActive))
        services.report("Error opening " + std::string(settingsFileName) + "\n");
    showRecentFolders(usable);
    refreshIndicators(form);
    keptRecovery.clear();
    if (usable)
        offerRecovery();
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
