#include "safesave.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <system_error>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

bool fail(std::string *error, const std::string &reason)
{
    if (error)
        *error = reason;
    return false;
}

// The file a save replaces: the target of a symlink, so that the link stays.
std::filesystem::path saveTarget(const std::filesystem::path &path)
{
    std::error_code ec;
    if (std::filesystem::is_symlink(path, ec)) {
        const std::filesystem::path target = std::filesystem::weakly_canonical(path, ec);
        if (!ec)
            return target;
    }
    return path;
}

#ifdef _WIN32

std::string lastErrorText()
{
    return std::system_category().message(int(GetLastError()));
}

// Writes bytes to a new file at path; false when any of it did not reach the disk.
bool writeNewFile(const std::filesystem::path &path, std::string_view bytes, std::string *error)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return fail(error, lastErrorText());
    bool ok = true;
    while (ok && !bytes.empty()) {
        const DWORD chunk = DWORD(std::min<std::size_t>(bytes.size(), 1u << 30));
        DWORD written = 0;
        ok = WriteFile(file, bytes.data(), chunk, &written, nullptr) && written > 0;
        bytes.remove_prefix(written);
    }
    ok = ok && FlushFileBuffers(file);
    std::string reason = ok ? std::string() : lastErrorText();
    ok = CloseHandle(file) && ok;
    if (!ok) {
        DeleteFileW(path.c_str());
        return fail(error, reason.empty() ? lastErrorText() : reason);
    }
    return true;
}

// A name beside target that no file has yet, for the old file while it is replaced.
std::filesystem::path backupName(const std::filesystem::path &target)
{
    std::filesystem::path backup;
    for (int attempt = 0; attempt < 100; ++attempt) {
        backup = target;
        backup += ".old" + std::to_string(attempt);
        if (GetFileAttributesW(backup.c_str()) == INVALID_FILE_ATTRIBUTES)
            break;
    }
    return backup;
}

bool fileExists(const std::filesystem::path &path)
{
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string utf8Name(const std::filesystem::path &path)
{
    const std::u8string name = path.filename().u8string();
    return {name.begin(), name.end()};
}

// Puts the written file in place of target; ReplaceFile keeps the old file's
// attributes and security, a plain move serves a new file. ReplaceFile can
// fail half way, with the old file moved aside (ERROR_UNABLE_TO_MOVE_REPLACEMENT_2):
// with a backup name it is known where, and it is put back.
bool replaceWith(const std::filesystem::path &target, const std::filesystem::path &written, std::string *error)
{
    if (!fileExists(target)) {
        if (MoveFileExW(written.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH))
            return true;
        const std::string reason = lastErrorText();
        DeleteFileW(written.c_str());
        return fail(error, reason);
    }
    const std::filesystem::path backup = backupName(target);
    // ReplaceFile refuses a read-only file: the attribute is taken off for it and put back after.
    const DWORD attributes = GetFileAttributesW(target.c_str());
    const bool readOnly = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY);
    const auto keepReadOnly = [&] {
        if (readOnly)
            SetFileAttributesW(target.c_str(), GetFileAttributesW(target.c_str()) | FILE_ATTRIBUTE_READONLY);
    };
    if (readOnly)
        SetFileAttributesW(target.c_str(), attributes & ~DWORD(FILE_ATTRIBUTE_READONLY));
    if (ReplaceFileW(target.c_str(), written.c_str(), backup.c_str(), REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr,
                     nullptr)) {
        DeleteFileW(backup.c_str());
        keepReadOnly();
        return true;
    }
    std::string reason = lastErrorText();
    keepReadOnly();
    if (!fileExists(target) && fileExists(backup))
        MoveFileExW(backup.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH);
    if (fileExists(target))
        DeleteFileW(written.c_str());
    else
        reason += "; the old contents are in " + utf8Name(backup) + ", the new in " + utf8Name(written);
    return fail(error, reason);
}

