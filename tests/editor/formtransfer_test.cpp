// The form: what ShowRecord shows, what StoreForm stores, "Calculate!".

#include "dialogtesthelpers.h"
#include "userinput.h"

#include "classfilewriter.h"
#include "classrecord.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>

#include <clocale>
#include <cmath>
#include <cstdlib>

namespace {

constexpr int classNameBox = 1010;
constexpr int resistanceBox = 1030;
constexpr int helmetBox = 1034;
constexpr int speedBox = 1048;
constexpr int jumpBox = 1049;
constexpr int airBox = 1050;
constexpr int pistolMagBox = 1067;
constexpr int cal45Box = 1065;
constexpr int calculateButton = 1054;
constexpr int calculateResult = 1055;
constexpr int saveButton = 1076;
constexpr int startingWeaponList = 1110;

class FormTest : public DialogTest
{
protected:
    ClassRecord &record() { return dialog->state().current(); }

    void show(const ClassRecord &r)
    {
        record() = r;
        dialog->ShowRecord();
    }

    QString text(int id) { return control<QLineEdit>(id)->text(); }

    int checkedBoxes()
    {
        int n = 0;
        for (QCheckBox *box : dialog->findChildren<QCheckBox *>())
            n += box->isChecked();
        return n;
    }
};

ClassRecord defaultClass()
{
    ClassRecord r;
    ApplyBlockStartDefaults(r);
    return r;
}

TEST_F(FormTest, ShowsBlockStartDefaultsInTheirFormats)
{
    show(defaultClass());
    EXPECT_EQ(text(speedBox), "1.000000");
    EXPECT_EQ(text(jumpBox), "1.000000");
    EXPECT_EQ(text(airBox), "11.000000");
    EXPECT_EQ(text(helmetBox), "30");
    EXPECT_EQ(text(classNameBox), "?");
    EXPECT_EQ(control<QComboBox>(resistanceBox)->currentText(), "Normal Armor");
    EXPECT_EQ(checkedBoxes(), 0);
    EXPECT_EQ(dialog->windowTitle(), QString::fromUtf8("Tolvane Class Creator \u00A9 - Editing ? "));
}

TEST_F(FormTest, NegativeValueIsShownAndStoredBackUnchanged)
{
    ClassRecord r = defaultClass();
    r.combat_helmet = -5;
    show(r);
    EXPECT_EQ(text(helmetBox), "-5");
    click(saveButton);
    EXPECT_EQ(record().combat_helmet, -5);
    EXPECT_EQ(dialog->windowTitle(), QString::fromUtf8("Tolvane Class Creator \u00A9 - Saving ? "));
}

TEST_F(FormTest, DigitsBoxTakesOnlyDigitsFromTheKeyboard)
{
    typeInto(control<QLineEdit>(helmetBox), "4a-2.5");
    EXPECT_EQ(text(helmetBox), "425");
}

struct StoredNumber
{
    const char *typed;
    float speed;
};

class StoredNumberTest : public DialogRowTest<StoredNumber>
{
};

TEST_P(StoredNumberTest, NumberBoxStoresItsLeadingNumber)
{
    // Also under a locale whose decimal point is a comma: the form keeps '.'.
    for (const char *locale : {"C", "de_DE.UTF-8"}) {
        if (!std::setlocale(LC_ALL, locale)) {
            if (std::getenv("CI"))
                ADD_FAILURE() << "locale " << locale << " is missing";
            continue;
        }
        typeInto(control<QLineEdit>(speedBox), GetParam().typed);
        click(saveButton);
        EXPECT_EQ(dialog->state().current().speed, GetParam().speed) << GetParam().typed << " in " << locale;
        dialog->ShowRecord();
        EXPECT_EQ(control<QLineEdit>(speedBox)->text().contains(','), false);
    }
    std::setlocale(LC_ALL, "C");
}

INSTANTIATE_TEST_SUITE_P(Rows, StoredNumberTest,
                         ::testing::Values(StoredNumber{"", 0.0f}, StoredNumber{"12abc", 12.0f},
                                           StoredNumber{"1,5", 1.0f}, StoredNumber{"1.5", 1.5f},
                                           StoredNumber{" -2.25e1x", -22.5f}, StoredNumber{"1e39", 3.40282347e38f}));

TEST_F(FormTest, PistolMagWinsOverTheDisabledBox)
{
    show(defaultClass());
    typeInto(control<QLineEdit>(pistolMagBox), "77");
    click(saveButton);
    EXPECT_EQ(record().max_45cal, 77);
    EXPECT_EQ(text(cal45Box), "4");
    dialog->ShowRecord();
    EXPECT_EQ(text(cal45Box), "77");
}

TEST_F(FormTest, UndefinedAbilityBitsLastUntilTheFormIsStored)
{
    ClassRecord r = defaultClass();
    r.classabilities = 0x800 | 0x800000 | 0x2;
    show(r);
    EXPECT_EQ(checkedBoxes(), 1);
    EXPECT_EQ(record().classabilities, 0x800 | 0x800000 | 0x2);
    click(saveButton);
    EXPECT_EQ(record().classabilities, 0x2);
}

TEST_F(FormTest, NoResistanceEntryIsKeptThroughShowAndStore)
{
    ClassRecord r = defaultClass();
    r.resistance = -1.0f;
    show(r);
    auto *resistance = control<QComboBox>(resistanceBox);
    EXPECT_EQ(resistance->currentIndex(), -1);
    click(saveButton);
    EXPECT_EQ(record().resistance, -1.0f);

    // Typed text that names no entry selects none; typing an entry's text does.
    r.resistance = 2.0f;
    show(r);
    typeInto(resistance->lineEdit(), "Fire armor");
    click(saveButton);
    EXPECT_EQ(record().resistance, -1.0f);
    typeInto(resistance->lineEdit(), "Fire Armor");
    click(saveButton);
    EXPECT_EQ(record().resistance, 1.0f);
    EXPECT_EQ(resistance->count(), 3);
}

struct CalculateRow
{
    std::int32_t stored;
    const char *shown;
};

class CalculateTest : public DialogRowTest<CalculateRow>
{
};

TEST_P(CalculateTest, ShowsTheStoredDefinedBits)
{
    ClassRecord r;
    ApplyBlockStartDefaults(r);
    r.classabilities = GetParam().stored;
    dialog->state().current() = r;
    dialog->ShowRecord();
    // A box ticked but not stored does not count.
    control<QCheckBox>(1016)->setChecked(!control<QCheckBox>(1016)->isChecked());
    click(calculateButton);
    EXPECT_EQ(control<QLineEdit>(calculateResult)->text(), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(Rows, CalculateTest,
                         ::testing::Values(CalculateRow{-1, "8386559"}, CalculateRow{2048, "0"},
                                           CalculateRow{0x400000 | 0x10, "4194320"}, CalculateRow{0, "0"}));

struct WeaponRow
{
    const char *startingWeapon;
    const char *selected; // empty: no entry
};

class StartingWeaponShownTest : public DialogRowTest<WeaponRow>
{
};

TEST_P(StartingWeaponShownTest, SelectsTheEntryAndKeepsTheName)
{
    ClassRecord r;
    ApplyBlockStartDefaults(r);
    r.starting_weapon.assign(GetParam().startingWeapon);
    dialog->state().current() = r;
    dialog->ShowRecord();
    EXPECT_EQ(control<QComboBox>(startingWeaponList)->currentText(), GetParam().selected);
    EXPECT_EQ(dialog->state().current().starting_weapon.view(), GetParam().startingWeapon);
    EXPECT_EQ(dialog->statusText(), "");
}

INSTANTIATE_TEST_SUITE_P(Rows, StartingWeaponShownTest,
                         ::testing::Values(WeaponRow{"WEAPON_MP5", "H&K MP 5"}, WeaponRow{"weapon_laser", "Army Knife"},
                                           WeaponRow{"", "Army Knife"}, WeaponRow{"ammo_rockets", ""},
                                           WeaponRow{"weapon_trap", ""}, WeaponRow{"item_silencer", ""},
                                           WeaponRow{"weapon_mk23", "Mk23"}));

TEST_F(FormTest, Windows1252NameTravelsFromFileToFormToFile)
{
    const std::string name = "Ing\xE9nieur \x80\x9F\xFF";
    ClassTable table;
    ApplyBlockStartDefaults(table.records[0]);
    table.records[0].classname.assign(name);
    table.classCount = 1;
    const std::string bytes = ClassFileBytes(table, "\n");
    writeFile("tvclass_seals.cfg", bytes);

    click(1003);
    EXPECT_EQ(text(classNameBox), QString::fromUtf8("Ing\u00E9nieur \u20AC\u0178\u00FF"));
    click(2);
    EXPECT_EQ(readFile("tvclass_seals.cfg"), bytes);

    // A typed character Windows-1252 lacks is stored as '?'.
    typeInto(control<QLineEdit>(classNameBox), QString::fromUtf8("K\u00F6nig \u03A9"));
    click(saveButton);
    EXPECT_EQ(record().classname.view(), "K\xF6nig ?");
}

TEST_F(FormTest, LongTextsAreLimitedToTheirFields)
{
    typeInto(control<QLineEdit>(classNameBox), QString(40, 'n'));
    typeInto(control<QLineEdit>(1040), QString(1100, 'k'));
    click(saveButton);
    EXPECT_EQ(record().classname.size(), 31u);
    EXPECT_EQ(record().keys.size(), 1023u);
}

} // namespace
