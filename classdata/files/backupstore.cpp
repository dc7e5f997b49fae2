#include "backupstore.h"

#include "fileio.h"
#include "safesave.h"
#include "userdata.h"

#include <algorithm>
#include <charconv>

namespace tolvane {

namespace {

using Clock = std::chrono::system_clock;

// The number of width digits at text[at], or -1.
int digitsAt(std::string_view text, std::size_t at, std::size_t width)
{
    if (at + width > text.size())
        return -1;
    int value = -1;
    const char *end = text.data() + at + width;
    const auto [stop, error] = std::from_chars(text.data() + at, end, value);
    return error == std::errc() && stop == end ? value : -1;
}

void appendDigits(std::string &out, long long value, int width)
{
    std::string digits = std::to_string(value);
    out.append(std::size_t(std::max(0, width - int(digits.size()))), '0').append(digits);
}

// "20240131-142501Z-000007" and the extension.
std::string versionName(Clock::time_point time, int number, const std::filesystem::path &extension)
{
    const auto seconds = std::chrono::floor<std::chrono::seconds>(time);
    const auto day = std::chrono::floor<std::chrono::days>(seconds);
    const std::chrono::year_month_day date(day);
    const std::chrono::hh_mm_ss clock(seconds - day);
    std::string name;
    appendDigits(name, int(date.year()), 4);
    appendDigits(name, unsigned(date.month()), 2);
    appendDigits(name, unsigned(date.day()), 2);
    name += '-';
    appendDigits(name, clock.hours().count(), 2);
    appendDigits(name, clock.minutes().count(), 2);
    appendDigits(name, clock.seconds().count(), 2);
    name += "Z-";
    appendDigits(name, number, 6);
    return name + pathBytes(extension);
}

// The version a name stands for; number -1 for a name that is not one. The
// number has six digits or more: past 999999 it grows a digit.
BackupStore::Version versionOf(const std::filesystem::path &path)
{
    const std::string name = pathBytes(path.stem());
    BackupStore::Version version{path, {}, -1};
    if (name.size() < 23 || name[8] != '-' || name.substr(15, 2) != "Z-")
        return version;
    const int year = digitsAt(name, 0, 4), month = digitsAt(name, 4, 2), day = digitsAt(name, 6, 2);
    const int hour = digitsAt(name, 9, 2), minute = digitsAt(name, 11, 2), second = digitsAt(name, 13, 2);
    const std::chrono::year_month_day date{std::chrono::year(year), std::chrono::month(unsigned(month)),
                                           std::chrono::day(unsigned(day))};
    if (std::min({year, month, day, hour, minute, second}) < 0 || !date.ok())
        return version;
    version.time = std::chrono::sys_days(date) + std::chrono::hours(hour) + std::chrono::minutes(minute)
                   + std::chrono::seconds(second);
    version.number = digitsAt(name, 17, name.size() - 17);
    return version;
}

bool fail(std::string *error, std::string reason)
{
    if (error)
        *error = std::move(reason);
    return false;
}

} // namespace

BackupStore::BackupStore(std::filesystem::path folder) : root(std::move(folder)) {}

std::filesystem::path BackupStore::folderFor(const std::filesystem::path &file) const
{
    return root / keyedName(file.parent_path()) / file.filename();
}

std::vector<BackupStore::Version> BackupStore::versions(const std::filesystem::path &file) const
{
    std::vector<Version> found;
    std::error_code error;
    for (std::filesystem::directory_iterator entry(folderFor(file), error), end; !error && entry != end;
         entry.increment(error)) {
        Version version = versionOf(entry->path());
        if (version.number >= 0 && entry->is_regular_file(error))
            found.push_back(std::move(version));
    }
    std::ranges::sort(found, [](const Version &a, const Version &b) { return a.number > b.number; });
    return found;
}

bool BackupStore::keep(const std::filesystem::path &file, std::string_view bytes, std::string *error,
                       std::filesystem::path *keptIn) const
{
    const std::filesystem::path folder = folderFor(file);
    if (!makeStoreFolder(folder, error))
        return false;
    std::vector<Version> old = versions(file);
    if (!old.empty()) {
        const FileBytes newest = readWholeFile(old.front().path);
        if (newest.status == FileStatus::Read && newest.bytes == bytes) {
            if (keptIn)
                *keptIn = old.front().path;
            return true;
        }
    }
    const int number = old.empty() ? 1 : old.front().number + 1;
    const std::filesystem::path path = folder / pathFromBytes(versionName(Clock::now(), number, file.extension()));
    std::string why;
    if (!saveCopyAtomically(path, bytes, file, &why))
        return fail(error, pathBytes(path) + ": " + why);
    removeStaleSideFilesIn(folder);
    if (keptIn)
        *keptIn = path;
    for (std::size_t i = std::size_t(kept) - 1; i < old.size(); ++i) {
        std::error_code ignored;
        std::filesystem::remove(old[i].path, ignored);
    }
    return true;
}

std::function<std::filesystem::path(std::string_view)> BackupStore::keeperFor(const std::filesystem::path &file) const
{
    return [store = *this, file](std::string_view bytes) {
        std::filesystem::path kept;
        return store.keep(file, bytes, nullptr, &kept) ? kept : std::filesystem::path();
    };
}

} // namespace tolvane
