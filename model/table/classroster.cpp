#include "classroster.h"

#include "announcements.h"
#include "classdata/text/asciitext.h"
#include "tablecolumns.h"
#include "teamrows.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace tolvane {

namespace {

// A class's value as the sort compares it.
struct SortKey
{
    int slot;
    double number = 0;     // NaN: no number, sorted last
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
    return shownRows(TableRows{&state});
}

std::vector<int> ClassRoster::shownRows(const TableRows &classes) const
{
    std::vector<int> rows;
    for (int row : classes.all()) {
        if (parsed.matches(classes.record(row), classes.facts(row)))
            rows.push_back(row);
    }
    return sortColumn ? sortedRows(std::move(rows), classes, *sortColumn, sortOrder) : rows;
}

void ClassRoster::select(std::span<const int> slots)
{
    chosen.reset();
    for (int slot : slots) {
        if (slot >= 0 && std::size_t(slot) < chosen.size())
            chosen.set(std::size_t(slot));
    }
}

int ClassRoster::selectedOtherRows() const
{
    return int((chosen >> std::size_t(otherTeamRows)).count());
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
    return countText(TableRows{&state});
}

std::string ClassRoster::countText(const TableRows &classes) const
{
    if (parsed.error())
        return parsed.error()->text();
    const std::vector<int> all = classes.all();
    const std::vector<int> shown = shownRows(classes);
    std::string text = classCountText(shown.size(), all.size());
    if (!classes.other.empty()) {
        const auto theirs = std::ranges::count_if(shown, isOtherTeamRow);
        text += ", " + std::to_string(theirs) + " of them the " + std::string(teamName(otherTeam(classes.team))) + "'";
    }
    std::vector<int> selection;
    std::ranges::copy_if(all, std::back_inserter(selection), [this](int row) { return selected(row); });
    if (selection.size() > 1) {
        text += "; " + std::to_string(selection.size()) + " selected";
        const auto hidden = std::ranges::count_if(
            selection, [&](int row) { return !parsed.matches(classes.record(row), classes.facts(row)); });
        if (hidden > 0)
            text += ", " + std::to_string(hidden) + " of them hidden by the filter";
    }
    return text;
}

std::vector<int> sortedRows(std::vector<int> slots, const EditorState &state, int column, SortOrder order)
{
    return sortedRows(std::move(slots), TableRows{&state}, column, order);
}

std::vector<int> sortedRows(std::vector<int> slots, const TableRows &classes, int column, SortOrder order)
{
    if (column == teamColumn()) {
        // By the team's name, each team in the order it had.
        std::ranges::stable_sort(slots, [&](int a, int b) {
            const bool before = teamName(classes.teamOf(a)) < teamName(classes.teamOf(b));
            const bool after = teamName(classes.teamOf(b)) < teamName(classes.teamOf(a));
            return order == SortOrder::Descending ? after : before;
        });
        return slots;
    }
    const TableColumn &by = tableColumns()[std::size_t(column)];
    std::vector<SortKey> keys;
    keys.reserve(slots.size());
    for (int slot : slots) {
        const ClassRecord &record = classes.record(slot);
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
    return columnSpread(column, TableRows{&state}, rows);
}

std::optional<ValueSpread> columnSpread(int column, const TableRows &classes, std::span<const int> rows)
{
    if (column < 0 || column >= int(tableColumns().size()) || !tableColumns()[std::size_t(column)].numeric())
        return std::nullopt;
    std::vector<const ClassRecord *> records;
    for (int row : rows)
        records.push_back(&classes.record(row));
    return spreadOf(tableColumns()[std::size_t(column)].value, records);
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

std::string commonCellText(int column, const TableRows &rows, std::span<const int> slots)
{
    const TableColumn &of = tableColumns()[std::size_t(column)];
    std::optional<std::string> common;
    for (int slot : slots) {
        std::string text = cellText(of, rows.record(slot));
        if (common && *common != text)
            return "(different)";
        common = std::move(text);
    }
    return common.value_or(std::string());
}

} // namespace tolvane
