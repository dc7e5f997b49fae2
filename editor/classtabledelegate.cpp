#include "classtabledelegate.h"

#include "classtablemodel.h"
#include "cp1252.h"
#include "model/session/formvalues.h"
#include "rangehints.h"
#include "model/table/tablecolumns.h"
#include "typingfilter.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPainter>

using namespace tolvane;

namespace {

const TableColumn &columnOf(const QModelIndex &index)
{
    return tableColumns()[std::size_t(index.column())];
}

} // namespace

void ClassTableDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    QStyledItemDelegate::paint(painter, option, index);
    if (!index.data(ClassTableModel::BaselineRole).toBool())
        return;
    const QRect cell = option.rect;
    const int side = std::max(6, cell.height() / 3);
    const QPoint corner[] = {cell.topRight() - QPoint(side, 0), cell.topRight(), cell.topRight() + QPoint(0, side)};
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(Qt::NoPen);
    painter->setBrush(QColor(200, 40, 40));
    painter->drawPolygon(corner, 3);
    painter->restore();
}

QWidget *ClassTableDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                                          const QModelIndex &index) const
{
    const TableColumn &column = columnOf(index);
    if (column.kind != ColumnKind::Resistance && column.kind != ColumnKind::StartingWeapon) {
        auto *box = qobject_cast<QLineEdit *>(QStyledItemDelegate::createEditor(parent, option, index));
        if (!box)
            return box;
        box->setAccessibleName(QString::fromStdString(column.title));
        // The tint and tooltip of the form's box for the same text.
        if (column.kind == ColumnKind::Text)
            watchTextBox(box, column.textLimit);
        else if (column.numeric())
            watchNumberBox(box, column.kind == ColumnKind::Item ? std::string_view() : std::string_view(column.id),
                           column.kind == ColumnKind::Float);
        // The keys the form's digits box takes; what gets past them, the cell stores as that box would.
        if (column.kind == ColumnKind::Int || column.kind == ColumnKind::Item)
            box->installEventFilter(new TypingFilter(ControlKind::DigitsBox, box));
        return box;
    }
    auto *list = new QComboBox(parent);
    list->setAccessibleName(QString::fromStdString(column.title));
    if (column.kind == ColumnKind::Resistance) {
        for (std::string_view entry : resistanceEntries)
            list->addItem(fromCp1252(entry));
    } else {
        for (std::string_view entry : startingWeaponEntries())
            list->addItem(fromCp1252(entry));
    }
    return list;
}

void ClassTableDelegate::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    if (auto *list = qobject_cast<QComboBox *>(editor))
        list->setCurrentIndex(list->findText(index.data(Qt::EditRole).toString(), Qt::MatchFixedString));
    else
        QStyledItemDelegate::setEditorData(editor, index);
}

void ClassTableDelegate::setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const
{
    if (auto *list = qobject_cast<QComboBox *>(editor)) {
        if (list->currentIndex() >= 0)
            model->setData(index, list->currentText(), Qt::EditRole);
        return;
    }
    QStyledItemDelegate::setModelData(editor, model, index);
}
