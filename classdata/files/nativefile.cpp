#include "nativefile.h"

#include <algorithm>
#include <cerrno>
#include <utility>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace tolvane {

NativeFile::NativeFile(NativeFile &&other) noexcept
{
    *this = std::move(other);
}

NativeFile::~NativeFile()
{
    close();
}

#ifdef _WIN32

namespace {

std::error_code lastError()
{
    return {int(GetLastError()), std::system_category()};
}

HANDLE asHandle(void *handle)
{
    return static_cast<HANDLE>(handle);
}

} // namespace

FileFacts factsOf(const std::filesystem::path &path)
{
    FileFacts facts;
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        const DWORD code = GetLastError();
        if (code != ERROR_FILE_NOT_FOUND && code != ERROR_PATH_NOT_FOUND) {
            facts.kind = FileFacts::Kind::Other;
            facts.error = {int(code), std::system_category()};
        }
        return facts;
    }
    if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) {
        facts.kind = FileFacts::Kind::Symlink;
        return facts;
    }
    facts.kind = FileFacts::Kind::Other;
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
        facts.what = "a folder";
        return facts;
    }
    const HANDLE file = CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        facts.error = lastError();
        return facts;
    }
    BY_HANDLE_FILE_INFORMATION info{};
    const DWORD type = GetFileType(file);
    if (type == FILE_TYPE_DISK && GetFileInformationByHandle(file, &info)) {
        facts.kind = FileFacts::Kind::Regular;
        facts.links = info.nNumberOfLinks;
    } else {
        facts.what = type == FILE_TYPE_PIPE ? "a named pipe" : "a device";
    }
    CloseHandle(file);
    return facts;
}

NativeFile NativeFile::createNew(const std::filesystem::path &path, bool hidden, std::error_code &error)
{
    NativeFile file;
    file.handle = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              hidden ? FILE_ATTRIBUTE_HIDDEN : FILE_ATTRIBUTE_NORMAL, nullptr);
    error = file ? std::error_code() : lastError();
    return file;
}

NativeFile NativeFile::openExisting(const std::filesystem::path &path, std::error_code &error)
{
    NativeFile file;
    file.handle = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    error = file ? std::error_code() : lastError();
    if (file && GetFileType(asHandle(file.handle)) != FILE_TYPE_DISK) {
        file.close();
        error = std::make_error_code(std::errc::invalid_argument);
    }
    return file;
}

NativeFile &NativeFile::operator=(NativeFile &&other) noexcept
{
    std::swap(handle, other.handle);
    return *this;
}

NativeFile::operator bool() const
{
    return asHandle(handle) != INVALID_HANDLE_VALUE;
}

std::error_code NativeFile::write(std::string_view bytes)
{
    while (!bytes.empty()) {
        const DWORD chunk = DWORD(std::min<std::size_t>(bytes.size(), 1u << 30));
        DWORD written = 0;
        if (!WriteFile(asHandle(handle), bytes.data(), chunk, &written, nullptr))
            return lastError();
        if (written == 0)
            return std::make_error_code(std::errc::no_space_on_device);
        bytes.remove_prefix(written);
    }
    return {};
}

std::error_code NativeFile::resize(std::uint64_t size)
{
    LARGE_INTEGER at{};
    at.QuadPart = LONGLONG(size);
    if (!SetFilePointerEx(asHandle(handle), at, nullptr, FILE_BEGIN) || !SetEndOfFile(asHandle(handle)))
        return lastError();
    return {};
}

std::error_code NativeFile::sync()
{
    return FlushFileBuffers(asHandle(handle)) ? std::error_code() : lastError();
}

std::error_code NativeFile::close()
{
    if (!*this)
        return {};
    const bool closed = CloseHandle(asHandle(std::exchange(handle, INVALID_HANDLE_VALUE)));
    return closed ? std::error_code() : lastError();
}

std::error_code NativeFile::takeOwnerAndMode(const FileFacts &)
{
    return {};
}

std::error_code NativeFile::takeNewFileMode(unsigned)
{
    return {};
}

