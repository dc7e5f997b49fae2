#pragma once

#include "recoveryfile.h"

#include <filesystem>
#include <optional>
#include <string>

namespace tolvane {

// The recovery files of editing sessions, one per game folder, in the
// user's data folder (never the game folder): for /games/My Mod,
// FOLDER/My Mod-3fa2c91b.recovery. Each save replaces the file atomically, so
// that a crash or a kill during it leaves the previous one whole.
class RecoveryStore
{
public:
    // folder: recoveryFolder(userDataFolder()) in the programs.
    explicit RecoveryStore(std::filesystem::path folder);

    // A game folder keeps a recovery per part: 0 for the classes of the
    // active team's file, 1 for those of the other team's, edited beside them.
    //
    // Saves recovery as the one of its game folder. False, with why in error,
    // when it could not be saved; the previous one then stays.
    bool save(const SessionRecovery &recovery, std::string *error = nullptr, int part = 0) const;
    // The recovery saved for gameFolder; nullopt when there is none, or none
    // whole, or the one there was saved for another folder.
    std::optional<SessionRecovery> find(const std::filesystem::path &gameFolder, int part = 0) const;
    // Removes the recovery of gameFolder: its classes were written or discarded.
    void remove(const std::filesystem::path &gameFolder, int part = 0) const;
    // The file that holds the recovery of gameFolder.
    std::filesystem::path fileFor(const std::filesystem::path &gameFolder, int part = 0) const;

private:
    std::filesystem::path root;
};

} // namespace tolvane
