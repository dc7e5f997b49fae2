#include "changereview.h"

#include "classfields.h"
#include "itemcatalogue.h"
#include "textnumbers.h"
#include "writtenvalue.h"

#include <charconv>
#include <utility>

namespace {

// The class's name, or where it has none, its position.
std::string label(const ClassRecord &record, std::size_t index)
{
    if (!record.classname.empty())
        return std::string(record.classname.view());
    return "(no name) at " + std::to_string(index);
}

std::string shown(const ClassField &field, const std::optional<std::string> &value)
{
    if (!value)
        return "(no line)";
    return field.kind == FieldKind::Text ? '"' + *value + '"' : *value;
}

std::string change(std::string_view what, const std::string &before, const std::string &now)
{
    return std::string(what) + ' ' + before + " -> " + now;
}

// The abilities and game-mode flags by the texts of their boxes in the form.
constexpr std::pair<std::uint32_t, std::string_view> abilityNames[] = {
    {0x1, "AT-4 Scope"},          {0x2, "Scanner"},          {0x4, "Throw Caltrops"},
    {0x8, "Laserguided Rox"},     {0x10, "Knife Throw"},     {0x20, "Place Sentrys"},
    {0x40, "Place Healdepot"},    {0x80, "Place Ammodepot"}, {0x100, "Place Detpack"},
    {0x200, "Can Disguise"},      {0x400, "Can Feign Death"}, {0x1000, "Has Nightvision"},
    {0x2000, "Sniper Autozoom"},  {0x4000, "Can use Turrets"}, {0x8000, "Sniper Scope"},
    {0x10000, "Sniper Lasersight"}, {0x20000, "Can Heal Others"}, {0x40000, "Disarm Detpack"},
    {0x80000, "Can be the Hunted"}, {0x100000, "Can be Bodyguard"}, {0x200000, "Can be Assassin"},
    {0x400000, "Can be the V.I.P."},
};

// " (Scanner on, Knife Throw off)": what a change of classabilities ticks and
// clears, bit by bit; a bit without a box by its value ("bit 0x800 on").
std::string abilitiesChanged(std::int32_t before, std::int32_t now)
{
    std::string named;
    for (int bit = 0; bit < 32; ++bit) {
        const std::uint32_t mask = std::uint32_t(1) << bit;
        if (((std::uint32_t(before) ^ std::uint32_t(now)) & mask) == 0)
            continue;
        std::string name = "bit 0x" + [&] {
            char hex[9];
            return std::string(hex, std::to_chars(hex, hex + 8, mask, 16).ptr);
        }();
        for (const auto &[known, text] : abilityNames) {
            if (known == mask)
                name = text;
        }
        named += (named.empty() ? " (" : ", ") + name + (std::uint32_t(now) & mask ? " on" : " off");
    }
    return named.empty() ? named : named + ')';
}

// "health 100 -> 95", "inventory Flash Grenades 0 -> 2": each value that
// would read differently from the file.
void appendValueChanges(std::vector<std::string> &parts, const ClassRecord &before, const ClassRecord &now)
{
    for (const ClassField &field : classFields()) {
        const std::optional<std::string> old = writtenValue(field, before), value = writtenValue(field, now);
        if (old == value)
            continue;
        parts.push_back(change(field.key, shown(field, old), shown(field, value)));
        if (field.kind == FieldKind::Abilities && old && value)
            parts.back() += abilitiesChanged(before.classabilities, now.classabilities);
    }
    for (std::size_t slot = 0; slot < now.inventory.size(); ++slot) {
        if (before.inventory[slot] != now.inventory[slot])
            parts.push_back(change("inventory " + std::string(itemCatalogue[slot].displayName),
                                   formatInt(before.inventory[slot]), formatInt(now.inventory[slot])));
    }
}

// The classes that changed their order: all but the longest run of classes
// whose saved positions rise, so that a class moved to the end is the one
// that moved, not every class it passed.
std::vector<bool> movedClasses(const std::vector<int> &from)
{
    const std::size_t n = from.size();
    std::vector<std::size_t> length(n, 0), previous(n, n);
    std::size_t last = n;
    for (std::size_t i = 0; i < n; ++i) {
        if (from[i] < 0)
            continue;
        length[i] = 1;
        for (std::size_t j = 0; j < i; ++j) {
            if (from[j] >= 0 && from[j] < from[i] && length[j] + 1 > length[i]) {
                length[i] = length[j] + 1;
                previous[i] = j;
            }
        }
        if (last == n || length[i] > length[last])
            last = i;
    }
    std::vector<bool> moved(n);
    for (std::size_t i = 0; i < n; ++i)
        moved[i] = from[i] >= 0;
    for (std::size_t i = last; i != n; i = previous[i])
        moved[i] = false;
    return moved;
}

} // namespace

std::vector<std::string> classChanges(std::span<const ClassRecord> saved, std::span<const ClassRecord> records,
                                      std::span<const int> origins)
{
    // The saved class each class came from; anything that names none is new.
    std::vector<int> from(records.size(), -1);
    for (std::size_t i = 0; i < records.size(); ++i) {
        const int origin = origins.empty() ? int(i) : i < origins.size() ? origins[i] : -1;
        if (origin >= 0 && std::size_t(origin) < saved.size())
            from[i] = origin;
    }
    const std::vector<bool> moved = movedClasses(from);
    std::vector<bool> kept(saved.size());
    std::vector<std::string> lines;
    for (std::size_t i = 0; i < records.size(); ++i) {
        if (from[i] < 0) {
            lines.push_back("New class " + label(records[i], i));
            continue;
        }
        const std::size_t origin = std::size_t(from[i]);
        kept[origin] = true;
        std::vector<std::string> parts;
        if (moved[i])
            parts.push_back("moved from class " + std::to_string(origin) + " to class " + std::to_string(i));
        appendValueChanges(parts, saved[origin], records[i]);
        if (parts.empty())
            continue;
        std::string line = label(records[i], i) + ": ";
        for (const std::string &part : parts)
            line.append(part).append(&part == &parts.back() ? "" : "; ");
        lines.push_back(std::move(line));
    }
    for (std::size_t origin = 0; origin < saved.size(); ++origin) {
        if (!kept[origin])
            lines.push_back("Deleted class " + label(saved[origin], origin));
    }
    return lines;
}

std::string changeReview(std::span<const ClassRecord> saved, std::span<const ClassRecord> now,
                         std::span<const int> origins)
{
    const std::vector<std::string> lines = classChanges(saved, now, origins);
    if (lines.empty())
        return "No class has changed since the file was last loaded or written.\n";
    std::string out;
    for (const std::string &line : lines)
        out.append(line).append(1, '\n');
    return out;
}
