#pragma once

#include "classdata/format/abilities.h"
#include "classdata/format/classfields.h"

#include <array>
#include <cstdint>
#include <string_view>

namespace tolvane {

// Template ids of the boxes that show class values, by which the program,
// its dialog template and its tests name them (controlids.h has the others).
namespace ControlId {
enum : int {
    ClassName = 1010,
    ConfigFile = 1040,

    // Class abilities and game-mode flags.
    Scanner = 1012,
    KnifeThrow = 1013,
    LaserGuidedRockets = 1014,
    ThrowCaltrops = 1015,
    At4Scope = 1016,
    PlaceSentries = 1017,
    PlaceHealthDepot = 1018,
    PlaceAmmoDepot = 1019,
    PlaceDetpack = 1020,
    CanDisguise = 1021,
    CanFeignDeath = 1022,
    HasNightVision = 1023,
    CanUseTurrets = 1024,
    SniperAutozoom = 1025,
    SniperScope = 1026,
    SniperLaserSight = 1027,
    CanHealOthers = 1028,
    DisarmDetpack = 1029,
    CanBeAssassin = 1058,
    CanBeBodyguard = 1059,
    CanBeHunted = 1060,
    CanBeVip = 1061,

    // Armour, health and movement.
    Resistance = 1030,
    KevlarVest = 1032,
    Trousers = 1033,
    Helmet = 1034,
    Speed = 1048,
    Jump = 1049,
    UnderwaterAir = 1050,
    Health = 1051,
    MaxHealth = 1052,

    // Maximum ammunition.
    Cal45Mag = 1065,
    Shells = 1066,
    PistolMag = 1067,
    Bullets357 = 1068,
    Rockets = 1069,
    Cells = 1070,
    Mag9mm = 1071,
    ArMag = 1072,
    Bb762 = 1073,
    Cal308Mag = 1074,
    Grenades = 1079,

    StartingWeaponList = 1110,
};
}

// Which box of the form shows which class value, one row per box, and the
// words that go with it: its label with the Alt letter that leads to it, and
// the title of its column in the class table. The form transfer, the focus
// of a problem, the range hints, the text limits, the dialog template's
// labels and the class table's columns all take their boxes from here.

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
    // What names the box, with "&" before the letter Alt takes to it: the
    // text of the label beside it ("Class S&peed"), a check box's own text
    // (an ability's label in the catalogue), or, for a box with no label
    // beside it, what a screen reader calls it ("Maximum health").
    std::string_view label = {};
    // The title of the value's column in the class table. Empty for an
    // ability box, whose column its label titles, and for a value's other
    // box where two boxes show one value.
    std::string_view column = {};
    // The title of the group the box stands in, where the title's Alt letter
    // leads to this box ("Heal&th"); empty for the group's other boxes.
    std::string_view groupTitle = {};
    std::int32_t bit = 0; // Ability: the bit of classabilities

    // Filled in from the class field table.
    const ClassField *field = nullptr;
    std::size_t textLimit = 0; // Text: the field's capacity
    std::size_t index = 0;     // its place among the boxes of its kind, as FormValues keeps them
};

