#include "versionpicker.h"

#include "versiondialog.h"

#include <QDateTime>

// The versions by the local time they were kept.
std::optional<std::size_t> VersionPicker::chooseVersion(const std::string &fileName,
                                                        const std::vector<KeptVersion> &versions)
{
    QStringList times, differences;
    for (const KeptVersion &version : versions) {
        const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(version.kept.time_since_epoch());
        const QString time =
            QDateTime::fromSecsSinceEpoch(seconds.count()).toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
        times << (version.inSecond ? QStringLiteral("%1 (%2)").arg(time).arg(version.inSecond) : time);
        differences << QString::fromStdString(version.differences);
    }
    VersionDialog chooser(QString::fromStdString(fileName), times, differences, window);
    if (chooser.exec() != QDialog::Accepted || chooser.chosenVersion() < 0)
        return std::nullopt;
    return std::size_t(chooser.chosenVersion());
}
