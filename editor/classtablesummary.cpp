#include "classtablesummary.h"

#include "model/table/classroster.h"
#include "classtablemodel.h"

#include <array>

using namespace tolvane;

namespace {

enum Row { Minimum, Mean, Maximum, RowCount };
// With both teams: each team's three rows, then the difference of the means.
constexpr int teamRowCount = 2 * RowCount + 1;

} // namespace

ClassTableSummary::ClassTableSummary(const ClassTableModel &table, QObject *parent)
    : QAbstractTableModel(parent), table(table)
{
    const auto follow = [this] {
        const int rows = this->table.teamSummary().empty() ? RowCount : teamRowCount;
        if (rows != shownRows) {
            beginResetModel();
            shownRows = rows;
            endResetModel();
        } else if (columnCount() > 0) {
            emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
        }
        emit headerDataChanged(Qt::Vertical, 0, rowCount() - 1);
    };
    connect(&table, &QAbstractItemModel::dataChanged, this, follow);
    connect(&table, &QAbstractItemModel::modelReset, this, follow);
    connect(&table, &QAbstractItemModel::layoutChanged, this, follow);
}

int ClassTableSummary::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : shownRows;
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
    const auto text = [](double value) { return QString::fromStdString(tolvane::summaryNumber(value)); };
    const auto &teams = table.teamSummary();
    if (teams.empty() || shownRows != teamRowCount) {
        const std::optional<ValueSpread> spread = table.spread(index.column());
        if (!spread || index.row() >= RowCount)
            return {};
        const std::array values{spread->minimum, spread->mean, spread->maximum};
        return text(values[std::size_t(index.row())]);
    }
    if (std::size_t(index.column()) >= teams.size() || !teams[std::size_t(index.column())])
        return {};
    const TeamSummaryRow &row = *teams[std::size_t(index.column())];
    if (index.row() == 2 * RowCount)
        return row.meanDifference ? text(*row.meanDifference) : QVariant();
    const std::optional<ValueSpread> &spread = index.row() < RowCount ? row.first : row.second;
    if (!spread)
        return {};
    const std::array values{spread->minimum, spread->mean, spread->maximum};
    return text(values[std::size_t(index.row() % RowCount)]);
}

QVariant ClassTableSummary::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Horizontal)
        return table.headerData(section, orientation, role);
    const QString names[] = {tr("Minimum"), tr("Mean"), tr("Maximum")};
    if (shownRows == RowCount)
        return section >= 0 && section < RowCount ? names[section] : QVariant();
    const QStringList &teams = table.teamNames();
    if (section == 2 * RowCount)
        return tr("Mean difference (%1 - %2)").arg(teams.value(1), teams.value(0));
    return section >= 0 && section < 2 * RowCount
               ? tr("%1 %2").arg(teams.value(section / RowCount), names[section % RowCount].toLower())
               : QVariant();
}
