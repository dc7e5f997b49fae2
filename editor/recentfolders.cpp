#include "recentfolders.h"

#include "nativepath.h"

#include <QSettings>

#include <algorithm>

namespace {

constexpr std::size_t keep = 5;
const QString key = QStringLiteral("recentFolders");

// An INI file in the user's settings folder on every platform, so that a
// path is kept byte for byte and tests can move it elsewhere.
QSettings userSettings()
{
    return QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Tolvane"),
                     QStringLiteral("Tolvane Class Creator"));
}

} // namespace

std::vector<std::filesystem::path> RecentFolders()
{
    std::vector<std::filesystem::path> folders;
    for (const QVariant &value : userSettings().value(key).toList()) {
        std::filesystem::path folder = pathFromSetting(value);
        if (folder.is_absolute() && folders.size() < keep)
            folders.push_back(std::move(folder));
    }
    return folders;
}

std::vector<std::filesystem::path> AddRecentFolder(const std::filesystem::path &folder)
{
    std::vector<std::filesystem::path> folders = RecentFolders();
    if (!folders.empty() && folders.front() == folder)
        return folders; // most starts: nothing to write
    folders.erase(std::remove(folders.begin(), folders.end(), folder), folders.end());
    folders.insert(folders.begin(), folder);
    folders.resize(std::min(folders.size(), keep));
    QVariantList values;
    for (const std::filesystem::path &path : folders)
        values.append(pathToSetting(path));
    userSettings().setValue(key, values);
    return folders;
}
