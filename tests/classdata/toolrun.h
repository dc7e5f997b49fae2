#pragma once

#include <string>

// Runs the built tolvane-classfile as a user would, through the shell.

struct ToolRun
{
    int status;
    std::string out;
    std::string err;
};

// path quoted for the shell.
std::string arg(const std::string &path);

// The variable that names the user's data folder, where the tool keeps its
// backups; the tool runs with it set to dataFolder, never the user's folder.
#ifdef _WIN32
inline constexpr const char *dataVariable = "LOCALAPPDATA";
#else
inline constexpr const char *dataVariable = "XDG_DATA_HOME";
#endif
extern const std::string dataFolder;

// A file of its own for the running test, as ctest may run tests side by side.
std::string tempPath(const std::string &name);

ToolRun runTool(const std::string &arguments);

// A file of bytes at tempPath(name); its path.
std::string writeTemp(const std::string &name, const std::string &bytes);
