#include "rosterfilter.h"

#include "classdata/format/abilities.h"
#include "classdata/text/asciitext.h"
#include "classdata/format/itemcatalogue.h"
#include "tablecolumns.h"
#include "teamrows.h"
#include "classdata/text/textnumbers.h"

#include <algorithm>

namespace tolvane {

namespace {

std::string quoted(std::string_view text)
{
    return '"' + std::string(text) + '"';
}

bool startsWord(std::string_view text, std::size_t at, std::string_view word)
{
    const bool before = at == 0 || isSpace(text[at - 1]);
    const bool after = at + word.size() >= text.size() || isSpace(text[at + word.size()]);
    return before && after && at + word.size() <= text.size() && equalsIgnoreCase(text.substr(at, word.size()), word);
}

// Where an unquoted operator starts in text, and which; longer ones first.
struct Operator
{
    std::string_view sign;
    int test; // a RosterFilter test, in its order
};
constexpr Operator operators[] = {{"<=", 1}, {">=", 3}, {"!=", 5}, {"<>", 5}, {"<", 0}, {">", 2}, {"=", 4}};

} // namespace

std::string RosterFilter::Error::text() const
{
    return "Filter not read at character " + std::to_string(position) + ": " + message + "; all classes are shown";
}

RosterFilter::RosterFilter(std::string_view text)
{
    if (trimmed(text).empty())
        return;
    if (const auto quote = std::ranges::count(text, '"'); quote % 2 != 0) {
        fail(text.rfind('"'), "a quote is not closed");
        return;
    }
    // Split at each "and" that stands as a word outside quotes.
    bool inQuote = false;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        const bool end = i == text.size();
        if (!end && text[i] == '"')
            inQuote = !inQuote;
        if (!end && (inQuote || !startsWord(text, i, "and")))
            continue;
        const std::optional<Part> part = partOf({text.substr(start, i - start), start});
        if (!part) {
            parts.clear();
            return;
        }
        parts.push_back(*part);
        start = i + 3;
        i += 2;
    }
}

std::nullopt_t RosterFilter::fail(std::size_t at, std::string message)
{
    problem = Error{at + 1, std::move(message)};
    return std::nullopt;
}

std::optional<RosterFilter::Part> RosterFilter::partOf(Piece piece)
{
    const std::string_view whole = piece.text;
    if (trimmed(whole).empty())
        return fail(piece.at, "a condition is missing around \"and\"");
    piece.text = trimmed(whole);
    piece.at += std::size_t(piece.text.data() - whole.data());
    const auto rest = [&](std::size_t from) {
        const std::string_view after = piece.text.substr(from);
        const std::string_view value = trimmed(after);
        return Piece{value, piece.at + from + std::size_t(value.data() - after.data())};
    };
    if (startsWord(piece.text, 0, "not")) {
        const Piece negated = rest(3);
        if (negated.text.empty())
            return fail(piece.at, "a condition is missing after \"not\"");
        std::optional<Part> part = partOf(negated);
        if (part)
            part->negated = !part->negated;
        return part;
    }
    const auto unquoted = [](std::string_view text) {
        return text.size() >= 2 && text.front() == '"' && text.back() == '"' ? text.substr(1, text.size() - 2) : text;
    };
    if (startsWord(piece.text, 0, "carries")) {
        const Piece item = rest(7);
        if (item.text.empty())
            return fail(piece.at, "an item is missing after \"carries\"");
        const std::optional<int> slot = slotForDisplayName(unquoted(item.text));
        if (!slot)
            return fail(item.at, "no item named " + quoted(item.text));
        return Part{.test = Test::NotEqual,
                    .column = columnOfId("item " + std::string(itemCatalogue[std::size_t(*slot)].internalName))};
    }
    if (equalsIgnoreCase(piece.text, "changed") || equalsIgnoreCase(piece.text, "changed from baseline"))
        return Part{.test = Test::Changed};
    if (startsWord(piece.text, 0, "team") && piece.text.find_first_of("<>=!") == std::string_view::npos) {
        const Piece team = rest(4);
        if (team.text.empty())
            return fail(piece.at, "a team is missing after \"team\"");
        return teamPart(team, Test::Equal);
    }
    if (startsWord(piece.text, 0, "ability")) {
        const Piece ability = rest(7);
        if (ability.text.empty())
            return fail(piece.at, "an ability is missing after \"ability\"");
        const std::string_view name = unquoted(ability.text);
        const auto found = std::ranges::find_if(abilityCatalogue,
                                                [&](const AbilityInfo &a) { return equalsIgnoreCase(a.label, name); });
        if (found == std::end(abilityCatalogue))
            return fail(ability.at, "no ability named " + quoted(ability.text));
        return Part{.test = Test::Equal, .column = columnOfId("ability " + std::string(found->label)), .number = 1};
    }
    bool inQuote = false;
    for (std::size_t i = 0; i < piece.text.size(); ++i) {
        inQuote = inQuote != (piece.text[i] == '"');
        for (const Operator &op : operators) {
            if (!inQuote && piece.text.substr(i).starts_with(op.sign)) {
                const std::string_view name = trimmed(piece.text.substr(0, i));
                return comparison({name, piece.at + std::size_t(name.data() - piece.text.data())}, Test(op.test),
                                  rest(i + op.sign.size()));
            }
        }
    }
    return Part{.test = Test::NameContains, .text = std::string(unquoted(piece.text))};
}

