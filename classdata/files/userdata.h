#pragma once

#include <filesystem>
#include <string>

namespace tolvane {

// The user's own data folder, for backups of class files and the recovery
// files of editing sessions; nothing of it ever goes into a game folder.
// Linux and others: $XDG_DATA_HOME/tolvane-class-creator, else
// $HOME/.local/share/tolvane-class-creator; Windows: %LOCALAPPDATA%\Tolvane
// Class Creator. Relative values are ignored. Empty when none is set.
std::filesystem::path userDataFolder();

// Where previous versions of class files are kept, and unsaved classes;
// empty without a data folder.
std::filesystem::path backupsFolder(const std::filesystem::path &dataFolder);
std::filesystem::path recoveryFolder(const std::filesystem::path &dataFolder);

// Creates folder, a store's folder in the data folder, with its parents;
// false, with why in error, when there is none or it cannot be made.
bool makeStoreFolder(const std::filesystem::path &folder, std::string *error);

// The absolute path as one file name that every file system takes and a
// person can read: the path's last name (characters no file system takes
// become "_", cut to 40 bytes) and 8 hexadecimal digits of the whole path,
// "My Mod-3fa2c91b"; on Windows, whose names ignore case, in lower case.
// Paths that name one file (with "..", through a symlink, on Windows in
// other case) give one name.
std::filesystem::path keyedName(const std::filesystem::path &path);

// A path as bytes to store, with "/" between names (UTF-8 on Windows, the
// system's own bytes elsewhere; "?" for what is no character), and the path
// those bytes name (empty for bytes that are not UTF-8 on Windows).
std::string pathBytes(const std::filesystem::path &path);
std::filesystem::path pathFromBytes(std::string_view bytes);

} // namespace tolvane
