#include "tablecolumns.h"

#include "classdata/text/asciitext.h"
#include "model/session/boxtyping.h"
#include "model/session/formbindings.h"
#include "model/session/formvalues.h"
#include "classdata/format/itemcatalogue.h"
#include "model/session/tablecommands.h"
#include "classdata/text/textnumbers.h"

#include <algorithm>

namespace tolvane {

namespace {

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

TableColumn boxColumn(const FormBinding &box)
{
    return {.id = std::string(box.key),
            .title = std::string(box.column),
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
    for (const FormBinding &box : boxes) {
        if (!box.column.empty())
            columns.push_back(boxColumn(box));
    }
    columns.push_back({.id = "inventory", .title = "Inventory", .kind = ColumnKind::Inventory});
    for (const FormBinding &box : boxes) {
        if (box.kind == BoxKind::Ability)
            columns.push_back({.id = "ability " + std::string(box.label),
                               .title = std::string(box.label),
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

int columnOfValue(const ClassValue &value)
{
    const std::vector<TableColumn> &columns = tableColumns();
    const auto found = std::ranges::find_if(columns, [&](const TableColumn &column) {
        return column.kind != ColumnKind::Inventory && column.value == value;
    });
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
    case ColumnKind::Inventory: {
        std::array<std::int32_t, inventorySlotCount> carried{};
        for (const InventoryEntry &entry : inventoryEntries(text)) {
            const int slot = itemNamed(entry.item);
            if (slot < 0)
                return false;
            carried[std::size_t(slot)] = parseInt(entry.amount);
        }
        record.inventory = carried;
        return true;
    }
    }
    return false;
}

std::vector<InventoryEntry> inventoryEntries(std::string_view text)
{
    std::vector<InventoryEntry> entries;
    while (!text.empty()) {
        const std::size_t comma = std::min(text.find(','), text.size());
        const std::string_view entry = trimmed(text.substr(0, comma));
        text.remove_prefix(std::min(comma + 1, text.size()));
        const std::size_t blank = entry.find_last_of(" \t");
        if (entry.empty())
            continue;
        if (blank == std::string_view::npos || itemNamed(entry) >= 0)
            entries.push_back({entry, {}});
        else
            entries.push_back({trimmed(entry.substr(0, blank)), entry.substr(blank + 1)});
    }
    return entries;
}

int itemNamed(std::string_view name)
{
    const auto found = std::ranges::find_if(itemCatalogue, [&](const ItemInfo &item) {
        return equalsIgnoreCase(item.displayName, name) || equalsIgnoreCase(item.internalName, name);
    });
    return found == itemCatalogue.end() ? -1 : int(found - itemCatalogue.begin());
}

std::string typedIntoCell(const TableColumn &column, const ClassRecord &record, std::string_view text)
{
    if (column.kind != ColumnKind::Int && column.kind != ColumnKind::Item)
        return std::string(text);
    return typedIntoDigitsBox(cellText(column, record), text);
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
    return std::search(text.begin(), text.end(), part.begin(), part.end(), same) != text.end() || part.empty();
}

} // namespace tolvane
