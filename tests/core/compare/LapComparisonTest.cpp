#include "compare/LapComparison.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>

#include "DemoSimulatorTest.h"
#include "SilentDocumentUi.h"
#include "document/ReplayDocument.h"
#include "replay/ReplayFormat.h"

namespace {

constexpr double kMetresPerSampleAtOneKmh = 1 / 3.6 / kSamplesPerSecond;

// A processed lap made up for comparison tests, on a track of `trackLength` m: sample 0 before the
// line, samples 1 .. N-2 on the lap at `metresAt(k)`, sample N-1 past the finish line. Each
// sample's speed is the distance it covers in a sample; the line lies halfway between the samples
// around it.
LapTelemetry comparisonLap(int samples, const std::function<double(int)>& metresAt,
                           double trackLength = 1000) {
    LapTelemetry lap = LapTelemetry::blank(samples);
    const auto place = [&](int k) {
        return k == 0 ? trackLength - 0.5 : k == samples - 1 ? 0.5 : metresAt(k);
    };
    for (int k = 0; k < samples; ++k) {
        const auto i = static_cast<std::size_t>(k);
        lap.distanceM[i] = place(k);
        lap.lateralM[i] = 1.5;
        const double covered = k == 0 || k == 1 || k == samples - 1 ? 1 : place(k) - place(k - 1);
        lap.speed[i] = covered / kMetresPerSampleAtOneKmh;
    }
    lap.finishLineSample = samples - 1;
    return lap;
}

// Half a metre past the line at sample 1, a metre a sample: 1000 samples from line to line.
LapTelemetry steadyLap() {
    return comparisonLap(1002, [](int k) { return k - 0.5; });
}

void leaveUnrecorded(LapTelemetry& lap, int k) {
    lap.distanceM[static_cast<std::size_t>(k)] = 0;
    lap.lateralM[static_cast<std::size_t>(k)] = 0;
}

TEST(LapComparison, EachLapsClockIsScaledToItsLapTimeAndInterpolatedBetweenPoints) {
    // Both laps take 1000 samples (27.778 s) from line to line; the tables say 27.800 and 27.900 s.
    const LapTelemetry lap = steadyLap();
    const auto compared = compareLaps({&lap, 27800}, {{&lap, 27900}}, 100);
    ASSERT_TRUE(compared) << refusalText(compared.error());
    const LapComparison& comparison = compared.value();
    ASSERT_EQ(comparison.laps.size(), 2u);
    EXPECT_EQ(comparison.laps[0].lapTime, 27.8);
    EXPECT_EQ(comparison.laps[1].finishDelta, 0.1);
    ASSERT_EQ(comparison.laps[1].points.size(), 10u);  // 0 .. 900 m; the lap records up to 999.5 m
    for (const DeltaPoint& point : comparison.laps[1].points) {
        EXPECT_NEAR(point.time, 27.9 * point.distance / 1000, 1e-9) << point.distance;
        EXPECT_NEAR(point.delta, 0.1 * point.distance / 1000, 1e-9) << point.distance;
        EXPECT_NEAR(point.speed, 129.6, 1e-9);
    }
    for (const DeltaPoint& point : comparison.laps[0].points)
        EXPECT_EQ(point.delta, 0);
    // Between points the course is interpolated; outside them there is nothing.
    const ComparedLap& other = comparison.laps[1];
    const auto between = other.at(250);
    ASSERT_TRUE(between);
    EXPECT_NEAR(between->delta, 0.025, 1e-9);
    EXPECT_EQ(other.at(900)->distance, 900);
    EXPECT_FALSE(other.at(-1));
    EXPECT_FALSE(other.at(900.5));
}

struct RefusalCase {
    const char* name;
    ComparisonInput reference;
    std::vector<ComparisonInput> others;
    double step;
    ComparisonRefusal refusal;
};

TEST(LapComparison, RefusesWhatCannotBeCompared) {
    const LapTelemetry lap = steadyLap();
    const LapTelemetry empty = LapTelemetry::blank(0);
    const LapTelemetry unrecorded = LapTelemetry::blank(40);
    const LapTelemetry onTheLine = comparisonLap(40, [](int) { return 0.0; });
    constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
    constexpr double kEndless = std::numeric_limits<double>::infinity();
    const RefusalCase cases[] = {
        {"no samples", {&lap, 1}, {{&empty, 1}}, 1, ComparisonRefusal::NoDistances},
        {"none recorded", {&unrecorded, 1}, {}, 1, ComparisonRefusal::NoDistances},
        {"never leaves the line", {&lap, 1}, {{&onTheLine, 1}}, 1, ComparisonRefusal::NoDistances},
        {"no lap", {nullptr, 1}, {}, 1, ComparisonRefusal::NoDistances},
        {"five others",
         {&lap, 1},
         std::vector<ComparisonInput>(5, {&lap, 1}),
         1,
         ComparisonRefusal::TooManyLaps},
        {"no step", {&lap, 1}, {}, 0, ComparisonRefusal::InvalidStep},
        {"step back", {&lap, 1}, {}, -1, ComparisonRefusal::InvalidStep},
        {"step not a number", {&lap, 1}, {}, kNaN, ComparisonRefusal::InvalidStep},
        {"endless step", {&lap, 1}, {}, kEndless, ComparisonRefusal::InvalidStep},
    };
    for (const RefusalCase& refusalCase : cases) {
        const auto compared = compareLaps(refusalCase.reference, refusalCase.others, refusalCase.step);
        ASSERT_FALSE(compared) << refusalCase.name;
        EXPECT_EQ(compared.error(), refusalCase.refusal) << refusalCase.name;
    }
    EXPECT_TRUE(compareLaps({&lap, 1}, std::vector<ComparisonInput>(4, {&lap, 1})));
    const std::pair<ComparisonRefusal, const char*> texts[] = {
        {ComparisonRefusal::NoDistances, "A lap without distances along the track cannot be compared."},
        {ComparisonRefusal::TooManyLaps, "Up to four laps can be compared with the reference lap."},
        {ComparisonRefusal::InvalidStep, "The step between points must be a positive number of metres."},
    };
    for (const auto& [refusal, text] : texts)
        EXPECT_EQ(refusalText(refusal), text);
}

TEST(LapComparison, EachDistanceIsAWholeMultipleOfTheStepAsWritten) {
    const LapTelemetry lap = steadyLap();
    for (const int tenths : {1, 3, 7, 11}) {
        const auto compared = compareLaps({&lap, 27800}, {{&lap, 27900}}, tenths / 10.0);
        ASSERT_TRUE(compared);
        for (const ComparedLap& comparedLap : compared.value().laps) {
            for (std::size_t index = 0; index < comparedLap.points.size(); ++index) {
                // The number written as index × tenths / 10, as a decimal: 3 × 0.1 is 0.3.
                ASSERT_EQ(comparedLap.points[index].distance, static_cast<double>(index) * tenths / 10)
                    << tenths << " tenths, point " << index;
            }
        }
    }
}

struct StepCase {
    double metresPerSample;  // the lap runs 1000 samples from line to line
    double asked;
    double step;
};

TEST(LapComparison, AStepTooNarrowForTheLapIsWidenedToARoundOne) {
    const StepCase cases[] = {
        {1, 0.02, 0.02},        // 49,976 points
        {1, 0.0123, 0.0123},    // 81,261
        {1, 0.001, 0.01},       // 999,501 asked: 0.009995 m at least
        {1.5, 0.001, 0.02},     // 0.0149925
        {4, 0.001, 0.05},       // 0.03998
        {0.09, 0.0001, 0.001},  // 0.00089955
    };
    for (const StepCase& stepCase : cases) {
        const LapTelemetry lap = comparisonLap(
            1002, [&](int k) { return (k - 0.5) * stepCase.metresPerSample; },
            1000 * stepCase.metresPerSample);
        const auto compared = compareLaps({&lap, 27800}, {}, stepCase.asked);
        ASSERT_TRUE(compared);
        const LapComparison& comparison = compared.value();
        EXPECT_EQ(comparison.step, stepCase.step) << stepCase.metresPerSample << " " << stepCase.asked;
        EXPECT_LE(comparison.laps[0].points.size(), static_cast<std::size_t>(kMaxPointsPerLap) + 1);
    }
}

struct OddLapCase {
    const char* name;
    std::function<void(LapTelemetry&)> change;
};

TEST(LapComparison, OddLapsGiveFiniteOrderedPoints) {
    // Each lap is back on the steady lap's schedule after 200 m, so level with it from there.
    const LapTelemetry reference = steadyLap();
    const OddLapCase cases[] = {
        {"the same lap", [](LapTelemetry&) {}},
        // Samples no record filled are left out: the course runs straight across them.
        {"online gaps",
         [](LapTelemetry& lap) {
             for (int k = 20; k < 120; ++k)
                 leaveUnrecorded(lap, k);
         }},
        // Stands at 100.5 m for 50 samples, then makes up the 50 m in one.
        {"standing still",
         [](LapTelemetry& lap) {
             for (int k = 101; k <= 150; ++k)
                 lap.distanceM[static_cast<std::size_t>(k)] = 100.5;
         }},
        // A sample thrown back is left out, and so is one at a distance that is no number.
        {"distance thrown back", [](LapTelemetry& lap) { lap.distanceM[150] = 10; }},
        {"distance endless",
         [](LapTelemetry& lap) { lap.distanceM[150] = std::numeric_limits<double>::infinity(); }},
        {"distance not a number",
         [](LapTelemetry& lap) { lap.distanceM[1] = std::numeric_limits<double>::quiet_NaN(); }},
        // Records stop at 400 m and start again at 600 m: crossed in a straight line.
        {"a jump ahead",
         [](LapTelemetry& lap) {
             for (int k = 401; k < 601; ++k)
                 leaveUnrecorded(lap, k);
         }},
    };
    for (const OddLapCase& oddCase : cases) {
        LapTelemetry lap = steadyLap();
        oddCase.change(lap);
        const auto compared = compareLaps({&reference, 27800}, {{&lap, 27800}}, 1);
        ASSERT_TRUE(compared) << oddCase.name;
        const ComparedLap& other = compared.value().laps[1];
        ASSERT_EQ(other.points.size(), 1000u) << oddCase.name;
        for (std::size_t k = 0; k < other.points.size(); ++k) {
            const DeltaPoint& point = other.points[k];
            ASSERT_EQ(point.distance, static_cast<double>(k)) << oddCase.name;
            ASSERT_TRUE(std::isfinite(point.time) && std::isfinite(point.delta) && std::isfinite(point.speed))
                << oddCase.name << " at " << point.distance;
            if (k >= 200) {
                ASSERT_NEAR(point.delta, 0, 1e-9) << oddCase.name << " at " << point.distance;
            }
        }
    }
}

// Split times (ms) of a lap, a sector being what lies between two of them.
void setSplits(LapTelemetry& lap, int first, int second, int third) {
    lap.splitTime1 = first;
    lap.splitTime2 = second;
    lap.splitTime3 = third;
}

TEST(LapComparison, SectorsTheirBestAndTheTheoreticalBest) {
    LapTelemetry reference = steadyLap(), quickerStart = steadyLap(), oneSampleSector = steadyLap();
    setSplits(reference, 7000, 14000, 21000);       // 7, 7, 7, 6.8 s
    setSplits(quickerStart, 6500, 14100, 21200);    // 6.5, 7.6, 7.1, 6.8 s
    setSplits(oneSampleSector, 7000, 7027, 21000);  // a sector of one sample
    const auto compared =
        compareLaps({&reference, 27800}, {{&quickerStart, 28000}, {&oneSampleSector, 27700}}, 100);
    ASSERT_TRUE(compared);
    const LapComparison& comparison = compared.value();
    const std::array<std::vector<std::optional<double>>, kComparedSectors> times = {{
        {7.0, 6.5, 7.0},
        {7.0, 7.6, 0.027},
        {7.0, 7.1, 13.973},
        {6.8, 6.8, 6.7},
    }};
    const std::array<std::vector<std::optional<double>>, kComparedSectors> deltas = {{
        {0.0, -0.5, 0.0},
        {0.0, 0.6, -6.973},
        {0.0, 0.1, 6.973},
        {0.0, 0.0, -0.1},
    }};
    const std::array<int, kComparedSectors> best = {1, 2, 0, 2};
    for (std::size_t sector = 0; sector < kComparedSectors; ++sector) {
        const SectorComparison& column = comparison.sectors[sector];
        EXPECT_EQ(column.name, "Sector " + std::to_string(sector + 1));
        EXPECT_EQ(column.times, times[sector]) << column.name;
        EXPECT_EQ(column.deltas, deltas[sector]) << column.name;
        EXPECT_EQ(column.best, best[sector]) << column.name;
    }
    EXPECT_EQ(comparison.theoreticalBest, 20.227);
}

TEST(LapComparison, ASplitNotMeasuredLeavesItsSectorsEmpty) {
    LapTelemetry reference = steadyLap(), withoutSplits = steadyLap();
    setSplits(reference, 0, 14000, 21000);
    setSplits(withoutSplits, 0, 0, 0);
    const auto compared = compareLaps({&reference, 27800}, {{&withoutSplits, 28000}}, 100);
    ASSERT_TRUE(compared);
    const LapComparison& comparison = compared.value();
    const std::vector<std::optional<double>> none = {std::nullopt, std::nullopt};
    EXPECT_EQ(comparison.sectors[0].times, none);
    EXPECT_EQ(comparison.sectors[1].times, none);
    EXPECT_EQ(comparison.sectors[2].times, (std::vector<std::optional<double>>{7.0, std::nullopt}));
    EXPECT_EQ(comparison.sectors[2].deltas, (std::vector<std::optional<double>>{0.0, std::nullopt}));
    EXPECT_EQ(comparison.sectors[3].times, (std::vector<std::optional<double>>{6.8, std::nullopt}));
    EXPECT_EQ(comparison.sectors[1].best, std::nullopt);
    EXPECT_EQ(comparison.sectors[3].best, 0);
    EXPECT_EQ(comparison.theoreticalBest, std::nullopt);
}

// The demo weekend's race lap 2 of drivers 0 and 3, compared the way the comparison is defined,
// worked out here sample by sample.
class DemoLapComparisonTest : public DemoSimulatorTest {
protected:
    DemoLapComparisonTest() {
        const auto weekend = replay("Rivaldi weekend (saved in race).rpy");
        document_.lapFinderLoad(weekend, {0, kRace, 2});
        document_.lapFinderLoad(weekend, {3, kRace, 2});
    }

