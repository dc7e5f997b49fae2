#pragma once

#include "classdata/format/abilities.h"
#include "classdata/format/classfields.h"
#include "controlids.h"

#include <array>
#include <cstdint>
#include <string_view>

namespace tolvane {

// Which box of the form shows which class value, one row per box, in the
// order the form is filled and stored: the key of the class field, the
// control, the kind of box, the longest text it keeps and the Alt letter that
// leads to it. The form transfer, the focus of a problem, the range hints, the
// text limits and the keyboard access all take their boxes from here; a
// table of classes can show one column per row.

enum class BoxKind : std::uint8_t {
    Text,           // a text box: the whole text, cut to the field
    Int,            // a digits box: read as atoi reads it
    Float,          // a number box: read as atof reads it, kept as a 32-bit float
    Resistance,     // the list of resistance entries: the picked entry's position
    Ability,        // a check box: one bit of classabilities
    StartingWeapon, // the starting-weapon list: shows the weapon; a pick sets it at once
};

struct FormBinding
{
    std::string_view key; // the class file key of the field
    int id = 0;           // the control
    BoxKind kind = BoxKind::Text;
    std::int32_t bit = 0; // Ability: the bit of classabilities
    // The label or group title whose Alt letter leads to this box, with "&"
    // before the letter ("Class S&peed", or "Heal&th", the group's title);
    // empty: no letter leads here.
    std::string_view altLabel = {};

    // Filled in from the class field table.
    const ClassField *field = nullptr;
    std::size_t textLimit = 0; // Text: the field's capacity
    std::size_t index = 0;     // its place among the boxes of its kind, as FormValues keeps them

