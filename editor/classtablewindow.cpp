#include "classtablewindow.h"

#include "accessibility.h"
#include "bulkchangedialog.h"
#include "classtablemodel.h"
#include "classtablesummary.h"
#include "classtableview.h"
#include "cp1252.h"
#include "focusreturn.h"
#include "model/table/classtableediting.h"
#include "model/table/teamrows.h"

#include <QAction>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QScreen>
#include <QScrollBar>
#include <QStatusBar>
#include <QTimer>
#include <QVBoxLayout>

using namespace tolvane;

namespace {

// The tint of a box whose text the program cannot take as it is.
const QColor problemTint(255, 224, 160);

} // namespace

ClassTableWindow::ClassTableWindow(ClassTableEditing &editing, CompareCommands &compare, QWidget *owner)
    : QDialog(owner, Qt::Window | Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint), editing(editing),
      compare(compare)
{
    setWindowTitle(tr("Class Table"));
    setObjectName(QStringLiteral("classTable"));
    model = new ClassTableModel(editing, this);
    summary = new ClassTableSummary(*model, this);

    filter = new QLineEdit(this);
    filter->setObjectName(QStringLiteral("classFilter"));
    filter->setPlaceholderText(tr("A part of the name, health < 100, carries Grenades, ability Sniper Scope"));
    filter->setClearButtonEnabled(true);
    auto *filterLabel = new QLabel(tr("F&ilter:"), this);
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

    buildMenus();
    buildRowMenu();
    syncFooter();
    restoreLayout();

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
    connect(view->horizontalHeader(), &QHeaderView::customContextMenuRequested, this, [this](const QPoint &at) {
        const int column = view->horizontalHeader()->logicalIndexAt(at);
        if (column >= 0 && view->currentIndex().isValid())
            view->setCurrentIndex(view->currentIndex().sibling(view->currentIndex().row(), column));
        columnsMenu->popup(view->horizontalHeader()->mapToGlobal(at));
    });
    setUpAnnouncements();
    showTable(QString::fromStdString(utf8Of(editing.roster().countText(editing.rows()))));
    // The table has the focus at first, so that a screen reader reads its current cell.
    view->setFocus();
}

ClassTableWindow::~ClassTableWindow()
{
    saveLayout();
    // The owner's session may be gone already: nothing asks the rows again.
    view->setModel(nullptr);
    footer->setModel(nullptr);
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
        keptColumn = view->currentIndex().column();
    showing = true;
    model->refresh();
    view->setColumnHidden(teamColumn(), !editing.showsOtherTeam());
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
    announceChanges();
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
    const int column = view->currentIndex().isValid() ? view->currentIndex().column() : keptColumn;
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

int ClassTableWindow::currentColumn() const
{
    return view->currentIndex().isValid() ? view->currentIndex().column() : keptColumn;
}

void ClassTableWindow::changeSelectedClasses()
{
    // Through the dialog and the question after it.
    const FocusReturn back;
    BulkChangeDialog dialog(editing.rows(), editing.rowsToChange(), currentColumn(), this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    editing.changeSelectedClasses(dialog.column(), dialog.typed());
    emit commandDone();
}

void ClassTableWindow::sortAscending()
{
    view->horizontalHeader()->setSortIndicator(currentColumn(), Qt::AscendingOrder);
}

void ClassTableWindow::sortDescending()
{
    view->horizontalHeader()->setSortIndicator(currentColumn(), Qt::DescendingOrder);
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

// The summary's columns stand under the table's, whatever their order,
// width or visibility, and scroll with them.
void ClassTableWindow::syncFooter()
{
    QHeaderView *top = view->horizontalHeader();
    QHeaderView *bottom = footer->horizontalHeader();
    const auto follow = [top, bottom, this] {
        for (int visual = 0; visual < top->count(); ++visual) {
            const int column = top->logicalIndex(visual);
            const int from = bottom->visualIndex(column);
            if (from != visual)
                bottom->moveSection(from, visual);
            bottom->setSectionHidden(column, top->isSectionHidden(column));
            bottom->resizeSection(column, top->sectionSize(column));
        }
        // The row headers of both as wide as the wider ones ("Tangos mean").
        const int headers = std::max(view->verticalHeader()->sizeHint().width(),
                                     footer->verticalHeader()->sizeHint().width());
        view->verticalHeader()->setMinimumWidth(headers);
        footer->verticalHeader()->setFixedWidth(headers);
        footer->setFixedHeight(footer->verticalHeader()->length() + 2 * footer->frameWidth());
    };
    connect(footer->verticalHeader(), &QHeaderView::sectionCountChanged, this, follow);
    connect(top, &QHeaderView::sectionResized, this, follow);
    connect(top, &QHeaderView::sectionMoved, this, follow);
    connect(top, &QHeaderView::geometriesChanged, this, follow);
    connect(view->verticalHeader(), &QHeaderView::geometriesChanged, this, follow);
    connect(view->horizontalScrollBar(), &QScrollBar::valueChanged, footer->horizontalScrollBar(),
            &QScrollBar::setValue);
    follow();
}

// The focus coming to the table without a current row (the filter hides the
// form's class) chooses the first row, in the column the user had, where Qt
// would take the first column.
void ClassTableWindow::chooseRowOnFocus(Qt::FocusReason reason)
{
    if (!view->currentIndex().isValid() && reason != Qt::MouseFocusReason && model->rowCount() > 0
        && !view->isColumnHidden(keptColumn))
        view->selectionModel()->setCurrentIndex(model->index(0, keptColumn), QItemSelectionModel::NoUpdate);
}

void ClassTableWindow::hideEvent(QHideEvent *event)
{
    QDialog::hideEvent(event);
    saveLayout();
}
