#pragma once

#include <QColor>
#include <QWidget>
#include <optional>
#include <vector>

class TrackModel;

// The graph window's small map: the track's centre line fitted into the widget with margins of 5
// pixels, the segment at the distance under the mouse in the graph drawn out, and a dot in each
// shown lap's colour where that lap was at that distance.
class GraphTrackMap : public QWidget {
    Q_OBJECT

public:
    struct LapDot {
        QColor colour;
        double distance;  // metres along the track
        double lateral;   // metres to the left of the centre line
    };

    explicit GraphTrackMap(const TrackModel* model, QWidget* parent = nullptr);

    // The distance under the mouse (0: none) and where each shown lap was there.
    void setMarker(double distance, std::vector<LapDot> dots);
    double markerDistance() const { return markerDistance_; }
    std::optional<int> highlightedSegment() const { return highlighted_; }
    const std::vector<LapDot>& dots() const { return dots_; }

    QSize sizeHint() const override { return {180, 140}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const TrackModel* model_;
    double markerDistance_ = 0;
    std::optional<int> highlighted_;
    std::vector<LapDot> dots_;
};
