#include "fileio.h"

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

// Opens path for reading; a device (CON, COM1, a pipe) is refused before a read could wait on it.
FileBytes openRegularFile(const std::filesystem::path &path, FileHandle &file, std::uint64_t &size)
{
    errno = 0;
    file.reset(_wfopen(path.c_str(), L"rb"));
    if (!file)
        return failure(errno == ENOENT ? FileStatus::Missing : FileStatus::Unreadable, errno);
    const auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(file.get())));
    LARGE_INTEGER length{};
    if (GetFileType(handle) != FILE_TYPE_DISK || !GetFileSizeEx(handle, &length))
        return notRegular("a device or a pipe");
    size = std::uint64_t(length.QuadPart);
    return {FileStatus::Read, {}, {}};
}

#else

const char *kindOf(mode_t mode)
{
    if (S_ISDIR(mode))
        return "a folder";
    if (S_ISFIFO(mode))
        return "a named pipe (FIFO)";
    if (S_ISCHR(mode))
        return "a character device";
    if (S_ISBLK(mode))
        return "a block device";
    return "a socket or other special file";
}

// Opens path for reading without waiting: a FIFO would otherwise block the
// open until a writer came. What was opened is checked, not the name, so that
// nothing can be swapped in between.
FileBytes openRegularFile(const std::filesystem::path &path, FileHandle &file, std::uint64_t &size)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return failure(errno == ENOENT ? FileStatus::Missing : FileStatus::Unreadable, errno);
    struct stat info{};
    if (::fstat(fd, &info) != 0) {
        const int error = errno;
        ::close(fd);
        return failure(FileStatus::Unreadable, error);
    }
    if (!S_ISREG(info.st_mode)) {
        ::close(fd);
        return notRegular(kindOf(info.st_mode));
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
