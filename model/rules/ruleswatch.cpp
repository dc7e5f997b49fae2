#include "ruleswatch.h"

#include "classdata/files/fileio.h"

namespace tolvane {

bool RulesWatch::follow(const std::filesystem::path &path)
{
    std::error_code error;
    Stamp now;
    now.exists = !path.empty() && std::filesystem::exists(path, error);
    if (now.exists) {
        now.size = std::filesystem::file_size(path, error);
        now.time = std::filesystem::last_write_time(path, error);
    }
    if (path == watched && stamp == now)
        return false;
    const bool had = stamp && (stamp->exists || !readError.empty());
    watched = path;
    stamp = now;
    set = {};
    readError.clear();
    if (!now.exists)
        return had;
    const FileBytes file = readWholeFile(path);
    if (file.status == FileStatus::Read)
        set = readRules(file.bytes);
    else
        readError = file.status == FileStatus::Missing ? "it is gone" : file.error;
    return true;
}

} // namespace tolvane
