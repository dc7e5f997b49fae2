#include "bulkchange.h"

#include "model/session/formvalues.h"
#include "tablecolumns.h"
#include "classdata/text/textnumbers.h"

#include <cmath>
#include <vector>

namespace tolvane {

namespace {

constexpr char timesSign = '\xD7'; // Windows-1252

// The whole of text as a number; nullopt when any of it is not.
std::optional<double> wholeNumber(std::string_view text)
{
    std::size_t used = 0;
    const double number = parseDouble(text, &used);
    if (text.empty() || used != text.size() || !std::isfinite(number))
        return std::nullopt;
    return number;
}

std::string quoted(std::string_view text)
{
    return '"' + std::string(text) + '"';
}

std::variant<BulkChange, std::string> numberChange(const TableColumn &column, std::string_view typed)
{
    const bool whole = column.kind != ColumnKind::Float;
    const char sign = typed.front();
    BulkChange change;
    std::string_view number = typed;
    if (sign == '=') {
        number = trimmed(typed.substr(1));
    } else if (sign == '+' || sign == '-') {
        change.kind = BulkChange::Kind::Add;
        if (typed.back() == '%') {
            change.kind = BulkChange::Kind::Scale;
            number = trimmed(typed.substr(0, typed.size() - 1));
        }
    } else if (sign == 'x' || sign == 'X' || sign == '*' || sign == timesSign) {
        change.kind = BulkChange::Kind::Scale;
        number = trimmed(typed.substr(1));
    }
    const std::optional<double> value = wholeNumber(number);
    if (!value)
        return quoted(number) + " is not a number; type a value, +5, -10, x1.05 or +5%";
    if (whole && change.kind != BulkChange::Kind::Scale && *value != std::trunc(*value))
        return column.title + " takes whole numbers";
    change.amount = *value;
    if (change.kind == BulkChange::Kind::Scale && typed.back() == '%')
        change.amount = 1 + *value / 100;
    if (change.kind == BulkChange::Kind::Set)
        change.text = number;
    return change;
}

// The column's value of record after the change, as a box would hold it.
std::string changedText(const TableColumn &column, const BulkChange &change, const ClassRecord &record)
{
    if (change.kind == BulkChange::Kind::Set)
        return change.text;
    const double old = cellNumber(column, record).value_or(0);
    const double result = change.kind == BulkChange::Kind::Add ? old + change.amount : old * change.amount;
    if (column.kind == ColumnKind::Float)
        return formatFloat(toFloat32(result));
    return formatInt(truncateToInt32(std::round(result)));
}

std::string stepName(const TableColumn &column, const EditorState &state, const std::vector<int> &changed)
{
    const std::string on = changed.size() == 1
                               ? std::string(state.table.records[std::size_t(changed.front())].classname.view())
                               : std::to_string(changed.size()) + " classes";
    return "Change " + column.title + " on " + on;
}

} // namespace

std::variant<BulkChange, std::string> readBulkChange(const TableColumn &column, std::string_view typed)
{
    const std::string_view value = trimmed(typed);
    if (value.empty() && column.kind != ColumnKind::Text)
        return std::string("Type the new value");
    switch (column.kind) {
    case ColumnKind::Int:
    case ColumnKind::Float:
    case ColumnKind::Item:
        return numberChange(column, value);
    case ColumnKind::Tick:
        if (!tickWord(value))
            return column.title + " is set to yes or no";
        break;
    case ColumnKind::Inventory:
        return std::string("Change the column of one item instead");
    case ColumnKind::Text:
        return BulkChange{BulkChange::Kind::Set, std::string(typed)};
    default:
        break;
    }
    ClassRecord probe;
    if (!setCellText(column, value, probe))
        return column.title + " has no entry " + quoted(value);
    return BulkChange{BulkChange::Kind::Set, std::string(value)};
}

ClassRecord changedRecord(const TableColumn &column, const BulkChange &change, const ClassRecord &record)
{
    ClassRecord changed = record;
    setCellText(column, changedText(column, change, record), changed);
    return changed;
}

std::optional<TableEdit> changeClasses(EditedClasses classes, int column, const BulkChange &change,
                                       std::span<const int> slots)
{
    const TableColumn &of = tableColumns()[std::size_t(column)];
    auto &records = classes.state.table.records;
    std::vector<int> changed;
    std::vector<ClassRecord> results;
    for (int slot : slots) {
        ClassRecord result = changedRecord(of, change, records[std::size_t(slot)]);
        // As the file would hold it: a NaN elsewhere in the class is no change.
        if (sameValue(of.value, records[std::size_t(slot)], result, ValueNaming::AsFile))
            continue;
        changed.push_back(slot);
        results.push_back(std::move(result));
    }
    if (changed.empty())
        return std::nullopt;
    TableEdit step(stepName(of, classes.state, changed), classes.state);
    for (std::size_t i = 0; i < changed.size(); ++i)
        step.replace(classes, changed[i], results[i], classes.ids[std::size_t(changed[i])]);
    step.finish(classes.state);
    return step;
}

} // namespace tolvane
