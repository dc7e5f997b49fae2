#pragma once

#include <QString>

#include <filesystem>

class QUrl;
class QVariant;

// Paths stay native from the folder to open(): a folder name need not be
// valid text (a Latin-1 byte from an old Windows copy). These convert only
// where Qt needs a QString or hands over something else.

// For showing: native separators; bytes that are not text show as U+FFFD.
QString displayPath(const std::filesystem::path &path);
// A path from a Qt dialog.
std::filesystem::path pathFromQt(const QString &path);
// The local file a URL names, its percent-encoded bytes taken as they are;
// empty for other URLs.
std::filesystem::path pathFromUrl(const QUrl &url);
// A path as a settings value and back, byte for byte.
QVariant pathToSetting(const std::filesystem::path &path);
std::filesystem::path pathFromSetting(const QVariant &value);
