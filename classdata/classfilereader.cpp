#include "classfilereader.h"

#include "asciitext.h"
#include "classfields.h"
#include "itemcatalogue.h"
#include "settings.h"
#include "textnumbers.h"

#include <algorithm>
#include <cstring>
#include <iterator>

namespace {

constexpr std::string_view inventoryKey = "inventory";

// Splits bytes into lines at LF. A CR right before the LF, or at the very end
// of the bytes, belongs to the line end, and a line's content ends at its
// first NUL byte, as the game's C reader sees it. Lines are taken whole,
// whatever their length; their length with the line end is kept for findings.
class LineReader
{
public:
    explicit LineReader(std::string_view bytes)
        : rest(bytes), mayHoldNul(!bytes.empty() && std::memchr(bytes.data(), 0, bytes.size()))
    {
    }

    // The next line's content; false at the end of the bytes.
    bool next(std::string_view &line)
    {
        if (rest.empty())
            return false;
        const auto *lf = static_cast<const char *>(std::memchr(rest.data(), '\n', rest.size()));
        const std::size_t length = lf ? std::size_t(lf - rest.data()) : rest.size();
        line = rest.substr(0, length);
        rest.remove_prefix(lf ? length + 1 : length);
        fullLength = lf ? length + 1 : length;
        if (line.ends_with('\r'))
            line.remove_suffix(1);
        const std::size_t nul = mayHoldNul ? line.find('\0') : std::string_view::npos;
        cut = nul != std::string_view::npos;
        line = line.substr(0, nul);
        ++count;
        return true;
    }

    // The number of the line next() gave last, counted from 1.
    int number() const { return count; }
    // Whether that line was cut at a NUL byte.
    bool wasCut() const { return cut; }
    // The bytes of that line with its line end.
    std::size_t bytesWithLineEnd() const { return fullLength; }
    // Whether a line after that one begins with c.
    bool anyLineAheadBeginsWith(char c) const
    {
        const char ahead[] = {'\n', c};
        return rest.starts_with(c) || rest.find(std::string_view(ahead, 2)) != std::string_view::npos;
    }

private:
    std::string_view rest;
    bool mayHoldNul;
    bool cut = false;
    std::size_t fullLength = 0;
    int count = 0;
};

// The pieces other readers of the format take lines in, line end included.
constexpr std::size_t linePiece = 511;

// One read of a class file into the table: a loop over the lines outside
// blocks, and one over the key lines of each block.
class ClassFileParser
{
public:
    ClassFileParser(ClassTable &table, std::string_view bytes, ReadObserver *observer)
        : table(table), lines(bytes), observer(observer)
    {
    }

    void run();

private:
    bool nextLine(std::string_view &line);    void readBlock(std::string_view line, ClassRecord &record);
    void skipLineAfterBlock();
    void reportBlockBeyondLimit(std::string_view line);
    void readKeyLine(std::string_view line, ClassRecord &record);
    void store(const ClassField &field, std::string_view value, ClassRecord &record);
    void storeText(const ClassField &field, std::string_view text, ClassRecord &record);
    void storeInventory(std::string_view key, std::string_view value, ClassRecord &record);
    float readFloat(const ClassField &field, std::string_view text);
    std::int32_t readInt(const ClassField &field, std::string_view text);
    std::int32_t readAbilities(std::string_view text);
    float readResistance(std::string_view word);
    template <typename Number>
    Number readNumber(Number (*parse)(std::string_view, std::size_t *), std::string_view key,
                      std::string_view text, bool isFloat);
    double withinRange(std::string_view key, double value, double low, double high, double fallback,
                       bool isFloat, double written);
    double writtenInteger(std::string_view text) const;
    void noteRepeat(int &lastLine, std::string_view key);
    void report(ReadFinding finding);

