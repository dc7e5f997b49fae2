#include "classdata/format/classfilereader.h"
#include "classdata/format/classfileupdate.h"
#include "classdata/format/classfilewriter.h"
#include "diffcommand.h"
#include "classdata/files/fileio.h"
#include "classdata/format/findingcodes.h"
#include "platform.h"
#include "classdata/text/readabletext.h"
#include "tool.h"
#include "classdata/compare/unifieddiff.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

using namespace tolvane;

constexpr std::string_view usage =
    "Usage: tolvane-classfile normalize [--keep-notes] FILE\n"
    "       tolvane-classfile normalize [--keep-notes] --diff FILE...\n"
    "       tolvane-classfile normalize [--keep-notes] --check FILE...\n"
    "       tolvane-classfile normalize [--keep-notes] --in-place [--force] [--follow-symlinks] [--no-backup] FILE...\n"
    "       tolvane-classfile check [--format=text|json] [--select CODES] [--ignore CODES] [--rules FILE]\n"
    "                               FILE...\n"
    "       tolvane-classfile check --list-codes\n"
    "       tolvane-classfile export [--format=csv|tsv|json] FILE...\n"
    "       tolvane-classfile apply [--dry-run] [--add-new] [--force] [--follow-symlinks] [--no-backup]\n"
    "                               [--format=csv|tsv|json] CHANGES FILE\n"
    "       tolvane-classfile diff [--format=text|json|markdown] FIRST SECOND\n"
    "       tolvane-classfile --help | --version\n"
    "\n"
    "normalize  writes FILE to standard output as the Tolvane Class Creator\n"
    "           writes it: the classes the game reads from it, in the fixed\n"
    "           layout, with the file's own line ends.\n"
    "  --diff          writes a unified diff from each FILE to what normalize\n"
    "                  makes of it instead; nothing for a file that would not\n"
    "                  change.\n"
    "  --check         lists the files that normalize would change; writes\n"
    "                  nothing.\n"
    "  -i, --in-place  rewrites each file that would change: the new file is\n"
    "                  written beside it and renamed over it; its mode and\n"
    "                  line ends stay. Files that would not change are left\n"
    "                  untouched, and so is a read-only file. The version it\n"
    "                  replaces is kept, the last 10 of each file, in backups\n"
    "                  in the user's data folder: ~/.local/share/tolvane-\n"
    "                  class-creator (or in $XDG_DATA_HOME), on Windows\n"
    "                  %LOCALAPPDATA%\\Tolvane Class Creator.\n"
    "  --force         (with -i) rewrites read-only files too; they stay\n"
    "                  read-only.\n"
    "  --follow-symlinks  (with -i) rewrites the file a symbolic link leads\n"
    "                  to, keeping the link; without it a link is refused.\n"
    "  --no-backup     (with -i) keeps no earlier versions, for scripts.\n"
    "  --keep-notes    keeps comments, blank lines, unknown lines, the order\n"
    "                  of lines and the header; rewrites only the values not in\n"
    "                  the standard format (not a float that six decimals would\n"
    "                  change) and adds the lines a class lacks.\n"
    "  --check, --in-place and --diff refuse a file that is not a class file:\n"
    "  the settings file tvcc.cfg, a file with no class block, or one whose\n"
    "  blocks hold no key of a class file (another program's file, binary data).\n"
    "check      lists, one a line as FILE:LINE: CODE message, everything the\n"
    "           game ignores or reads differently from what a class file says,\n"
    "           the slips of its classes (health above max_health, a name\n"
    "           repeated, a starting weapon not carried), and the rules of\n"
    "           the folder's rules file, tvcc-rules.toml, that classes break.\n"
    "           Files that are not class files (tvcc.cfg, a class's own\n"
    "           config file) are skipped, and named on standard error, unless\n"
    "           named tvclass_*.cfg.\n"
    "  --format=json   writes one JSON array of objects {file, line, code,\n"
    "                  severity, message} instead.\n"
    "  --select CODES  reports only these codes (a comma list: TCC003,TCC011).\n"
    "  --ignore CODES  reports all but these codes.\n"
    "  --rules FILE    takes the rules from FILE instead of the rules file of\n"
    "                  each class file's folder.\n"
    "  --list-codes    lists every code with a line on what it means.\n"
    "diff       lists the classes added, removed and changed from FIRST to\n"
    "           SECOND, value by value (\"Sniper: health 100 -> 95\"), and\n"
    "           counts them. Classes are matched by name, without regard to\n"
    "           case, then a renamed class by its position; classes of one\n"
    "           name in order. Classes in another order are not changed.\n"
    "  --format=json      one JSON object {first, second, changed, added,\n"
    "                     removed, repeatedNames, unchanged} instead.\n"
    "  --format=markdown  patch notes: a Markdown list of changed, added and\n"
    "                     removed classes.\n"
    "export     writes the classes of each FILE to standard output as a sheet:\n"
    "           a row per class, a column per value (CSV with a byte order\n"
    "           mark, TSV, or JSON); several FILEs get a first column file.\n"
    "apply      changes the classes of FILE that the rows of the sheet CHANGES\n"
    "           name, in the columns it has, and rewrites FILE as the editor's\n"
    "           Write Out does; lists what changed. A cell that cannot be read\n"
    "           is reported by row and column, and nothing is changed.\n"
    "  -n, --dry-run   lists what would change, and changes nothing.\n"
    "  --add-new       adds the classes that FILE does not have.\n"
    "  --force, --follow-symlinks, --no-backup\n"
    "                  as for normalize -i: apply rewrites a read-only FILE, or\n"
    "                  the file a link leads to, only when told, and keeps the\n"
    "                  version it replaces unless told not to.\n"
    "\n"
    "A FILE of - is standard input; -- ends the options. -h and --help show\n"
    "this text, -V and --version the version.\n"
    "\n"
    "Exit status: 0 clean; 1 check found something, normalize --check or\n"
    "--diff or apply --dry-run found a file to change, or diff found the files\n"
    "to differ; 2 a file could not be read or written, was refused, a sheet's\n"
    "cell or a rules file could not be read, the output could not be written,\n"
    "or the command line is wrong.\n";

