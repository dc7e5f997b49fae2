#include "tool.h"

#include "model/review/changereview.h"
#include "classdata/format/classfileupdate.h"
#include "classdata/sheets/classimport.h"
#include "platform.h"
#include "classdata/text/readabletext.h"

#include <algorithm>
#include <cstdio>
#include <memory>

using namespace tolvane;

namespace {

struct ApplyOptions
{
    bool dryRun = false;
    RewriteOptions rewrite;
    bool backup = true;
    ImportOptions import;
};

// Every problem of the sheet, one a line, and that nothing was changed.
int reportProblems(const std::string &changes, const std::string &file, const ImportResult &result)
{
    for (const ImportProblem &problem : result.problems)
        complain(readableFileName(changes) + ": " + problem.message);
    const bool unknown = std::any_of(result.problems.begin(), result.problems.end(), [](const ImportProblem &p) {
        return p.kind == ImportProblem::Kind::UnknownClass;
    });
    if (unknown)
        complain("apply --add-new adds the classes that " + readableFileName(file) + " does not have");
    complain(readableFileName(file) + " is unchanged");
    return failure;
}

int apply(const std::string &changes, const std::string &name, ApplyOptions options)
{
    if (name == "-") {
        complain("apply rewrites FILE in place, which standard input cannot be");
        return failure;
    }
    FileBytes file, sheet;
    if (!readInput(name, file) || refuseNonClassFile(name, file.bytes) || !readInput(changes, sheet))
        return failure;
    if (!options.import.format && changes != "-")
        options.import.format = sheetFormatOfName(pathFromArgument(changes));
    options.import.fileName = name;
    // A row's file that names a folder, as export names FILE, is FILE only
    // where that folder is FILE's, from the current folder.
    std::error_code noFolder;
    const std::filesystem::path here = std::filesystem::current_path(noFolder), path = pathFromArgument(name);
    options.import.isFile = [&](std::string_view row) {
        return row == readableFileName(name) || namesFile(row, here, path);
    };
    auto table = std::make_unique<ClassTable>();
    readClassBytes(*table, file.bytes);
    const std::span<const ClassRecord> classes(table->records.data(), std::size_t(table->classCount));
    const ImportResult result = classesFromSheet(classes, sheet.bytes, options.import);
    if (!result.problems.empty())
        return reportProblems(changes, name, result);
    if (const std::string note = otherFolderNote(result); !note.empty())
        complain(readableFileName(changes) + ": " + note);

    std::string review;
    for (const std::string &line : classChanges(classes, result.classes, result.origins, ChangeNames::File))
        review += readableFromWindows1252(line) + '\n';
    if (options.dryRun || review.empty()) {
        print(stdout, review);
        return review.empty() ? clean : findings;
    }
    // The list of changes goes out before the file changes: when it cannot
    // be written (a full disk), the file stays as it was, and says so.
    const std::optional<std::filesystem::path> target = rewriteTarget(name, options.rewrite);
    if (!target)
        return failure;
    print(stdout, review);
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
        complain(readableFileName(name) + " is unchanged: the list of its changes could not be written");
        return failure;
    }
    Backups backups;
    const std::string updated = updatedClassFile(file.bytes, *table, result.classes, result.origins);
    return replaceFile(name, *target, file.bytes, updated, options.backup ? &backups : nullptr);
}

} // namespace

int applyCommand(const std::vector<std::string> &arguments, const std::vector<std::string> &files)
{
    ApplyOptions options;
    for (const std::string &option : arguments) {
        if (option == "--dry-run" || option == "-n")
            options.dryRun = true;
        else if (option == "--add-new")
            options.import.addNew = true;
        else if (option == "--force")
            options.rewrite.force = true;
        else if (option == "--follow-symlinks")
            options.rewrite.followSymlinks = true;
        else if (option == "--no-backup")
            options.backup = false;
        else if (!option.starts_with("--format="))
            return usageError("apply has no option " + readableFileName(option));
        else if (!readFormatOption(option, options.import.format))
            return failure;
    }
    if (files.size() != 2)
        return usageError("apply takes a sheet of CHANGES and the class FILE they change");
    const bool writing = options.rewrite.force || options.rewrite.followSymlinks || !options.backup;
    if (writing && options.dryRun)
        return usageError("--dry-run writes nothing: --force, --follow-symlinks and --no-backup do not go with it");
    return apply(files[0], files[1], options);
}
