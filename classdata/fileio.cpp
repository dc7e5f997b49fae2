#include "fileio.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

namespace {

struct FileCloser
{
    void operator()(std::FILE *file) const { std::fclose(file); }
};

using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

FileHandle openForReading(const std::filesystem::path &path)
{
#ifdef _WIN32
    return FileHandle(_wfopen(path.c_str(), L"rb"));
#else
    return FileHandle(std::fopen(path.c_str(), "rb"));
#endif
}

FileBytes failure(FileStatus status, int error)
{
    FileBytes result;
    result.status = status;
    result.error = std::strerror(error);
    return result;
}

} // namespace

FileBytes readWholeFile(const std::filesystem::path &path)
{
    errno = 0;
    FileHandle file = openForReading(path);
    if (!file)
        return failure(errno == ENOENT ? FileStatus::Missing : FileStatus::Unreadable, errno);

    FileBytes result;
    std::error_code sizeError;
    const auto size = std::filesystem::file_size(path, sizeError);
    if (!sizeError)
        result.bytes.reserve(std::size_t(size));
    // Read in chunks all the same: the size may change, and a folder has none.
    constexpr std::size_t chunk = 64 * 1024;
    std::size_t got = 0;
    do {
        const std::size_t old = result.bytes.size();
        result.bytes.resize(old + chunk);
        got = std::fread(result.bytes.data() + old, 1, chunk, file.get());
        result.bytes.resize(old + got);
    } while (got == chunk);
    if (std::ferror(file.get()))
        return failure(FileStatus::Unreadable, errno != 0 ? errno : EIO);
    result.status = FileStatus::Read;
    return result;
}
