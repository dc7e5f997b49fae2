#include "classfileupdate.h"

#include "classfields.h"
#include "classfilereader.h"
#include "classfilescanner.h"
#include "classfilewriter.h"
#include "classdata/text/textnumbers.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <memory>
#include <vector>

namespace tolvane {

namespace {

constexpr std::size_t none = std::size_t(-1);

// The keys of a block in the fixed layout's order: the fields, then the
// inventory slots.
constexpr std::size_t fieldCount = std::size(classFieldTable);
constexpr std::size_t keyCount = fieldCount + inventorySlotCount;

// The lines of a block's part: lead-in, "{", body, "}" and the line after it.
struct Block
{
    std::size_t leadIn = 0;
    std::size_t open = 0;
    std::size_t close = 0; // the "}" line; the end of the file when unclosed
    std::size_t end = 0;
    bool closed = false;
};

// The old file's lines and blocks as the reader's scanner finds them.
class OldFile
{
public:
    explicit OldFile(std::string_view bytes);

    // A line's bytes before its line end, and what the reader reads of them.
    std::string_view content(std::size_t i) const { return part(lines[i].begin, lines[i].contentEnd); }
    std::string_view readContent(std::size_t i) const { return lines[i].read; }
    std::string_view lineEnd(std::size_t i) const { return part(lines[i].contentEnd, lines[i].end); }
    // The bytes of lines from to to, line ends included.
    std::string_view span(std::size_t from, std::size_t to) const
    {
        const std::size_t begin = from < lines.size() ? lines[from].begin : bytes.size();
        const std::size_t end = to < lines.size() ? lines[to].begin : bytes.size();
        return from < to ? part(begin, end) : std::string_view();
    }
    std::size_t lineCount() const { return lines.size(); }
    const std::vector<Block> &blockList() const { return blocks; }
    std::size_t headerEnd() const { return blocks.empty() ? lines.size() : blocks.front().leadIn; }
    std::size_t trailerBegin() const { return blocks.empty() ? lines.size() : blocks.back().end; }

private:
    void findLeadIns();
    // The bytes from begin to end, which lie within them: a substr without its check.
    std::string_view part(std::size_t begin, std::size_t end) const { return {bytes.data() + begin, end - begin}; }

    std::string_view bytes;
    std::vector<FileLine> lines;
    std::vector<Block> blocks;
};

OldFile::OldFile(std::string_view bytes) : bytes(bytes)
{
    lines.reserve(bytes.size() / 16);
    ClassFileScanner scanner(bytes);
    while (scanner.next()) {
        const std::size_t i = lines.size();
        lines.push_back(scanner.line());
        switch (scanner.role()) {
        case LineRole::Open:
            blocks.push_back({.open = i});
            break;
        case LineRole::Close:
            blocks.back().close = i;
            blocks.back().closed = true;
            break;
        case LineRole::Outside:
        case LineRole::Inside:
        case LineRole::AfterClose:
        case LineRole::Unread:
            break;
        }
    }
    for (Block &block : blocks) {
        if (!block.closed)
            block.close = lines.size();
        block.end = block.closed ? std::min(block.close + 2, lines.size()) : block.close;
    }
    findLeadIns();
}

// The first block's part begins at the last blank line before its "{";
// without one, at the line right before it, its name comment. Every other
// block's part begins where the previous one's ends.
void OldFile::findLeadIns()
{
    if (blocks.empty())
        return;
    for (std::size_t b = 1; b < blocks.size(); ++b)
        blocks[b].leadIn = blocks[b - 1].end;
    Block &first = blocks.front();
    first.leadIn = first.open > 0 ? first.open - 1 : 0;
    for (std::size_t i = first.open; i-- > 0;) {
        if (content(i).empty()) {
            first.leadIn = i;
            break;
        }
    }
}

// The output, line by line. A line that the old file left without a line end
// gets one when another line follows it.
class Output
{
public:
    Output(std::string_view lineEnd, std::size_t expectedSize) : newLineEnd(lineEnd) { out.reserve(expectedSize); }

    // Whole lines of the old file, as they are.
    void lines(std::string_view bytes)
    {
        if (bytes.empty())
            return;
        endOpenLine();
        out.append(bytes);
        open = !bytes.ends_with('\n');
    }
    // A line of the file's own, with end as its line end.
    void line(std::string_view text, std::string_view end)
    {
        endOpenLine();
        out.append(text);
        out.append(end);
        open = !end.ends_with('\n');
    }
    // A line the file did not have, with the file's line end.
    void newLine(std::string_view text) { line(text, newLineEnd); }
    void newBlock(const ClassRecord &record)
    {
        endOpenLine();
        appendClassBlock(out, record, newLineEnd);
    }

