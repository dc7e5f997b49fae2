// The inventory rows and the starting-weapon list act on the class at once.

#include "dialogtesthelpers.h"
#include "userinput.h"

#include "classfilereader.h"

#include <QComboBox>
#include <QLineEdit>

namespace {

constexpr int itemList = 1063;
constexpr int amountBox = 1064;
constexpr int addButton = 1108;
constexpr int showInventoryButton = 1107;
constexpr int startingWeaponList = 1110;
constexpr int saveButton = 1076;
constexpr int writeOutButton = 2;

class InventoryTest : public DialogTest
{
protected:
    ClassRecord &record() { return dialog->state().current(); }
    QLineEdit *amount() { return control<QLineEdit>(amountBox); }
    QComboBox *items() { return control<QComboBox>(itemList); }
};

TEST_F(InventoryTest, StartsOnTheFirstItemWithAmountZero)
{
    EXPECT_EQ(items()->currentText(), "Army Knife");
    EXPECT_EQ(amount()->text(), "0");
    EXPECT_EQ(control<QComboBox>(startingWeaponList)->currentText(), "Army Knife");
}

TEST_F(InventoryTest, PickingAnItemShowsItsSlotsAmount)
{
    record().inventory[15] = 3;
    record().inventory[13] = -5;
    pick(items(), "M4");
    EXPECT_EQ(amount()->text(), "3");
    pick(items(), "MAC 10");
    EXPECT_EQ(amount()->text(), "-5");
    click(addButton);
    EXPECT_EQ(record().inventory[13], -5);
}

TEST_F(InventoryTest, AddSetsTheAmountAndKeepsTheTypedText)
{
    pick(items(), "Rockets");
    typeInto(amount(), "5");
    click(addButton);
    click(addButton);
    EXPECT_EQ(record().inventory[36], 5);

    typeInto(amount(), "007");
    click(addButton);
    EXPECT_EQ(record().inventory[36], 7);
    EXPECT_EQ(amount()->text(), "007");

    // Moving away and back shows the stored amount; storing the form leaves it.
    click(1006);
    click(1004);
    click(1005);
    EXPECT_EQ(amount()->text(), "7");
    click(saveButton);
    EXPECT_EQ(record().inventory[36], 7);

    typeInto(amount(), "");
    click(addButton);
    EXPECT_EQ(record().inventory[36], 0);
}

TEST_F(InventoryTest, UnstoredAmountIsLostOnAPickAndOnWriteOut)
{
    record().inventory[0] = 2;
    dialog->ShowRecord();
    typeInto(amount(), "30");
    pick(items(), "Fists");
    pick(items(), "Army Knife");
    EXPECT_EQ(amount()->text(), "2");
    EXPECT_EQ(record().inventory[0], 2);

    typeInto(amount(), "30");
    click(writeOutButton);
    EXPECT_EQ(amount()->text(), "2");
    ClassTable written;
    ReadClassFile(written, readFile("tvclass_seals.cfg"));
    EXPECT_EQ(written.records[0].inventory[0], 2);
}

struct WeaponPick
{
    const char *entry;
    const char *internalName;
};

class WeaponPickTest : public DialogRowTest<WeaponPick>
{
};

TEST_P(WeaponPickTest, PickSetsTheInternalNameAndReportsIt)
{
    // Before any load the class has no name; a typed name that is not stored
    // does not appear.
    typeInto(control<QLineEdit>(1010), "Medic");
    pick(control<QComboBox>(startingWeaponList), GetParam().entry);
    EXPECT_EQ(dialog->state().current().starting_weapon.view(), GetParam().internalName);
    EXPECT_EQ(dialog->statusText(),
              QString("Forced [%1] as Initial Weapon for []").arg(GetParam().internalName));
    click(saveButton);
    pick(control<QComboBox>(startingWeaponList), GetParam().entry);
    EXPECT_EQ(dialog->statusText(),
              QString("Forced [%1] as Initial Weapon for [Medic]").arg(GetParam().internalName));
}

INSTANTIATE_TEST_SUITE_P(Rows, WeaponPickTest,
                         ::testing::Values(WeaponPick{"ASX-01 Flame Thrower", "weapon_flame"},
                                           WeaponPick{"Fists", "weapon_fists"}, WeaponPick{"MAC 10", "weapon_AK97"},
                                           WeaponPick{"Mk23", "weapon_Mk23"}, WeaponPick{"PSG-1", "weapon_sniper"}));

TEST_F(InventoryTest, SelectingFromCodeRunsNoHandler)
{
    control<QComboBox>(startingWeaponList)->setCurrentIndex(5);
    items()->setCurrentIndex(3);
    EXPECT_EQ(record().starting_weapon.view(), "");
    EXPECT_EQ(dialog->statusText(), "");
    EXPECT_EQ(amount()->text(), "0");
}

TEST_F(InventoryTest, ShowInventoryAnnouncesALaterVersion)
{
    modals.expect({QMessageBox::Ok});
    click(showInventoryButton);
    ASSERT_EQ(modals.seen().size(), 1u);
    const SeenModal &box = modals.seen()[0];
    EXPECT_EQ(box.title, "Error");
    EXPECT_EQ(box.text, "Wait for a later version!");
    EXPECT_EQ(box.icon, QMessageBox::NoIcon);
    EXPECT_EQ(box.buttons, QMessageBox::Ok);
}

} // namespace
