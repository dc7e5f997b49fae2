#include "classtablecolumns.h"

#include "classtablemodel.h"
#include "recentfolders.h"
#include "model/table/tablecolumns.h"
#include "model/table/teamrows.h"

#include <QAction>
#include <QHeaderView>
#include <QMenu>
#include <QScrollBar>
#include <QSettings>
#include <QStyle>
#include <QTableView>

#include <algorithm>

using namespace tolvane;

namespace {

const QString group = QStringLiteral("classTable/");

// The Team column is kept as "team".
QString idOf(int column)
{
    return column == teamColumn() ? QStringLiteral("team")
                                  : QString::fromStdString(tableColumns()[std::size_t(column)].id);
}

int columnOfSaved(const QString &id)
{
    return id == QStringLiteral("team") ? teamColumn() : columnOfId(id.toStdString());
}

bool numericColumn(int column)
{
    return column >= 0 && column < int(tableColumns().size()) && tableColumns()[std::size_t(column)].numeric();
}

} // namespace

ClassTableColumns::ClassTableColumns(ClassTableModel &model, QTableView &view, QTableView &summary, QWidget *window)
    : QObject(window), model(model), view(view), summary(summary), window(window)
{
    QHeaderView *top = view.horizontalHeader();
    connect(summary.verticalHeader(), &QHeaderView::sectionCountChanged, this, &ClassTableColumns::followView);
    connect(top, &QHeaderView::sectionResized, this, &ClassTableColumns::followView);
    connect(top, &QHeaderView::sectionMoved, this, &ClassTableColumns::followView);
    connect(top, &QHeaderView::geometriesChanged, this, &ClassTableColumns::followView);
    connect(view.verticalHeader(), &QHeaderView::geometriesChanged, this, &ClassTableColumns::followView);
    connect(view.horizontalScrollBar(), &QScrollBar::valueChanged, summary.horizontalScrollBar(),
            &QScrollBar::setValue);
    connect(summary.model(), &QAbstractItemModel::modelReset, this, &ClassTableColumns::fold);
    followView();
}

// The summary's columns stand under the table's, whatever their order,
// width or visibility.
void ClassTableColumns::followView()
{
    QHeaderView *top = view.horizontalHeader();
    QHeaderView *bottom = summary.horizontalHeader();
    for (int visual = 0; visual < top->count(); ++visual) {
        const int column = top->logicalIndex(visual);
        const int from = bottom->visualIndex(column);
        if (from != visual)
            bottom->moveSection(from, visual);
        bottom->setSectionHidden(column, top->isSectionHidden(column));
        bottom->resizeSection(column, top->sectionSize(column));
    }
    // The row headers of both as wide as the wider ones ("Tangos mean").
    const int headers = std::max(view.verticalHeader()->sizeHint().width(),
                                 summary.verticalHeader()->sizeHint().width());
    view.verticalHeader()->setMinimumWidth(headers);
    summary.verticalHeader()->setFixedWidth(headers);
    summary.setFixedHeight(summary.verticalHeader()->length() + 2 * summary.frameWidth());
}

