#pragma once

#include "formview.h"
#include "questionreview.h"
#include "questions.h"
#include "sessionlistener.h"
#include "tablecommands.h"
#include "teamdocument.h"
#include "undohistory.h"

#include "classdata/files/gamefolder.h"
#include "classdata/text/windows1252.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tolvane {

// One editing session: the game folder and the active team, the document
// whose classes the form edits, the form's place among them, one undo
// history, and the commands of the form itself (load, write, store, move,
// undo, switch team or folder, quit) with the texts of the status line. It
// talks to the window through a FormView and Questions, and reads the form
// from it once a command.
//
// The other commands are parts of their own (class list, inventory, review,
// folders, class table, compare, sheets, backups and recovery); they build
// on the second half of the public methods and follow the classes as a
// SessionListener.
class EditorSession
{
public:
    // What the session keeps or reports outside the game folder.
    struct Services
    {
        // Settings reports, a whole line at a time.
        std::function<void(std::string_view line)> report;
        // The recent folders as the user's settings keep them, and keeping them.
        std::function<std::vector<std::filesystem::path>()> recentFolders;
        std::function<void(const std::vector<std::filesystem::path> &)> keepRecentFolders;
        // The user's data folder (userDataFolder()), where earlier versions
        // of class files and the unsaved classes for recovery are kept.
        std::filesystem::path dataFolder = {};
    };

    EditorSession(FormView &view, Questions &questions, const GameFolder &folder, Services services);

    // listener hears of the classes until the session ends; it must outlive it.
    void addListener(SessionListener &listener);

    // The start of a run: reads the settings in the folder and fills the
    // window. Which folder a run starts in is the folder commands' choice
    // (firstFolder). A team named (by its class file on the command line)
    // is the active one for this run, in place of the settings file's, and
    // its file is loaded, unless unsaved classes were restored; the settings
    // file stays as it is.
    void start(std::optional<Team> named = std::nullopt);

    const GameFolder &folder() const { return gameFolder; }
    TeamDocument &document() { return doc; }
    const TeamDocument &document() const { return doc; }
    FormView &formView() { return view; }
    Questions &questions() { return ask; }
    QuestionReview &questionReview() { return openReview; }
    DataFolder &dataFolder() { return data; }

    void loadConfig();
    // False when nothing was written.
    bool writeOut();
    void saveToMemory();
    // Next Class, Prev. Class, First Class and Last Class.
    void move(Move move);
    // The Edit menu's Undo and Redo. pastTextBox: the keys came from a text
    // box that had nothing of its own to undo or redo, which the status says.
    void undo(bool pastTextBox = false);
    void redo(bool pastTextBox = false);
    void changeActiveConfig();
    // Switches to folder as a new start there would, after the question
    // about unsaved changes. False when it did not switch.
    bool openFolder(const GameFolder &folder);
    // Whether the window may close: after the question about unsaved changes.
    bool quit();

    // What the parts build their commands with. A command reads the form once
    // (formView().form()) and hands it along; form becomes what the window
    // shows after each of these.
    //
    // The mark of unsaved changes, the active team, the place and the class
    // commands, after an edit; then the listeners follow the classes.
    void refreshIndicators(const FormValues &form);
    // Shows the current class, with status in the status line unless empty.
    void show(FormValues &form, const std::string &status = {});
    // "&Save to Memory", and the store every change to the classes begins with.
    void store(const FormValues &form);
    // The steps Undo takes back: each change to the classes is one.
    UndoHistory &history() { return steps; }
    // Stores the form and moves it to slot, saying where it is; nowhere when
    // there is none.
    void moveTo(FormValues &form, std::optional<int> slot);

private:
    void showRecord(FormValues &form);
    // The title shown is title with what the listeners add about the form's class.
    void showTitle(std::string title);
    void showPosition();
    void nothingToTakeBack(const FormValues &form, const std::string &status);
    bool settleUnsavedChanges(FormValues &form);
    bool writeClasses(FormValues &form);
    bool askYes(const std::string &text);
    bool acceptClassFile(const std::filesystem::path &path, const FileBytes &file);
    // Reads the active team's class file in place of the classes in memory.
    void readActiveFile(FormValues &form);
    // "(the Seals' classes; the Tangos' file is active)" after a team switch.
    std::string classesTeamNote() const;
    // "Seals · /path/to/folder"
    std::string placeText() const;
    void writeSettings();
    void startInFolder(FormValues &form);
    void showRecentFolders(bool usable);
    // The classes in memory are what the file holds: after a load or the
    // start in a folder; and after a write.
    void classesLoaded();
    void classesSettled();
    template <typename Event>
    void tell(Event event)
    {
        for (SessionListener *listener : listeners)
            event(*listener);
    }

    FormView &view;
    Questions &ask;
    GameFolder gameFolder;
    Services services;
    std::vector<std::filesystem::path> recentFolders;
    // The team named at the start, active until a team switch or a folder
    // switch, and the team the settings file names, when it could be read.
    std::optional<Team> namedTeam;
    std::optional<Team> settingsTeam;
    TeamDocument doc;
    UndoHistory steps;
    QuestionReview openReview;
    DataFolder data;
    std::vector<SessionListener *> listeners;
    // The title without the listeners' notes, as the last command left it.
    std::string title;
};

// "@ Class 2 / 4 [Sniper]": where the form is, as a move reports it.
std::string positionText(const EditorState &state);

// False, after a warning that points to Open Folder, when the game folder
// cannot be used now.
bool folderUsable(EditorSession &session);

// The class file that Load Config reads and Write Out writes now; empty when
// the folder is unresolved.
std::filesystem::path activeClassFile(const EditorSession &session);
// The other team's classes as its file holds them now.
ClassesOnDisk otherTeamClasses(const EditorSession &session);

// "Tolvane Class Creator ©" and the text of Help for the folder and the
// active team; a system menu command that opens the about box.
extern const std::string programTitle;
std::string helpText(const EditorSession &session);
bool opensAboutBox(unsigned systemCommand);

} // namespace tolvane
