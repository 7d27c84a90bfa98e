#include "map/MapZoom.h"

#include <gtest/gtest.h>

namespace {

MapZoom view(int width, int height) {
    MapZoom zoom;
    zoom.setViewport(width, height);
    return zoom;
}

TEST(MapZoom, TheWholeSquareFitsAndSitsInTheMiddle) {
    const MapZoom zoom = view(800, 500);
    EXPECT_DOUBLE_EQ(zoom.pixelsPerUnit(), 0.05);
    EXPECT_DOUBLE_EQ(zoom.toView(0, 0).x, 150) << "500 wide square centred in 800";
    EXPECT_DOUBLE_EQ(zoom.toView(10000, 10000).y, 500);
    EXPECT_DOUBLE_EQ(zoom.toMap(400, 250).x, 5000);
}

TEST(MapZoom, ZoomingOnAPointCentresItAndTheWheelKeepsThePointUnderThePointer) {
    MapZoom zoom = view(600, 600);
    zoom.zoomOn({5000, 4000}, MapZoom::kStep);
    zoom.zoomOn({5000, 4000}, MapZoom::kStep);
    EXPECT_DOUBLE_EQ(zoom.factor(), 1.5625);
    EXPECT_NEAR(zoom.toMap(300, 300).x, 5000, 1e-9) << "centred on the point";
    EXPECT_NEAR(zoom.toMap(300, 300).y, 4000, 1e-9);
    zoom.zoomOn({5000, 4000}, 1 / MapZoom::kStep);
    zoom.zoomOn({5000, 4000}, 1 / MapZoom::kStep);
    EXPECT_DOUBLE_EQ(zoom.factor(), 1);

    const MapZoom::Point before = zoom.toMap(100, 450);  // the wheel keeps it under the pointer
    zoom.zoomAround(100, 450, MapZoom::kStep);
    zoom.zoomAround(100, 450, MapZoom::kStep);
    EXPECT_NEAR(zoom.toMap(100, 450).x, before.x, 1e-9);
    EXPECT_NEAR(zoom.toMap(100, 450).y, before.y, 1e-9);
}

TEST(MapZoom, ABoxUnderTenPixelsIsAClick) {
    MapZoom zoom = view(600, 600);
    EXPECT_FALSE(zoom.zoomToBox(100, 100, 109, 109));
    EXPECT_DOUBLE_EQ(zoom.factor(), 1.25);

    zoom.showWhole();
    EXPECT_TRUE(zoom.zoomToBox(100, 100, 109, 140)) << "9 x 40 is a box";
    EXPECT_DOUBLE_EQ(zoom.factor(), 601.0 / 40);
}

TEST(MapZoom, ABoxOnAZoomedMapZoomsFurtherAndTheFactorIsCapped) {
    MapZoom zoom = view(600, 600);
    zoom.zoomToBox(0, 0, 300, 300);
    const double once = zoom.factor();
    const MapZoom::Point centre = zoom.toMap(300, 300);
    zoom.zoomToBox(150, 150, 450, 450);
    EXPECT_NEAR(zoom.factor(), once * 601 / 300, 1e-9);
    EXPECT_NEAR(zoom.toMap(300, 300).x, centre.x, 1e-6) << "the box's centre stays in the middle";

    for (int i = 0; i < 200; ++i)
        zoom.zoomOn({5000, 5000}, MapZoom::kStep);
    EXPECT_LE(zoom.contentSize(), MapZoom::kMaxContentPixels + 1e-6);
}

}  // namespace
