#include "classtableclipboard.h"

#include "classtablemodel.h"
#include "model/table/classtableediting.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <QMimeData>
#include <QTableView>

using namespace tolvane;

TableGrid ClassTableClipboard::grid() const
{
    TableGrid cells;
    cells.rows = model.shownSlots();
    const QHeaderView *header = view.horizontalHeader();
    std::vector<int> shownAt(std::size_t(header->count()), -1);
    for (int visual = 0; visual < header->count(); ++visual) {
        const int column = header->logicalIndex(visual);
        if (!header->isSectionHidden(column)) {
            shownAt[std::size_t(column)] = int(cells.columns.size());
            cells.columns.push_back(column);
        }
    }
    const auto cellOf = [&](const QModelIndex &index) {
        return TableGrid::Cell{index.row(), index.isValid() ? shownAt[std::size_t(index.column())] : -1};
    };
    for (const QModelIndex &index : view.selectionModel()->selectedIndexes())
        cells.selected.push_back(cellOf(index));
    cells.current = cellOf(view.currentIndex());
    return cells;
}

void ClassTableClipboard::copy() const
{
    const QString text = QString::fromStdString(editing.copy(grid()));
    auto *data = new QMimeData;
    data->setText(text);
    data->setData(QStringLiteral("text/tab-separated-values"), text.toUtf8());
    QGuiApplication::clipboard()->setMimeData(data);
}

void ClassTableClipboard::paste()
{
    editing.paste(grid(), QGuiApplication::clipboard()->text().toStdString());
}
