#include "track/TrackModel.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <limits>
#include <memory>
#include <numbers>
#include <tuple>

#include "TempDir.h"
#include "track/TrackIni.h"
#include "track/VxObjects.h"

namespace {

constexpr double kPi = std::numbers::pi;

// Segments and sections made in memory, as the decoder would leave them.
class TrackModelTest : public testing::Test {
protected:
    VxSegment& segment(std::uint32_t kind, double x0, double y0, double h0, double x1, double y1, double h1) {
        auto& s = *segments_.emplace_back(std::make_unique<VxSegment>());
        s.kind = kind;
        s.startX = x0, s.startY = y0, s.startHeading = h0, s.endX = x1, s.endY = y1, s.endHeading = h1;
        s.fSections = {f(6, 6, 2), f(5, 5, 1), f(-6, -6, 9)};
        track_.segments.push_back(&s);
        return s;
    }
    VxFSection* f(double startOffset, double endOffset, std::uint32_t surface) {
        auto& f = *fSections_.emplace_back(std::make_unique<VxFSection>());
        f.startOffset = startOffset, f.endOffset = endOffset, f.surface = surface;
        return &f;
    }
    // The oval: straights of 400, left-hand half circles of radius 100.
    void oval() {
        segment(0, 0, 0, 0, 400, 0, 0);
        segment(1, 400, 0, 0, 400, 200, kPi);
        segment(0, 400, 200, kPi, 0, 200, kPi);
        segment(1, 0, 200, kPi, 0, 0, 2 * kPi);
    }

