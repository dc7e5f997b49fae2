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

std::size_t skipSpaces(std::string_view text, std::size_t at)
{
    while (at < text.size() && isSpace(text[at]))
        ++at;
    return at;
}

// Whether word stands at at as a word of its own; a parenthesis ends a word too.
bool wordAt(std::string_view text, std::size_t at, std::string_view word)
{
    const auto ends = [&](std::size_t i) { return isSpace(text[i]) || text[i] == '(' || text[i] == ')'; };
    const std::size_t end = at + word.size();
    return end <= text.size() && (at == 0 || ends(at - 1)) && (end == text.size() || ends(end))
           && equalsIgnoreCase(text.substr(at, word.size()), word);
}

// "and" or "or" as a word at at, else empty.
std::string_view joinerAt(std::string_view text, std::size_t at)
{
    for (const std::string_view word : {std::string_view("and"), std::string_view("or")}) {
        if (wordAt(text, at, word))
            return word;
    }
    return {};
}

constexpr const char *joinMissing = "\"and\" or \"or\" is missing before this";

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
    std::size_t at = 0;
    std::optional<Node> read = anyOf(text, at);
    at = skipSpaces(text, at);
    if (read && at < text.size())
        read = text[at] == ')' ? fail(at, "a parenthesis is closed that was not opened") : fail(at, joinMissing);
    root = std::move(read);
}

std::optional<RosterFilter::Node> RosterFilter::anyOf(std::string_view text, std::size_t &at)
{
    std::optional<Node> first = allOf(text, at);
    Node any{.kind = Node::Kind::Any};
    while (first && joinerAt(text, skipSpaces(text, at)) == "or") {
        any.nodes.push_back(std::move(*first));
        at = skipSpaces(text, at) + 2;
        first = allOf(text, at);
    }
    if (!first || any.nodes.empty())
        return first;
    any.nodes.push_back(std::move(*first));
    return any;
}

std::optional<RosterFilter::Node> RosterFilter::allOf(std::string_view text, std::size_t &at)
{
    std::optional<Node> first = oneOf(text, at);
    Node all{.kind = Node::Kind::All};
    while (first && joinerAt(text, skipSpaces(text, at)) == "and") {
        all.nodes.push_back(std::move(*first));
        at = skipSpaces(text, at) + 3;
        first = oneOf(text, at);
    }
    if (!first || all.nodes.empty())
        return first;
    all.nodes.push_back(std::move(*first));
    return all;
}

std::optional<RosterFilter::Node> RosterFilter::oneOf(std::string_view text, std::size_t &at)
{
    const std::size_t from = at;
    at = skipSpaces(text, at);
    const std::string_view joiner = joinerAt(text, at);
    if (at == text.size() || text[at] == ')' || !joiner.empty()) {
        // Which word the missing part stands beside: the next one, else the one before.
        const std::string_view before = trimmed(text.substr(0, from));
        const std::string_view beside = !joiner.empty()           ? joiner
                                        : before.ends_with("or")  ? "or"
                                        : before.ends_with("and") ? "and"
                                                                  : "";
        return fail(from, beside.empty() ? std::string("a condition is missing in the parentheses")
                                         : "a condition is missing around \"" + std::string(beside) + '"');
    }
    if (wordAt(text, at, "not")) {
        const std::size_t word = at;
        at += 3;
        const std::size_t next = skipSpaces(text, at);
        if (next == text.size() || text[next] == ')' || !joinerAt(text, next).empty())
            return fail(word, "a condition is missing after \"not\"");
        std::optional<Node> negated = oneOf(text, at);
        if (negated)
            negated->negated = !negated->negated;
        return negated;
    }
    if (text[at] == '(') {
        const std::size_t open = at++;
        std::optional<Node> group = anyOf(text, at);
        if (!group)
            return group;
        at = skipSpaces(text, at);
        if (at == text.size())
            return fail(open, "a parenthesis is not closed");
        if (text[at] != ')')
            return fail(at, joinMissing);
        ++at;
        return group;
    }
    // A part runs to the next "and", "or" or parenthesis outside quotes.
    const std::size_t start = at;
    bool inQuote = false;
    for (; at < text.size(); ++at) {
        inQuote = inQuote != (text[at] == '"');
        if (inQuote)
            continue;
        if (text[at] == '(')
            return fail(at, "a parenthesis within a part; put a name that holds one in quotes");
        if (text[at] == ')' || (isSpace(text[at]) && !joinerAt(text, skipSpaces(text, at)).empty()))
            break;
    }
    std::optional<Part> part = partOf({text.substr(start, at - start), start});
    if (!part)
        return std::nullopt;
    return Node{.part = std::move(part)};
}

std::nullopt_t RosterFilter::fail(std::size_t at, std::string message)
{
    problem = Error{at + 1, std::move(message)};
    return std::nullopt;
}

std::optional<RosterFilter::Part> RosterFilter::partOf(Piece piece)
{
    const std::string_view whole = piece.text;
    piece.text = trimmed(whole);
    piece.at += std::size_t(piece.text.data() - whole.data());
    const auto rest = [&](std::size_t from) {
        const std::string_view after = piece.text.substr(from);
        const std::string_view value = trimmed(after);
        return Piece{value, piece.at + from + std::size_t(value.data() - after.data())};
    };
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
    return !root || passes(*root, record, facts);
}

bool RosterFilter::passes(const Node &node, const ClassRecord &record, const RowFacts &facts)
{
    const auto passed = [&](const Node &under) { return passes(under, record, facts); };
    bool result = false;
    switch (node.kind) {
    case Node::Kind::Part:
        result = passes(*node.part, record, facts);
        break;
    case Node::Kind::All:
        result = std::ranges::all_of(node.nodes, passed);
        break;
    case Node::Kind::Any:
        result = std::ranges::any_of(node.nodes, passed);
        break;
    }
    return result != node.negated;
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