    // The lap's elapsed time at every whole metre up to `metres`: its recorded samples between the
    // lines that go no further back, on a sample clock that starts where the line is crossed
    // (back from the first sample by its distance at its speed) and that takes the lap-table time
    // to the finish line crossing (back from the first sample past it the same way).
    static std::vector<double> elapsedByMetre(const ReplayDocument::Slot& slot, int metres) {
        const LapTelemetry& lap = *slot.lapData;
        const int finish = *lap.finishLineSample;
        std::vector<std::pair<double, double>> course;  // distance, sample
        for (int k = 1; k < finish; ++k) {
            const double distance = lap.distanceM[static_cast<std::size_t>(k)];
            if (!lap.recorded(k) || (!course.empty() && distance < course.back().first)) continue;
            course.emplace_back(distance, k);
        }
        const auto samplesBack = [&](int k) {
            return lap.distanceM[static_cast<std::size_t>(k)] /
                   (lap.speed[static_cast<std::size_t>(k)] * kMetresPerSampleAtOneKmh);
        };
        const auto first = static_cast<int>(course.front().second);
        const double start = first - samplesBack(first);
        const double end = finish - samplesBack(finish);
        course.insert(course.begin(), {0.0, start});
        const double secondsPerSample = lapDuration(slot.lapEntry()) / 1000.0 / (end - start);
        std::vector<double> elapsed;
        std::size_t after = 1;
        for (int metre = 0; metre <= metres; ++metre) {
            while (course[after].first < metre)
                ++after;
            const auto& [fromDistance, fromSample] = course[after - 1];
            const auto& [toDistance, toSample] = course[after];
            const double sample = metre <= fromDistance
                                      ? fromSample
                                      : fromSample + (toSample - fromSample) * (metre - fromDistance) /
                                                         (toDistance - fromDistance);
            elapsed.push_back((sample - start) * secondsPerSample);
        }
        return elapsed;
    }

