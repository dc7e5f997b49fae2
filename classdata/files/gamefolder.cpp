#include "gamefolder.h"

#include "classdata/files/settings.h"
#include "classdata/format/classfilereader.h"

#include <cstdlib>

namespace tolvane {

namespace fs = std::filesystem;

namespace {

fs::path shellWorkingDirectory()
{
    const char *pwd = std::getenv("PWD");
    const fs::path path = pwd ? fs::path(pwd) : fs::path();
    return path.is_absolute() ? path : fs::path();
}

// Without "." or ".." and without a trailing separator.
fs::path normal(const fs::path &path)
{
    fs::path result = path.lexically_normal();
    if (!result.has_filename() && result.has_relative_path())
        result = result.parent_path();
    return result;
}

} // namespace

GameFolder GameFolder::working()
{
    GameFolder folder;
    std::error_code error;
    fs::path current = fs::current_path(error);
    if (!error && current.is_absolute())
        folder.folderPath = normal(current);
    else
        folder.knownName = shellWorkingDirectory();
    folder.unresolved = !folder.resolved();
    return folder;
}

GameFolder GameFolder::at(const fs::path &path)
{
    GameFolder folder;
    if (path.is_absolute()) {
        folder.folderPath = normal(path);
        return folder;
    }
    const GameFolder here = working();
    if (here.resolved() && !path.empty())
        folder.folderPath = normal(here.folderPath / path);
    else if (!here.name().empty())
        folder.knownName = normal(here.name() / path);
    else
        folder.knownName = path;
    folder.unresolved = !folder.resolved();
    return folder;
}

fs::path GameFolder::file(std::string_view fileName) const
{
    return resolved() ? folderPath / fileName : fs::path();
}

GameFolder::Problem GameFolder::check(std::error_code *error) const
{
    std::error_code ignored;
    std::error_code &status = error ? *error : ignored;
    status.clear();
    if (!resolved())
        return unresolved ? Problem::Unresolved : Problem::NotChosen;
    const fs::file_status info = fs::status(folderPath, status);
    if (info.type() == fs::file_type::not_found)
        return Problem::Missing;
    if (status) {
        if (status == std::errc::no_such_file_or_directory || status == std::errc::not_a_directory)
            return Problem::Missing;
        return Problem::Unreachable;
    }
    if (!fs::is_directory(info))
        return Problem::NotAFolder;
    return Problem::None;
}

bool GameFolder::holdsGameFiles(bool settingsToo) const
{
    std::error_code error;
    for (std::string_view name : {classFileName(1), classFileName(0), settingsFileName}) {
        if ((settingsToo || name != settingsFileName) && fs::exists(file(name), error))
            return true;
    }
    return false;
}

} // namespace tolvane
