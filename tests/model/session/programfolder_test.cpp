// The program's own folder is never a game folder, however it comes: the
// folder a double-click starts in, a chooser, Open Folder, the folder used
// last, the command line. The samples beside the program are copied into a
// folder of the user's on request, never over a file there, and opened.

#include "../sessioncommands.h"

#include "model/session/samplecopy.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cwctype>
#include <map>
#include <sstream>

using namespace tolvane;

namespace {

struct ProgramFolderRow
{
    const char *name;
    const char *start; // the start folder, a key of ProgramFolderTest::folder
    FolderOrigin origin;
    const char *recent;   // the folder used last, a key, or ""
    const char *commands; // after the start: A the first question, O open `open`, C Copy Samples
    const char *open;
    const char *chosen; // what the choosers give in turn, keys; "-" Cancel
    const char *answers;
    const char *asked;
    const char *opened; // the game folder afterwards, a key, or "" (none)
    const char *given;  // "copy": an edited tvclass_seals.cfg in the copy's folder; "nosamples"
    const char *copy;   // the copy's folder afterwards: "" none, "samples", "kept" (the edited one kept)
    const char *says;   // in the status line, the question or a message
};

using O = FolderOrigin;
const ProgramFolderRow programFolderRows[] = {
    {"FirstStartInTheProgramFolderAsksInTheDocuments", "program", O::WorkingDirectory, "", "A", "", "-", "", "", "", "",
     "", "No game folder. Choose one"},
    {"TheProgramFolderGivesWayToTheOneUsedLast", "program", O::WorkingDirectory, "game", "A", "", "", "", "", "game",
     "", "", ""},
    {"ChosenSamplesRefusedAndTheCopyDeclined", "program", O::WorkingDirectory, "", "A", "", "examples", "n", "G", "",
     "", "", "examples is in the program's own folder, "},
    {"ChosenSamplesRefusedAndCopied", "program", O::WorkingDirectory, "", "A", "", "examples docs", "y", "G", "copy",
     "", "samples", "The samples are in"},
    {"ChosenProgramFolderRefusedAndTheCopyCancelled", "program", O::WorkingDirectory, "", "A", "", "program -", "y",
     "G", "", "", "", "Tolvane Class Creator is the program's own folder"},
    {"NamedSamplesRefusedOnceTheWindowShows", "examples", O::Named, "", "A", "", "", "n", "G", "", "", "", ""},
    {"SamplesUsedLastRefusedAndCopied", "empty", O::WorkingDirectory, "examples", "A", "", "docs", "y", "G", "copy", "",
     "samples", ""},
    {"OpenFolderRefusesTheProgramFolder", "game", O::Named, "", "O", "program", "", "n", "G", "game", "", "", ""},
    {"OpenFolderRefusesItInOtherCase", "game", O::Named, "", "O", "shouted", "", "n", "G", "game", "", "", ""},
    {"CopySamplesOpensTheCopy", "game", O::Named, "", "C", "", "docs", "", "", "copy", "", "samples", ""},
    {"CopySamplesKeepsAnEditedCopy", "game", O::Named, "", "C", "", "docs", "", "", "copy", "copy", "kept",
     "tvclass_seals.cfg was there already and is kept as it was"},
    {"CopySamplesIntoTheFolderOfAnEarlierCopy", "game", O::Named, "", "C", "", "copy", "", "", "copy", "copy", "kept",
     ""},
    {"CopySamplesRefusesTheProgramFolder", "game", O::Named, "", "C", "", "program", "", "", "game", "", "",
     "Nothing was copied"},
    {"CopySamplesWithoutSamples", "game", O::Named, "", "C", "", "", "", "", "game", "nosamples", "",
     "No sample class files came with this program"},
    {"AFolderNamedLikeTheProgramFolderIsAGameFolder", "sibling", O::Named, "", "A", "", "", "", "", "sibling", "", "",
     ""},
    {"ALinkIntoTheProgramFolderIsRefused", "link", O::Named, "", "A", "", "", "n", "G", "", "", "", ""},
};

using Snapshot = std::map<fs::path, std::string>;

// Every file under folder with its bytes.
Snapshot snapshot(const fs::path &folder)
{
    Snapshot files;
    for (const fs::directory_entry &entry : fs::recursive_directory_iterator(folder))
        if (entry.is_regular_file())
            files[fs::relative(entry.path(), folder)] = readWholeFile(entry.path()).bytes;
    return files;
}

class ProgramFolderTest : public ::testing::TestWithParam<ProgramFolderRow>
{
protected:
    ProgramFolderTest()
    {
        fs::create_directories(program / "examples");
        fs::create_directories(docs);
        fs::create_directories(root.path / "empty");
        EXPECT_TRUE(saveFileAtomically(program / "examples" / "tvclass_seals.cfg", classFile({"Sample"})));
        EXPECT_TRUE(saveFileAtomically(program / "examples" / "tvclass_tangos.cfg", classFile({"Tango"})));
        // What earlier versions left there: its folder looks like a game folder.
        EXPECT_TRUE(saveFileAtomically(program / "tvcc.cfg", "1\n"));
        EXPECT_TRUE(saveFileAtomically(program / "tvclass_seals.cfg", classFile({"Left"})));
        for (const char *key : {"game", "sibling"}) {
            fs::create_directories(folder(key));
            EXPECT_TRUE(saveFileAtomically(folder(key) / "tvclass_seals.cfg", classFile({key})));
        }
    }

