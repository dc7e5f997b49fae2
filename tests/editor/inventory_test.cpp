// The inventory rows and the starting-weapon list act on the class at once.

#include "controlids.h"
#include "dialogtesthelpers.h"
#include "userinput.h"

#include "classfilereader.h"

#include <QComboBox>
#include <QLineEdit>

namespace {

class InventoryTest : public DialogTest
{
protected:
    ClassRecord &record() { return dialog->state().current(); }
    QLineEdit *amount() { return control<QLineEdit>(ControlId::Amount); }
    QComboBox *items() { return control<QComboBox>(ControlId::ItemList); }
};

TEST_F(InventoryTest, AddSetsTheAmountAndKeepsTheTypedText)
{
    pick(items(), "Rockets");
    typeInto(amount(), "5");
    click(ControlId::AddItem);
    click(ControlId::AddItem);
    EXPECT_EQ(record().inventory[36], 5);

    typeInto(amount(), "007");
    click(ControlId::AddItem);
    EXPECT_EQ(record().inventory[36], 7);
    EXPECT_EQ(amount()->text(), "007");

    // Moving away and back shows the stored amount; storing the form leaves it.
    click(ControlId::AddClass);
    click(ControlId::NextClass);
    click(ControlId::PrevClass);
    EXPECT_EQ(amount()->text(), "7");
    click(ControlId::SaveToMemory);
    EXPECT_EQ(record().inventory[36], 7);

    typeInto(amount(), "");
    click(ControlId::AddItem);
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
    click(ControlId::WriteOut);
    EXPECT_EQ(amount()->text(), "2");
    ClassTable written;
    ReadClassBytes(written, readFile("tvclass_seals.cfg"));
    EXPECT_EQ(written.records[0].inventory[0], 2);
}

TEST_F(InventoryTest, WeaponPickSetsTheInternalNameAndReportsTheStoredClassName)
{
    const struct
    {
        const char *entry;
        const char *internalName;
    } rows[] = {{"ASX-01 Flame Thrower", "weapon_flame"}, {"Fists", "weapon_fists"}, {"MAC 10", "weapon_AK97"},
                {"Mk23", "weapon_Mk23"},                  {"PSG-1", "weapon_sniper"}};
    // Before any load the class has no name; a typed name counts once stored.
    typeInto(control<QLineEdit>(ControlId::ClassName), "Medic");
    for (const char *name : {"", "Medic"}) {
        for (const auto &row : rows) {
            pick(control<QComboBox>(ControlId::StartingWeaponList), row.entry);
            EXPECT_EQ(record().starting_weapon.view(), row.internalName);
            EXPECT_EQ(dialog->statusText(),
                      QString("Forced [%1] as Initial Weapon for [%2]").arg(row.internalName, name));
        }
        click(ControlId::SaveToMemory);
    }
}

} // namespace
