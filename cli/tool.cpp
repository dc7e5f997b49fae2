#include "tool.h"

#include "classdata/format/findingcodes.h"
#include "platform.h"
#include "classdata/text/readabletext.h"
#include "classdata/files/safesave.h"

using namespace tolvane;

bool refuseNonClassFile(const std::string &name, std::string_view bytes)
{
    const ClassFileKind kind = kindOf(name, bytes);
    if (kind == ClassFileKind::ClassFile)
        return false;
    complain(readableFileName(name) + ": " + std::string(whyNotAClassFile(kind)) + " ("
             + std::string(codeOf(findingOf(kind)).code) + "); left alone");
    return true;
}

bool readFormatOption(const std::string &option, std::optional<SheetFormat> &format)
{
    format = sheetFormatNamed(std::string_view(option).substr(std::string_view("--format=").size()));
    if (!format)
        usageError("--format takes csv, tsv or json");
    return format.has_value();
}

void Backups::keep(const std::filesystem::path &path, std::string_view bytes)
{
    std::string error;
    if (told || store.keep(std::filesystem::absolute(path), bytes, &error))
        return;
    complain("no earlier versions are kept: " + readableFileName(error)
             + "; the files are rewritten without them (--no-backup turns this off)");
    told = true;
}

OldContentsKeeper Backups::keeperFor(const std::filesystem::path &path) const
{
    return store.keeperFor(std::filesystem::absolute(path));
}

std::optional<std::filesystem::path> rewriteTarget(const std::string &name, const RewriteOptions &options)
{
    std::filesystem::path path = pathFromArgument(name);
    if (const std::optional<std::filesystem::path> target = symlinkTarget(path)) {
        if (!options.followSymlinks) {
            complain(readableFileName(name)
                     + ": a symbolic link, so left unchanged; --follow-symlinks rewrites the "
                       "file it leads to");
            return std::nullopt;
        }
        path = *target;
    }
    if (!options.force && isReadOnlyFile(path)) {
        complain(readableFileName(name) + ": read-only, so left unchanged; --force rewrites it");
        return std::nullopt;
    }
    return path;
}

int rewrite(const std::string &name, const std::string &old, const std::string &bytes, const RewriteOptions &options,
            Backups *backups)
{
    const std::optional<std::filesystem::path> path = rewriteTarget(name, options);
    return path ? replaceFile(name, *path, old, bytes, backups) : failure;
}

int replaceFile(const std::string &name, const std::filesystem::path &path, const std::string &old,
                const std::string &bytes, Backups *backups)
{
    if (backups)
        backups->keep(path, old);
    SaveError error;
    if (saveFileAtomically(path, bytes, &error, backups ? backups->keeperFor(path) : OldContentsKeeper()))
        return clean;
    complain(readableFileName(name) + ": could not be rewritten: " + error.text());
    return failure;
}
