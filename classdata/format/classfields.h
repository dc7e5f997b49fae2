#pragma once

#include "classrecord.h"

#include <optional>
#include <span>
#include <type_traits>
#include <string_view>

namespace tolvane {

// The class file keys of a record's fields, in one table: the reader, the
// writer, the block-start defaults, the form and the range hints all take
// their keys, kinds, defaults and ranges from it. Adding a field to the file
// means adding it to ClassRecord and a row here (and a box to the form).

enum class FieldKind : std::uint8_t {
    Int,        // atoi rules
    Float,      // atof rules, kept as a 32-bit float
    Abilities,  // atof rules, truncated toward zero to the 32-bit bit set
    Resistance, // the word none, fire or explosive, kept as 0, 1 or 2
    Text,       // copied whole, cut to the field's capacity
};

// The words of a resistance line, for the values 0, 1 and 2.
inline constexpr std::string_view resistanceWords[] = {"none", "fire", "explosive"};

// The numbers the reader accepts for a key, and what it stores instead of a
// number outside them.
struct KeyRange
{
    double low;
    double high;
    double fallback;
};

// Reads and sets a text member of any capacity.
struct TextMember
{
    std::string_view (*get)(const ClassRecord &) = nullptr;
    void (*set)(ClassRecord &, std::string_view) = nullptr;
    std::size_t capacity = 0;
};

template <auto member>
constexpr TextMember textMember()
{
    return {[](const ClassRecord &r) { return (r.*member).view(); },
            [](ClassRecord &r, std::string_view text) { (r.*member).assign(text); },
            std::remove_cvref_t<decltype(ClassRecord{}.*member)>::capacity};
}

struct ClassField
{
    std::string_view key; // lower case, as the writer writes it
    FieldKind kind;
    std::int32_t ClassRecord::*intMember = nullptr; // Int, Abilities
    float ClassRecord::*floatMember = nullptr;      // Float, Resistance
    TextMember text = {};                           // Text
    // The value a block starts with, before its lines are read.
    double blockStart = 0;
    std::string_view blockStartText = {};
    // Numbers outside the range read as its fallback; none: taken as they are.
    std::optional<KeyRange> range = std::nullopt;
    // The writer's layout: an empty line follows this field's line.
    bool blankLineAfter = false;
};

// Rows of the table below.
constexpr ClassField intField(std::string_view key, std::int32_t ClassRecord::*member, double blockStart,
                              double fallback, bool blankLineAfter = false)
{
    return {.key = key,
            .kind = FieldKind::Int,
            .intMember = member,
            .blockStart = blockStart,
            .range = KeyRange{0, 999, fallback},
            .blankLineAfter = blankLineAfter};
}
constexpr ClassField floatField(std::string_view key, float ClassRecord::*member, double blockStart,
                                std::optional<KeyRange> range = std::nullopt)
{
    return {.key = key, .kind = FieldKind::Float, .floatMember = member, .blockStart = blockStart, .range = range};
}
constexpr ClassField textField(std::string_view key, TextMember member, std::string_view blockStart = {})
{
    return {.key = key, .kind = FieldKind::Text, .text = member, .blockStartText = blockStart};
}
inline constexpr KeyRange movement{0, 10, 1};

// Every field, in the order the writer writes them. Inventory amounts are
// not in it: they are "inventory NAME AMOUNT" lines after the last field.
// A movement value outside 0 to 10, or an int outside 0 to 999, reads as the
// fallback: intField(key, member, block start, fallback).
// Several fallbacks differ from the block-start defaults on purpose: a block
// without max_rockets has 4, while "max_rockets 5000" reads as 2.
inline constexpr ClassField classFieldTable[] = {
    textField("classname", textMember<&ClassRecord::classname>(), "?"),
    {.key = "classabilities", .kind = FieldKind::Abilities, .intMember = &ClassRecord::classabilities},
    floatField("underwaterair", &ClassRecord::underwaterair, 11),
    floatField("speed", &ClassRecord::speed, 1, movement),
    floatField("jump", &ClassRecord::jump, 1, movement),
    textField("keys", textMember<&ClassRecord::keys>()),
    {.key = "resistance", .kind = FieldKind::Resistance, .floatMember = &ClassRecord::resistance},
    intField("health", &ClassRecord::health, 100, 100),
    intField("max_health", &ClassRecord::max_health, 100, 100),
    intField("kevlar_trouser", &ClassRecord::kevlar_trouser, 20, 20),
    intField("kevlar_vest", &ClassRecord::kevlar_vest, 50, 50),
    intField("combat_helmet", &ClassRecord::combat_helmet, 30, 20, true),
    intField("max_shells", &ClassRecord::max_shells, 20, 20),
    intField("max_rockets", &ClassRecord::max_rockets, 4, 2),
    intField("max_grenades", &ClassRecord::max_grenades, 20, 100),
    intField("max_cells", &ClassRecord::max_cells, 200, 100),
    intField("max_357cal", &ClassRecord::max_357cal, 12, 20),
    intField("max_45cal", &ClassRecord::max_45cal, 4, 20),
    intField("max_9cal", &ClassRecord::max_9cal, 4, 20),
    intField("max_556cal", &ClassRecord::max_556cal, 4, 20),
    intField("max_308cal", &ClassRecord::max_308cal, 4, 20),
    intField("max_762bb", &ClassRecord::max_762bb, 4, 20, true),
    textField("starting_weapon", textMember<&ClassRecord::starting_weapon>()),
};

// The most fields the table may hold, for arrays indexed by field.
inline constexpr std::size_t maxClassFields = 32;

std::span<const ClassField> classFields();

// The field of key exactly as the table spells it, at compile time: the
// form names its fields by key.
consteval const ClassField &fieldNamed(std::string_view key)
{
    for (const ClassField &field : classFieldTable) {
        if (field.key == key)
            return field;
    }
    throw "no such field";
}

// The field of key, compared without regard to case; null for keys the
// file format does not have, "inventory" among them.
const ClassField *fieldOfKey(std::string_view key);

// The resistance a word names: "none", "fire" or "explosive", the whole word
// without regard to case, as 0, 1 or 2; nullopt for any other.
std::optional<float> resistanceOfWord(std::string_view word);

// The range of a ranged number key (compared without regard to case);
// nullopt for keys whose values are taken as they are.
std::optional<KeyRange> rangeOfKey(std::string_view key);

} // namespace tolvane
