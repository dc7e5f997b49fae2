#include "checkreport.h"
#include "classfilereader.h"
#include "classfilewriter.h"
#include "fileio.h"
#include "platform.h"

#include <cstdio>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace {

enum ExitStatus { clean = 0, findings = 1, failure = 2 };

constexpr std::string_view usage =
    "Usage: tolvane-classfile normalize FILE\n"
    "       tolvane-classfile check FILE...\n"
    "       tolvane-classfile --help\n"
    "\n"
    "normalize  writes FILE to standard output as the Tolvane Class Creator\n"
    "           writes it: the classes the game reads from it, in the fixed\n"
    "           layout, with the file's own line ends.\n"
    "check      lists, one a line as FILE:LINE: message, everything the game\n"
    "           ignores or reads differently from what a class file says.\n"
    "\n"
    "Exit status: 0 clean, 1 check found something, 2 a file could not be\n"
    "read or the command line is wrong.\n";

void print(std::FILE *stream, std::string_view text)
{
    std::fwrite(text.data(), 1, text.size(), stream);
}

int usageError(std::string_view reason)
{
    print(stderr, "tolvane-classfile: " + std::string(reason) + "\n");
    print(stderr, usage.substr(0, usage.find("\n\n") + 1));
    return failure;
}

// The file's bytes; false, with a line on stderr, when it cannot be read.
bool readFile(const std::string &path, FileBytes &file)
{
    file = readWholeFile(pathFromArgument(path));
    if (file.status == FileStatus::Read)
        return true;
    print(stderr, "tolvane-classfile: " + path + ": " + file.error + "\n");
    return false;
}

int normalize(const std::string &path)
{
    FileBytes file;
    if (!readFile(path, file))
        return failure;
    auto table = std::make_unique<ClassTable>();
    ReadClassFile(*table, file.bytes);
    const std::string out = ClassFileBytes(*table, lineEndToKeep(file.bytes));
    print(stdout, out);
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
        print(stderr, "tolvane-classfile: could not write the standard output\n");
        return failure;
    }
    return clean;
}

int check(const std::vector<std::string> &paths)
{
    auto table = std::make_unique<ClassTable>();
    int status = clean;
    for (const std::string &path : paths) {
        FileBytes file;
        if (!readFile(path, file)) {
            status = failure;
            continue;
        }
        CheckReport report(path);
        ReadClassFile(*table, file.bytes, &report);
        print(stdout, report.text());
        if (!report.empty() && status == clean)
            status = findings;
    }
    return status;
}

} // namespace

int main(int argc, char **argv)
{
    // The same bytes on every platform: normalize's lines keep the file's own ends.
    useBinaryStandardStreams();
    const std::vector<std::string> args = commandLineArguments(argc, argv);
    if (args.empty())
        return usageError("no command given");
    const std::string &command = args[0];
    if (command == "--help") {
        if (args.size() > 1)
            return usageError("--help takes nothing after it");
        print(stdout, usage);
        return clean;
    }
    if (command == "normalize")
        return args.size() == 2 ? normalize(args[1]) : usageError("normalize takes exactly one FILE");
    if (command == "check")
        return args.size() >= 2 ? check({args.begin() + 1, args.end()}) : usageError("check needs at least one FILE");
    return usageError("unknown command \"" + command + "\"");
}
