#pragma once

#include "classvalues.h"

#include <optional>
#include <span>
#include <string>
#include <vector>

namespace tolvane {

// Two classes side by side (Compare Two Classes), and sets of classes side
// by side (the class table's summary rows for the two teams, the chart).

enum class Side : std::uint8_t { Left, Right };

struct ComparedValue
{
    ClassValue value;
    std::optional<std::string> left; // as shownValue gives it, AsForm
    std::optional<std::string> right;
    bool quoted = false;
    bool equal = false;
    // Numbers: right - left, and right / left when left is not 0.
    std::optional<double> difference = {};
    std::optional<double> ratio = {};
    // Abilities and items: the one class that has it, when only one does.
    std::optional<Side> onlyIn = {};
};

// Every value of both classes, equal or not, in the order valuesOf gives.
std::vector<ComparedValue> compareTwoClasses(const ClassRecord &left, const ClassRecord &right);

// "-5 (x0.95)", "+0.5 (x1.5)", "+2" when left is 0; empty for equal values
// and for values that are no numbers.
std::string differenceText(const ComparedValue &compared);

// value with at most decimals decimals, without trailing zeros, '.' in every
// locale: "0.95", "2", "-1.5".
std::string shortNumber(double value, int decimals);

// The int and float fields, then the items: the values a summary row or a
// chart can take.
std::vector<ClassValue> numericValues();

struct ValueSpread
{
    double minimum = 0;
    double mean = 0;
    double maximum = 0;
};

// Over the classes given (a team, or the rows a filter leaves); nullopt
// for none or for a value that is no number.
std::optional<ValueSpread> spreadOf(const ClassValue &value, std::span<const ClassRecord *const> classes);

struct TeamSummaryRow
{
    ClassValue value;
    std::optional<ValueSpread> first;
    std::optional<ValueSpread> second;
    std::optional<double> meanDifference = {}; // second's mean - first's
};

// One row for each of numericValues.
std::vector<TeamSummaryRow> teamSummary(std::span<const ClassRecord *const> first,
                                        std::span<const ClassRecord *const> second);

} // namespace tolvane
