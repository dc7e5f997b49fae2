#pragma once

#include "classdata/format/classrecord.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace tolvane {

// A class file read to set its classes beside others, never to edit or
// write them: the other team's file, a baseline.
struct ClassesOnDisk
{
    std::filesystem::path file;
    std::vector<ClassRecord> classes;
    // What kept the classes from being read, naming the file; empty when
    // they were read.
    std::string problem;
};
// whose names the file in the problem: "The Tangos' class file".
ClassesOnDisk readClassesOnDisk(const std::filesystem::path &file, std::string_view whose);

// For messages: a path as UTF-8 with the system's separators. (A class
// file's Windows-1252 text as UTF-8: utf8Of.)
std::string displayText(const std::filesystem::path &path);

} // namespace tolvane
