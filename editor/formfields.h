#pragma once

#include "classrecord.h"

#include <cstdint>
#include <string_view>

// Which box of the form carries which class field, with the class file key
// that stores it.

struct IntField
{
    int id;
    std::int32_t ClassRecord::*field;
    std::string_view key;
};

struct FloatField
{
    int id;
    float ClassRecord::*field;
    std::string_view key;
};

// Both 1065 and 1067 carry max_45cal: 1065 comes first so that the value of
// "Pistol Mag" (1067) is the one a store keeps.
inline constexpr IntField intFields[] = {
    {1032, &ClassRecord::kevlar_vest, "kevlar_vest"},   {1033, &ClassRecord::kevlar_trouser, "kevlar_trouser"},
    {1034, &ClassRecord::combat_helmet, "combat_helmet"}, {1051, &ClassRecord::health, "health"},
    {1052, &ClassRecord::max_health, "max_health"},     {1069, &ClassRecord::max_rockets, "max_rockets"},
    {1074, &ClassRecord::max_308cal, "max_308cal"},     {1065, &ClassRecord::max_45cal, "max_45cal"},
    {1067, &ClassRecord::max_45cal, "max_45cal"},       {1072, &ClassRecord::max_556cal, "max_556cal"},
    {1066, &ClassRecord::max_shells, "max_shells"},     {1073, &ClassRecord::max_762bb, "max_762bb"},
    {1071, &ClassRecord::max_9cal, "max_9cal"},         {1068, &ClassRecord::max_357cal, "max_357cal"},
    {1070, &ClassRecord::max_cells, "max_cells"},       {1079, &ClassRecord::max_grenades, "max_grenades"},
};

inline constexpr FloatField floatFields[] = {
    {1048, &ClassRecord::speed, "speed"},
    {1049, &ClassRecord::jump, "jump"},
    {1050, &ClassRecord::underwaterair, "underwaterair"},
};