// ReplaceFile keeps the old file's attributes and security; a plain move
// serves a new file. Both would carry a side file's hidden attribute over,
// which goes first. ReplaceFile refuses a read-only file: the attribute is
// taken off for it and put back after. It can fail half way with the old
// file moved to backup (ERROR_UNABLE_TO_MOVE_REPLACEMENT_2): then it is put back.
std::error_code replaceFile(const std::filesystem::path &written, const std::filesystem::path &target,
                            const std::filesystem::path &backup)
{
    SetFileAttributesW(written.c_str(), FILE_ATTRIBUTE_NORMAL);
    const DWORD attributes = GetFileAttributesW(target.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return MoveFileExW(written.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH) ? std::error_code() : lastError();
    const bool readOnly = attributes & FILE_ATTRIBUTE_READONLY;
    if (readOnly)
        SetFileAttributesW(target.c_str(), attributes & ~DWORD(FILE_ATTRIBUTE_READONLY));
    const bool replaced = ReplaceFileW(target.c_str(), written.c_str(), backup.c_str(), REPLACEFILE_IGNORE_MERGE_ERRORS,
                                       nullptr, nullptr);
    const std::error_code error = replaced ? std::error_code() : lastError();
    if (replaced)
        DeleteFileW(backup.c_str());
    else if (GetFileAttributesW(target.c_str()) == INVALID_FILE_ATTRIBUTES)
        MoveFileExW(backup.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH);
    if (readOnly)
        SetFileAttributesW(target.c_str(), GetFileAttributesW(target.c_str()) | FILE_ATTRIBUTE_READONLY);
    return error;
}

void syncFolder(const std::filesystem::path &) {}

bool mayWrite(const std::filesystem::path &path)
{
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_READONLY))
        return false;
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                    nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    CloseHandle(file);
    return true;
}

bool isPermissionError(std::error_code error)
{
    return error.category() == std::system_category() && error.value() == ERROR_ACCESS_DENIED;
}

bool isExistsError(std::error_code error)
{
    return error.category() == std::system_category()
           && (error.value() == ERROR_FILE_EXISTS || error.value() == ERROR_ALREADY_EXISTS);
}

std::error_code removeFile(const std::filesystem::path &path)
{
    return DeleteFileW(path.c_str()) ? std::error_code() : lastError();
}

std::filesystem::path finalTarget(const std::filesystem::path &link)
{
    const HANDLE file = CreateFileW(link.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return {};
    std::wstring name(MAX_PATH, L'\0');
    DWORD length = GetFinalPathNameByHandleW(file, name.data(), DWORD(name.size()), FILE_NAME_NORMALIZED);
    if (length >= name.size()) {
        name.resize(length);
        length = GetFinalPathNameByHandleW(file, name.data(), DWORD(name.size()), FILE_NAME_NORMALIZED);
    }
    CloseHandle(file);
    if (length == 0 || length >= name.size())
        return {};
    name.resize(length);
    // "\\?\C:\..." and "\\?\UNC\server\..." as the user writes them.
    if (name.starts_with(L"\\\\?\\UNC\\"))
        return L"\\" + name.substr(7);
    if (name.starts_with(L"\\\\?\\"))
        return name.substr(4);
    return name;
}

#else

namespace {

std::error_code lastError()
{
    return {errno, std::generic_category()};
}

} // namespace

const char *fileKindName(unsigned mode)
{
    if (S_ISDIR(mode))
        return "a folder";
    if (S_ISFIFO(mode))
        return "a named pipe (FIFO)";
    if (S_ISCHR(mode))
        return "a character device";
    if (S_ISBLK(mode))
        return "a block device";
    if (S_ISSOCK(mode))
        return "a socket";
    if (S_ISLNK(mode))
        return "a symbolic link";
    return "a special file";
}

FileFacts factsOf(const std::filesystem::path &path)
{
    FileFacts facts;
    struct stat info = {};
    if (::lstat(path.c_str(), &info) != 0) {
        if (errno != ENOENT) {
            facts.kind = FileFacts::Kind::Other;
            facts.error = lastError();
        }
        return facts;
    }
    facts.kind = S_ISREG(info.st_mode)   ? FileFacts::Kind::Regular
                 : S_ISLNK(info.st_mode) ? FileFacts::Kind::Symlink
                                         : FileFacts::Kind::Other;
    if (facts.kind == FileFacts::Kind::Other)
        facts.what = fileKindName(info.st_mode);
    facts.links = info.st_nlink;
    facts.mode = info.st_mode & 07777;
    facts.owner = info.st_uid;
    facts.group = info.st_gid;
    return facts;
}

NativeFile NativeFile::createNew(const std::filesystem::path &path, bool, std::error_code &error)
{
    NativeFile file;
    file.fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    error = file ? std::error_code() : lastError();
    return file;
}

// Not through a link, and not waiting on a FIFO that has no reader.
NativeFile NativeFile::openExisting(const std::filesystem::path &path, std::error_code &error)
{
    NativeFile file;
    file.fd = ::open(path.c_str(), O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    error = file ? std::error_code() : lastError();
    struct stat info = {};
    if (file && (::fstat(file.fd, &info) != 0 || !S_ISREG(info.st_mode))) {
        file.close();
        error = std::make_error_code(std::errc::invalid_argument);
    } else if (file) {
        ::fcntl(file.fd, F_SETFL, ::fcntl(file.fd, F_GETFL) & ~O_NONBLOCK);
    }
    return file;
}

NativeFile &NativeFile::operator=(NativeFile &&other) noexcept
{
    std::swap(fd, other.fd);
    return *this;
}

NativeFile::operator bool() const
{
    return fd >= 0;
}

std::error_code NativeFile::write(std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written < 0)
            return lastError();
        if (written == 0)
            return std::make_error_code(std::errc::no_space_on_device);
        bytes.remove_prefix(std::size_t(written));
    }
    return {};
}

