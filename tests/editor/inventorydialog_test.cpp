// The inventory view lists what a class carries and sets amounts at once.

#include "inventorydialog.h"
#include "userinput.h"

#include <QPushButton>
#include <QTableWidget>

#include <gtest/gtest.h>

using namespace tolvane;

namespace {

struct Row
{
    const char *name;
    void (*act)(InventoryDialog &);
    const char *table; // "Item=amount" rows after the action
    const char *sets;  // the amounts set, "slot=amount"
};

QPushButton *button(InventoryDialog &dialog, const char *text)
{
    for (auto *button : dialog.findChildren<QPushButton *>()) {
        if (button->text() == text)
            return button;
    }
    throw std::runtime_error(text);
}

const Row rows[] = {
    {"opens on the carried items", [](InventoryDialog &) {}, "Fists=2 9mm Clips=-5", ""},
    {"adds an item with Enter",
     [](InventoryDialog &d) {
         pick(d.findChild<QComboBox *>(), "Rockets");
         typeInto(d.findChild<QLineEdit *>(), "12");
         QTest::keyClick(d.findChild<QLineEdit *>(), Qt::Key_Return);
     },
     "Fists=2 Rockets=12 9mm Clips=-5", "36=12"},
    {"a row picks its item and amount",
     [](InventoryDialog &d) {
         d.findChild<QTableWidget *>()->selectRow(1);
         typeInto(d.findChild<QLineEdit *>(), "7");
         button(d, "&Set Amount")->click();
     },
     "Fists=2 9mm Clips=7", "41=7"},
    {"removes the picked item",
     [](InventoryDialog &d) {
         d.findChild<QTableWidget *>()->selectRow(0);
         button(d, "&Remove")->click();
     },
     "9mm Clips=-5", "1=0"},
};

TEST(InventoryDialog, ListsCarriedItemsAndSetsAmountsAtOnce)
{
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        InventoryDialog::Amounts amounts{};
        amounts[1] = 2;
        amounts[41] = -5;
        std::string sets;
        InventoryDialog dialog(
            "Medic", [&] { return amounts; },
            [&](int slot, std::int32_t amount) {
                amounts[std::size_t(slot)] = amount;
                sets += (sets.empty() ? "" : " ") + std::to_string(slot) + "=" + std::to_string(amount);
            });
        dialog.show();
        row.act(dialog);

        const auto *table = dialog.findChild<QTableWidget *>();
        QStringList shown;
        for (int r = 0; r < table->rowCount(); ++r)
            shown << table->item(r, 0)->text() + "=" + table->item(r, 1)->text();
        EXPECT_EQ(shown.join(' ').toStdString(), row.table);
        EXPECT_EQ(sets, row.sets);
    }
}

} // namespace
