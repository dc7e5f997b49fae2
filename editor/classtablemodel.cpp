#include "classtablemodel.h"

#include "model/table/classroster.h"
#include "cp1252.h"
#include "model/table/classtableediting.h"
#include "model/table/tablecolumns.h"
#include "model/table/teamrows.h"

#include <QColor>

#include <algorithm>

using namespace tolvane;

namespace {

// The same tint as a box of the form whose value the game reads otherwise.
const QColor problemTint(255, 224, 160);
// The other team's rows: read only, as a box that takes no input.
const QColor readOnlyTint(236, 236, 236);
const QColor readOnlyText(96, 96, 96);
// Light at both ends, so that black text stays readable on every cell.
const QColor scaleLow(190, 214, 240);
const QColor scaleHigh(250, 180, 120);

quint64 cellKey(int slot, int column)
{
    return quint64(slot) << 32 | quint32(column);
}

QColor blend(const QColor &from, const QColor &to, double part)
{
    const auto mix = [part](int a, int b) { return int(a + (b - a) * part + 0.5); };
    return {mix(from.red(), to.red()), mix(from.green(), to.green()), mix(from.blue(), to.blue())};
}

const TableColumn &columnAt(int column)
{
    return tableColumns()[std::size_t(column)];
}

} // namespace

ClassTableModel::ClassTableModel(ClassTableEditing &table, QObject *parent) : QAbstractTableModel(parent), table(table)
{
    refresh();
}

int ClassTableModel::rowOf(int slot) const
{
    const auto found = std::ranges::find(rows, slot);
    return found == rows.end() ? -1 : int(found - rows.begin());
}

void ClassTableModel::refresh()
{
    problems.clear();
    for (const ClassTableEditing::CellProblem &problem : table.cellProblems()) {
        QString &text = problems[cellKey(problem.slot, problem.column)];
        text += (text.isEmpty() ? QString() : QStringLiteral("\n")) + QString::fromStdString(problem.text);
    }
    std::vector<int> shown = table.shownRows();
    const TableRows classes = table.rows();
    spreads.clear();
    for (int column = 0; column < columnCount(); ++column) {
        if (const std::optional<ValueSpread> spread = columnSpread(column, classes, shown))
            spreads.insert(column, *spread);
    }
    teams.clear();
    if (!classes.other.empty())
        teams = teamSummaryByColumn(classes, shown);
    names = {QString::fromLatin1(teamName(classes.team)), QString::fromLatin1(teamName(otherTeam(classes.team)))};
    QStringList shownLabels;
    for (int row : shown)
        shownLabels << fromCp1252(classes.label(row));
    if (shown.size() != rows.size()) {
        beginResetModel();
        rows = std::move(shown);
        labels = std::move(shownLabels);
        endResetModel();
        return;
    }
    if (shown != rows) {
        emit layoutAboutToBeChanged();
        QModelIndexList from = persistentIndexList(), to;
        for (const QModelIndex &index : from) {
            const auto at = std::ranges::find(shown, slotOf(index.row()));
            to.append(at == shown.end() ? QModelIndex() : this->index(int(at - shown.begin()), index.column()));
        }
        rows = std::move(shown);
        labels = shownLabels;
        changePersistentIndexList(from, to);
        emit layoutChanged();
    }
    labels = std::move(shownLabels);
    if (!rows.empty()) {
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
        emit headerDataChanged(Qt::Vertical, 0, rowCount() - 1);
    }
}

void ClassTableModel::setColourScale(int column, bool on)
{
    if (on)
        scaled.insert(column);
    else
        scaled.remove(column);
    if (!rows.empty())
        emit dataChanged(index(0, column), index(rowCount() - 1, column));
}

std::optional<ValueSpread> ClassTableModel::spread(int column) const
{
    const auto found = spreads.constFind(column);
    return found == spreads.constEnd() ? std::nullopt : std::optional<ValueSpread>(*found);
}

int ClassTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(rows.size());
}

int ClassTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(tableColumns().size()) + 1; // and the Team column
}

