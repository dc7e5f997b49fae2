#include "classtablesummary.h"

#include "classroster.h"
#include "classtablemodel.h"

using namespace tolvane;

namespace {

enum Row { Minimum, Mean, Maximum, RowCount };

} // namespace

ClassTableSummary::ClassTableSummary(const ClassTableModel &table, QObject *parent)
    : QAbstractTableModel(parent), table(table)
{
    const auto follow = [this] {
        if (columnCount() > 0)
            emit dataChanged(index(0, 0), index(RowCount - 1, columnCount() - 1));
    };
    connect(&table, &QAbstractItemModel::dataChanged, this, follow);
    connect(&table, &QAbstractItemModel::modelReset, this, follow);
    connect(&table, &QAbstractItemModel::layoutChanged, this, follow);
}

int ClassTableSummary::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : RowCount;
}

int ClassTableSummary::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : table.columnCount();
}

QVariant ClassTableSummary::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    if (role == Qt::TextAlignmentRole)
        return QVariant(Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole && role != Qt::AccessibleTextRole)
        return {};
    const std::optional<ValueSpread> spread = table.spread(index.column());
    if (!spread)
        return {};
    const double values[] = {spread->minimum, spread->mean, spread->maximum};
    return QString::fromStdString(tolvane::summaryNumber(values[index.row()]));
}

QVariant ClassTableSummary::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Horizontal)
        return table.headerData(section, orientation, role);
    const QString names[] = {tr("Minimum"), tr("Mean"), tr("Maximum")};
    return section >= 0 && section < RowCount ? names[section] : QVariant();
}
