#include "desktop/map/PlaybackController.h"

#include <QLoggingCategory>
#include <algorithm>

#include "desktop/document/PlotSettingsBar.h"
#include "desktop/map/TrackMapView.h"
#include "document/DocumentUi.h"
#include "document/ReplayDocument.h"

Q_LOGGING_CATEGORY(playbackLog, "vxra.playback", QtWarningMsg)

PlaybackController::PlaybackController(const ReplayDocument& document, PlotSettingsBar& panel,
                                       TrackMapView& view, DocumentUi& ui, QObject* parent)
    : QObject(parent), document_(document), panel_(panel), view_(view), ui_(ui) {
    timer_.setInterval(Playback::kTickMs);
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, &PlaybackController::tick);
}

std::array<bool, Playback::kLaps> PlaybackController::tickedLaps() const {
    std::array<bool, Playback::kLaps> ticked{};
    for (int slot = 0; slot < Playback::kLaps; ++slot)
        ticked[static_cast<std::size_t>(slot)] = panel_.isLapChecked(slot);
    return ticked;
}

void PlaybackController::start() {
    const std::array<bool, Playback::kLaps> ticked = tickedLaps();
    const bool anyTicked = std::find(ticked.begin(), ticked.end(), true) != ticked.end();
    switch (playback_.start(document_.trackLoaded(), anyTicked)) {
        case Playback::StartOutcome::NoTrack:
            ui_.information("Realtime plotting of driving lines not available without trackmap!");
            break;
        case Playback::StartOutcome::NoLapChosen:
            ui_.message("Choose lap(s) to play!");
            break;
        case Playback::StartOutcome::BackToNormalSpeed:
            break;
        case Playback::StartOutcome::Started:
            view_.clearPlayback();
            view_.mapChanged();  // the map without its driving lines
            [[fallthrough]];
        case Playback::StartOutcome::Resumed:
            view_.switchToolsOff();
            panel_.enterPlayingState();
            timer_.start();
            break;
    }
    // Also after a refusal: the clicked Start button has checked itself and must be released.
    Q_EMIT stateChanged();
}

void PlaybackController::pause() {
    timer_.stop();
    sinceTick_.invalidate();
    playback_.pause();
    Q_EMIT stateChanged();
}

void PlaybackController::fastForward() {
    playback_.startFastForward();
    Q_EMIT stateChanged();
}

void PlaybackController::stop() {
    if (!playback_.running()) return;
    playback_.stop();
    stopped();
}

void PlaybackController::moveToEnd() {
    playback_.moveToEnd();
    stopped();
}

void PlaybackController::moveToBeginning() {
    playback_.moveToBeginning();
    Q_EMIT stateChanged();
}

void PlaybackController::stopped() {
    timer_.stop();
    qCDebug(playbackLog) << "playback stopped after" << ticks_ << "ticks," << lateTicks_ << "of them late";
    ticks_ = lateTicks_ = 0;
    sinceTick_.invalidate();
    panel_.enterStoppedState();
    view_.clearPlayback();
    view_.mapChanged();
    Q_EMIT stateChanged();
}

void PlaybackController::tick() {
    if (!playback_.playing()) return;
    if (sinceTick_.isValid() && sinceTick_.elapsed() > 2 * Playback::kTickMs) ++lateTicks_;
    sinceTick_.restart();
    ++ticks_;
    std::array<const LapTelemetry*, Playback::kLaps> laps{};
    for (int slot = 0; slot < Playback::kLaps; ++slot) {
        const ReplayDocument::Slot& loaded = document_.slots()[static_cast<std::size_t>(slot)];
        laps[static_cast<std::size_t>(slot)] = loaded.inUse ? loaded.lapData.get() : nullptr;
    }
    const PlaybackTick tick =
        playback_.tick(laps, tickedLaps(), document_.speedUnitMph(), document_.trackLength());
    if (tick.ended) return stopped();
    panel_.showElapsed(QString::fromStdString(tick.elapsed));
    for (int slot = 0; slot < Playback::kLaps; ++slot) {
        const LapTickValues& values = tick.laps[static_cast<std::size_t>(slot)];
        if (values.active)
            panel_.showLapRealtime(slot, values.speed, values.revs, QString::fromStdString(values.gear),
                                   values.sector, values.splitsPassed);
    }
    view_.playTick(tick);
    followCar(tick);
    if (tick.leader) Q_EMIT leaderMoved(tick.leaderTravelled);
}

// Focus Leader: the car that has come furthest; Focus Driver: the chosen lap's car while it plays.
void PlaybackController::followCar(const PlaybackTick& tick) {
    std::optional<int> followed;
    if (panel_.focus() == PlotSettingsBar::Focus::Driver)
        followed = panel_.focusDriverRow();
    else if (panel_.focus() == PlotSettingsBar::Focus::Leader)
        followed = tick.leader;
    if (!followed || *followed < 0 || *followed >= Playback::kLaps ||
        !tick.laps[static_cast<std::size_t>(*followed)].active)
        return;
    if (const std::optional<QPointF> car = view_.carPosition(*followed)) view_.keepInView(car->x(), car->y());
}
