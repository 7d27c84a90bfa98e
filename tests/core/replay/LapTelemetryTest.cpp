#include "replay/LapTelemetry.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <tuple>

#include "ConstantPaceReplay.h"
#include "TempDir.h"
#include "replay/DriverTable.h"

namespace {

class LapTelemetryTest : public testing::Test {
protected:
    // Writes the fixture's replay and reads its driver table.
    const DriverTable& load(const ConstantPaceReplay& fixture) { return load(fixture.writer().bytes()); }
    const DriverTable& load(const std::vector<std::uint8_t>& bytes) {
        drivers_ = std::make_unique<DriverTable>();
        EXPECT_TRUE(drivers_->read(dir_.write("lap.rpy", bytes)));
        return *drivers_;
    }
    TempDir dir_;
    std::unique_ptr<DriverTable> drivers_;
};

// Every sample of a lap driven at the fixture's constant pace reads 72 km/h.
void expectSpeed72(const LapTelemetry& lap, double tolerance) {
    for (int k = 0; k < lap.sampleCount; ++k)
        ASSERT_NEAR(lap.speed[k], 72.0, tolerance) << k;
}

TEST_F(LapTelemetryTest, OwnerLapIsFoundByItsMarkersThenTrimmedToTheLineAndConverted) {
    const ConstantPaceReplay fixture = ConstantPaceReplay::twoCars();  // owner's lap 2: 52000 .. 102000 ms
    LapTelemetry lap;
    ASSERT_TRUE(lap.read(load(fixture), 0, 2, kPractice));
    EXPECT_EQ(std::tuple(lap.lapStart, lap.lapEnd), std::tuple(52000u, 102000u));
    // The first marker less than 1050 ms before the start, the first more than 30 ms after the end.
    EXPECT_EQ(std::tuple(lap.startTime, lap.startFrame), std::tuple(51000u, 51 * 36 + 1));
    EXPECT_EQ(std::tuple(lap.endTime, lap.endFrame), std::tuple(103000u, 103 * 36 + 1));
    // The owner's samples never count as missing.
    EXPECT_EQ(std::tuple(lap.sampleCount, lap.filledSamples, lap.missingSamples),
              std::tuple(lap.endFrame + 2 - lap.startFrame, lap.endFrame + 2 - lap.startFrame, 0));
    EXPECT_EQ(std::tuple(lap.distance[0], lap.gear[0], lap.revs[0]),
              std::tuple(fixture.distanceAt(fixture.cars[0], 51000), 3, 600u));

    const int n = lap.sampleCount;
    ASSERT_TRUE(lap.process(1));
    EXPECT_TRUE(lap.processed);
    // Sample 35 (51972 ms) is the last before the line, sample 1836 (102000 ms) the first after it;
    // sample k comes from frame startFrame + k.
    EXPECT_EQ(std::tuple(lap.lapStartIndex, lap.lapEndIndex, lap.frameLapTime),
              std::tuple(lap.startFrame + 35, lap.endFrame - (n - 1 - 1836), 103000 - 51000 - 972 - 1027));
    EXPECT_NEAR(lap.stepAtStart, 1111, 1);
    EXPECT_NEAR(lap.stepAtEnd, 1111, 1);
    ASSERT_EQ(lap.sampleCount, 1836 - 35 + 2);
    EXPECT_EQ(lap.finishLineSample, 1836 - 35) << "sample 1836, on the line at distance 0";
    EXPECT_GT(lap.distance[0], lap.distance[1]) << "sample 0 lies before the line";
    EXPECT_EQ(lap.distance[1], 0u);
    EXPECT_DOUBLE_EQ(lap.distanceM[2], lap.distance[2] * 0.0005);
    EXPECT_EQ(lap.revs[0], 8061u);
    expectSpeed72(lap, 0.1);
    EXPECT_EQ(lap.heading.size(), static_cast<std::size_t>(lap.sampleCount));
}

TEST_F(LapTelemetryTest, OtherCarsMissingSamplesAndGaps) {
    ConstantPaceReplay fixture = ConstantPaceReplay::twoCars();  // AI lap 2: 52500 .. 102500 ms
    fixture.cars[1].missingFrames = {2000, 2001, 2002, 2010, 2500};
    fixture.framesWithoutCarStates = {2600, 2601};
    LapTelemetry lap;
    ASSERT_TRUE(lap.read(load(fixture), 1, 2, kPractice));
    EXPECT_EQ(std::tuple(lap.missingSamples, lap.longestGap, lap.filledSamples),
              std::tuple(5, 3, lap.sampleCount - 7));
    const int missing = 2000 - lap.startFrame + 1;  // sample k comes from 0-based frame startFrame + k - 1
    EXPECT_EQ(std::tuple(lap.distance[missing], lap.gear[missing]), std::tuple(0u, 0));
    EXPECT_EQ(lap.gear[missing - 1], 4);

    ASSERT_TRUE(lap.process(1));
    EXPECT_NEAR(lap.frameLapTime, 50000, 30);
    expectSpeed72(lap, 0.2);
    EXPECT_NEAR(lap.lateralM[4], 0.0, 1e-9);
}

// The AI car's lap 2 ends on the line in frame 3690 (102500 ms, distance 0); frame 1889 is the last
// before its start line and the lap's sample 0.
TEST_F(LapTelemetryTest, TheFinishLineSampleIsWhereTheDistanceFallsBackPastAnyGap) {
    struct Case {
        const char* what;
        std::vector<int> missingFrames;
        int finishFrame;
    };
    const Case cases[] = {
        {"no gap: the sample on the line, at distance 0", {}, 3690},
        {"the sample on the line missing", {3690}, 3691},
        {"a gap across the line", {3688, 3689, 3690, 3691}, 3692},
        {"a gap just past the line", {3691, 3692}, 3690},
    };
    LapTelemetry lap;  // read again for each case: a new read forgets the line processed before
    for (const Case& c : cases) {
        ConstantPaceReplay fixture = ConstantPaceReplay::twoCars();
        fixture.cars[1].missingFrames = c.missingFrames;
        ASSERT_TRUE(lap.read(load(fixture), 1, 2, kPractice)) << c.what;
        EXPECT_EQ(lap.finishLineSample, std::nullopt) << c.what << ": read, not processed";
        ASSERT_TRUE(lap.process(1)) << c.what;
        EXPECT_EQ(lap.finishLineSample, c.finishFrame - 1889) << c.what;
    }
}

TEST_F(LapTelemetryTest, QuickRaceLapIsFoundThroughCodeOne) {
    ConstantPaceReplay fixture = ConstantPaceReplay::twoCars();
    fixture.quickRace = true;
    fixture.sessionInProgress = kRace;
    fixture.tables = 2;
    LapTelemetry lap;
    ASSERT_TRUE(lap.read(load(fixture), 1, 1, kRace));
    EXPECT_EQ(lap.startTime, 2000u);
    EXPECT_TRUE(lap.process(1));
}

TEST_F(LapTelemetryTest, LapEndingInTheLastFrameLeavesTheSampleAfterItEmpty) {
    ConstantPaceReplay fixture = ConstantPaceReplay::twoCars();  // owner's lap 3 ends at 152000 ms
    fixture.lastFrameTime = 153000;
    fixture.cars[0].startTime = 2100;
    LapTelemetry lap;
    ASSERT_TRUE(lap.read(load(fixture), 0, 3, kPractice));
    EXPECT_EQ(std::tuple(lap.endTime, lap.endFrame, lap.filledSamples),
              std::tuple(153000u, 153 * 36 + 1, lap.sampleCount - 1))
        << "the lap ends in the last frame";
    ASSERT_TRUE(lap.process(1));
    expectSpeed72(lap, 0.1);
}

TEST_F(LapTelemetryTest, Outcomes) {
    const ConstantPaceReplay fixture = ConstantPaceReplay::twoCars();
    const DriverTable& drivers = load(fixture);
    LapTelemetry lap;
    EXPECT_EQ(lap.read(drivers, 0, 0, kPractice).error(), LapReadError::NotSelectable) << "slot 0";
    EXPECT_EQ(lap.read(drivers, 0, 4, kPractice).error(), LapReadError::NotSelectable) << "past the count";
    EXPECT_EQ(lap.read(drivers, 0, 1, 7).error(), LapReadError::NotSelectable) << "no such session";
    EXPECT_EQ(lap.read(drivers, 2, 1, kPractice).error(), LapReadError::NotSelectable) << "no such driver";
    EXPECT_EQ(lap.read(drivers, 0, 1, kRace).error(), LapReadError::NotSelectable);

    std::filesystem::remove(drivers.fileName);
    EXPECT_EQ(lap.read(drivers, 0, 1, kPractice).error(), LapReadError::CannotOpen);
}

// The file's session markers from 100 s on say qualifying, so the practice window stays open and
// the owner's lap 3 (102 s to 152 s) is selectable, but no practice frame lies near its start.
TEST_F(LapTelemetryTest, ALapBeyondItsSessionsFramesIsNotFound) {
    std::vector<std::uint8_t> bytes = ConstantPaceReplay::twoCars().writer().bytes();
    for (std::size_t at = 0; at + 8 <= bytes.size(); ++at) {
        if (bytes[at] != kSessionMarkerRecord || bytes[at + 1] != 0 || bytes[at + 2] != 8 ||
            bytes[at + 3] != 0)
            continue;
        const std::uint32_t value = bytes[at + 4] | bytes[at + 5] << 8 | bytes[at + 6] << 16 |
                                    static_cast<std::uint32_t>(bytes[at + 7]) << 24;
        if (decodeSessionMarker(value).timeMs >= 100000) bytes[at + 4] |= kQualifying;
    }
    const DriverTable& drivers = load(bytes);
    ASSERT_TRUE(drivers.selectable(kPractice, 0, 3));
    LapTelemetry lap;
    EXPECT_EQ(lap.read(drivers, 0, 3, kPractice).error(), LapReadError::FramesNotFound);
}

TEST_F(LapTelemetryTest, ProcessWithoutALineCrossingFails) {
    const ConstantPaceReplay fixture = ConstantPaceReplay::twoCars();
    LapTelemetry lap;
    ASSERT_TRUE(lap.read(load(fixture), 0, 2, kPractice));
    for (int k = 0; k < lap.sampleCount; ++k)
        lap.distance[k] = static_cast<std::uint32_t>(k + 1) * 1000;
    EXPECT_EQ(lap.process(1).error(), LapReadError::NoLineCrossing);
    EXPECT_FALSE(lap.processed);
}

TEST_F(LapTelemetryTest, VeryShortLapsAreHandledSafely) {
    for (std::uint32_t lapMs : {30u, 60u, 100u, 200u}) {
        ConstantPaceReplay fixture = ConstantPaceReplay::twoCars();
        fixture.lastFrameTime = 6000;
        fixture.cars[0].lapMs = lapMs;
        fixture.cars[0].laps = 10;
        const DriverTable& drivers = load(fixture);
        for (int slot = 1; slot <= 10; ++slot) {
            LapTelemetry lap;
            if (!lap.read(drivers, 0, slot, kPractice)) continue;
            const auto processed = lap.process(1);
            EXPECT_TRUE(processed || processed.error() == LapReadError::NoLineCrossing);
        }
    }
}

}  // namespace