namespace formbindingrows {

namespace Id = ControlId;

constexpr FormBinding box(std::string_view key, int id, BoxKind kind, std::string_view label, std::string_view column,
                          std::string_view groupTitle = {})
{
    return {.key = key, .id = id, .kind = kind, .label = label, .column = column, .groupTitle = groupTitle};
}

// An ability's check box, labelled as the catalogue labels the ability.
constexpr FormBinding abilityBox(int id, std::int32_t bit, std::string_view groupTitle = {})
{
    return {.key = "classabilities", .id = id, .kind = BoxKind::Ability, .groupTitle = groupTitle, .bit = bit};
}

// The rows as written, in the order of the class table's columns, which is
// also the order in which the form is filled and stored; formBindings adds
// what the field table knows. The ammunition columns are titled "Max ..." so
// that "Rockets" stays the item's name. Both ".45 cal Mag" and "Pistol Mag"
// carry max_45cal: the first comes first, so that a store keeps the value of
// "Pistol Mag", whose column it is. The ability boxes come last, in the
// order of their bits, as their columns do after the inventory's.
inline constexpr FormBinding rows[] = {
    box("classname", Id::ClassName, BoxKind::Text, "Class&name", "Classname"),
    box("keys", Id::ConfigFile, BoxKind::Text, "Config F&ile", "Config File"),
    box("resistance", Id::Resistance, BoxKind::Resistance, "R&esistance", "Resistance"),
    box("combat_helmet", Id::Helmet, BoxKind::Int, "Hel&met", "Helmet"),
    box("kevlar_vest", Id::KevlarVest, BoxKind::Int, "&Kevlar Vest", "Kevlar Vest"),
    box("kevlar_trouser", Id::Trousers, BoxKind::Int, "Tr&ousers", "Trousers"),
    box("health", Id::Health, BoxKind::Int, "Health", "Health", "Heal&th"),
    box("max_health", Id::MaxHealth, BoxKind::Int, "Maximum health", "Max Health"),
    box("speed", Id::Speed, BoxKind::Float, "Class S&peed", "Class Speed"),
    box("jump", Id::Jump, BoxKind::Float, "&Jump Height", "Jump Height"),
    box("underwaterair", Id::UnderwaterAir, BoxKind::Float, "&Underwaterair", "Underwaterair"),
    box("max_shells", Id::Shells, BoxKind::Int, "Shells", "Max Shells", "Ma&ximum Ammo"),
    box("max_357cal", Id::Bullets357, BoxKind::Int, ".357 Bullets", "Max .357 Bullets"),
    box("max_rockets", Id::Rockets, BoxKind::Int, "Rockets", "Max Rockets"),
    box("max_cells", Id::Cells, BoxKind::Int, "Cells", "Max Cells"),
    box("max_45cal", Id::Cal45Mag, BoxKind::Int, ".45 cal Mag", ""),
    box("max_45cal", Id::PistolMag, BoxKind::Int, "Pistol Mag", "Max Pistol Mag"),
    box("max_9cal", Id::Mag9mm, BoxKind::Int, "9mm Mag", "Max 9mm Mag"),
    box("max_556cal", Id::ArMag, BoxKind::Int, "AR Mag", "Max AR Mag"),
    box("max_308cal", Id::Cal308Mag, BoxKind::Int, ".308 cal Mag", "Max .308 cal Mag"),
    box("max_762bb", Id::Bb762, BoxKind::Int, "7.62mm BB", "Max 7.62mm BB"),
    box("max_grenades", Id::Grenades, BoxKind::Int, "Grenades", "Max Grenades"),
    box("starting_weapon", Id::StartingWeaponList, BoxKind::StartingWeapon, "Starting weapon", "Starting Weapon"),
    abilityBox(Id::At4Scope, 0x1),
    abilityBox(Id::Scanner, 0x2, "Class A&bilities"),
    abilityBox(Id::ThrowCaltrops, 0x4),
    abilityBox(Id::LaserGuidedRockets, 0x8),
    abilityBox(Id::KnifeThrow, 0x10),
    abilityBox(Id::PlaceSentries, 0x20),
    abilityBox(Id::PlaceHealthDepot, 0x40),
    abilityBox(Id::PlaceAmmoDepot, 0x80),
    abilityBox(Id::PlaceDetpack, 0x100),
    abilityBox(Id::CanDisguise, 0x200),
    abilityBox(Id::CanFeignDeath, 0x400),
    abilityBox(Id::HasNightVision, 0x1000),
    abilityBox(Id::SniperAutozoom, 0x2000),
    abilityBox(Id::CanUseTurrets, 0x4000),
    abilityBox(Id::SniperScope, 0x8000),
    abilityBox(Id::SniperLaserSight, 0x10000),
    abilityBox(Id::CanHealOthers, 0x20000),
    abilityBox(Id::DisarmDetpack, 0x40000),
    abilityBox(Id::CanBeHunted, 0x80000),
    abilityBox(Id::CanBeBodyguard, 0x100000),
    abilityBox(Id::CanBeAssassin, 0x200000, "&Gamemode Flags"),
    abilityBox(Id::CanBeVip, 0x400000),
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

consteval std::string_view abilityLabel(std::int32_t bit)
{
    for (const AbilityInfo &ability : abilityCatalogue) {
        if (ability.bit == bit)
            return ability.label;
    }
    throw "an ability box of a bit the catalogue does not have";
}

} // namespace formbindingrows

// The rows with their fields, text limits, places and ability labels; a row
// whose key names no field, or a field of another kind, does not compile,
// nor does a box without a label.
inline constexpr auto formBindings = []() consteval
{
    std::array<FormBinding, std::size(formbindingrows::rows)> bindings{};
    std::array<std::size_t, 6> kinds{};
    for (std::size_t i = 0; i < bindings.size(); ++i) {
        FormBinding row = formbindingrows::rows[i];
        row.field = &fieldNamed(row.key);
        if (row.field->kind != formbindingrows::fieldKindOf(row.kind))
            throw "a box of one kind bound to a field of another";
        if (row.kind == BoxKind::Ability)
            row.label = formbindingrows::abilityLabel(row.bit);
        if (row.label.empty())
            throw "a box without a label";
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

// Each value a box shows has one column, the title of which no other column
// has; an ability box's column is its label's.
static_assert(
    [] {
        for (const FormBinding &binding : formBindings) {
            const std::string_view title = binding.kind == BoxKind::Ability ? binding.label : binding.column;
            std::size_t columns = 0, sameTitles = 0;
            for (const FormBinding &other : formBindings) {
                columns += other.key == binding.key && !other.column.empty();
                sameTitles += (other.kind == BoxKind::Ability ? other.label : other.column) == title;
            }
            if ((binding.kind == BoxKind::Ability ? !binding.column.empty() : columns != 1)
                || (!title.empty() && sameTitles != 1))
                return false;
        }
        return true;
    }(),
    "every value a box shows needs one column title of its own");

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
