#pragma once

#include <string>
#include <string_view>
#include <vector>

// tolvane-classfile diff [--format=text|json|markdown] FIRST SECOND: the
// classes added, removed and changed from FIRST to SECOND, value by value.
// Returns the exit status: 0 the files hold the same classes, 1 they differ,
// 2 a file cannot be read or is no class file; usageError reports a wrong
// command line and gives its status.
int diffCommand(const std::vector<std::string> &options, const std::vector<std::string> &files,
                int (*usageError)(std::string_view reason));
