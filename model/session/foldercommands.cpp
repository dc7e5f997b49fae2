#include "foldercommands.h"

#include "classdata/format/classfilereader.h"

#include <algorithm>

namespace tolvane {

namespace fs = std::filesystem;

void FolderCommands::askForGameFolder()
{
    // The line behind the chooser says it too, where a chooser shows no title.
    const std::string explained = "Choose the game folder: the mod folder with the class files";
    session.formView().setStatus(explained + ".");
    const std::optional<fs::path> chosen = session.questions().chooseFolder({}, explained);
    if (!chosen || !session.openFolder(GameFolder::at(*chosen)))
        session.formView().setStatus("No game folder. Choose one with File > Open Folder (Ctrl+O).");
}

void FolderCommands::chooseFolder()
{
    if (const std::optional<fs::path> chosen = session.questions().chooseFolder(session.folder().name(), "Open Folder"))
        session.openFolder(GameFolder::at(*chosen));
}

namespace {

// Whether name, in any case of letters, is lower (in small letters).
bool sameName(const fs::path::string_type &name, std::string_view lower)
{
    const auto sameLetter = [](fs::path::value_type a, char b) {
        return (a >= 'A' && a <= 'Z' ? a - 'A' + 'a' : a) == b;
    };
    return std::ranges::equal(name, lower, sameLetter);
}

} // namespace

std::optional<Team> teamOfClassFile(const fs::path &file)
{
    for (const Team team : {Team::Seals, Team::Tangos}) {
        if (sameName(file.filename().native(), classFileName(sealsFlag(team))))
            return team;
    }
    return std::nullopt;
}

// Windows names a file "TVCLAS~1.CFG" or "TVCLASS_SEALS.CFG" as readily as
// in small letters.
fs::path droppedFolder(const fs::path &dropped)
{
    std::error_code error;
    if (fs::is_directory(dropped, error))
        return dropped;
    if (fs::is_regular_file(dropped, error) && sameName(dropped.extension().native(), ".cfg"))
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
    std::optional<Team> team;
    if (const fs::path folder = droppedFolder(named.path()); !folder.empty()) {
        std::error_code error;
        if (!fs::is_directory(named.path(), error))
            team = teamOfClassFile(named.path());
        named = GameFolder::at(folder);
    }
    return StartFolder{named, FolderOrigin::Named, team};
}

} // namespace tolvane
