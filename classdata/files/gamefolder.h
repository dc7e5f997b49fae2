#pragma once

#include <filesystem>
#include <string_view>
#include <system_error>

namespace tolvane {

// The folder that holds the class files and "tvcc.cfg": an absolute path,
// fixed when the folder is chosen, so that nothing read or written follows a
// later change of the working directory. A folder that could not be resolved
// has no path, only the name it was known by, if any; a GameFolder made by
// the default constructor is none at all: no folder has been chosen yet.
class GameFolder
{
public:
    enum class Problem { None, NotChosen, Unresolved, Missing, NotAFolder, Unreachable };

    GameFolder() = default;

    // The working directory now. When it cannot be resolved (it was deleted,
    // or its path is longer than the system allows) the folder is unresolved
    // and named after the shell's PWD when that is an absolute path.
    static GameFolder working();
    // path made absolute against the working directory now.
    static GameFolder at(const std::filesystem::path &path);

    bool resolved() const { return !folderPath.empty(); }
    // Empty when unresolved.
    const std::filesystem::path &path() const { return folderPath; }
    // The path, or the name an unresolved folder was known by (may be empty).
    const std::filesystem::path &name() const { return resolved() ? folderPath : knownName; }
    // A file in the folder; empty when the folder is unresolved, so that
    // nothing ever lands in another folder.
    std::filesystem::path file(std::string_view fileName) const;

    // Whether the folder can be used now; error tells why not, where the
    // system said.
    Problem check(std::error_code *error = nullptr) const;
    // Whether a class file, or with settingsToo the settings file, is in the
    // folder: whether it looks like a game folder at all.
    bool holdsGameFiles(bool settingsToo) const;

    bool operator==(const GameFolder &) const = default;

private:
    std::filesystem::path folderPath;
    std::filesystem::path knownName;
    // Made from a working directory that could not be resolved.
    bool unresolved = false;
};

} // namespace tolvane
