#include "fileio.h"

#include "nativefile.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace tolvane {

namespace {

struct FileCloser
{
    void operator()(std::FILE *file) const { std::fclose(file); }
};

using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

FileBytes failure(FileStatus status, std::string error)
{
    FileBytes result;
    result.status = status;
    result.error = std::move(error);
    return result;
}

FileBytes failure(FileStatus status, int error)
{
    return failure(status, std::strerror(error));
}

FileBytes tooLarge()
{
    return failure(FileStatus::Unreadable,
                   "larger than " + std::to_string(maxFileBytes / (1024 * 1024)) + " MiB, so not a class file");
}

FileBytes notRegular(const char *what)
{
    return failure(FileStatus::Unreadable, std::string("not a regular file but ") + what);
}

#ifdef _WIN32

// Opens path for reading; a folder, a device (CON, COM1) or a pipe is refused,
// saying which, before a read could wait on it.
FileBytes openRegularFile(const std::filesystem::path &path, FileHandle &file, std::uint64_t &size)
{
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return notRegular("a folder");
    errno = 0;
    file.reset(_wfopen(path.c_str(), L"rb"));
    if (!file)
        return failure(errno == ENOENT ? FileStatus::Missing : FileStatus::Unreadable, errno);
    const auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(file.get())));
    LARGE_INTEGER length{};
    const DWORD type = GetFileType(handle);
    if (type == FILE_TYPE_PIPE)
        return notRegular("a named pipe");
    if (type != FILE_TYPE_DISK || !GetFileSizeEx(handle, &length))
        return notRegular("a device");
    size = std::uint64_t(length.QuadPart);
    return {FileStatus::Read, {}, {}};
}

#else

// Opens path for reading without waiting: a FIFO would otherwise block the
// open until a writer came. What was opened is checked, not the name, so that
// nothing can be swapped in between.
FileBytes openRegularFile(const std::filesystem::path &path, FileHandle &file, std::uint64_t &size)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        const int error = errno;
        // A socket cannot be opened at all: say what it is all the same.
        struct stat info = {};
        if (error != ENOENT && ::stat(path.c_str(), &info) == 0 && !S_ISREG(info.st_mode))
            return notRegular(fileKindName(info.st_mode));
        return failure(error == ENOENT ? FileStatus::Missing : FileStatus::Unreadable, error);
    }
    struct stat info = {};
    if (::fstat(fd, &info) != 0) {
        const int error = errno;
        ::close(fd);
        return failure(FileStatus::Unreadable, error);
    }
    if (!S_ISREG(info.st_mode)) {
        ::close(fd);
        return notRegular(fileKindName(info.st_mode));
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    file.reset(::fdopen(fd, "rb"));
    if (!file) {
        const int error = errno;
        ::close(fd);
        return failure(FileStatus::Unreadable, error);
    }
    size = std::uint64_t(info.st_size);
    return {FileStatus::Read, {}, {}};
}

#endif

// Appends the rest of stream to result.bytes, in chunks: the size may change,
// and a pipe has none. Refuses the bytes as soon as there are more than
// maxFileBytes.
void readAll(std::FILE *stream, FileBytes &result)
{
    constexpr std::size_t chunk = 64 * 1024;
    std::size_t got = 0, wanted = 0;
    do {
        const std::size_t old = result.bytes.size();
        wanted = std::min(chunk, maxFileBytes + 1 - old);
        result.bytes.resize(old + wanted);
        got = std::fread(result.bytes.data() + old, 1, wanted, stream);
        result.bytes.resize(old + got);
        if (result.bytes.size() > maxFileBytes) {
            result = tooLarge();
            return;
        }
    } while (got == wanted);
    if (std::ferror(stream)) {
        result = failure(FileStatus::Unreadable, errno != 0 ? errno : EIO);
        return;
    }
    result.status = FileStatus::Read;
}

} // namespace

FileBytes readWholeFile(const std::filesystem::path &path)
{
    FileHandle file;
    std::uint64_t size = 0;
    FileBytes result = openRegularFile(path, file, size);
    if (result.status != FileStatus::Read)
        return result;
    if (size > maxFileBytes)
        return tooLarge();
    result.bytes.reserve(std::size_t(size) + 64 * 1024 + 1);
    readAll(file.get(), result);
    return result;
}

FileBytes readWholeStream(std::FILE *stream)
{
    FileBytes result;
    readAll(stream, result);
    return result;
}

bool namesFile(std::string_view name, const std::filesystem::path &base, const std::filesystem::path &path)
{
    namespace fs = std::filesystem;
    const fs::path named = base / fs::path(std::u8string(name.begin(), name.end()));
    std::error_code error;
    if (fs::exists(named, error) && fs::exists(path, error))
        return fs::equivalent(named, path, error);
    return fs::weakly_canonical(named, error) == fs::weakly_canonical(fs::absolute(path, error), error);
}

} // namespace tolvane
