#include "map/MapScene.h"

#include "track/TrackModel.h"

namespace {

constexpr Rgb kBoundary{0, 0, 0};
constexpr Rgb kMarker{255, 0, 0};
constexpr int kMarkerWidth = 5;

class SceneBuilder : public TrackModelVisitor {
public:
    SceneBuilder(const MapTransform& transform, MapScene& scene) : transform_(transform), scene_(scene) {}

    void surface(const TrackSurface& surface) override {
        scene_.push_back({MapShape::Kind::Fill, mapped(surface.polygon),
                          ReplayDocument::colourTable()[static_cast<std::size_t>(surface.colourIndex())]});
    }
    void boundary(const TrackBoundaryLine& line) override {
        scene_.push_back({MapShape::Kind::Line, mapped(line.points), kBoundary});
    }
    void marker(const TrackMarker& marker) override {
        if (!marker.present) return;
        scene_.push_back({MapShape::Kind::Line, mapped({marker.left, marker.right}), kMarker, kMarkerWidth});
    }

private:
    std::vector<MapPoint> mapped(const std::vector<TrackPoint>& points) const {
        std::vector<MapPoint> out;
        out.reserve(points.size());
        for (const TrackPoint& point : points)
            out.push_back(transform_.toMap(point));
        return out;
    }

    const MapTransform& transform_;
    MapScene& scene_;
};

}  // namespace

MapScene buildMapScene(const ReplayDocument& document, const MapTransform& transform, const LapsShown& laps) {
    MapScene scene;
    const TrackModel* model = document.trackModel();
    if (!model) return scene;
    SceneBuilder builder(transform, scene);
    model->accept(builder);
    for (int slot = 0; slot < ReplayDocument::maxLaps; ++slot) {
        const ReplayDocument::Slot& lap = document.slots()[static_cast<std::size_t>(slot)];
        if (!laps[static_cast<std::size_t>(slot)] || !lap.inUse || !lap.drivingLine || !lap.lapData) continue;
        MapShape line{MapShape::Kind::Line,
                      {},
                      ReplayDocument::colourTable()[static_cast<std::size_t>(document.lapColourIndex(slot))],
                      1,
                      slot,
                      {}};
        for (int sample = 1; sample + 1 < lap.lapData->sampleCount; ++sample) {
            if (const auto point = lap.drivingLine->mapPoint(sample, transform)) {
                line.points.push_back(*point);
                line.samples.push_back(sample);
            }
        }
        scene.push_back(std::move(line));
    }
    return scene;
}

const std::array<Rgb, 16>& mapPalette() {
    static const std::array<Rgb, 16> kPalette = [] {
        std::array<Rgb, 16> palette{};
        palette[0] = {255, 255, 255};
        for (std::size_t i = 1; i < palette.size(); ++i)
            palette[i] = ReplayDocument::colourTable()[i - 1];
        return palette;
    }();
    return kPalette;
}
