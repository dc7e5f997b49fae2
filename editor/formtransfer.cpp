#include "creatordialog.h"

#include "controlids.h"
#include "cp1252.h"
#include "formfields.h"
#include "itemcatalogue.h"
#include "textnumbers.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>

#include <cmath>

namespace {

struct AbilityBox
{
    int id;
    std::int32_t bit;
};

constexpr AbilityBox abilityBoxes[] = {
    {ControlId::At4Scope, 0x1},          {ControlId::Scanner, 0x2},
    {ControlId::ThrowCaltrops, 0x4},     {ControlId::LaserGuidedRockets, 0x8},
    {ControlId::KnifeThrow, 0x10},       {ControlId::PlaceSentries, 0x20},
    {ControlId::PlaceHealthDepot, 0x40}, {ControlId::PlaceAmmoDepot, 0x80},
    {ControlId::PlaceDetpack, 0x100},    {ControlId::CanDisguise, 0x200},
    {ControlId::CanFeignDeath, 0x400},   {ControlId::HasNightVision, 0x1000},
    {ControlId::SniperAutozoom, 0x2000}, {ControlId::CanUseTurrets, 0x4000},
    {ControlId::SniperScope, 0x8000},    {ControlId::SniperLaserSight, 0x10000},
    {ControlId::CanHealOthers, 0x20000}, {ControlId::DisarmDetpack, 0x40000},
    {ControlId::CanBeHunted, 0x80000},   {ControlId::CanBeBodyguard, 0x100000},
    {ControlId::CanBeAssassin, 0x200000}, {ControlId::CanBeVip, 0x400000},
};


// The caption, then the place where Qt shows the mark of unsaved changes.
QString titleFor(const char *action, const ClassRecord &record)
{
    return QStringLiteral("Tolvane Class Creator \u00A9 - %1 %2 [*]")
        .arg(QLatin1String(action), fromCp1252(record.classname.view()));
}

// The resistance entry a value selects: its position truncated toward zero,
// or -1 when there is no entry there.
int resistanceEntry(float resistance, int entryCount)
{
    if (std::isnan(resistance) || resistance <= -1.0f || resistance >= float(entryCount))
        return -1;
    return int(resistance);
}

// The starting-weapon entry whose text is the display name of the record's
// starting weapon, or -1 when the list offers no such entry.
int startingWeaponEntry(const QComboBox *list, const ClassRecord &record)
{
    const QString displayName = fromCp1252(DisplayNameFor(record.starting_weapon.view()));
    for (int i = 0; i < list->count(); ++i) {
        if (list->itemText(i).compare(displayName, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

} // namespace

void CreatorDialog::ShowRecord()
{
    fillingForm = true;
    const ClassRecord &record = editorState.current();
    control<QLineEdit>(ControlId::ClassName)->setText(fromCp1252(record.classname.view()));
    auto *resistance = control<QComboBox>(ControlId::Resistance);
    resistance->setCurrentIndex(resistanceEntry(record.resistance, resistance->count()));
    setWindowTitle(titleFor("Editing", record));

    control<QLineEdit>(ControlId::ConfigFile)->setText(fromCp1252(record.keys.view()));
    for (const FloatField &f : floatFields)
        control<QLineEdit>(f.id)->setText(QString::fromStdString(formatFloat(record.*f.field)));
    for (const IntField &f : intFields)
        control<QLineEdit>(f.id)->setText(QString::number(record.*f.field));

    OnSelchangeItemList();
    for (const AbilityBox &box : abilityBoxes)
        control<QCheckBox>(box.id)->setChecked(record.classabilities & box.bit);

    auto *weapons = control<QComboBox>(ControlId::StartingWeaponList);
    weapons->setCurrentIndex(startingWeaponEntry(weapons, record));
    fillingForm = false;
    changes.formShown(formRecord());
    updateIndicators();
}

void CreatorDialog::StoreForm()
{
    editing.store(formStore());
}

// Stores the form into the class the model names, as the form shows it.
EditingModel::StoreForm CreatorDialog::formStore()
{
    return [this](ClassRecord &record) {
        record = formRecord();
        setWindowTitle(titleFor("Saving", record));
    };
}

ClassRecord CreatorDialog::formRecord() const
{
    ClassRecord record = editorState.current();
    record.classname.assign(toCp1252(control<QLineEdit>(ControlId::ClassName)->text()));

    // Typed text that names no entry selects none.
    const auto *resistance = control<QComboBox>(ControlId::Resistance);
    const int entry = resistance->findText(resistance->currentText(), Qt::MatchExactly | Qt::MatchCaseSensitive);
    record.resistance = entry >= 0 ? float(entry) : -1.0f;

    record.keys.assign(toCp1252(control<QLineEdit>(ControlId::ConfigFile)->text()));
    for (const FloatField &f : floatFields)
        record.*f.field = toFloat32(parseDouble(toCp1252(control<QLineEdit>(f.id)->text())));
    for (const IntField &f : intFields)
        record.*f.field = parseInt(toCp1252(control<QLineEdit>(f.id)->text()));

    record.classabilities = 0;
    for (const AbilityBox &box : abilityBoxes) {
        if (control<QCheckBox>(box.id)->isChecked())
            record.classabilities |= box.bit;
    }
    return record;
}

void CreatorDialog::OnCalculate()
{
    const std::int32_t abilities = editorState.current().classabilities & definedAbilityMask;
    control<QLineEdit>(ControlId::CalculateResult)->setText(QString::number(abilities));
}
