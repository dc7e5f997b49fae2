#pragma once

#include "classfields.h"
#include "controlids.h"

#include <cstdint>
#include <string_view>

// Which box of the form carries which class field. The member comes from the
// class field table by the field's key, so a box names its field once.

struct IntField
{
    consteval IntField(int id, std::string_view key)
        : id(id), key(key), field(fieldNamed(key).intMember), classField(&fieldNamed(key))
    {
        if (fieldNamed(key).kind != FieldKind::Int)
            throw "an int box needs an int field";
    }
    int id;
    std::string_view key;
    std::int32_t ClassRecord::*field;
    const ClassField *classField;
};

struct FloatField
{
    consteval FloatField(int id, std::string_view key)
        : id(id), key(key), field(fieldNamed(key).floatMember), classField(&fieldNamed(key))
    {
        if (fieldNamed(key).kind != FieldKind::Float)
            throw "a float box needs a float field";
    }
    int id;
    std::string_view key;
    float ClassRecord::*field;
    const ClassField *classField;
};

// Both ".45 cal Mag" and "Pistol Mag" carry max_45cal: the first comes first
// so that the value of "Pistol Mag" is the one a store keeps.
inline constexpr IntField intFields[] = {
    {ControlId::KevlarVest, "kevlar_vest"}, {ControlId::Trousers, "kevlar_trouser"},
    {ControlId::Helmet, "combat_helmet"},   {ControlId::Health, "health"},
    {ControlId::MaxHealth, "max_health"},   {ControlId::Rockets, "max_rockets"},
    {ControlId::Cal308Mag, "max_308cal"},   {ControlId::Cal45Mag, "max_45cal"},
    {ControlId::PistolMag, "max_45cal"},    {ControlId::ArMag, "max_556cal"},
    {ControlId::Shells, "max_shells"},      {ControlId::Bb762, "max_762bb"},
    {ControlId::Mag9mm, "max_9cal"},        {ControlId::Bullets357, "max_357cal"},
    {ControlId::Cells, "max_cells"},        {ControlId::Grenades, "max_grenades"},
};

inline constexpr FloatField floatFields[] = {
    {ControlId::Speed, "speed"},
    {ControlId::Jump, "jump"},
    {ControlId::UnderwaterAir, "underwaterair"},
};

// The check boxes of the abilities and the bit each one sets.
struct AbilityBox
{
    int id;
    std::int32_t bit;
};

inline constexpr AbilityBox abilityBoxes[] = {
    {ControlId::At4Scope, 0x1},          {ControlId::Scanner, 0x2},
    {ControlId::ThrowCaltrops, 0x4},     {ControlId::LaserGuidedRockets, 0x8},
    {ControlId::KnifeThrow, 0x10},       {ControlId::PlaceSentries, 0x20},
    {ControlId::PlaceHealthDepot, 0x40}, {ControlId::PlaceAmmoDepot, 0x80},
    {ControlId::PlaceDetpack, 0x100},    {ControlId::CanDisguise, 0x200},
    {ControlId::CanFeignDeath, 0x400},   {ControlId::HasNightVision, 0x1000},
    {ControlId::SniperAutozoom, 0x2000}, {ControlId::CanUseTurrets, 0x4000},
    {ControlId::SniperScope, 0x8000},    {ControlId::SniperLaserSight, 0x10000},
    {ControlId::CanHealOthers, 0x20000}, {ControlId::DisarmDetpack, 0x40000},
    {ControlId::CanBeHunted, 0x80000},   {ControlId::CanBeBodyguard, 0x100000},
    {ControlId::CanBeAssassin, 0x200000}, {ControlId::CanBeVip, 0x400000},
};
