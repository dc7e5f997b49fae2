#pragma once

#include "classlistwindows.h"
#include "classtablepart.h"
#include "comparewindows.h"
#include "messagequestions.h"
#include "reviewwindows.h"
#include "sheetreview.h"
#include "versionpicker.h"

#include "model/session/formview.h"
#include "model/sessionparts.h"

#include <QMainWindow>
#include <QHash>

#include <filesystem>
#include <functional>
#include <memory>
#include <string_view>

class ClassTableWindow;
class PaneDock;
class PlaceLabel;
class WindowPanes;
class QAction;
class QLineEdit;
class QMenu;
class QTimer;

// Where the settings reports go, a whole line at a time. (A plain function, so
// that the program never sets up C++ streams, which cost memory at start.)
using ReportSink = std::function<void(std::string_view line)>;

// The editor window: the form built from the dialog template in its middle,
// the menu bar, keys and drops, and the panes of the parts (the class table,
// Problems, the chart) docked around the form, tabbed or floating, as the
// user left them. It holds the editing session and its parts, each with the
// window code of its own, and wires the commands to them; the form itself
// is the session's FormView.
class CreatorDialog : public QMainWindow, public tolvane::FormView
{
    Q_OBJECT

public:
    // folder holds the class files and "tvcc.cfg"; settings reports go to log.
    // A team named (by its class file at the start) is active and loaded.
    explicit CreatorDialog(const tolvane::GameFolder &folder, ReportSink log,
                           tolvane::FolderOrigin origin = tolvane::FolderOrigin::Named,
                           std::optional<tolvane::Team> team = std::nullopt, QWidget *parent = nullptr);
    ~CreatorDialog() override;

    tolvane::EditorSession &session() { return editing; }
    tolvane::SessionParts &parts() { return editingParts; }
    tolvane::EditorState &state() { return editing.document().state(); }
    const tolvane::GameFolder &folder() const { return editing.folder(); }

    // The control of the template id, or nullptr.
    QWidget *control(int id) const { return controls.value(id); }
    template <typename T>
    T *control(int id) const
    {
        return qobject_cast<T *>(control(id));
    }
    // The menu command of the menu id, or nullptr.
    QAction *command(int id) const { return commands.value(id); }

    QString statusText() const;

    // "&Quit": ends the window after the question about unsaved changes.
    void quit();
    // Whether Quit or closing the window ended it.
    bool hasEnded() const { return ended; }
    void about();
    void help();
    // The undo keys in a text box: the box's own undo or redo, or when it has
    // nothing to take back, the Edit menu's.
    void undoKeyIn(QLineEdit *box, bool redo);
    // The windows of the parts.
    ReviewWindows &review() { return reviewWindows; }
    ClassTablePart &table() { return tablePart; }
    ClassTableWindow *classTable() const;
    // The Problems window and the chart, when open, follow the classes after
    // each command.
    void refreshViews();
    // Shows pane where the user left it; a new one tabbed with the class
    // table where that is docked, so that the form keeps its room.
    void showPane(PaneDock *pane);
    // A pane made now, added where the last run left it.
    PaneDock *addPane(PaneDock *pane);
    // The panes' names, by which the settings keep them.
    static constexpr char classTablePane[] = "classTablePane";
    static constexpr char problemsPane[] = "problemsPane";
    static constexpr char chartPane[] = "chartPane";
    static constexpr char comparePane[] = "comparePane";
    // The window grows to the screen's available area for its docked panes,
    // and the panes take the room beside or below the form.
    void makeRoomForPanes();

    // FormView
    void showForm(const tolvane::FormValues &form) override;
    tolvane::FormValues form() const override;
    void showPosition(int first, int last, int current) override;
    void setStatus(const std::string &text) override;
    void setTitle(const std::string &title) override;
    void setUnsavedMark(bool unsaved) override;
    void setTeamText(const std::string &text) override;
    void showPlace(const std::string &text) override;
    void showFolders(const std::filesystem::path &folder, const std::vector<std::filesystem::path> &recent) override;
    void focusField(const std::string &key, int item) override;
    void showClassCommands(const ClassCommands &commands) override;

    // How long after a change the unsaved classes go to the recovery file.
    static constexpr int recoveryDelayMs = 2000;

signals:
    // The window ended (Quit, or closed after the question).
    void finished();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void changeEvent(QEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void buildControls();
    void buildMenu();
    void bindCommands();
    void fillLists();
    void watchUndoKeys();
    void end();

    QHash<int, QWidget *> controls;
    QHash<int, QAction *> commands;
    QMenu *recentFolders = nullptr;
    bool fillingForm = false;
    bool ended = false;
    PlaceLabel *placeLabel = nullptr;
    QTimer *recoveryTimer = nullptr;
    std::unique_ptr<WindowPanes> panes;
    // The windows of the session's parts come first: the parts take them.
    MessageQuestions questions;
    ClassListWindows classListWindows;
    CompareWindows compareWindows;
    SheetReview sheetReview;
    VersionPicker versionPicker;
    ClassTablePart tablePart;
    // Where the program and the user's documents are, and the folder the
    // session starts in, chosen before it is made.
    tolvane::ProgramPlaces places;
    tolvane::FirstFolder first;
    tolvane::EditorSession editing;
    tolvane::SessionParts editingParts;
    ReviewWindows reviewWindows;
};
