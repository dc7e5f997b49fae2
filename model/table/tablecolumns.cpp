#include "tablecolumns.h"

#include "classdata/format/abilities.h"
#include "classdata/text/asciitext.h"
#include "model/session/formbindings.h"
#include "model/session/formvalues.h"
#include "classdata/format/itemcatalogue.h"
#include "model/session/tablecommands.h"
#include "classdata/text/textnumbers.h"

#include <algorithm>

namespace tolvane {

namespace {

// What the table adds to the form's boxes: the header of each value's
// column, in the order of the form's armour, health, movement and ammunition
// groups. The ammunition columns are titled "Max ..." so that "Rockets" stays
// the item's name. The kind, field and text limit of a column are its box's.
struct ColumnHeader
{
    std::string_view key;
    std::string_view title;
};

constexpr ColumnHeader fieldHeaders[] = {
    {"classname", "Classname"},
    {"keys", "Config File"},
    {"resistance", "Resistance"},
    {"combat_helmet", "Helmet"},
    {"kevlar_vest", "Kevlar Vest"},
    {"kevlar_trouser", "Trousers"},
    {"health", "Health"},
    {"max_health", "Max Health"},
    {"speed", "Class Speed"},
    {"jump", "Jump Height"},
    {"underwaterair", "Underwaterair"},
    {"max_shells", "Max Shells"},
    {"max_357cal", "Max .357 Bullets"},
    {"max_rockets", "Max Rockets"},
    {"max_cells", "Max Cells"},
    {"max_45cal", "Max Pistol Mag"},
    {"max_9cal", "Max 9mm Mag"},
    {"max_556cal", "Max AR Mag"},
    {"max_308cal", "Max .308 cal Mag"},
    {"max_762bb", "Max 7.62mm BB"},
    {"max_grenades", "Max Grenades"},
    {"starting_weapon", "Starting Weapon"},
};

// Every header is of a value a box shows.
static_assert([] {
    for (const ColumnHeader &header : fieldHeaders) {
        if (std::ranges::find(formBindings, header.key, &FormBinding::key) == std::end(formBindings))
            return false;
    }
    return true;
}());

ColumnKind columnKindOf(BoxKind kind)
{
    switch (kind) {
    case BoxKind::Text:
        return ColumnKind::Text;
    case BoxKind::Int:
        return ColumnKind::Int;
    case BoxKind::Float:
        return ColumnKind::Float;
    case BoxKind::Resistance:
        return ColumnKind::Resistance;
    case BoxKind::Ability:
        return ColumnKind::Tick;
    case BoxKind::StartingWeapon:
        return ColumnKind::StartingWeapon;
    }
    return ColumnKind::Text;
}

TableColumn boxColumn(const FormBinding &box, std::string_view title)
{
    return {.id = std::string(box.key),
            .title = std::string(title),
            .kind = columnKindOf(box.kind),
            .value = {.field = box.field},
            .textLimit = box.textLimit};
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

std::vector<TableColumn> columnsOfBoxes(std::span<const FormBinding> boxes)
{
    std::vector<TableColumn> columns;
    const auto hasColumn = [&](std::string_view key) {
        return std::ranges::find(columns, key, &TableColumn::id) != columns.end();
    };
    for (const ColumnHeader &header : fieldHeaders) {
        const auto box = std::ranges::find(boxes, header.key, &FormBinding::key);
        if (box != boxes.end())
            columns.push_back(boxColumn(*box, header.title));
    }
    // A value that has no header yet is titled by its key. A value two boxes
    // show has one column.
    for (const FormBinding &box : boxes) {
        if (box.kind != BoxKind::Ability && !hasColumn(box.key))
            columns.push_back(boxColumn(box, box.key));
    }
    columns.push_back({.id = "inventory", .title = "Inventory", .kind = ColumnKind::Inventory});
    // The ability boxes are the catalogue's abilities, in its order.
    for (const FormBinding &box : boxes) {
        if (box.kind != BoxKind::Ability)
            continue;
        const std::string_view label = abilityCatalogue[box.index].label;
        columns.push_back({.id = "ability " + std::string(label),
                           .title = std::string(label),
                           .kind = ColumnKind::Tick,
                           .value = {.kind = ClassValue::Kind::Ability, .bit = box.bit}});
    }
    for (int slot = 0; slot < inventorySlotCount; ++slot) {
        const ItemInfo &item = itemCatalogue[std::size_t(slot)];
        columns.push_back({.id = "item " + std::string(item.internalName),
                           .title = std::string(item.displayName),
                           .kind = ColumnKind::Item,
                           .value = {.kind = ClassValue::Kind::Item, .slot = slot},
                           .shownAtFirst = false});
    }
    return columns;
}

const std::vector<TableColumn> &tableColumns()
{
    static const std::vector<TableColumn> columns = columnsOfBoxes(formBindings);
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
        for (const CarriedItem &item : carriedItems(record.inventory)) {
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
