#include "sheetcolumns.h"

#include "classdata/format/abilities.h"
#include "classdata/text/asciitext.h"
#include "classdata/format/itemcatalogue.h"

#include <algorithm>
#include <array>
#include <vector>

namespace tolvane {

namespace {

constexpr bool coversEveryDefinedBit()
{
    std::int32_t bits = 0;
    for (const AbilityInfo &ability : abilityCatalogue)
        bits |= ability.bit;
    return bits == definedAbilityMask;
}
static_assert(coversEveryDefinedBit());

constexpr SheetColumn fileColumn{"file", SheetColumnKind::File};

std::vector<SheetColumn> makeColumns()
{
    std::vector<SheetColumn> columns;
    const auto addField = [&](const ClassField &field) {
        columns.push_back({field.key, SheetColumnKind::Field, &field});
        if (field.key == "starting_weapon")
            columns.push_back({"starting_weapon_name", SheetColumnKind::StartingWeaponName});
    };
    addField(fieldNamed("classname"));
    for (const ClassField &field : classFields()) {
        if (field.key != "classname" && field.kind != FieldKind::Abilities)
            addField(field);
    }
    for (const AbilityInfo &ability : abilityCatalogue)
        columns.push_back({ability.name, SheetColumnKind::Ability, nullptr, ability.bit});
    for (int slot = 0; slot < inventorySlotCount; ++slot)
        columns.push_back({itemCatalogue[std::size_t(slot)].internalName, SheetColumnKind::Item, nullptr, 0, slot});
    return columns;
}

const std::vector<SheetColumn> &columnList()
{
    static const std::vector<SheetColumn> columns = makeColumns();
    return columns;
}

} // namespace

std::optional<SheetFormat> sheetFormatNamed(std::string_view name)
{
    if (equalsIgnoreCase(name, "csv"))
        return SheetFormat::Csv;
    if (equalsIgnoreCase(name, "tsv") || equalsIgnoreCase(name, "tab"))
        return SheetFormat::Tsv;
    if (equalsIgnoreCase(name, "json"))
        return SheetFormat::Json;
    return std::nullopt;
}

std::optional<SheetFormat> sheetFormatOfName(const std::filesystem::path &name)
{
    const std::u8string extension = name.extension().u8string();
    if (extension.size() < 2)
        return std::nullopt;
    return sheetFormatNamed(
        std::string_view(reinterpret_cast<const char *>(extension.data()) + 1, extension.size() - 1));
}

std::span<const SheetColumn> sheetColumns()
{
    return columnList();
}

const SheetColumn *sheetColumnNamed(std::string_view name)
{
    if (equalsIgnoreCase(name, fileColumn.name))
        return &fileColumn;
    const auto &columns = columnList();
    const auto found = std::find_if(columns.begin(), columns.end(),
                                    [&](const SheetColumn &column) { return equalsIgnoreCase(column.name, name); });
    return found == columns.end() ? nullptr : &*found;
}

std::string columnLetters(std::size_t column)
{
    std::string letters;
    for (std::size_t n = column + 1; n > 0; n = (n - 1) / 26)
        letters.insert(letters.begin(), char('A' + (n - 1) % 26));
    return letters;
}

} // namespace tolvane
