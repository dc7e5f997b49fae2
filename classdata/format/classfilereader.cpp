#include "classfilereader.h"

#include "classdata/text/asciitext.h"
#include "classfields.h"
#include "classfilescanner.h"
#include "itemcatalogue.h"
#include "classdata/files/settings.h"
#include "classdata/text/textnumbers.h"

#include <algorithm>
#include <cstring>
#include <iterator>

namespace tolvane {

namespace {

// The pieces other readers of the format take lines in, line end included.
constexpr std::size_t linePiece = 511;

// One read of a class file into the table, line by line as the scanner
// finds them.
class ClassFileParser
{
public:
    ClassFileParser(std::string_view bytes, ReadObserver *observer) : lines(bytes), observer(observer) {}

    // Refills table from slot 0.
    void run(ClassTable &table);
    // The first line alone, as a line of a block into record.
    void runBlockLine(ClassRecord &record);

private:
    void openBlock(std::string_view line, ClassRecord &record);
    void readInside(const FileLine &line, const KeyLine &read, ClassRecord &record);
    void reportLongLine();
    void reportBlockBeyondLimit();
    void store(const ClassField &field, std::string_view value, ClassRecord &record);
    void storeText(const ClassField &field, std::string_view text, ClassRecord &record);
    void storeInventory(const KeyLine &line, ClassRecord &record);
    float readFloat(const ClassField &field, std::string_view text);
    std::int32_t readInt(const ClassField &field, std::string_view text);
    std::int32_t readAbilities(std::string_view text);
    float readResistance(std::string_view word);
    template <typename Number>
    Number readNumber(Number (*parse)(std::string_view, std::size_t *), std::string_view key, std::string_view text,
                      bool isFloat);
    double withinRange(std::string_view key, double value, double low, double high, double fallback, bool isFloat,
                       double written);
    double writtenInteger(std::string_view text) const;
    void noteRepeat(int &lastLine, std::string_view key);
    void report(ReadFinding finding);

