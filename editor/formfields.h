#pragma once

#include "classfields.h"

#include <cstdint>
#include <string_view>

// Which box of the form carries which class field. The member comes from the
// class field table by the field's key, so a box names its field once.

struct IntField
{
    consteval IntField(int id, std::string_view key) : id(id), key(key), field(fieldNamed(key).intMember)
    {
        if (fieldNamed(key).kind != FieldKind::Int)
            throw "an int box needs an int field";
    }
    int id;
    std::string_view key;
    std::int32_t ClassRecord::*field;
};

struct FloatField
{
    consteval FloatField(int id, std::string_view key) : id(id), key(key), field(fieldNamed(key).floatMember)
    {
        if (fieldNamed(key).kind != FieldKind::Float)
            throw "a float box needs a float field";
    }
    int id;
    std::string_view key;
    float ClassRecord::*field;
};

// Both 1065 and 1067 carry max_45cal: 1065 comes first so that the value of
// "Pistol Mag" (1067) is the one a store keeps.
inline constexpr IntField intFields[] = {
    {1032, "kevlar_vest"}, {1033, "kevlar_trouser"}, {1034, "combat_helmet"}, {1051, "health"},
    {1052, "max_health"},  {1069, "max_rockets"},    {1074, "max_308cal"},    {1065, "max_45cal"},
    {1067, "max_45cal"},   {1072, "max_556cal"},     {1066, "max_shells"},    {1073, "max_762bb"},
    {1071, "max_9cal"},    {1068, "max_357cal"},     {1070, "max_cells"},     {1079, "max_grenades"},
};

inline constexpr FloatField floatFields[] = {
    {1048, "speed"},
    {1049, "jump"},
    {1050, "underwaterair"},
};
