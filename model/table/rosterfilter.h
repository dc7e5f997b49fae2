#pragma once

#include "classdata/format/classrecord.h"
#include "model/compare/teamviews.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tolvane {

// The filter of the class table: parts combined with "and" and "or" ("and"
// binds first; parentheses group), each one of
//   a part of the class name        sniper, "Search and Rescue"
//   a column, a comparison, a value health < 100, speed >= 1.2, Resistance = Fire Armor
//   carries ITEM                    carries Grenades
//   ability ABILITY                 ability Sniper Scope
//   team TEAM                       team tangos, team = Seals
//   changed (from baseline)         a class that differs from the baseline
// and any of them, or a group in parentheses, after "not". Columns go by
// their title or their file key,
// names and words without regard to ASCII case; numbers are read with '.'.
// Text is Windows-1252 bytes.
// What a filter asks of a class besides its values: its team, and whether
// it differs from the baseline (or the baseline does not have it).
struct RowFacts
{
    Team team = Team::Seals;
    bool changed = false;
};

class RosterFilter
{
public:
    struct Error
    {
        std::size_t position = 0; // the character the filter cannot be read at, from 1
        std::string message;      // "no column named \"helth\""

        // "Filter not read at character 1: no column named "helth"; all classes are shown"
        std::string text() const;
    };

    RosterFilter() = default;
    // A filter that cannot be read keeps every class and says where.
    explicit RosterFilter(std::string_view text);

    bool matches(const ClassRecord &record, const RowFacts &facts = {}) const;
    // Whether it leaves out any class at all.
    bool empty() const { return !root; }
    const std::optional<Error> &error() const { return problem; }

private:
    enum class Test : std::uint8_t {
        Less,
        LessOrEqual,
        Greater,
        GreaterOrEqual,
        Equal,
        NotEqual,
        NameContains,
        Changed
    };
    struct Part
    {
        Test test;
        int column = -1;
        double number = 0;     // numeric columns and ticks
        std::string text = {}; // a part of the name, or the text other columns compare with
    };
    struct Piece
    {
        std::string_view text;
        std::size_t at; // of text in the whole filter, from 0
    };

    // The filter as a tree: a part, or all or any of the nodes under it.
    struct Node
    {
        enum class Kind : std::uint8_t { Part, All, Any };
        Kind kind = Kind::Part;
        bool negated = false;
        std::optional<Part> part = {};
        std::vector<Node> nodes = {};
    };
    // Read text from at on, and leave at after what they read: parts
    // joined by "or", by "and", and one part, group or "not".
    std::optional<Node> anyOf(std::string_view text, std::size_t &at);
    std::optional<Node> allOf(std::string_view text, std::size_t &at);
    std::optional<Node> oneOf(std::string_view text, std::size_t &at);
    static bool passes(const Node &node, const ClassRecord &record, const RowFacts &facts);

    std::optional<Part> partOf(Piece piece);
    std::optional<Part> comparison(Piece name, Test test, Piece value);
    std::nullopt_t fail(std::size_t at, std::string message);
    std::optional<Part> teamPart(Piece team, Test test);
    static bool passes(const Part &part, const ClassRecord &record, const RowFacts &facts);

    std::optional<Node> root;
    std::optional<Error> problem;
};

} // namespace tolvane
