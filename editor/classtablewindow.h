#pragma once

#include <QWidget>

#include <memory>

class ClassTableAnnouncements;
class ClassTableClipboard;
class ClassTableColumns;
class ClassTableModel;
class ClassTableSummary;
class ClassTableView;
namespace tolvane {
class ClassTableEditing;
class CompareCommands;
} // namespace tolvane
class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QTableView;

// The class table, a pane of the editor window beside or below the form:
// every class a row, a column each value, with a filter bar, a summary under
// it and its own menus. It shows and changes the session's classes, so that
// table and form are one: choosing a row shows that class in the form, and
// each change is a step Undo takes back.
class ClassTableWindow : public QWidget
{
    Q_OBJECT

public:
    ClassTableWindow(tolvane::ClassTableEditing &editing, tolvane::CompareCommands &compare, QWidget *parent);
    ~ClassTableWindow() override;

    // The session's classes, filter, order or selection changed; status
    // counts the rows ("12 of 40 classes").
    void showTable(const QString &status);
    // Ctrl+F: the focus in the filter bar, its text selected.
    void focusFilter();

    // The window's commands that work here too (Go to Class, Write Out,
    // Show Other Team, Undo, ...), in the Table and the Edit menu.
    void shareCommands(const QList<QAction *> &table, const QList<QAction *> &edit);
    // The window's commands in the rows' context menu too.
    void shareRowCommands(const QList<QAction *> &commands);

    // Its row headers and a few columns, narrow enough to stand beside the
    // form on a laptop's screen; the rows take the height of the window.
    QSize sizeHint() const override;

    QTableView *table() const;
    QLineEdit *filterBox() const { return filter; }
    QString statusText() const;
    // The columns' layout, as the next run shows it.
    void saveLayout() const;

public slots:
    void changeSelectedClasses();
    void sortAscending();
    void sortDescending();
    void showFileOrder();
    void selectAllShown();
    void selectAllClasses();
    // Copy and paste with spreadsheets: the selected cells as tab-separated
    // text with their titles, and such text into the selection.
    void copyCells();
    void pasteCells();
    void compareSelected();
    // Adds "changed" to the filter: the classes that differ from the baseline.
    void filterChanged();

signals:
    // A command of the table changed the classes, or the form moved.
    void commandDone();

protected:
    void hideEvent(QHideEvent *event) override;
    bool focusNextPrevChild(bool next) override;

private:
    void buildMenus();
    void followSession();
    void chooseRowOnFocus(Qt::FocusReason reason);
    void reportSelection();
    void fitTeamColumn();

    tolvane::ClassTableEditing &editing;
    tolvane::CompareCommands &compare;
    ClassTableModel *model = nullptr;
    ClassTableSummary *summary = nullptr;
    ClassTableView *view = nullptr;
    QTableView *footer = nullptr;
    QLineEdit *filter = nullptr;
    QLabel *count = nullptr;
    ClassTableColumns *columns = nullptr;
    std::unique_ptr<ClassTableClipboard> clipboard;
    ClassTableAnnouncements *announcements = nullptr;
    bool showing = false;
    bool reporting = false;
};
