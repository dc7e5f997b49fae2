#pragma once

#include "classdata/files/backupstore.h"
#include "classdata/format/classfilereader.h"
#include "classdata/files/fileio.h"
#include "classdata/files/safesave.h"
#include "classdata/sheets/sheetcolumns.h"
#include "classdata/files/userdata.h"

#include <cstdio>
#include <filesystem>
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
bool readInput(const std::string &name, tolvane::FileBytes &file);
tolvane::ClassFileKind kindOf(const std::string &name, std::string_view bytes);
// The earlier versions of files that a run rewrites, kept in the user's data
// folder. When they cannot be kept, that is told once a run, and the files
// are rewritten all the same.
class Backups
{
public:
    void keep(const std::filesystem::path &path, std::string_view bytes);
    // A write in place keeps its copy of the old contents as a version too.
    tolvane::OldContentsKeeper keeperFor(const std::filesystem::path &path) const;

private:
    tolvane::BackupStore store{tolvane::backupsFolder(tolvane::userDataFolder())};
    bool told = false;
};

struct RewriteOptions
{
    bool force = false;          // a read-only file too; it stays read-only
    bool followSymlinks = false; // through a symbolic link: the file it leads to, the link staying
};

// Replaces the file at name, which holds old, with bytes safely, unless it is
// read-only and not forced, or a symbolic link not to be followed; backups,
// when given, keep old first. clean or failure, told on standard error.
int rewrite(const std::string &name, const std::string &old, const std::string &bytes, const RewriteOptions &options,
            Backups *backups);
// The two halves of rewrite: the file that name lets be replaced (the one a
// followed link leads to), or nullopt, told; and its replacement, at path.
std::optional<std::filesystem::path> rewriteTarget(const std::string &name, const RewriteOptions &options);
int replaceFile(const std::string &name, const std::filesystem::path &path, const std::string &old,
                const std::string &bytes, Backups *backups);

// Refuses, with a line on standard error, a file that reads as something
// else than classes: the settings file, or one with no class block, which
// would read as the default class.
bool refuseNonClassFile(const std::string &name, std::string_view bytes);

// The format of "--format=csv" (tsv, json); false, with the usage told, for
// any other.
bool readFormatOption(const std::string &option, std::optional<tolvane::SheetFormat> &format);

// The commands in files of their own, with the options and the files that
// follow the command's name.
int checkCommand(const std::vector<std::string> &options, const std::vector<std::string> &files);
int exportCommand(const std::vector<std::string> &options, const std::vector<std::string> &files);
int applyCommand(const std::vector<std::string> &options, const std::vector<std::string> &files);
