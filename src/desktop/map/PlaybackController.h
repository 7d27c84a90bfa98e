#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <array>

#include "map/Playback.h"

class DocumentUi;
class PlotSettingsBar;
class ReplayDocument;
class TrackMapView;

// The real-time playback of the ticked laps: the timer, the playback commands, the plot settings
// bar's live values and the map's played lines, cars and focus.
class PlaybackController : public QObject {
    Q_OBJECT

public:
    // Messages go to `ui`; all four must outlive the controller.
    PlaybackController(const ReplayDocument& document, PlotSettingsBar& panel, TrackMapView& view,
                       DocumentUi& ui, QObject* parent = nullptr);

    // Start/Continue (back to normal speed while fast forwarding), Pause, Fast Forward, Stop, Move
    // to end of lap, Beginning of lap.
    void start();
    void pause();
    void fastForward();
    void stop();
    void moveToEnd();
    void moveToBeginning();
    // One tick of the timer (tests call it instead of waiting).
    void tick();

    // Whether a playback is playing or paused.
    bool active() const { return playback_.running(); }
    const Playback& state() const { return playback_; }

Q_SIGNALS:
    // Playing, paused, fast or stopped changed: the commands' enabling follows.
    void stateChanged();
    // Each tick with a lap playing: the metres the leading car has come from the start line (past
    // the finish line they count on from the track length).
    void leaderMoved(double travelled);

private:
    // The playback stopped: the bar shows the split times and the map the whole lines again.
    void stopped();
    void followCar(const PlaybackTick& tick);
    // The plot settings bar's lap boxes, by slot.
    std::array<bool, Playback::kLaps> tickedLaps() const;

    const ReplayDocument& document_;
    PlotSettingsBar& panel_;
    TrackMapView& view_;
    DocumentUi& ui_;
    Playback playback_;
    QTimer timer_;
    // Ticks that came more than a period late in this playback (shown with the logging rule
    // "vxra.playback.debug=true").
    QElapsedTimer sinceTick_;
    int ticks_ = 0;
    int lateTicks_ = 0;
};
