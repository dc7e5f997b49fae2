#include "valuewords.h"

#include "classdata/format/itemcatalogue.h"
#include "classdata/text/asciitext.h"
#include "classdata/text/readabletext.h"
#include "model/session/formbindings.h"
#include "model/session/formvalues.h"

#include <algorithm>

namespace tolvane {

// As the class table titles its columns (columnsOfBoxes): a value by the
// first box of it with a column title, an ability by its box's label, an
// item by its name.
std::string columnTitle(const ClassValue &value)
{
    if (value.kind == ClassValue::Kind::Item)
        return std::string(itemCatalogue[std::size_t(value.slot)].displayName);
    const auto box = std::ranges::find_if(formBindings, [&](const FormBinding &box) {
        return value.kind == ClassValue::Kind::Ability ? box.kind == BoxKind::Ability && box.bit == value.bit
                                                       : box.field == value.field && !box.column.empty();
    });
    if (box == formBindings.end())
        return valueName(value);
    return std::string(value.kind == ClassValue::Kind::Ability ? box->label : box->column);
}

std::string keyTitle(std::string_view key)
{
    constexpr std::string_view inventory = "inventory ";
    std::optional<ClassValue> value;
    if (const ClassField *field = fieldOfKey(key)) {
        value = ClassValue{.field = field};
    } else if (equalsIgnoreCase(key.substr(0, inventory.size()), inventory)) {
        if (const std::optional<int> slot = slotForInternalName(key.substr(inventory.size())))
            value = ClassValue{.kind = ClassValue::Kind::Item, .slot = *slot};
    }
    return readableFromWindows1252(value ? columnTitle(*value) : key);
}

std::string sideWords(const ClassValue &value, const std::optional<std::string> &shown)
{
    const bool field = value.kind == ClassValue::Kind::Field;
    if (field && value.field->kind == FieldKind::Resistance && shown) {
        const auto word = std::ranges::find(resistanceWords, *shown);
        if (word != std::end(resistanceWords))
            return std::string(resistanceEntries[std::size_t(word - std::begin(resistanceWords))]);
    }
    return describeSide(shown, field && value.field->kind == FieldKind::Text);
}

std::string changeWords(const ValueChange &change)
{
    return columnTitle(change.value) + ' ' + sideWords(change.value, change.before) + " -> "
           + sideWords(change.value, change.after);
}

} // namespace tolvane
