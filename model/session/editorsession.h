#pragma once

#include "changetracker.h"
#include "classdata/compare/classfilemerge.h"
#include "model/table/classroster.h"
#include "editorview.h"
#include "fileblocks.h"
#include "classdata/files/fileio.h"
#include "classdata/files/gamefolder.h"
#include "tablecommands.h"
#include "model/table/tablepaste.h"
#include "undohistory.h"
#include "model/review/problemlist.h"
#include "classdata/files/recoveryfile.h"
#include "classdata/text/windows1252.h"
#include "classdata/files/safesave.h"
#include "model/table/teamrows.h"
#include "model/compare/teamviews.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
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
};

// The game folder a command line names: none (the working directory), FOLDER,
// a class file in it (as Explorer passes a file dropped on the program) or
// --recent (the first of recent). nullopt for a command line not understood.
std::optional<StartFolder> startFolderOf(const std::vector<std::filesystem::path> &arguments,
                                         const std::vector<std::filesystem::path> &recent);

// One editing session: the classes in memory, which one the form edits, the
// game folder and the active team, what was last loaded or written, and
// every command of the editor window from start to end, with the texts of the
// status line. It talks to the window only through an EditorView, and reads
// the form from it once a command.
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
        // The program's own folder, which holds the samples (samplecopy.h)
        // and is never a game folder; empty when not known.
        std::filesystem::path programFolder = {};
        // Where the folder choosers open when there is no game folder: the
        // user's documents, not the program's folder a double-click starts in.
        std::filesystem::path documentsFolder = {};
    };

    EditorSession(EditorView &view, const GameFolder &folder, Services services);

    // The start of a run: reads the settings in the folder and fills the
    // window. A working directory that holds no class file and no settings
    // file, or is the program's folder, is no game folder: the one used last
    // is opened instead, and with none, askForGameFolder asks for one. A
    // folder in the program's folder is not opened (askForGameFolder says so).
    void start(FolderOrigin origin = FolderOrigin::Named);
    // Once the window shows, when the start found no game folder: the folder
    // chooser, opened in the documents folder; Cancel leaves the form empty
    // and says how to choose later. After a start in a folder of the
    // program's folder: why not, and the offer to copy the samples.
    void askForGameFolder();

    EditorState &state() { return editorState; }
    const EditorState &state() const { return editorState; }
    const GameFolder &folder() const { return gameFolder; }
    // The class file that Load Config reads and Write Out writes now; empty
    // when the folder is unresolved.
    std::filesystem::path activeClassFilePath() const;
    // Whether the classes in memory or the form differ from what was last
    // loaded or written.
    bool hasUnsavedChanges() const;
    // The mark of unsaved changes and the active team, after an edit.
    void refreshIndicators();
    // The form shows the current class as it is in memory.
    void showRecord();

    void loadConfig();
    // False when nothing was written.
    bool writeOut();
    void saveToMemory();
    void nextClass();
    void previousClass();
    void firstClass();
    void lastClass();
    void addClass();

    void pickItem();
    void addItem();
    void pickStartingWeapon();
    void showInventory();
    void calculate();

    void changeActiveConfig();
    void chooseFolder();
    // Switches to folder as a new start there would, after the question
    // about unsaved changes. A folder in the program's folder is refused,
    // with the offer to copy the samples and open the copy. False when it did
    // not switch.
    bool openFolder(const GameFolder &folder);
    // Copy Samples: the samples beside the program go into a new folder
    // "Tolvane samples" in the folder the user picks (that folder itself when
    // it has that name), never over a file there, and it is opened. False
    // when it was not.
    bool copySamples();
    // A file or folder dropped on the window; false when it names no folder.
    static std::filesystem::path droppedFolder(const std::filesystem::path &dropped);
    // Whether the window may close: after the question about unsaved changes.
    bool quit();

    // Whole classes and undo. Every change to the classes is a step that
    // Undo takes back.
    void deleteClass();
    void duplicateClass();
    void moveClassUp();
    void moveClassDown();
    // Stores the form and moves to the class the user picks from the list.
    void goToClass();
    // The Edit menu's Undo and Redo. pastTextBox: the keys came from a text
    // box that had nothing of its own to undo or redo, which the status says.
    void undo(bool pastTextBox = false);
    void redo(bool pastTextBox = false);
    // For each class, the block of the class file on disk it came from; -1
    // for a class the file does not hold. Writing keeps each block's layout.
    std::vector<int> classOrigins() const { return blocks.origins(ids, state().table.classCount); }
    // The problems of the class file last loaded or written as they stand
    // now, one line each: "Sniper, line 4: TCC003 speed 10.5 is outside ...".
    std::vector<std::string> problems() const;
    // Moves to the class of problem index, storing the form first, and puts
    // the focus in its box.
    void goToProblem(std::size_t index);
    // What Write Out would change, class by class and value by value.
    std::string reviewChanges() const;
    // The class file on disk against what Write Out would write, as a
    // unified diff; empty when Write Out would not change it.
    std::string fileDifferences() const;

    // Both teams side by side, and the classes against a baseline file. The
    // classes in memory belong to the team whose file they were last loaded
    // from or written to (before a load, the active team's); the other team's
    // are read from its file on disk, never edited or written.
    Team classesTeam() const;
    // The other team's classes as its file holds them now.
    ClassesOnDisk otherTeamClasses() const;
    // Compare Two Classes, at first the form's class and its namesake in the
    // other team.
    void compareTwoClasses();
    // Compare with File: asks for a baseline file and shows the classes in
    // memory against it, as patch notes.
    void compareWithFile();
    // The baseline file chosen last; nullopt before one was.
    const std::optional<ClassesOnDisk> &baselineFile() const { return baseline; }
    void showChart();
    // The classes, with the form's values, to a sheet the user picks; and
    // the changes of a sheet the user picks, after Review Changes, as one step.
    void exportClasses();
    void importClasses();
    // The unsaved classes (table and form) go to the recovery file of the
    // game folder when they changed since it was last saved, and the file
    // goes when nothing is unsaved. The window calls it a few seconds after
    // a change.
    void keepRecovery();
    // File > Restore Previous Version: an earlier version of the active
    // class file, kept by Write Out, replaces the classes in memory as one
    // step that Undo takes back; the file changes only on Write Out.
    void restorePreviousVersion();
    // The class table: every class a row, sorted and filtered for the view
    // alone. Its texts are Windows-1252 bytes, as the form's.
    const ClassRoster &classTable() const { return roster; }
    // The rows shown, in the order shown: slots, and with the other team
    // shown, its rows (see TableRows).
    std::vector<int> tableRows() const { return roster.shownRows(tableClasses()); }
    TableRows tableClasses() const;
    // Show Other Team: the other team's classes as rows of the table, read
    // from its file and never changed; a file that cannot be read is named
    // and the table stays as it was.
    void showOtherTeam(bool on);
    bool showsOtherTeam() const { return otherShown.has_value(); }
    // Compare Two Classes from the table: two rows side by side, or one
    // beside its namesake of the other team, to pick another from.
    void compareTableRows(std::span<const int> rows);
    // Stores the form and shows the class of slot, as Go to Class does.
    void chooseTableRow(int slot);
    // Stores text into one value of the class of slot as the form stores a
    // box, as one step.
    void editTableCell(int slot, int column, std::string_view text);
    void filterTable(std::string_view text);
    void sortTable(int column, SortOrder order);
    void tableInFileOrder();
    void selectTableRows(std::span<const int> slots);
    void selectAllShown();
    void selectAllClasses();
    // Changes column of the selected classes (or the current one) as typed
    // ("+5%"), as one step, after asking when the filter hides some of them.
    // False when nothing changed: typed cannot be read, or the user said no.
    bool changeSelectedClasses(int column, std::string_view typed);
    // A problem of the Problems list on the cell it concerns.
    struct CellProblem
    {
        int slot;
        int column;
        std::string text;
    };
    std::vector<CellProblem> tableProblems() const;
    // Copy and paste with spreadsheets, text UTF-8 (see tablepaste.h): the
    // selected cells of the table, and text pasted into them as one step,
    // after asking when it changes more than one class. A block with a cell
    // that cannot be read is told, row, column and reason, and changes
    // nothing. False when nothing changed.
    std::string copyTableCells(const TableGrid &grid) const;
    bool pasteTableCells(const TableGrid &grid, std::string_view text);

    void help();
    void about();
    // A command of the window's system menu; false when it is not ours.
    bool systemCommand(unsigned command);

