#include "sheetcolumns.h"

#include "asciitext.h"
#include "itemcatalogue.h"

#include <algorithm>
#include <array>
#include <vector>

namespace {

// The form's check boxes, named as their labels say.
constexpr AbilityName abilityTable[] = {
    {0x1, "at4_scope"},           {0x2, "scanner"},           {0x4, "throw_caltrops"},
    {0x8, "laserguided_rockets"}, {0x10, "knife_throw"},      {0x20, "place_sentries"},
    {0x40, "place_healdepot"},    {0x80, "place_ammodepot"},  {0x100, "place_detpack"},
    {0x200, "can_disguise"},      {0x400, "can_feign_death"}, {0x1000, "has_nightvision"},
    {0x2000, "sniper_autozoom"},  {0x4000, "can_use_turrets"}, {0x8000, "sniper_scope"},
    {0x10000, "sniper_lasersight"}, {0x20000, "can_heal_others"}, {0x40000, "disarm_detpack"},
    {0x80000, "can_be_hunted"},   {0x100000, "can_be_bodyguard"}, {0x200000, "can_be_assassin"},
    {0x400000, "can_be_vip"},
};

constexpr bool coversEveryDefinedBit()
{
    std::int32_t bits = 0;
    for (const AbilityName &ability : abilityTable)
        bits |= ability.bit;
    return bits == definedAbilityMask && std::size(abilityTable) == 22;
}
static_assert(coversEveryDefinedBit());

constexpr SheetColumn fileColumn{"file", ColumnKind::File};

std::vector<SheetColumn> makeColumns()
{
    std::vector<SheetColumn> columns;
    const auto addField = [&](const ClassField &field) {
        columns.push_back({field.key, ColumnKind::Field, &field});
        if (field.key == "starting_weapon")
            columns.push_back({"starting_weapon_name", ColumnKind::StartingWeaponName});
    };
    addField(fieldNamed("classname"));
    for (const ClassField &field : classFields()) {
        if (field.key != "classname" && field.kind != FieldKind::Abilities)
            addField(field);
    }
    for (const AbilityName &ability : abilityTable)
        columns.push_back({ability.name, ColumnKind::Ability, nullptr, ability.bit});
    for (int slot = 0; slot < inventorySlotCount; ++slot)
        columns.push_back({itemCatalogue[std::size_t(slot)].internalName, ColumnKind::Item, nullptr, 0, slot});
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
    return sheetFormatNamed(std::string_view(reinterpret_cast<const char *>(extension.data()) + 1,
                                             extension.size() - 1));
}

std::span<const AbilityName> abilityNames()
{
    return abilityTable;
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