    fs::path folder(std::string_view key) const
    {
        if (key == "program")
            return program;
        if (key == "examples")
            return program / "examples";
        if (key == "docs")
            return docs;
        if (key == "copy")
            return docs / sampleFolderName;
        if (key == "sibling")
            return program.native() + fs::path(" 2").native();
        if (key == "shouted") {
#ifdef _WIN32
            std::wstring shouted = (program / "examples").native();
            std::ranges::transform(shouted, shouted.begin(), [](wchar_t c) { return std::towupper(c); });
            return shouted;
#else
            return program / "examples";
#endif
        }
        return key.empty() ? fs::path() : root.path / key;
    }

    ScratchFolder root{"program"};
    fs::path program = root.path / "Tolvane Class Creator";
    fs::path docs = root.path / "Documents";
    FakeView view;
    std::vector<fs::path> recent;
};

TEST_P(ProgramFolderTest, IsNeverAGameFolderAndItsSamplesAreCopiedOnRequest)
{
    const ProgramFolderRow &row = GetParam();
    if (row.start == std::string_view("link")) {
        std::error_code error;
        fs::create_directory_symlink(program / "examples", folder("link"), error);
        if (error)
            GTEST_SKIP() << "no symbolic link here: " << error.message();
    }
    const std::string edited = classFile({"Edited"});
    if (row.given == std::string_view("copy")) {
        fs::create_directories(folder("copy"));
        EXPECT_TRUE(saveFileAtomically(folder("copy") / "tvclass_seals.cfg", edited));
    }
    if (row.given == std::string_view("nosamples"))
        fs::remove_all(program / "examples");
    const Snapshot programBefore = snapshot(program);
    if (*row.recent)
        recent = {folder(row.recent)};
    std::istringstream chosen(row.chosen);
    for (std::string key; chosen >> key;)
        view.chosenFolders.push_back(key == "-" ? fs::path() : folder(key));
    view.answer(row.answers);

    const FirstFolder first = firstFolder({GameFolder::at(folder(row.start)), row.origin}, recent, program);
    EditorSession session(view, view, first.folder,
                          {[](std::string_view) {}, [this] { return recent; },
                           [this](const std::vector<fs::path> &folders) { recent = folders; }});
    FolderCommands folders(session, {program, docs});
    session.start();
    for (const char command : std::string_view(row.commands)) {
        if (command == 'A' && first.ask)
            folders.askForGameFolder(first.refused);
        else if (command == 'O')
            folders.openFolder(GameFolder::at(folder(row.open)));
        else if (command == 'C')
            folders.copySamples();
    }

    EXPECT_EQ(session.folder().path(), folder(row.opened));
    EXPECT_EQ(view.asked, row.asked);
    EXPECT_EQ(view.unanswered(), 0u);
    EXPECT_TRUE(view.chosenFolders.empty()) << "a chooser was not shown";
    for (const fs::path &start : view.chooserStarts)
        EXPECT_EQ(start, docs);
    std::string shown = view.status + '\n' + view.question;
    for (const Questions::Notice &notice : view.told)
        shown += '\n' + notice.text;
    EXPECT_NE(shown.find(row.says), std::string::npos) << shown;
    EXPECT_EQ(snapshot(program), programBefore) << "the program's folder changed";
    if (!recent.empty()) {
        EXPECT_FALSE(insideFolder(recent.front(), program)) << recent.front();
    }

    const std::string_view copy = row.copy;
    if (copy.empty()) {
        EXPECT_EQ(fs::exists(folder("copy")), row.given == std::string_view("copy"));
    } else {
        const Snapshot samples = snapshot(program / "examples");
        Snapshot expected = samples;
        if (copy == "kept")
            expected["tvclass_seals.cfg"] = edited;
        EXPECT_EQ(snapshot(folder("copy")), expected);
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, ProgramFolderTest, ::testing::ValuesIn(programFolderRows), byRowName);

// A copy that fails halfway says which file and why, and what it copied.
TEST(SampleCopyTest, KeepsWhatIsThereAndStopsAtAFileItCannotCopy)
{
    ScratchFolder scratch("copy");
    const fs::path samples = scratch.path / "samples", target = scratch.path / "target";
    fs::create_directories(samples);
    EXPECT_TRUE(saveFileAtomically(samples / "tvclass_seals.cfg", "seals"));
    EXPECT_TRUE(saveFileAtomically(samples / "tvclass_tangos.cfg", "tangos"));
    const SampleCopy first = copySampleFiles(samples, target);
    EXPECT_FALSE(first.error);
    EXPECT_EQ(first.copied, (std::vector<std::string>{"tvclass_seals.cfg", "tvclass_tangos.cfg"}));
    fs::remove(target / "tvclass_tangos.cfg");
    fs::remove(samples / "tvclass_tangos.cfg");
    const SampleCopy second = copySampleFiles(samples, target);
    EXPECT_EQ(second.kept, std::vector<std::string>{"tvclass_seals.cfg"});
    EXPECT_TRUE(second.error);
    EXPECT_EQ(second.failed, target / "tvclass_tangos.cfg");
    EXPECT_FALSE(fs::exists(target / "tvclass_tangos.cfg"));
}

} // namespace
