#pragma once

#include <QObject>

class ClassTableModel;
class QMenu;
class QTableView;
class QWidget;

// The class table's columns as the user arranges them: shown or hidden,
// moved, their width, the colour scale and the summary rows under them,
// kept in the user's settings. The summary's columns stand under the
// table's and scroll with them; its rows can be folded into one line.
class ClassTableColumns : public QObject
{
    Q_OBJECT

public:
    // The summary's columns follow the view's from now on.
    ClassTableColumns(ClassTableModel &model, QTableView &view, QTableView &summary, QWidget *window);

    // The Columns menu's entries, their keys working within window.
    void fillMenu(QMenu *menu);
    // As the user left them, or as at first.
    void restore();
    void save() const;

    // The column of the current cell, or the one it had while there is none.
    int currentColumn() const;
    void keepColumn(int column) { keptColumn = column; }
    // Wide enough for its values, its title and its summary.
    void fitColumn(int column);

public slots:
    void moveLeft();
    void moveRight();
    void hideCurrent();
    void reset();
    void toggleColourScale();
    void toggleSummary();
    // The summary in one line, the means (of both teams, their difference),
    // or all its rows.
    void toggleFoldedSummary();

private:
    void move(int by);
    void show(int column, bool shown);
    void followView();
    void addChecks(QMenu *menu);
    void fold();

    ClassTableModel &model;
    QTableView &view;
    QTableView &summary;
    QWidget *window;
    int keptColumn = 0;
    bool folded = false;
};
