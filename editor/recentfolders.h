#pragma once

#include <QSettings>

#include <filesystem>
#include <vector>

// The user's settings of the editor: an INI file in the user's settings
// folder on every platform, so that a path is kept byte for byte and tests
// can move it elsewhere.
QSettings editorSettings();

// The game folders opened last, most recent first, as the user's settings
// keep them from one run to the next (at most five absolute paths).
std::vector<std::filesystem::path> recentFolders();
void keepRecentFolders(const std::vector<std::filesystem::path> &folders);
