// One playback tick on the map (five laps' lines extended and their cars painted over the map) on
// the demo track at a 1600 x 1000 view zoomed x4, against one full drawing of the map image in the
// same run. Goal: a tick at most 0.1 x a full drawing.
#include <benchmark/benchmark.h>

#include <QApplication>

#include "DemoRaceLaps.h"
#include "desktop/map/TrackMapView.h"
#include "document/ReplayDocument.h"
#include "map/Playback.h"

namespace {

// The demo weekend's race lap 2 of five drivers, shown in a view zoomed x4 on the track's middle.
struct PlaybackScene {
    PlaybackScene() {
        view = std::make_unique<TrackMapView>(document, [] { return LapsShown{}; });
        view->resize(1600, 1000);
        view->show();
        view->zoomAboutCentre(4);
        QApplication::processEvents();
        for (int slot = 0; slot < 5; ++slot) {
            laps[static_cast<std::size_t>(slot)] =
                document.slots()[static_cast<std::size_t>(slot)].lapData.get();
            ticked[static_cast<std::size_t>(slot)] = laps[static_cast<std::size_t>(slot)] != nullptr;
        }
    }

    DemoRaceLaps demo{"vxra-bench-playback"};
    ReplayDocument& document = *demo.document;
    std::unique_ptr<TrackMapView> view;
    std::array<const LapTelemetry*, Playback::kLaps> laps{};
    std::array<bool, Playback::kLaps> ticked{};
};

PlaybackScene& scene() {
    static PlaybackScene made;
    return made;
}

void BM_FullMapDrawing(benchmark::State& state) {
    PlaybackScene& s = scene();
    for (auto _ : state) {
        s.view->clearPlayback();  // the image is drawn again on the next paint
        s.view->viewport()->repaint();
    }
}

void BM_PlaybackTick(benchmark::State& state) {
    PlaybackScene& s = scene();
    Playback playback;
    playback.start(true, true);
    for (auto _ : state) {
        PlaybackTick tick = playback.tick(s.laps, s.ticked, false, s.document.trackLength());
        if (tick.ended) {
            playback.start(true, true);
            tick = playback.tick(s.laps, s.ticked, false, s.document.trackLength());
        }
        s.view->playTick(tick);
        QApplication::processEvents();  // paints what the tick made dirty
    }
}

}  // namespace

BENCHMARK(BM_FullMapDrawing)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlaybackTick)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    scene();  // the demo written and the laps loaded before anything is timed
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
