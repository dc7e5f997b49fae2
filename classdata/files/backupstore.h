#pragma once

#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace tolvane {

// Earlier versions of class files, kept before a save replaces them, in the
// user's data folder (never beside the file): for the file
// /games/My Mod/tvclass_seals.cfg, in FOLDER/My Mod-3fa2c91b/tvclass_seals.cfg/
// as 20240131-142501Z-000007.cfg (the UTC time it was kept, and a number
// that counts up). The last `kept` versions of each file stay. A version
// gets no wider permissions than the file has (for its group and others),
// and side files that killed saves left in the folder go.
class BackupStore
{
public:
    static constexpr int kept = 10;

    struct Version
    {
        std::filesystem::path path; // read it back with readWholeFile
        std::chrono::system_clock::time_point time;
        int number = 0;
    };

    // folder: backupsFolder(userDataFolder()) in the programs.
    explicit BackupStore(std::filesystem::path folder);

    // Keeps bytes as the newest version of file (an absolute path) and lets
    // the oldest beyond `kept` go; bytes the newest version already holds
    // are not kept twice. False, with why in error, when they could not be
    // kept (no data folder, a read-only or full disk): the caller's own save
    // should go on all the same. keptIn, when given, becomes the version
    // that holds bytes.
    bool keep(const std::filesystem::path &file, std::string_view bytes, std::string *error = nullptr,
              std::filesystem::path *keptIn = nullptr) const;
    // A keeper of old contents for saveFileAtomically: the version of file
    // that holds them, or an empty path.
    std::function<std::filesystem::path(std::string_view)> keeperFor(const std::filesystem::path &file) const;
    // The kept versions of file, newest first.
    std::vector<Version> versions(const std::filesystem::path &file) const;
    // The folder that holds the versions of file.
    std::filesystem::path folderFor(const std::filesystem::path &file) const;

private:
    std::filesystem::path root;
};

} // namespace tolvane
