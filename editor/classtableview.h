#pragma once

#include <QTableView>

// The class table's grid as the keyboard drives it: typing starts an edit,
// F2 edits, Enter stores and moves down a row, Tab stores and edits the next
// cell, Esc drops the edit.
class ClassTableView : public QTableView
{
    Q_OBJECT

public:
    explicit ClassTableView(QWidget *parent = nullptr);

protected:
    void closeEditor(QWidget *editor, QAbstractItemDelegate::EndEditHint hint) override;
};
