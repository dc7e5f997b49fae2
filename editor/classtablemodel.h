#pragma once

#include "classdata/compare/classcompare.h"
#include "model/table/announcements.h"

#include <QAbstractTableModel>
#include <QHash>
#include <QSet>
#include <QStringList>

#include <optional>
#include <string>
#include <vector>

namespace tolvane {
class ClassTableEditing;
class CompareCommands;
struct TableRows;
} // namespace tolvane

// The class table's rows for a view: the classes the session shows, in its
// order, a column each value. Values are the session's; an edit goes to the
// session as one step. Problems tint their cells and name themselves in the
// tooltip and the accessible description; numeric columns can show a colour
// scale from the lowest to the highest value shown.
class ClassTableModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    explicit ClassTableModel(tolvane::ClassTableEditing &table, QObject *parent = nullptr);

    // True on a cell whose value differs from the baseline's.
    static constexpr int BaselineRole = Qt::UserRole + 1;

    // The session's classes, filter, order or problems changed.
    void refresh();
    // The slot of a row, and the row of a slot (-1 when not shown).
    int slotOf(int row) const { return row >= 0 && row < int(rows.size()) ? rows[std::size_t(row)] : -1; }
    int rowOf(int slot) const;
    const std::vector<int> &shownSlots() const { return rows; }
    // Whether an edit of the view is being stored: rows must not change
    // under it.
    bool storing() const { return changing; }

    void setColourScale(int column, bool on);
    bool colourScale(int column) const { return scaled.contains(column); }
    // The minimum, mean and maximum of a numeric column over the rows shown.
    std::optional<tolvane::ValueSpread> spread(int column) const;
    // With the other team shown: each team's spread over its rows shown.
    // nullopt by column where it is not numeric; empty with one team shown.
    const std::vector<std::optional<tolvane::TeamSummaryRow>> &teamSummary() const { return teams; }
    // The team in memory and the other team, as the summary names them.
    const QStringList &teamNames() const { return names; }

    // The cell as a screen reader is told it: its row's and column's
    // headers, its text, its problem, whether it is read only.
    tolvane::CellFacts cellFacts(const QModelIndex &index) const;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;

private:
    QVariant teamData(const tolvane::TableRows &classes, int slot, int column, int role) const;
    std::optional<std::string> baselineOf(const tolvane::TableRows &classes, int slot, int column) const;
    QString problemText(int slot, int column) const;
    QVariant scaleColour(int slot, int column) const;
    QString scaleWords(int slot, int column) const;

    tolvane::ClassTableEditing &table;
    std::vector<int> rows;
    QHash<quint64, QString> problems; // by slot and column
    QHash<int, tolvane::ValueSpread> spreads;
    std::vector<std::optional<tolvane::TeamSummaryRow>> teams;
    QStringList names;
    QStringList labels; // of the rows, as their headers show them
    QSet<int> scaled;
    bool changing = false;
};
