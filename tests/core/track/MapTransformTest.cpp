#include "track/MapTransform.h"

#include <gtest/gtest.h>

#include <memory>

#include "track/TrackModel.h"
#include "track/VxObjects.h"

namespace {

VxTrack straightTrack(VxSegment& segment, double x0, double y0, double x1, double y1) {
    segment.startX = x0, segment.startY = y0, segment.endX = x1, segment.endY = y1;
    VxTrack track;
    track.segments = {&segment};
    return track;
}

TEST(MapTransform, FitsCentresAndFlipsY) {
    VxSegment segment;
    const VxTrack track = straightTrack(segment, -100, 20, 300, 20.0001);  // 400 wide, flat
    const TrackModel model = TrackModel::build(track).value();
    const MapTransform transform(10000, 10000, 50, 50, model);
    EXPECT_NEAR(transform.scale(), 400.0 / 9900, 1e-12);
    const MapPoint left = transform.toMap({-100, 20});
    const MapPoint right = transform.toMap({300, 20});
    EXPECT_EQ(left.x, 50);
    EXPECT_EQ(right.x, 9950);
    EXPECT_EQ(left.y, 5000) << "centred vertically";
    EXPECT_LT(transform.toMap({0, 25}).y, left.y) << "world Y up is map Y down";
}

TEST(MapTransform, ATallTrackFillsTheHeightCentredAcross) {
    VxSegment segment;
    const VxTrack track = straightTrack(segment, 10, 0, 10.0001, 800);  // 800 high, thin
    const TrackModel model = TrackModel::build(track).value();
    const MapTransform transform(2000, 1000, 50, 50, model);
    EXPECT_NEAR(transform.scale(), 800.0 / 900, 1e-9);
    EXPECT_EQ(transform.toMap({10, 800}).y, 50);
    EXPECT_EQ(transform.toMap({10, 0}).y, 950);
    EXPECT_EQ(transform.toMap({10, 0}).x, 1000);
}

TEST(MapTransform, RoundsHalfAwayFromZeroAndSurvivesATrackOfNoSize) {
    EXPECT_EQ(roundHalfAway(2.5), 3);
    EXPECT_EQ(roundHalfAway(-2.5), -3);
    EXPECT_EQ(roundHalfAway(-2.4), -2);
    VxSegment segment;
    const VxTrack track = straightTrack(segment, 7, 7, 7, 7);
    const TrackModel model = TrackModel::build(track).value();
    const MapTransform transform(10000, 10000, 50, 50, model);
    EXPECT_EQ(transform.scale(), 1);
    EXPECT_EQ(transform.toMap({7, 7}).x, 5000);
}

}  // namespace