private:
    // The form as the command read it, and the class storing it would give.
    ClassRecord formRecord(const FormValues &form) const;
    void refreshIndicators(const FormValues &form);
    // Shows the current class; form becomes what the window shows.
    void showRecord(FormValues &form);
    // "&Save to Memory", and the store every move begins with.
    void storeIntoClass(const FormValues &form);
    // Stores the form and moves it to slot; nowhere when there is none.
    void moveTo(FormValues &form, std::optional<int> slot);
    // After a move: the position, and the status line when it has a report.
    void showMoved(FormValues &form, const std::string &status);
    void nothingToTakeBack(const FormValues &form, const std::string &status);
    // "@ Class 2 / 4 [Sniper]": where the form is, as a move reports it.
    std::string positionText() const;
    void showPosition();
    bool settleUnsavedChanges(FormValues &form);
    bool writeClasses(FormValues &form);
    bool askYes(const std::string &text);
    bool acceptClassFile(const std::filesystem::path &path, const FileBytes &file);
    bool confirmLink(const std::filesystem::path &path, std::filesystem::path &target);
    bool confirmReadOnly(const std::filesystem::path &path);
    bool confirmFirstClassFile(const std::filesystem::path &path);
    bool confirmUnreadBlocks(const std::filesystem::path &path, int count, int read);
    void takeClassesNowRead(const ClassTable &written);
    // Write Out after the file changed on disk, a deleted file, a backup.
    struct WritePlan
    {
        std::string bytes;
        std::optional<ClassFileMerge> merge = {}; // the classes in memory become the merged ones
        bool anew = false;                        // the file was deleted since this run read or wrote it
    };
    std::optional<WritePlan> planWrite(const std::filesystem::path &path, const FileBytes &old,
                                       std::span<const ClassRecord> classes, bool changedWhileAsked);
    std::optional<WritePlan> planMerge(const std::filesystem::path &path, const FileBytes &old,
                                       std::span<const ClassRecord> classes);
    MergeInput mergeInput(const std::filesystem::path &path, const FileBytes &old, std::span<const ClassRecord> classes,
                          std::vector<int> &origins) const;
    WritePlan plannedQuietly(const std::filesystem::path &path, const FileBytes &old,
                             std::span<const ClassRecord> classes) const;
    // form becomes what the window shows then.
    void takeMerged(const ClassFileMerge &merge, FormValues &form);
    void keepBackup(const std::filesystem::path &path, const FileBytes &old);
    OldContentsKeeper backupKeeper(const std::filesystem::path &path) const;
    // One message a session when the data folder cannot take a backup or
    // the recovery file.
    void warnDataFolder(const std::string &what);
    // Reads the active team's class file in place of the classes in memory;
    // form becomes what the window shows then.
    void readActiveFile();
    void readActiveFile(FormValues &form);
    // "(the Seals' classes; the Tangos' file is active)" after a team switch.
    std::string classesTeamNote() const;
    // Recovery of the unsaved classes of an earlier run in this folder.
    void offerRecovery();
    void restoreRecovery(const SessionRecovery &recovery, const std::filesystem::path &file);
    void forgetRecovery();
    // What Review Changes shows while a question about writing is open.
    struct Review
    {
        std::string changes;
        std::string fileDifferences;
    };
    EditorView::Answer askWithReview(const EditorView::Question &question, Review review);
    void warnNotWritten(const std::filesystem::path &path, const SaveError &error);
    // Saves bytes where the user chooses, after asking with choice; the
    // status line says where, what names what was saved ("Patch notes").
    void saveChosenFile(const EditorView::FileChoice &choice, std::string_view bytes, const std::string &what);
    // "Seals · /path/to/folder"
    std::string placeText() const;
    void writeSettings();
    bool folderUsable();
    // Whether folder is in the program's folder, which is never a game folder.
    bool inProgramFolder(const std::filesystem::path &folder) const;
    // Says why folder is not opened and offers the copy of the samples;
    // true when the copy was made and opened.
    bool refuseProgramFolder(const std::filesystem::path &folder);
    void startInFolder(FormValues &form);
    void showRecentFolders(bool usable);
    EditedClasses classes() { return {editorState, ids}; }
    void record(std::optional<TableEdit> step);
    void showTableChange(FormValues &form, std::optional<TableEdit> step, const std::vector<int> &slots);
    // The other team's rows and the baseline's marks, as the classes stand.
    void followTableClasses(const FormValues &form);
    // Why a row of the other team is not changed: "the Tangos' classes are
    // shown from their file, read only; ...".
    std::string readOnlyText() const;
    // left and right: rows of the table (see TableRows); nullopt: the form's
    // class, and its namesake in the other team.
    void compareClassesAt(std::optional<int> left, std::optional<int> right);
    void moveClass(std::optional<TableEdit> (*move)(EditedClasses));
    // The classes in memory are what the file holds: after a load, a write
    // or the start in a folder.
    void classesLoaded();
    void classesWritten();
    // The classes Write Out would write: with the form stored into the
    // current one (the window's, when no form is given), or as the table
    // holds them (form nullptr).
    std::vector<ClassRecord> classesToWrite(const FormValues *form) const;
    std::vector<ClassRecord> classesToWrite() const
    {
        const FormValues form = view.form();
        return classesToWrite(&form);
    }
    std::string bytesToWrite(const std::filesystem::path &path, const FileBytes &old,
                             std::span<const ClassRecord> classes) const;

    std::filesystem::path sheetToSuggest() const;

    EditorView &view;
    EditorState editorState;
    ChangeTracker changes{editorState};
    GameFolder gameFolder;
    Services services;
    std::vector<std::filesystem::path> recentFolders;
    bool folderWanted = false;
    // A start folder in the program's folder, refused once the window shows.
    std::filesystem::path refusedAtStart;
    FileBlocks blocks;
    ClassIds ids = blocks.loaded(0);
    ClassIds savedIds = ids;
    UndoHistory history;
    ProblemList fileProblems;
    std::optional<ClassesOnDisk> baseline;
    std::optional<TableBaseline> baselineShown;
    // The other team's classes the table shows, and whose they are.
    std::optional<ClassesOnDisk> otherShown;
    Team otherShownTeam = Team::Tangos;
    // The value the chart showed last.
    int chartValue = -1;
    std::optional<Review> questionReview;
    std::string keptRecovery; // what the recovery file holds; empty when this run keeps none
    bool dataFolderWarned = false;
    ClassRoster roster;
    std::filesystem::path lastSheet;
};

// For messages: a path as UTF-8 with the system's separators. (A class
// file's Windows-1252 text as UTF-8: utf8Of.)
std::string displayText(const std::filesystem::path &path);

} // namespace tolvane
