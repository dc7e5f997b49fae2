#include "recentfolders.h"

#include "nativepath.h"

#include <QSettings>

namespace {

constexpr std::size_t keep = 5;
const QString key = QStringLiteral("recentFolders");

} // namespace

QSettings editorSettings()
{
    return QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Tolvane"),
                     QStringLiteral("Tolvane Class Creator"));
}

std::vector<std::filesystem::path> recentFolders()
{
    std::vector<std::filesystem::path> folders;
    for (const QVariant &value : editorSettings().value(key).toList()) {
        std::filesystem::path folder = pathFromSetting(value);
        if (folder.is_absolute() && folders.size() < keep)
            folders.push_back(std::move(folder));
    }
    return folders;
}

void keepRecentFolders(const std::vector<std::filesystem::path> &folders)
{
    QVariantList values;
    for (const std::filesystem::path &path : folders)
        values.append(pathToSetting(path));
    editorSettings().setValue(key, values);
}
