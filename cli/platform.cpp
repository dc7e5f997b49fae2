#include "platform.h"

#ifdef _WIN32

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#include <shellapi.h>

namespace {

std::string toUtf8(const wchar_t *text)
{
    const int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (size <= 1)
        return {};
    std::string utf8(std::size_t(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8.data(), size, nullptr, nullptr);
    utf8.pop_back();
    return utf8;
}

} // namespace

// argv holds the arguments in the ANSI code page, where a name that the code
// page cannot spell is already lost; the wide command line has them all.
std::vector<std::string> commandLineArguments(int argc, char **argv)
{
    int count = 0;
    wchar_t **wide = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> arguments;
    if (wide && count == argc) {
        for (int i = 1; i < count; ++i)
            arguments.push_back(toUtf8(wide[i]));
    } else {
        arguments.assign(argv + (argc > 0), argv + argc);
    }
    LocalFree(wide);
    return arguments;
}

std::filesystem::path pathFromArgument(const std::string &argument)
{
    if (argument.empty())
        return {};
    const int size = MultiByteToWideChar(CP_UTF8, 0, argument.data(), int(argument.size()), nullptr, 0);
    std::wstring wide(std::size_t(size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, argument.data(), int(argument.size()), wide.data(), size);
    return wide;
}

namespace {

bool sameLetter(wchar_t a, wchar_t b)
{
    return CompareStringOrdinal(&a, 1, &b, 1, TRUE) == CSTR_EQUAL;
}

// Whether name matches pattern, without regard to case as the file system
// compares names: * any run of characters, ? any one.
bool matches(std::wstring_view pattern, std::wstring_view name)
{
    std::size_t p = 0, n = 0, starAt = std::wstring_view::npos, starName = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == L'*') {
            starAt = p++;
            starName = n;
        } else if (p < pattern.size() && (pattern[p] == L'?' || sameLetter(pattern[p], name[n]))) {
            ++p;
            ++n;
        } else if (starAt != std::wstring_view::npos) {
            p = starAt + 1;
            n = ++starName;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == L'*')
        ++p;
    return p == pattern.size();
}

std::vector<std::string> matchesOf(const std::string &argument)
{
    const std::size_t cut = argument.find_last_of("\\/:");
    const std::string folder = cut == std::string::npos ? std::string() : argument.substr(0, cut + 1);
    const std::wstring pattern = pathFromArgument(argument.substr(folder.size())).native();
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found;
    const std::wstring all = pathFromArgument(folder).native() + L"*";
    if (HANDLE search = FindFirstFileExW(all.c_str(), FindExInfoBasic, &found, FindExSearchNameMatch, nullptr, 0);
        search != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring_view name = found.cFileName;
            if (name != L"." && name != L".." && matches(pattern, name))
                names.emplace_back(name);
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    std::sort(names.begin(), names.end(), [](const std::wstring &a, const std::wstring &b) {
        return CompareStringOrdinal(a.data(), int(a.size()), b.data(), int(b.size()), TRUE) == CSTR_LESS_THAN;
    });
    std::vector<std::string> expanded;
    for (const std::wstring &name : names)
        expanded.push_back(folder + toUtf8(name.c_str()));
    return expanded;
}

} // namespace

bool isWildcardPattern(const std::string &argument)
{
    return argument.find_first_of("*?") != std::string::npos;
}

std::vector<std::string> expandWildcards(const std::vector<std::string> &files)
{
    std::vector<std::string> expanded;
    for (const std::string &file : files) {
        std::vector<std::string> matched;
        if (isWildcardPattern(file))
            matched = matchesOf(file);
        if (matched.empty())
            expanded.push_back(file);
        else
            expanded.insert(expanded.end(), matched.begin(), matched.end());
    }
    return expanded;
}

void useBinaryStandardStreams()
{
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
}

namespace {

UINT consoleCodePage = 0;

void restoreConsoleCodePage()
{
    SetConsoleOutputCP(consoleCodePage);
}

bool isConsole(DWORD stream)
{
    return GetFileType(GetStdHandle(stream)) == FILE_TYPE_CHAR;
}

} // namespace

// A console shows bytes in its own code page (437, 850, ...), where the UTF-8
// of "é" reads "Ã©"; for as long as the program runs it reads UTF-8.
void useUtf8Console()
{
    if (!isConsole(STD_OUTPUT_HANDLE) && !isConsole(STD_ERROR_HANDLE))
        return;
    consoleCodePage = GetConsoleOutputCP();
    if (consoleCodePage != 0 && consoleCodePage != CP_UTF8 && SetConsoleOutputCP(CP_UTF8))
        std::atexit(restoreConsoleCodePage);
}

#else

std::vector<std::string> commandLineArguments(int argc, char **argv)
{
    return {argv + (argc > 0), argv + argc};
}

std::filesystem::path pathFromArgument(const std::string &argument)
{
    return argument;
}

std::vector<std::string> expandWildcards(const std::vector<std::string> &files)
{
    return files;
}

bool isWildcardPattern(const std::string &)
{
    return false;
}

void useBinaryStandardStreams()
{
}

void useUtf8Console()
{
}

#endif
