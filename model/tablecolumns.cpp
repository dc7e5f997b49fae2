#include "tablecolumns.h"

#include "abilities.h"
#include "asciitext.h"
#include "formvalues.h"
#include "itemcatalogue.h"
#include "tablecommands.h"
#include "textnumbers.h"

#include <algorithm>

namespace tolvane {

namespace {

struct FieldColumn
{
    std::string_view key;
    std::string_view title;
    ColumnKind kind;
};

// The form's values in the order of its armour, health, movement and
// ammunition groups. The ammunition boxes are titled "Max ..." so that
// "Rockets" stays the item's name.
constexpr FieldColumn fieldColumns[] = {
    {"classname", "Classname", ColumnKind::Text},
    {"keys", "Config File", ColumnKind::Text},
    {"resistance", "Resistance", ColumnKind::Resistance},
    {"combat_helmet", "Helmet", ColumnKind::Int},
    {"kevlar_vest", "Kevlar Vest", ColumnKind::Int},
    {"kevlar_trouser", "Trousers", ColumnKind::Int},
    {"health", "Health", ColumnKind::Int},
    {"max_health", "Max Health", ColumnKind::Int},
    {"speed", "Class Speed", ColumnKind::Float},
    {"jump", "Jump Height", ColumnKind::Float},
    {"underwaterair", "Underwaterair", ColumnKind::Float},
    {"max_shells", "Max Shells", ColumnKind::Int},
    {"max_357cal", "Max .357 Bullets", ColumnKind::Int},
    {"max_rockets", "Max Rockets", ColumnKind::Int},
    {"max_cells", "Max Cells", ColumnKind::Int},
    {"max_45cal", "Max Pistol Mag", ColumnKind::Int},
    {"max_9cal", "Max 9mm Mag", ColumnKind::Int},
    {"max_556cal", "Max AR Mag", ColumnKind::Int},
    {"max_308cal", "Max .308 cal Mag", ColumnKind::Int},
    {"max_762bb", "Max 7.62mm BB", ColumnKind::Int},
    {"max_grenades", "Max Grenades", ColumnKind::Int},
    {"starting_weapon", "Starting Weapon", ColumnKind::StartingWeapon},
};

std::vector<TableColumn> makeColumns()
{
    std::vector<TableColumn> columns;
    for (const FieldColumn &field : fieldColumns)
        columns.push_back({std::string(field.key), std::string(field.title), field.kind, {.field = FieldOfKey(field.key)}});
    columns.push_back({"inventory", "Inventory", ColumnKind::Inventory, {}});
    for (const AbilityInfo &ability : abilityCatalogue) {
        columns.push_back({"ability " + std::string(ability.label), std::string(ability.label), ColumnKind::Tick,
                           {.kind = ClassValue::Kind::Ability, .bit = ability.bit}});
    }
    for (int slot = 0; slot < inventorySlotCount; ++slot) {
        const ItemInfo &item = itemCatalogue[std::size_t(slot)];
        columns.push_back({"item " + std::string(item.internalName), std::string(item.displayName), ColumnKind::Item,
                           {.kind = ClassValue::Kind::Item, .slot = slot}, false});
    }
    return columns;
}

// The entry of entries named by text, without regard to case; -1 for none.
template <typename Entries>
int entryNamed(const Entries &entries, std::string_view text)
{
    const std::string_view name = trimmed(text);
    const auto found = std::ranges::find_if(entries, [&](std::string_view e) { return equalsIgnoreCase(e, name); });
    return found == std::end(entries) ? -1 : int(found - std::begin(entries));
}

} // namespace

const std::vector<TableColumn> &tableColumns()
{
    static const std::vector<TableColumn> columns = makeColumns();
    return columns;
}

int columnNamed(std::string_view name)
{
    const std::vector<TableColumn> &columns = tableColumns();
    const std::string_view wanted = trimmed(name);
    for (std::size_t i = 0; i < columns.size(); ++i) {
        const TableColumn &column = columns[i];
        if (equalsIgnoreCase(column.title, wanted) || equalsIgnoreCase(column.id, wanted)
            || (column.kind != ColumnKind::Inventory && equalsIgnoreCase(valueName(column.value), wanted)))
            return int(i);
    }
    return -1;
}

int columnOfId(std::string_view id)
{
    const std::vector<TableColumn> &columns = tableColumns();
    const auto found = std::ranges::find(columns, id, &TableColumn::id);
    return found == columns.end() ? -1 : int(found - columns.begin());
}

std::string cellText(const TableColumn &column, const ClassRecord &record)
{
    switch (column.kind) {
    case ColumnKind::Resistance: {
        const int entry = resistanceEntry(record.resistance);
        return entry < 0 ? std::string() : std::string(resistanceEntries[std::size_t(entry)]);
    }
    case ColumnKind::Inventory: {
        std::string items;
        for (const CarriedItem &item : CarriedItems(record.inventory)) {
            items += items.empty() ? "" : ", ";
            items += itemCatalogue[std::size_t(item.itemSlot)].displayName;
            items += ' ' + formatInt(item.amount);
        }
        return items;
    }
    default:
        return shownValue(column.value, record, ValueNaming::AsForm).value_or(std::string());
    }
}

std::optional<double> cellNumber(const TableColumn &column, const ClassRecord &record)
{
    switch (column.kind) {
    case ColumnKind::Tick:
        return (record.classabilities & column.value.bit) != 0 ? 1 : 0;
    case ColumnKind::Resistance:
        return record.resistance;
    default:
        return column.numeric() ? numberOf(column.value, record) : std::nullopt;
    }
}

bool setCellText(const TableColumn &column, std::string_view text, ClassRecord &record)
{
    switch (column.kind) {
    case ColumnKind::Text:
    case ColumnKind::Int:
    case ColumnKind::Float:
        storeBoxText(*column.value.field, text, record);
        return true;
    case ColumnKind::Item:
        record.inventory[std::size_t(column.value.slot)] = parseInt(text);
        return true;
    case ColumnKind::Tick: {
        const std::optional<bool> on = tickWord(text);
        if (on)
            record.classabilities = *on ? record.classabilities | column.value.bit
                                        : record.classabilities & ~column.value.bit;
        return on.has_value();
    }
    case ColumnKind::Resistance: {
        const int entry = entryNamed(resistanceEntries, text);
        if (entry >= 0)
            record.resistance = resistanceOfEntry(entry);
        return entry >= 0;
    }
    case ColumnKind::StartingWeapon: {
        const int entry = entryNamed(startingWeaponEntries(), text);
        const std::optional<int> slot = startingWeaponSlot(entry);
        if (slot)
            record.starting_weapon.assign(itemCatalogue[std::size_t(*slot)].internalName);
        return slot.has_value();
    }
    case ColumnKind::Inventory:
        return false;
    }
    return false;
}

std::optional<bool> tickWord(std::string_view word)
{
    const std::string_view w = trimmed(word);
    for (std::string_view yes : {"yes", "on", "true", "1"}) {
        if (equalsIgnoreCase(w, yes))
            return true;
    }
    for (std::string_view no : {"no", "off", "false", "0"}) {
        if (equalsIgnoreCase(w, no))
            return false;
    }
    return std::nullopt;
}

std::string_view trimmed(std::string_view text)
{
    while (!text.empty() && isSpace(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isSpace(text.back()))
        text.remove_suffix(1);
    return text;
}

bool containsIgnoreCase(std::string_view text, std::string_view part)
{
    const auto same = [](char a, char b) { return foldCase(a) == foldCase(b); };
    return part.empty() || !std::ranges::search(text, part, same).empty();
}

} // namespace tolvane
