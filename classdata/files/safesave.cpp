#include "safesave.h"

#include "fileio.h"
#include "nativefile.h"

#include <chrono>
#include <random>

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace tolvane {

namespace fs = std::filesystem;

namespace {

std::function<std::error_code(const fs::path &)> saveFault;

bool fail(SaveError *error, std::string reason, fs::path previousContents = {})
{
    if (error)
        *error = {std::move(reason), std::move(previousContents)};
    return false;
}

std::string utf8Of(const fs::path &path)
{
    const std::u8string name = path.u8string();
    return {name.begin(), name.end()};
}

// Side files of a file are named ".NAME.tolvane-TAG.new" (the new contents)
// or ".old" (a copy of the old ones), TAG eight random hex digits: hidden,
// this program's, and no two saves' alike. NAME is cut so that the name fits.
constexpr std::string_view sideMark = ".tolvane-";
constexpr std::size_t longestNamePart = 200;

fs::path sidePrefix(const fs::path &target)
{
    fs::path::string_type name = target.filename().native();
    name.resize(std::min(name.size(), longestNamePart));
    fs::path prefix = ".";
    prefix += name;
    prefix += sideMark;
    return prefix;
}

fs::path sideName(const fs::path &target, std::string_view kind)
{
    thread_local std::mt19937 random(std::random_device{}()
                                     ^ unsigned(std::chrono::steady_clock::now().time_since_epoch().count()));
    char tag[8];
    const unsigned value = unsigned(random());
    for (int i = 0; i < 8; ++i)
        tag[i] = "0123456789abcdef"[(value >> (28 - 4 * i)) & 0xF];
    fs::path name = sidePrefix(target);
    name += std::string(tag, 8);
    name += kind;
    return name;
}

struct SideFile
{
    fs::path path;
    NativeFile file;
};

// A side file of target's in folder, made afresh under a name no file has.
SideFile createSideFile(const fs::path &folder, const fs::path &target, std::string_view kind, std::error_code &error)
{
    for (int attempt = 0; attempt < 16; ++attempt) {
        const fs::path path = folder / sideName(target, kind);
        NativeFile file = NativeFile::createNew(path, true, error);
        if (!isExistsError(error))
            return {path, std::move(file)};
    }
    return {};
}

// A side file of new contents older than this no save is still using: a save
// takes well under a second between its last write and its rename.
constexpr auto staleAfter = std::chrono::minutes(10);

// Whether name is that of a side file of new contents, ".NAME.tolvane-TAG.new":
// of the one file whose side files start with prefix, or with prefix ".", of
// any file.
bool isNewContentsSideFile(const fs::path::string_type &name, const fs::path::string_type &prefix)
{
    const fs::path::string_type kind = fs::path(".new").native(), mark = fs::path(sideMark).native();
    const std::size_t tail = 8 + kind.size();
    if (name.size() < prefix.size() + tail || !name.starts_with(prefix) || !name.ends_with(kind))
        return false;
    if (prefix.ends_with(mark))
        return name.size() == prefix.size() + tail;
    return name.size() > prefix.size() + mark.size() + tail
           && name.compare(name.size() - tail - mark.size(), mark.size(), mark) == 0;
}

// Removes the side files of new contents that killed saves left in folder,
// those whose names start with prefix. Copies of old contents stay: a killed
// write in place may need them.
void removeStaleSideFiles(const fs::path &folder, const fs::path::string_type &prefix)
{
    std::error_code error;
    const auto now = fs::file_time_type::clock::now();
    for (fs::directory_iterator entry(folder, error), end; !error && entry != end; entry.increment(error)) {
        if (!isNewContentsSideFile(entry->path().filename().native(), prefix))
            continue;
        std::error_code ignored;
        if (entry->is_regular_file(ignored) && !entry->is_symlink(ignored)
            && now - entry->last_write_time(ignored) > staleAfter)
            removeFile(entry->path());
    }
}

void removeStaleSideFiles(const fs::path &target)
{
    removeStaleSideFiles(target.has_parent_path() ? target.parent_path() : fs::path("."), sidePrefix(target).native());
}

std::error_code writeSynced(NativeFile &file, std::string_view bytes)
{
    std::error_code error = file.write(bytes);
    if (!error)
        error = file.sync();
    const std::error_code closed = file.close();
    return error ? error : closed;
}

// Writes bytes over the contents of the regular file at target.
std::error_code overwrite(const fs::path &target, std::string_view bytes)
{
    std::error_code error;
    NativeFile file = NativeFile::openExisting(target, error);
    if (!error)
        error = file.write(bytes);
    if (!error)
        error = file.resize(bytes.size());
    if (!error)
        error = file.sync();
    const std::error_code closed = file.close();
    return error ? error : closed;
}

std::error_code faultAt(const fs::path &target)
{
    return saveFault ? saveFault(target) : std::error_code();
}

// A synced copy of bytes, target's old contents: beside it, or where the
// folder cannot take one, in the system's temporary folder.
fs::path keepCopy(const fs::path &target, std::string_view bytes, std::error_code &error)
{
    SideFile copy = createSideFile(target.parent_path(), target, ".old", error);
    if (error && isPermissionError(error)) {
        const fs::path temporary = fs::temp_directory_path(error);
        if (!error)
            copy = createSideFile(temporary, target, ".old", error);
    }
    if (!error)
        error = writeSynced(copy.file, bytes);
    if (error) {
        if (!copy.path.empty())
            removeFile(copy.path);
        return {};
    }
    syncFolder(copy.path.parent_path());
    return copy.path;
}

// Writes bytes over target's contents once a copy of them is safe (kept by
// keepOld, else beside it), so that the file stays the same file: its links,
// owner and place are kept. A failed write puts the old contents back from
// memory.
bool saveInPlace(const fs::path &target, std::string_view bytes, SaveError *error, const OldContentsKeeper &keepOld)
{
    std::error_code failed;
    if (NativeFile::openExisting(target, failed); failed)
        return fail(error, failed.message());
    const FileBytes previous = readWholeFile(target);
    if (previous.status != FileStatus::Read)
        return fail(error,
                    "it is written in place, and its old contents could not be read to keep a copy: " + previous.error);
    const fs::path kept = keepOld ? keepOld(previous.bytes) : fs::path();
    const fs::path copy = kept.empty() ? keepCopy(target, previous.bytes, failed) : kept;
    if (failed)
        return fail(error,
                    "it is written in place, and no copy of its old contents could be kept: " + failed.message());
    failed = faultAt(target);
    if (!failed)
        failed = overwrite(target, bytes);
    if (failed && overwrite(target, previous.bytes))
        return fail(error, failed.message(), copy);
    if (kept.empty())
        removeFile(copy);
    return !failed || fail(error, failed.message());
}

// Writes bytes to a side file and renames it over target; false, with
// inPlace set, when the side file could not be made or could not get the
// old file's owner for lack of a permission that a write in place needs not.
bool saveBeside(const fs::path &target, const FileFacts &old, std::string_view bytes, SaveError *error, bool &inPlace,
                unsigned modeLimit)
{
    const bool exists = old.kind == FileFacts::Kind::Regular;
    const fs::path folder = target.parent_path();
    std::error_code failed;
    SideFile side = createSideFile(folder, target, ".new", failed);
    if (failed) {
        inPlace = exists && isPermissionError(failed) && mayWrite(target);
        return fail(error, failed.message());
    }
    failed = exists ? side.file.takeOwnerAndMode(old) : side.file.takeNewFileMode(modeLimit);
    if (failed) {
        side.file.close();
        removeFile(side.path);
        inPlace = exists && isPermissionError(failed) && mayWrite(target);
        return fail(error, "the new file could not get the old one's owner, group and mode: " + failed.message());
    }
    failed = writeSynced(side.file, bytes);
    if (!failed)
        failed = faultAt(target);
    fs::path backup = folder / sideName(target, ".old");
    if (!failed)
        failed = replaceFile(side.path, target, backup);
    if (failed) {
        // Windows' replace may fail half way, the old file at backup.
        std::error_code ignored;
        const bool oldFileAside = !fs::exists(target, ignored) && fs::exists(backup, ignored);
        std::string reason = failed.message();
        // A folder made read-only meanwhile keeps the side file.
        if (oldFileAside || removeFile(side.path))
            reason += "; the new contents are left in " + utf8Of(side.path);
        return fail(error, reason, oldFileAside ? backup : fs::path());
    }
    syncFolder(folder);
    return true;
}

// A new file's mode is limited to modeLimit.
bool save(const fs::path &path, std::string_view bytes, SaveError *error, const OldContentsKeeper &keepOld,
          unsigned modeLimit)
{
    const FileFacts old = factsOf(path);
    if (old.kind == FileFacts::Kind::Symlink)
        return fail(error, "it is a symbolic link");
    if (old.kind == FileFacts::Kind::Other)
        return fail(error, old.error ? old.error.message() : "it is " + old.what);
    if (old.kind == FileFacts::Kind::Regular && old.links > 1)
        return saveInPlace(path, bytes, error, keepOld);
    bool inPlace = false;
    if (!saveBeside(path, old, bytes, error, inPlace, modeLimit))
        return inPlace && saveInPlace(path, bytes, error, keepOld);
    removeStaleSideFiles(path);
    return true;
}

// The reason of a failed save, or where the old contents are.
bool failedWith(const SaveError &why, std::string *error)
{
    if (error)
        *error = why.previousContents.empty() ? why.reason : why.text();
    return false;
}

// Owner-only but for what original gives its group and others.
unsigned copyModeLimit(const fs::path &original)
{
    std::error_code error;
    const fs::file_status status = fs::status(original, error);
    if (error || !fs::is_regular_file(status))
        return 0600;
    return 0600 | (unsigned(status.permissions()) & 0066);
}

} // namespace

std::string SaveError::text() const
{
    if (previousContents.empty())
        return reason + "; the file is unchanged";
    return reason + "; the file may be damaged, and its old contents are in " + utf8Of(previousContents);
}

bool saveFileAtomically(const fs::path &path, std::string_view bytes, SaveError *error,
                        const OldContentsKeeper &keepOld)
{
    return save(path, bytes, error, keepOld, 0666);
}

bool saveCopyAtomically(const fs::path &path, std::string_view bytes, const fs::path &original, std::string *error)
{
    SaveError why;
    return save(path, bytes, &why, {}, copyModeLimit(original)) || failedWith(why, error);
}

void removeStaleSideFilesIn(const fs::path &folder)
{
    removeStaleSideFiles(folder, fs::path(".").native());
}

bool saveFileAtomically(const fs::path &path, std::string_view bytes, std::string *error)
{
    SaveError why;
    return saveFileAtomically(path, bytes, &why) || failedWith(why, error);
}

bool isReadOnlyFile(const fs::path &path)
{
#ifdef _WIN32
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY)
           && (attributes & FILE_ATTRIBUTE_READONLY);
#else
    struct stat info = {};
    if (::stat(path.c_str(), &info) != 0 || S_ISDIR(info.st_mode))
        return false;
    return (info.st_mode & 0222) == 0 || ::access(path.c_str(), W_OK) != 0;
#endif
}

std::optional<fs::path> symlinkTarget(const fs::path &path)
{
    if (factsOf(path).kind != FileFacts::Kind::Symlink)
        return std::nullopt;
    return finalTarget(path);
}

void setSaveFaultForTests(std::function<std::error_code(const fs::path &)> fault)
{
    saveFault = std::move(fault);
}

} // namespace tolvane
