#include "classtableview.h"

#include "classtabledelegate.h"

#include <QHeaderView>

ClassTableView::ClassTableView(QWidget *parent) : QTableView(parent)
{
    setItemDelegate(new ClassTableDelegate(this));
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
                    | QAbstractItemView::AnyKeyPressed);
    setSortingEnabled(true);
    setWordWrap(false);
    horizontalHeader()->setSectionsMovable(true);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setContextMenuPolicy(Qt::CustomContextMenu);
    verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    verticalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
}

void ClassTableView::closeEditor(QWidget *editor, QAbstractItemDelegate::EndEditHint hint)
{
    const bool moveDown = hint == QAbstractItemDelegate::SubmitModelCache;
    QTableView::closeEditor(editor, moveDown ? QAbstractItemDelegate::NoHint : hint);
    const QModelIndex below = currentIndex().sibling(currentIndex().row() + 1, currentIndex().column());
    if (moveDown && below.isValid())
        setCurrentIndex(below);
}