    ClassFileScanner lines;
    ReadObserver *observer;
    // Only while observing: the line that set each key and item of the block.
    std::array<int, maxClassFields> keyLines{};
    std::array<int, inventorySlotCount> itemLines{};
    bool insideBlock = false;
    int openLine = 0;
};

// Reads blocks into slots 0 to 63, as the scanner finds them.
void ClassFileParser::run(ClassTable &table)
{
    ClassRecord *record = nullptr;
    while (lines.next()) {
        if (observer)
            reportLongLine();
        switch (lines.role()) {
        case LineRole::Inside:
            if (const KeyLine read = readKeyLine(lines.line().read);
                read.kind == KeyLineKind::Field && !lines.line().cutAtNul) {
                // Most lines: a known key, handled here, for speed.
                noteRepeat(keyLines[std::size_t(read.field - classFieldTable)], read.field->key);
                store(*read.field, read.value, *record);
            } else {
                readInside(lines.line(), read, *record);
            }
            break;
        case LineRole::Open:
            record = &table.records[std::size_t(lines.blockCount() - 1)];
            openBlock(lines.line().read, *record);
            break;
        case LineRole::Close:
            insideBlock = false;
            break;
        case LineRole::AfterClose:
            if (lines.line().read.starts_with('{'))
                report({.kind = ReadFindingKind::UnopenedBlock});
            break;
        case LineRole::Outside:
            break;
        case LineRole::Unread:
            reportBlockBeyondLimit();
            table.classCount = lines.blockCount();
            return;
        }
    }
    table.classCount = lines.blockCount();
    if (table.classCount == 0) {
        applyEmptyTableDefault(table.records[0]);
        table.classCount = 1;
        report({.kind = ReadFindingKind::NoClass, .line = 1, .block = 0});
    }
}

void ClassFileParser::runBlockLine(ClassRecord &record)
{
    if (lines.next())
        readInside(lines.line(), readKeyLine(lines.line().read), record);
}

// A "{" line: the block starts with the defaults; text after the brace is
// ignored.
void ClassFileParser::openBlock(std::string_view line, ClassRecord &record)
{
    openLine = lines.line().number;
    insideBlock = true;
    if (std::string_view rest = line.substr(1); rest.find_first_not_of(" \t") != std::string_view::npos)
        report({.kind = ReadFindingKind::TextAfterBrace, .text = rest});
    applyBlockStartDefaults(record);
    if (observer) {
        keyLines.fill(0);
        itemLines.fill(0);
        if (!lines.anyLineAheadBeginsWith('}'))
            report({.kind = ReadFindingKind::UnclosedBlock});
    }
}

// The observer hears of a line longer than other readers take in one piece.
void ClassFileParser::reportLongLine()
{
    const FileLine &line = lines.line();
    if (const std::size_t bytes = line.end - line.begin; bytes > linePiece)
        report({.kind = ReadFindingKind::LongLine,
                .value = double(bytes),
                .stored = double((bytes + linePiece - 1) / linePiece)});
}

// The read stops after 64 classes; the observer hears of the first block left.
void ClassFileParser::reportBlockBeyondLimit()
{
    if (!observer)
        return;
    do {
        if (lines.line().read.starts_with('{')) {
            report({.kind = ReadFindingKind::BlockBeyondLimit});
            return;
        }
    } while (lines.next());
}

// A line inside a block: a comment, a brace that opens nothing, or a key
// and, after the first space, its value.
void ClassFileParser::readInside(const FileLine &line, const KeyLine &read, ClassRecord &record)
{
    switch (read.kind) {
    case KeyLineKind::Comment:
        return;
    case KeyLineKind::Brace:
        report({.kind = ReadFindingKind::BlockInsideBlock, .earlierLine = openLine});
        return;
    default:
        break;
    }
    if (line.cutAtNul)
        report({.kind = ReadFindingKind::CutAtNul, .text = line.read});
    switch (read.kind) {
    case KeyLineKind::NoSpace:
        if (!line.read.empty())
            report({.kind = ReadFindingKind::LineWithoutSpace, .text = line.read});
        return;
    case KeyLineKind::Field:
        noteRepeat(keyLines[std::size_t(read.field - classFields().data())], read.field->key);
        store(*read.field, read.value, record);
        return;
    case KeyLineKind::Item:
        storeInventory(read, record);
        return;
    case KeyLineKind::UnknownKey:
        report({.kind = ReadFindingKind::UnknownKey, .key = read.key});
        return;
    case KeyLineKind::UnknownItem:
        report({.kind = ReadFindingKind::UnknownItem, .text = read.item});
        return;
    case KeyLineKind::MissingAmount:
        report({.kind = ReadFindingKind::MissingAmount, .text = read.item});
        return;
    case KeyLineKind::Comment:
    case KeyLineKind::Brace:
        return;
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

// "inventory NAME AMOUNT": the amount goes to the catalogue slot of NAME.
// Findings name the key and the item as the line has them.
void ClassFileParser::storeInventory(const KeyLine &line, ClassRecord &record)
{
    const std::string_view item(line.key.data(), std::size_t(line.item.data() + line.item.size() - line.key.data()));
    noteRepeat(itemLines[std::size_t(line.slot)], item);
    const std::int32_t stored = readNumber(parseInt, item, line.amount, false);
    if (const double written = writtenInteger(line.amount); written != stored)
        report({.kind = ReadFindingKind::BeyondIntRange, .key = item, .value = written, .stored = double(stored)});
    record.inventory[std::size_t(line.slot)] = stored;
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
        report({.kind = ReadFindingKind::NotWholeNumber,
                .key = "classabilities",
                .value = value,
                .stored = double(abilities)});
    return abilities;
}

// A resistance word, the whole value without regard to case; anything
// else is none.
float ClassFileParser::readResistance(std::string_view word)
{
    if (const std::optional<float> resistance = resistanceOfWord(word))
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
        report({.kind = ReadFindingKind::TextAfterNumber,
                .key = key,
                .text = text,
                .value = double(value),
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
    report({.kind = ReadFindingKind::OutOfRange,
            .key = key,
            .value = written,
            .stored = fallback,
            .low = low,
            .high = high,
            .isFloat = isFloat});
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
    lastLine = lines.line().number;
}

// Passes finding to the observer, on the current line unless it names one.
void ClassFileParser::report(ReadFinding finding)
{
    if (!observer)
        return;
    if (finding.line == 0)
        finding.line = lines.line().number;
    if (insideBlock)
        finding.block = lines.blockCount() - 1;
    observer->found(finding);
}

// Whether a block, as the reader reads blocks, holds a line of a key the
// class file knows that begins before the first NUL byte of bytes.
bool knownKeyBeforeNul(std::string_view bytes)
{
    const void *nul = std::memchr(bytes.data(), 0, bytes.size());
    const std::size_t end = nul ? std::size_t(static_cast<const char *>(nul) - bytes.data()) : bytes.size();
    ClassFileScanner lines(bytes);
    while (lines.next() && lines.line().begin < end) {
        if (lines.role() != LineRole::Inside)
            continue;
        switch (readKeyLine(lines.line().read).kind) {
        case KeyLineKind::Field:
        case KeyLineKind::Item:
        case KeyLineKind::UnknownItem:
        case KeyLineKind::MissingAmount:
            return true;
        default:
            break;
        }
    }
    return false;
}

} // namespace

std::string_view classFileName(std::int32_t sealsActive)
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

void readClassBytes(ClassTable &table, std::string_view bytes, ReadObserver *observer)
{
    ClassFileParser(bytes, observer).run(table);
}

void readBlockLine(ClassRecord &record, std::string_view line, ReadObserver *observer)
{
    ClassFileParser(line, observer).runBlockLine(record);
}

FileBytes readClassFile(ClassTable &table, const std::filesystem::path &folder, std::int32_t sealsActive,
                        ReadObserver *observer)
{
    FileBytes file = readWholeFile(folder / classFileName(sealsActive));
    if (file.status != FileStatus::Unreadable)
        readClassBytes(table, file.bytes, observer);
    return file;
}

} // namespace tolvane
