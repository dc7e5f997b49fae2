#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace tolvane {

inline constexpr std::string_view settingsFileName = "tvcc.cfg";

// Applies the settings text to sealsActive as the start-up reader does: the
// last countable line of the [TolvaneClassCreator] section decides.
void readSettingsBytes(std::string_view bytes, std::int32_t &sealsActive);

// Reads "tvcc.cfg" in folder into sealsActive. False when it cannot be
// opened; sealsActive is then left as it was.
bool readSettings(const std::filesystem::path &folder, std::int32_t &sealsActive);

// The five lines the settings file holds for sealsActive.
std::string settingsFileBytes(std::int32_t sealsActive, std::string_view lineEnd);

} // namespace tolvane
