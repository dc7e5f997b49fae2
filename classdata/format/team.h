#pragma once

#include <cstdint>
#include <string_view>

namespace tolvane {

// The two teams of the game, each with its class file.
enum class Team : std::uint8_t { Seals, Tangos };

constexpr Team teamOf(std::int32_t sealsActive)
{
    return sealsActive ? Team::Seals : Team::Tangos;
}
constexpr Team otherTeam(Team team)
{
    return team == Team::Seals ? Team::Tangos : Team::Seals;
}
// The settings' flag that makes team's file the active one.
constexpr std::int32_t sealsFlag(Team team)
{
    return team == Team::Seals ? 1 : 0;
}
constexpr std::string_view teamName(Team team)
{
    return team == Team::Seals ? "Seals" : "Tangos";
}

} // namespace tolvane
