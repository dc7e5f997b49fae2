#pragma once

#include "classdata/format/classfields.h"
#include "classdata/format/classrecord.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tolvane {

// The values of a class one by one, named and shown the same way wherever
// two classes are set against each other: Review Changes, the compare views,
// the patch notes and `tolvane-classfile diff`. Names and texts are
// Windows-1252 bytes.

// One value of a class: a field of the class field table, one bit of
// classabilities, or the amount of one inventory item.
struct ClassValue
{
    enum class Kind : std::uint8_t { Field, Ability, Item };
    Kind kind = Kind::Field;
    const ClassField *field = nullptr; // Field
    std::int32_t bit = 0;              // Ability
    int slot = -1;                     // Item

    bool operator==(const ClassValue &) const = default;
};

enum class ValueNaming : std::uint8_t {
    // As Write Out writes them: classabilities as one number, the starting
    // weapon as the file's text, compared byte for byte.
    AsFile,
    // As the form shows them: each ability and game-mode flag by its label,
    // "yes" or "no"; the starting weapon by the name the list shows (its text
    // when no item table knows it), compared without regard to case as the
    // game compares item names.
    AsForm,
};

// "health", "starting_weapon", "Sniper Scope", "ability bit 0x800",
// "inventory Flash Grenades".
std::string valueName(const ClassValue &value);

// The value as the class file holds it, for a modder looking for its line:
// "kevlar_vest", "classabilities 0x8000", "inventory ammo_fgrenades".
std::string valueKey(const ClassValue &value);

// The value as shown: "100", "1.500000", "none", "yes", "Mk23", a text;
// nullopt where the file has no line (a resistance other than none, fire or
// explosive).
std::optional<std::string> shownValue(const ClassValue &value, const ClassRecord &record, ValueNaming naming);

// The value as a number, as the file holds it (a float to six decimals), for
// the int and float fields and the items; nullopt for the others.
std::optional<double> numberOf(const ClassValue &value, const ClassRecord &record);

// The values worth setting side by side for two classes, in the order the
// writer writes them: every field (for AsForm, each named ability in place of
// classabilities, and an unnamed bit that either class has), then the items
// either class carries, in catalogue order.
std::vector<ClassValue> valuesOf(const ClassRecord &a, const ClassRecord &b, ValueNaming naming);

bool sameValue(const ClassValue &value, const ClassRecord &a, const ClassRecord &b, ValueNaming naming);

struct ValueChange
{
    ClassValue value;
    std::optional<std::string> before; // nullopt: no line
    std::optional<std::string> after;
    bool quoted = false; // a text, shown in quotes
};

// Every value of after that differs from before.
std::vector<ValueChange> valueChanges(const ClassRecord &before, const ClassRecord &after, ValueNaming naming);

// Applied to each name and value a description holds (Markdown's escapes);
// null for none.
using TextEscape = std::string (*)(std::string_view);

// "health 100 -> 95", "classname \"Scout\" -> \"Ranger\"",
// "resistance none -> (no line)", "inventory Flash Grenades 0 -> 2".
std::string describeChange(const ValueChange &change, TextEscape escape = nullptr);
// One side of a change as describeChange shows it: "95", "\"Scout\"", "(no line)".
std::string describeSide(const std::optional<std::string> &value, bool quoted, TextEscape escape = nullptr);

// The class's name, or where it has none, its position: "(no name) at 3".
std::string classLabel(const ClassRecord &record, std::size_t position);

} // namespace tolvane