#else

std::string errnoText(int code)
{
    return std::strerror(code);
}

// The mode a new file gets: 0666 less the process's umask.
mode_t newFileMode()
{
    const mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

bool writeAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            if (written == 0)
                errno = ENOSPC;
            return false;
        }
        bytes.remove_prefix(std::size_t(written));
    }
    return true;
}

// Writes bytes to a new file at path with the given mode; false when any of
// it did not reach the disk.
bool writeNewFile(const std::filesystem::path &path, std::string_view bytes, mode_t mode, std::string *error)
{
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0)
        return fail(error, errnoText(errno));
    bool ok = ::fchmod(fd, mode) == 0 && writeAll(fd, bytes) && ::fsync(fd) == 0;
    const int code = errno;
    ok = ::close(fd) == 0 && ok;
    if (!ok) {
        const int reason = code != 0 ? code : errno;
        ::unlink(path.c_str());
        return fail(error, errnoText(reason));
    }
    return true;
}

#endif

constexpr int sideNames = 100;

// A name beside target that no other file has; tried a few times.
std::filesystem::path sideName(const std::filesystem::path &target, int attempt, const char *kind = ".new")
{
    std::filesystem::path side = target;
    side += std::filesystem::path(kind + std::to_string(attempt));
    return side;
}

// Removes the side files of target that a killed save left: plain files only.
void removeStaleSideFiles(const std::filesystem::path &target)
{
    for (const char *kind : {".new", ".old"}) {
        for (int attempt = 0; attempt < sideNames; ++attempt) {
            const std::filesystem::path side = sideName(target, attempt, kind);
            std::error_code ec;
            if (std::filesystem::is_regular_file(std::filesystem::symlink_status(side, ec)))
                std::filesystem::remove(side, ec);
        }
    }
}

bool saveTo(const std::filesystem::path &target, std::string_view bytes, std::string *error);

} // namespace

bool saveFileAtomically(const std::filesystem::path &path, std::string_view bytes, std::string *error)
{
    const std::filesystem::path target = saveTarget(path);
    if (!saveTo(target, bytes, error))
        return false;
    removeStaleSideFiles(target);
    return true;
}

bool isReadOnlyFile(const std::filesystem::path &path)
{
#ifdef _WIN32
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY)
           && (attributes & FILE_ATTRIBUTE_READONLY);
#else
    struct stat info{};
    if (::stat(path.c_str(), &info) != 0 || S_ISDIR(info.st_mode))
        return false;
    return (info.st_mode & 0222) == 0 || ::access(path.c_str(), W_OK) != 0;
#endif
}

namespace {

// Writes bytes beside target and puts them in its place.
bool saveTo(const std::filesystem::path &target, std::string_view bytes, std::string *error)
{
    std::error_code ec;
    const auto status = std::filesystem::status(target, ec);
    if (std::filesystem::is_directory(status))
        return fail(error, "it is a folder");
#ifndef _WIN32
    struct stat old{};
    const mode_t mode = ::stat(target.c_str(), &old) == 0 ? (old.st_mode & 07777) : newFileMode();
#endif
    std::string reason;
    for (int attempt = 0; attempt < sideNames; ++attempt) {
        const std::filesystem::path side = sideName(target, attempt);
        if (std::filesystem::exists(std::filesystem::symlink_status(side, ec)))
            continue;
#ifdef _WIN32
        if (!writeNewFile(side, bytes, &reason))
            return fail(error, reason);
        return replaceWith(target, side, error);
#else
        if (!writeNewFile(side, bytes, mode, &reason))
            return fail(error, reason);
        if (::rename(side.c_str(), target.c_str()) != 0) {
            const int code = errno;
            ::unlink(side.c_str());
            return fail(error, errnoText(code));
        }
        return true;
#endif
    }
    return fail(error, "no free name for the new file beside it");
}

} // namespace
