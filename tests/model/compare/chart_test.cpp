// What the chart shows, without the window: the scale and its ticks, each
// team's mean and the titles, in the class table's words.

#include "../sessiontesthelpers.h"

#include "classdata/compare/classcompare.h"
#include "model/compare/teamviews.h"

#include <gtest/gtest.h>

#include <tuple>

using namespace tolvane;

namespace {

std::string ticksOf(const ValueAxis &axis)
{
    std::string ticks;
    for (const AxisTick &tick : axis.ticks)
        ticks += (ticks.empty() ? "" : " ") + tick.text;
    return ticks;
}

// Round steps of 1, 2 or 5 that hold both ends in as few ticks as fit.
TEST(ChartScale, RoundTicksThatHoldTheValues)
{
    const std::tuple<double, double, int, const char *> rows[] = {
        // low, high, at most ticks: the ticks
        // clang-format off
        {0, 150, 6, "0 50 100 150"}, {0, 2, 6, "0 0.5 1 1.5 2"}, {0, 1, 6, "0 0.2 0.4 0.6 0.8 1"},
        {0, 0.81, 6, "0 0.2 0.4 0.6 0.8 1"}, {-30, 100, 6, "-50 0 50 100"}, {0, 150, 2, "0 200"}, {0, 150, 1, "0 200"},
        {0, 100000, 6, "0 20000 40000 60000 80000 100000"}, {0, 0.0003, 4, "0 0.0001 0.0002 0.0003"},
        {5, 5, 6, "5 5.2 5.4 5.6 5.8 6"},
        // clang-format on
    };
    for (const auto &[low, high, most, ticks] : rows) {
        const ValueAxis axis = valueAxis(low, high, most);
        EXPECT_EQ(ticksOf(axis), ticks) << low << ' ' << high << ' ' << most;
        ASSERT_FALSE(axis.ticks.empty());
        EXPECT_EQ(std::pair(axis.low, axis.high), std::pair(axis.ticks.front().value, axis.ticks.back().value));
    }
}

class ChartOfTeams : public ::testing::Test
{
protected:
    std::vector<ClassRecord> seals = classesIn(block("classname Sniper\nunderwaterair 1.5")
                                               + block("classname Medic\nunderwaterair 0.8")
                                               + block("classname Diver\nunderwaterair 0"));
    std::vector<ClassRecord> tangos = classesIn(block("classname Heavy\nunderwaterair 0.5")
                                                + block("classname Scout\nunderwaterair 2.5"));
    static const ClassValue &value(std::string_view key)
    {
        static const std::vector<ClassValue> values = numericValues();
        return *std::ranges::find_if(values, [&](const ClassValue &value) {
            return value.kind == ClassValue::Kind::Field && value.field->key == key;
        });
    }
    BarChart chartOf(std::string_view key, bool withTangos = true) const
    {
        std::vector<TeamClass> members = teamClasses(seals, Team::Seals);
        if (withTangos) {
            for (const TeamClass &member : teamClasses(tangos, Team::Tangos))
                members.push_back(member);
        }
        return barChart(value(key), members);
    }
    static std::string meansOf(const BarChart &chart)
    {
        std::string means;
        for (const TeamMean &mean : chart.means)
            means += (means.empty() ? "" : "; ") + mean.label + " at " + std::to_string(chart.place(mean.value));
        return means;
    }
};

// Each team's mean of its values (a 0 counts), placed on the scale as its
// bars are.
TEST_F(ChartOfTeams, TitlesScaleAndEachTeamsMean)
{
    const struct Row
    {
        const char *key;
        bool withTangos;
        const char *title;
        const char *valueTitle;
        const char *ticks;
        const char *means;
    } rows[] = {
        {"underwaterair", true, "Underwaterair of 5 classes: 3 Seals, 2 Tangos", "Underwaterair", "0 0.5 1 1.5 2 2.5",
         "Seals mean 0.77 at 0.306667; Tangos mean 1.5 at 0.600000"},
        {"underwaterair", false, "Underwaterair of 3 classes: 3 Seals", "Underwaterair", "0 0.5 1 1.5",
         "Seals mean 0.77 at 0.511111"},
        {"speed", true, "Class Speed of 5 classes: 3 Seals, 2 Tangos", "Class Speed", "0 0.2 0.4 0.6 0.8 1",
         "Seals mean 1 at 1.000000; Tangos mean 1 at 1.000000"},
        {"max_308cal", true, "Max .308 cal Mag of 5 classes: 3 Seals, 2 Tangos", "Max .308 cal Mag", "0 1 2 3 4",
         "Seals mean 4 at 1.000000; Tangos mean 4 at 1.000000"},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.title);
        const BarChart chart = chartOf(row.key, row.withTangos);
        EXPECT_EQ(chart.title, row.title);
        EXPECT_EQ(chart.valueTitle, row.valueTitle);
        EXPECT_EQ(ticksOf(chart.axis), row.ticks);
        EXPECT_EQ(meansOf(chart), row.means);
    }
}

} // namespace
