#include "userdata.h"

#include "classdata/text/asciitext.h"
#include "classdata/text/bytehash.h"

#include <cstdlib>
#include <string_view>

namespace tolvane {

namespace {

// An absolute folder from a variable of the environment; empty when unset or relative.
template <typename Char>
std::filesystem::path absoluteFolder(const Char *value)
{
    const std::filesystem::path folder = value ? std::filesystem::path(value) : std::filesystem::path();
    return folder.is_absolute() ? folder : std::filesystem::path();
}

// What a file name may not hold on some system: control bytes, the
// characters Windows reserves, and a dot or a space at the end.
std::string safeName(std::string name)
{
    constexpr std::size_t longest = 40;
    if (name.size() > longest) {
        std::size_t cut = longest;
        while (cut > 0 && (static_cast<unsigned char>(name[cut]) & 0xC0) == 0x80)
            --cut; // not inside a UTF-8 character
        name.resize(cut);
    }
    for (char &c : name) {
        if (static_cast<unsigned char>(c) < 0x20 || std::string_view("<>:\"/\\|?*").find(c) != std::string_view::npos)
            c = '_';
    }
    if (!name.empty() && (name.back() == '.' || name.back() == ' '))
        name.back() = '_';
    return name.empty() ? "folder" : name;
}

} // namespace

std::filesystem::path userDataFolder()
{
#ifdef _WIN32
    const std::filesystem::path local = absoluteFolder(_wgetenv(L"LOCALAPPDATA"));
    return local.empty() ? local : local / "Tolvane Class Creator";
#else
    if (const std::filesystem::path data = absoluteFolder(std::getenv("XDG_DATA_HOME")); !data.empty())
        return data / "tolvane-class-creator";
    const std::filesystem::path home = absoluteFolder(std::getenv("HOME"));
    return home.empty() ? home : home / ".local" / "share" / "tolvane-class-creator";
#endif
}

std::filesystem::path backupsFolder(const std::filesystem::path &dataFolder)
{
    return dataFolder.empty() ? dataFolder : dataFolder / "backups";
}

std::filesystem::path recoveryFolder(const std::filesystem::path &dataFolder)
{
    return dataFolder.empty() ? dataFolder : dataFolder / "recovery";
}

bool makeStoreFolder(const std::filesystem::path &folder, std::string *error)
{
    std::string reason;
    std::error_code made;
    if (!folder.is_absolute()) {
#ifdef _WIN32
        reason = "there is no folder for them: LOCALAPPDATA is not set";
#else
        reason = "there is no folder for them: neither XDG_DATA_HOME nor HOME is set";
#endif
    } else if (std::filesystem::create_directories(folder, made); made) {
        reason = pathBytes(folder) + ": " + made.message();
    }
    if (error && !reason.empty())
        *error = reason;
    return reason.empty();
}

std::filesystem::path keyedName(const std::filesystem::path &path)
{
    std::error_code error;
    std::filesystem::path full = std::filesystem::weakly_canonical(path, error);
    if (error)
        full = std::filesystem::absolute(path, error).lexically_normal();
    std::string bytes = pathBytes(full);
    while (bytes.size() > 1 && bytes.ends_with('/'))
        bytes.pop_back();
#ifdef _WIN32
    for (char &c : bytes)
        c = foldCase(c);
#endif
    static constexpr char digits[] = "0123456789abcdef";
    std::string name = safeName(bytes.substr(bytes.rfind('/') + 1)) + '-';
    const std::uint64_t hash = byteHash(bytes);
    for (int shift = 28; shift >= 0; shift -= 4)
        name += digits[(hash >> shift) & 0xF];
    return pathFromBytes(name);
}

// On Windows the conversions to and from UTF-8 throw for what is no
// character (a lone surrogate in a name, bytes that are not UTF-8).
std::string pathBytes(const std::filesystem::path &path)
{
#ifdef _WIN32
    try {
        const std::u8string text = path.generic_u8string();
        return {text.begin(), text.end()};
    } catch (const std::filesystem::filesystem_error &) {
        std::string text;
        for (const wchar_t c : path.generic_wstring())
            text += c < 0x80 ? char(c) : '?';
        return text;
    }
#else
    return path.generic_string();
#endif
}

std::filesystem::path pathFromBytes(std::string_view bytes)
{
#ifdef _WIN32
    try {
        return std::filesystem::path(std::u8string(bytes.begin(), bytes.end()));
    } catch (const std::filesystem::filesystem_error &) {
        return {};
    }
#else
    return std::filesystem::path(std::string(bytes));
#endif
}

} // namespace tolvane
