// The form: what ShowRecord shows, what StoreForm stores, "Calculate!".

#include "controlids.h"
#include "dialogtesthelpers.h"
#include "userinput.h"

#include "classfilewriter.h"
#include "classrecord.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>

#include <clocale>
#include <cstdlib>

namespace {

class FormTest : public DialogTest
{
protected:
    ClassRecord &record() { return dialog->state().current(); }
    QString text(int id) { return control<QLineEdit>(id)->text(); }
    void save() { click(ControlId::SaveToMemory); }

    // Shows a class with the block-start defaults, changed by edit.
    template <typename Edit>
    void show(Edit edit)
    {
        ApplyBlockStartDefaults(record());
        edit(record());
        dialog->ShowRecord();
    }

    int checkedBoxes()
    {
        const auto boxes = dialog->findChildren<QCheckBox *>();
        return int(std::count_if(boxes.begin(), boxes.end(), [](QCheckBox *b) { return b->isChecked(); }));
    }
};

TEST_F(FormTest, ShowsDefaultsInTheirFormatsAndStoresANegativeValueBack)
{
    show([](ClassRecord &r) { r.combat_helmet = -5; });
    EXPECT_EQ(text(ControlId::Speed), "1.000000");
    EXPECT_EQ(text(ControlId::Jump), "1.000000");
    EXPECT_EQ(text(ControlId::UnderwaterAir), "11.000000");
    EXPECT_EQ(text(ControlId::ClassName), "?");
    EXPECT_EQ(control<QComboBox>(ControlId::Resistance)->currentText(), "Normal Armor");
    EXPECT_EQ(checkedBoxes(), 0);
    EXPECT_EQ(shownTitle(*dialog), QString::fromUtf8("Tolvane Class Creator \u00A9 - Editing ? *"));
    EXPECT_EQ(text(ControlId::Helmet), "-5");
    save();
    EXPECT_EQ(record().combat_helmet, -5);
    EXPECT_EQ(shownTitle(*dialog), QString::fromUtf8("Tolvane Class Creator \u00A9 - Saving ? *"));
}

TEST_F(FormTest, NumberBoxStoresItsLeadingNumberInEveryLocale)
{
    const struct
    {
        const char *typed;
        float speed;
    } rows[] = {{"", 0.0f},    {"12abc", 12.0f},         {"1,5", 1.0f},
                {"1.5", 1.5f}, {" -2.25e1x", -22.5f},   {"1e39", 3.40282347e38f}};
    for (const char *locale : {"C", "de_DE.UTF-8"}) {
        if (!std::setlocale(LC_ALL, locale)) {
            if (std::getenv("CI"))
                ADD_FAILURE() << "locale " << locale << " is missing";
            continue;
        }
        for (const auto &row : rows) {
            typeInto(control<QLineEdit>(ControlId::Speed), row.typed);
            save();
            EXPECT_EQ(record().speed, row.speed) << row.typed << " in " << locale;
            dialog->ShowRecord();
            EXPECT_FALSE(text(ControlId::Speed).contains(','));
        }
    }
    std::setlocale(LC_ALL, "C");
}

TEST_F(FormTest, PistolMagWinsOverTheDisabledBox)
{
    show([](ClassRecord &) {});
    typeInto(control<QLineEdit>(ControlId::PistolMag), "77");
    save();
    EXPECT_EQ(record().max_45cal, 77);
    EXPECT_EQ(text(ControlId::Cal45Mag), "4");
    dialog->ShowRecord();
    EXPECT_EQ(text(ControlId::Cal45Mag), "77");
}

TEST_F(FormTest, UndefinedAbilityBitsLastUntilTheFormIsStored)
{
    show([](ClassRecord &r) { r.classabilities = 0x800 | 0x800000 | 0x2; });
    EXPECT_EQ(checkedBoxes(), 1);
    EXPECT_EQ(record().classabilities, 0x800 | 0x800000 | 0x2);
    save();
    EXPECT_EQ(record().classabilities, 0x2);
}

TEST_F(FormTest, NoResistanceEntryIsKeptThroughShowAndStore)
{
    show([](ClassRecord &r) { r.resistance = -1.0f; });
    auto *resistance = control<QComboBox>(ControlId::Resistance);
    EXPECT_EQ(resistance->currentIndex(), -1);
    save();
    EXPECT_EQ(record().resistance, -1.0f);

    // Typed text that names no entry selects none; typing an entry's text does.
    show([](ClassRecord &r) { r.resistance = 2.0f; });
    typeInto(resistance->lineEdit(), "Fire armor");
    save();
    EXPECT_EQ(record().resistance, -1.0f);
    typeInto(resistance->lineEdit(), "Fire Armor");
    save();
    EXPECT_EQ(record().resistance, 1.0f);
}

TEST_F(FormTest, CalculateShowsTheStoredDefinedBits)
{
    const struct
    {
        std::int32_t stored;
        const char *shown;
    } rows[] = {{-1, "8386559"}, {2048, "0"}, {0x400000 | 0x10, "4194320"}, {0, "0"}};
    for (const auto &row : rows) {
        show([&](ClassRecord &r) { r.classabilities = row.stored; });
        // A box ticked but not stored does not count.
        control<QCheckBox>(1016)->toggle();
        click(ControlId::Calculate);
        EXPECT_EQ(text(ControlId::CalculateResult), row.shown) << row.stored;
    }
}

TEST_F(FormTest, StartingWeaponSelectsItsEntryAndKeepsItsName)
{
    const struct
    {
        const char *startingWeapon;
        const char *selected; // empty: no entry
    } rows[] = {{"WEAPON_MP5", "H&K MP 5"}, {"weapon_laser", "Army Knife"}, {"", "Army Knife"},
                {"ammo_rockets", ""},       {"weapon_trap", ""},            {"item_silencer", ""},
                {"weapon_mk23", "Mk23"}};
    for (const auto &row : rows) {
        show([&](ClassRecord &r) { r.starting_weapon.assign(row.startingWeapon); });
        EXPECT_EQ(control<QComboBox>(ControlId::StartingWeaponList)->currentText(), row.selected);
        EXPECT_EQ(record().starting_weapon.view(), row.startingWeapon);
    }
    EXPECT_EQ(dialog->statusText(), "");
}

TEST_F(FormTest, Windows1252NameTravelsFromFileToFormToFile)
{
    ClassTable table;
    ApplyBlockStartDefaults(table.records[0]);
    table.records[0].classname.assign("Ing\xE9nieur \x80\x9F\xFF");
    table.classCount = 1;
    const std::string bytes = ClassFileBytes(table, "\n");
    writeFile("tvclass_seals.cfg", bytes);

    click(ControlId::LoadConfig);
    EXPECT_EQ(text(ControlId::ClassName), QString::fromUtf8("Ing\u00E9nieur \u20AC\u0178\u00FF"));
    click(ControlId::WriteOut);
    EXPECT_EQ(readFile("tvclass_seals.cfg"), bytes);

    // A typed character Windows-1252 lacks is stored as '?'.
    typeInto(control<QLineEdit>(ControlId::ClassName), QString::fromUtf8("K\u00F6nig \u03A9"));
    save();
    EXPECT_EQ(record().classname.view(), "K\xF6nig ?");
}

TEST_F(FormTest, LongTextsAreLimitedToTheirFields)
{
    typeInto(control<QLineEdit>(ControlId::ClassName), QString(40, 'n'));
    typeInto(control<QLineEdit>(ControlId::ConfigFile), QString(1100, 'k'));
    save();
    EXPECT_EQ(record().classname.size(), 31u);
    EXPECT_EQ(record().keys.size(), 1023u);
}

} // namespace
