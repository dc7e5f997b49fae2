#pragma once

#include <cstdint>
#include <string_view>

namespace tolvane {

// The bits of classabilities that mean something, by the labels the form
// gives them, in bit order. The last four are the game-mode roles the form
// groups as "Gamemode Flags". The name is a label fit for a sheet's column
// or a script: lower case, words joined by "_".
struct AbilityInfo
{
    std::int32_t bit;
    std::string_view label;
    std::string_view name;
    bool gameMode;
};

inline constexpr AbilityInfo abilityCatalogue[] = {
    {0x1, "AT-4 Scope", "at4_scope", false},
    {0x2, "Scanner", "scanner", false},
    {0x4, "Throw Caltrops", "throw_caltrops", false},
    {0x8, "Laserguided Rox", "laserguided_rockets", false},
    {0x10, "Knife Throw", "knife_throw", false},
    {0x20, "Place Sentrys", "place_sentries", false},
    {0x40, "Place Healdepot", "place_healdepot", false},
    {0x80, "Place Ammodepot", "place_ammodepot", false},
    {0x100, "Place Detpack", "place_detpack", false},
    {0x200, "Can Disguise", "can_disguise", false},
    {0x400, "Can Feign Death", "can_feign_death", false},
    {0x1000, "Has Nightvision", "has_nightvision", false},
    {0x2000, "Sniper Autozoom", "sniper_autozoom", false},
    {0x4000, "Can use Turrets", "can_use_turrets", false},
    {0x8000, "Sniper Scope", "sniper_scope", false},
    {0x10000, "Sniper Lasersight", "sniper_lasersight", false},
    {0x20000, "Can Heal Others", "can_heal_others", false},
    {0x40000, "Disarm Detpack", "disarm_detpack", false},
    {0x80000, "Can be the Hunted", "can_be_hunted", true},
    {0x100000, "Can be Bodyguard", "can_be_bodyguard", true},
    {0x200000, "Can be Assassin", "can_be_assassin", true},
    {0x400000, "Can be the V.I.P.", "can_be_vip", true},
};

} // namespace tolvane
