#pragma once

#include <QStyledItemDelegate>

// The editors of the class table's cells, as the form has them: a list for
// the resistance and the starting weapon, a text box for the rest that
// tints and explains what the game would read instead, as the form's boxes do.
// A value that differs from the baseline has a triangle in its top right
// corner (its tooltip names the baseline's value).
class ClassTableDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;
    void setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const override;
};
