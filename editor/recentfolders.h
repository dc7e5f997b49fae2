#pragma once

#include <filesystem>
#include <vector>

// The game folders opened last, most recent first, at most five, kept in
// the user's settings from one run to the next.
std::vector<std::filesystem::path> RecentFolders();
// Puts folder first, dropping an older entry for it and the sixth; returns
// the folders as they are now.
std::vector<std::filesystem::path> AddRecentFolder(const std::filesystem::path &folder);
