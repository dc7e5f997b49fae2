#pragma once

#include <filesystem>
#include <string>
#include <vector>

// The program's arguments after argv[0], as UTF-8 (on Windows from the wide command line).
std::vector<std::string> commandLineArguments(int argc, char **argv);

// A path named by a command-line argument (UTF-8 on Windows, bytes as given elsewhere).
std::filesystem::path pathFromArgument(const std::string &argument);

// The FILE arguments with wildcards expanded on Windows, where the shells
// (cmd, PowerShell) hand "*.cfg" to the program as typed: a file name there
// cannot hold * or ?, so an argument with them is a pattern for the names in
// its folder. The matches come sorted by name, behind the folder part as
// typed; a pattern that matches nothing stays as it is, for the file error to
// name. Elsewhere the shell has expanded them already: files as given.
std::vector<std::string> expandWildcards(const std::vector<std::string> &files);
// Whether argument is such a pattern (never elsewhere).
bool isWildcardPattern(const std::string &argument);

// Puts standard input and output into binary mode (no CR LF translation); nothing elsewhere.
void useBinaryStandardStreams();

// Has a Windows console show the UTF-8 the tool writes as the letters it
// means, until the program ends; nothing elsewhere, or when the output goes
// to a file or a pipe.
void useUtf8Console();
