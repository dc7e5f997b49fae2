#pragma once

#include "classrecord.h"

#include <optional>
#include <span>
#include <type_traits>
#include <string_view>

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

// Every field, in the order the writer writes them. Inventory amounts are
// not in it: they are "inventory NAME AMOUNT" lines after the last field.
// Numbers: a movement value outside 0 to 10, an amount outside 0 to 999
// reads as the fallback.
// Several fallbacks differ from the block-start defaults on purpose: a block
// without max_rockets has 4, while "max_rockets 5000" reads as 2.
inline constexpr ClassField classFieldTable[] = {
    {.key = "classname", .kind = FieldKind::Text, .text = textMember<&ClassRecord::classname>(), .blockStartText = "?"},
    {.key = "classabilities", .kind = FieldKind::Abilities, .intMember = &ClassRecord::classabilities},
    {.key = "underwaterair", .kind = FieldKind::Float, .floatMember = &ClassRecord::underwaterair, .blockStart = 11},
    {.key = "speed", .kind = FieldKind::Float, .floatMember = &ClassRecord::speed, .blockStart = 1, .range = KeyRange{0, 10, 1}},
    {.key = "jump", .kind = FieldKind::Float, .floatMember = &ClassRecord::jump, .blockStart = 1, .range = KeyRange{0, 10, 1}},
    {.key = "keys", .kind = FieldKind::Text, .text = textMember<&ClassRecord::keys>()},
    {.key = "resistance", .kind = FieldKind::Resistance, .floatMember = &ClassRecord::resistance},
    {.key = "health", .kind = FieldKind::Int, .intMember = &ClassRecord::health, .blockStart = 100, .range = KeyRange{0, 999, 100}},
    {.key = "max_health", .kind = FieldKind::Int, .intMember = &ClassRecord::max_health, .blockStart = 100, .range = KeyRange{0, 999, 100}},
    {.key = "kevlar_trouser", .kind = FieldKind::Int, .intMember = &ClassRecord::kevlar_trouser, .blockStart = 20, .range = KeyRange{0, 999, 20}},
    {.key = "kevlar_vest", .kind = FieldKind::Int, .intMember = &ClassRecord::kevlar_vest, .blockStart = 50, .range = KeyRange{0, 999, 50}},
    {.key = "combat_helmet", .kind = FieldKind::Int, .intMember = &ClassRecord::combat_helmet, .blockStart = 30, .range = KeyRange{0, 999, 20},
     .blankLineAfter = true},
    {.key = "max_shells", .kind = FieldKind::Int, .intMember = &ClassRecord::max_shells, .blockStart = 20, .range = KeyRange{0, 999, 20}},
    {.key = "max_rockets", .kind = FieldKind::Int, .intMember = &ClassRecord::max_rockets, .blockStart = 4, .range = KeyRange{0, 999, 2}},
    {.key = "max_grenades", .kind = FieldKind::Int, .intMember = &ClassRecord::max_grenades, .blockStart = 20, .range = KeyRange{0, 999, 100}},
    {.key = "max_cells", .kind = FieldKind::Int, .intMember = &ClassRecord::max_cells, .blockStart = 200, .range = KeyRange{0, 999, 100}},
    {.key = "max_357cal", .kind = FieldKind::Int, .intMember = &ClassRecord::max_357cal, .blockStart = 12, .range = KeyRange{0, 999, 20}},
    {.key = "max_45cal", .kind = FieldKind::Int, .intMember = &ClassRecord::max_45cal, .blockStart = 4, .range = KeyRange{0, 999, 20}},
    {.key = "max_9cal", .kind = FieldKind::Int, .intMember = &ClassRecord::max_9cal, .blockStart = 4, .range = KeyRange{0, 999, 20}},
    {.key = "max_556cal", .kind = FieldKind::Int, .intMember = &ClassRecord::max_556cal, .blockStart = 4, .range = KeyRange{0, 999, 20}},
    {.key = "max_308cal", .kind = FieldKind::Int, .intMember = &ClassRecord::max_308cal, .blockStart = 4, .range = KeyRange{0, 999, 20}},
    {.key = "max_762bb", .kind = FieldKind::Int, .intMember = &ClassRecord::max_762bb, .blockStart = 4, .range = KeyRange{0, 999, 20},
     .blankLineAfter = true},
    {.key = "starting_weapon", .kind = FieldKind::Text, .text = textMember<&ClassRecord::starting_weapon>()},
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
const ClassField *FieldOfKey(std::string_view key);

// The range of a ranged number key (compared without regard to case);
// nullopt for keys whose values are taken as they are.
std::optional<KeyRange> RangeOfKey(std::string_view key);
