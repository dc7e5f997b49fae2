#pragma once

#include "classdata/text/asciitext.h"
#include "classfields.h"
#include "classrecord.h"
#include "itemcatalogue.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string_view>

namespace tolvane {

// How the game takes a class file apart, for the reader and for the writer
// that updates a file alike: its lines, where each line stands, and what a
// line inside a block sets.

// One line. Lines end at LF; a CR right before the LF belongs to the line
// end, any other CR to the line, one at the very end of the file too. The
// game reads a line only up to its first NUL byte.
struct FileLine
{
    std::size_t begin = 0;      // where the line begins in the bytes
    std::size_t contentEnd = 0; // where its line end begins
    std::size_t end = 0;        // after its line end
    std::string_view read;      // what the game reads of it
    bool cutAtNul = false;
    int number = 0; // counted from 1
};

// Where a line stands in the file.
enum class LineRole : std::uint8_t {
    Outside,    // between blocks: passed over unless it opens one
    Open,       // a "{" line that opens a block
    Inside,     // a line of a block: a key line, a comment, or a "{" that opens nothing
    Close,      // the "}" line that closes a block
    AfterClose, // the line after a "}" line, passed over unread, so a "{" there opens nothing
    Unread,     // after the 64th block: nothing more is read
};

// The lines of a class file one by one, with their roles.
class ClassFileScanner
{
public:
    explicit ClassFileScanner(std::string_view bytes);

    // Moves to the next line; false at the end of the bytes. (Inline: the
    // reader spends much of its time here.)
    bool next()
    {
        if (at >= bytes.size())
            return false;
        const char *data = bytes.data();
        const auto *lf = static_cast<const char *>(std::memchr(data + at, '\n', bytes.size() - at));
        std::size_t contentEnd = lf ? std::size_t(lf - data) : bytes.size();
        const std::size_t end = lf ? contentEnd + 1 : contentEnd;
        if (lf && contentEnd > at && data[contentEnd - 1] == '\r')
            --contentEnd;
        std::size_t readEnd = contentEnd;
        current.cutAtNul = false;
        if (mayHoldNul) {
            if (const void *nul = std::memchr(data + at, 0, contentEnd - at)) {
                readEnd = std::size_t(static_cast<const char *>(nul) - data);
                current.cutAtNul = true;
            }
        }
        current.begin = at;
        current.contentEnd = contentEnd;
        current.end = end;
        current.read = std::string_view(data + at, readEnd - at);
        ++current.number;
        at = end;
        findRole(readEnd > current.begin ? data[current.begin] : '\0');
        return true;
    }
    const FileLine &line() const { return current; }
    LineRole role() const { return currentRole; }
    // The blocks opened so far; the line's block, counted from 0, is the
    // last of them for every role but Outside and Unread.
    int blockCount() const { return blocks; }
    // Whether a line after this one begins with c.
    bool anyLineAheadBeginsWith(char c) const;

private:
    void findRole(char first)
    {
        if (state == LineRole::Inside) {
            currentRole = first == '}' ? LineRole::Close : LineRole::Inside;
            if (first == '}')
                state = LineRole::AfterClose;
        } else if (state == LineRole::AfterClose) {
            currentRole = LineRole::AfterClose;
            state = LineRole::Outside;
        } else if (state == LineRole::Unread || blocks >= tableSlotCount) {
            state = currentRole = LineRole::Unread;
        } else if (first == '{') {
            ++blocks;
            currentRole = LineRole::Open;
            state = LineRole::Inside;
        } else {
            currentRole = LineRole::Outside;
        }
    }

    std::string_view bytes;
    bool mayHoldNul;
    std::size_t at = 0;
    FileLine current;
    LineRole currentRole = LineRole::Outside;
    // Where the next line stands: Outside, Inside, AfterClose or Unread.
    LineRole state = LineRole::Outside;
    int blocks = 0;
};

// What a line inside a block sets: a key before the line's first space and
// a value after it.
enum class KeyLineKind : std::uint8_t {
    Comment,       // begins with "//"
    Brace,         // begins with "{", which opens no block inside one
    NoSpace,       // sets no key
    Field,         // a key of the class field table
    Item,          // "inventory NAME AMOUNT" of a catalogue item
    UnknownKey,    // a key the game does not know
    UnknownItem,   // "inventory NAME AMOUNT" of a name the catalogue does not have
    MissingAmount, // "inventory NAME" without a space after the name
};

struct KeyLine
{
    KeyLineKind kind = KeyLineKind::NoSpace;
    std::string_view key;   // as the line spells it
    std::string_view value; // everything after the first space
    const ClassField *field = nullptr;
    // An inventory line: the item name, its catalogue slot and the amount's text.
    std::string_view item;
    int slot = -1;
    std::string_view amount;

    // Which value the line sets, in the writer's order: a field's place in
    // the field table, or the number of fields and the item's slot; nullopt
    // for a line that sets none.
    std::optional<std::size_t> setting() const;
};

// (Inline, as next() is.)
inline KeyLine readKeyLine(std::string_view line)
{
    KeyLine read;
    if (line.starts_with("//")) {
        read.kind = KeyLineKind::Comment;
        return read;
    }
    if (line.starts_with('{')) {
        read.kind = KeyLineKind::Brace;
        return read;
    }
    const std::size_t space = line.find(' ');
    if (space == std::string_view::npos)
        return read;
    read.key = line.substr(0, space);
    read.value = line.substr(space + 1);
    if ((read.field = fieldOfKey(read.key))) {
        read.kind = KeyLineKind::Field;
        return read;
    }
    if (!equalsIgnoreCase(read.key, "inventory")) {
        read.kind = KeyLineKind::UnknownKey;
        return read;
    }
    const std::size_t nameEnd = read.value.find(' ');
    read.item = read.value.substr(0, nameEnd);
    if (nameEnd == std::string_view::npos) {
        read.kind = KeyLineKind::MissingAmount;
        return read;
    }
    read.amount = read.value.substr(nameEnd + 1);
    const std::optional<int> slot = slotForInternalName(read.item);
    read.kind = slot ? KeyLineKind::Item : KeyLineKind::UnknownItem;
    read.slot = slot.value_or(-1);
    return read;
}

} // namespace tolvane
