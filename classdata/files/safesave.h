#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

namespace tolvane {

// Why a save failed, and whether the file stayed as it was.
struct SaveError
{
    std::string reason;
    // Empty: the file is as it was before the save. Otherwise a write in
    // place failed and its old contents could not be put back either: they
    // are in this file.
    std::filesystem::path previousContents;

    // "REASON; the file is unchanged", or where its old contents are.
    std::string text() const;
};

// Replaces the file at path with bytes safely. The new contents go to a side
// file beside it (a hidden name of this program's, unique to the save,
// created afresh) that is synced and then renamed over it, and the folder is
// synced after; the new file gets the old one's mode, owner and group. A new
// file gets the permissions the process would give it.
//
// A file that a rename would not keep as it is gets its new contents written
// in place instead, after a copy of its old contents was kept in a side file
// (beside it, or in the system's temporary folder) and before that copy goes:
// a file with several hard links, a file in a folder this process may not
// write, and a file whose owner or group the new file could not get. That
// copy is the one side file a killed save leaves for the user: a killed
// in-place write may leave the file torn.
//
// Refused: a symbolic link (a caller that means to write through one finds
// its target with symlinkTarget and asks first), a folder and anything else
// that is not a regular file. A read-only file is replaced too and stays
// read-only: ask isReadOnlyFile first.
//
// On failure the file is unchanged (or error says where its old contents
// are), no side file of this save is left, and error (when given) says why.
// Side files that killed saves of the same file left are removed after a
// success: only this program's, and only when no save can still be using them.
//
// keepOld, when given, keeps the old contents for a write in place instead of
// that side file: it returns the file they are in, which stays after the
// save (a backup), or an empty path when it could not keep them, and the save
// then keeps its own copy.
using OldContentsKeeper = std::function<std::filesystem::path(std::string_view oldBytes)>;
bool saveFileAtomically(const std::filesystem::path &path, std::string_view bytes, SaveError *error = nullptr,
                        const OldContentsKeeper &keepOld = {});
// The same, for a caller that needs only the reason (and where the old
// contents are, should a write in place have damaged the file).
bool saveFileAtomically(const std::filesystem::path &path, std::string_view bytes, std::string *error);

// The same for a new file that holds a copy of original's contents (a
// backup): from its creation on, its group and others get no permission
// that original gives them not (none when original is gone). Side files of
// killed copies are removed as above.
bool saveCopyAtomically(const std::filesystem::path &path, std::string_view bytes,
                        const std::filesystem::path &original, std::string *error);

// Removes the side files of new contents that killed saves left in folder,
// of whatever file, once no save can still be using them: for a folder of
// this program's own whose files are each saved once, under a new name.
void removeStaleSideFilesIn(const std::filesystem::path &folder);

// Whether path (or what a symlink there points to) is an existing file that
// says it is not to be written: no write permission for this process or for
// anyone (mode 0444, even for root), or the read-only attribute on Windows.
// False for a missing file.
bool isReadOnlyFile(const std::filesystem::path &path);

// The file that the symbolic link at path leads to, through every link, as
// an absolute path; nullopt when path is no symbolic link. The target need
// not exist.
std::optional<std::filesystem::path> symlinkTarget(const std::filesystem::path &path);

// For tests of failures: runs in every save with the path being replaced,
// right after the new contents were written and synced and before they take
// the old file's place (or before a write in place). An error it gives fails
// the save there, as if the system had refused the replace. An empty
// function ends it.
void setSaveFaultForTests(std::function<std::error_code(const std::filesystem::path &)> fault);

} // namespace tolvane
