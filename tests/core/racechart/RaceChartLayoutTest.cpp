#include "racechart/RaceChartLayout.h"

#include <gtest/gtest.h>

#include <tuple>

#include "QuickRaceWriter.h"
#include "TempDir.h"
#include "racechart/RaceChartPalette.h"
#include "replay/DriverTable.h"

namespace {

using Lines = std::vector<RaceChartLine>;
using Laps = std::vector<std::uint32_t>;

// A quick race of drivers named "D0" ... with their race laps (all starting 1 s apart) and, when
// given, their qualifying laps.
class RaceChartLayoutTest : public testing::Test {
protected:
    RaceChartLayout chart(const std::vector<Laps>& race, const std::vector<Laps>& qualifying = {}) {
        ReplayWriter w = quickRaceWriter("D0");
        std::vector<LapList> raceLists, qualifyingLists;
        for (std::size_t d = 0; d < race.size(); ++d) {
            const auto id = static_cast<std::uint32_t>(10 + d);
            w.addDriver({"D" + std::to_string(d), "Car", "", "GT", id, 250, id});
            raceLists.push_back(lapListFromDurations(id, 1000 * static_cast<std::uint32_t>(d + 1), race[d]));
            if (!qualifying.empty()) qualifyingLists.push_back(lapListFromDurations(id, 1000, qualifying[d]));
        }
        if (!qualifying.empty()) w.addLapTable(qualifyingLists);
        w.addLapTable(raceLists);
        w.addFrame({sessionMarkerRecord(1, 1000)});
        const auto path = folder_.path() / "race.rpy";
        EXPECT_TRUE(w.write(path));
        EXPECT_TRUE(drivers_.read(path).ok());
        return layoutRaceChart(drivers_);
    }

