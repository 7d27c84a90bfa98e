// The map of the laps the document loaded: the screen's scene, the readout under the pointer at
// points on and beside each driving line, and the exported bitmap.
#include "FuzzDocument.h"
#include "FuzzTarget.h"
#include "map/MapScene.h"
#include "map/SampleReadout.h"
#include "map/TrackMapBitmap.h"

namespace {

constexpr std::size_t kProbesPerLine = 16;

void readAlong(const ReplayDocument& document, const MapScene& scene) {
    for (const MapShape& shape : scene) {
        if (shape.lap < 0 || shape.points.empty()) continue;
        const std::size_t stride = std::max<std::size_t>(1, shape.points.size() / kProbesPerLine);
        for (std::size_t i = 0; i < shape.points.size(); i += stride) {
            const MapPoint at{shape.points[i].x + 3, shape.points[i].y - 2};
            if (const auto sample = nearestSample(document, scene, at, 20)) sampleReadout(document, *sample);
        }
    }
    static_cast<void>(nearestSample(document, scene, {-1000000, 1000000}, 1e9));
}

}  // namespace

VXRA_FUZZ_TARGET(map) {
    FuzzDocument fuzz(input);
    const ReplayDocument& document = fuzz.document();
    LapsShown shown;
    shown.fill(true);
    if (const TrackModel* model = document.trackModel())
        readAlong(document, buildMapScene(document, MapTransform(10000, 10000, 50, 50, *model), shown));
    trackMapBitmap(document, 64, shown);
}
