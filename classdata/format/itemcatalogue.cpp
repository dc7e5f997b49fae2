#include "itemcatalogue.h"

#include "classdata/text/asciitext.h"

#include <algorithm>

namespace tolvane {

const std::array<ItemInfo, inventorySlotCount> itemCatalogue = {{
    {"weapon_knife", "Army Knife", true},
    {"weapon_fists", "Fists", true},
    {"weapon_Mk23", "Mk23", true},
    {"weapon_92f", "Beretta 92f", true},
    {"weapon_ak_92f", "Akimbo Beretta 92f", true},
    {"weapon_92fsd", "Beretta 92f Silenced", true},
    {"weapon_Mk23_sd", "Mk23 Silenced", true},
    {"weapon_desert", "Desert Eagle", true},
    {"weapon_sw586", "S&W 586", true},
    {"weapon_sw66", "S&W 66", true},
    {"weapon_mp5", "H&K MP 5", true},
    {"weapon_akimbo_mp5", "Akimbo H&K MP 5", true},
    {"weapon_UZI", "IMI Uzi", true},
    {"weapon_AK97", "MAC 10", true},
    {"weapon_UMP", "H&K Ump 45", true},
    {"weapon_M16", "M4", true},
    {"weapon_M203", "M 203", true},
    {"weapon_AK47", "AK47", true},
    {"weapon_sniper", "PSG-1", true},
    {"weapon_druganov", "Druganov", true},
    {"weapon_itahca", "Itahca M37 Shotgun", true},
    {"weapon_shotgun", "Mossberg Tactical Shotgun", true},
    {"weapon_m60", "M 60", true},
    {"weapon_pkm", "PKM", true},
    {"weapon_hk69", "H&K 69", true},
    {"weapon_grenadelauncher", "Combat Grenade Launcher", true},
    {"weapon_rocketlauncher", "Rocket Launcher", true},
    {"weapon_trap", "Laser Traps", false},
    {"weapon_flame", "ASX-01 Flame Thrower", true},
    {"ammo_grenades", "Grenades", false},
    {"ammo_mirvgrenades", "Mirv Grenades", false},
    {"ammo_fgrenades", "Flash Grenades", false},
    {"ammo_ngrenades", "Napalm Grenades", false},
    {"ammo_ccgrenades", "Concussion Grenades", false},
    {"ammo_nailgrenades", "Nail Grenades", false},
    {"ammo_cells", "Cells", false},
    {"ammo_rockets", "Rockets", false},
    {"ammo_308cal", "3.08 cal Clips", false},
    {"ammo_45cal", "45 cal Clips", false},
    {"ammo_556cal", "5.56mm Clips", false},
    {"ammo_762cal", "7.62mm Bulletbelt", false},
    {"ammo_9cal", "9mm Clips", false},
    {"ammo_shells", "12 gauge shells", false},
    {"ammo_bullets", ".357 Magnum Bullets", false},
}};

namespace {

struct EntityName
{
    std::string_view internalName;
    std::string_view displayName;
};

// Further entity names a starting weapon may hold. None of their display
// names is offered in the starting-weapon list.
constexpr EntityName otherEntities[] = {
    {"item_silencer", "Silencer"},
    {"item_breather", "Rebreather"},
    {"item_enviro", "Environment Suit"},
    {"item_ancient_head", "Ancient Head"},
    {"item_adrenaline", "Adrenaline"},
    {"item_bandolier", "Bandolier"},
    {"item_pack", "Ammo Pack"},
    {"key_data_cd", "Data CD"},
    {"key_power_cube", "Power Cube"},
    {"key_pyramid", "Pyramid Key"},
    {"key_data_spinner", "Data Spinner"},
    {"key_pass", "Security Pass"},
    {"key_blue_key", "Blue Key"},
    {"key_red_key", "Red Key"},
    {"key_commander_head", "Commander's Head"},
    {"key_airstrike_target", "Airstrike Marker"},
    {"(null)", "Health"},
    {"item_flag_team1", "Seals Flag"},
    {"item_flag_team2", "Tangos Flag"},
    {"item_flagreturn_team1", "Seals Flag Rescue Point"},
    {"item_flagreturn_team2", "Tangos Flag Rescue Point"},
    {"item_bomb_team1", "Navy Bomb"},
    {"item_bomb_team2", "Tango Bomb"},
    {"navigation", "Navigation"},
    {"info_player_team1", "Player Seals Start"},
    {"info_player_team2", "Player Tangos Start"},
    {"HostageTeam1", "Hostage Team1"},
    {"HostageTeam2", "Hostage Team2"},
    {"BotExitTeam1", "Hostage Team1"},
    {"BotExitTeam2", "Hostage Team2"},
};

// The display name of the first catalogue slot in [first, last) whose internal name matches.
std::optional<std::string_view> findInSlots(std::string_view name, int first, int last)
{
    for (int slot = first; slot < last; ++slot) {
        if (equalsIgnoreCase(itemCatalogue[slot].internalName, name))
            return itemCatalogue[slot].displayName;
    }
    return std::nullopt;
}

} // namespace

std::optional<std::string_view> knownDisplayName(std::string_view internalName)
{
    // The order matters only for its documented outcome: weapons and the
    // first ammunition kinds, then the other entities, then the rest.
    if (auto name = findInSlots(internalName, 0, 37))
        return name;
    for (const EntityName &entity : otherEntities) {
        if (equalsIgnoreCase(entity.internalName, internalName))
            return entity.displayName;
    }
    return findInSlots(internalName, 37, inventorySlotCount);
}

std::string_view displayNameFor(std::string_view internalName)
{
    return knownDisplayName(internalName).value_or(itemCatalogue[0].displayName);
}

std::optional<int> slotForDisplayName(std::string_view displayName)
{
    for (int slot = 0; slot < inventorySlotCount; ++slot) {
        if (equalsIgnoreCase(itemCatalogue[slot].displayName, displayName))
            return slot;
    }
    return std::nullopt;
}

std::optional<int> slotForInternalName(std::string_view internalName)
{
    if (internalName.empty())
        return std::nullopt;
    // Names of one length differ most at their ends ("weapon_..."): the last
    // letter first keeps a lookup, which every inventory line makes, short.
    const char last = foldCase(internalName.back());
    for (int slot = 0; slot < inventorySlotCount; ++slot) {
        const std::string_view name = itemCatalogue[slot].internalName;
        if (name.size() == internalName.size() && foldCase(name.back()) == last && equalsIgnoreCase(name, internalName))
            return slot;
    }
    return std::nullopt;
}

} // namespace tolvane
