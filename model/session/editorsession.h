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

// One editing session: the game folder and the active team, a document per
// team file (the active team's, and the other team's while it is shown),
// the one whose class the form edits and the form's place there, one undo
// history over both, and the commands of the form itself (load, write,
// store, move, undo, switch team or folder, quit) with the texts of the
// status line; load, write and the questions before classes are dropped
// take both documents. It talks to the window through a FormView and
// Questions, and reads the form from it once a command.
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
    // The document whose class the form shows and edits: the active team's
    // file's, or, with the other team shown, the other's when the form
    // follows one of its classes.
    TeamDocument &document() { return documentAt(formDoc); }
    const TeamDocument &document() const { return const_cast<EditorSession *>(this)->documentAt(formDoc); }
    // The documents by number: 0 the active team's file's (as loaded), 1 the
    // other team's, there only while the other team is shown (nullptr).
    TeamDocument *documentOf(int number) { return number == 0 ? &doc : otherDoc ? &*otherDoc : nullptr; }
    const TeamDocument *documentOf(int number) const { return const_cast<EditorSession *>(this)->documentOf(number); }
    int formDocument() const { return formDoc; }
    FormView &formView() { return view; }
    Questions &questions() { return ask; }
    QuestionReview &questionReview() { return openReview; }
    DataFolder &dataFolder() { return data; }

    void loadConfig();
    // False when nothing was written.
    bool writeOut();
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
    // Show Other Team: the other team's class file is loaded into a document
    // of its own, edited and written beside the active team's; hiding it
    // first asks about its unsaved changes. The problem that kept it from
    // being shown or hidden, empty when it was.
    std::string showOtherTeam(bool on);

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
    // The same into the classes of document (see documentOf).
    void moveTo(FormValues &form, int document, std::optional<int> slot);

private:
    TeamDocument &documentAt(int number) { return number == 1 && otherDoc ? *otherDoc : doc; }
    // Reads the other team's file into its document; the problem, empty when read.
    std::string loadOtherTeam();
    // Which documents hold changes not written out.
    std::vector<int> unsavedDocuments(const FormValues &form) const;
    // Writes document (Write Out's questions and all); the status of what
    // it did, nullopt when it wrote nothing.
    struct Written
    {
        bool written = false;
        std::string status;
        bool merged = false;
        bool moreRead = false;
    };
    Written writeDocument(int document, FormValues &form);
    // The other team's document goes: steps of it can no longer be taken back.
    void dropOtherTeam();
    // The names of steps say the team while both are shown.
    void noteDocuments();
    void showRecord(FormValues &form);
    // The title shown is title with what the listeners add about the form's class.
    void showTitle(std::string title);
    void showPosition();
    void nothingToTakeBack(const FormValues &form, const std::string &status);
    bool settleUnsavedChanges(FormValues &form);
    bool writeClasses(FormValues &form);
    bool askYes(const std::string &text);
    bool acceptClassFile(const std::filesystem::path &path, const FileBytes &file);
    // Reads the active team's class file in place of the classes in memory,
    // and the other team's too while it is shown (withOther).
    void readActiveFile(FormValues &form, bool withOther = true);
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
    std::optional<TeamDocument> otherDoc;
    int formDoc = 0;
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
// The class file the session's document (see documentOf) is written to.
std::filesystem::path classFileOf(const EditorSession &session, int document);
// The classes of the team other than the form's: in memory with the other
// team shown, else as its file holds them now.
ClassesOnDisk otherTeamClasses(const EditorSession &session);

// "Tolvane Class Creator ©" and the text of Help for the folder and the
// active team; a system menu command that opens the about box.
extern const std::string programTitle;
std::string helpText(const EditorSession &session);
bool opensAboutBox(unsigned systemCommand);

} // namespace tolvane
