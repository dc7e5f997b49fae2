#pragma once

#include "classdata/format/classrecord.h"

#include <QDialog>

#include <array>
#include <cstdint>
#include <functional>

class QComboBox;
class QLineEdit;
class QPushButton;
class QTableWidget;

// The inventory of one class: every item it carries with its amount, in
// catalogue order, and a row that sets the amount of any item, which adds,
// changes or (with 0) removes it. Each change goes into the class at once,
// as ADD! does, through the function the window passes.
class InventoryDialog : public QDialog
{
    Q_OBJECT

public:
    using Amounts = std::array<std::int32_t, tolvane::inventorySlotCount>;
    using SetAmount = std::function<void(int itemSlot, std::int32_t amount)>;

    // amounts reads the class's amounts as they are now.
    InventoryDialog(const QString &className, std::function<Amounts()> amounts, SetAmount setAmount,
                    QWidget *parent = nullptr);

    // Shows itemSlot in the row that sets an amount.
    void pickItem(int itemSlot);

public slots:
    void setPickedAmount();
    void removePickedItem();

private:
    void showAmounts();
    void showPickedAmount();
    void pickSelectedRow();
    int pickedSlot() const;

    std::function<Amounts()> amounts;
    SetAmount setAmount;
    QTableWidget *carried = nullptr;
    QComboBox *items = nullptr;
    QLineEdit *amount = nullptr;
};
