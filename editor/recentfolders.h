#pragma once

#include <filesystem>
#include <vector>

// The game folders opened last, most recent first, as the user's settings
// keep them from one run to the next (at most five absolute paths).
std::vector<std::filesystem::path> RecentFolders();
void KeepRecentFolders(const std::vector<std::filesystem::path> &folders);
