#include "rulesfile.h"

#include "classdata/format/findingcodes.h"
#include "classdata/text/asciitext.h"
#include "classdata/text/readabletext.h"
#include "classdata/text/textnumbers.h"
#include "classdata/text/windows1252.h"
#include "model/table/tablecolumns.h"

#define TOML_EXCEPTIONS 0
#include <toml++/toml.h>

#include <algorithm>
#include <cmath>

namespace tolvane {

namespace {

constexpr std::size_t errorsKept = 20;

struct Sign
{
    std::string_view text;
    RuleTest test;
};
// Longer signs first, so that "<=" is not read as "<".
constexpr Sign signs[] = {{"<=", RuleTest::LessOrEqual}, {">=", RuleTest::GreaterOrEqual},
                          {"!=", RuleTest::NotEqual},    {"<>", RuleTest::NotEqual},
                          {"==", RuleTest::Equal},       {"<", RuleTest::Less},
                          {">", RuleTest::Greater},      {"=", RuleTest::Equal}};

std::string inQuotes(std::string_view text)
{
    return '"' + readableFileName(text) + '"';
}

// The Windows-1252 bytes of UTF-8 text, as the class data holds texts;
// nullopt for a character Windows-1252 does not have.
std::optional<std::string> windows1252Text(std::string_view utf8)
{
    std::string bytes;
    while (!utf8.empty()) {
        char32_t c = 0;
        const std::size_t length = decodeUtf8(utf8, c);
        const std::optional<char> byte = length > 0 ? windows1252Of(c) : std::nullopt;
        if (!byte)
            return std::nullopt;
        bytes += *byte;
        utf8.remove_prefix(length);
    }
    return bytes;
}

class RulesReader
{
public:
    RuleSet read(std::string_view text);

private:
    void fail(const toml::source_region &where, std::string message, int columnsIn = 0);
    void readSection(const toml::key &key, const toml::node &node);
    void readClassRules(const toml::table &section, std::optional<Team> team);
    void readRange(const toml::key &key, const toml::node &node, std::optional<Team> team);
    void readRelation(const toml::node &node, std::optional<Team> team);
    void readBalance(const toml::table &section);
    void readMeans(const toml::node &node);
    void readConditions(const toml::node &node);
    void readCheck(const toml::table &section);
    // The numeric column name names; -1, told at where, for none.
    int numericColumn(std::string_view name, const toml::source_region &where);
    // Each string of the array node, with its place; false, told, when node is
    // not an array of strings.
    template <typename Each>
    bool eachString(const toml::node &node, std::string_view what, Each each);