std::optional<RosterFilter::Part> RosterFilter::comparison(Piece name, Test test, Piece value)
{
    const int column = columnNamed(name.text);
    if (equalsIgnoreCase(name.text, "team")) {
        if (test != Test::Equal && test != Test::NotEqual)
            return fail(value.at, "Team is compared only with = or !=");
        return teamPart(value, test);
    }
    if (name.text.empty())
        return fail(name.at, "a column is missing before the comparison");
    if (column < 0)
        return fail(name.at, "no column named " + quoted(name.text));
    if (value.text.empty())
        return fail(value.at, "a value is missing after the comparison");
    const TableColumn &shown = tableColumns()[std::size_t(column)];
    const bool equality = test == Test::Equal || test == Test::NotEqual;
    if (shown.kind == ColumnKind::Tick) {
        const std::optional<bool> on = tickWord(value.text);
        if (!on || !equality)
            return fail(value.at, shown.title + " is compared as = yes or = no");
        return Part{.test = test, .column = column, .number = *on ? 1.0 : 0.0};
    }
    if (shown.numeric()) {
        std::size_t used = 0;
        const double number = parseDouble(value.text, &used);
        if (used != value.text.size())
            return fail(value.at, quoted(value.text) + " is not a number");
        return Part{.test = test, .column = column, .number = number};
    }
    if (!equality)
        return fail(value.at, shown.title + " is compared only with = or !=");
    std::string_view text = value.text;
    if (text.size() >= 2 && text.front() == '"' && text.back() == '"')
        text = text.substr(1, text.size() - 2);
    return Part{.test = test, .column = column, .text = std::string(text)};
}

std::optional<RosterFilter::Part> RosterFilter::teamPart(Piece team, Test test)
{
    std::string_view name = team.text;
    if (name.size() >= 2 && name.front() == '"' && name.back() == '"')
        name = name.substr(1, name.size() - 2);
    for (const Team each : {Team::Seals, Team::Tangos}) {
        if (equalsIgnoreCase(name, teamName(each)))
            return Part{.test = test, .column = teamColumn(), .number = double(each)};
    }
    return fail(team.at, "no team named " + quoted(team.text) + "; Seals or Tangos");
}

bool RosterFilter::matches(const ClassRecord &record, const RowFacts &facts) const
{
    return std::ranges::all_of(parts, [&](const Part &part) { return passes(part, record, facts) != part.negated; });
}

bool RosterFilter::passes(const Part &part, const ClassRecord &record, const RowFacts &facts)
{
    if (part.test == Test::NameContains)
        return containsIgnoreCase(record.classname.view(), part.text);
    if (part.test == Test::Changed)
        return facts.changed;
    if (part.column == teamColumn())
        return (double(facts.team) == part.number) == (part.test == Test::Equal);
    const TableColumn &column = tableColumns()[std::size_t(part.column)];
    if (column.kind != ColumnKind::Tick && !column.numeric()) {
        const bool same = equalsIgnoreCase(cellText(column, record), part.text);
        return part.test == Test::Equal ? same : !same;
    }
    const double value = cellNumber(column, record).value_or(0);
    switch (part.test) {
    case Test::Less:
        return value < part.number;
    case Test::LessOrEqual:
        return value <= part.number;
    case Test::Greater:
        return value > part.number;
    case Test::GreaterOrEqual:
        return value >= part.number;
    case Test::Equal:
        return value == part.number;
    case Test::NotEqual:
        return value != part.number;
    case Test::NameContains:
    case Test::Changed:
        break;
    }
    return false;
}

} // namespace tolvane
