#include "classfilewriter.h"

#include "fileio.h"
#include "itemcatalogue.h"

#include <algorithm>
#include <cassert>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace {

constexpr std::string_view headerLines[] = {
    "// Created with Tolvane Class Creator",
    "// by the Tolvane Class Creator authors",
    "// ----------------------------------------",
    "// Homepage: https://tolvane-class-creator.example.org/",
    "// ----------------------------------------",
    "// If you're having any troubles with this ",
    "// config creator please report to:",
    "// classcreator@tolvane.example.org",
    "// ----------------------------------------",
};

// The longest "%i" of a 32-bit integer and "%f" of a 32-bit float, signs
// included: the largest float has 39 digits before the point.
constexpr std::size_t longestInt = 11;
constexpr std::size_t longestFloat = 47;

// Room for the fixed text of one block: keys, brackets and numbers.
constexpr std::size_t blockRoom = 300 + 16 * longestInt + 3 * longestFloat;
constexpr std::size_t blockLines = 31;
// Room for one inventory line: "inventory ", the longest item name, a space
// and the amount.
constexpr std::size_t inventoryRoom = 10 + 22 + 1 + longestInt;

// "%f" of a float. Its exact value times 10^6 fits a double (24 + 14
// significant bits), so rounding that to an integer rounds as printf does,
// ties to even; the digits then need no floating-point formatting. Values
// beyond 64 bits, infinities and NaN take the general way.
char *putFloat(char *at, float value)
{
    const double scaled = std::fabs(double(value)) * 1e6;
    if (!(scaled < 9e18))
        return std::to_chars(at, at + longestFloat, double(value), std::chars_format::fixed, 6).ptr;
    const auto units = std::uint64_t(std::nearbyint(scaled));
    if (std::signbit(value))
        *at++ = '-';
    at = std::to_chars(at, at + longestFloat, units / 1000000).ptr;
    *at++ = '.';
    auto fraction = std::uint32_t(units % 1000000);
    for (int digit = 5; digit >= 0; --digit, fraction /= 10)
        at[digit] = char('0' + fraction % 10);
    return at + 6;
}

// Writes into a buffer that has room for everything it is given, so that no
// line pays for a capacity check: the writer has to be quick for large tables.
// Keys are literals, so their copies compile to a few moves.
class BufferWriter
{
public:
    BufferWriter(char *at, std::string_view lineEnd) : at(at), lineEnd(lineEnd) {}

    char *end() const { return at; }

    template <std::size_t Size>
    void put(const char (&literal)[Size])
    {
        std::memcpy(at, literal, Size - 1);
        at += Size - 1;
    }
    void put(std::string_view text)
    {
        std::memcpy(at, text.data(), text.size());
        at += text.size();
    }
    void endLine()
    {
        for (char c : lineEnd)
            *at++ = c;
    }
    template <typename Text>
    void line(const Text &text)
    {
        put(text);
        endLine();
    }
    template <std::size_t Size>
    void text(const char (&key)[Size], std::string_view value)
    {
        put(key);
        line(value);
    }
    template <std::size_t Size>
    void number(const char (&key)[Size], std::int32_t value)
    {
        put(key);
        at = std::to_chars(at, at + longestInt, value).ptr;
        endLine();
    }
    template <std::size_t Size>
    void decimal(const char (&key)[Size], float value)
    {
        put(key);
        at = putFloat(at, value);
        endLine();
    }

    void block(const ClassRecord &r);

private:
    char *at;
    std::string_view lineEnd;
};

// The resistance line for exactly 0, 1 or 2; other values have none.
std::string_view resistanceLine(float resistance)
{
    if (resistance == 0.0f)
        return "resistance none";
    if (resistance == 1.0f)
        return "resistance fire";
    if (resistance == 2.0f)
        return "resistance explosive";
    return {};
}

std::size_t inventoryLines(const ClassRecord &r)
{
    return std::size_t(std::count_if(r.inventory.begin(), r.inventory.end(), [](std::int32_t n) { return n != 0; }));
}

// At least what block() writes for r.
std::size_t roomFor(const ClassRecord &r, std::size_t lineEnd)
{
    return blockRoom + blockLines * lineEnd + 2 * r.classname.size() + r.keys.size() + r.starting_weapon.size()
           + inventoryLines(r) * (inventoryRoom + lineEnd);
}

void BufferWriter::block(const ClassRecord &r)
{
    endLine();
    text("// ", r.classname.view());
    line("{");
    text("classname ", r.classname.view());
    number("classabilities ", r.classabilities);
    decimal("underwaterair ", r.underwaterair);
    decimal("speed ", r.speed);
    decimal("jump ", r.jump);
    text("keys ", r.keys.view());
    if (std::string_view resistance = resistanceLine(r.resistance); !resistance.empty())
        line(resistance);
    number("health ", r.health);
    number("max_health ", r.max_health);
    number("kevlar_trouser ", r.kevlar_trouser);
    number("kevlar_vest ", r.kevlar_vest);
    number("combat_helmet ", r.combat_helmet);
    endLine();
    number("max_shells ", r.max_shells);
    number("max_rockets ", r.max_rockets);
    number("max_grenades ", r.max_grenades);
    number("max_cells ", r.max_cells);
    number("max_357cal ", r.max_357cal);
    number("max_45cal ", r.max_45cal);
    number("max_9cal ", r.max_9cal);
    number("max_556cal ", r.max_556cal);
    number("max_308cal ", r.max_308cal);
    number("max_762bb ", r.max_762bb);
    endLine();
    text("starting_weapon ", r.starting_weapon.view());
    for (std::size_t slot = 0; slot < r.inventory.size(); ++slot) {
        if (r.inventory[slot] == 0)
            continue;
        put("inventory ");
        put(itemCatalogue[slot].internalName);
        number(" ", r.inventory[slot]);
    }
    line("}");
    endLine();
}

} // namespace

std::string ClassFileBytes(const ClassTable &table, std::string_view lineEnd)
{
    // A count outside 0 to 64 never reaches past the table.
    const std::size_t count = std::size_t(std::clamp(table.classCount, 0, tableSlotCount));
    std::size_t room = 0;
    for (std::string_view line : headerLines)
        room += line.size() + lineEnd.size();
    for (std::size_t i = 0; i < count; ++i)
        room += roomFor(table.records[i], lineEnd.size());

    std::string out(room, '\0');
    BufferWriter writer(out.data(), lineEnd);
    for (std::string_view line : headerLines)
        writer.line(line);
    for (std::size_t i = 0; i < count; ++i)
        writer.block(table.records[i]);
    assert(writer.end() <= out.data() + out.size());
    out.resize(std::size_t(writer.end() - out.data()));
    return out;
}

std::string_view lineEndToKeep(std::string_view oldBytes)
{
    const std::size_t lf = oldBytes.find('\n');
    if (lf == std::string_view::npos)
        return platformLineEnd;
    return lf > 0 && oldBytes[lf - 1] == '\r' ? "\r\n" : "\n";
}
