#include "checkreport.h"

#include "classrecord.h"
#include "textnumbers.h"

#include <algorithm>
#include <charconv>

namespace {

// A number read from a file, as short as it reads back: 10.5, 1000, nan.
std::string shortest(double value)
{
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

// The value a field got, as the writer would write it.
std::string stored(const ReadFinding &f)
{
    return f.isFloat ? formatFloat(f.stored) : formatInt(std::int32_t(f.stored));
}

std::string quoted(std::string_view text)
{
    return '"' + std::string(text) + '"';
}

std::string describeCut(const ReadFinding &f)
{
    const std::string limit = std::to_string(f.kept.size());
    if (f.kept.size() == decltype(ClassRecord::classname)::capacity)
        return std::string(f.key) + ' ' + quoted(f.text) + " is longer than " + limit + " characters; cut to "
               + quoted(f.kept);
    return std::string(f.key) + " value of " + std::to_string(f.text.size()) + " characters is longer than " + limit
           + "; cut to its first " + limit;
}

} // namespace

std::string describe(const ReadFinding &f)
{
    const std::string key(f.key);
    switch (f.kind) {
    case ReadFindingKind::OutOfRange:
        return key + ' ' + shortest(f.value) + " is outside " + shortest(f.low) + " to " + shortest(f.high)
               + "; read as " + stored(f);
    case ReadFindingKind::NotANumber:
        return key + " value " + quoted(f.text) + " is not a number; read as " + stored(f);
    case ReadFindingKind::TextAfterNumber:
        return key + " value " + quoted(f.text) + ": the text after the number " + shortest(f.value) + " is ignored";
    case ReadFindingKind::NotWholeNumber:
        return key + ' ' + shortest(f.value) + " is not a whole 32-bit number; read as " + stored(f);
    case ReadFindingKind::UnknownKey:
        if (f.key.empty())
            return "line begins with a space, so its key is empty; line ignored";
        return "unknown key " + quoted(f.key) + "; line ignored";
    case ReadFindingKind::LineWithoutSpace:
        return "line " + quoted(f.text) + " has no space, so it sets no key; line ignored";
    case ReadFindingKind::UnknownResistance:
        return "resistance " + quoted(f.text) + " is not none, fire or explosive; read as none";
    case ReadFindingKind::UnknownItem:
        return "inventory item " + quoted(f.text) + " is not in the item catalogue; line ignored";
    case ReadFindingKind::MissingAmount:
        return "inventory item " + quoted(f.text) + " has no amount; line ignored";
    case ReadFindingKind::RepeatedKey:
        return key + " is set again; the value from line " + std::to_string(f.earlierLine) + " is replaced";
    case ReadFindingKind::TextCut:
        return describeCut(f);
    case ReadFindingKind::BlockBeyondLimit:
        return "class block after the 64th; it and the rest of the file are not read";
    case ReadFindingKind::UnopenedBlock:
        return "\"{\" right after a \"}\" line is skipped, so this block is not read";
    case ReadFindingKind::UnclosedBlock:
        return "class block opened here is never closed; it runs to the end of the file";
    case ReadFindingKind::NoClass:
        return "no class block; read as the default class \"?\"";
    }
    return {};
}

void CheckReport::found(const ReadFinding &finding)
{
    lines.emplace_back(finding.line, describe(finding));
}

std::string CheckReport::text() const
{
    std::vector<std::pair<int, std::string>> sorted = lines;
    std::stable_sort(sorted.begin(), sorted.end(),
                     [](const auto &a, const auto &b) { return a.first < b.first; });
    std::string out;
    for (const auto &[line, message] : sorted)
        out += fileName + ':' + std::to_string(line) + ": " + message + '\n';
    return out;
}