    std::string take() { return std::move(out); }

private:
    // A CR at the end of the line is part of its content: the line end
    // after it is CR LF, which keeps it there.
    void endOpenLine()
    {
        if (open)
            out.append(out.ends_with('\r') ? "\r\n" : newLineEnd);
        open = false;
    }

    std::string out;
    std::string_view newLineEnd;
    bool open = false;
};

// Whether the fixed layout's six decimals give the key's value back as the
// reader reads it; not for a float such as 0.0000001 or 3.1415926.
bool standardKeeps(std::size_t key, const ClassRecord &record)
{
    if (key >= fieldCount || classFieldTable[key].kind != FieldKind::Float)
        return true;
    const float value = record.*classFieldTable[key].floatMember;
    return toFloat32(parseDouble(formatFloat(value))) == value;
}

// The line of the fixed layout for a key (a field, or an inventory slot
// after them); false for a value that has none.
bool standardLine(std::size_t key, const ClassRecord &record, std::string &text)
{
    if (key < fieldCount)
        return appendFieldLine(text, classFieldTable[key], record);
    const std::size_t slot = key - fieldCount;
    if (record.inventory[slot] == 0)
        return false;
    appendInventoryLine(text, int(slot), record.inventory[slot]);
    return true;
}

// What follows the number and a blank on a key line, which the reader passes
// over: a note such as " // was 90", which a rewritten number keeps.
std::string_view textAfterNumber(std::size_t key, std::string_view line)
{
    const KeyLine read = readKeyLine(line);
    const std::string_view value = key < fieldCount ? read.value : read.amount;
    const FieldKind kind = key < fieldCount ? classFieldTable[key].kind : FieldKind::Int;
    std::size_t used = 0;
    if (kind == FieldKind::Int)
        parseInt(value, &used);
    else if (kind == FieldKind::Float || kind == FieldKind::Abilities)
        parseDouble(value, &used);
    // Only after a blank: text glued to the number ("120.0", "1.5x") could
    // read as part of the rewritten one.
    const std::string_view rest = value.substr(used);
    return used > 0 && (rest.starts_with(' ') || rest.starts_with('\t')) ? rest : std::string_view();
}

// Which lines an update rewrites: those whose value changed, or every
// line the reader takes that is not in the fixed layout's format.
enum class Rewrite : bool { Changes, Format };

// The changes to one old block's lines that make it read as a record.
class BlockUpdate
{
public:
    BlockUpdate(const OldFile &file, const Block &block, const ClassRecord &old, const ClassRecord &record,
                Rewrite rewrite);
    void write(Output &out, bool followed) const;

private:
    enum class Action : std::uint8_t { Keep, Replace, Remove };
    struct Insertion
    {
        std::size_t before;
        std::string text;
    };

    void findKeys();
    void plan(const ClassRecord &old, const ClassRecord &record, Rewrite rewrite);
    void writeLeadIn(Output &out) const;
    void writeBody(Output &out) const;

