#include "diffcommand.h"

#include "classdata/compare/classdiff.h"
#include "classdata/format/classfilereader.h"
#include "classdata/files/fileio.h"
#include "classdata/format/findingcodes.h"
#include "platform.h"
#include "classdata/text/readabletext.h"

#include <cstdio>
#include <memory>

using namespace tolvane;

namespace {

enum class Format { Text, Json, Markdown };

void write(std::FILE *stream, std::string_view text)
{
    std::fwrite(text.data(), 1, text.size(), stream);
}

// Windows-1252 lines as UTF-8, line by line, so that only the bytes inside a
// line can be escaped.
std::string readableLines(std::string_view bytes)
{
    std::string out;
    for (std::size_t start = 0; start < bytes.size();) {
        const std::size_t end = std::min(bytes.find('\n', start), bytes.size());
        out.append(readableFromWindows1252(bytes.substr(start, end - start)));
        if (end < bytes.size())
            out.append(1, '\n');
        start = end + 1;
    }
    return out;
}

std::string jsonText(std::string_view bytes)
{
    return '"' + jsonEscaped(readableFromWindows1252(bytes)) + '"';
}

// The classes of the file that name gives ("-": standard input); null, with
// one line on stderr naming the file and why, when it is unreadable or no
// class file.
std::unique_ptr<ClassTable> readClasses(const std::string &name)
{
    const FileBytes file = name == "-" ? readWholeStream(stdin) : readWholeFile(pathFromArgument(name));
    std::string problem = file.status == FileStatus::Missing ? "no such file" : file.error;
    if (file.status == FileStatus::Read) {
        const std::filesystem::path path = name == "-" ? std::filesystem::path() : pathFromArgument(name);
        const ClassFileKind kind = classFileKind(path, file.bytes);
        if (kind == ClassFileKind::ClassFile) {
            auto table = std::make_unique<ClassTable>();
            readClassBytes(*table, file.bytes);
            return table;
        }
        problem = std::string(whyNotAClassFile(kind)) + " (" + std::string(codeOf(findingOf(kind)).code) + ')';
    }
    write(stderr, "tolvane-classfile: " + readableFileName(name) + ": " + problem + "; nothing compared\n");
    return nullptr;
}

std::span<const ClassRecord> classesOf(const ClassTable &table)
{
    return std::span(table.records).first(std::size_t(table.classCount));
}

std::string jsonValue(const std::optional<std::string> &value)
{
    return value ? jsonText(*value) : "null";
}

// A JSON array with one item a line, made by object, and its "]" at indent.
template <typename Item, typename Object>
std::string jsonArray(const std::vector<Item> &items, const std::string &indent, Object object)
{
    std::string out = "[";
    for (const Item &item : items)
        out.append(&item == &items.front() ? "\n" : ",\n").append(indent).append("  ").append(object(item));
    return out.append(items.empty() ? "]" : '\n' + indent + ']');
}

std::string json(const ClassDifferences &differences, const std::string &first, const std::string &second)
{
    const auto value = [](const ValueChange &change) {
        return "{\"value\": " + jsonText(valueName(change.value)) + ", \"before\": " + jsonValue(change.before)
               + ", \"after\": " + jsonValue(change.after) + '}';
    };
    const auto changed = [&](const ChangedClass &changed) {
        return "{\"name\": " + jsonText(changed.name) + ", \"firstSlot\": " + std::to_string(changed.pair.first)
               + ", \"secondSlot\": " + std::to_string(changed.pair.second) + ", \"matchedBy\": \""
               + (changed.pair.byName ? "name" : "position")
               + "\", \"values\": " + jsonArray(changed.changes, "    ", value) + '}';
    };
    const auto listed = [](const ListedClass &listed) {
        return "{\"name\": " + jsonText(listed.name) + ", \"slot\": " + std::to_string(listed.position) + '}';
    };
    const auto repeated = [](const RepeatedName &name) {
        return "{\"name\": " + jsonText(name.name) + ", \"inFirst\": " + std::to_string(name.inFirst)
               + ", \"inSecond\": " + std::to_string(name.inSecond) + '}';
    };
    return "{\n  \"first\": \"" + jsonEscaped(readableFileName(first)) + "\",\n  \"second\": \""
           + jsonEscaped(readableFileName(second))
           + "\",\n  \"changed\": " + jsonArray(differences.changed, "  ", changed)
           + ",\n  \"added\": " + jsonArray(differences.added, "  ", listed)
           + ",\n  \"removed\": " + jsonArray(differences.removed, "  ", listed)
           + ",\n  \"repeatedNames\": " + jsonArray(differences.match.repeatedNames, "  ", repeated)
           + ",\n  \"unchanged\": " + std::to_string(differences.unchanged) + "\n}\n";
}

// "classes named "Sniper": 2 in a.cfg, 1 in b.cfg; matched in order".
void noteRepeatedNames(const ClassMatch &match, const std::string &first, const std::string &second)
{
    for (const RepeatedName &name : match.repeatedNames) {
        write(stderr, "tolvane-classfile: note: classes named \"" + readableFromWindows1252(name.name)
                          + "\": " + std::to_string(name.inFirst) + " in " + readableFileName(first) + ", "
                          + std::to_string(name.inSecond) + " in " + readableFileName(second) + "; matched in order\n");
    }
}

} // namespace

int diffCommand(const std::vector<std::string> &options, const std::vector<std::string> &files,
                int (*usageError)(std::string_view reason))
{
    Format format = Format::Text;
    for (const std::string &option : options) {
        if (option == "--format=text")
            format = Format::Text;
        else if (option == "--format=json")
            format = Format::Json;
        else if (option == "--format=markdown")
            format = Format::Markdown;
        else
            return usageError("diff has no option " + readableFileName(option));
    }
    if (files.size() != 2)
        return usageError("diff compares two FILEs");
    if (files[0] == "-" && files[1] == "-")
        return usageError("diff reads standard input for one FILE only");
    const std::unique_ptr<ClassTable> first = readClasses(files[0]), second = readClasses(files[1]);
    if (!first || !second)
        return 2;

    const ClassDifferences differences = diffClasses(classesOf(*first), classesOf(*second));
    switch (format) {
    case Format::Json:
        write(stdout, json(differences, files[0], files[1]));
        break;
    case Format::Markdown:
        noteRepeatedNames(differences.match, files[0], files[1]);
        write(stdout, readableLines(patchNotes(differences, NotesFormat::Markdown)));
        break;
    case Format::Text:
        noteRepeatedNames(differences.match, files[0], files[1]);
        if (!differences.same())
            write(stdout, readableLines(patchNotes(differences, NotesFormat::Text)));
        write(stdout, countText(differences) + "\n");
        break;
    }
    return differences.same() ? 0 : 1;
}
