#pragma once

#include <cmath>
#include <numbers>

#include "TrackWriter.h"

// An oval: two straights of 400 and two left-hand half circles of radius 100, from (0, 0) heading
// along +X. Road from +6 (left) to -6 (right) with a kerb strip, walls at +-10. Appearances and
// texture coordinates are shared by every F section.
inline TrackSpec ovalTrack() {
    constexpr double pi = std::numbers::pi;
    TrackSpec track;
    track.textures = {std::string("asphalt\0grey", 12), "kerb"};
    track.appearances = {AppearanceSpec{{0, -1, 1, -1, -1, -1, -1}},
                         AppearanceSpec{{1, -1, -1, -1, -1, -1, -1}}};
    track.textureCoords = {TextureCoordsSpec{{0.0, 0.5, 1.0}, {2.0}}};
    track.trackDetails = {1, -1};
    track.tsoNames = {"grandstand", "tower"};
    const auto segment = [](std::uint32_t kind, double x0, double y0, double h0, double x1, double y1,
                            double h1) {
        SegmentSpec s;
        s.kind = kind;
        s.startX = x0, s.startY = y0, s.startHeading = h0, s.endX = x1, s.endY = y1, s.endHeading = h1;
        s.xSections = {XSectionSpec{{1, 2, 3, 4, 5, 6}}};
        s.fSections = {FSectionSpec{6, 6, 2, 1, 0}, FSectionSpec{5, 5, 1, 0, 0},
                       FSectionSpec{-6, -6, 9, 0, 0}};
        s.wSections = {WSectionSpec{10, 10, 2, 1, 0}, WSectionSpec{-10, -10, 1, -1, -1}};
        return s;
    };
    track.segments = {
        segment(0, 0, 0, 0, 400, 0, 0),
        segment(1, 400, 0, 0, 400, 200, pi),
        segment(0, 400, 200, pi, 0, 200, pi),
        segment(1, 0, 200, pi, 0, 0, 2 * pi),
    };
    return track;
}
