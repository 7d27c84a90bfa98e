#pragma once

#include <optional>
#include <string>
#include <vector>

#include "document/ReplayDocument.h"
#include "map/MapScene.h"

// What the map says about a point under the pointer: the sample of a shown driving line nearest to
// it, and that sample's values.

struct LapSample {
    int slot;    // the lap's slot in the document
    int sample;  // 1 .. the lap's sample count
};

// The sample of the scene's driving lines nearest to `at`, within `reach` map units; nothing when
// no line comes that close. Only samples before the finish line count: the line drawn past it
// would tell a distance and a time of the next lap. Among equally near samples the lower slot wins.
std::optional<LapSample> nearestSample(const ReplayDocument& document, const MapScene& scene, MapPoint at,
                                       double reach);

// The sample's readout: the lap's caption, then "Distance: 1234 m", "Speed: 187 km/h" (or mph),
// "Gear: 4", "Revs: 7810" and "Time: 0:37.250s", the time since the line as the split times count
// it. Windows-1252.
std::vector<std::string> sampleReadout(const ReplayDocument& document, const LapSample& at);
