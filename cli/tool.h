#pragma once

#include "classfilereader.h"
#include "fileio.h"
#include "sheetcolumns.h"

#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// What the commands of tolvane-classfile share.

enum ExitStatus { clean = 0, findings = 1, failure = 2 };

void print(std::FILE *stream, std::string_view text);
// A line on standard error after the program's name.
void complain(std::string_view message);
// Says what is wrong with the command line, with the usage; failure.
int usageError(std::string_view reason);

// The bytes of the file that name gives, "-" for standard input; false, with
// a line on standard error, when it cannot be read.
bool readInput(const std::string &name, FileBytes &file);
ClassFileKind kindOf(const std::string &name, std::string_view bytes);
// Replaces the file at name with bytes safely, unless it is read-only and
// not forced; clean or failure, told on standard error.
int rewrite(const std::string &name, const std::string &bytes, bool force);

// Refuses, with a line on standard error, a file that reads as something
// else than classes: the settings file, or one with no class block, which
// would read as the default class.
bool refuseNonClassFile(const std::string &name, std::string_view bytes);

// The format of "--format=csv" (tsv, json); false, with the usage told, for
// any other.
bool readFormatOption(const std::string &option, std::optional<SheetFormat> &format);

// The commands in files of their own, with the options and the files that
// follow the command's name.
int exportCommand(const std::vector<std::string> &options, const std::vector<std::string> &files);
int applyCommand(const std::vector<std::string> &options, const std::vector<std::string> &files);