void ClassTableColumns::fillMenu(QMenu *menu)
{
    const auto add = [this, menu](const QString &text, const char *keys, void (ClassTableColumns::*slot)()) {
        QAction *action = menu->addAction(text, this, slot);
        action->setShortcuts(QKeySequence::listFromString(QString::fromLatin1(keys), QKeySequence::PortableText));
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        window->addAction(action);
        return action;
    };
    QAction *scale = add(tr("Colour &Scale"), "", &ClassTableColumns::toggleColourScale);
    scale->setCheckable(true);
    QAction *summaryRows = add(tr("Su&mmary Rows"), "", &ClassTableColumns::toggleSummary);
    summaryRows->setCheckable(true);
    QAction *folding = add(tr("F&old Summary Rows"), "", &ClassTableColumns::toggleFoldedSummary);
    folding->setCheckable(true);
    menu->addSeparator();
    add(tr("Move Column &Left"), "Ctrl+Shift+Left", &ClassTableColumns::moveLeft);
    add(tr("Move Column &Right"), "Ctrl+Shift+Right", &ClassTableColumns::moveRight);
    add(tr("&Hide Column"), "", &ClassTableColumns::hideCurrent);
    add(tr("Reset &Columns"), "", &ClassTableColumns::reset);
    menu->addSeparator();
    addChecks(menu);
    connect(menu, &QMenu::aboutToShow, this, [this, scale, summaryRows, folding] {
        const int column = currentColumn();
        scale->setEnabled(numericColumn(column));
        scale->setChecked(model.colourScale(column));
        summaryRows->setChecked(!summary.isHidden());
        folding->setChecked(folded);
    });
}

// A check for each column, in three lists: the values of the form, the
// abilities, the inventory items.
void ClassTableColumns::addChecks(QMenu *menu)
{
    QMenu *values = menu->addMenu(tr("Show &Values"));
    QMenu *abilities = menu->addMenu(tr("Show &Abilities"));
    QMenu *items = menu->addMenu(tr("Show &Items"));
    const std::vector<TableColumn> &columns = tableColumns();
    for (std::size_t i = 0; i < columns.size(); ++i) {
        QMenu *in = columns[i].kind == ColumnKind::Tick   ? abilities
                    : columns[i].kind == ColumnKind::Item ? items
                                                          : values;
        // "S&W 66" shows its "&" rather than an Alt letter W.
        QAction *shown = in->addAction(
            QString::fromStdString(columns[i].title).replace(QStringLiteral("&"), QStringLiteral("&&")));
        shown->setCheckable(true);
        connect(shown, &QAction::toggled, this, [this, column = int(i)](bool on) { show(column, on); });
        connect(in, &QMenu::aboutToShow, shown, [this, shown, column = int(i)] {
            const QSignalBlocker quiet(shown);
            shown->setChecked(!view.isColumnHidden(column));
        });
    }
}

int ClassTableColumns::currentColumn() const
{
    return view.currentIndex().isValid() ? view.currentIndex().column() : keptColumn;
}

void ClassTableColumns::show(int column, bool shown)
{
    view.setColumnHidden(column, !shown);
    if (shown && view.columnWidth(column) == 0)
        fitColumn(column);
}

void ClassTableColumns::hideCurrent()
{
    const int column = currentColumn();
    QHeaderView *header = view.horizontalHeader();
    const int visual = header->visualIndex(column);
    show(column, false);
    // The current cell moves to a neighbour that is still shown.
    for (int next : {visual + 1, visual - 1}) {
        const int neighbour = header->logicalIndex(next);
        if (neighbour >= 0 && !header->isSectionHidden(neighbour) && view.currentIndex().isValid()) {
            view.setCurrentIndex(view.currentIndex().sibling(view.currentIndex().row(), neighbour));
            break;
        }
    }
}

void ClassTableColumns::moveLeft()
{
    move(-1);
}

void ClassTableColumns::moveRight()
{
    move(1);
}

// Past the hidden columns beside it, to the next column shown.
void ClassTableColumns::move(int by)
{
    QHeaderView *header = view.horizontalHeader();
    const int from = header->visualIndex(currentColumn());
    int to = from + by;
    while (to >= 0 && to < header->count() && header->isSectionHidden(header->logicalIndex(to)))
        to += by;
    if (to >= 0 && to < header->count())
        header->moveSection(from, to);
}

void ClassTableColumns::toggleColourScale()
{
    const int column = currentColumn();
    model.setColourScale(column, !model.colourScale(column) && numericColumn(column));
}

void ClassTableColumns::toggleSummary()
{
    summary.setHidden(!summary.isHidden());
}

void ClassTableColumns::toggleFoldedSummary()
{
    folded = !folded;
    fold();
}