    VxTrack track_;
    std::vector<std::unique_ptr<VxSegment>> segments_;
    std::vector<std::unique_ptr<VxFSection>> fSections_;
};

void expectPoint(const std::optional<TrackPoint>& p, double x, double y) {
    ASSERT_TRUE(p.has_value());
    EXPECT_NEAR(p->x, x, 1e-9);
    EXPECT_NEAR(p->y, y, 1e-9);
}

TEST_F(TrackModelTest, OvalLengthsPositionsAndSegments) {
    oval();
    TrackModel model = TrackModel::build(track_).value();
    ASSERT_EQ(model.segmentCount(), 4);
    EXPECT_NEAR(model.totalLength(), 800 + 200 * kPi, 1e-9);
    EXPECT_NEAR(model.segmentAt(1).length(), 100 * kPi, 1e-9);
    EXPECT_NEAR(model.segmentAt(2).startDistance(), 400 + 100 * kPi, 1e-9);

    const struct {
        const char* what;
        double distance, offset, x, y;
    } points[] = {
        {"on the first straight", 100, 0, 100, 0},
        {"left is positive", 100, 5, 100, 5},
        {"the apex of the first bend", 400 + 50 * kPi, 0, 500, 100},
        {"left of a left-hand bend is inside", 400 + 50 * kPi, 10, 490, 100},
        {"the end of the lap", model.totalLength(), 0, 0, 0},
    };
    for (const auto& point : points) {
        SCOPED_TRACE(point.what);
        expectPoint(model.positionAt(point.distance, point.offset), point.x, point.y);
    }
    EXPECT_FALSE(model.positionAt(model.totalLength() + 0.001, 0).has_value());

    EXPECT_EQ(model.findSegment(400), 0) << "a segment's end belongs to it";
    EXPECT_EQ(model.findSegment(400.0001), 1);
    EXPECT_EQ(model.findSegment(model.totalLength() + 1), std::nullopt);

    EXPECT_DOUBLE_EQ(model.minX(), -100);
    EXPECT_DOUBLE_EQ(model.maxX(), 500);
    EXPECT_NEAR(model.minY(), 0, 1e-9);
    EXPECT_NEAR(model.maxY(), 200, 1e-9);
}

TEST_F(TrackModelTest, RightHandBendOffsetsLieOutside) {
    segment(1, 0, 0, 0, 100, -100, -kPi / 2);  // quarter turn to the right, radius 100
    TrackModel model = TrackModel::build(track_).value();
    const auto& arc = dynamic_cast<const ArcGeometry&>(model.segmentAt(0));
    EXPECT_NEAR(arc.radius(), 100, 1e-9);
    EXPECT_NEAR(arc.centre().y, -100, 1e-9);
    const TrackPoint middle = arc.positionAt(50 * kPi / 2, 5);
    EXPECT_NEAR(std::hypot(middle.x - arc.centre().x, middle.y - arc.centre().y), 105, 1e-9);
    const TrackPoint onLine = arc.positionAt(20, 0);
    EXPECT_NEAR(std::hypot(onLine.x - arc.centre().x, onLine.y - arc.centre().y), 100, 1e-9);
}

TEST_F(TrackModelTest, CentreLineSteps) {
    segment(1, 0, 0, 0, 100, 100, kPi / 2);                      // 25 steps
    segment(1, 100, 100, kPi / 2, 100, 100.5, kPi / 2 + 0.005);  // n = 0: start and end only
    TrackModel model = TrackModel::build(track_).value();
    EXPECT_EQ(model.segmentAt(0).centreLine().size(), 27u);
    EXPECT_EQ(model.segmentAt(1).centreLine().size(), 2u);
}

TEST_F(TrackModelTest, SweepsAreFoldedButHalfTurnsKept) {
    VxSegment s;
    s.startHeading = 0.1, s.endHeading = 0.1 + kPi;
    EXPECT_DOUBLE_EQ(ArcGeometry::sweepOf(s), kPi);
    s.endHeading = 0.1 + 1.5 * kPi;
    EXPECT_NEAR(ArcGeometry::sweepOf(s), -0.5 * kPi, 1e-12);
    s.startHeading = 3.0, s.endHeading = -3.0;
    EXPECT_NEAR(ArcGeometry::sweepOf(s), 2 * kPi - 6.0, 1e-12);
}

TEST_F(TrackModelTest, ArcWithoutSweepAndUnknownKindsAreStraights) {
    segment(1, 0, 0, 0, 50, 0, 0);
    segment(7, 50, 0, 0, 80, 0, 0);
    TrackModel model = TrackModel::build(track_).value();
    EXPECT_NEAR(model.totalLength(), 80, 1e-12);
    expectPoint(model.positionAt(65, 1), 65, 1);
}

TEST_F(TrackModelTest, SurfacesBoundariesAndMarkers) {
    oval();
    VxWSection wall;
    wall.startOffset = 10, wall.endOffset = 12;
    segments_[0]->wSections = {&wall};
    segments_[1]->fSections.push_back(f(-8, -8, 10));
    TrackModel model = TrackModel::build(track_).value();

    const auto& straight = model.segmentAt(0);
    ASSERT_EQ(straight.surfaces().size(), 2u);
    EXPECT_EQ(std::tuple(straight.surfaces()[0].kind, straight.surfaces()[0].colourIndex(),
                         straight.surfaces()[1].kind),
              std::tuple(2, 7, 1));
    ASSERT_EQ(straight.surfaces()[0].polygon.size(), 4u);
    expectPoint(straight.surfaces()[0].polygon[1], 400, 6);
    ASSERT_EQ(straight.boundaries().size(), 1u);
    EXPECT_NEAR(straight.boundaries()[0].points.back().y, 12, 1e-9);

    const auto& bend = model.segmentAt(1);
    ASSERT_EQ(bend.surfaces().size(), 3u);
    EXPECT_EQ(std::tuple(bend.surfaces()[2].kind, bend.surfaces()[2].colourIndex()), std::tuple(11, 15))
        << "9 is no kind of the file: it becomes 11";
    EXPECT_EQ(bend.surfaces()[0].polygon.size(), 2u * 181) << "a point per degree on both sides";

    const auto& markers = model.markers();
    ASSERT_TRUE(markers[0].present);
    EXPECT_NEAR(markers[0].left.y, 6, 1e-9);
    EXPECT_NEAR(markers[0].right.y, -6, 1e-9);
    ASSERT_TRUE(markers[1].present);
    EXPECT_NEAR(markers[1].left.x, model.totalLength() / 4, 1e-9);
    EXPECT_NEAR(markers[1].right.y, -6, 1e-9);
    ASSERT_TRUE(markers[3].present);
    EXPECT_NEAR(markers[3].left.x, 400 - (model.totalLength() * 0.75 - 400 - 100 * kPi), 1e-9);
    EXPECT_NEAR(markers[3].left.y, 194, 1e-9);
}

TEST_F(TrackModelTest, SegmentWithoutFSectionsLeavesItsMarkersEmpty) {
    segment(0, 0, 0, 0, 100, 0, 0).fSections.clear();
    TrackModel model = TrackModel::build(track_).value();
    for (const TrackMarker& m : model.markers())
        EXPECT_FALSE(m.present);
}

TEST_F(TrackModelTest, TrackWithoutSegmentsIsAFailure) {
    EXPECT_EQ(TrackModel::build(track_).error().message(), "Error: the track has no segments");
    track_.segments.push_back(nullptr);
    EXPECT_EQ(TrackModel::build(track_).error().message(), "Error: the track has a missing segment");
}

// Stored headings hundreds of thousands of radians apart used to give a sweep folded only once:
// tens of millions of points per line. However many turns apart, an arc now sweeps at most half a
// turn, with at most 51 centre-line points and a side point per degree.
TEST_F(TrackModelTest, HeadingsManyTurnsApartGiveABoundedArc) {
    segment(1, 0, 0, 0, 100, 100, 340000.0);
    const double sweep = ArcGeometry::sweepOf(*segments_[0]);
    EXPECT_LE(std::fabs(sweep), kPi);
    EXPECT_NEAR(sweep, std::remainder(340000.0, 2 * kPi), 1e-9);
    TrackModel model = TrackModel::build(track_).value();
    const TrackSegmentGeometry& arc = model.segmentAt(0);
    EXPECT_LE(arc.centreLine().size(), 52u);
    ASSERT_FALSE(arc.surfaces().empty());
    EXPECT_LE(arc.surfaces()[0].polygon.size(), 2u * 181);
    EXPECT_LT(model.totalLength(), 1000);
}

// Geometry that is not a finite number, or lies absurdly far out, cannot be modelled: the load
// fails with a message naming the segment, before any of it is turned into points or integers.
TEST_F(TrackModelTest, GeometryThatIsNotFiniteIsRefused) {
    oval();
    const std::string message =
        "Error: the track file is damaged: segment 2 has a position, heading or offset that is not a finite "
        "number within 1000 km";
    segments_[1]->endHeading = std::numeric_limits<double>::infinity();
    EXPECT_EQ(TrackModel::build(track_).error().message(), message);
    segments_[1]->endHeading = kPi;
    segments_[1]->startX = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(TrackModel::build(track_).error().message(), message);
    segments_[1]->startX = 1e300;
    EXPECT_EQ(TrackModel::build(track_).error().message(), message);
    segments_[1]->startX = 400;
    segments_[1]->fSections[0]->endOffset = -std::numeric_limits<double>::infinity();
    EXPECT_EQ(TrackModel::build(track_).error().message().substr(0, 44), message.substr(0, 44));
    segments_[1]->fSections[0]->endOffset = 6;
    EXPECT_TRUE(TrackModel::build(track_));
}

TEST(TrackLength, FifteenCharactersAfterTheKeyUpToTheNextM) {
    EXPECT_DOUBLE_EQ(trackLengthFromIni("[x]\ntrack_length = 2.5 miles\n"), 2.5 * 1609.344);
    EXPECT_NEAR(trackLengthFromIni("track_length =  3.412 miles"), 3.412 * 1609.344, 1e-9);
    EXPECT_DOUBLE_EQ(trackLengthFromIni("track_length =2.5 miles"), 0.5 * 1609.344)
        << "one character past the key";
    EXPECT_DOUBLE_EQ(trackLengthFromIni("name = monza\n"), 0);
    EXPECT_DOUBLE_EQ(trackLengthFromIni("track_length = 1e300 miles"), 0) << "no track is that long";
    EXPECT_DOUBLE_EQ(trackLengthFromIni("track_length = nan miles"), 0);
    EXPECT_DOUBLE_EQ(trackLengthFromIni("track_length = inf miles"), 0);

    TempDir sim;
    std::filesystem::create_directories(sim / "Tracks/Monza");
    std::ofstream(sim / "Tracks/Monza/Track.ini") << "track_length = 2.5 miles\r\n";
    const TrackLength found = readTrackLength(sim.path(), "monza");
    EXPECT_DOUBLE_EQ(found.metres, 4023.36);
    EXPECT_EQ(found.message, "");

    const TrackLength missing = readTrackLength(sim.path(), "imola");
    EXPECT_EQ(missing.metres, 0);
    EXPECT_NE(missing.message, "") << "its text is asserted where the document shows it";
}

}  // namespace