    RuleSet set;
};

RuleSet RulesReader::read(std::string_view text)
{
    const toml::parse_result parsed = toml::parse(text);
    if (!parsed) {
        const toml::parse_error &error = parsed.error();
        set.errors.push_back(
            {int(error.source().begin.line), int(error.source().begin.column), readableFileName(error.description())});
        return std::move(set);
    }
    for (const auto &[key, node] : parsed.table())
        readSection(key, node);
    // Tables come in the order of their keys: the rules and the errors go
    // back into the order of the file.
    const auto place = [](const RulesError &e) { return std::pair(e.line, e.column); };
    std::ranges::stable_sort(set.errors, {}, place);
    std::ranges::stable_sort(set.rules, {}, &Rule::line);
    if (set.errors.size() > errorsKept) {
        set.errorsLeftOut = set.errors.size() - errorsKept;
        set.errors.resize(errorsKept);
    }
    if (!set.errors.empty()) {
        set.rules.clear();
        set.ignoredCodes.clear();
    }
    return std::move(set);
}

void RulesReader::fail(const toml::source_region &where, std::string message, int columnsIn)
{
    set.errors.push_back({int(where.begin.line), int(where.begin.column) + columnsIn, std::move(message)});
}

void RulesReader::readSection(const toml::key &key, const toml::node &node)
{
    const std::string_view name = key.str();
    const toml::table *section = node.as_table();
    if (!section) {
        fail(key.source(), inQuotes(name)
                               + " stands outside a section; rules go into [all], [seals], [tangos], "
                                 "[balance] or [check]");
        return;
    }
    if (equalsIgnoreCase(name, "all"))
        readClassRules(*section, std::nullopt);
    else if (equalsIgnoreCase(name, "seals"))
        readClassRules(*section, Team::Seals);
    else if (equalsIgnoreCase(name, "tangos"))
        readClassRules(*section, Team::Tangos);
    else if (equalsIgnoreCase(name, "balance"))
        readBalance(*section);
    else if (equalsIgnoreCase(name, "check"))
        readCheck(*section);
    else
        fail(key.source(), "no section " + inQuotes(name)
                               + "; the sections are [all], [seals], [tangos], [balance] "
                                 "and [check]");
}

void RulesReader::readClassRules(const toml::table &section, std::optional<Team> team)
{
    for (const auto &[key, node] : section) {
        if (key.str() == "relations")
            eachString(node, "relations",
                       [&](const std::string &, const toml::node &each) { readRelation(each, team); });
        else
            readRange(key, node, team);
    }
}

void RulesReader::readRange(const toml::key &key, const toml::node &node, std::optional<Team> team)
{
    const int column = numericColumn(key.str(), key.source());
    if (column < 0)
        return;
    const toml::array *ends = node.as_array();
    if (!ends || ends->size() != 2 || !(*ends)[0].is_number() || !(*ends)[1].is_number()) {
        fail(node.source(), readableFileName(key.str()) + ": a range is two numbers, [lowest, highest]");
        return;
    }
    const double low = (*ends)[0].value<double>().value_or(0);
    const double high = (*ends)[1].value<double>().value_or(0);
    if (std::isnan(low) || std::isnan(high)) {
        fail(node.source(), readableFileName(key.str()) + ": nan is no end of a range");
        return;
    }
    if (low > high) {
        fail(node.source(), readableFileName(key.str()) + ": the range [" + formatShortest(low) + ", "
                                + formatShortest(high) + "] is reversed; write the lowest first");
        return;
    }
    set.rules.push_back({.kind = RuleKind::Range,
                         .line = int(key.source().begin.line),
                         .team = team,
                         .name = readableFileName(key.str()),
                         .column = column,
                         .low = low,
                         .high = high});
}

void RulesReader::readRelation(const toml::node &node, std::optional<Team> team)
{
    const std::string_view text = **node.as_string();
    for (std::size_t at = 0; at < text.size(); ++at) {
        const auto sign = std::ranges::find_if(signs,
                                               [&](const Sign &s) { return text.substr(at).starts_with(s.text); });
        if (sign == std::end(signs))
            continue;
        const std::string_view left = trimBlanks(text.substr(0, at));
        const std::string_view right = trimBlanks(text.substr(at + sign->text.size()));
        Rule rule{.kind = RuleKind::Relation,
                  .line = int(node.source().begin.line),
                  .team = team,
                  .name = readableFileName(left),
                  .column = numericColumn(left, node.source()),
                  .test = sign->test};
        if (rule.column < 0)
            return;
        std::size_t used = 0;
        rule.number = parseDouble(right, &used);
        if (right.empty() || used != right.size()) {
            rule.otherName = readableFileName(right);
            rule.otherColumn = numericColumn(right, node.source());
            if (rule.otherColumn < 0)
                return;
        }
        set.rules.push_back(std::move(rule));
        return;
    }
    fail(node.source(), inQuotes(text) + " has no comparison: <, <=, >, >=, = or !=");
}

void RulesReader::readBalance(const toml::table &section)
{
    for (const auto &[key, node] : section) {
        const std::string_view name = key.str();
        if (name == "mean_within_percent") {
            readMeans(node);
        } else if (name == "same_class_count") {
            if (!node.is_boolean())
                fail(node.source(), "same_class_count is true or false");
            else if (node.value_or(false))
                set.rules.push_back({.kind = RuleKind::SameClassCount,
                                     .line = int(key.source().begin.line),
                                     .name = std::string(name)});
        } else if (name == "each_team_has") {
            readConditions(node);
        } else {
            fail(key.source(), "[balance] has no rule " + inQuotes(name)
                                   + "; its rules are mean_within_percent, same_class_count and each_team_has");
        }
    }
}

void RulesReader::readMeans(const toml::node &node)
{
    const toml::table *means = node.as_table();
    if (!means) {
        fail(node.source(), "mean_within_percent is a table of columns and percents: { health = 5 }");
        return;
    }
    for (const auto &[key, percent] : *means) {
        const int column = numericColumn(key.str(), key.source());
        const double most = percent.value<double>().value_or(-1);
        if (column < 0)
            continue;
        if (!percent.is_number() || !(most >= 0)) {
            fail(percent.source(), readableFileName(key.str()) + ": the percent is a number, 0 or more");
            continue;
        }
        set.rules.push_back({.kind = RuleKind::MeanWithin,
                             .line = int(key.source().begin.line),
                             .name = readableFileName(key.str()),
                             .column = column,
                             .high = most});
    }
}

void RulesReader::readConditions(const toml::node &node)
{
    eachString(node, "each_team_has", [&](const std::string &text, const toml::node &each) {
        const std::optional<std::string> bytes = windows1252Text(text);
        if (!bytes) {
            fail(each.source(), inQuotes(text) + " holds a character that class files cannot hold");
            return;
        }
        RosterFilter filter(*bytes);
        if (filter.error()) {
            // The filter counts characters from 1 inside the quotes.
            fail(each.source(), inQuotes(text) + ": " + readableFileName(utf8Of(filter.error()->message)),
                 int(filter.error()->position));
            return;
        }
        if (filter.empty()) {
            fail(each.source(), "each_team_has holds an empty condition");
            return;
        }
        set.rules.push_back({.kind = RuleKind::EachTeamHas,
                             .line = int(each.source().begin.line),
                             .name = readableFileName(text),
                             .filter = std::move(filter)});
    });
}

void RulesReader::readCheck(const toml::table &section)
{
    for (const auto &[key, node] : section) {
        if (key.str() != "ignore") {
            fail(key.source(), "[check] has no setting " + inQuotes(key.str()) + "; it has ignore");
            continue;
        }
        eachString(node, "ignore", [&](const std::string &text, const toml::node &each) {
            if (const FindingCode *code = findingCodeNamed(text))
                set.ignoredCodes.emplace_back(code->code);
            else
                fail(each.source(), "no code " + inQuotes(text) + "; tolvane-classfile check --list-codes lists them");
        });
    }
}

template <typename Each>
bool RulesReader::eachString(const toml::node &node, std::string_view what, Each each)
{
    const toml::array *array = node.as_array();
    if (!array || !std::ranges::all_of(*array, [](const toml::node &n) { return n.is_string(); })) {
        fail(node.source(), std::string(what) + " is a list of texts: [\"...\", \"...\"]");
        return false;
    }
    for (const toml::node &element : *array)
        each(std::string(**element.as_string()), element);
    return true;
}

int RulesReader::numericColumn(std::string_view name, const toml::source_region &where)
{
    const std::optional<std::string> bytes = windows1252Text(name);
    const int column = bytes ? columnNamed(*bytes) : -1;
    if (column < 0) {
        fail(where, "no column named " + inQuotes(name));
        return -1;
    }
    const TableColumn &found = tableColumns()[std::size_t(column)];
    if (!found.numeric()) {
        fail(where, readableFileName(name) + " is not a column of numbers");
        return -1;
    }
    return column;
}

} // namespace

std::string RulesError::text() const
{
    return "line " + std::to_string(line) + ", column " + std::to_string(column) + ": " + message;
}

bool RuleSet::ignores(std::string_view code) const
{
    return std::ranges::any_of(ignoredCodes, [&](const std::string &c) { return equalsIgnoreCase(c, code); });
}

RuleSet readRules(std::string_view text)
{
    return RulesReader().read(text);
}

} // namespace tolvane
