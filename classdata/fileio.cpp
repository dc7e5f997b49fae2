#include "fileio.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

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

FileBytes tooLarge()
{
    FileBytes result;
    result.status = FileStatus::Unreadable;
    result.error = "larger than " + std::to_string(maxFileBytes / (1024 * 1024)) + " MiB, so not a class file";
    return result;
}

// Appends the rest of stream to result.bytes, in chunks: the size may change,
// and a folder or a pipe has none. Stops past maxFileBytes.
void readAll(std::FILE *stream, FileBytes &result)
{
    constexpr std::size_t chunk = 64 * 1024;
    std::size_t got = 0;
    do {
        const std::size_t old = result.bytes.size();
        if (old > maxFileBytes) {
            result = tooLarge();
            return;
        }
        result.bytes.resize(old + chunk);
        got = std::fread(result.bytes.data() + old, 1, chunk, stream);
        result.bytes.resize(old + got);
    } while (got == chunk);
    if (std::ferror(stream)) {
        result = failure(FileStatus::Unreadable, errno != 0 ? errno : EIO);
        return;
    }
    result.status = FileStatus::Read;
}

} // namespace

FileBytes readWholeFile(const std::filesystem::path &path)
{
    errno = 0;
    FileHandle file = openForReading(path);
    if (!file)
        return failure(errno == ENOENT ? FileStatus::Missing : FileStatus::Unreadable, errno);
    std::error_code sizeError;
    const auto size = std::filesystem::file_size(path, sizeError);
    if (!sizeError && size > maxFileBytes)
        return tooLarge();
    FileBytes result;
    if (!sizeError)
        result.bytes.reserve(std::size_t(size));
    readAll(file.get(), result);
    return result;
}

FileBytes readWholeStream(std::FILE *stream)
{
    FileBytes result;
    readAll(stream, result);
    return result;
}
