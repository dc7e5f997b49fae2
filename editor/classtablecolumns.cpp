#include "classtablewindow.h"

#include "classtablemodel.h"
#include "classtableview.h"
#include "recentfolders.h"
#include "screenfit.h"
#include "model/table/tablecolumns.h"
#include "model/table/teamrows.h"

#include <QAction>
#include <QGuiApplication>
#include <QHeaderView>
#include <QMenuBar>
#include <QScreen>
#include <QSettings>
#include <QStyle>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

// The table window's menus, and its columns as the user arranges them and
// the settings keep them.

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

struct MenuEntry
{
    const char *text;
    const char *keys;
    void (ClassTableWindow::*slot)();
};

} // namespace

void ClassTableWindow::buildMenus()
{
    auto *bar = new QMenuBar(this);
    bar->setNativeMenuBar(false);
    layout()->setMenuBar(bar);
    const auto add = [this](QMenu *menu, const MenuEntry &entry) {
        QAction *action = menu->addAction(tr(entry.text), this, entry.slot);
        action->setShortcuts(QKeySequence::listFromString(QString::fromLatin1(entry.keys), QKeySequence::PortableText));
        action->setShortcutContext(Qt::WindowShortcut);
        addAction(action);
        return action;
    };
    QMenu *table = bar->addMenu(tr("&Table"));
    add(table, {"&Filter...", "Ctrl+F", &ClassTableWindow::focusFilter});
    table->addSeparator();
    add(table, {"Sort &Ascending", "Alt+Up", &ClassTableWindow::sortAscending});
    add(table, {"Sort &Descending", "Alt+Down", &ClassTableWindow::sortDescending});
    add(table, {"File &Order", "Alt+Home", &ClassTableWindow::showFileOrder});
    table->addSeparator();
    add(table, {"Select All &Shown", "Ctrl+A", &ClassTableWindow::selectAllShown});
    add(table, {"Select All &Classes", "Ctrl+Shift+A", &ClassTableWindow::selectAllClasses});
    add(table, {"C&hange Selected Classes...", "Ctrl+E", &ClassTableWindow::changeSelectedClasses});
    table->addSeparator();
    compareAction = add(table, {"Co&mpare Two Classes...", "Ctrl+K", &ClassTableWindow::compareSelected});
    changedAction = add(table, {"Filter Changed from &Baseline", "", &ClassTableWindow::filterChanged});
    table->setObjectName(QStringLiteral("tableMenu"));
    QMenu *edit = bar->addMenu(tr("&Edit"));
    edit->setObjectName(QStringLiteral("editMenu"));
    const QList<QAction *> clipboard = {add(edit, {"&Copy", "Ctrl+C", &ClassTableWindow::copyCells}),
                                        add(edit, {"&Paste", "Ctrl+V", &ClassTableWindow::pasteCells})};
    edit->addSeparator();
    view->addActions(clipboard);
    view->setContextMenuPolicy(Qt::ActionsContextMenu);

    columnsMenu = bar->addMenu(tr("&Columns"));
    QAction *scale = add(columnsMenu, {"Colour &Scale", "", &ClassTableWindow::toggleColourScale});
    scale->setCheckable(true);
    QAction *summaryRow = add(columnsMenu, {"Su&mmary Rows", "", &ClassTableWindow::toggleSummary});
    summaryRow->setCheckable(true);
    summaryRow->setChecked(true);
    columnsMenu->addSeparator();
    add(columnsMenu, {"Move Column &Left", "Ctrl+Shift+Left", &ClassTableWindow::moveColumnLeft});
    add(columnsMenu, {"Move Column &Right", "Ctrl+Shift+Right", &ClassTableWindow::moveColumnRight});
    add(columnsMenu, {"&Hide Column", "", &ClassTableWindow::hideColumn});
    add(columnsMenu, {"Reset &Columns", "", &ClassTableWindow::resetColumns});
    columnsMenu->addSeparator();
    buildColumnMenus(columnsMenu);
    connect(columnsMenu, &QMenu::aboutToShow, this, [this, scale, summaryRow] {
        const int column = currentColumn();
        scale->setEnabled(numericColumn(column));
        scale->setChecked(model->colourScale(column));
        summaryRow->setChecked(!footer->isHidden());
    });
}

// A check for each column, in three lists: the values of the form, the
// abilities, the inventory items.
void ClassTableWindow::buildColumnMenus(QMenu *menu)
{
    QMenu *values = menu->addMenu(tr("Show &Values"));
    QMenu *abilities = menu->addMenu(tr("Show &Abilities"));
    QMenu *items = menu->addMenu(tr("Show &Items"));
    const std::vector<TableColumn> &columns = tableColumns();
    for (std::size_t i = 0; i < columns.size(); ++i) {
        QMenu *in = columns[i].kind == ColumnKind::Tick   ? abilities
                    : columns[i].kind == ColumnKind::Item ? items
                                                          : values;
        QAction *shown = in->addAction(QString::fromStdString(columns[i].title));
        shown->setCheckable(true);
        connect(shown, &QAction::toggled, this, [this, column = int(i)](bool on) { showColumn(column, on); });
        connect(in, &QMenu::aboutToShow, shown, [this, shown, column = int(i)] {
            const QSignalBlocker quiet(shown);
            shown->setChecked(!view->isColumnHidden(column));
        });
    }
}

void ClassTableWindow::showColumn(int column, bool shown)
{
    view->setColumnHidden(column, !shown);
    if (shown && view->columnWidth(column) == 0)
        fitColumn(column);
}

