#include "nativepath.h"

#include <QDir>
#include <QFile>
#include <QUrl>
#include <QVariant>

QString displayPath(const std::filesystem::path &path)
{
#ifdef _WIN32
    return QDir::toNativeSeparators(QString::fromStdWString(path.native()));
#else
    return QFile::decodeName(QByteArray::fromStdString(path.native()));
#endif
}

std::filesystem::path pathFromQt(const QString &path)
{
#ifdef _WIN32
    return std::filesystem::path(path.toStdWString());
#else
    return std::filesystem::path(QFile::encodeName(path).toStdString());
#endif
}

std::filesystem::path pathFromUrl(const QUrl &url)
{
    if (!url.isLocalFile())
        return {};
#ifdef _WIN32
    return pathFromQt(url.toLocalFile());
#else
    return std::filesystem::path(
        QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1()).toStdString());
#endif
}

QVariant pathToSetting(const std::filesystem::path &path)
{
#ifdef _WIN32
    return QString::fromStdWString(path.native());
#else
    return QByteArray::fromStdString(path.native());
#endif
}

std::filesystem::path pathFromSetting(const QVariant &value)
{
#ifdef _WIN32
    return std::filesystem::path(value.toString().toStdWString());
#else
    return std::filesystem::path(value.toByteArray().toStdString());
#endif
}
