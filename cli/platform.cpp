#include "platform.h"

#ifdef _WIN32

#include <cstdio>
#include <cstdlib>
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

void useBinaryStandardStreams()
{
}

void useUtf8Console()
{
}

#endif
