#pragma once

#include "model/table/tablepaste.h"

#include <QDialog>

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
class TypingAnnouncement;

// The class table beside the form: every class a row, a column each value,
// with a filter bar, a summary under it and its own menus. It shows and
// changes the session's classes, so that table and form are one: choosing a
// row shows that class in the form, and each change is a step Undo takes
// back. The columns' visibility, order and width, the colour scales and the
// window's place are kept in the user's settings. Esc closes it, as it does
// the Problems window.
class ClassTableWindow : public QDialog
{
    Q_OBJECT

public:
    ClassTableWindow(tolvane::ClassTableEditing &editing, tolvane::CompareCommands &compare, QWidget *owner);
    ~ClassTableWindow() override;

    // The session's classes, filter, order or selection changed; status
    // counts the rows ("12 of 40 classes").
    void showTable(const QString &status);
    // Ctrl+F: the focus in the filter bar, its text selected.
    void focusFilter();

    // The owner's commands that work here too (Go to Class, Write Out,
    // Show Other Team, Undo, ...), in the Table and the Edit menu.
    void shareCommands(const QList<QAction *> &table, const QList<QAction *> &edit);
    // The owner's commands in the rows' context menu too.
    void shareRowCommands(const QList<QAction *> &commands);

    QTableView *table() const;
    QLineEdit *filterBox() const { return filter; }
    QString statusText() const;

public slots:
    void changeSelectedClasses();
    void sortAscending();
    void sortDescending();
    void showFileOrder();
    void selectAllShown();
    void selectAllClasses();
    void toggleColourScale();
    void toggleSummary();
    void moveColumnLeft();
    void moveColumnRight();
    void hideColumn();
    void resetColumns();
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
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildMenus();
    // The cells shown and selected, as the session places copy and paste.
    tolvane::TableGrid grid() const;
    void buildColumnMenus(QMenu *menu);
    void buildRowMenu();
    void followSession();
    void reportSelection();
    int currentColumn() const;
    void moveColumn(int by);
    void showColumn(int column, bool shown);
    void syncFooter();
    void fitColumn(int column);
    void placeBesideOwner();
    void restoreLayout();
    void saveLayout() const;
    // What a screen reader says beyond what it reads itself: the current
    // cell with its class and column, and what changed in the table.
    void setUpAnnouncements();
    void speakCurrentCell();
    void announceChanges();

    tolvane::ClassTableEditing &editing;
    tolvane::CompareCommands &compare;
    ClassTableModel *model = nullptr;
    ClassTableSummary *summary = nullptr;
    ClassTableView *view = nullptr;
    QTableView *footer = nullptr;
    QLineEdit *filter = nullptr;
    QLabel *count = nullptr;
    QMenu *columnsMenu = nullptr;
    QAction *compareAction = nullptr;
    QAction *changedAction = nullptr;
    bool showing = false;
    bool reporting = false;
    // The column of the current cell, kept while the rows are shown anew.
    int keptColumn = 0;
    // The wait before the table's changes are said.
    TypingAnnouncement *changesSaid = nullptr;
};