    ClassTable &table;
    LineReader lines;
    ReadObserver *observer;
    // Only while observing: the line that set each key and item of the block.
    std::array<int, maxClassFields> keyLines{};
    std::array<int, inventorySlotCount> itemLines{};
    bool insideBlock = false;
};

// Reads blocks into slots 0 to 63; lines outside blocks open one or are passed over.
void ClassFileParser::run()
{
    table.classCount = 0;
    std::string_view line;
    while (nextLine(line)) {
        if (table.classCount >= tableSlotCount) {
            reportBlockBeyondLimit(line);
            break;
        }
        if (line.starts_with('{')) {
            readBlock(line, table.records[table.classCount]);
            ++table.classCount;
        }
    }
    if (table.classCount == 0) {
        ApplyEmptyTableDefault(table.records[0]);
        table.classCount = 1;
        report({.kind = ReadFindingKind::NoClass, .line = 1, .block = 0});
    }
}

// The lines after a "{" line up to a "}" line or the end of the file.
void ClassFileParser::readBlock(std::string_view line, ClassRecord &record)
{
    const int openLine = lines.number();
    insideBlock = true;
    if (std::string_view rest = line.substr(1); rest.find_first_not_of(" \t") != std::string_view::npos)
        report({.kind = ReadFindingKind::TextAfterBrace, .text = rest});
    ApplyBlockStartDefaults(record);
    if (observer) {
        keyLines.fill(0);
        itemLines.fill(0);
        if (!lines.anyLineAheadBeginsWith('}'))
            report({.kind = ReadFindingKind::UnclosedBlock});
    }
    while (nextLine(line)) {
        if (line.starts_with('}')) {
            insideBlock = false;
            skipLineAfterBlock();
            return;
        }
        if (line.starts_with('{'))
            report({.kind = ReadFindingKind::BlockInsideBlock, .earlierLine = openLine});
        else if (!line.starts_with("//"))
            readKeyLine(line, record);
    }
}

// The next line; the observer hears when it is longer than other readers take
// in one piece.
bool ClassFileParser::nextLine(std::string_view &line)
{
    if (!lines.next(line))
        return false;
    if (const std::size_t bytes = lines.bytesWithLineEnd(); observer && bytes > linePiece)
        report({.kind = ReadFindingKind::LongLine, .value = double(bytes),
                .stored = double((bytes + linePiece - 1) / linePiece)});
    return true;
}

// The line after a block's "}" is passed over unread, as the game does, so a
// "{" standing there opens nothing.
void ClassFileParser::skipLineAfterBlock()
{
    std::string_view line;
    if (nextLine(line) && line.starts_with('{'))
        report({.kind = ReadFindingKind::UnopenedBlock});
}

// The read stops after 64 classes; the observer hears of the first block left.
void ClassFileParser::reportBlockBeyondLimit(std::string_view line)
{
    if (!observer)
        return;
    do {
        if (line.starts_with('{')) {
            report({.kind = ReadFindingKind::BlockBeyondLimit});
            return;
        }
    } while (lines.next(line));
}

// A line inside a block: a key and, after the first space, its value.
void ClassFileParser::readKeyLine(std::string_view line, ClassRecord &record)
{
    if (lines.wasCut())
        report({.kind = ReadFindingKind::CutAtNul, .text = line});
    const std::size_t space = line.find(' ');
    if (space == std::string_view::npos) {
        if (!line.empty())
            report({.kind = ReadFindingKind::LineWithoutSpace, .text = line});
        return;
    }
    const std::string_view key = line.substr(0, space);
    const std::string_view value = line.substr(space + 1);
    if (const ClassField *field = FieldOfKey(key)) {
        noteRepeat(keyLines[std::size_t(field - classFields().data())], field->key);
        store(*field, value, record);
    } else if (equalsIgnoreCase(key, inventoryKey)) {
        storeInventory(key, value, record);
    } else {
        report({.kind = ReadFindingKind::UnknownKey, .key = key});
    }
}

// Stores value into field, as the game reads it.
void ClassFileParser::store(const ClassField &field, std::string_view value, ClassRecord &record)
{
    switch (field.kind) {
    case FieldKind::Text:
        return storeText(field, value, record);
    case FieldKind::Abilities:
        record.*field.intMember = readAbilities(value);
        return;
    case FieldKind::Float:
        record.*field.floatMember = readFloat(field, value);
        return;
    case FieldKind::Resistance:
        record.*field.floatMember = readResistance(value);
        return;
    case FieldKind::Int:
        record.*field.intMember = readInt(field, value);
        return;
    }
}

// Copies text into the field, cut to the field's capacity.
void ClassFileParser::storeText(const ClassField &field, std::string_view text, ClassRecord &record)
{
    field.text.set(record, text);
    if (text.find('\r') != std::string_view::npos)
        report({.kind = ReadFindingKind::CarriageReturn, .key = field.key, .text = text});
    if (text.size() > field.text.capacity)
        report({.kind = ReadFindingKind::TextCut, .key = field.key, .text = text, .kept = field.text.get(record)});
}

// "NAME AMOUNT": the amount goes to the catalogue slot of NAME. Findings name
// the key and the item as the line has them.
void ClassFileParser::storeInventory(std::string_view key, std::string_view value, ClassRecord &record)
{
    const std::size_t space = value.find(' ');
    const std::string_view name = value.substr(0, space);
    if (space == std::string_view::npos) {
        report({.kind = ReadFindingKind::MissingAmount, .text = name});
        return;
    }
    const std::optional<int> slot = SlotForInternalName(name);
    if (!slot) {
        report({.kind = ReadFindingKind::UnknownItem, .text = name});
        return;
    }
    const std::string_view item(key.data(), std::size_t(name.data() + name.size() - key.data()));
    noteRepeat(itemLines[std::size_t(*slot)], item);
    const std::string_view amount = value.substr(space + 1);
    const std::int32_t stored = readNumber(parseInt, item, amount, false);
    if (const double written = writtenInteger(amount); written != stored)
        report({.kind = ReadFindingKind::BeyondIntRange, .key = item, .value = written, .stored = double(stored)});
    record.inventory[std::size_t(*slot)] = stored;
}

// A float; outside a ranged field's range, NaN and infinities included, the
// fallback. The range is checked before the value is narrowed to a float.
float ClassFileParser::readFloat(const ClassField &field, std::string_view text)
{
    const double value = readNumber(parseDouble, field.key, text, true);
    if (!field.range)
        return toFloat32(value);
    const KeyRange &range = *field.range;
    return toFloat32(withinRange(field.key, value, range.low, range.high, range.fallback, true, value));
}

// An int; outside a ranged field's range, the fallback.
std::int32_t ClassFileParser::readInt(const ClassField &field, std::string_view text)
{
    const std::int32_t value = readNumber(parseInt, field.key, text, false);
    if (!field.range)
        return value;
    const KeyRange &range = *field.range;
    return std::int32_t(
        withinRange(field.key, value, range.low, range.high, range.fallback, false, writtenInteger(text)));
}

// A float, truncated toward zero to the 32-bit bit set.
std::int32_t ClassFileParser::readAbilities(std::string_view text)
{
    const double value = readNumber(parseDouble, "classabilities", text, false);
    const std::int32_t abilities = truncateToInt32(value);
    if (double(abilities) != value)
        report({.kind = ReadFindingKind::NotWholeNumber, .key = "classabilities", .value = value,
                .stored = double(abilities)});
    return abilities;
}

// "none", "fire" or "explosive", the whole value without regard to case;
// anything else is none.
float ClassFileParser::readResistance(std::string_view word)
{
    if (const std::optional<float> resistance = ResistanceOfWord(word))
        return *resistance;
    report({.kind = ReadFindingKind::UnknownResistance, .text = word});
    return 0.0f;
}

// The number at the start of text; the observer hears when text holds no
// number, or more than blanks after it.
template <typename Number>
Number ClassFileParser::readNumber(Number (*parse)(std::string_view, std::size_t *), std::string_view key,
                                   std::string_view text, bool isFloat)
{
    std::size_t used = 0;
    const Number value = parse(text, observer ? &used : nullptr);
    if (!observer)
        return value;
    if (used == 0)
        report({.kind = ReadFindingKind::NotANumber, .key = key, .text = text, .isFloat = isFloat});
    else if (text.find_first_not_of(" \t", used) != std::string_view::npos)
        report({.kind = ReadFindingKind::TextAfterNumber, .key = key, .text = text, .value = double(value),
                .isFloat = isFloat});
    return value;
}

// value when it lies within low to high, else fallback. NaN lies nowhere.
// The observer hears the number as written, which for an integer beyond 32
// bits is not the value it saturated to.
double ClassFileParser::withinRange(std::string_view key, double value, double low, double high, double fallback,
                                    bool isFloat, double written)
{
    if (value >= low && value <= high)
        return value;
    report({.kind = ReadFindingKind::OutOfRange, .key = key, .value = written, .stored = fallback, .low = low,
            .high = high, .isFloat = isFloat});
    return fallback;
}

// The integer at the start of text as written, beyond 32 bits too; only
// while observing, as only findings need it.
double ClassFileParser::writtenInteger(std::string_view text) const
{
    if (!observer)
        return 0;
    std::size_t used = 0;
    parseInt(text, &used);
    return parseDouble(text.substr(0, used));
}

// Remembers the line that sets key; the observer hears when it replaces the
// value of an earlier line of the same block.
void ClassFileParser::noteRepeat(int &lastLine, std::string_view key)
{
    if (!observer)
        return;
    if (lastLine != 0)
        report({.kind = ReadFindingKind::RepeatedKey, .key = key, .earlierLine = lastLine});
    lastLine = lines.number();
}

// Passes finding to the observer, on the current line unless it names one.
void ClassFileParser::report(ReadFinding finding)
{
    if (!observer)
        return;
    if (finding.line == 0)
        finding.line = lines.number();
    if (insideBlock)
        finding.block = table.classCount;
    observer->found(finding);
}

// Whether a block, as the reader reads blocks, holds a line of a key the
// class file knows that begins before the first NUL byte of bytes.
bool knownKeyBeforeNul(std::string_view bytes)
{
    const void *nul = std::memchr(bytes.data(), 0, bytes.size());
    const char *end = nul ? static_cast<const char *>(nul) : bytes.data() + bytes.size();
    LineReader lines(bytes);
    bool insideBlock = false;
    std::string_view line;
    while (lines.next(line) && line.data() < end) {
        if (!insideBlock) {
            insideBlock = line.starts_with('{');
        } else if (line.starts_with('}')) {
            insideBlock = false;
            lines.next(line); // passed over, as the reader does
        } else if (const std::size_t space = line.find(' '); space != std::string_view::npos) {
            const std::string_view key = line.substr(0, space);
            if (FieldOfKey(key) || equalsIgnoreCase(key, inventoryKey))
                return true;
        }
    }
    return false;
}

} // namespace