    SilentDocumentUi ui_;
    ReplayDocument document_{ui_, settings_};
};

TEST_F(DemoLapComparisonTest, MatchesTheLapTimesTheSplitsTheTimesAtEveryMetreAndTheCaption) {
    ASSERT_EQ(document_.lapCount(), 2);
    const ReplayDocument::Slot& reference = document_.slots()[0];
    const ReplayDocument::Slot& other = document_.slots()[1];
    const auto compared = compareLoadedLaps(document_, 0, {1}, 1);
    ASSERT_TRUE(compared);
    const LapComparison& comparison = compared.value();
    const ComparedLap& lap = comparison.laps[1];

    const auto referenceMs = static_cast<std::int64_t>(lapDuration(reference.lapEntry()));
    const auto otherMs = static_cast<std::int64_t>(lapDuration(other.lapEntry()));
    ASSERT_NE(otherMs, referenceMs);
    EXPECT_EQ(lap.finishDelta, static_cast<double>(otherMs - referenceMs) / 1000);

    ASSERT_GT(lap.points.size(), 4000u);
    const int lastMetre = static_cast<int>(lap.points.back().distance);
    const std::vector<double> referenceTimes = elapsedByMetre(reference, lastMetre);
    const std::vector<double> otherTimes = elapsedByMetre(other, lastMetre);
    for (std::size_t metre = 0; metre < lap.points.size(); ++metre) {
        ASSERT_EQ(lap.points[metre].distance, static_cast<double>(metre));
        ASSERT_NEAR(lap.points[metre].delta, otherTimes[metre] - referenceTimes[metre], 0.001) << metre;
    }
    // The last metre recorded lies within a sample of the line, and the delta runs on to the finish.
    EXPECT_NEAR(lap.points.back().delta, lap.finishDelta, 0.001);

    double sectorDeltas = 0;
    double bestSectors = 0;
    for (const SectorComparison& sector : comparison.sectors) {
        ASSERT_TRUE(sector.deltas[1] && sector.best) << sector.name;
        sectorDeltas += *sector.deltas[1];
        bestSectors += std::min(*sector.times[0], *sector.times[1]);
        EXPECT_EQ(*sector.times[static_cast<std::size_t>(*sector.best)],
                  std::min(*sector.times[0], *sector.times[1]));
    }
    EXPECT_NEAR(sectorDeltas, lap.finishDelta, 0.001);
    ASSERT_TRUE(comparison.theoreticalBest);
    EXPECT_NEAR(*comparison.theoreticalBest, bestSectors, 1e-9);
    EXPECT_EQ(fullLapCaption(reference), "M Tanaka \xB7 Race lap 2 \xB7 1m 16.236s");
}

TEST_F(DemoLapComparisonTest, RefusesLapsWhoseTrackIsNotInstalled) {
    SilentDocumentUi ui;
    ReplayDocument document(ui, settings_);
    const auto practice = replay("Phantom Ring practice (track not installed).rpy");
    document.lapFinderLoad(practice, {0, kPractice, 1});
    document.lapFinderLoad(practice, {1, kPractice, 2});
    ASSERT_EQ(document.lapCount(), 2);
    const auto compared = compareLoadedLaps(document, 0, {1}, 1);
    ASSERT_FALSE(compared);
    EXPECT_EQ(compared.error(), ComparisonRefusal::NoTrack);
    EXPECT_EQ(refusalText(compared.error()),
              "The laps' track is not installed, so their distances along it are unknown.");
}

TEST_F(DemoLapComparisonTest, RefusesASlotThatHoldsNoLap) {
    for (const int empty : {2, -1, ReplayDocument::maxLaps}) {
        EXPECT_EQ(compareLoadedLaps(document_, 0, {1, empty}, 1).error(), ComparisonRefusal::NoDistances)
            << empty;
        EXPECT_EQ(compareLoadedLaps(document_, empty, {0}, 1).error(), ComparisonRefusal::NoDistances)
            << empty;
    }
}

}  // namespace