void print(std::FILE *stream, std::string_view text)
{
    std::fwrite(text.data(), 1, text.size(), stream);
}

void complain(std::string_view message)
{
    print(stderr, "tolvane-classfile: " + std::string(message) + "\n");
}

int usageError(std::string_view reason)
{
    complain(reason);
    print(stderr, usage.substr(0, usage.find("\n\n") + 1));
    return failure;
}

// status, unless the output could not be written in full: then failure, told
// on stderr, as a report that did not arrive must not pass for a clean one.
int finish(int status)
{
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
        complain("could not write the standard output");
        return failure;
    }
    return status;
}

// The worse of two exit statuses.
int worse(int status, int other)
{
    return std::max(status, other);
}

// The bytes of the file that name gives, "-" for standard input; false, with
// a line on stderr, when it cannot be read.
bool readInput(const std::string &name, FileBytes &file)
{
    file = name == "-" ? readWholeStream(stdin) : readWholeFile(pathFromArgument(name));
    if (file.status == FileStatus::Read)
        return true;
    const char *why = isWildcardPattern(name)              ? "no file matches"
                      : file.status == FileStatus::Missing ? "no such file"
                                                           : nullptr;
    complain(readableFileName(name) + ": " + (why ? why : file.error));
    return false;
}

ClassFileKind kindOf(const std::string &name, std::string_view bytes)
{
    return classFileKind(name == "-" ? std::filesystem::path() : pathFromArgument(name), bytes);
}

enum class NormalizeMode { ToOutput, Diff, Check, InPlace };

struct NormalizeOptions
{
    NormalizeMode mode = NormalizeMode::ToOutput;
    bool force = false;
    bool keepNotes = false;
    bool followSymlinks = false;
    bool backup = true;
};

// What one file gives for the mode; stdout holds the file, its name or its diff.
int normalizeFile(const std::string &name, const NormalizeOptions &options, Backups &backups)
{
    FileBytes file;
    if (options.mode == NormalizeMode::InPlace && name == "-") {
        complain("standard input cannot be rewritten in place");
        return failure;
    }
    if (!readInput(name, file))
        return failure;
    const std::string normalized = options.keepNotes ? normalizedKeepingNotes(file.bytes)
                                                     : normalizedClassFile(file.bytes);
    if (options.mode == NormalizeMode::ToOutput) {
        print(stdout, normalized);
        return clean;
    }
    if (refuseNonClassFile(name, file.bytes))
        return failure;
    if (normalized == file.bytes)
        return clean;
    switch (options.mode) {
    case NormalizeMode::Diff: {
        const std::string label = diffHeaderName(name) + '\t';
        print(stdout, unifiedDiff(file.bytes, normalized, label, label));
        return findings;
    }
    case NormalizeMode::Check:
        print(stdout, readableFileName(name) + "\n");
        return findings;
    default:
        return rewrite(name, file.bytes, normalized, {options.force, options.followSymlinks},
                       options.backup ? &backups : nullptr);
    }
}

