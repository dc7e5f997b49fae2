#pragma once

#include "classrecord.h"
#include "editingmodel.h"
#include "fileio.h"

#include <QDialog>
#include <QDir>
#include <QHash>

#include <iosfwd>
#include <optional>
#include <string>

class QAction;
class QComboBox;
class QLineEdit;
class QCheckBox;
class QAbstractButton;

// The editor window: one class of the table at a time in a fixed form built
// from the dialog template, with the menu bar and the command bindings.
class CreatorDialog : public QDialog
{
    Q_OBJECT

public:
    // folder holds the class files and "tvcc.cfg"; settings reports go to log.
    explicit CreatorDialog(const QDir &folder, std::ostream &log, QWidget *parent = nullptr);

    EditorState &state() { return editorState; }
    const QDir &folder() const { return workFolder; }

    // The control of the template id, or nullptr.
    QWidget *control(int id) const { return controls.value(id); }
    template <typename T>
    T *control(int id) const { return qobject_cast<T *>(control(id)); }
    // The menu command of the menu id, or nullptr.
    QAction *command(int id) const { return commands.value(id); }

    // System commands: 0x0010 to 0x001F open the about box; others are the
    // platform's and do nothing here. Returns whether the command was handled.
    bool OnSysCommand(unsigned command);

    // The class file that Load Config reads and Write Out writes now.
    QString activeClassFilePath() const;

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

    // Files, settings and the window.
    void WriteClassFile();
    void ToggleActiveTeam();
    void OnOK();
    void openAbout();
    void showHelp();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void buildControls();
    void buildMenu();
    void bindCommands();
    void fillLists();
    void syncScrollBar();
    void showResult(const EditingModel::Result &result);
    EditingModel::StoreForm formStore();
    void readForm(ClassRecord &record);
    void watchValueRanges();
    bool confirmOverwrite(const QString &path, const FileBytes &current);
    void WriteSettings();
    // A "Question" box with Yes and No, Yes the default; true for Yes.
    bool askQuestion(const QString &text);
    void warnNotWritten(const QString &path, const QString &reason);
    // Records what a class file held when this run last loaded or wrote it;
    // nullopt when it did not exist.
    void rememberFileState(const QString &path, const std::optional<std::string> &contents);

    EditingModel editing;
    // The handlers outside navigation work on the model's state directly.
    EditorState &editorState = editing.state();
    QDir workFolder;
    std::ostream &settingsLog;
    QHash<int, QWidget *> controls;
    QHash<int, QAction *> commands;
    // What this run last loaded or wrote, per class file, to notice outside changes.
    QHash<QString, std::optional<std::string>> knownFileContents;
};
