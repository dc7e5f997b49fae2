#pragma once

#include "classcompare.h"

#include <QAbstractTableModel>
#include <QHash>
#include <QSet>

#include <optional>
#include <vector>

namespace tolvane {
class EditorSession;
}

// The class table's rows for a view: the classes the session shows, in its
// order, a column each value. Values are the session's; an edit goes to the
// session as one step. Problems tint their cells and name themselves in the
// tooltip and the accessible description; numeric columns can show a colour
// scale from the lowest to the highest value shown.
class ClassTableModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    explicit ClassTableModel(tolvane::EditorSession &session, QObject *parent = nullptr);

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

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;

private:
    QString problemText(int slot, int column) const;
    QVariant scaleColour(int slot, int column) const;
    QString scaleWords(int slot, int column) const;

    tolvane::EditorSession &session;
    std::vector<int> rows;
    QHash<quint64, QString> problems; // by slot and column
    QHash<int, tolvane::ValueSpread> spreads;
    QSet<int> scaled;
    bool changing = false;
};
