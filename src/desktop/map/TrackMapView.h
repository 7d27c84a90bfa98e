#pragma once

#include <QColor>
#include <QImage>
#include <QStringList>
#include <array>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

#include "desktop/map/MapPainter.h"
#include "desktop/map/ZoomView.h"
#include "map/MapScene.h"
#include "map/Playback.h"

class QPrinter;

// The main window's view: the track map of the document with the driving lines of the laps
// shown, or the start picture while there is no track. The map's shapes are laid out again only
// when the laps or the laps shown change; they are drawn into an image at the screen's pixel
// density, which is copied until they, the zoom, the scroll position or the size change. A legend
// names the shown laps (in full in its tool tip), and resting the pointer near a driving line shows
// that sample's values. A lap comparison's cursor shows as a dot on each compared lap's line, and
// one lap's line may be drawn coloured by where it gains and loses time.
class TrackMapView : public ZoomView {
    Q_OBJECT

public:
    // `lapsShown` tells which laps' lines to draw now (none while playback runs or is paused).
    TrackMapView(const ReplayDocument& document, std::function<LapsShown()> lapsShown,
                 QWidget* parent = nullptr);

    // A coloured line above the printed map: a shown lap's label.
    using PrintLabel = std::pair<QString, QColor>;
    // Prints the header line, the labels and the map below them on one page.
    void print(QPrinter& printer, const QString& header, const std::vector<PrintLabel>& labels);

    // The laps or the laps shown changed: lay the map out again and redraw.
    void mapChanged();
    // Another track was loaded: show it whole when it is next drawn.
    void trackChanged();

    // The readout under the pointer, one line per value; empty away from the driving lines.
    const QStringList& readout() const { return readout_; }

    // Playback: each lap's line grows into the map as it is played, and its car is drawn over the
    // map (never into it). A map drawn again while playing or paused draws the played lines again.
    void playTick(const PlaybackTick& tick);
    // Played lines and cars gone (the whole lines come back with mapChanged).
    void clearPlayback();
    // Where a lap's car is, in map units; nothing before its first sample or after the playback.
    std::optional<QPointF> carPosition(int slot) const;
    // The played points of a lap, in map units.
    const std::vector<QPointF>& playedLine(int slot) const {
        return played_[static_cast<std::size_t>(slot)].points;
    }

    // The lap comparison's cursor: a dot on the line of each lap of `slots` where its car was at
    // `distance` m from the line; no dots without a distance.
    void setComparisonCursor(const std::vector<int>& slots, std::optional<double> distance);
    // Where a lap's cursor dot is, in map units; nothing when it has none.
    std::optional<QPointF> cursorDot(int slot) const;
    // One lap's line drawn in a colour per sample on the screen (printing and bitmaps keep the
    // plain lines); nothing: every line in its lap's colour.
    void setSampleColours(std::optional<SampleColours> colours);
    // The legend's tool tip at a point of the view: the lap whose entry is there named in full;
    // empty elsewhere.
    QString legendToolTip(QPoint at) const;

Q_SIGNALS:
    // The pointer rests near a driving line: the distance from the line of the sample it reads.
    void lineHovered(double distance);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    bool viewportEvent(QEvent* event) override;

private:
    void layOutScene();
    void renderImage();
    void setMapTransform(QPainter& painter) const;
    void drawPlayedLine(QPainter& painter, int slot, std::size_t from) const;
    QRect carRect(const QPointF& onMap) const;
    void drawCars(QPainter& painter);
    // The laps the legend names, in its order: the whole lines shown, or else the cars playing.
    std::vector<int> legendLaps() const;
    std::vector<LegendEntry> legendEntries() const;
    void drawLegend(QPainter& painter);
    QRect dotRect(const QPointF& onMap) const;
    void drawCursorDots(QPainter& painter);
    QColor lapColour(int slot) const;
    void showReadout(QPoint at);
    void clearReadout();

    struct PlayedLap {
        std::vector<QPointF> points;
        std::optional<QPointF> car;
    };

    const ReplayDocument& document_;
    std::function<LapsShown()> lapsShown_;
    std::array<PlayedLap, ReplayDocument::maxLaps> played_;
    std::array<std::optional<QPointF>, ReplayDocument::maxLaps> cursorDots_;
    std::optional<SampleColours> sampleColours_;
    MapScene scene_;
    bool sceneStale_ = true;  // the scene must be laid out again
    bool showWhole_ = true;   // the next drawing shows the whole track
    QImage image_;
    QStringList readout_;
    QColor readoutColour_;
    QPoint readoutAt_;
    struct ImageKey {
        double pixelsPerUnit, scrollX, scrollY;
        int width, height;
        qreal pixelRatio;
        bool operator==(const ImageKey&) const = default;
    } imageKey_{};
};
