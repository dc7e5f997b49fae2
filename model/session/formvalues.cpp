#include "formvalues.h"

#include "classdata/format/itemcatalogue.h"
#include "classdata/text/textnumbers.h"

#include <algorithm>
#include <utility>
#include <cmath>

namespace tolvane {

namespace {

bool sameLetters(std::string_view a, std::string_view b)
{
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
    return std::ranges::equal(a, b, [&](char x, char y) { return lower(x) == lower(y); });
}

// The starting-weapon entry that shows the record's starting weapon, or -1
// when the list offers none.
int startingWeaponEntry(const ClassRecord &record)
{
    const std::string_view displayName = displayNameFor(record.starting_weapon.view());
    const auto &entries = startingWeaponEntries();
    const auto found = std::ranges::find_if(entries, [&](std::string_view e) { return sameLetters(e, displayName); });
    return found == entries.end() ? -1 : int(found - entries.begin());
}

} // namespace

// The entry at the value's position truncated toward zero, or -1 when there
// is no entry there.
int resistanceEntry(float resistance)
{
    if (std::isnan(resistance) || resistance <= -1.0f || resistance >= float(std::size(resistanceEntries)))
        return -1;
    return int(resistance);
}

float resistanceOfEntry(int entry)
{
    return entry >= 0 && entry < int(std::size(resistanceEntries)) ? float(entry) : -1.0f;
}

void storeBoxText(const ClassField &field, std::string_view text, ClassRecord &record)
{
    switch (field.kind) {
    case FieldKind::Int:
        record.*field.intMember = parseInt(text);
        break;
    case FieldKind::Float: {
        // A box that shows the value as it was shown keeps it exactly: the
        // box has fewer digits than the class file may (0.0000001 shows as
        // 0.000000).
        float &value = record.*field.floatMember;
        if (text != formatFloat(value))
            value = toFloat32(parseDouble(text));
        break;
    }
    case FieldKind::Text:
        field.text.set(record, text);
        break;
    default:
        break;
    }
}

const std::vector<std::string_view> &startingWeaponEntries()
{
    static const std::vector<std::string_view> entries = [] {
        std::vector<std::string_view> names;
        for (const ItemInfo &item : itemCatalogue) {
            if (item.inStartList)
                names.push_back(item.displayName);
        }
        return names;
    }();
    return entries;
}

std::optional<int> itemSlot(int itemEntry)
{
    if (itemEntry < 0 || itemEntry >= int(itemCatalogue.size()))
        return std::nullopt;
    return slotForDisplayName(itemCatalogue[std::size_t(itemEntry)].displayName);
}

std::optional<int> startingWeaponSlot(int entry)
{
    const auto &entries = startingWeaponEntries();
    if (entry < 0 || entry >= int(entries.size()))
        return std::nullopt;
    return slotForDisplayName(entries[std::size_t(entry)]);
}

std::string *FormValues::text(const FormBinding &box)
{
    return const_cast<std::string *>(std::as_const(*this).text(box));
}

const std::string *FormValues::text(const FormBinding &box) const
{
    switch (box.kind) {
    case BoxKind::Text:
        return box.index == 0 ? &className : &configFile;
    case BoxKind::Int:
        return &ints[box.index];
    case BoxKind::Float:
        return &floats[box.index];
    default:
        return nullptr;
    }
}

int *FormValues::entry(const FormBinding &box)
{
    return const_cast<int *>(std::as_const(*this).entry(box));
}

const int *FormValues::entry(const FormBinding &box) const
{
    switch (box.kind) {
    case BoxKind::Resistance:
        return &resistance;
    case BoxKind::StartingWeapon:
        return &startingWeapon;
    default:
        return nullptr;
    }
}

void showRecordIn(const ClassRecord &record, FormValues &form)
{
    for (const FormBinding &box : formBindings) {
        const ClassField &field = *box.field;
        switch (box.kind) {
        case BoxKind::Text:
            *form.text(box) = field.text.get(record);
            break;
        case BoxKind::Int:
            *form.text(box) = std::to_string(record.*field.intMember);
            break;
        case BoxKind::Float:
            *form.text(box) = formatFloat(record.*field.floatMember);
            break;
        case BoxKind::Resistance:
            form.resistance = resistanceEntry(record.*field.floatMember);
            break;
        case BoxKind::Ability:
            form.abilities[box.index] = record.*field.intMember & box.bit;
            break;
        case BoxKind::StartingWeapon:
            form.startingWeapon = startingWeaponEntry(record);
            break;
        }
    }
}

void storeForm(const FormValues &form, ClassRecord &record)
{
    // Bits without a box are the modder's, which the form cannot show: they stay.
    record.classabilities &= ~definedAbilityMask;
    for (const FormBinding &box : formBindings) {
        const ClassField &field = *box.field;
        switch (box.kind) {
        case BoxKind::Text:
        case BoxKind::Int:
        case BoxKind::Float:
            storeBoxText(field, *form.text(box), record);
            break;
        case BoxKind::Resistance:
            record.*field.floatMember = resistanceOfEntry(form.resistance);
            break;
        case BoxKind::Ability:
            if (form.abilities[box.index])
                record.*field.intMember |= box.bit;
            break;
        case BoxKind::StartingWeapon:
            break; // a pick sets it at once
        }
    }
}

} // namespace tolvane
