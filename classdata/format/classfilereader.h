#pragma once

#include "classrecord.h"
#include "classdata/files/fileio.h"

#include <filesystem>
#include <optional>
#include <string_view>

namespace tolvane {

// "tvclass_seals.cfg" when sealsActive is nonzero, else "tvclass_tangos.cfg".
std::string_view classFileName(std::int32_t sealsActive);

// What the reader changed or left out while reading a class file. The game
// reads the file the same way, so each of these is a likely mistake.
enum class ReadFindingKind {
    OutOfRange,        // key, value, stored, low, high, isFloat
    NotANumber,        // key, text, stored, isFloat
    TextAfterNumber,   // key, text, value, isFloat
    NotWholeNumber,    // classabilities: key, value, stored
    BeyondIntRange,    // an inventory amount beyond 32 bits: key, value, stored
    UnknownKey,        // key (empty when the line begins with a space)
    LineWithoutSpace,  // text
    UnknownResistance, // text
    UnknownItem,       // text: the item name
    MissingAmount,     // text: the item name
    RepeatedKey,       // key, earlierLine
    TextCut,           // key, text, kept
    CarriageReturn,    // a text value holding a CR: key, text
    CutAtNul,          // a key line cut at a NUL byte: text, what is left
    TextAfterBrace,    // text after the "{" that opens a block: text
    BlockInsideBlock,  // a "{" line inside a block: earlierLine, the block's "{" line
    BlockBeyondLimit,  // a block after the 64th: it and the rest are not read
    UnopenedBlock,     // a "{" line right after a "}" line
    UnclosedBlock,     // line: the block's "{" line
    NoClass,           // the file holds no block; the default class is used
    SettingsFile,      // named tvcc.cfg: the editor's settings file, not read as a class file
    NoKnownKey,        // no block holds a key of a class file before a NUL byte: not read as a class file
    LongLine,          // a line over 511 bytes: value, its bytes with the line end; stored, the 511-byte pieces
    // Not the reader's: the checks of the classes read (classchecks.h).
    HealthAboveMaximum, // key health, value, high: max_health
    RepeatedName,       // text: the name; earlierLine, stored: the line and the index of the class that has it first
    // A rule of the folder's rules file that classes break: text, the whole message.
    RangeRule,
    RelationRule,
    MeanRule,
    ClassCountRule,
    EachTeamRule,
    Count, // not a kind: how many there are; a new kind goes before it
};

struct ReadFinding
{
    ReadFindingKind kind{};
    int line = 0; // counted from 1
    // The key in lower case; for an inventory amount, "inventory NAME" as the
    // line has it.
    std::string_view key{};
    std::string_view text{};
    std::string_view kept{};
    double value = 0;  // the number read from the file
    double stored = 0; // the number the field got instead
    double low = 0;
    double high = 0;
    bool isFloat = false;
    int earlierLine = 0;
    // The class block the finding lies in, counted from 0 as the table's
    // slots are; -1 for a finding outside every block that is read.
    int block = -1;
};

// Hears every finding of a read, in line order (findings of one line in the
// order the line is read). The reader runs without one unless asked.
class ReadObserver
{
public:
    virtual void found(const ReadFinding &finding) = 0;

protected:
    ~ReadObserver() = default;
};

// Refills the table from slot 0 with the classes in bytes and sets
// classCount (1 to 64: no class at all gives the default class). Lenient: it
// never rejects input. observer, when given, hears what was changed or ignored.
void readClassBytes(ClassTable &table, std::string_view bytes, ReadObserver *observer = nullptr);

// Reads line as a line inside a class block into record, as readClassBytes
// reads it there; observer, when given, hears its findings.
void readBlockLine(ClassRecord &record, std::string_view line, ReadObserver *observer = nullptr);

// Whether a file may be read and rewritten as a class file. Not when it is
// the editor's settings file (named tvcc.cfg, in any case), when no line
// opens a class block (normalizing it would turn it into a file of the
// default class), or when no block holds a line of a key the class file
// knows before the file's first NUL byte: another program's file that has
// "{" lines (JSON) or binary data.
enum class ClassFileKind { ClassFile, SettingsFile, NoClassBlock, NoKnownKey };
ClassFileKind classFileKind(const std::filesystem::path &name, std::string_view bytes);
inline bool looksLikeClassFile(const std::filesystem::path &name, std::string_view bytes)
{
    return classFileKind(name, bytes) == ClassFileKind::ClassFile;
}
// Why a file of that kind is refused, for a message after its name:
// "holds no class block, so it is not a class file".
std::string_view whyNotAClassFile(ClassFileKind kind);
// The finding that check reports for a file of that kind.
ReadFindingKind findingOf(ClassFileKind kind);

// Reads the active team's class file in folder into the table. A missing file
// reads as an empty one; an unreadable file (anything but a regular file
// included) leaves the table as it was and reports Unreadable with the reason.
// The table is filled even when the file holds no class block: observer, when
// given, hears NoClass then, and every other finding of the read.
FileBytes readClassFile(ClassTable &table, const std::filesystem::path &folder, std::int32_t sealsActive,
                        ReadObserver *observer = nullptr);

} // namespace tolvane