std::error_code NativeFile::resize(std::uint64_t size)
{
    return ::ftruncate(fd, off_t(size)) == 0 ? std::error_code() : lastError();
}

std::error_code NativeFile::sync()
{
    return ::fsync(fd) == 0 ? std::error_code() : lastError();
}

std::error_code NativeFile::close()
{
    if (fd < 0)
        return {};
    return ::close(std::exchange(fd, -1)) == 0 ? std::error_code() : lastError();
}

// The owner first: changing it clears the set-user-ID bits the mode may have.
std::error_code NativeFile::takeOwnerAndMode(const FileFacts &old)
{
    struct stat info = {};
    if (::fstat(fd, &info) != 0)
        return lastError();
    if ((info.st_uid != old.owner || info.st_gid != old.group) && ::fchown(fd, old.owner, old.group) != 0)
        return lastError();
    return ::fchmod(fd, old.mode) == 0 ? std::error_code() : lastError();
}

std::error_code NativeFile::takeNewFileMode(unsigned limit)
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return ::fchmod(fd, 0666 & ~mask & limit) == 0 ? std::error_code() : lastError();
}

std::error_code replaceFile(const std::filesystem::path &written, const std::filesystem::path &target,
                            const std::filesystem::path &)
{
    return ::rename(written.c_str(), target.c_str()) == 0 ? std::error_code() : lastError();
}

// A folder that cannot be synced (some network file systems) is left to the system.
void syncFolder(const std::filesystem::path &folder)
{
    const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

// As this process is now, which for a program run by root as another user
// is not what access() asks.
bool mayWrite(const std::filesystem::path &path)
{
    return ::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) == 0;
}

bool isPermissionError(std::error_code error)
{
    return error == std::errc::permission_denied || error == std::errc::operation_not_permitted;
}

bool isExistsError(std::error_code error)
{
    return error == std::errc::file_exists;
}

std::error_code removeFile(const std::filesystem::path &path)
{
    return ::unlink(path.c_str()) == 0 ? std::error_code() : lastError();
}

std::filesystem::path finalTarget(const std::filesystem::path &link)
{
    std::error_code error;
    std::filesystem::path target = std::filesystem::canonical(link, error);
    if (!error)
        return target;
    // A link to nothing: where its text leads.
    target = std::filesystem::read_symlink(link, error);
    if (error)
        return {};
    target = std::filesystem::weakly_canonical(std::filesystem::absolute(link).parent_path() / target, error);
    return error ? std::filesystem::path() : target;
}

#endif

} // namespace tolvane
