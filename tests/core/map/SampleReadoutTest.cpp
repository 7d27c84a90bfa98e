#include "map/SampleReadout.h"

#include <gtest/gtest.h>

#include "DemoSimulatorTest.h"
#include "SilentDocumentUi.h"
#include "common/TimeText.h"

namespace {

class SampleReadoutTest : public DemoSimulatorTest {
protected:
    void SetUp() override {
        const auto weekend = replay("Rivaldi weekend (saved in race).rpy");
        doc_.lapFinderLoad(weekend, {0, kRace, 2});
        doc_.lapFinderLoad(weekend, {3, kRace, 2});
        ASSERT_EQ(doc_.lapCount(), 2);
        shown_.fill(true);
        scene_ = buildMapScene(doc_, MapTransform(10000, 10000, 50, 50, *doc_.trackModel()), shown_);
    }
    const MapShape& line(int slot) const {
        return *std::find_if(scene_.begin(), scene_.end(),
                             [slot](const MapShape& s) { return s.lap == slot; });
    }

    SilentDocumentUi ui_;
    ReplayDocument doc_{ui_, settings_};
    LapsShown shown_{};
    MapScene scene_;
};

TEST_F(SampleReadoutTest, TheNearestSampleOfAShownLineWithinReach) {
    const MapShape& second = line(1);
    ASSERT_EQ(second.points.size(), second.samples.size());
    const std::size_t i = second.points.size() / 3;
    const MapPoint on = second.points[i];
    const auto found = nearestSample(doc_, scene_, {on.x + 1, on.y}, 20);
    ASSERT_TRUE(found);
    EXPECT_EQ(found->slot, 1) << "the first lap runs elsewhere a third of the way round";
    EXPECT_EQ(found->sample, second.samples[i]);
    EXPECT_FALSE(nearestSample(doc_, scene_, {0, 0}, 20)) << "away from every line";
    MapScene trackOnly;
    std::copy_if(scene_.begin(), scene_.end(), std::back_inserter(trackOnly),
                 [](const MapShape& s) { return s.lap < 0; });
    EXPECT_FALSE(nearestSample(doc_, trackOnly, on, 1e6)) << "the track's own lines are not laps";
}

// The line is drawn to its last sample, past the finish line, where the samples tell the next
// lap's distance and time: the pointer there reads the nearest sample of the lap itself.
TEST_F(SampleReadoutTest, ThePointerPastTheFinishLineReadsASampleOfTheLap) {
    std::array<int, 2> finish{};
    for (const int slot : {0, 1}) {
        const std::optional<int> found =
            doc_.slots()[static_cast<std::size_t>(slot)].lapData->finishLineSample;
        ASSERT_TRUE(found);
        ASSERT_EQ(line(slot).samples.back(), *found) << "the line reaches past the finish line";
        finish[static_cast<std::size_t>(slot)] = *found;
    }
    for (const int slot : {0, 1}) {
        const MapShape& drawn = line(slot);
        for (std::size_t i = 0; i < drawn.samples.size(); ++i) {
            if (drawn.samples[i] < finish[static_cast<std::size_t>(slot)]) continue;
            const auto found = nearestSample(doc_, scene_, drawn.points[i], 1e6);
            ASSERT_TRUE(found);
            EXPECT_LT(found->sample, finish[static_cast<std::size_t>(found->slot)])
                << "slot " << slot << ", sample " << drawn.samples[i];
        }
    }
}

TEST_F(SampleReadoutTest, TheReadoutNamesTheLapAndTheSamplesValues) {
    const LapTelemetry& lap = *doc_.slots()[0].lapData;
    const int k = 399;
    const std::vector<std::string> readout = sampleReadout(doc_, {0, k});
    EXPECT_EQ(readout, (std::vector<std::string>{
                           lapCaption(doc_.slots()[0]),
                           "Distance: " + std::to_string(std::lround(lap.distanceM[k])) + " m",
                           "Speed: " + std::to_string(std::lround(lap.speed[k])) + " km/h",
                           "Gear: " + std::to_string(lap.gear[k]),
                           "Revs: " + std::to_string(lap.revs[k]),
                           "Time: " + formatSplitTime(static_cast<std::uint32_t>(399 * 1000 / 36)),
                       }));
    EXPECT_EQ(readout[0], "M Tanaka 1m 16.236s");
    settings_.setSpeedInMph(true);
    EXPECT_EQ(sampleReadout(doc_, {0, k})[2],
              "Speed: " + std::to_string(std::lround(lap.speed[k] * 0.6213722922)) + " mph");
}

}  // namespace