    const OldFile &file;
    const Block &block;
    std::string oldNameComment;
    std::string nameComment;
    // Per body line, from block.open + 1 on: its key, and what becomes of it.
    std::vector<std::size_t> keys;
    std::vector<Action> actions;
    std::vector<std::string> replacements;
    // The line that sets each key: the last one that names it.
    std::array<std::size_t, keyCount> setting;
    std::vector<Insertion> insertions;
};

BlockUpdate::BlockUpdate(const OldFile &file, const Block &block, const ClassRecord &old, const ClassRecord &record,
                         Rewrite rewrite)
    : file(file), block(block)
{
    appendNameComment(oldNameComment, old);
    appendNameComment(nameComment, record);
    findKeys();
    plan(old, record, rewrite);
}

void BlockUpdate::findKeys()
{
    setting.fill(none);
    const std::size_t bodySize = block.close - block.open - 1;
    keys.resize(bodySize);
    actions.assign(bodySize, Action::Keep);
    replacements.resize(bodySize);
    for (std::size_t i = 0; i < bodySize; ++i) {
        keys[i] = readKeyLine(file.readContent(block.open + 1 + i)).setting().value_or(none);
        if (keys[i] != none)
            setting[keys[i]] = i;
    }
}

// Each key whose value differs: its setting line rewritten, a line added
// after the nearest earlier key's that stays, or its lines gone when the
// fixed layout has no line for the value. Rewriting the format, a key's
// line differs when its text does.
void BlockUpdate::plan(const ClassRecord &old, const ClassRecord &record, Rewrite rewrite)
{
    const auto firstKey = std::find_if(keys.begin(), keys.end(), [](std::size_t k) { return k != none; });
    std::size_t cursor = std::size_t(firstKey - keys.begin());
    for (std::size_t key = 0; key < keyCount; ++key) {
        const std::size_t line = setting[key];
        std::string text;
        bool same = false;
        bool hasLine = false;
        if (rewrite == Rewrite::Format) {
            hasLine = standardLine(key, record, text);
            const std::size_t at = block.open + 1 + line;
            if (hasLine && line != none)
                text += textAfterNumber(key, file.readContent(at));
            // A value that the format would change stays as written.
            same = line == none ? !hasLine : (hasLine && file.content(at) == text) || !standardKeeps(key, record);
        } else {
            same = key < fieldCount ? sameStoredValue(classFieldTable[key], old, record)
                                    : old.inventory[key - fieldCount] == record.inventory[key - fieldCount];
            hasLine = !same && standardLine(key, record, text);
        }
        if (!same && !hasLine) {
            for (std::size_t i = 0; i < keys.size(); ++i) {
                if (keys[i] == key)
                    actions[i] = Action::Remove;
            }
            continue;
        }
        if (!same && line != none) {
            actions[line] = Action::Replace;
            replacements[line] = std::move(text);
        } else if (!same) {
            insertions.push_back({cursor, std::move(text)});
        }
        if (line != none)
            cursor = line + 1;
    }
    std::stable_sort(insertions.begin(), insertions.end(),
                     [](const Insertion &a, const Insertion &b) { return a.before < b.before; });
}

void BlockUpdate::write(Output &out, bool followed) const
{
    writeLeadIn(out);
    writeBody(out);
    if (block.closed) {
        out.lines(file.span(block.close, block.end));
        // The reader passes over the line after "}": without one, the next
        // part's first line would be passed over.
        if (followed && block.end == block.close + 1)
            out.newLine("");
    } else if (followed) {
        out.newLine("}");
        out.newLine("");
    }
}

// The lines before "{", the name comment right before it following the name.
void BlockUpdate::writeLeadIn(Output &out) const
{
    const bool renamed = oldNameComment != nameComment && block.open > block.leadIn
                         && file.content(block.open - 1) == oldNameComment;
    if (!renamed) {
        out.lines(file.span(block.leadIn, block.open + 1));
        return;
    }
    out.lines(file.span(block.leadIn, block.open - 1));
    out.line(nameComment, file.lineEnd(block.open - 1));
    out.lines(file.span(block.open, block.open + 1));
}

void BlockUpdate::writeBody(Output &out) const
{
    auto insertion = insertions.begin();
    for (std::size_t i = 0; i <= keys.size(); ++i) {
        for (; insertion != insertions.end() && insertion->before == i; ++insertion)
            out.newLine(insertion->text);
        if (i == keys.size())
            break;
        const std::size_t line = block.open + 1 + i;
        switch (actions[i]) {
        case Action::Keep:
            out.lines(file.span(line, line + 1));
            break;
        case Action::Replace:
            out.line(replacements[i], file.lineEnd(line));
            break;
        case Action::Remove:
            break;
        }
    }
}

} // namespace

std::string updatedClassFile(std::string_view oldBytes, std::span<const ClassRecord> records,
                             std::span<const int> origins)
{
    auto old = std::make_unique<ClassTable>();
    readClassBytes(*old, oldBytes);
    return updatedClassFile(oldBytes, *old, records, origins);
}

namespace {

std::string updated(std::string_view oldBytes, const ClassTable &oldClasses, std::span<const ClassRecord> records,
                    std::span<const int> origins, Rewrite rewrite)
{
    if (oldBytes.empty())
        return classFileBytes(records, lineEndToKeep(oldBytes));
    const OldFile file(oldBytes);
    const std::vector<Block> &blocks = file.blockList();

    Output out(lineEndToKeep(oldBytes), oldBytes.size() + 1024);
    out.lines(file.span(0, file.headerEnd()));
    const std::string_view rest = file.span(file.trailerBegin(), file.lineCount());
    std::vector<bool> used(blocks.size());
    for (std::size_t i = 0; i < records.size(); ++i) {
        const int named = origins.empty() ? int(i) : i < origins.size() ? origins[i] : -1;
        const std::size_t origin = std::size_t(named);
        if (named < 0 || origin >= blocks.size() || used[origin]) {
            out.newBlock(records[i]);
            continue;
        }
        used[origin] = true;
        const bool followed = i + 1 < records.size() || !rest.empty();
        BlockUpdate(file, blocks[origin], oldClasses.records[origin], records[i], rewrite).write(out, followed);
    }
    out.lines(rest);
    return out.take();
}

} // namespace

std::string updatedClassFile(std::string_view oldBytes, const ClassTable &oldClasses,
                             std::span<const ClassRecord> records, std::span<const int> origins)
{
    return updated(oldBytes, oldClasses, records, origins, Rewrite::Changes);
}

std::string normalizedKeepingNotes(std::string_view bytes)
{
    auto table = std::make_unique<ClassTable>();
    readClassBytes(*table, bytes);
    const std::span<const ClassRecord> classes(table->records.data(), std::size_t(table->classCount));
    return updated(bytes, *table, classes, {}, Rewrite::Format);
}

} // namespace tolvane