    // The letter Alt takes here, lower case; 0 for none.
    constexpr char altLetter() const
    {
        const std::size_t at = altLabel.find('&');
        if (at == std::string_view::npos || at + 1 >= altLabel.size())
            return 0;
        const char letter = altLabel[at + 1];
        return letter >= 'A' && letter <= 'Z' ? char(letter - 'A' + 'a') : letter;
    }
};

namespace formbindingrows {

// The rows as written; formBindings adds what the field table knows.
// Both ".45 cal Mag" and "Pistol Mag" carry max_45cal: the first comes first,
// so that a store keeps the value of "Pistol Mag". The ability boxes come in
// the order of their bits.
inline constexpr FormBinding rows[] = {
    {"classname", ControlId::ClassName, BoxKind::Text, 0, "Class&name"},
    {"resistance", ControlId::Resistance, BoxKind::Resistance, 0, "R&esistance"},
    {"kevlar_vest", ControlId::KevlarVest, BoxKind::Int, 0, "&Kevlar Vest"},
    {"kevlar_trouser", ControlId::Trousers, BoxKind::Int, 0, "Tr&ousers"},
    {"combat_helmet", ControlId::Helmet, BoxKind::Int, 0, "Hel&met"},
    {"keys", ControlId::ConfigFile, BoxKind::Text, 0, "Config F&ile"},
    {"speed", ControlId::Speed, BoxKind::Float, 0, "Class S&peed"},
    {"jump", ControlId::Jump, BoxKind::Float, 0, "&Jump Height"},
    {"underwaterair", ControlId::UnderwaterAir, BoxKind::Float, 0, "&Underwaterair"},
    {"health", ControlId::Health, BoxKind::Int, 0, "Heal&th"},
    {"max_health", ControlId::MaxHealth, BoxKind::Int},
    {"max_rockets", ControlId::Rockets, BoxKind::Int},
    {"max_308cal", ControlId::Cal308Mag, BoxKind::Int},
    {"max_45cal", ControlId::Cal45Mag, BoxKind::Int},
    {"max_45cal", ControlId::PistolMag, BoxKind::Int},
    {"max_556cal", ControlId::ArMag, BoxKind::Int},
    {"max_shells", ControlId::Shells, BoxKind::Int, 0, "Ma&ximum Ammo"},
    {"max_762bb", ControlId::Bb762, BoxKind::Int},
    {"max_9cal", ControlId::Mag9mm, BoxKind::Int},
    {"max_357cal", ControlId::Bullets357, BoxKind::Int},
    {"max_cells", ControlId::Cells, BoxKind::Int},
    {"max_grenades", ControlId::Grenades, BoxKind::Int},
    {"classabilities", ControlId::At4Scope, BoxKind::Ability, 0x1},
    {"classabilities", ControlId::Scanner, BoxKind::Ability, 0x2, "Class A&bilities"},
    {"classabilities", ControlId::ThrowCaltrops, BoxKind::Ability, 0x4},
    {"classabilities", ControlId::LaserGuidedRockets, BoxKind::Ability, 0x8},
    {"classabilities", ControlId::KnifeThrow, BoxKind::Ability, 0x10},
    {"classabilities", ControlId::PlaceSentries, BoxKind::Ability, 0x20},
    {"classabilities", ControlId::PlaceHealthDepot, BoxKind::Ability, 0x40},
    {"classabilities", ControlId::PlaceAmmoDepot, BoxKind::Ability, 0x80},
    {"classabilities", ControlId::PlaceDetpack, BoxKind::Ability, 0x100},
    {"classabilities", ControlId::CanDisguise, BoxKind::Ability, 0x200},
    {"classabilities", ControlId::CanFeignDeath, BoxKind::Ability, 0x400},
    {"classabilities", ControlId::HasNightVision, BoxKind::Ability, 0x1000},
    {"classabilities", ControlId::SniperAutozoom, BoxKind::Ability, 0x2000},
    {"classabilities", ControlId::CanUseTurrets, BoxKind::Ability, 0x4000},
    {"classabilities", ControlId::SniperScope, BoxKind::Ability, 0x8000},
    {"classabilities", ControlId::SniperLaserSight, BoxKind::Ability, 0x10000},
    {"classabilities", ControlId::CanHealOthers, BoxKind::Ability, 0x20000},
    {"classabilities", ControlId::DisarmDetpack, BoxKind::Ability, 0x40000},
    {"classabilities", ControlId::CanBeHunted, BoxKind::Ability, 0x80000},
    {"classabilities", ControlId::CanBeBodyguard, BoxKind::Ability, 0x100000},
    {"classabilities", ControlId::CanBeAssassin, BoxKind::Ability, 0x200000, "&Gamemode Flags"},
    {"classabilities", ControlId::CanBeVip, BoxKind::Ability, 0x400000},
    {"starting_weapon", ControlId::StartingWeaponList, BoxKind::StartingWeapon},
};

// The field kind a box of kind shows.
constexpr FieldKind fieldKindOf(BoxKind kind)
{
    switch (kind) {
    case BoxKind::Text:
    case BoxKind::StartingWeapon:
        return FieldKind::Text;
    case BoxKind::Int:
        return FieldKind::Int;
    case BoxKind::Float:
        return FieldKind::Float;
    case BoxKind::Resistance:
        return FieldKind::Resistance;
    case BoxKind::Ability:
        return FieldKind::Abilities;
    }
    return FieldKind::Text;
}

} // namespace formbindingrows

// The rows with their fields, text limits and places; a row whose key names
// no field, or a field of another kind, does not compile.
inline constexpr auto formBindings = []() consteval
{
    std::array<FormBinding, std::size(formbindingrows::rows)> bindings{};
    std::array<std::size_t, 6> kinds{};
    for (std::size_t i = 0; i < bindings.size(); ++i) {
        FormBinding row = formbindingrows::rows[i];
        row.field = &fieldNamed(row.key);
        if (row.field->kind != formbindingrows::fieldKindOf(row.kind))
            throw "a box of one kind bound to a field of another";
        row.textLimit = row.kind == BoxKind::Text ? row.field->text.capacity : 0;
        row.index = kinds[std::size_t(row.kind)]++;
        bindings[i] = row;
    }
    return bindings;
}
();

// The ability boxes are the catalogue's abilities, in its order.
static_assert([] {
    std::size_t next = 0;
    for (const FormBinding &binding : formBindings) {
        if (binding.kind == BoxKind::Ability
            && (next >= std::size(abilityCatalogue) || binding.bit != abilityCatalogue[next++].bit))
            return false;
    }
    return next == std::size(abilityCatalogue);
}());

// How many boxes of kind the form has.
constexpr std::size_t boxCount(BoxKind kind)
{
    std::size_t count = 0;
    for (const FormBinding &binding : formBindings)
        count += binding.kind == kind;
    return count;
}

// The row of control id; nullptr for a control that shows no class value.
constexpr const FormBinding *bindingOfControl(int id)
{
    for (const FormBinding &binding : formBindings) {
        if (binding.id == id)
            return &binding;
    }
    return nullptr;
}

} // namespace tolvane
