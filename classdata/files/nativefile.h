#pragma once

// The system calls a safe save is made of, the same on every platform.

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>

namespace tolvane {

// What a save needs to know of the file it replaces; a symbolic link is
// looked at, not followed.
struct FileFacts
{
    enum class Kind { Missing, Regular, Symlink, Other };
    Kind kind = Kind::Missing;
    std::string what;                        // for Other: "a folder", "a socket", ...
    std::error_code error;                   // for Other, when it could not be looked at
    std::uint64_t links = 1;                 // the names of a regular file (hard links)
    unsigned mode = 0, owner = 0, group = 0; // POSIX only
};
FileFacts factsOf(const std::filesystem::path &path);

#ifndef _WIN32
// What a file of this st_mode is, when it is not a regular file: "a folder",
// "a named pipe (FIFO)", "a socket", ...
const char *fileKindName(unsigned mode);
#endif

// A file this program opened for writing; closed, without a word, when it goes.
class NativeFile
{
public:
    NativeFile() = default; // none open
    // A file at path, which must not exist yet. hidden: a side file, marked
    // hidden where names do not hide it (Windows).
    static NativeFile createNew(const std::filesystem::path &path, bool hidden, std::error_code &error);
    // The existing regular file at path, to write over its contents.
    static NativeFile openExisting(const std::filesystem::path &path, std::error_code &error);

    NativeFile(NativeFile &&other) noexcept;
    NativeFile &operator=(NativeFile &&other) noexcept;
    ~NativeFile();
    explicit operator bool() const;

    // All of bytes, at the current position.
    std::error_code write(std::string_view bytes);
    // Cuts the file at size bytes.
    std::error_code resize(std::uint64_t size);
    // The contents reach the disk.
    std::error_code sync();
    std::error_code close();
    // The new file gets old's owner, group and mode (POSIX); on Windows the
    // replace carries the old file's owner and security over, so nothing.
    std::error_code takeOwnerAndMode(const FileFacts &old);
    // The mode a new file gets: 0666 less the umask (POSIX), and less what
    // limit lacks.
    std::error_code takeNewFileMode(unsigned limit = 0666);

private:
#ifdef _WIN32
    void *handle = reinterpret_cast<void *>(-1);
#else
    int fd = -1;
#endif
};

// Puts written in target's place in one step; backup is a free name beside
// them that Windows' replace may need for a moment.
std::error_code replaceFile(const std::filesystem::path &written, const std::filesystem::path &target,
                            const std::filesystem::path &backup);
// The folder's entries reach the disk, so that a power loss keeps a rename
// (POSIX; Windows' write-through moves and replaces need nothing more).
void syncFolder(const std::filesystem::path &folder);
// Whether this process may write path's contents.
bool mayWrite(const std::filesystem::path &path);
// Whether error says the system refused for lack of a permission.
bool isPermissionError(std::error_code error);
// Whether error says a file of that name exists already.
bool isExistsError(std::error_code error);
std::error_code removeFile(const std::filesystem::path &path);
// The absolute path that the symbolic link at link leads to, through every
// link; empty when it cannot be followed to an end (Windows, a link to nothing).
std::filesystem::path finalTarget(const std::filesystem::path &link);

} // namespace tolvane
