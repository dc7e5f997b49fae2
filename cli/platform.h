#pragma once

#include <filesystem>
#include <string>
#include <vector>

// The program's arguments after argv[0], as UTF-8 (on Windows from the wide command line).
std::vector<std::string> commandLineArguments(int argc, char **argv);

// A path named by a command-line argument (UTF-8 on Windows, bytes as given elsewhere).
std::filesystem::path pathFromArgument(const std::string &argument);

// Puts standard input and output into binary mode (no CR LF translation); nothing elsewhere.
void useBinaryStandardStreams();

// Has a Windows console show the UTF-8 the tool writes as the letters it
// means, until the program ends; nothing elsewhere, or when the output goes
// to a file or a pipe.
void useUtf8Console();