int normalizeFiles(const std::vector<std::string> &names, const NormalizeOptions &options)
{
    int status = clean;
    Backups backups;
    for (const std::string &name : names)
        status = worse(status, normalizeFile(name, options, backups));
    return status;
}

// The options and files after a command: options begin with "-" (but "-"
// alone is standard input) up to a "--". An option that takes a value has it
// joined with "=" ("--select=TCC001"), whether given so or as the next argument.
struct Arguments
{
    std::vector<std::string> options;
    std::vector<std::string> files;
};

constexpr std::string_view valueOptions[] = {"--select", "--ignore", "--format", "--rules"};

Arguments split(std::vector<std::string>::const_iterator at, std::vector<std::string>::const_iterator end)
{
    Arguments arguments;
    bool optionsEnded = false;
    for (; at != end; ++at) {
        if (!optionsEnded && *at == "--") {
            optionsEnded = true;
        } else if (!optionsEnded && at->size() > 1 && at->front() == '-') {
            arguments.options.push_back(*at);
            const bool takesValue = std::find(std::begin(valueOptions), std::end(valueOptions), *at)
                                    != std::end(valueOptions);
            if (takesValue && at + 1 != end)
                arguments.options.back() += '=' + *++at;
        } else {
            arguments.files.push_back(*at);
        }
    }
    arguments.files = expandWildcards(arguments.files);
    return arguments;
}

int normalizeCommand(const Arguments &arguments)
{
    NormalizeOptions options;
    int modes = 0;
    for (const std::string &option : arguments.options) {
        const auto setMode = [&](NormalizeMode mode) {
            options.mode = mode;
            ++modes;
        };
        if (option == "--check")
            setMode(NormalizeMode::Check);
        else if (option == "-i" || option == "--in-place")
            setMode(NormalizeMode::InPlace);
        else if (option == "--diff")
            setMode(NormalizeMode::Diff);
        else if (option == "--force")
            options.force = true;
        else if (option == "--keep-notes")
            options.keepNotes = true;
        else if (option == "--follow-symlinks")
            options.followSymlinks = true;
        else if (option == "--no-backup")
            options.backup = false;
        else
            return usageError("normalize has no option " + readableFileName(option));
    }
    if (modes > 1)
        return usageError("normalize takes one of --check, --in-place and --diff");
    if ((options.force || options.followSymlinks) && options.mode != NormalizeMode::InPlace)
        return usageError(std::string(options.force ? "--force" : "--follow-symlinks") + " goes with --in-place");
    if (!options.backup && options.mode != NormalizeMode::InPlace)
        return usageError("--no-backup goes with --in-place");
    if (arguments.files.empty())
        return usageError("normalize needs a FILE");
    if (options.mode == NormalizeMode::ToOutput && arguments.files.size() > 1)
        return usageError("normalize writes one FILE to standard output; use --in-place, --check or --diff for more");
    return normalizeFiles(arguments.files, options);
}

int run(const std::vector<std::string> &args)
{
    if (args.empty())
        return usageError("no command given");
    const std::string &command = args[0];
    if (command == "--help" || command == "-h" || command == "--version" || command == "-V") {
        if (args.size() > 1)
            return usageError(command + " takes nothing after it");
        const bool help = command == "--help" || command == "-h";
        print(stdout, help ? usage : "tolvane-classfile " TOLVANE_VERSION "\n");
        return clean;
    }
    const Arguments arguments = split(args.begin() + 1, args.end());
    if (command == "normalize")
        return normalizeCommand(arguments);
    if (command == "check")
        return checkCommand(arguments.options, arguments.files);
    if (command == "export")
        return exportCommand(arguments.options, arguments.files);
    if (command == "apply")
        return applyCommand(arguments.options, arguments.files);
    if (command == "diff")
        return diffCommand(arguments.options, arguments.files, usageError);
    return usageError("unknown command \"" + readableFileName(command) + "\"");
}

int main(int argc, char **argv)
{
    useBinaryStandardStreams();
    useUtf8Console();
    return finish(run(commandLineArguments(argc, argv)));
}
