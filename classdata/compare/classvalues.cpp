#include "classvalues.h"

#include "classdata/format/abilities.h"
#include "classdata/text/asciitext.h"
#include "classdata/format/itemcatalogue.h"
#include "classdata/text/textnumbers.h"
#include "classdata/format/writtenvalue.h"

#include <algorithm>

namespace tolvane {

namespace {

static_assert([] {
    std::int32_t named = 0;
    for (const AbilityInfo &ability : abilityCatalogue)
        named |= ability.bit;
    return named == definedAbilityMask;
}());

constexpr const ClassField &startingWeapon = fieldNamed("starting_weapon");

bool isStartingWeaponByName(const ClassValue &value, ValueNaming naming)
{
    return naming == ValueNaming::AsForm && value.field == &startingWeapon;
}

std::string hexBit(std::int32_t bit)
{
    constexpr char digits[] = "0123456789ABCDEF";
    std::string text;
    for (auto rest = std::uint32_t(bit); rest != 0; rest >>= 4)
        text.insert(text.begin(), digits[rest & 0xF]);
    return "0x" + text;
}

} // namespace

std::string valueName(const ClassValue &value)
{
    switch (value.kind) {
    case ClassValue::Kind::Field:
        return std::string(value.field->key);
    case ClassValue::Kind::Ability: {
        const auto named = std::find_if(std::begin(abilityCatalogue), std::end(abilityCatalogue),
                                        [&](const AbilityInfo &ability) { return ability.bit == value.bit; });
        return named != std::end(abilityCatalogue) ? std::string(named->label) : "ability bit " + hexBit(value.bit);
    }
    case ClassValue::Kind::Item:
        return "inventory " + std::string(itemCatalogue[std::size_t(value.slot)].displayName);
    }
    return {};
}

std::string valueKey(const ClassValue &value)
{
    switch (value.kind) {
    case ClassValue::Kind::Field:
        return std::string(value.field->key);
    case ClassValue::Kind::Ability:
        return "classabilities " + hexBit(value.bit);
    case ClassValue::Kind::Item:
        return "inventory " + std::string(itemCatalogue[std::size_t(value.slot)].internalName);
    }
    return {};
}

std::optional<std::string> shownValue(const ClassValue &value, const ClassRecord &record, ValueNaming naming)
{
    switch (value.kind) {
    case ClassValue::Kind::Field:
        if (isStartingWeaponByName(value, naming)) {
            if (const auto known = knownDisplayName(record.starting_weapon.view()))
                return std::string(*known);
        }
        return writtenValue(*value.field, record);
    case ClassValue::Kind::Ability:
        return (record.classabilities & value.bit) != 0 ? "yes" : "no";
    case ClassValue::Kind::Item:
        return formatInt(record.inventory[std::size_t(value.slot)]);
    }
    return std::nullopt;
}

std::optional<double> numberOf(const ClassValue &value, const ClassRecord &record)
{
    if (value.kind == ClassValue::Kind::Item)
        return record.inventory[std::size_t(value.slot)];
    if (value.kind != ClassValue::Kind::Field)
        return std::nullopt;
    switch (value.field->kind) {
    case FieldKind::Int:
        return record.*value.field->intMember;
    case FieldKind::Float:
        return parseDouble(formatFloat(record.*value.field->floatMember));
    default:
        return std::nullopt;
    }
}

std::vector<ClassValue> valuesOf(const ClassRecord &a, const ClassRecord &b, ValueNaming naming)
{
    std::vector<ClassValue> values;
    for (const ClassField &field : classFields()) {
        if (naming == ValueNaming::AsFile || field.kind != FieldKind::Abilities) {
            values.push_back({.field = &field});
            continue;
        }
        for (const AbilityInfo &ability : abilityCatalogue)
            values.push_back({.kind = ClassValue::Kind::Ability, .bit = ability.bit});
        const auto unnamed = std::uint32_t(a.classabilities | b.classabilities) & ~std::uint32_t(definedAbilityMask);
        for (int i = 0; i < 32; ++i) {
            if ((unnamed >> i & 1) != 0)
                values.push_back({.kind = ClassValue::Kind::Ability, .bit = std::int32_t(1U << i)});
        }
    }
    for (int slot = 0; slot < inventorySlotCount; ++slot) {
        if (a.inventory[std::size_t(slot)] != 0 || b.inventory[std::size_t(slot)] != 0)
            values.push_back({.kind = ClassValue::Kind::Item, .slot = slot});
    }
    return values;
}

bool sameValue(const ClassValue &value, const ClassRecord &a, const ClassRecord &b, ValueNaming naming)
{
    if (isStartingWeaponByName(value, naming))
        return equalsIgnoreCase(writtenValue(startingWeapon, a).value(), writtenValue(startingWeapon, b).value());
    return shownValue(value, a, naming) == shownValue(value, b, naming);
}

std::vector<ValueChange> valueChanges(const ClassRecord &before, const ClassRecord &after, ValueNaming naming)
{
    std::vector<ValueChange> changes;
    for (const ClassValue &value : valuesOf(before, after, naming)) {
        if (sameValue(value, before, after, naming))
            continue;
        ValueChange change{value, shownValue(value, before, naming), shownValue(value, after, naming),
                           value.kind == ClassValue::Kind::Field && value.field->kind == FieldKind::Text};
        // Two entities the list shows by one name: their own names tell them apart.
        if (change.before == change.after)
            change.before = writtenValue(*value.field, before), change.after = writtenValue(*value.field, after);
        changes.push_back(std::move(change));
    }
    return changes;
}

std::string describeChange(const ValueChange &change, TextEscape escape)
{
    const std::string name = valueName(change.value);
    return (escape ? escape(name) : name) + ' ' + describeSide(change.before, change.quoted, escape) + " -> "
           + describeSide(change.after, change.quoted, escape);
}

std::string describeSide(const std::optional<std::string> &value, bool quoted, TextEscape escape)
{
    if (!value)
        return "(no line)";
    const std::string text = escape ? escape(*value) : *value;
    return quoted ? '"' + text + '"' : text;
}

std::string classLabel(const ClassRecord &record, std::size_t position)
{
    if (!record.classname.empty())
        return std::string(record.classname.view());
    return "(no name) at " + std::to_string(position);
}

} // namespace tolvane
