#include "diffcommand.h"

#include "classdata/compare/classdiff.h"
#include "classdata/text/windows1252.h"
#include "model/compare/patchnotes.h"
#include "model/compare/teamviews.h"
#include "classdata/format/classfilereader.h"
#include "classdata/files/fileio.h"
#include "classdata/format/findingcodes.h"
#include "platform.h"
#include "classdata/text/readabletext.h"

#include <cstdio>
#include <memory>

using namespace tolvane;

namespace {

enum class Format { Text, Json, Markdown, BBCode };

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

// One comparison: FIRST and SECOND as given, their classes, and the heading
// of their patch notes.
struct FilePair
{
    std::string first;
    std::string second;
    std::unique_ptr<ClassTable> before = nullptr;
    std::unique_ptr<ClassTable> after = nullptr;
    std::string heading = {}; // Windows-1252
};

// The last part of a path as given: "tvclass_seals.cfg" of "old/tvclass_seals.cfg".
std::string_view fileNameOf(std::string_view name)
{
#ifdef _WIN32
    constexpr std::string_view separators = "/\\";
#else
    constexpr std::string_view separators = "/";
#endif
    const std::size_t cut = name.find_last_of(separators);
    return cut == std::string_view::npos ? name : name.substr(cut + 1);
}

// The heading of a pair in the notes: the team whose class file it is, or
// else the second file's name (the first's for standard input), as
// Windows-1252 bytes ('?' for a character they cannot hold).
std::string headingOf(const FilePair &pair)
{
    for (const std::string &name : {pair.second, pair.first}) {
        for (const Team team : {Team::Seals, Team::Tangos}) {
            if (fileNameOf(name) == classFileName(sealsFlag(team)))
                return std::string(teamName(team));
        }
    }
    const std::string readable = readableFileName(fileNameOf(pair.second == "-" ? pair.first : pair.second));
    std::string heading;
    char32_t c = 0;
    for (std::size_t at = 0, length = 0; at < readable.size(); at += std::max<std::size_t>(length, 1)) {
        length = decodeUtf8(std::string_view(readable).substr(at), c);
        heading += length > 0 ? windows1252Of(c).value_or('?') : '?';
    }
    return heading;
}

// The pairs the FILE arguments name: FIRST SECOND, two such pairs, or two
// folders, whose class files of each team are paired (none where neither
// folder has one); none, with what is wrong, for another command line.
std::vector<FilePair> pairsOf(const std::vector<std::string> &files, std::string &wrong)
{
    std::vector<FilePair> pairs;
    std::error_code unknown;
    const auto isFolder = [&](const std::string &name) {
        return name != "-" && std::filesystem::is_directory(pathFromArgument(name), unknown);
    };
    if (std::ranges::count(files, std::string("-")) > 1)
        wrong = "diff reads standard input for one FILE only";
    else if (files.size() == 2 && isFolder(files[0]) && isFolder(files[1])) {
        for (const Team team : {Team::Seals, Team::Tangos}) {
            const auto inFolder = [team](std::string folder) {
                if (!fileNameOf(folder).empty()) // no separator at its end
                    folder += '/';
                return folder + std::string(classFileName(sealsFlag(team)));
            };
            const std::string first = inFolder(files[0]), second = inFolder(files[1]);
            if (std::filesystem::exists(pathFromArgument(first), unknown)
                || std::filesystem::exists(pathFromArgument(second), unknown))
                pairs.push_back({first, second});
        }
    } else if (files.size() == 2 || files.size() == 4) {
        for (std::size_t i = 0; i < files.size(); i += 2)
            pairs.push_back({files[i], files[i + 1]});
    } else {
        wrong = "diff compares two FILEs, two pairs of FILEs or two folders";
    }
    return pairs;
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
        else if (option == "--format=bbcode")
            format = Format::BBCode;
        else
            return usageError("diff has no option " + readableFileName(option));
    }
    std::string wrong;
    std::vector<FilePair> pairs = pairsOf(files, wrong);
    if (!wrong.empty())
        return usageError(wrong);
    if (pairs.empty()) {
        write(stderr, "tolvane-classfile: neither folder holds a team's class file\n");
        return 2;
    }
    bool unreadable = false;
    for (FilePair &pair : pairs) {
        pair.before = readClasses(pair.first), pair.after = readClasses(pair.second);
        unreadable = unreadable || !pair.before || !pair.after;
        pair.heading = headingOf(pair);
    }
    if (unreadable)
        return 2;

    std::vector<ClassDifferences> differences;
    std::vector<NotesSection> sections;
    for (const FilePair &pair : pairs) {
        differences.push_back(diffClasses(classesOf(*pair.before), classesOf(*pair.after)));
        sections.push_back({pair.heading, classesOf(*pair.before), classesOf(*pair.after)});
        if (format != Format::Json)
            noteRepeatedNames(differences.back().match, pair.first, pair.second);
    }
    const bool same = std::ranges::all_of(differences, &ClassDifferences::same);
    switch (format) {
    case Format::Json:
        write(stdout, pairs.size() == 1 ? "" : "[\n");
        for (std::size_t i = 0; i < pairs.size(); ++i)
            write(stdout, (i > 0 ? ",\n" : "") + json(differences[i], pairs[i].first, pairs[i].second));
        write(stdout, pairs.size() == 1 ? "" : "]\n");
        break;
    case Format::Markdown:
    case Format::BBCode:
        write(stdout, readableLines(patchNotes(sections, format == Format::Markdown ? NotesFormat::Markdown
                                                                                    : NotesFormat::BBCode)));
        break;
    case Format::Text:
        if (!same)
            write(stdout, readableLines(patchNotes(sections, NotesFormat::Text)) + '\n');
        for (std::size_t i = 0; i < pairs.size(); ++i)
            write(stdout, (pairs.size() == 1 ? "" : readableFromWindows1252(pairs[i].heading) + ": ")
                              + countText(differences[i]) + '\n');
        break;
    }
    return same ? 0 : 1;
}
