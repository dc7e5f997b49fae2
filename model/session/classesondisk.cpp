#include "classesondisk.h"

#include "classdata/files/fileio.h"
#include "classdata/format/classfilereader.h"

#include <memory>

namespace tolvane {

namespace fs = std::filesystem;

ClassesOnDisk readClassesOnDisk(const fs::path &file, std::string_view whose)
{
    ClassesOnDisk read{file, {}, {}};
    const FileBytes bytes = readWholeFile(file);
    const ClassFileKind kind = classFileKind(file, bytes.bytes);
    const std::string named = std::string(whose) + ' ' + displayText(file);
    if (bytes.status == FileStatus::Missing)
        read.problem = named + " does not exist.";
    else if (bytes.status == FileStatus::Unreadable)
        read.problem = named + " could not be read: " + bytes.error + '.';
    else if (kind != ClassFileKind::ClassFile)
        read.problem = named + ' ' + std::string(whyNotAClassFile(kind)) + '.';
    else {
        const auto table = std::make_unique<ClassTable>();
        readClassBytes(*table, bytes.bytes);
        read.classes.assign(table->records.begin(), table->records.begin() + table->classCount);
    }
    return read;
}

std::string displayText(const fs::path &path)
{
#ifdef _WIN32
    const std::u8string text = fs::path(path).make_preferred().u8string();
    return std::string(text.begin(), text.end());
#else
    return path.native();
#endif
}

} // namespace tolvane
