#pragma once

#include "model/session/editorsession.h"
#include "model/session/editorview.h"

#include <QDialog>
#include <QHash>

#include <filesystem>
#include <functional>
#include <string_view>

class ChartWindow;
class ClassTableWindow;
class PlaceLabel;
class QAction;
class QLineEdit;
class QMenu;
class QTimer;
class ProblemsWindow;

// Where the settings reports go, a whole line at a time. (A plain function, so
// that the program never sets up C++ streams, which cost memory at start.)
using ReportSink = std::function<void(std::string_view line)>;

// The editor window: the form built from the dialog template, the menu bar,
// keys and drops. Every command goes to the editing session, which shows its
// results through the EditorView functions.
class CreatorDialog : public QDialog, public tolvane::EditorView
{
    Q_OBJECT

public:
    // folder holds the class files and "tvcc.cfg"; settings reports go to log.
    explicit CreatorDialog(const tolvane::GameFolder &folder, ReportSink log,
                           tolvane::FolderOrigin origin = tolvane::FolderOrigin::Named, QWidget *parent = nullptr);

    tolvane::EditorSession &session() { return editing; }
    tolvane::EditorState &state() { return editing.state(); }
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
    // The undo keys in a text box: the box's own undo or redo, or when it has
    // nothing to take back, the Edit menu's.
    void undoKeyIn(QLineEdit *box, bool redo);
    // The Problems window, and Review Changes.
    void openProblems();
    void openReview();
    // The class table: opened beside the form, or closed when it is the
    // active window; and opened with the focus in its filter bar.
    void toggleClassTable();
    // Show Other Team: checked while the class table shows the other team.
    void toggleOtherTeam();
    void filterClasses();
    ClassTableWindow *classTable() const { return tableWindow; }

    // EditorView
    void showForm(const tolvane::FormValues &form) override;
    tolvane::FormValues form() const override;
    void showPosition(int first, int last, int current) override;
    void setStatus(const std::string &text) override;
    void setTitle(const std::string &title) override;
    void setUnsavedMark(bool unsaved) override;
    void setTeamText(const std::string &text) override;
    void showFolders(const std::filesystem::path &folder, const std::vector<std::filesystem::path> &recent) override;
    Answer ask(const Question &question) override;
    void tell(const Notice &notice) override;
    void showAbout() override;
    std::optional<std::filesystem::path> chooseFolder(const std::filesystem::path &start,
                                                      const std::string &title) override;
    bool confirmImport(const std::string &sheetName, const std::string &review) override;
    void showClassCommands(const ClassCommands &commands) override;
    std::optional<int> chooseClass(const std::vector<std::string> &names, int current) override;
    void showInventory(const Inventory &inventory) override;
    void focusField(const std::string &key, int item) override;
    void showPlace(const std::string &text) override;
    std::optional<std::filesystem::path> chooseFile(const FileChoice &choice) override;
    void showTwoClasses(const TwoClasses &classes) override;
    void showBaseline(const BaselineView &baseline) override;
    void showChart(const ChartView &chart) override;
    std::optional<std::size_t> chooseVersion(const std::string &fileName,
                                             const std::vector<KeptVersion> &versions) override;

    // How long after a change the unsaved classes go to the recovery file.
    static constexpr int recoveryDelayMs = 2000;
    void showClassTable(const std::string &status) override;

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void buildControls();
    void buildMenu();
    void bindCommands();
    void fillLists();
    void watchValueRanges();
    void watchForChanges();
    void watchUndoKeys();
    // The Problems window and the chart, when open, follow the classes after
    // each command.
    void refreshProblems();
    void openClassTable();

    QHash<int, QWidget *> controls;
    QHash<int, QAction *> commands;
    QMenu *recentFolders = nullptr;
    bool fillingForm = false;
    ProblemsWindow *problemsWindow = nullptr;
    PlaceLabel *placeLabel = nullptr;
    ChartWindow *chartWindow = nullptr;
    QTimer *recoveryTimer = nullptr;
    ClassTableWindow *tableWindow = nullptr;
    tolvane::EditorSession editing;
};