QVariant ClassTableModel::data(const QModelIndex &index, int role) const
{
    const int slot = slotOf(index.row());
    if (slot < 0 || !index.isValid())
        return {};
    const TableRows classes = table.rows();
    if (!classes.has(slot))
        return {}; // gone since the rows were last shown
    if (index.column() == teamColumn() || classes.readOnly(slot))
        return teamData(classes, slot, index.column(), role);
    const TableColumn &column = columnAt(index.column());
    const ClassRecord &record = classes.record(slot);
    const bool tick = column.kind == ColumnKind::Tick;
    const QString problem = problemText(slot, index.column());
    const std::optional<std::string> baseline = classes.baselineValue(slot, column.value);
    switch (role) {
    case Qt::DisplayRole:
        return tick ? QVariant() : fromCp1252(cellText(column, record));
    case Qt::EditRole:
    case Qt::AccessibleTextRole:
        return fromCp1252(cellText(column, record));
    case Qt::CheckStateRole:
        return tick ? QVariant(cellNumber(column, record) == 1.0 ? Qt::Checked : Qt::Unchecked) : QVariant();
    case Qt::ToolTipRole:
    case Qt::AccessibleDescriptionRole: {
        QStringList notes{problem, scaleWords(slot, index.column())};
        if (baseline && column.kind != ColumnKind::Inventory)
            notes << tr("Baseline: %1").arg(QString::fromStdString(*baseline));
        notes.removeAll(QString());
        return notes.join(u'\n');
    }
    case BaselineRole:
        return baseline.has_value() && column.kind != ColumnKind::Inventory;
    case Qt::BackgroundRole:
        return problem.isEmpty() ? scaleColour(slot, index.column()) : QVariant(problemTint);
    case Qt::ForegroundRole:
        // Black on the light tints, whatever the colour scheme.
        return problem.isEmpty() && scaleColour(slot, index.column()).isNull() ? QVariant() : QColor(Qt::black);
    case Qt::TextAlignmentRole:
        return column.numeric() ? QVariant(Qt::AlignRight | Qt::AlignVCenter) : QVariant();
    default:
        return {};
    }
}

CellFacts ClassTableModel::cellFacts(const QModelIndex &index) const
{
    const int slot = slotOf(index.row());
    if (slot < 0)
        return {};
    return {.row = labels.value(index.row()).toStdString(),
            .column = headerData(index.column(), Qt::Horizontal, Qt::DisplayRole).toString().toStdString(),
            .value = data(index, Qt::AccessibleTextRole).toString().toStdString(),
            .problem = problemText(slot, index.column()).replace(u'\n', QStringLiteral("; ")).toStdString(),
            .readOnly = table.rows().readOnly(slot)};
}

QVariant ClassTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal) {
        if (section < 0 || section >= columnCount())
            return {};
        if (section == teamColumn())
            return role == Qt::DisplayRole   ? tr("Team")
                   : role == Qt::ToolTipRole ? tr("Team: in the filter \"team tangos\" or \"team = Seals\"")
                                             : QVariant();
        const TableColumn &column = columnAt(section);
        if (role == Qt::DisplayRole)
            return QString::fromStdString(column.title);
        if (role == Qt::ToolTipRole && column.kind != ColumnKind::Inventory)
            return tr("%1: in the filter \"%2\" or \"%3\"")
                .arg(QString::fromStdString(column.title), QString::fromStdString(column.title),
                     fromCp1252(valueName(column.value)));
        return {};
    }
    const int slot = slotOf(section);
    if (slot < 0 || (role != Qt::DisplayRole && role != Qt::ToolTipRole))
        return {};
    // The place in the file, and the name, stay in view while the columns scroll.
    return labels.value(section);
}

Qt::ItemFlags ClassTableModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (index.column() == teamColumn() || table.rows().readOnly(slotOf(index.row())))
        return flags;
    const TableColumn &column = columnAt(index.column());
    if (column.kind == ColumnKind::Tick)
        flags |= Qt::ItemIsUserCheckable;
    else if (column.editable())
        flags |= Qt::ItemIsEditable;
    return flags;
}

