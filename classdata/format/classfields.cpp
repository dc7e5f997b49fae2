#include "classfields.h"

#include "classdata/text/asciitext.h"

#include <algorithm>
#include <array>

namespace tolvane {

namespace {

static_assert(std::size(classFieldTable) <= maxClassFields);

constexpr std::size_t longestKey = 15;

// The indexes of the fields of each key length, -1 after the last: a lookup
// looks at a handful of keys at most.
constexpr auto fieldsByLength = [] {
    std::array<std::array<std::int8_t, 8>, longestKey + 1> table{};
    for (auto &indexes : table)
        indexes.fill(-1);
    for (std::size_t i = 0; i < std::size(classFieldTable); ++i) {
        auto &indexes = table[classFieldTable[i].key.size()];
        *std::find(indexes.begin(), indexes.end(), -1) = std::int8_t(i);
    }
    return table;
}();

} // namespace

std::span<const ClassField> classFields()
{
    return classFieldTable;
}

const ClassField *fieldOfKey(std::string_view key)
{
    if (key.empty() || key.size() > longestKey)
        return nullptr;
    // The table's keys are lower case: fold the key once, then compare bytes,
    // the last one first, as keys of one length differ most at their ends.
    char folded[longestKey];
    std::transform(key.begin(), key.end(), folded, foldCase);
    const std::string_view name(folded, key.size());
    for (std::int8_t i : fieldsByLength[key.size()]) {
        if (i < 0)
            break;
        const std::string_view candidate = classFieldTable[std::size_t(i)].key;
        if (candidate.back() == name.back() && candidate == name)
            return &classFieldTable[std::size_t(i)];
    }
    return nullptr;
}

std::optional<float> resistanceOfWord(std::string_view word)
{
    static constexpr std::string_view words[] = {"none", "fire", "explosive"};
    for (std::size_t i = 0; i < std::size(words); ++i) {
        if (equalsIgnoreCase(word, words[i]))
            return float(i);
    }
    return std::nullopt;
}

std::optional<KeyRange> rangeOfKey(std::string_view key)
{
    const ClassField *field = fieldOfKey(key);
    return field ? field->range : std::nullopt;
}

void applyBlockStartDefaults(ClassRecord &record)
{
    for (const ClassField &field : classFieldTable) {
        if (field.intMember)
            record.*field.intMember = std::int32_t(field.blockStart);
        else if (field.floatMember)
            record.*field.floatMember = float(field.blockStart);
        else
            field.text.set(record, field.blockStartText);
    }
    record.inventory.fill(0);
}

} // namespace tolvane
