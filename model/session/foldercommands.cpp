#include "foldercommands.h"

#include "classesondisk.h"
#include "samplecopy.h"

#include "classdata/format/classfilereader.h"

#include <algorithm>

namespace tolvane {

namespace fs = std::filesystem;

namespace {

const char *const noGameFolder = "No game folder. Choose one with File > Open Folder (Ctrl+O).";
const std::string copyTitle = "Copy Samples";

std::string namesOf(const std::vector<std::string> &names)
{
    std::string text;
    for (const std::string &name : names)
        text += (text.empty() ? "" : " and ") + name;
    return text;
}

} // namespace

FirstFolder firstFolder(const StartFolder &start, const std::vector<fs::path> &recent, const fs::path &programFolder)
{
    FirstFolder first{start.folder};
    if (start.origin == FolderOrigin::WorkingDirectory && start.folder.check() == GameFolder::Problem::None
        && (!start.folder.holdsGameFiles(true) || insideFolder(start.folder.path(), programFolder))) {
        first.folder = recent.empty() ? GameFolder() : GameFolder::at(recent.front());
        first.ask = recent.empty();
    }
    if (first.folder.resolved() && insideFolder(first.folder.path(), programFolder)) {
        first.refused = first.folder.path();
        first.folder = GameFolder();
        first.ask = true;
    }
    return first;
}

void FolderCommands::askForGameFolder(const fs::path &refused)
{
    if (!refused.empty()) {
        if (!refuseProgramFolder(refused))
            session.formView().setStatus(noGameFolder);
        return;
    }
    // The line behind the chooser says it too, where a chooser shows no title.
    const std::string explained = "Choose the game folder: the mod folder with the class files";
    session.formView().setStatus(explained + ".");
    const std::optional<fs::path> chosen = session.questions().chooseFolder(places.documentsFolder, explained);
    if (!chosen || !openFolder(GameFolder::at(*chosen)))
        session.formView().setStatus(noGameFolder);
}

void FolderCommands::chooseFolder()
{
    const fs::path &name = session.folder().name();
    if (const std::optional<fs::path> chosen = session.questions().chooseFolder(
            name.empty() ? places.documentsFolder : name, "Open Folder"))
        openFolder(GameFolder::at(*chosen));
}

bool FolderCommands::openFolder(const GameFolder &folder)
{
    // A folder that cannot be used is the session's to report.
    if (folder.check() == GameFolder::Problem::None && inProgramFolder(folder.path()))
        return refuseProgramFolder(folder.path());
    return session.openFolder(folder);
}

bool FolderCommands::inProgramFolder(const fs::path &folder) const
{
    return insideFolder(folder, places.programFolder);
}

bool FolderCommands::refuseProgramFolder(const fs::path &folder)
{
    std::error_code error;
    const std::string where = fs::equivalent(folder, places.programFolder, error)
                                  ? displayText(folder) + " is the program's own folder"
                                  : displayText(folder) + " is in the program's own folder, "
                                        + displayText(places.programFolder);
    const std::string question = where
                                 + ": what is there goes when the program is removed or updated, so it is no game "
                                   "folder.\n\nCopy the sample class files into a folder of your own and open that?";
    if (session.questions().ask({question, Questions::Choices::YesNo, Questions::Answer::Yes})
        == Questions::Answer::Yes)
        return copySamples();
    session.formView().setStatus(where + "; it was not opened.");
    return false;
}

bool FolderCommands::copySamples()
{
    Questions &questions = session.questions();
    const fs::path samples = samplesBeside(places.programFolder);
    std::error_code error;
    if (places.programFolder.empty() || !fs::is_regular_file(samples / classFileName(1), error)) {
        questions.tell({Questions::Icon::Warning, copyTitle,
                        "No sample class files came with this program"
                            + (places.programFolder.empty() ? "." : ": " + displayText(samples) + " holds none.")});
        return false;
    }
    // The line behind the chooser says it too, where a chooser shows no title.
    const std::string explained = "Copy the samples into a new folder \"" + std::string(sampleFolderName)
                                  + "\" in the folder you choose";
    session.formView().setStatus(explained + ".");
    const std::optional<fs::path> chosen = questions.chooseFolder(places.documentsFolder, explained);
    if (!chosen) {
        session.formView().setStatus("No samples were copied.");
        return false;
    }
    const fs::path folder = chosen->filename() == fs::path(sampleFolderName) ? *chosen : *chosen / sampleFolderName;
    if (inProgramFolder(folder)) {
        questions.tell({Questions::Icon::Warning, copyTitle,
                        "The samples are not copied into the program's own folder, " + displayText(places.programFolder)
                            + ": what is there goes when the program is removed or updated.\n\nNothing was copied."});
        return false;
    }
    const SampleCopy copy = copySampleFiles(samples, folder);
    if (copy.error) {
        questions.tell({Questions::Icon::Warning, copyTitle,
                        displayText(copy.failed) + " could not be written: " + copy.error.message() + "."
                            + (copy.copied.empty() ? "" : "\n\nCopied: " + namesOf(copy.copied) + ".")});
        return false;
    }
    std::string done = "The samples are in " + displayText(folder);
    if (!copy.kept.empty())
        done += copy.kept.size() == 1 ? " (" + copy.kept.front() + " was there already and is kept as it was)"
                                      : " (" + namesOf(copy.kept) + " were there already and are kept as they were)";
    const bool opened = session.openFolder(GameFolder::at(folder));
    session.formView().setStatus(done + (opened ? "." : "; that folder was not opened."));
    return opened;
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
