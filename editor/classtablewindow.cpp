#include "classtablewindow.h"

#include "accessibility.h"
#include "bulkchangedialog.h"
#include "classtableannouncements.h"
#include "classtableclipboard.h"
#include "classtablecolumns.h"
#include "classtablemodel.h"
#include "classtablesummary.h"
#include "classtableview.h"
#include "cp1252.h"
#include "dialogunits.h"
#include "focusreturn.h"
#include "model/compare/comparecommands.h"
#include "model/table/classtableediting.h"
#include "model/table/teamrows.h"

#include <QAction>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QStatusBar>
#include <QTimer>
#include <QVBoxLayout>

using namespace tolvane;

namespace {

// The tint of a box whose text the program cannot take as it is.
const QColor problemTint(255, 224, 160);

struct MenuEntry
{
    const char *text;
    const char *keys;
    void (ClassTableWindow::*slot)();
};

} // namespace

ClassTableWindow::ClassTableWindow(ClassTableEditing &editing, CompareCommands &compare, QWidget *parent)
    : QWidget(parent), editing(editing), compare(compare)
{
    setWindowTitle(tr("Class Table"));
    setObjectName(QStringLiteral("classTable"));
    model = new ClassTableModel(editing, this);
    summary = new ClassTableSummary(*model, this);

    filter = new QLineEdit(this);
    filter->setObjectName(QStringLiteral("classFilter"));
    filter->setPlaceholderText(tr("A part of the name, health < 100, carries Grenades, ability Sniper Scope"));
    filter->setClearButtonEnabled(true);
    auto *filterLabel = new QLabel(tr("Filte&r:"), this);
    filterLabel->setBuddy(filter);

    view = new ClassTableView(this);
    view->setObjectName(QStringLiteral("classRows"));
    view->setModel(model);
    view->setAccessibleName(tr("Classes"));
    letTabLeave(view);
    view->horizontalHeader()->setSortIndicatorShown(false);

    footer = new QTableView(this);
    footer->setObjectName(QStringLiteral("classSummary"));
    footer->setModel(summary);
    footer->setAccessibleName(tr("Summary of the classes shown"));
    footer->horizontalHeader()->hide();
    footer->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    footer->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    footer->setEditTriggers(QAbstractItemView::NoEditTriggers);
    footer->setSelectionMode(QAbstractItemView::NoSelection);
    footer->setFocusPolicy(Qt::NoFocus);
    footer->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);

    auto *status = new QStatusBar(this);
    status->setSizeGripEnabled(false);
    count = new QLabel(status);
    count->setObjectName(QStringLiteral("classCount"));
    // The count line never sets the window's least width: under Wine the
    // empty label asked for a screen's width and pushed the window past the
    // screen's edge.
    count->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    status->addWidget(count, 1);

    auto *bar = new QHBoxLayout;
    bar->addWidget(filterLabel);
    bar->addWidget(filter, 1);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(view, 1);
    layout->addWidget(footer);
    layout->addWidget(status);

    columns = new ClassTableColumns(*model, *view, *footer, this);
    clipboard = std::make_unique<ClassTableClipboard>(editing, *model, *view);
    buildMenus();
    columns->restore();

    connect(filter, &QLineEdit::textChanged, this,
            [this](const QString &text) { this->editing.filter(toCp1252(text)); });
    connect(view->selectionModel(), &QItemSelectionModel::currentRowChanged, this, [this](const QModelIndex &current) {
        if (showing || !current.isValid())
            return;
        this->editing.chooseRow(model->slotOf(current.row()));
        emit commandDone();
    });
    connect(view->selectionModel(), &QItemSelectionModel::selectionChanged, this, &ClassTableWindow::reportSelection);
    connect(
        view->horizontalHeader(), &QHeaderView::sortIndicatorChanged, this, [this](int column, Qt::SortOrder order) {
            if (showing)
                return;
            if (column < 0)
                this->editing.fileOrder();
            else
                this->editing.sort(column, order == Qt::AscendingOrder ? SortOrder::Ascending : SortOrder::Descending);
        });
    announcements = new ClassTableAnnouncements(editing, *model, *view,
                                                [this](Qt::FocusReason reason) { chooseRowOnFocus(reason); });
    showTable(QString::fromStdString(utf8Of(editing.roster().countText(editing.rows()))));
    // The table has the focus at first, so that a screen reader reads its current cell.
    view->setFocus();
}

ClassTableWindow::~ClassTableWindow()
{
    saveLayout();
    delete announcements;
    // The owner's session may be gone already: nothing asks the rows again.
    view->setModel(nullptr);
    footer->setModel(nullptr);
}

QSize ClassTableWindow::sizeHint() const
{
    // The row headers are as wide as the summary's too.
    const QHeaderView *rows = view->verticalHeader();
    return {std::max(rows->sizeHint().width(), rows->minimumWidth()) + int(letterWidth(fontMetrics()) * 28),
            fontMetrics().height() * 16};
}

QTableView *ClassTableWindow::table() const
{
    return view;
}

QString ClassTableWindow::statusText() const
{
    return count->text();
}

