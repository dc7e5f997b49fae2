#include "classcompare.h"

#include <algorithm>
#include <charconv>

namespace tolvane {

std::string shortNumber(double value, int decimals)
{
    char text[64];
    const auto end = std::to_chars(text, std::end(text), value, std::chars_format::fixed, decimals).ptr;
    std::string out(text, end);
    if (out.find('.') != std::string::npos) {
        out.erase(out.find_last_not_of('0') + 1);
        if (out.back() == '.')
            out.pop_back();
    }
    return out == "-0" ? "0" : out;
}

std::vector<ComparedValue> compareTwoClasses(const ClassRecord &left, const ClassRecord &right)
{
    std::vector<ComparedValue> rows;
    for (const ClassValue &value : valuesOf(left, right, ValueNaming::AsForm)) {
        ComparedValue row{.value = value,
                          .left = shownValue(value, left, ValueNaming::AsForm),
                          .right = shownValue(value, right, ValueNaming::AsForm),
                          .quoted = value.kind == ClassValue::Kind::Field && value.field->kind == FieldKind::Text,
                          .equal = sameValue(value, left, right, ValueNaming::AsForm)};
        const std::optional<double> a = numberOf(value, left), b = numberOf(value, right);
        if (a && b) {
            row.difference = *b - *a;
            if (*a != 0)
                row.ratio = *b / *a;
        }
        const bool leftHas = value.kind == ClassValue::Kind::Item ? *a != 0 : row.left == "yes";
        const bool rightHas = value.kind == ClassValue::Kind::Item ? *b != 0 : row.right == "yes";
        if (value.kind != ClassValue::Kind::Field && leftHas != rightHas)
            row.onlyIn = leftHas ? Side::Left : Side::Right;
        rows.push_back(std::move(row));
    }
    return rows;
}

std::string differenceText(const ComparedValue &compared)
{
    if (compared.equal || !compared.difference)
        return {};
    std::string text = (*compared.difference > 0 ? "+" : "") + shortNumber(*compared.difference, 6);
    if (compared.ratio)
        text += " (x" + shortNumber(*compared.ratio, 2) + ')';
    return text;
}

std::vector<ClassValue> numericValues()
{
    std::vector<ClassValue> values;
    for (const ClassField &field : classFields()) {
        if (field.kind == FieldKind::Int || field.kind == FieldKind::Float)
            values.push_back({.field = &field});
    }
    for (int slot = 0; slot < inventorySlotCount; ++slot)
        values.push_back({.kind = ClassValue::Kind::Item, .slot = slot});
    return values;
}

std::optional<ValueSpread> spreadOf(const ClassValue &value, std::span<const ClassRecord *const> classes)
{
    std::optional<ValueSpread> spread;
    double sum = 0;
    for (const ClassRecord *record : classes) {
        const std::optional<double> number = numberOf(value, *record);
        if (!number)
            return std::nullopt;
        if (!spread)
            spread = ValueSpread{*number, 0, *number};
        spread->minimum = std::min(spread->minimum, *number);
        spread->maximum = std::max(spread->maximum, *number);
        sum += *number;
    }
    if (spread)
        spread->mean = sum / double(classes.size());
    return spread;
}

std::vector<TeamSummaryRow> teamSummary(std::span<const ClassRecord *const> first,
                                        std::span<const ClassRecord *const> second)
{
    std::vector<TeamSummaryRow> rows;
    for (const ClassValue &value : numericValues()) {
        TeamSummaryRow row{value, spreadOf(value, first), spreadOf(value, second)};
        if (row.first && row.second)
            row.meanDifference = row.second->mean - row.first->mean;
        rows.push_back(row);
    }
    return rows;
}

} // namespace tolvane
