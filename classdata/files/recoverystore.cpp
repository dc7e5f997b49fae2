#include "recoverystore.h"

#include "fileio.h"
#include "safesave.h"
#include "userdata.h"

namespace tolvane {

RecoveryStore::RecoveryStore(std::filesystem::path folder) : root(std::move(folder)) {}

std::filesystem::path RecoveryStore::fileFor(const std::filesystem::path &gameFolder) const
{
    std::filesystem::path name = keyedName(gameFolder);
    name += ".recovery";
    return root / name;
}

bool RecoveryStore::save(const SessionRecovery &recovery, std::string *error) const
{
    return makeStoreFolder(root, error)
           && saveFileAtomically(fileFor(recovery.gameFolder), recoveryFileBytes(recovery), error);
}

// The folder must be the very one the recovery was saved for: another
// folder's recovery never restores classes into this one.
std::optional<SessionRecovery> RecoveryStore::find(const std::filesystem::path &gameFolder) const
{
    const FileBytes file = readWholeFile(fileFor(gameFolder));
    std::optional<SessionRecovery> recovery = file.status == FileStatus::Read ? readRecoveryFile(file.bytes)
                                                                              : std::nullopt;
    std::error_code error;
    if (!recovery || !std::filesystem::equivalent(recovery->gameFolder, gameFolder, error))
        return std::nullopt;
    return recovery;
}

void RecoveryStore::remove(const std::filesystem::path &gameFolder) const
{
    std::error_code ignored;
    std::filesystem::remove(fileFor(gameFolder), ignored);
}

} // namespace tolvane
