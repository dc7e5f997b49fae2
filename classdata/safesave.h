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
// A read-only file is replaced too and stays read-only: ask isReadOnlyFile
// first. Side files that an earlier save of the same file left behind when it
// was killed (NAME.new0 to NAME.new99, on Windows NAME.old0 to NAME.old99) are
// removed after a successful save.
bool saveFileAtomically(const std::filesystem::path &path, std::string_view bytes, std::string *error = nullptr);

// Whether path (or what a symlink there points to) is an existing file that
// says it is not to be written: no write permission for this process or for
// anyone (mode 0444, even for root), or the read-only attribute on Windows.
// False for a missing file.
bool isReadOnlyFile(const std::filesystem::path &path);
