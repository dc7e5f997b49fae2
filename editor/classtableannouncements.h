#pragma once

#include <QObject>

#include <functional>

class ClassTableModel;
class QTableView;
class TypingAnnouncement;
namespace tolvane {
class ClassTableEditing;
} // namespace tolvane

// What the class table says to a screen reader where it reads nothing of its
// own. A screen reader reads a cell as Qt tells it (in a table of 90 columns,
// the values of a whole row, without their titles); the table says the cell
// with its class and column, and what changed in the table: the sort, the
// other team's rows, the rows the filter leaves, the selection.
class ClassTableAnnouncements : public QObject
{
public:
    // focusComing runs as the view gets the focus, before its cell is said.
    ClassTableAnnouncements(tolvane::ClassTableEditing &editing, const ClassTableModel &model, QTableView &view,
                            std::function<void(Qt::FocusReason)> focusComing);

    // The rows were shown anew: what changed is said once the command is
    // done, or once the typing of a filter pauses.
    void sayChanges();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void sayCurrentCell();

    tolvane::ClassTableEditing &editing;
    const ClassTableModel &model;
    QTableView &view;
    std::function<void(Qt::FocusReason)> focusComing;
    TypingAnnouncement *changesSaid;
};
