#include "creatordialog.h"

#include "controlids.h"
#include "cp1252.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QScrollBar>

namespace {

constexpr std::pair<int, std::string FormValues::*> textBoxes[] = {
    {ControlId::ClassName, &FormValues::className},
    {ControlId::ConfigFile, &FormValues::configFile},
    {ControlId::Amount, &FormValues::amount},
    {ControlId::CalculateResult, &FormValues::calculated},
};

constexpr std::pair<int, int FormValues::*> lists[] = {
    {ControlId::Resistance, &FormValues::resistance},
    {ControlId::ItemList, &FormValues::item},
    {ControlId::StartingWeaponList, &FormValues::startingWeapon},
};

// Text that already stands for the bytes stays as typed, so that showing
// the form again changes no box the user is typing in.
void showBytes(QLineEdit *box, const std::string &bytes)
{
    if (toCp1252(box->text()) != bytes)
        box->setText(fromCp1252(bytes));
}

} // namespace

void CreatorDialog::showForm(const FormValues &form)
{
    fillingForm = true;
    for (const auto &[id, member] : textBoxes)
        showBytes(control<QLineEdit>(id), form.*member);
    for (std::size_t i = 0; i < std::size(floatFields); ++i)
        showBytes(control<QLineEdit>(floatFields[i].id), form.floats[i]);
    for (std::size_t i = 0; i < std::size(intFields); ++i)
        showBytes(control<QLineEdit>(intFields[i].id), form.ints[i]);
    for (std::size_t i = 0; i < std::size(abilityBoxes); ++i)
        control<QCheckBox>(abilityBoxes[i].id)->setChecked(form.abilities[i]);
    for (const auto &[id, member] : lists)
        control<QComboBox>(id)->setCurrentIndex(form.*member);
    fillingForm = false;
}

FormValues CreatorDialog::form() const
{
    FormValues form;
    for (const auto &[id, member] : textBoxes)
        form.*member = toCp1252(control<QLineEdit>(id)->text());
    for (std::size_t i = 0; i < std::size(floatFields); ++i)
        form.floats[i] = toCp1252(control<QLineEdit>(floatFields[i].id)->text());
    for (std::size_t i = 0; i < std::size(intFields); ++i)
        form.ints[i] = toCp1252(control<QLineEdit>(intFields[i].id)->text());
    for (std::size_t i = 0; i < std::size(abilityBoxes); ++i)
        form.abilities[i] = control<QCheckBox>(abilityBoxes[i].id)->isChecked();
    for (const auto &[id, member] : lists)
        form.*member = control<QComboBox>(id)->currentIndex();
    return form;
}

void CreatorDialog::showPosition(int first, int last, int current)
{
    auto *scrollBar = control<QScrollBar>(ControlId::HiddenScrollBar);
    scrollBar->setRange(first, last);
    scrollBar->setValue(current);
}

// Every box, check box and list that the form stores marks changes as they
// are typed or picked; filling the form does not.
void CreatorDialog::watchForChanges()
{
    const auto changed = [this] {
        if (!fillingForm)
            editing.refreshIndicators();
    };
    for (int id : controls.keys()) {
        if (id == ControlId::StatusLine || id == ControlId::Amount || id == ControlId::CalculateResult)
            continue;
        if (auto *box = control<QLineEdit>(id))
            connect(box, &QLineEdit::textChanged, this, changed);
        else if (auto *check = control<QCheckBox>(id))
            connect(check, &QCheckBox::toggled, this, changed);
    }
    connect(control<QComboBox>(ControlId::Resistance), &QComboBox::currentTextChanged, this, changed);
}
