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

// The longest number line: a key, a float's "%f" (39 digits, six decimals,
// sign and point) and a line end.
constexpr std::size_t longestNumberLine = sizeof(KeyPrefix::text) + 48 + 2;

// Appends the lines of a class file to one string. Number lines, most of a
// file, gather in a small buffer first and go in a few at a time (one append
// each made half of the writer's time); every other line puts them in first,
// and a block ends with such lines.
class LineWriter
{
public:
    LineWriter(std::string &out, std::string_view lineEnd) : out(out), crlf(lineEnd == "\r\n") {}

    void line(std::string_view text)
    {
        flush();
        out.append(text);
        endLine();
    }
    // A line of one character, or none: the block's brackets and blank lines.
    void line(char c = '\0')
    {
        flush();
        if (c)
            out.push_back(c);
        endLine();
    }
    void block(const ClassRecord &r);

private:
    void field(const ClassField &field, const ClassRecord &r);
    void key(std::string_view text)
    {
        flush();
        out.append(text);
    }
    void flush()
    {
        out.append(pending.data(), pendingSize);
        pendingSize = 0;
    }
    // The rest of a line: a text as AppendLineText puts it.
    void text(std::string_view value);
    template <typename Number>
    void number(const KeyPrefix &prefix, Number value);
    void inventoryLine(std::string_view item, std::int32_t amount);
    // Room for a line of at most length bytes in the buffer; where it begins.
    char *pendingLine(std::size_t length = longestNumberLine);
    // The line that ends at at goes with the pending ones.
    void endPendingLine(char *at);

    // LF or CR LF, put in byte by byte: cheaper than copying a line end.
    void endLine()
    {
        if (crlf)
            out.push_back('\r');
        out.push_back('\n');
    }

    std::string &out;
    bool crlf;
    std::array<char, 8 * longestNumberLine> pending;
    std::size_t pendingSize = 0;
};

void LineWriter::text(std::string_view value)
{
    AppendLineText(out, value);
    endLine();
}

// A number line, "PREFIX NUMBER", goes in with one append: number lines are
// most of a class file.
char *LineWriter::pendingLine(std::size_t length)
{
    if (pendingSize + length > pending.size())
        flush();
    return pending.data() + pendingSize;
}

void LineWriter::endPendingLine(char *at)
{
    if (crlf)
        *at++ = '\r';
    *at++ = '\n';
    pendingSize = std::size_t(at - pending.data());
}

template <typename Number>
void LineWriter::number(const KeyPrefix &prefix, Number value)
{
    char *line = pendingLine();
    std::memcpy(line, prefix.text.data(), sizeof prefix.text);
    char *at = line + prefix.size;
    if constexpr (std::is_same_v<Number, float>)
        at = putFloat(at, value);
    else
        at = std::to_chars(at, at + 11, value).ptr;
    endPendingLine(at);
}

// "inventory ITEM AMOUNT". The catalogue's item names are a few dozen bytes
// at most, far less than the buffer holds.
void LineWriter::inventoryLine(std::string_view item, std::int32_t amount)
{
    char *at = pendingLine(10 + item.size() + 1 + 11 + 2);
    at = std::copy_n("inventory ", 10, at);
    at = std::copy_n(item.data(), item.size(), at);
    *at++ = ' ';
    endPendingLine(std::to_chars(at, at + 11, amount).ptr);
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
    key("// ");
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
        inventoryLine(itemCatalogue[slot].internalName, r.inventory[slot]);
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
        key({prefix.text.data(), prefix.size});
        return text(f.text.get(r));
    case FieldKind::Resistance:
        if (const std::string_view word = resistanceWord(r.*f.floatMember); !word.empty()) {
            key({prefix.text.data(), prefix.size});
            text(word);
        }
        return;
    }
}

} // namespace

void AppendLineText(std::string &out, std::string_view text)
{
    // Without its LF bytes the text ends at its last byte that is neither CR
    // nor LF: CR bytes after it would merge with the line end.
    const std::size_t last = text.find_last_not_of("\r\n");
    text = text.substr(0, last == std::string_view::npos ? 0 : last + 1);
    for (std::size_t lf; (lf = text.find('\n')) != std::string_view::npos; text.remove_prefix(lf + 1))
        out.append(text.substr(0, lf));
    out.append(text);
}

bool AppendFieldLine(std::string &out, const ClassField &field, const ClassRecord &record)
{
    std::string_view word;
    if (field.kind == FieldKind::Resistance && (word = resistanceWord(record.*field.floatMember)).empty())
        return false;
    out.append(field.key);
    out.push_back(' ');
    switch (field.kind) {
    case FieldKind::Int:
    case FieldKind::Abilities:
        appendInt(out, record.*field.intMember);
        break;
    case FieldKind::Float:
        appendFloat(out, record.*field.floatMember);
        break;
    case FieldKind::Text:
        AppendLineText(out, field.text.get(record));
        break;
    case FieldKind::Resistance:
        out.append(word);
        break;
    }
    return true;
}

void AppendInventoryLine(std::string &out, int slot, std::int32_t amount)
{
    out.append("inventory ");
    out.append(itemCatalogue[std::size_t(slot)].internalName);
    out.push_back(' ');
    appendInt(out, amount);
}

void AppendNameComment(std::string &out, const ClassRecord &record)
{
    out.append("// ");
    AppendLineText(out, record.classname.view());
}

void AppendClassBlock(std::string &out, const ClassRecord &record, std::string_view lineEnd)
{
    LineWriter(out, lineEnd).block(record);
}

std::string ClassFileBytes(const ClassTable &table, std::string_view lineEnd)
{
    // A count outside 0 to 64 never reaches past the table.
    const std::size_t count = std::size_t(std::clamp(table.classCount, 0, tableSlotCount));
    return ClassFileBytes(std::span(table.records.data(), count), lineEnd);
}

std::string ClassFileBytes(std::span<const ClassRecord> records, std::string_view lineEnd)
{
    std::string out;
    out.reserve(1024 + records.size() * 1024);
    LineWriter writer(out, lineEnd);
    for (std::string_view line : headerLines)
        writer.line(line);
    for (const ClassRecord &record : records)
        writer.block(record);
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
