#pragma once

// Shared by the session tests: a scratch game folder and class files.

#include "classdata/format/classfilereader.h"
#include "classdata/format/classfilewriter.h"

#include <chrono>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace fs = std::filesystem;

// The name of a row test: its row's name.
inline constexpr auto byRowName = [](const auto &info) { return std::string(info.param.name); };

// A scratch folder whose name has spaces and a byte that is not UTF-8.
struct ScratchFolder
{
    explicit ScratchFolder(const std::string &tag)
        : path(fs::temp_directory_path() / (odd.native() + fs::path(tag + stamp()).native()))
    {
        fs::create_directories(path);
    }
    ~ScratchFolder() { fs::remove_all(path, ignored); }
    static std::string stamp() { return std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()); }
#ifdef _WIN32
    const fs::path odd = fs::path(u8"Tolvane \u00E4 ");
#else
    const fs::path odd = fs::path("Tolvane \xE4 ");
#endif
    fs::path path;
    std::error_code ignored;
};

// A class file of default classes with these names.
inline std::string classFile(const std::vector<std::string> &names)
{
    tolvane::ClassTable table;
    for (const std::string &name : names) {
        tolvane::applyBlockStartDefaults(table.records[std::size_t(table.classCount)]);
        table.records[std::size_t(table.classCount++)].classname.assign(name);
    }
    return tolvane::classFileBytes(table, "\n");
}

// A class file of "name health" blocks.
inline std::string healthFile(const std::vector<std::pair<std::string, int>> &classes)
{
    std::string text;
    for (const auto &[name, health] : classes)
        text += "{\nclassname " + name + "\nhealth " + std::to_string(health) + "\n}\n\n";
    return text;
}

// The class names of a table, space separated.
inline std::string namesOf(const tolvane::ClassTable &table)
{
    std::string names;
    for (int i = 0; i < table.classCount; ++i)
        names += (i ? " " : "") + std::string(table.records[std::size_t(i)].classname.view());
    return names;
}

// The class names a file holds; "-" when it is missing.
inline std::string namesIn(const fs::path &folder, bool seals)
{
    tolvane::ClassTable table;
    return tolvane::readClassFile(table, folder, seals).status == tolvane::FileStatus::Read ? namesOf(table) : "-";
}

// The classes of a class file's text, and a block of lines for one.
inline std::vector<tolvane::ClassRecord> classesIn(std::string_view text)
{
    const auto table = std::make_unique<tolvane::ClassTable>();
    tolvane::readClassBytes(*table, text);
    return {table->records.begin(), table->records.begin() + table->classCount};
}
inline std::string block(const std::string &lines)
{
    return "{\n" + lines + "\n}\n\n";
}
