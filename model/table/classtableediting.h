#pragma once

#include "announcements.h"
#include "classroster.h"
#include "tablepaste.h"
#include "teamrows.h"

#include "model/session/editorsession.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tolvane {

// The class table window as the session sees it.
class TableView
{
public:
    virtual ~TableView() = default;
    // The class table follows the classes, the filter, the order and the
    // selection; status counts its rows ("12 of 40 classes").
    virtual void showClassTable(const std::string &status) = 0;
};

// The class table: another view of the same classes, every class a row,
// sorted and filtered for the view alone. Choosing a row moves the form
// there; a change in the table stores the form first and is a step of its
// own, as a change in the form is. With the other team shown, its classes
// are rows too: the session's document of the other team's file, edited
// as the active team's (the form follows its rows too) and written to its
// own file. Texts are Windows-1252 bytes, as the form's.
class ClassTableEditing : public SessionListener
{
public:
    ClassTableEditing(EditorSession &session, TableView &view);

    const EditorState &state() const { return session.document().state(); }
    const ClassRoster &roster() const { return classRoster; }
    // The rows shown, in the order shown: slots, and with the other team
    // shown, its rows (see TableRows).
    std::vector<int> shownRows() const { return classRoster.shownRows(rows()); }
    TableRows rows() const;

    // Show Other Team: the other team's classes as rows of the table, loaded
    // from its file into the session; a file that cannot be read is named
    // and the table stays as it was. Hiding them asks about their changes.
    void showOtherTeam(bool on);
    bool showsOtherTeam() const { return session.documentOf(1) != nullptr; }

    // Stores the form and shows the class of row, as Go to Class does; a row
    // of the other team moves the form into its classes.
    void chooseRow(int row);
    // Whether the filter hides the form's class: the table has no row for
    // it then, and the window's title says so.
    bool hidesFormClass() const;
    // Stores text typed into one value of the class of row as the form's box
    // takes and stores it (typedIntoCell), as one step.
    void editCell(int row, int column, std::string_view text);
    void filter(std::string_view text);
    void sort(int column, SortOrder order);
    void fileOrder();
    void selectRows(std::span<const int> slots);
    void selectAllShown();
    void selectAllClasses();
    // Changes column of the selected classes (or the current one) as typed
    // ("+5%"), of both teams, as one step, after asking when the filter hides
    // some of them. False when nothing changed: typed cannot be read, or the
    // user said no.
    bool changeSelectedClasses(int column, std::string_view typed);
    // The rows Change Selected Classes changes: the selected ones of both
    // teams, else the form's class.
    std::vector<int> rowsToChange() const;
    // The form's class as a row.
    int formRow() const;
    // Copy to Other Team: the classes of rowsToChange, whole (inventory and
    // all), as new classes of the other team, after its last, as one step;
    // the other team is shown first when it is not. A team whose table has
    // no room for them all gets none, and is told. False when nothing changed.
    bool copyToOtherTeam();
    // A problem of the Problems list on the cell it concerns (slot: a row,
    // see TableRows), in the file's
    // keys (the cell's column already says its title, and a modder looks for
    // the line): "line 4: TCC003 speed 10.5 is outside ...".
    struct CellProblem
    {
        int slot;
        int column;
        std::string text;
    };
    std::vector<CellProblem> cellProblems() const;
    // Copy and paste with spreadsheets, text UTF-8 (see tablepaste.h): the
    // selected cells of the table, and text pasted into them as one step,
    // after asking when it changes more than one class; the status names
    // the classes and the columns left out. A block with a cell that cannot
    // be read is told, row, column and reason, and changes nothing. False
    // when nothing changed.
    std::string copy(const TableGrid &grid) const;
    bool paste(const TableGrid &grid, std::string_view text);

    // What a screen reader hears of the table beyond its cells: what changed
    // since it was said last (see tableChangeAnnouncement), empty when
    // nothing did. The window says it once a command is done, and takes what
    // it shows on opening as said.
    std::string tableChangesToSay();
    // The filter was typed since the table was said last: the window waits
    // for the typing to pause.
    bool filterTypedSinceSaid() const { return utf8Of(classRoster.filterText()) != said.filter; }

    void classesShown(const FormValues &form) override;
    void classesReplaced() override { classRoster.select({}); }
    std::string titleNote() const override;

private:
    // Shows a change of the classes at slots of document, made as step.
    void showChange(FormValues &form, std::optional<TableEdit> step, int document, const std::vector<int> &slots);

    EditorSession &session;
    TableView &view;
    ClassRoster classRoster;
    // The marks of each team's baseline on its classes as they stand: those
    // in memory, and the other team's shown.
    std::optional<TableBaseline> baselineShown;
    std::optional<TableBaseline> otherBaselineShown;
    TableFacts said;
};

} // namespace tolvane
