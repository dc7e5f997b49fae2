#include "checkreport.h"
#include "classfilereader.h"
#include "classfilewriter.h"
#include "fileio.h"
#include "platform.h"
#include "readabletext.h"
#include "safesave.h"

#include <cstdio>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace {

enum ExitStatus { clean = 0, findings = 1, failure = 2 };

constexpr std::string_view usage =
    "Usage: tolvane-classfile normalize FILE\n"
    "       tolvane-classfile normalize --check FILE...\n"
    "       tolvane-classfile normalize --in-place FILE...\n"
    "       tolvane-classfile check [--format=text|json] FILE...\n"
    "       tolvane-classfile check --list-codes\n"
    "       tolvane-classfile --help | --version\n"
    "\n"
    "normalize  writes FILE to standard output as the Tolvane Class Creator\n"
    "           writes it: the classes the game reads from it, in the fixed\n"
    "           layout, with the file's own line ends.\n"
    "  --check         lists the files that normalize would change; writes\n"
    "                  nothing.\n"
    "  -i, --in-place  rewrites each file that would change: the new file is\n"
    "                  written beside it and renamed over it; its mode and\n"
    "                  line ends stay. Files that would not change are left\n"
    "                  untouched.\n"
    "check      lists, one a line as FILE:LINE: CODE message, everything the\n"
    "           game ignores or reads differently from what a class file says.\n"
    "  --format=json   writes one JSON array of objects {file, line, code,\n"
    "                  severity, message} instead.\n"
    "  --list-codes    lists every code with a line on what it means.\n"
    "\n"
    "A FILE of - is standard input; -- ends the options. -h and --help show\n"
    "this text, -V and --version the version.\n"
    "\n"
    "Exit status: 0 clean; 1 check found something, or normalize --check found\n"
    "a file to change; 2 a file could not be read or written, the output could\n"
    "not be written, or the command line is wrong.\n";

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

// The bytes of the file that name gives, "-" for standard input; false, with
// a line on stderr, when it cannot be read.
bool readInput(const std::string &name, FileBytes &file)
{
    file = name == "-" ? readWholeStream(stdin) : readWholeFile(pathFromArgument(name));
    if (file.status == FileStatus::Read)
        return true;
    complain(readableFileName(name) + ": " + (file.status == FileStatus::Missing ? "no such file" : file.error));
    return false;
}

int normalizeToOutput(const std::string &name)
{
    FileBytes file;
    if (!readInput(name, file))
        return failure;
    print(stdout, NormalizedClassFile(file.bytes));
    return clean;
}

// --check lists the files that would change; --in-place rewrites them.
int normalizeFiles(const std::vector<std::string> &names, bool inPlace)
{
    int status = clean;
    for (const std::string &name : names) {
        FileBytes file;
        if (inPlace && name == "-") {
            complain("standard input cannot be rewritten in place");
            status = failure;
            continue;
        }
        if (!readInput(name, file)) {
            status = failure;
            continue;
        }
        const std::string normalized = NormalizedClassFile(file.bytes);
        if (normalized == file.bytes)
            continue;
        std::string error;
        if (!inPlace) {
            print(stdout, readableFileName(name) + "\n");
            status = status == clean ? findings : status;
        } else if (!saveFileAtomically(pathFromArgument(name), normalized, &error)) {
            complain(readableFileName(name) + ": could not be rewritten: " + error + "; the file is unchanged");
            status = failure;
        }
    }
    return status;
}

int check(const std::vector<std::string> &names, bool json)
{
    auto table = std::make_unique<ClassTable>();
    int status = clean;
    std::vector<std::string> objects;
    for (const std::string &name : names) {
        FileBytes file;
        if (!readInput(name, file)) {
            status = failure;
            continue;
        }
        CheckReport report(name);
        ReadClassBytes(*table, file.bytes, &report);
        if (json)
            report.appendJson(objects);
        else
            print(stdout, report.text());
        if (!report.empty() && status == clean)
            status = findings;
    }
    if (json) {
        std::string out = "[";
        for (std::size_t i = 0; i < objects.size(); ++i)
            out += (i ? ",\n " : "\n ") + objects[i];
        print(stdout, out + (objects.empty() ? "]\n" : "\n]\n"));
    }
    return status;
}

int listCodes()
{
    for (const FindingCode &code : findingCodes())
        print(stdout, std::string(code.code) + "  " + std::string(code.severity) + "  "
                          + std::string(code.explanation) + "\n");
    return clean;
}

// The options and files after a command: options begin with "-" (but "-"
// alone is standard input) up to a "--".
struct Arguments
{
    std::vector<std::string> options;
    std::vector<std::string> files;
};

Arguments split(std::vector<std::string>::const_iterator at, std::vector<std::string>::const_iterator end)
{
    Arguments arguments;
    bool optionsEnded = false;
    for (; at != end; ++at) {
        if (!optionsEnded && *at == "--")
            optionsEnded = true;
        else if (!optionsEnded && at->size() > 1 && at->front() == '-')
            arguments.options.push_back(*at);
        else
            arguments.files.push_back(*at);
    }
    return arguments;
}

int normalizeCommand(const Arguments &arguments)
{
    bool checkOnly = false, inPlace = false;
    for (const std::string &option : arguments.options) {
        if (option == "--check")
            checkOnly = true;
        else if (option == "-i" || option == "--in-place")
            inPlace = true;
        else
            return usageError("normalize has no option " + readableFileName(option));
    }
    if (checkOnly && inPlace)
        return usageError("normalize takes --check or --in-place, not both");
    if (arguments.files.empty())
        return usageError("normalize needs a FILE");
    if (checkOnly || inPlace)
        return normalizeFiles(arguments.files, inPlace);
    if (arguments.files.size() > 1)
        return usageError("normalize writes one FILE to standard output; use --in-place or --check for more");
    return normalizeToOutput(arguments.files[0]);
}

int checkCommand(const Arguments &arguments)
{
    bool json = false, codes = false;
    for (const std::string &option : arguments.options) {
        if (option == "--format=json" || option == "--format=text")
            json = option == "--format=json";
        else if (option == "--list-codes")
            codes = true;
        else
            return usageError("check has no option " + readableFileName(option));
    }
    if (codes)
        return arguments.files.empty() ? listCodes() : usageError("--list-codes takes no FILE");
    if (arguments.files.empty())
        return usageError("check needs at least one FILE");
    return check(arguments.files, json);
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
        return checkCommand(arguments);
    return usageError("unknown command \"" + readableFileName(command) + "\"");
}

} // namespace

int main(int argc, char **argv)
{
    useBinaryStandardStreams();
    useUtf8Console();
    return finish(run(commandLineArguments(argc, argv)));
}
