#pragma once

#include <QAbstractTableModel>

class ClassTableModel;

// The summary under the class table: for each numeric column, the minimum,
// the mean and the maximum of the rows the table shows, a row each; with
// the other team shown, each team's, and the difference of their means.
class ClassTableSummary : public QAbstractTableModel
{
    Q_OBJECT

public:
    explicit ClassTableSummary(const ClassTableModel &table, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    const ClassTableModel &table;
    int shownRows = 3;
};
