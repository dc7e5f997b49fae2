#pragma once

#include "editorsession.h"

#include <filesystem>
#include <optional>
#include <vector>

namespace tolvane {

// Choosing the game folder: File > Open Folder, and the chooser at the first
// start, when no folder is known.
class FolderCommands
{
public:
    explicit FolderCommands(EditorSession &session) : session(session) {}

    void chooseFolder();
    // Once the window shows, when the start found no game folder: the folder
    // chooser; Cancel leaves the form empty and says how to choose later.
    void askForGameFolder();

private:
    EditorSession &session;
};

struct StartFolder
{
    GameFolder folder;
    FolderOrigin origin;
    // The team whose class file the command line named: its file is loaded.
    std::optional<Team> team = {};
};

// The game folder a command line names: none (the working directory), FOLDER,
// a class file in it (as Explorer passes a file dropped on the program; a
// team's file, in any case of letters, gives its team) or --recent (the
// first of recent). nullopt for a command line not understood.
std::optional<StartFolder> startFolderOf(const std::vector<std::filesystem::path> &arguments,
                                         const std::vector<std::filesystem::path> &recent);

// The team whose class file file is by its name, in any case of letters.
std::optional<Team> teamOfClassFile(const std::filesystem::path &file);

// The folder of a file or folder dropped on the window; empty when it names none.
std::filesystem::path droppedFolder(const std::filesystem::path &dropped);

} // namespace tolvane
