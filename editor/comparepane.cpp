#include "comparepane.h"

#include "accessibility.h"
#include "dialogunits.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

using namespace tolvane;

using Mark = tolvane::ComparisonRow::Mark;

ComparePane::ComparePane(QWidget *parent)
    : QWidget(parent), left(new QComboBox(this)), right(new QComboBox(this)), note(new QLabel(this)),
      table(new QTableWidget(0, 5, this))
{
    setWindowTitle(tr("Compare Two Classes"));
    speakListEntries(left);
    speakListEntries(right);
    auto *choices = new QFormLayout;
    choices->addRow(tr("&Left class:"), left);
    choices->addRow(tr("&Right class:"), right);
    note->setWordWrap(true);
    note->hide();

    table->setObjectName(QStringLiteral("comparison"));
    table->setAccessibleName(tr("Values of the two classes"));
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    letTabLeave(table);
    table->verticalHeader()->hide();
    table->horizontalHeader()->setStretchLastSection(true);
    speakCurrentEntryOnFocus(table);
    setFocusProxy(table);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &ComparePane::closeRequested);
    for (QAbstractButton *button : buttons->buttons())
        static_cast<QPushButton *>(button)->setAutoDefault(true);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(choices);
    layout->addWidget(note);
    layout->addWidget(table, 1);
    layout->addWidget(buttons);

    connect(left, &QComboBox::currentIndexChanged, this, &ComparePane::showRows);
    connect(right, &QComboBox::currentIndexChanged, this, &ComparePane::showRows);
}

QSize ComparePane::sizeHint() const
{
    return {int(letterWidth(fontMetrics()) * 70), fontMetrics().height() * 16};
}

void ComparePane::showClasses(const CompareView::TwoClasses &shown)
{
    classes = shown;
    note->setText(QString::fromStdString(classes.note));
    note->setVisible(!classes.note.empty());
    fillLists(classes.classes, classes.left, classes.right);
    showRows();
}

// A class keeps its pick while its label stays, though others come or go
// before it in the list.
void ComparePane::refresh()
{
    if (!classes.rows)
        return;
    if (classes.labels) {
        const std::vector<std::string> labels = classes.labels();
        const auto pickOf = [&labels](const QComboBox *list) {
            const auto same = std::find(labels.begin(), labels.end(), list->currentText().toStdString());
            return same != labels.end() ? int(same - labels.begin()) : list->currentIndex();
        };
        fillLists(labels, pickOf(left), pickOf(right));
    }
    showRows();
}

void ComparePane::fillLists(const std::vector<std::string> &labels, int leftPicked, int rightPicked)
{
    for (auto [list, picked] : {std::pair{left, leftPicked}, std::pair{right, rightPicked}}) {
        const QSignalBlocker quiet(list);
        list->clear();
        for (const std::string &label : labels)
            list->addItem(QString::fromStdString(label));
        list->setCurrentIndex(std::clamp(picked, 0, list->count() - 1));
    }
}

void ComparePane::showRows()
{
    table->setHorizontalHeaderLabels(
        {tr("Value"), left->currentText(), right->currentText(), tr("Difference"), tr("Note")});
    const std::vector<tolvane::ComparisonRow> compared = classes.rows && left->currentIndex() >= 0
                                                             ? classes.rows(left->currentIndex(), right->currentIndex())
                                                             : std::vector<tolvane::ComparisonRow>();
    table->setRowCount(int(compared.size()));
    QFont marked = table->font();
    marked.setBold(true);
    const QColor faded = palette().color(QPalette::Disabled, QPalette::Text);
    for (int row = 0; row < int(compared.size()); ++row) {
        const tolvane::ComparisonRow &values = compared[std::size_t(row)];
        const std::string_view words = values.note();
        const QString cells[] = {QString::fromStdString(values.value), QString::fromStdString(values.left),
                                 QString::fromStdString(values.right), QString::fromStdString(values.difference),
                                 QString::fromLatin1(words.data(), qsizetype(words.size()))};
        for (int column = 0; column < 5; ++column) {
            auto *cell = new QTableWidgetItem(cells[column]);
            if (values.mark == Mark::Equal)
                cell->setForeground(faded);
            else
                cell->setFont(marked);
            table->setItem(row, column, cell);
        }
        // The file's key, for a modder looking for the line.
        table->item(row, 0)->setToolTip(QString::fromStdString(values.key));
    }
    table->resizeColumnsToContents();
}
