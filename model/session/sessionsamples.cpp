#include "editorsession.h"

#include "classdata/format/classfilereader.h"
#include "samplecopy.h"

namespace tolvane {

namespace fs = std::filesystem;

namespace {

const std::string copyTitle = "Copy Samples";

std::string namesOf(const std::vector<std::string> &names)
{
    std::string text;
    for (const std::string &name : names)
        text += (text.empty() ? "" : " and ") + name;
    return text;
}

} // namespace

bool EditorSession::inProgramFolder(const fs::path &folder) const
{
    return insideFolder(folder, services.programFolder);
}

bool EditorSession::refuseProgramFolder(const fs::path &folder)
{
    std::error_code error;
    const std::string where = fs::equivalent(folder, services.programFolder, error)
                                  ? displayText(folder) + " is the program's own folder"
                                  : displayText(folder) + " is in the program's own folder, "
                                        + displayText(services.programFolder);
    const std::string question = where
                                 + ": what is there goes when the program is removed or updated, so it is no game "
                                   "folder.\n\nCopy the sample class files into a folder of your own and open that?";
    if (view.ask({question, EditorView::Choices::YesNo, EditorView::Answer::Yes}) == EditorView::Answer::Yes)
        return copySamples();
    view.setStatus(where + "; it was not opened.");
    return false;
}

bool EditorSession::copySamples()
{
    const fs::path samples = samplesBeside(services.programFolder);
    std::error_code error;
    if (services.programFolder.empty() || !fs::is_regular_file(samples / classFileName(1), error)) {
        view.tell({EditorView::Icon::Warning, copyTitle,
                   "No sample class files came with this program"
                       + (services.programFolder.empty() ? "." : ": " + displayText(samples) + " holds none.")});
        return false;
    }
    // The line behind the chooser says it too, where a chooser shows no title.
    const std::string explained = "Copy the samples into a new folder \"" + std::string(sampleFolderName)
                                  + "\" in the folder you choose";
    view.setStatus(explained + ".");
    const std::optional<fs::path> chosen = view.chooseFolder(services.documentsFolder, explained);
    if (!chosen) {
        view.setStatus("No samples were copied.");
        return false;
    }
    const fs::path folder = chosen->filename() == fs::path(sampleFolderName) ? *chosen : *chosen / sampleFolderName;
    if (inProgramFolder(folder)) {
        view.tell({EditorView::Icon::Warning, copyTitle,
                   "The samples are not copied into the program's own folder, " + displayText(services.programFolder)
                       + ": what is there goes when the program is removed or updated.\n\nNothing was copied."});
        return false;
    }
    const SampleCopy copy = copySampleFiles(samples, folder);
    if (copy.error) {
        view.tell({EditorView::Icon::Warning, copyTitle,
                   displayText(copy.failed) + " could not be written: " + copy.error.message() + "."
                       + (copy.copied.empty() ? "" : "\n\nCopied: " + namesOf(copy.copied) + ".")});
        return false;
    }
    std::string done = "The samples are in " + displayText(folder);
    if (!copy.kept.empty())
        done += copy.kept.size() == 1 ? " (" + copy.kept.front() + " was there already and is kept as it was)"
                                      : " (" + namesOf(copy.kept) + " were there already and are kept as they were)";
    const bool opened = openFolder(GameFolder::at(folder));
    view.setStatus(done + (opened ? "." : "; that folder was not opened."));
    return opened;
}

} // namespace tolvane
