#include "findingcodes.h"

#include "classdata/text/asciitext.h"
#include "classrecord.h"
#include "classdata/text/readabletext.h"
#include "classdata/text/textnumbers.h"

#include <algorithm>
#include <array>
#include <charconv>

namespace tolvane {

namespace {

using Kind = ReadFindingKind;

// Codes are never renumbered: scripts and CI configurations name them.
constexpr FindingCode codes[] = {
    {Kind::UnknownKey, "TCC001", "warning", "A key the game does not know; the line is ignored."},
    {Kind::LineWithoutSpace, "TCC002", "warning", "A line without a space sets no key; it is ignored."},
    {Kind::OutOfRange, "TCC003", "warning", "A number outside its key's range; the game reads its fallback."},
    {Kind::NotANumber, "TCC004", "warning",
     "A number key whose value holds no number (inf and nan are none); the game reads 0."},
    {Kind::TextAfterNumber, "TCC005", "warning",
     "Text after a number; the game ignores it (0x2 is the number 0 and the text x2)."},
    {Kind::NotWholeNumber, "TCC006", "warning", "classabilities is not a whole 32-bit number; the game truncates it."},
    {Kind::BeyondIntRange, "TCC007", "warning",
     "An inventory amount beyond the 32-bit range; the game reads the nearest end of the range."},
    {Kind::UnknownResistance, "TCC008", "warning", "resistance is not none, fire or explosive; the game reads none."},
    {Kind::UnknownItem, "TCC009", "warning", "An inventory item the catalogue does not have; the line is ignored."},
    {Kind::MissingAmount, "TCC010", "warning", "An inventory item without an amount; the line is ignored."},
    {Kind::RepeatedKey, "TCC011", "warning", "A key set twice in one block; the later line wins."},
    {Kind::TextCut, "TCC012", "warning", "A text longer than its field; the game keeps its beginning."},
    {Kind::CarriageReturn, "TCC013", "warning",
     "A carriage return inside a text value (mixed line ends); the game keeps it. The editor and normalize keep "
     "one inside a value and drop one at its end."},
    {Kind::CutAtNul, "TCC014", "warning", "A NUL byte in a line; the game reads the line only up to it."},
    {Kind::TextAfterBrace, "TCC015", "warning", "Text after the \"{\" that opens a block; the game ignores it."},
    {Kind::BlockInsideBlock, "TCC016", "error",
     "A \"{\" inside a block that was not closed; the two classes merge into one."},
    {Kind::UnclosedBlock, "TCC017", "error", "A block that is never closed; it runs to the end of the file."},
    {Kind::UnopenedBlock, "TCC018", "error",
     "A \"{\" right after a \"}\" line; the game skips that line, so the block is not read."},
    {Kind::BlockBeyondLimit, "TCC019", "error", "A block after the 64th; it and the rest of the file are not read."},
    {Kind::NoClass, "TCC020", "error",
     "The file holds no class block, so it is not a class file; the game would read the default class."},
    {Kind::SettingsFile, "TCC021", "error", "The editor's settings file tvcc.cfg, not a class file; not read as one."},
    {Kind::LongLine, "TCC022", "warning",
     "A line longer than 511 bytes with its line end; readers that take lines in 511-byte pieces read it as "
     "several lines."},
    {Kind::NoKnownKey, "TCC023", "error",
     "No class block holds a key the class file knows, or binary data (a NUL byte) comes before one: another "
     "program's file, not read as a class file."},
    {Kind::HealthAboveMaximum, "TCC024", "warning", "health is above max_health."},
    {Kind::RepeatedName, "TCC025", "warning",
     "A class name an earlier class of the file has too, compared without regard to case."},
    {Kind::RangeRule, "TCC030", "warning", "A value outside its range in the rules file."},
    {Kind::RelationRule, "TCC031", "warning", "Two values of a class that break a relation of the rules file."},
    {Kind::MeanRule, "TCC032", "warning",
     "The two teams' means of a value are further apart than the rules file allows."},
    {Kind::ClassCountRule, "TCC033", "warning", "The two teams have different numbers of classes."},
    {Kind::EachTeamRule, "TCC034", "warning", "A team has no class of a kind the rules file asks each team for."},
};

// Every kind has a code row, and one only.
static_assert(
    [] {
        std::array<int, std::size_t(Kind::Count)> rows{};
        for (const FindingCode &code : codes) {
            if (std::size_t(code.kind) >= rows.size())
                return false;
            ++rows[std::size_t(code.kind)];
        }
        return std::ranges::all_of(rows, [](int count) { return count == 1; });
    }(),
    "every finding kind needs one row in the code table");

// A number read from a file, as short as it reads back: 10.5, 1000, nan.
std::string shortest(double value)
{
    return formatShortest(value);
}

// The value a field got, as the writer would write it.
std::string stored(const ReadFinding &f)
{
    return f.isFloat ? formatFloat(f.stored) : formatInt(std::int32_t(f.stored));
}

std::string quoted(std::string_view text)
{
    return '"' + readableFromWindows1252(text) + '"';
}

std::string describeCut(const ReadFinding &f, const std::string &key)
{
    const std::string limit = std::to_string(f.kept.size());
    if (f.kept.size() == decltype(ClassRecord::classname)::capacity)
        return key + ' ' + quoted(f.text) + " is longer than " + limit + " characters; cut to " + quoted(f.kept);
    return key + " value of " + std::to_string(f.text.size()) + " characters is longer than " + limit
           + "; cut to its first " + limit;
}

} // namespace

std::span<const FindingCode> findingCodes()
{
    return codes;
}

const FindingCode &codeOf(ReadFindingKind kind)
{
    return *std::find_if(std::begin(codes), std::end(codes), [kind](const FindingCode &c) { return c.kind == kind; });
}

const FindingCode *findingCodeNamed(std::string_view code)
{
    const auto *found = std::find_if(std::begin(codes), std::end(codes),
                                     [code](const FindingCode &c) { return equalsIgnoreCase(c.code, code); });
    return found == std::end(codes) ? nullptr : found;
}

std::string describe(const ReadFinding &f, KeyNaming naming)
{
    const auto name = [naming](std::string_view key) { return naming ? naming(key) : readableFromWindows1252(key); };
    const std::string key = name(f.key);
    switch (f.kind) {
    case Kind::OutOfRange:
        return key + ' ' + shortest(f.value) + " is outside " + shortest(f.low) + " to " + shortest(f.high)
               + "; read as " + stored(f);
    case Kind::NotANumber:
        return key + " value " + quoted(f.text) + " is not a number; read as " + stored(f);
    case Kind::TextAfterNumber:
        return key + " value " + quoted(f.text) + ": the text after the number " + shortest(f.value) + " is ignored";
    case Kind::NotWholeNumber:
        return key + ' ' + shortest(f.value) + " is not a whole 32-bit number; read as " + stored(f);
    case Kind::BeyondIntRange:
        return key + ' ' + shortest(f.value) + " is beyond the 32-bit range; read as " + stored(f);
    case Kind::UnknownKey:
        if (f.key.empty())
            return "line begins with a space, so its key is empty; line ignored";
        return "unknown key " + quoted(f.key) + "; line ignored";
    case Kind::LineWithoutSpace:
        return "line " + quoted(f.text) + " has no space, so it sets no key; line ignored";
    case Kind::UnknownResistance:
        return name("resistance") + ' ' + quoted(f.text) + " is not none, fire or explosive; read as none";
    case Kind::UnknownItem:
        return "inventory item " + quoted(f.text) + " is not in the item catalogue; line ignored";
    case Kind::MissingAmount:
        return "inventory item " + quoted(f.text) + " has no amount; line ignored";
    case Kind::RepeatedKey:
        return key + " is set again; the value from line " + std::to_string(f.earlierLine) + " is replaced";
    case Kind::TextCut:
        return describeCut(f, key);
    case Kind::CarriageReturn:
        return key + " value " + quoted(f.text)
               + " holds a carriage return; the game keeps it, the editor and normalize keep it only inside the value";
    case Kind::CutAtNul:
        return "line holds a NUL byte; only " + quoted(f.text) + " before it is read";
    case Kind::TextAfterBrace:
        return "text " + quoted(f.text) + " after the \"{\" that opens the block is ignored";
    case Kind::BlockInsideBlock:
        return "\"{\" inside the class block opened at line " + std::to_string(f.earlierLine)
               + ", which is not closed; the two classes are read as one";
    case Kind::BlockBeyondLimit:
        return "class block after the 64th; it and the rest of the file are not read";
    case Kind::UnopenedBlock:
        return "\"{\" right after a \"}\" line is skipped, so this block is not read";
    case Kind::UnclosedBlock:
        return "class block opened here is never closed; it runs to the end of the file";
    case Kind::NoClass:
        return "no class block, so this is not a class file; the game would read the default class \"?\"";
    case Kind::SettingsFile:
        return "this is the editor's settings file, not a class file; not read as one";
    case Kind::NoKnownKey:
        return "no class block holds a key of a class file (or binary data comes before one), so this is not a "
               "class file; not read as one";
    case Kind::LongLine:
        return "line of " + shortest(f.value)
               + " bytes with its line end is longer than 511; readers that take "
                 "lines in 511-byte pieces read it as "
               + shortest(f.stored) + " lines";
    case Kind::HealthAboveMaximum:
        return name("health") + ' ' + shortest(f.value) + " is above " + name("max_health") + ' ' + shortest(f.high);
    case Kind::RepeatedName:
        return name("classname") + ' ' + quoted(f.text) + " is the name of "
               + (f.earlierLine > 0 ? "the class at line " + std::to_string(f.earlierLine)
                                    : "class " + shortest(f.stored))
               + " too";
    case Kind::RangeRule:
    case Kind::RelationRule:
    case Kind::MeanRule:
    case Kind::ClassCountRule:
    case Kind::EachTeamRule:
        return std::string(f.text);
    case Kind::Count:
        break;
    }
    return {};
}

} // namespace tolvane
