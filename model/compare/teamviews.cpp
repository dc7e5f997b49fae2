#include "teamviews.h"

#include "classdata/compare/classcompare.h"
#include "classdata/format/classfilereader.h"
#include "model/session/editorsession.h"
#include "classdata/files/fileio.h"
#include "model/review/valuewords.h"

#include <algorithm>
#include <cmath>
#include <memory>

namespace tolvane {

std::vector<TeamClass> teamClasses(std::span<const ClassRecord> classes, Team team)
{
    std::vector<TeamClass> members;
    for (std::size_t i = 0; i < classes.size(); ++i)
        members.push_back({&classes[i], team, int(i)});
    return members;
}

std::string teamClassLabel(const TeamClass &member)
{
    return std::string(teamName(member.team)) + ' ' + std::to_string(member.position) + "  "
           + utf8Of(member.record->classname.view());
}

std::string_view ComparisonRow::note() const
{
    constexpr std::string_view notes[] = {"equal", "differs", "only left", "only right"};
    return notes[int(mark)];
}

std::vector<ComparisonRow> comparisonRows(const ClassRecord &left, const ClassRecord &right)
{
    std::vector<ComparisonRow> rows;
    for (const ComparedValue &compared : compareTwoClasses(left, right)) {
        ComparisonRow row{utf8Of(columnTitle(compared.value)), utf8Of(valueKey(compared.value)),
                          utf8Of(sideWords(compared.value, compared.left)),
                          utf8Of(sideWords(compared.value, compared.right)), differenceText(compared)};
        if (compared.onlyIn)
            row.mark = *compared.onlyIn == Side::Left ? ComparisonRow::Mark::OnlyLeft : ComparisonRow::Mark::OnlyRight;
        else if (!compared.equal)
            row.mark = ComparisonRow::Mark::Differs;
        rows.push_back(std::move(row));
    }
    return rows;
}

ValueAxis valueAxis(double low, double high, int maxTicks)
{
    maxTicks = std::max(maxTicks, 2);
    if (!(high > low))
        high = low + 1;
    // Steps of 1, 2 and 5 times magnitude, growing until the ticks are few enough.
    constexpr double slack = 1e-9; // a value a rounding error beyond a step is on it
    double magnitude = std::pow(10, std::floor(std::log10((high - low) / (maxTicks - 1))));
    for (;; magnitude *= 10) {
        for (const double factor : {1, 2, 5}) {
            const double step = factor * magnitude;
            const double first = std::floor(low / step + slack), last = std::ceil(high / step - slack);
            if (last - first + 1 > maxTicks)
                continue;
            const int decimals = std::max(0, -int(std::floor(std::log10(magnitude) + slack)));
            ValueAxis axis{first * step, last * step, {}};
            for (double k = first; k <= last; ++k)
                axis.ticks.push_back({k * step, shortNumber(k * step, decimals)});
            return axis;
        }
    }
}

BarChart barChart(const ClassValue &value, std::span<const TeamClass> classes)
{
    BarChart chart;
    chart.high = 0;
    int perTeam[2] = {};
    int drawn[2] = {};
    double sum[2] = {};
    for (const TeamClass &member : classes) {
        const double number = numberOf(value, *member.record).value_or(0);
        ++perTeam[int(member.team)];
        chart.bars.push_back({utf8Of(classLabel(*member.record, std::size_t(member.position))), member.team, number,
                              shortNumber(number, 6)});
        // A value the game cannot use as a number (nan, inf) is shown, but
        // neither drawn, on the scale nor in the mean.
        if (std::isfinite(number)) {
            chart.low = std::min(chart.low, number);
            chart.high = std::max(chart.high, number);
            ++drawn[int(member.team)];
            sum[int(member.team)] += number;
        }
    }
    if (chart.low == chart.high)
        chart.high = chart.low + 1; // values all 0: bars of no length on a scale of 0 to 1
    chart.axis = valueAxis(chart.low, chart.high, 6);
    std::stable_sort(chart.bars.begin(), chart.bars.end(), [](const ChartBar &a, const ChartBar &b) {
        const bool aDrawn = std::isfinite(a.value), bDrawn = std::isfinite(b.value);
        return aDrawn != bDrawn ? aDrawn : aDrawn && a.value > b.value;
    });
    std::string teams;
    for (Team team : {Team::Seals, Team::Tangos}) {
        if (perTeam[int(team)] > 0)
            teams += (teams.empty() ? "" : ", ") + std::to_string(perTeam[int(team)]) + ' '
                     + std::string(teamName(team));
        if (drawn[int(team)] > 0) {
            const double mean = sum[int(team)] / drawn[int(team)];
            chart.means.push_back({team, mean, std::string(teamName(team)) + " mean " + shortNumber(mean, 2)});
        }
    }
    const std::size_t count = chart.bars.size();
    chart.valueTitle = utf8Of(columnTitle(value));
    chart.title = chart.valueTitle + " of " + std::to_string(count) + (count == 1 ? " class" : " classes")
                  + (teams.empty() ? "" : ": " + teams);
    return chart;
}

bool BaselineMarks::valueChanged(std::size_t position, const ClassValue &value) const
{
    return position < added.size()
           && (added[position] || std::ranges::find(changed[position], value) != changed[position].end());
}

BaselineMarks baselineMarks(const ClassDifferences &differences, std::size_t classCount)
{
    BaselineMarks marks{std::vector<std::vector<ClassValue>>(classCount), std::vector<bool>(classCount)};
    for (const ChangedClass &changed : differences.changed) {
        if (std::size_t(changed.pair.second) < classCount) {
            for (const ValueChange &change : changed.changes)
                marks.changed[std::size_t(changed.pair.second)].push_back(change.value);
        }
    }
    for (const ListedClass &added : differences.added) {
        if (std::size_t(added.position) < classCount)
            marks.added[std::size_t(added.position)] = true;
    }
    return marks;
}

std::string repeatedNamesNote(const ClassMatch &match, std::string_view firstSide, std::string_view secondSide)
{
    std::string note;
    for (const RepeatedName &name : match.repeatedNames) {
        note += (note.empty() ? "Classes that share a name are matched in order, the first with the first: " : "; ")
                + ('"' + utf8Of(name.name) + "\" (" + std::to_string(name.inFirst) + ' ').append(firstSide) + ", "
                + std::to_string(name.inSecond) + ' ' + std::string(secondSide) + ')';
    }
    return note.empty() ? note : note + '.';
}

} // namespace tolvane
