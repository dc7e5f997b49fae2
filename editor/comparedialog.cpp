#include "comparedialog.h"

#include "accessibility.h"
#include "screenfit.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

using namespace tolvane;

using Mark = tolvane::ComparisonRow::Mark;

namespace {

QComboBox *classList(const CompareView::TwoClasses &classes, int picked, QWidget *parent)
{
    auto *list = new QComboBox(parent);
    for (const std::string &name : classes.classes)
        list->addItem(QString::fromStdString(name));
    list->setCurrentIndex(picked);
    speakListEntries(list);
    return list;
}

} // namespace

CompareDialog::CompareDialog(const CompareView::TwoClasses &classes, QWidget *owner)
    : QDialog(owner), rows(classes.rows), left(classList(classes, classes.left, this)),
      right(classList(classes, classes.right, this)), table(new QTableWidget(0, 5, this))
{
    setWindowTitle(tr("Compare Two Classes"));
    auto *choices = new QFormLayout;
    choices->addRow(tr("&Left class:"), left);
    choices->addRow(tr("&Right class:"), right);

    table->setObjectName(QStringLiteral("comparison"));
    table->setAccessibleName(tr("Values of the two classes"));
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    letTabLeave(table);
    table->verticalHeader()->hide();
    table->horizontalHeader()->setStretchLastSection(true);
    speakCurrentEntryOnFocus(table);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(choices);
    if (!classes.note.empty()) {
        auto *note = new QLabel(QString::fromStdString(classes.note), this);
        note->setWordWrap(true);
        layout->addWidget(note);
    }
    layout->addWidget(table, 1);
    layout->addWidget(buttons);

    connect(left, &QComboBox::currentIndexChanged, this, &CompareDialog::showRows);
    connect(right, &QComboBox::currentIndexChanged, this, &CompareDialog::showRows);
    showRows();
    fitOnScreen(this, QSize(fontMetrics().averageCharWidth() * 110, fontMetrics().height() * 36));
    table->setFocus();
}

void CompareDialog::showRows()
{
    table->setHorizontalHeaderLabels(
        {tr("Value"), left->currentText(), right->currentText(), tr("Difference"), tr("Note")});
    const std::vector<tolvane::ComparisonRow> compared = rows(left->currentIndex(), right->currentIndex());
    table->setRowCount(int(compared.size()));
    QFont marked = table->font();
    marked.setBold(true);
    const QColor faded = palette().color(QPalette::Disabled, QPalette::Text);
    for (int row = 0; row < int(compared.size()); ++row) {
        const tolvane::ComparisonRow &values = compared[std::size_t(row)];
        const std::string_view note = values.note();
        const QString cells[] = {QString::fromStdString(values.value), QString::fromStdString(values.left),
                                 QString::fromStdString(values.right), QString::fromStdString(values.difference),
                                 QString::fromLatin1(note.data(), qsizetype(note.size()))};
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
