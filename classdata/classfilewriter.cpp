#include "classfilewriter.h"

#include "classfields.h"
#include "classfilereader.h"
#include "fileio.h"
#include "itemcatalogue.h"
#include "textnumbers.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <type_traits>
#include <charconv>
#include <memory>

namespace {

// Each field's "KEY " padded to a fixed size, so that copying it into a line
// is a fixed-size copy the compiler makes inline: key copies were most of the
// writer's time.
struct KeyPrefix
{
    std::array<char, 16> text{};
    std::size_t size = 0;
};
constexpr auto keyPrefixes = [] {
    std::array<KeyPrefix, std::size(classFieldTable)> prefixes{};
    for (std::size_t i = 0; i < prefixes.size(); ++i) {
        const std::string_view key = classFieldTable[i].key;
        if (key.size() >= prefixes[i].text.size())
            throw "a key too long for its prefix";
        std::copy(key.begin(), key.end(), prefixes[i].text.begin());
        prefixes[i].text[key.size()] = ' ';
        prefixes[i].size = key.size() + 1;
    }
    return prefixes;
}();

constexpr std::string_view headerLines[] = {
    "// Created with Tolvane Class Creator",
    "// by the Tolvane Class Creator authors",
    "// ----------------------------------------",
    "// Homepage: https://tolvane-class-creator.example.org/",
    "// ----------------------------------------",
    "// If you're having any troubles with this ",
    "// config creator please report to:",
    "// classcreator@tolvane.example.org",
    "// ----------------------------------------",
};

// Appends the lines of a class file to one string.
class LineWriter
{
public:
    LineWriter(std::string &out, std::string_view lineEnd) : out(out), crlf(lineEnd == "\r\n") {}

    void line(std::string_view text)
    {
        out.append(text);
        endLine();
    }
    // A line of one character, or none: the block's brackets and blank lines.
    void line(char c = '\0')
    {
        if (c)
            out.push_back(c);
        endLine();
    }
    void block(const ClassRecord &r);

private:
    void field(const ClassField &field, const ClassRecord &r);
    void key(const KeyPrefix &prefix) { out.append(prefix.text.data(), prefix.size); }
    // The rest of a line: a text without CR and LF bytes, which the reader
    // would take for line ends, so that they could not be read back.
    void text(std::string_view value);
    template <typename Number>
    void number(const KeyPrefix &prefix, Number value);

    // LF or CR LF, put in byte by byte: cheaper than copying a line end.
    void endLine()
    {
        if (crlf)
            out.push_back('\r');
        out.push_back('\n');
    }

    std::string &out;
    bool crlf;
};

void LineWriter::text(std::string_view value)
{
    const auto isLineEnd = [](char c) { return c == '\r' || c == '\n'; };
    for (;;) {
        const auto end = std::find_if(value.begin(), value.end(), isLineEnd);
        out.append(value.begin(), end);
        if (end == value.end())
            break;
        value.remove_prefix(std::size_t(end - value.begin()) + 1);
    }
    endLine();
}

// A number line, "PREFIX NUMBER", goes in with one append: number lines are
// most of a class file.
template <typename Number>
void LineWriter::number(const KeyPrefix &prefix, Number value)
{
    char line[sizeof prefix.text + longestFloat + 2];
    std::memcpy(line, prefix.text.data(), sizeof prefix.text);
    char *at = line + prefix.size;
    if constexpr (std::is_same_v<Number, float>)
        at = putFloat(at, value);
    else
        at = std::to_chars(at, at + 11, value).ptr;
    if (crlf)
        *at++ = '\r';
    *at++ = '\n';
    out.append(line, at);
}

// The resistance word for exactly 0, 1 or 2; other values have none.
std::string_view resistanceWord(float resistance)
{
    if (resistance == 0.0f)
        return "none";
    if (resistance == 1.0f)
        return "fire";
    if (resistance == 2.0f)
        return "explosive";
    return {};
}

void LineWriter::block(const ClassRecord &r)
{
    line();
    out.push_back('/');
    out.push_back('/');
    out.push_back(' ');
    text(r.classname.view());
    line('{');
    for (const ClassField &f : classFields()) {
        field(f, r);
        if (f.blankLineAfter)
            line();
    }
    for (std::size_t slot = 0; slot < r.inventory.size(); ++slot) {
        if (r.inventory[slot] == 0)
            continue;
        out.append("inventory ").append(itemCatalogue[slot].internalName);
        number(KeyPrefix{{' '}, 1}, r.inventory[slot]);
    }
    line('}');
    line();
}

// The "KEY VALUE" line of a field; a resistance other than 0, 1 or 2 has none.
void LineWriter::field(const ClassField &f, const ClassRecord &r)
{
    const KeyPrefix &prefix = keyPrefixes[std::size_t(&f - classFieldTable)];
    switch (f.kind) {
    case FieldKind::Int:
    case FieldKind::Abilities:
        return number(prefix, r.*f.intMember);
    case FieldKind::Float:
        return number(prefix, r.*f.floatMember);
    case FieldKind::Text:
        key(prefix);
        return text(f.text.get(r));
    case FieldKind::Resistance:
        if (const std::string_view word = resistanceWord(r.*f.floatMember); !word.empty()) {
            key(prefix);
            text(word);
        }
        return;
    }
}

} // namespace

std::string ClassFileBytes(const ClassTable &table, std::string_view lineEnd)
{
    // A count outside 0 to 64 never reaches past the table.
    const std::size_t count = std::size_t(std::clamp(table.classCount, 0, tableSlotCount));
    std::string out;
    out.reserve(1024 + count * 1024);
    LineWriter writer(out, lineEnd);
    for (std::string_view line : headerLines)
        writer.line(line);
    for (std::size_t i = 0; i < count; ++i)
        writer.block(table.records[i]);
    return out;
}

std::string_view lineEndToKeep(std::string_view oldBytes)
{
    const std::size_t lf = oldBytes.find('\n');
    if (lf == std::string_view::npos)
        return platformLineEnd;
    return lf > 0 && oldBytes[lf - 1] == '\r' ? "\r\n" : "\n";
}

std::string NormalizedClassFile(std::string_view bytes)
{
    auto table = std::make_unique<ClassTable>();
    ReadClassBytes(*table, bytes);
    return ClassFileBytes(*table, lineEndToKeep(bytes));
}
