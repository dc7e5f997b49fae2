#pragma once

#include "classdata/compare/classdiff.h"
#include "classdata/format/classrecord.h"
#include "classdata/format/team.h"
#include "model/session/classesondisk.h"

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// What the views that set classes and teams side by side show, without the
// window: Compare Two Classes, the chart of one value, and what a baseline
// file marks. Texts are UTF-8.

namespace tolvane {

// One class of a team, at its position among the team's classes.
struct TeamClass
{
    const ClassRecord *record = nullptr;
    Team team = Team::Seals;
    int position = 0;
};

// The classes of a team, in their order.
std::vector<TeamClass> teamClasses(std::span<const ClassRecord> classes, Team team);

// "Seals 2  Sniper": the team, the slot and the name, as lists show a class.
std::string teamClassLabel(const TeamClass &member);

// Compare Two Classes: one row a value of either class, in the order the
// file holds them, in the class table's words.
struct ComparisonRow
{
    enum class Mark : std::uint8_t { Equal, Differs, OnlyLeft, OnlyRight };
    std::string value; // the column's title: "Health", "Sniper Scope", "Grenades"
    std::string key;   // the file's: "health", "classabilities 0x8000", "inventory ammo_grenades"
    std::string left;
    std::string right;
    std::string difference; // numbers: "-5 (x0.95)"
    Mark mark = Mark::Equal;

    // "equal", "differs", "only left", "only right": the mark in words, for
    // those who do not see the row's colour.
    std::string_view note() const;
};
std::vector<ComparisonRow> comparisonRows(const ClassRecord &left, const ClassRecord &right);

// A bar chart of one value across classes of both teams.
struct ChartBar
{
    std::string label; // the class's name
    Team team = Team::Seals;
    double value = 0;
    std::string text; // the value beside the bar: "100", "1.5"
};

// A mark on a value axis, and its text: "0", "50", "0.25".
struct AxisTick
{
    double value = 0;
    std::string text;
};

// A scale from low to high with ticks at round steps (1, 2 or 5 times a
// power of ten), the first at low and the last at high.
struct ValueAxis
{
    double low = 0;
    double high = 1;
    std::vector<AxisTick> ticks;
};

// The axis that holds every value from low to high in the fewest round
// steps that give at most maxTicks ticks (at least 2).
ValueAxis valueAxis(double low, double high, int maxTicks);

// A line across the bars at a team's mean, and its label: "Seals mean 97.5".
struct TeamMean
{
    Team team = Team::Seals;
    double value = 0;
    std::string label;
};

struct BarChart
{
    // "Health of 12 classes: 7 Seals, 5 Tangos"
    std::string title;
    // The value axis's title: the value's column title ("Health").
    std::string valueTitle;
    // Highest first; classes of equal values keep the order they came in.
    std::vector<ChartBar> bars;
    // What the scale must hold: 0, so that a bar's length is its value, and
    // every value drawn.
    double low = 0;
    double high = 1;
    // The scale: valueAxis(low, high, 6).
    ValueAxis axis;
    // Each team that has a class drawn, the Seals first: the mean of its
    // values drawn.
    std::vector<TeamMean> means;
    // Why classes of a team are missing, when they are.
    std::string note = {};

    // Where value stands on the scale: 0 at its low end, 1 at its high end.
    double place(double value) const { return (value - axis.low) / (axis.high - axis.low); }
};

// The chart of value (one of numericValues) for classes.
BarChart barChart(const ClassValue &value, std::span<const TeamClass> classes);

// The classes in memory against a baseline file, by position in memory:
// what each class changed since the baseline (its values that differ), and
// which classes the baseline does not have.
struct BaselineMarks
{
    std::vector<std::vector<ClassValue>> changed;
    std::vector<bool> added;

    bool changedSince(std::size_t position) const
    {
        return position < added.size() && (added[position] || !changed[position].empty());
    }
    bool valueChanged(std::size_t position, const ClassValue &value) const;
};
BaselineMarks baselineMarks(const ClassDifferences &differences, std::size_t classCount);

// "Classes that share a name are matched in order, the first with the first:
// "Sniper" (2 in the baseline, 1 in memory)."; empty when no name repeats.
std::string repeatedNamesNote(const ClassMatch &match, std::string_view firstSide, std::string_view secondSide);

} // namespace tolvane
