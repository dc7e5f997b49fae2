#pragma once

#include <cstdint>
#include <string_view>

// The bits of classabilities that mean something, by the labels the form
// gives them, in bit order. The last four are the game-mode roles the form
// groups as "Gamemode Flags".
struct AbilityInfo
{
    std::int32_t bit;
    std::string_view label;
    bool gameMode;
};

inline constexpr AbilityInfo abilityCatalogue[] = {
    {0x1, "AT-4 Scope", false},
    {0x2, "Scanner", false},
    {0x4, "Throw Caltrops", false},
    {0x8, "Laserguided Rox", false},
    {0x10, "Knife Throw", false},
    {0x20, "Place Sentrys", false},
    {0x40, "Place Healdepot", false},
    {0x80, "Place Ammodepot", false},
    {0x100, "Place Detpack", false},
    {0x200, "Can Disguise", false},
    {0x400, "Can Feign Death", false},
    {0x1000, "Has Nightvision", false},
    {0x2000, "Sniper Autozoom", false},
    {0x4000, "Can use Turrets", false},
    {0x8000, "Sniper Scope", false},
    {0x10000, "Sniper Lasersight", false},
    {0x20000, "Can Heal Others", false},
    {0x40000, "Disarm Detpack", false},
    {0x80000, "Can be the Hunted", true},
    {0x100000, "Can be Bodyguard", true},
    {0x200000, "Can be Assassin", true},
    {0x400000, "Can be the V.I.P.", true},
};
