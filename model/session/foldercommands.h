#pragma once

#include "editorsession.h"

#include <filesystem>
#include <optional>
#include <utility>
#include <vector>

namespace tolvane {

// How a run got its game folder: named (on the command line, by a dropped
// class file), or only as the working directory it was started from, which
// for a double-clicked program or a shortcut is the program's own folder.
enum class FolderOrigin { Named, WorkingDirectory };

struct StartFolder
{
    GameFolder folder;
    FolderOrigin origin;
    // The team whose class file the command line named: its file is loaded.
    std::optional<Team> team = {};
};

// Where the program stands, as the folder commands need it.
struct ProgramPlaces
{
    // The program's own folder, which holds the samples (samplecopy.h) and
    // is never a game folder; empty when not known.
    std::filesystem::path programFolder = {};
    // Where the folder choosers open when there is no game folder: the
    // user's documents, not the program's folder a double-click starts in.
    std::filesystem::path documentsFolder = {};
};

// The folder a run starts the session in, and what to ask once the window shows.
struct FirstFolder
{
    GameFolder folder;
    // No game folder was found: askForGameFolder should ask for one.
    bool ask = false;
    // A folder in the program's folder that was not opened; askForGameFolder
    // says why.
    std::filesystem::path refused = {};
};

// A working directory that holds no class file and no settings file, or is
// in the program's folder, is no game folder: the one used last (the first
// of recent) is started in instead, and with none, one is asked for. A
// folder in the program's folder, named or used last, is refused.
FirstFolder firstFolder(const StartFolder &start, const std::vector<std::filesystem::path> &recent,
                        const std::filesystem::path &programFolder);

// Choosing the game folder: File > Open Folder, a recent or dropped folder,
// the chooser at the first start, when no folder is known. The program's own
// folder is never one: Copy Samples copies its samples into a folder of the
// user's instead.
class FolderCommands
{
public:
    explicit FolderCommands(EditorSession &session, ProgramPlaces places = {})
        : session(session), places(std::move(places))
    {
    }

    void chooseFolder();
    // Once the window shows, when the start found no game folder: after a
    // refused start (FirstFolder::refused), why not and the offer to copy the
    // samples; else the folder chooser, opened in the documents folder.
    // Cancel leaves the form empty and says how to choose later.
    void askForGameFolder(const std::filesystem::path &refused = {});
    // EditorSession::openFolder, but a folder in the program's folder is
    // refused, with the offer to copy the samples and open the copy.
    bool openFolder(const GameFolder &folder);
    // Copy Samples: the samples beside the program go into a new folder
    // "Tolvane samples" in the folder the user picks (that folder itself when
    // it has that name), never over a file there, and it is opened. False
    // when it was not.
    bool copySamples();

private:
    bool inProgramFolder(const std::filesystem::path &folder) const;
    // Says why folder is not opened and offers the copy of the samples;
    // true when the copy was made and opened.
    bool refuseProgramFolder(const std::filesystem::path &folder);

    EditorSession &session;
    ProgramPlaces places;
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
