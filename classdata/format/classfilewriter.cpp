#include "classfilewriter.h"

#include "classfields.h"
#include "classfilereader.h"
#include "classdata/files/fileio.h"
#include "itemcatalogue.h"
#include "classdata/text/textnumbers.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstring>
#include <memory>

namespace tolvane {

namespace {

// clang-format off
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
// clang-format on

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

// The longest number line: "KEY ", a number and a line end.
constexpr std::size_t longestNumberLine = sizeof(KeyPrefix::text) + longestWrittenNumber + 2;

// The line of a number field, or of an inventory amount, with its line end,
// written at at; returns the end. The one way these lines are written.
char *putLineEnd(char *at, bool crlf)
{
    if (crlf)
        *at++ = '\r';
    *at++ = '\n';
    return at;
}

char *putNumberLine(char *at, const ClassField &field, const ClassRecord &record, bool crlf)
{
    const KeyPrefix &prefix = keyPrefixes[std::size_t(&field - classFieldTable)];
    std::memcpy(at, prefix.text.data(), sizeof prefix.text);
    return putLineEnd(putWrittenNumber(at + prefix.size, field, record), crlf);
}

// "inventory NAME AMOUNT"; the catalogue's names are a few dozen bytes at most.
constexpr std::size_t longestInventoryLine = 10 + 64 + 1 + 11 + 2;

char *putInventoryLine(char *at, int slot, std::int32_t amount, bool crlf)
{
    const std::string_view item = itemCatalogue[std::size_t(slot)].internalName;
    at = std::copy_n("inventory ", 10, at);
    at = std::copy_n(item.data(), item.size(), at);
    *at++ = ' ';
    return putLineEnd(std::to_chars(at, at + 11, amount).ptr, crlf);
}

bool isLineEnd(std::string_view lineEnd)
{
    return lineEnd == "\n" || lineEnd == "\r\n";
}

// A class's lines gathered in a small buffer and put in a few at a time: one
// append a line made half of the writer's time.
class BlockWriter
{
public:
    BlockWriter(std::string &out, std::string_view lineEnd) : out(out), lineEnd(lineEnd), crlf(lineEnd == "\r\n") {}
    ~BlockWriter() { flush(); }

    void block(const ClassRecord &record);

private:
    char *room(std::size_t length)
    {
        if (pendingSize + length > pending.size())
            flush();
        return pending.data() + pendingSize;
    }
    void done(char *end) { pendingSize = std::size_t(end - pending.data()); }
    void flush()
    {
        out.append(pending.data(), pendingSize);
        pendingSize = 0;
    }
    void line(std::string_view text = {})
    {
        char *at = room(text.size() + 2);
        done(putLineEnd(std::copy(text.begin(), text.end(), at), crlf));
    }

    std::string &out;
    std::string_view lineEnd;
    bool crlf;
    std::array<char, 8 * longestNumberLine> pending;
    std::size_t pendingSize = 0;
};

void BlockWriter::block(const ClassRecord &record)
{
    line();
    flush();
    appendNameComment(out, record);
    out.append(lineEnd);
    line("{");
    for (const ClassField &field : classFields()) {
        if (isNumberField(field)) {
            done(putNumberLine(room(longestNumberLine), field, record, crlf));
        } else {
            flush();
            appendFieldLine(out, field, record, lineEnd);
        }
        if (field.blankLineAfter)
            line();
    }
    for (int slot = 0; slot < inventorySlotCount; ++slot) {
        if (const std::int32_t amount = record.inventory[std::size_t(slot)])
            done(putInventoryLine(room(longestInventoryLine), slot, amount, crlf));
    }
    line("}");
    line();
}

} // namespace

bool appendFieldLine(std::string &out, const ClassField &field, const ClassRecord &record, std::string_view lineEnd)
{
    if (isNumberField(field) && (lineEnd.empty() || isLineEnd(lineEnd))) {
        char line[longestNumberLine];
        char *end = putNumberLine(line, field, record, lineEnd == "\r\n");
        out.append(line, std::size_t(end - line) - (lineEnd.empty() ? 1 : 0));
        return true;
    }
    const std::size_t lineStart = out.size();
    out.append(field.key);
    out.push_back(' ');
    if (!appendWrittenValue(out, field, record)) {
        out.resize(lineStart);
        return false;
    }
    out.append(lineEnd);
    return true;
}

void appendInventoryLine(std::string &out, int slot, std::int32_t amount)
{
    char line[longestInventoryLine];
    out.append(line, std::size_t(putInventoryLine(line, slot, amount, false) - line) - 1);
}

void appendNameComment(std::string &out, const ClassRecord &record)
{
    out.append("// ");
    appendLineText(out, record.classname.view());
}

void appendClassBlock(std::string &out, const ClassRecord &record, std::string_view lineEnd)
{
    BlockWriter(out, lineEnd).block(record);
}

std::string classFileBytes(const ClassTable &table, std::string_view lineEnd)
{
    // A count outside 0 to 64 never reaches past the table.
    const std::size_t count = std::size_t(std::clamp(table.classCount, 0, tableSlotCount));
    return classFileBytes(std::span(table.records.data(), count), lineEnd);
}

std::string classFileBytes(std::span<const ClassRecord> records, std::string_view lineEnd)
{
    std::string out;
    out.reserve(1024 + records.size() * 1024);
    for (std::string_view line : headerLines)
        out.append(line).append(lineEnd);
    for (const ClassRecord &record : records)
        BlockWriter(out, lineEnd).block(record);
    return out;
}
std::string_view lineEndToKeep(std::string_view oldBytes)
{
    const std::size_t lf = oldBytes.find('\n');
    if (lf == std::string_view::npos)
        return platformLineEnd;
    return lf > 0 && oldBytes[lf - 1] == '\r' ? "\r\n" : "\n";
}

std::string normalizedClassFile(std::string_view bytes)
{
    auto table = std::make_unique<ClassTable>();
    readClassBytes(*table, bytes);
    return classFileBytes(*table, lineEndToKeep(bytes));
}

} // namespace tolvane
