#include "formboxes.h"

#include "model/session/controlids.h"
#include "model/session/formbindings.h"
#include "cp1252.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>

#include <functional>

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

template <typename T>
T *control(const QHash<int, QWidget *> &controls, int id)
{
    return qobject_cast<T *>(controls.value(id));
}

} // namespace

void showFormIn(const QHash<int, QWidget *> &controls, const FormValues &form)
{
    for (const FormBinding &box : formBindings) {
        if (const std::string *text = form.text(box))
            showBytes(control<QLineEdit>(controls, box.id), *text);
        else if (const int *entry = form.entry(box))
            control<QComboBox>(controls, box.id)->setCurrentIndex(*entry);
        else
            control<QCheckBox>(controls, box.id)->setChecked(form.abilities[box.index]);
    }
    for (const auto &[id, member] : otherTexts)
        showBytes(control<QLineEdit>(controls, id), form.*member);
    control<QComboBox>(controls, ControlId::ItemList)->setCurrentIndex(form.item);
}

FormValues formIn(const QHash<int, QWidget *> &controls)
{
    FormValues form;
    for (const FormBinding &box : formBindings) {
        if (std::string *text = form.text(box))
            *text = toCp1252(control<QLineEdit>(controls, box.id)->text());
        else if (int *entry = form.entry(box))
            *entry = control<QComboBox>(controls, box.id)->currentIndex();
        else
            form.abilities[box.index] = control<QCheckBox>(controls, box.id)->isChecked();
    }
    for (const auto &[id, member] : otherTexts)
        form.*member = toCp1252(control<QLineEdit>(controls, id)->text());
    form.item = control<QComboBox>(controls, ControlId::ItemList)->currentIndex();
    return form;
}

void watchFormBoxes(const QHash<int, QWidget *> &controls, QObject *context, const std::function<void()> &changed)
{
    for (const FormBinding &box : formBindings) {
        if (auto *text = control<QLineEdit>(controls, box.id))
            QObject::connect(text, &QLineEdit::textChanged, context, changed);
        else if (auto *check = control<QCheckBox>(controls, box.id))
            QObject::connect(check, &QCheckBox::toggled, context, changed);
    }
    QObject::connect(control<QComboBox>(controls, ControlId::Resistance), &QComboBox::currentTextChanged, context,
                     changed);
}
