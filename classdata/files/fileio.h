#pragma once

#include <cstddef>
#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>

namespace tolvane {

enum class FileStatus { Read, Missing, Unreadable };

struct FileBytes
{
    FileStatus status = FileStatus::Missing;
    std::string bytes;
    std::string error; // why an existing file could not be read
};

// The most a file may hold to be read: a class file of 64 classes with every
// text field full is well under 1 MiB, so anything near this is not one (an
// endless device, a disk image picked by mistake).
inline constexpr std::size_t maxFileBytes = 64 * 1024 * 1024;

// The whole file, byte for byte. A path that does not exist is Missing; one
// that exists but cannot be read (no permission, an I/O error, more than
// maxFileBytes) is Unreadable with the reason. So is anything but a regular
// file (a folder, a FIFO, a device), at once and without waiting on it: the
// reason names what it is ("not a regular file but a named pipe (FIFO)").
FileBytes readWholeFile(const std::filesystem::path &path);

// The whole of an open stream, as readWholeFile reads a file: more than
// maxFileBytes is Unreadable.
FileBytes readWholeStream(std::FILE *stream);

// Whether name, a file as a sheet's file column names it (UTF-8, relative
// to base unless absolute), is the file at path: the same file where both
// exist, else the same path once both are made absolute and normal.
bool namesFile(std::string_view name, const std::filesystem::path &base, const std::filesystem::path &path);

// The line end the platform's text mode writes.
#ifdef _WIN32
inline constexpr const char *platformLineEnd = "\r\n";
#else
inline constexpr const char *platformLineEnd = "\n";
#endif

} // namespace tolvane