// Qt's own sorting is the session's: the view asks the model to sort, and
// the model's rows come from the session in its order.
void ClassTableWindow::showTable(const QString &status)
{
    if (model->storing()) {
        // The view changes rows once its edit is stored.
        QTimer::singleShot(
            0, this, [this] { showTable(QString::fromStdString(utf8Of(editing.roster().countText(editing.rows())))); });
        return;
    }
    if (view->currentIndex().isValid())
        columns->keepColumn(view->currentIndex().column());
    showing = true;
    model->refresh();
    const bool teams = editing.showsOtherTeam();
    if (teams == view->isColumnHidden(teamColumn())) {
        view->setColumnHidden(teamColumn(), !teams);
        if (teams)
            fitTeamColumn();
    }
    count->setText(status);
    const bool unreadable = editing.roster().filter().error().has_value();
    QPalette palette;
    if (unreadable)
        palette.setColor(QPalette::Base, problemTint);
    filter->setPalette(palette);
    filter->setToolTip(unreadable ? status : QString());
    filter->setAccessibleDescription(unreadable ? status : QString());
    followSession();
    showing = false;
    announcements->sayChanges();
}

// Wide enough for the longest team name, whatever width it had before.
void ClassTableWindow::fitTeamColumn()
{
    const int width = view->columnWidth(teamColumn());
    columns->fitColumn(teamColumn());
    view->setColumnWidth(teamColumn(), std::max(width, view->columnWidth(teamColumn())));
}

// The selection, the current row and the sort shown are the session's.
void ClassTableWindow::followSession()
{
    const ClassRoster &roster = editing.roster();
    QHeaderView *header = view->horizontalHeader();
    const std::optional<int> sorted = roster.sortedBy();
    header->setSortIndicatorShown(sorted.has_value());
    header->setSortIndicator(sorted.value_or(-1),
                             roster.order() == SortOrder::Ascending ? Qt::AscendingOrder : Qt::DescendingOrder);
    // Selected cells stand for their rows: while they are the rows the
    // session has, they stay as the user chose them.
    QItemSelection selection;
    bool same = true;
    for (int row = 0; row < model->rowCount(); ++row) {
        const bool selected = roster.selected(model->slotOf(row));
        if (selected)
            selection.select(model->index(row, 0), model->index(row, model->columnCount() - 1));
        same = same && selected == view->selectionModel()->rowIntersectsSelection(row);
    }
    if (!same)
        view->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
    // A key that moves the current row selects first: the row follows the
    // session once it has chosen it.
    if (reporting)
        return;
    // The form's class, in the column the current cell had; no row while the
    // filter hides it, so that any row chosen moves the form.
    const int row = model->rowOf(editing.formRow());
    const int column = columns->currentColumn();
    if (row < 0)
        view->selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
    else if (view->currentIndex().row() != row)
        view->selectionModel()->setCurrentIndex(model->index(row, column), QItemSelectionModel::NoUpdate);
}

void ClassTableWindow::reportSelection()
{
    if (showing)
        return;
    std::vector<int> chosen;
    for (int row = 0; row < model->rowCount(); ++row) {
        if (view->selectionModel()->rowIntersectsSelection(row))
            chosen.push_back(model->slotOf(row));
    }
    reporting = true;
    editing.selectRows(chosen);
    reporting = false;
}

void ClassTableWindow::focusFilter()
{
    filter->setFocus(Qt::ShortcutFocusReason);
    filter->selectAll();
}

