#include "classroster.h"

#include "asciitext.h"
#include "tablecolumns.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace tolvane {

namespace {

// A class's value as the sort compares it.
struct SortKey
{
    int slot;
    double number = 0; // NaN: no number, sorted last
    std::string text = {}; // folded to lower case
};

} // namespace

void ClassRoster::sortBy(int column, SortOrder order)
{
    sortColumn = column;
    sortOrder = order;
}

void ClassRoster::setFilter(std::string_view text)
{
    typed = text;
    parsed = RosterFilter(text);
}

int rosterSize(const EditorState &state)
{
    return std::clamp(std::max(state.table.classCount, state.lastIndex + 1), 0, tableSlotCount);
}

std::vector<int> ClassRoster::shownRows(const EditorState &state) const
{
    std::vector<int> rows;
    for (int slot = 0; slot < rosterSize(state); ++slot) {
        if (parsed.matches(state.table.records[std::size_t(slot)]))
            rows.push_back(slot);
    }
    return sortColumn ? sortedRows(std::move(rows), state, *sortColumn, sortOrder) : rows;
}

void ClassRoster::select(std::span<const int> slots)
{
    chosen.reset();
    for (int slot : slots) {
        if (slot >= 0 && slot < tableSlotCount)
            chosen.set(std::size_t(slot));
    }
}

std::vector<int> ClassRoster::selectedRows(const EditorState &state) const
{
    std::vector<int> rows;
    for (int slot = 0; slot < rosterSize(state); ++slot) {
        if (chosen.test(std::size_t(slot)))
            rows.push_back(slot);
    }
    return rows;
}

std::string ClassRoster::countText(const EditorState &state) const
{
    if (parsed.error())
        return parsed.error()->text();
    const int all = rosterSize(state);
    std::string text = std::to_string(shownRows(state).size()) + " of " + std::to_string(all)
                       + (all == 1 ? " class" : " classes");
    const std::vector<int> selection = selectedRows(state);
    if (selection.size() > 1) {
        text += "; " + std::to_string(selection.size()) + " selected";
        const auto hidden = std::ranges::count_if(
            selection, [&](int slot) { return !parsed.matches(state.table.records[std::size_t(slot)]); });
        if (hidden > 0)
            text += ", " + std::to_string(hidden) + " of them hidden by the filter";
    }
    return text;
}

std::vector<int> sortedRows(std::vector<int> slots, const EditorState &state, int column, SortOrder order)
{
    const TableColumn &by = tableColumns()[std::size_t(column)];
    std::vector<SortKey> keys;
    keys.reserve(slots.size());
    for (int slot : slots) {
        const ClassRecord &record = state.table.records[std::size_t(slot)];
        SortKey key{.slot = slot};
        if (const std::optional<double> number = cellNumber(by, record)) {
            key.number = *number;
        } else {
            key.text = cellText(by, record);
            std::ranges::transform(key.text, key.text.begin(), foldCase);
        }
        keys.push_back(std::move(key));
    }
    const bool descending = order == SortOrder::Descending;
    std::ranges::stable_sort(keys, [descending](const SortKey &a, const SortKey &b) {
        if (std::isnan(a.number) || std::isnan(b.number))
            return !std::isnan(a.number) && std::isnan(b.number);
        if (a.number != b.number)
            return descending ? a.number > b.number : a.number < b.number;
        return descending ? a.text > b.text : a.text < b.text;
    });
    std::ranges::transform(keys, slots.begin(), &SortKey::slot);
    return slots;
}

std::optional<ValueSpread> columnSpread(int column, const EditorState &state, std::span<const int> rows)
{
    const TableColumn &of = tableColumns()[std::size_t(column)];
    if (!of.numeric())
        return std::nullopt;
    std::vector<const ClassRecord *> classes;
    for (int slot : rows)
        classes.push_back(&state.table.records[std::size_t(slot)]);
    return spreadOf(of.value, classes);
}

std::string summaryNumber(double value)
{
    if (!std::isfinite(value))
        return std::isnan(value) ? "nan" : value < 0 ? "-inf" : "inf";
    const double rounded = std::round(value * 1000) / 1000;
    char text[400];
    const auto [end, error] = std::to_chars(text, text + sizeof text, rounded == 0 ? 0.0 : rounded,
                                            std::chars_format::fixed, 3);
    std::string shown(text, error == std::errc() ? end : text);
    while (shown.find('.') != std::string::npos && (shown.back() == '0' || shown.back() == '.'))
        shown.pop_back();
    return shown;
}

std::optional<double> scalePosition(double value, const ValueSpread &spread)
{
    if (std::isnan(value))
        return std::nullopt;
    if (!(spread.maximum > spread.minimum))
        return 0.5;
    return std::clamp((value - spread.minimum) / (spread.maximum - spread.minimum), 0.0, 1.0);
}

std::string commonCellText(int column, const EditorState &state, std::span<const int> slots)
{
    const TableColumn &of = tableColumns()[std::size_t(column)];
    std::optional<std::string> common;
    for (int slot : slots) {
        std::string text = cellText(of, state.table.records[std::size_t(slot)]);
        if (common && *common != text)
            return "(different)";
        common = std::move(text);
    }
    return common.value_or(std::string());
}

} // namespace tolvane
