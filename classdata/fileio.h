#pragma once

#include <filesystem>
#include <string>

enum class FileStatus { Read, Missing, Unreadable };

struct FileBytes
{
    FileStatus status = FileStatus::Missing;
    std::string bytes;
    std::string error; // why an existing file could not be read
};

// The whole file, byte for byte. A path that does not exist is Missing; one
// that exists but cannot be read (a folder, no permission, an I/O error) is
// Unreadable with the reason.
FileBytes readWholeFile(const std::filesystem::path &path);

// The line end the platform's text mode writes.
#ifdef _WIN32
inline constexpr const char *platformLineEnd = "\r\n";
#else
inline constexpr const char *platformLineEnd = "\n";
#endif
