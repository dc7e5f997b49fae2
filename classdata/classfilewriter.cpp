#include "classfilewriter.h"

#include "classfilereader.h"
#include "fileio.h"
#include "itemcatalogue.h"
#include "textnumbers.h"

#include <algorithm>
#include <charconv>
#include <memory>

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

// Appends the lines of a class file to one string.
class LineWriter
{
public:
    LineWriter(std::string &out, std::string_view lineEnd) : out(out), lineEnd(lineEnd) {}

    void line(std::string_view text = {}) { out.append(text).append(lineEnd); }

    // A text value without CR and LF bytes: the reader would take them for
    // line ends, so they could not be read back.
    void text(std::string_view key, std::string_view value)
    {
        out.append(key);
        const auto isLineEnd = [](char c) { return c == '\r' || c == '\n'; };
        for (;;) {
            const auto end = std::find_if(value.begin(), value.end(), isLineEnd);
            out.append(value.begin(), end);
            if (end == value.end())
                break;
            value.remove_prefix(std::size_t(end - value.begin()) + 1);
        }
        out.append(lineEnd);
    }
    void number(std::string_view key, std::int32_t value)
    {
        // The digits and the line end go in with one append: this is the
        // writer's most frequent line.
        char digits[16];
        char *end = std::to_chars(digits, digits + 11, value).ptr;
        end = std::copy(lineEnd.begin(), lineEnd.end(), end);
        out.append(key).append(digits, end);
    }
    void decimal(std::string_view key, float value)
    {
        appendFloat(out.append(key), value);
        out.append(lineEnd);
    }

    void block(const ClassRecord &r);

private:
    std::string &out;
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

void LineWriter::block(const ClassRecord &r)
{
    line();
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
    line();
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
    line();
    text("starting_weapon ", r.starting_weapon.view());
    for (std::size_t slot = 0; slot < r.inventory.size(); ++slot) {
        if (r.inventory[slot] == 0)
            continue;
        out.append("inventory ").append(itemCatalogue[slot].internalName);
        number(" ", r.inventory[slot]);
    }
    line("}");
    line();
}

} // namespace

std::string ClassFileBytes(const ClassTable &table, std::string_view lineEnd)
{
    // A count outside 0 to 64 never reaches past the table.
    const std::size_t count = std::size_t(std::clamp(table.classCount, 0, tableSlotCount));
    std::string out;
    out.reserve(1024 + count * 1024);
    LineWriter writer(out, lineEnd);
    for (std::string_view line : headerLines)
        writer.line(line);
    for (std::size_t i = 0; i < count; ++i)
        writer.block(table.records[i]);
    return out;
}

std::string_view lineEndToKeep(std::string_view oldBytes)
{
    const std::size_t lf = oldBytes.find('\n');
    if (lf == std::string_view::npos)
        return platformLineEnd;
    return lf > 0 && oldBytes[lf - 1] == '\r' ? "\r\n" : "\n";
}

std::string NormalizedClassFile(std::string_view bytes)
{
    auto table = std::make_unique<ClassTable>();
    ReadClassBytes(*table, bytes);
    return ClassFileBytes(*table, lineEndToKeep(bytes));
}
