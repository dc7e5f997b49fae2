#include "inventorydialog.h"

#include "accessibility.h"

#include "cp1252.h"
#include "classdata/format/itemcatalogue.h"
#include "screenfit.h"
#include "model/session/tablecommands.h"
#include "classdata/text/textnumbers.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

using namespace tolvane;

InventoryDialog::InventoryDialog(const QString &className, std::function<Amounts()> readAmounts, SetAmount changeAmount,
                                 QWidget *parent)
    : QDialog(parent), amounts(std::move(readAmounts)), setAmount(std::move(changeAmount))
{
    setWindowTitle(tr("Inventory of %1").arg(className));

    carried = new QTableWidget(0, 2, this);
    carried->setHorizontalHeaderLabels({tr("Item"), tr("Amount")});
    carried->setEditTriggers(QAbstractItemView::NoEditTriggers);
    carried->setSelectionBehavior(QAbstractItemView::SelectRows);
    carried->setSelectionMode(QAbstractItemView::SingleSelection);
    carried->verticalHeader()->hide();
    letTabLeave(carried);
    carried->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    carried->setAccessibleName(tr("Items carried by %1").arg(className));
    auto *carriedLabel = new QLabel(tr("&Carried items:"), this);
    carriedLabel->setBuddy(carried);

    items = new QComboBox(this);
    // The longest item name does not set the window's width.
    items->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    items->setMinimumContentsLength(16);
    for (const ItemInfo &item : itemCatalogue)
        items->addItem(fromCp1252(item.displayName));
    amount = new QLineEdit(this);
    amount->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("-?[0-9]{0,10}")), amount));
    auto *set = new QPushButton(tr("&Set Amount"), this);
    set->setDefault(true);
    auto *remove = new QPushButton(tr("&Remove"), this);

    auto *picked = new QFormLayout;
    picked->addRow(tr("&Item:"), items);
    picked->addRow(tr("A&mount:"), amount);
    speakListEntries(items);
    speakCurrentEntryOnFocus(carried);
    auto *pickedButtons = new QHBoxLayout;
    pickedButtons->addStretch();
    pickedButtons->addWidget(set);
    pickedButtons->addWidget(remove);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(carriedLabel);
    layout->addWidget(carried);
    layout->addLayout(picked);
    layout->addLayout(pickedButtons);
    layout->addWidget(buttons);

    connect(set, &QPushButton::clicked, this, &InventoryDialog::setPickedAmount);
    connect(remove, &QPushButton::clicked, this, &InventoryDialog::removePickedItem);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(items, &QComboBox::currentIndexChanged, this, &InventoryDialog::showPickedAmount);
    connect(carried, &QTableWidget::itemSelectionChanged, this, &InventoryDialog::pickSelectedRow);

    showAmounts();
    pickItem(0);
    fitOnScreen(this, sizeHint());
}

void InventoryDialog::pickItem(int itemSlot)
{
    items->setCurrentIndex(itemSlot);
    showPickedAmount();
}

void InventoryDialog::setPickedAmount()
{
    const int slot = pickedSlot();
    setAmount(slot, parseInt(toCp1252(amount->text())));
    showAmounts();
    pickItem(slot);
}

void InventoryDialog::removePickedItem()
{
    amount->setText(QStringLiteral("0"));
    setPickedAmount();
}

// The table lists the items carried now; the picked item's row is selected.
void InventoryDialog::showAmounts()
{
    const QSignalBlocker blocker(carried);
    const auto items = carriedItems(amounts());
    carried->setRowCount(int(items.size()));
    for (int row = 0; row < int(items.size()); ++row) {
        auto *name = new QTableWidgetItem(fromCp1252(itemCatalogue[items[row].itemSlot].displayName));
        name->setData(Qt::UserRole, items[row].itemSlot);
        carried->setItem(row, 0, name);
        auto *count = new QTableWidgetItem(QString::number(items[row].amount));
        count->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        carried->setItem(row, 1, count);
    }
}

void InventoryDialog::showPickedAmount()
{
    const int slot = pickedSlot();
    amount->setText(QString::number(amounts()[slot]));
    const QSignalBlocker blocker(carried);
    carried->clearSelection();
    for (int row = 0; row < carried->rowCount(); ++row) {
        if (carried->item(row, 0)->data(Qt::UserRole).toInt() == slot)
            carried->selectRow(row);
    }
}

void InventoryDialog::pickSelectedRow()
{
    const auto selected = carried->selectedItems();
    if (!selected.isEmpty())
        pickItem(carried->item(selected.first()->row(), 0)->data(Qt::UserRole).toInt());
}

int InventoryDialog::pickedSlot() const
{
    return std::max(items->currentIndex(), 0);
}
