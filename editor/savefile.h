#pragma once

#include <QString>

#include <filesystem>
#include <string_view>

// Replaces the file at path with bytes atomically: the new contents go to a
// file beside it that is renamed over it only when fully written, following a
// symlink to its target and keeping the file's permissions. On failure the
// old file is untouched, false is returned and error says why.
bool saveFileAtomically(const QString &path, std::string_view bytes, QString *error);

// The same for a native path. QSaveFile takes the path as text, so a path
// that is not valid text cannot be written this way.
bool saveFileAtomically(const std::filesystem::path &path, std::string_view bytes, QString *error);
