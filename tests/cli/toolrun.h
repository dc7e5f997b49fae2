#pragma once

// Runs the built tolvane-classfile as a user would, for the tool's tests.

#include "../classdata/testclasses.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/wait.h>
#endif

struct ToolRun
{
    int status;
    std::string out;
    std::string err;
};

// path quoted for the shell.
inline std::string arg(const std::string &path)
{
    return '"' + path + '"';
}

// A file of its own for the running test, as ctest may run tests side by side.
inline std::string tempPath(const std::string &name)
{
    return testing::TempDir() + testing::UnitTest::GetInstance()->current_test_info()->name() + '.' + name;
}

#ifdef _WIN32
constexpr const char *dataVariable = "LOCALAPPDATA";
#else
constexpr const char *dataVariable = "XDG_DATA_HOME";
#endif

// The tool keeps its backups in a scratch data folder, never in the user's.
inline const std::string dataFolder = [] {
    const std::string folder = testing::TempDir() + "tool data";
    setEnvironment(dataVariable, folder);
    return folder;
}();

inline ToolRun runTool(const std::string &arguments)
{
    const std::string out = tempPath("out"), err = tempPath("err");
    const std::string command = arg(TOLVANE_CLASSFILE_TOOL) + ' ' + arguments + " >" + arg(out) + " 2>" + arg(err);
#ifdef _WIN32
    // cmd /c drops the first and the last quote; the command line is UTF-8.
    // -1: no command interpreter could be started, which Wine under load
    // now and then reports; that says nothing of the tool, so try again.
    int status = -1;
    for (int attempt = 0; attempt < 3 && status == -1; ++attempt)
        status = _wsystem(utf8Path(arg(command)).c_str());
#else
    int status = std::system(command.c_str());
    status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
#endif
    std::string messages = fileBytes(err);
#ifdef _WIN32
    // Messages go to the console in text mode, a line end of CR LF there.
    std::erase(messages, '\r');
#endif
    return {status, fileBytes(out), messages};
}

// A JSON string of a file name: a Windows path's backslashes escaped.
inline std::string jsonName(std::string path)
{
    for (std::size_t at = 0; (at = path.find('\\', at)) != std::string::npos; at += 2)
        path.insert(at, 1, '\\');
    return path;
}

inline std::string writeTemp(const std::string &name, const std::string &bytes)
{
    const std::string path = tempPath(name);
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}