// Folded, the row of the means stays: with both teams, the difference of
// their means, the last row.
void ClassTableColumns::fold()
{
    const int rows = summary.model()->rowCount();
    const int kept = rows > 3 ? rows - 1 : 1;
    for (int row = 0; row < rows; ++row)
        summary.setRowHidden(row, folded && row != kept);
    followView();
}

void ClassTableColumns::reset()
{
    QHeaderView *header = view.horizontalHeader();
    for (int column = 0; column < header->count(); ++column) {
        header->moveSection(header->visualIndex(column), column);
        if (column != teamColumn())
            view.setColumnHidden(column, !tableColumns()[std::size_t(column)].shownAtFirst);
    }
    // The team first, where it is seen with the name.
    header->moveSection(header->visualIndex(teamColumn()), 0);
    for (int column = 0; column < header->count(); ++column)
        fitColumn(column);
}

void ClassTableColumns::fitColumn(int column)
{
    view.resizeColumnToContents(column);
    int width = view.columnWidth(column);
    const int margins = 2 * view.style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &summary) + 4;
    for (int row = 0; row < summary.model()->rowCount(); ++row) {
        const QString text = summary.model()->index(row, column).data().toString();
        width = std::max(width, summary.fontMetrics().horizontalAdvance(text) + margins);
    }
    view.setColumnWidth(column, width);
}

void ClassTableColumns::restore()
{
    QSettings settings = editorSettings();
    const QStringList order = settings.value(group + QStringLiteral("order")).toStringList();
    if (order.isEmpty()) {
        reset();
    } else {
        QHeaderView *header = view.horizontalHeader();
        const QStringList hidden = settings.value(group + QStringLiteral("hidden")).toStringList();
        const QVariantMap widths = settings.value(group + QStringLiteral("widths")).toMap();
        int visual = 0;
        for (const QString &id : order) {
            const int column = columnOfSaved(id);
            if (column >= 0)
                header->moveSection(header->visualIndex(column), visual++);
        }
        for (int column = 0; column < header->count(); ++column) {
            const QString id = idOf(column);
            const bool known = order.contains(id);
            if (column != teamColumn())
                view.setColumnHidden(column,
                                     known ? hidden.contains(id) : !tableColumns()[std::size_t(column)].shownAtFirst);
            if (widths.contains(id))
                view.setColumnWidth(column, std::max(widths.value(id).toInt(), header->minimumSectionSize()));
            else
                fitColumn(column);
        }
    }
    for (const QString &id : settings.value(group + QStringLiteral("colourScale")).toStringList()) {
        if (const int column = columnOfId(id.toStdString()); column >= 0)
            model.setColourScale(column, numericColumn(column));
    }
    summary.setHidden(!settings.value(group + QStringLiteral("summary"), true).toBool());
    folded = settings.value(group + QStringLiteral("summaryFolded"), false).toBool();
    fold();
}

void ClassTableColumns::save() const
{
    QSettings settings = editorSettings();
    const QHeaderView *header = view.horizontalHeader();
    QStringList order, hidden, scaled;
    QVariantMap widths;
    for (int visual = 0; visual < header->count(); ++visual) {
        const int column = header->logicalIndex(visual);
        order << idOf(column);
        if (header->isSectionHidden(column))
            hidden << idOf(column);
        else
            widths.insert(idOf(column), header->sectionSize(column));
        if (model.colourScale(column))
            scaled << idOf(column);
    }
    settings.setValue(group + QStringLiteral("order"), order);
    settings.setValue(group + QStringLiteral("hidden"), hidden);
    settings.setValue(group + QStringLiteral("widths"), widths);
    settings.setValue(group + QStringLiteral("colourScale"), scaled);
    settings.setValue(group + QStringLiteral("summary"), !summary.isHidden());
    settings.setValue(group + QStringLiteral("summaryFolded"), folded);
}