void ClassTableWindow::hideColumn()
{
    const int column = currentColumn();
    QHeaderView *header = view->horizontalHeader();
    const int visual = header->visualIndex(column);
    showColumn(column, false);
    // The current cell moves to a neighbour that is still shown.
    for (int next : {visual + 1, visual - 1}) {
        const int neighbour = header->logicalIndex(next);
        if (neighbour >= 0 && !header->isSectionHidden(neighbour) && view->currentIndex().isValid()) {
            view->setCurrentIndex(view->currentIndex().sibling(view->currentIndex().row(), neighbour));
            break;
        }
    }
}

void ClassTableWindow::moveColumnLeft()
{
    moveColumn(-1);
}

void ClassTableWindow::moveColumnRight()
{
    moveColumn(1);
}

// Past the hidden columns beside it, to the next column shown.
void ClassTableWindow::moveColumn(int by)
{
    QHeaderView *header = view->horizontalHeader();
    const int from = header->visualIndex(currentColumn());
    int to = from + by;
    while (to >= 0 && to < header->count() && header->isSectionHidden(header->logicalIndex(to)))
        to += by;
    if (to >= 0 && to < header->count())
        header->moveSection(from, to);
}

void ClassTableWindow::toggleColourScale()
{
    const int column = currentColumn();
    model->setColourScale(column, !model->colourScale(column) && numericColumn(column));
}

void ClassTableWindow::toggleSummary()
{
    footer->setHidden(!footer->isHidden());
}

void ClassTableWindow::resetColumns()
{
    QHeaderView *header = view->horizontalHeader();
    for (int column = 0; column < header->count(); ++column) {
        header->moveSection(header->visualIndex(column), column);
        if (column != teamColumn())
            view->setColumnHidden(column, !tableColumns()[std::size_t(column)].shownAtFirst);
    }
    // The team first, where it is seen with the name.
    header->moveSection(header->visualIndex(teamColumn()), 0);
    for (int column = 0; column < header->count(); ++column)
        fitColumn(column);
}

// Wide enough for its values, its title and its summary.
void ClassTableWindow::fitColumn(int column)
{
    view->resizeColumnToContents(column);
    int width = view->columnWidth(column);
    const int margins = 2 * style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, footer) + 4;
    for (int row = 0; row < footer->model()->rowCount(); ++row) {
        const QString text = footer->model()->index(row, column).data().toString();
        width = std::max(width, footer->fontMetrics().horizontalAdvance(text) + margins);
    }
    view->setColumnWidth(column, width);
}

void ClassTableWindow::restoreLayout()
{
    QSettings settings = editorSettings();
    const QStringList order = settings.value(group + QStringLiteral("order")).toStringList();
    if (order.isEmpty()) {
        resetColumns();
    } else {
        QHeaderView *header = view->horizontalHeader();
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
                view->setColumnHidden(column,
                                      known ? hidden.contains(id) : !tableColumns()[std::size_t(column)].shownAtFirst);
            if (widths.contains(id))
                view->setColumnWidth(column, std::max(widths.value(id).toInt(), header->minimumSectionSize()));
            else
                fitColumn(column);
        }
    }
    for (const QString &id : settings.value(group + QStringLiteral("colourScale")).toStringList()) {
        if (const int column = columnOfId(id.toStdString()); column >= 0)
            model->setColourScale(column, numericColumn(column));
    }
    footer->setHidden(!settings.value(group + QStringLiteral("summary"), true).toBool());
    if (!restoreGeometry(settings.value(group + QStringLiteral("geometry")).toByteArray()))
        placeBesideOwner();
}

// Beside the form, on the side with the most room, else over it.
void ClassTableWindow::placeBesideOwner()
{
    const QWidget *owner = parentWidget();
    const QRect screen = (owner ? owner->screen() : QGuiApplication::primaryScreen())->availableGeometry();
    const QMargins frame = frameMargins(this);
    const QSize frameSize(frame.left() + frame.right(), frame.top() + frame.bottom());
    const QSize wanted = QSize(screen.width(), fontMetrics().height() * 30);
    const QSize smallest =
        QSize(fontMetrics().averageCharWidth() * 60, fontMetrics().height() * 14).expandedTo(minimumSizeHint())
        + frameSize;
    if (const std::optional<QRect> place = owner ? placeClearOf(owner->frameGeometry(), wanted, smallest, screen)
                                                 : std::nullopt)
        setGeometry(place->marginsRemoved(frame));
    else
        fitOnScreen(this, QSize(screen.width() * 3 / 4, screen.height() / 2));
}

void ClassTableWindow::saveLayout() const
{
    QSettings settings = editorSettings();
    const QHeaderView *header = view->horizontalHeader();
    QStringList order, hidden, scaled;
    QVariantMap widths;
    for (int visual = 0; visual < header->count(); ++visual) {
        const int column = header->logicalIndex(visual);
        order << idOf(column);
        if (header->isSectionHidden(column))
            hidden << idOf(column);
        else
            widths.insert(idOf(column), header->sectionSize(column));
        if (model->colourScale(column))
            scaled << idOf(column);
    }
    settings.setValue(group + QStringLiteral("order"), order);
    settings.setValue(group + QStringLiteral("hidden"), hidden);
    settings.setValue(group + QStringLiteral("widths"), widths);
    settings.setValue(group + QStringLiteral("colourScale"), scaled);
    settings.setValue(group + QStringLiteral("summary"), !footer->isHidden());
    settings.setValue(group + QStringLiteral("geometry"), saveGeometry());
}

void ClassTableWindow::shareCommands(const QList<QAction *> &table, const QList<QAction *> &edit)
{
    auto *tableMenu = findChild<QMenu *>(QStringLiteral("tableMenu"));
    QAction *first = tableMenu->actions().value(0);
    for (QAction *action : table)
        tableMenu->insertAction(first, action);
    tableMenu->insertSeparator(first);
    findChild<QMenu *>(QStringLiteral("editMenu"))->addActions(edit);
    addActions(table + edit);
}