std::string_view ClassFileName(std::int32_t sealsActive)
{
    return sealsActive != 0 ? "tvclass_seals.cfg" : "tvclass_tangos.cfg";
}

ClassFileKind classFileKind(const std::filesystem::path &name, std::string_view bytes)
{
    // Compared in the native characters: a name need not be valid UTF-8.
    const std::filesystem::path::string_type fileName = name.filename().native();
    if (std::equal(fileName.begin(), fileName.end(), settingsFileName.begin(), settingsFileName.end(),
                   [](auto c, char s) { return c >= 0 && c < 0x80 && foldCase(char(c)) == foldCase(s); }))
        return ClassFileKind::SettingsFile;
    if (!bytes.starts_with('{') && bytes.find("\n{") == std::string_view::npos)
        return ClassFileKind::NoClassBlock;
    return knownKeyBeforeNul(bytes) ? ClassFileKind::ClassFile : ClassFileKind::NoKnownKey;
}

std::string_view whyNotAClassFile(ClassFileKind kind)
{
    switch (kind) {
    case ClassFileKind::SettingsFile:
        return "is the editor's settings file, not a class file";
    case ClassFileKind::NoClassBlock:
        return "holds no class block, so it is not a class file";
    case ClassFileKind::NoKnownKey:
        return "holds no key of a class file in its blocks (or binary data before one), so it is not a class file";
    case ClassFileKind::ClassFile:
        break;
    }
    return "is a class file";
}

ReadFindingKind findingOf(ClassFileKind kind)
{
    switch (kind) {
    case ClassFileKind::SettingsFile:
        return ReadFindingKind::SettingsFile;
    case ClassFileKind::NoKnownKey:
        return ReadFindingKind::NoKnownKey;
    default:
        return ReadFindingKind::NoClass;
    }
}

void ReadClassBytes(ClassTable &table, std::string_view bytes, ReadObserver *observer)
{
    ClassFileParser(table, bytes, observer).run();
}

FileBytes ReadClassFile(ClassTable &table, const std::filesystem::path &folder, std::int32_t sealsActive,
                        ReadObserver *observer)
{
    FileBytes file = readWholeFile(folder / ClassFileName(sealsActive));
    if (file.status != FileStatus::Unreadable)
        ReadClassBytes(table, file.bytes, observer);
    return file;
}
