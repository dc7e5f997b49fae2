#pragma once

#include <filesystem>
#include <string>
#include <string_view>

// Replaces the file at path with bytes atomically: the new contents go to a
// file beside it that is renamed over it only when fully written and flushed,
// following a symlink to its target and keeping the file's permissions. A new
// file gets the permissions the process would give it. On failure the old
// file is untouched, no stray file is left, false is returned and error (when
// given) says why.
bool saveFileAtomically(const std::filesystem::path &path, std::string_view bytes, std::string *error = nullptr);
