#include "recoverystore.h"

#include "fileio.h"
#include "safesave.h"
#include "userdata.h"

namespace tolvane {

RecoveryStore::RecoveryStore(std::filesystem::path folder) : root(std::move(folder)) {}

std::filesystem::path RecoveryStore::fileFor(const std::filesystem::path &gameFolder, int part) const
{
    std::filesystem::path name = keyedName(gameFolder);
    name += part == 0 ? ".recovery" : ".other.recovery";
    return root / name;
}

bool RecoveryStore::save(const SessionRecovery &recovery, std::string *error, int part) const
{
    return makeStoreFolder(root, error)
           && saveFileAtomically(fileFor(recovery.gameFolder, part), recoveryFileBytes(recovery), error);
}

// The folder must be the very one the recovery was saved for: another
// folder's recovery never restores classes into this one.
std::optional<SessionRecovery> RecoveryStore::find(const std::filesystem::path &gameFolder, int part) const
{
    const FileBytes file = readWholeFile(fileFor(gameFolder, part));
    std::optional<SessionRecovery> recovery = file.status == FileStatus::Read ? readRecoveryFile(file.bytes)
                                                                              : std::nullopt;
    std::error_code error;
    if (!recovery || !std::filesystem::equivalent(recovery->gameFolder, gameFolder, error))
        return std::nullopt;
    return recovery;
}

void RecoveryStore::remove(const std::filesystem::path &gameFolder, int part) const
{
    std::error_code ignored;
    std::filesystem::remove(fileFor(gameFolder, part), ignored);
}

} // namespace tolvane