    TempDir folder_;
    DriverTable drivers_;
};

TEST_F(RaceChartLayoutTest, QualifyingSetsTheStartAndLinesRunFromIt) {
    // D2 has the fastest complete qualifying lap; D1's faster lap is incomplete.
    const RaceChartLayout c = chart({{60000, 60000}, {61000, 57000}, {59000, 63000}},
                                    {{70000}, {60000 | kIncompleteLap, 72000}, {69000}});
    EXPECT_EQ(std::tuple(c.width, c.height, c.laps, c.startQuestionMarks),
              std::tuple(24 * 3 + 218, 18 * 3 + 50, 2, false));
    EXPECT_EQ(c.start, (std::vector<int>{2, 0, 1}));
    EXPECT_EQ(c.rowLabels, (std::vector<std::string>{"D2 Car   1", "D0 Car   2", "D1 Car   3"}));
    ASSERT_EQ(c.columns.size(), 2u);
    // Lap 1 ends at 61 s for D0, 62 s for D2, 63 s for D1; lap 2 at 120 s for D1, 121 s, 125 s.
    EXPECT_EQ(c.columns[0].rows, (std::vector<int>{0, 2, 1}));
    EXPECT_EQ(c.columns[0].lines, (Lines{{0, 1, 0}, {1, 2, 2}, {2, 0, 1}}));
    EXPECT_EQ(c.columns[1].rows, (std::vector<int>{1, 0, 2}));
    EXPECT_EQ(c.columns[1].lines, (Lines{{0, 0, 1}, {1, 2, 0}, {2, 1, 2}}));
    EXPECT_EQ(std::tuple(c.columns[0].carsOnLeadLap, c.columns[0].shadedFrom), std::tuple(3, std::nullopt));
}

TEST_F(RaceChartLayoutTest, WithoutQualifyingTheFirstLapSetsTheStartAndLinesBeginAfterIt) {
    const RaceChartLayout c = chart({{60000, 60000}, {57000, 60000}, {}});
    EXPECT_TRUE(c.startQuestionMarks);
    EXPECT_EQ(c.start, (std::vector<int>{1, 0, 2})) << "D1 completes lap 1 first; D2 never does";
    EXPECT_TRUE(c.columns[0].lines.empty());
    EXPECT_EQ(c.columns[1].lines, (Lines{{0, 1, 1}, {1, 0, 0}}));
    EXPECT_EQ(c.columns[0].rows, (std::vector<int>{1, 0}));
    EXPECT_EQ(c.columns[0].shadedFrom, 2) << "the row without a car is shaded";
}

TEST_F(RaceChartLayoutTest, ARetirementClosesTheRowsUpAndItsLineEnds) {
    const Laps full(7, 60000);
    Laps early(5, 59000);
    const RaceChartLayout c = chart({full, early, full}, {{70000}, {69000}, {71000}});
    ASSERT_EQ(c.columns.size(), 7u);
    EXPECT_EQ(c.columns[4].rows, (std::vector<int>{1, 0, 2}));
    EXPECT_EQ(c.columns[5].rows, (std::vector<int>{0, 2}));
    EXPECT_EQ(c.columns[5].lines, (Lines{{0, 1, 0}, {2, 2, 1}}));
    EXPECT_EQ(c.columns[5].shadedFrom, 2);
}

TEST_F(RaceChartLayoutTest, LappedCarsAreShadedAndTheLastLapKeepsThePreviousCount) {
    // D2 takes 90 s a lap: he ends lap 1 (93 s) before the leader ends lap 2 (121 s), but lap 2
    // (183 s) after the leader's lap 3 (181 s).
    const RaceChartLayout c =
        chart({{60000, 60000, 60000, 60000}, {61000, 61000, 61000, 61000}, {90000, 90000, 90000}},
              {{70000}, {71000}, {72000}});
    // The last lap repeats the previous count.
    EXPECT_EQ(std::tuple(c.columns[0].carsOnLeadLap, c.columns[1].carsOnLeadLap, c.columns[2].carsOnLeadLap,
                         c.columns[3].carsOnLeadLap),
              std::tuple(3, 2, 2, 2));
    EXPECT_EQ(c.columns[1].shadedFrom, 2);
    EXPECT_EQ(c.columns[3].rows, (std::vector<int>{0, 1}));
}

TEST_F(RaceChartLayoutTest, PlacesUpToNineCarryTwoMoreBlanks) {
    std::vector<Laps> race, qualifying;
    for (int d = 0; d < 10; ++d) {
        race.push_back({60000});
        qualifying.push_back({70000 + 100 * static_cast<std::uint32_t>(d)});
    }
    const RaceChartLayout c = chart(race, qualifying);
    EXPECT_EQ(std::tie(c.rowLabels[8], c.rowLabels[9]), std::tuple("D8 Car   9", "D9 Car 10"));
    // A one-lap race has no previous lap: every car at lap 1 is on the lead lap.
    EXPECT_EQ(std::tuple(c.columns[0].carsOnLeadLap, c.columns[0].shadedFrom), std::tuple(10, std::nullopt));
}

TEST_F(RaceChartLayoutTest, EqualTimesGoByDriverAndLongRacesByTheWholeTime) {
    // D1 and D0 cross together; D2's lap is past 24 bits of milliseconds (4h39m), so a time cut
    // to 24 bits would put him first.
    const RaceChartLayout c = chart({{60000}, {59000}, {0xFFFFFF}}, {{70000}, {70000}, {69000}});
    EXPECT_EQ(c.start, (std::vector<int>{2, 0, 1}));
    EXPECT_EQ(c.columns[0].rows, (std::vector<int>{0, 1, 2}));
}

TEST_F(RaceChartLayoutTest, ARaceWithoutLapsHasNoColumns) {
    const RaceChartLayout c = chart({{}, {}});
    EXPECT_EQ(std::tuple(c.laps, c.width, c.columns.size()), std::tuple(0, 24 + 218, 0u));
    EXPECT_EQ(c.start, (std::vector<int>{0, 1}));
}

TEST(RaceChartPalette, ChartColoursFirstThenTheDriversInTurn) {
    using namespace racechart;
    const auto& colours = palette();
    const std::vector<std::pair<std::uint8_t, Rgb>> expected{
        {kBackground, {0, 0, 255}},      {kFrame, {255, 0, 0}},           {kInterior, {128, 128, 128}},
        {kLapped, {207, 207, 207}},      {kText, {255, 255, 255}},        {kCredit, {255, 255, 0}},
        {driverColour(0), {0, 255, 0}},  {driverColour(1), {255, 0, 0}},  {driverColour(2), {63, 63, 63}},
        {driverColour(20), {0, 255, 0}}, {driverColour(21), {255, 0, 0}}, {driverColour(40), {0, 255, 0}},
    };
    for (const auto& [index, colour] : expected)
        EXPECT_EQ(colours[index], colour) << int{index};
    // Every driver index a byte can hold has a colour inside the palette; those from 41 on are new.
    for (int d = 0; d < 256; ++d) {
        ASSERT_LT(driverColour(d), colours.size()) << d;
        if (d < 41) continue;
        for (int earlier = 0; earlier < 41; ++earlier)
            EXPECT_NE(colours[driverColour(d)], colours[driverColour(earlier)]) << d;
    }
}

}  // namespace
