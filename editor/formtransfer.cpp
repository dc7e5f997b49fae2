#include "creatordialog.h"

#include "model/session/formbindings.h"
#include "cp1252.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QScrollBar>

using namespace tolvane;

namespace {

// The boxes of the form that show no class value.
constexpr std::pair<int, std::string FormValues::*> otherTexts[] = {
    {ControlId::Amount, &FormValues::amount},
    {ControlId::CalculateResult, &FormValues::calculated},
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
    for (const FormBinding &box : formBindings) {
        if (const std::string *text = form.text(box))
            showBytes(control<QLineEdit>(box.id), *text);
        else if (const int *entry = form.entry(box))
            control<QComboBox>(box.id)->setCurrentIndex(*entry);
        else
            control<QCheckBox>(box.id)->setChecked(form.abilities[box.index]);
    }
    for (const auto &[id, member] : otherTexts)
        showBytes(control<QLineEdit>(id), form.*member);
    control<QComboBox>(ControlId::ItemList)->setCurrentIndex(form.item);
    fillingForm = false;
}

FormValues CreatorDialog::form() const
{
    FormValues form;
    for (const FormBinding &box : formBindings) {
        if (std::string *text = form.text(box))
            *text = toCp1252(control<QLineEdit>(box.id)->text());
        else if (int *entry = form.entry(box))
            *entry = control<QComboBox>(box.id)->currentIndex();
        else
            form.abilities[box.index] = control<QCheckBox>(box.id)->isChecked();
    }
    for (const auto &[id, member] : otherTexts)
        form.*member = toCp1252(control<QLineEdit>(id)->text());
    form.item = control<QComboBox>(ControlId::ItemList)->currentIndex();
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
    for (const FormBinding &box : formBindings) {
        if (auto *text = control<QLineEdit>(box.id))
            connect(text, &QLineEdit::textChanged, this, changed);
        else if (auto *check = control<QCheckBox>(box.id))
            connect(check, &QCheckBox::toggled, this, changed);
    }
    connect(control<QComboBox>(ControlId::Resistance), &QComboBox::currentTextChanged, this, changed);
}
