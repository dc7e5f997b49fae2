#pragma once

#include <QStyledItemDelegate>

// The editors of the class table's cells, as the form has them: a list for
// the resistance and the starting weapon, a text box for the rest that
// tints and explains what the game would read instead, as the form's boxes do.
class ClassTableDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override;
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;
    void setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const override;
};
