#pragma once

#include "changetracker.h"
#include "classrecord.h"
#include "editingmodel.h"
#include "fileio.h"
#include "gamefolder.h"

#include <QDialog>
#include <QHash>

#include <filesystem>
#include <functional>
#include <string_view>

class QAction;
class QComboBox;
class QLineEdit;
class QCheckBox;
class QAbstractButton;
class QMenu;

// Where the settings reports go, a whole line at a time. (A plain function, so
// that the program never sets up C++ streams, which cost memory at start.)
using ReportSink = std::function<void(std::string_view line)>;

// The editor window: one class of the table at a time in a fixed form built
// from the dialog template, with the menu bar and the command bindings.
class CreatorDialog : public QDialog
{
    Q_OBJECT

public:
    // folder holds the class files and "tvcc.cfg"; settings reports go to log.
    explicit CreatorDialog(const GameFolder &folder, ReportSink log, QWidget *parent = nullptr);

    EditorState &state() { return editorState; }
    const GameFolder &folder() const { return gameFolder; }

    // The control of the template id, or nullptr.
    QWidget *control(int id) const { return controls.value(id); }
    template <typename T>
    T *control(int id) const { return qobject_cast<T *>(control(id)); }
    // The menu command of the menu id, or nullptr.
    QAction *command(int id) const { return commands.value(id); }

    // System commands: 0x0010 to 0x001F open the about box; others are the
    // platform's and do nothing here. Returns whether the command was handled.
    bool OnSysCommand(unsigned command);

    // The class file that Load Config reads and Write Out writes now; empty
    // when the folder is unresolved.
    std::filesystem::path activeClassFilePath() const;

    // Whether the classes in memory or the form differ from what was last
    // loaded or written.
    bool hasUnsavedChanges() const;

    // Switches to folder as a new start there would: after the question about
    // unsaved changes, the table is empty and "tvcc.cfg" there is read.
    // Returns false when the user cancelled.
    bool openFolder(const GameFolder &folder);

    QString statusText() const;
    void setStatusText(const QString &text);

public slots:
    // Form transfer.
    void ShowRecord();
    void StoreForm();
    void OnCalculate();

    // Navigation and loading.
    void OnLoadConfig();
    void OnNextClass();
    void OnPrevClass();
    void OnFirstClass();
    void OnLastClass();
    void OnAddClass();

    // Inventory and starting weapon.
    void OnSelchangeItemList();
    void OnAddItem();
    void OnSelchangeStartingWeapon();
    void OnShowInventory();

    // Files, folders, settings and the window.
    void OnWriteOut();
    void OnOpenFolder();
    void ToggleActiveTeam();
    void OnOK();
    void openAbout();
    void showHelp();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void buildControls();
    void buildMenu();
    void bindCommands();
    void fillLists();
    void syncScrollBar();
    void showResult(const EditingModel::Result &result);
    EditingModel::StoreForm formStore();
    void watchValueRanges();
    void watchTextLimits();
    void watchForChanges();
    // Writes the table to the active class file; false when nothing was written.
    bool writeOut();
    bool confirmOverwrite(const std::filesystem::path &path, const FileBytes &current);
    void WriteSettings();
    // A "Question" box with Yes and No; true for Yes.
    bool askQuestion(const QString &text, bool yesIsDefault = true);
    void warnNotWritten(const std::filesystem::path &path, const QString &reason);

    // The record that storing the form would give, without storing it.
    ClassRecord formRecord() const;
    // Before a command that drops the classes in memory or ends the run:
    // asks whether to write out unsaved changes. False: the user cancelled
    // or the write failed, and the command must not go on.
    bool settleUnsavedChanges();
    // The mark of unsaved changes in the title and the active team in the menu.
    void updateIndicators();
    // False, after a warning box that points to Open Folder, when the
    // folder cannot be used now.
    bool folderUsable();
    void startInFolder();
    void showFolder();
    void fillRecentFolders(const std::vector<std::filesystem::path> &folders);

    EditingModel editing;
    // The handlers outside navigation work on the model's state directly.
    EditorState &editorState = editing.state();
    GameFolder gameFolder;
    ReportSink settingsLog;
    QHash<int, QWidget *> controls;
    QHash<int, QAction *> commands;
    QMenu *recentFolders = nullptr;
    ChangeTracker &changes = editing.changes();
    bool fillingForm = false;
};