bool ClassTableModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    const int slot = slotOf(index.row());
    if (slot < 0 || (role != Qt::EditRole && role != Qt::CheckStateRole))
        return false;
    const std::string text = role == Qt::CheckStateRole ? (value.value<Qt::CheckState>() == Qt::Checked ? "yes" : "no")
                                                        : toCp1252(value.toString());
    changing = true;
    table.editCell(slot, index.column(), text);
    changing = false;
    return true;
}

QString ClassTableModel::problemText(int slot, int column) const
{
    return problems.value(cellKey(slot, column));
}

QVariant ClassTableModel::scaleColour(int slot, int column) const
{
    const std::optional<ValueSpread> range = spread(column);
    if (!scaled.contains(column) || !range)
        return {};
    const std::optional<double> value = cellNumber(columnAt(column), table.rows().record(slot));
    const std::optional<double> at = value ? scalePosition(*value, *range) : std::nullopt;
    if (!at)
        return {};
    return *at < 0.5 ? blend(scaleLow, Qt::white, *at * 2) : blend(Qt::white, scaleHigh, (*at - 0.5) * 2);
}

// The scale's meaning in words, for those who do not see the colour.
QString ClassTableModel::scaleWords(int slot, int column) const
{
    const std::optional<ValueSpread> range = spread(column);
    if (!scaled.contains(column) || !range || !(range->maximum > range->minimum))
        return {};
    const std::optional<double> value = cellNumber(columnAt(column), table.rows().record(slot));
    if (value == range->minimum)
        return tr("The lowest of the classes shown");
    if (value == range->maximum)
        return tr("The highest of the classes shown");
    return {};
}

// The Team column, and the other team's rows: shown as their file holds
// them, greyed and named read only for those who do not see the grey.
// The baseline's value where it differs, of the other team's rows too; the
// Team column and the inventory show none.
std::optional<std::string> ClassTableModel::baselineOf(const TableRows &classes, int slot, int column) const
{
    if (column == teamColumn() || columnAt(column).kind == ColumnKind::Inventory)
        return std::nullopt;
    return classes.baselineValue(slot, columnAt(column).value);
}

QVariant ClassTableModel::teamData(const TableRows &classes, int slot, int column, int role) const
{
    const bool team = column == teamColumn();
    const QString teamName = QString::fromLatin1(tolvane::teamName(classes.teamOf(slot)));
    const bool readOnly = classes.readOnly(slot);
    switch (role) {
    case Qt::DisplayRole:
        if (team)
            return teamName;
        return columnAt(column).kind == ColumnKind::Tick ? QVariant()
                                                         : fromCp1252(cellText(columnAt(column), classes.record(slot)));
    case Qt::EditRole:
    case Qt::AccessibleTextRole:
        return team ? teamName : fromCp1252(cellText(columnAt(column), classes.record(slot)));
    case Qt::CheckStateRole:
        if (team || columnAt(column).kind != ColumnKind::Tick)
            return {};
        return cellNumber(columnAt(column), classes.record(slot)) == 1.0 ? Qt::Checked : Qt::Unchecked;
    case Qt::ToolTipRole:
    case Qt::AccessibleDescriptionRole: {
        QStringList notes{readOnly ? tr("Read only: the %1' class file, not changed here").arg(teamName) : QString()};
        if (const std::optional<std::string> baseline = baselineOf(classes, slot, column))
            notes << tr("Baseline: %1").arg(QString::fromStdString(*baseline));
        notes.removeAll(QString());
        return notes.isEmpty() ? QVariant() : notes.join(u'\n');
    }
    case BaselineRole:
        return baselineOf(classes, slot, column).has_value();
    case Qt::BackgroundRole:
        return readOnly ? QVariant(readOnlyTint) : QVariant();
    case Qt::ForegroundRole:
        return readOnly ? QVariant(readOnlyText) : QVariant();
    case Qt::TextAlignmentRole:
        return !team && columnAt(column).numeric() ? QVariant(Qt::AlignRight | Qt::AlignVCenter) : QVariant();
    default:
        return {};
    }
}