void ClassTableWindow::changeSelectedClasses()
{
    // Through the dialog and the question after it.
    const FocusReturn back;
    BulkChangeDialog dialog(editing.rows(), editing.rowsToChange(), columns->currentColumn(), this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    editing.changeSelectedClasses(dialog.column(), dialog.typed());
    emit commandDone();
}

void ClassTableWindow::sortAscending()
{
    view->horizontalHeader()->setSortIndicator(columns->currentColumn(), Qt::AscendingOrder);
}

void ClassTableWindow::sortDescending()
{
    view->horizontalHeader()->setSortIndicator(columns->currentColumn(), Qt::DescendingOrder);
}

void ClassTableWindow::showFileOrder()
{
    editing.fileOrder();
}

void ClassTableWindow::selectAllShown()
{
    editing.selectAllShown();
}

void ClassTableWindow::selectAllClasses()
{
    editing.selectAllClasses();
}

// The focus coming to the table without a current row (the filter hides the
// form's class) chooses the first row, in the column the user had, where Qt
// would take the first column.
void ClassTableWindow::chooseRowOnFocus(Qt::FocusReason reason)
{
    const int kept = columns->currentColumn();
    if (!view->currentIndex().isValid() && reason != Qt::MouseFocusReason && model->rowCount() > 0
        && !view->isColumnHidden(kept))
        view->selectionModel()->setCurrentIndex(model->index(0, kept), QItemSelectionModel::NoUpdate);
}

// Tab and Shift+Tab go between the table and its filter bar, as in a window
// of its own: the pane is left with Esc or Ctrl+T.
bool ClassTableWindow::focusNextPrevChild(bool next)
{
    const Qt::FocusReason reason = next ? Qt::TabFocusReason : Qt::BacktabFocusReason;
    if (filter->hasFocus()) {
        view->setFocus(reason);
        return true;
    }
    if (view->hasFocus()) {
        filter->setFocus(reason);
        return true;
    }
    return QWidget::focusNextPrevChild(next);
}

void ClassTableWindow::hideEvent(QHideEvent *event)
{
    QWidget::hideEvent(event);
    saveLayout();
}

void ClassTableWindow::saveLayout() const
{
    columns->save();
}

void ClassTableWindow::buildMenus()
{
    auto *bar = new QMenuBar(this);
    bar->setNativeMenuBar(false);
    layout()->setMenuBar(bar);
    // The keys work wherever the focus is in the table, docked or floating.
    const auto add = [this](QMenu *menu, const MenuEntry &entry) {
        QAction *action = menu->addAction(tr(entry.text), this, entry.slot);
        action->setShortcuts(QKeySequence::listFromString(QString::fromLatin1(entry.keys), QKeySequence::PortableText));
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        addAction(action);
        return action;
    };
    // The Table and Edit menus without Alt letters: each of their letters
    // leads to the form already. Their commands have keys of their own.
    QMenu *table = bar->addMenu(tr("Table"));
    add(table, {"&Filter...", "Ctrl+F", &ClassTableWindow::focusFilter});
    table->addSeparator();
    add(table, {"Sort &Ascending", "Alt+Up", &ClassTableWindow::sortAscending});
    add(table, {"Sort &Descending", "Alt+Down", &ClassTableWindow::sortDescending});
    add(table, {"File &Order", "Alt+Home", &ClassTableWindow::showFileOrder});
    table->addSeparator();
    add(table, {"Select All &Shown", "Ctrl+A", &ClassTableWindow::selectAllShown});
    add(table, {"Select All C&lasses", "Ctrl+Shift+A", &ClassTableWindow::selectAllClasses});
    add(table, {"C&hange Selected Classes...", "Ctrl+E", &ClassTableWindow::changeSelectedClasses});
    table->addSeparator();
    // The rows' context menu (a right click, the Menu key) holds the view's actions.
    view->addActions({add(table, {"Co&mpare Two Classes...", "Ctrl+K", &ClassTableWindow::compareSelected}),
                      add(table, {"Filter Changed from &Baseline", "", &ClassTableWindow::filterChanged})});
    table->setObjectName(QStringLiteral("tableMenu"));
    QMenu *edit = bar->addMenu(tr("Edit"));
    edit->setObjectName(QStringLiteral("editMenu"));
    view->addActions({add(edit, {"&Copy", "Ctrl+C", &ClassTableWindow::copyCells}),
                      add(edit, {"&Paste", "Ctrl+V", &ClassTableWindow::pasteCells})});
    edit->addSeparator();
    view->setContextMenuPolicy(Qt::ActionsContextMenu);
    QMenu *columnsMenu = bar->addMenu(tr("&Columns"));
    columns->fillMenu(columnsMenu);
    connect(view->horizontalHeader(), &QHeaderView::customContextMenuRequested, this,
            [this, columnsMenu](const QPoint &at) {
                const int column = view->horizontalHeader()->logicalIndexAt(at);
                if (column >= 0 && view->currentIndex().isValid())
                    view->setCurrentIndex(view->currentIndex().sibling(view->currentIndex().row(), column));
                columnsMenu->popup(view->horizontalHeader()->mapToGlobal(at));
            });
}

void ClassTableWindow::shareCommands(const QList<QAction *> &table, const QList<QAction *> &edit)
{
    auto *tableMenu = findChild<QMenu *>(QStringLiteral("tableMenu"));
    QAction *first = tableMenu->actions().value(0);
    for (QAction *action : table)
        tableMenu->insertAction(first, action);
    tableMenu->insertSeparator(first);
    findChild<QMenu *>(QStringLiteral("editMenu"))->addActions(edit);
    // Their keys work here when the table floats as a window of its own.
    addActions(table + edit);
}

void ClassTableWindow::shareRowCommands(const QList<QAction *> &commands)
{
    view->addActions(commands);
}

void ClassTableWindow::copyCells()
{
    clipboard->copy();
}

void ClassTableWindow::pasteCells()
{
    clipboard->paste();
    emit commandDone();
}

// Two selected rows side by side; one beside its namesake, to pick another.
void ClassTableWindow::compareSelected()
{
    std::vector<int> rows;
    for (int row = 0; row < model->rowCount(); ++row) {
        if (view->selectionModel()->rowIntersectsSelection(row))
            rows.push_back(model->slotOf(row));
    }
    if (rows.empty() && view->currentIndex().isValid())
        rows.push_back(model->slotOf(view->currentIndex().row()));
    compare.compareRows(rows);
    emit commandDone();
}

void ClassTableWindow::filterChanged()
{
    const QString typed = filter->text().trimmed();
    if (typed.compare(QStringLiteral("changed"), Qt::CaseInsensitive) == 0
        || typed.endsWith(QStringLiteral(" and changed")))
        return;
    filter->setText(typed.isEmpty() ? QStringLiteral("changed") : typed + QStringLiteral(" and changed"));
}
