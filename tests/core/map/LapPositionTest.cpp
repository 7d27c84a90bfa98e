#include "map/LapPosition.h"

#include <gtest/gtest.h>

#include "DemoSimulatorTest.h"
#include "SilentDocumentUi.h"
#include "replay/ReplayFormat.h"

namespace {

class LapPositionTest : public DemoSimulatorTest {
protected:
    void SetUp() override {
        doc_.lapFinderLoad(replay("Rivaldi weekend (saved in race).rpy"), {0, kRace, 2});
        ASSERT_EQ(doc_.lapCount(), 1);
        transform_.emplace(10000, 10000, 50, 50, *doc_.trackModel());
    }
    const ReplayDocument::Slot& lap() const { return doc_.slots()[0]; }
    double distanceOf(int sample) const { return lap().lapData->distanceM[static_cast<std::size_t>(sample)]; }
    MapPoint pointOf(int sample) const { return *lap().drivingLine->mapPoint(sample, *transform_); }

    SilentDocumentUi ui_;
    ReplayDocument doc_{ui_, settings_};
    std::optional<MapTransform> transform_;
};

TEST_F(LapPositionTest, ADistanceBetweenTwoSamplesLiesOnTheStraightBetweenTheirPoints) {
    const int sample = lap().lapData->sampleCount / 2;
    ASSERT_TRUE(lap().lapData->recorded(sample) && lap().lapData->recorded(sample + 1));
    const MapPoint from = pointOf(sample);
    const MapPoint to = pointOf(sample + 1);
    const struct {
        double share;  // of the way from `sample` to the next
        double x, y;
    } cases[] = {
        {0.25, from.x + (to.x - from.x) * 0.25, from.y + (to.y - from.y) * 0.25},
        {0.5, (from.x + to.x) / 2.0, (from.y + to.y) / 2.0},
        {1, static_cast<double>(to.x), static_cast<double>(to.y)},
    };
    for (const auto& c : cases) {
        const double distance = distanceOf(sample) + (distanceOf(sample + 1) - distanceOf(sample)) * c.share;
        const auto at = lapPositionAt(lap(), distance, *transform_);
        ASSERT_TRUE(at) << "share " << c.share;
        EXPECT_NEAR(at->x, c.x, 1e-6) << "share " << c.share;
        EXPECT_NEAR(at->y, c.y, 1e-6) << "share " << c.share;
    }
}

TEST_F(LapPositionTest, NothingOutsideTheLapsDistancesOrWithoutADrivingLine) {
    const LapTelemetry& telemetry = *lap().lapData;
    const double last = distanceOf(*telemetry.finishLineSample - 1);
    EXPECT_TRUE(lapPositionAt(lap(), last, *transform_));
    EXPECT_FALSE(lapPositionAt(lap(), last + 1, *transform_)) << "past the finish line";
    EXPECT_FALSE(lapPositionAt(lap(), distanceOf(1) - 0.5, *transform_)) << "before the first sample";
    EXPECT_FALSE(lapPositionAt(lap(), std::numeric_limits<double>::quiet_NaN(), *transform_));
    EXPECT_FALSE(lapPositionAt(doc_.slots()[1], 100, *transform_)) << "an empty slot";
}

}  // namespace
