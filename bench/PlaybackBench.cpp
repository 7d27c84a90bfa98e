// One playback tick on the map (five laps' lines extended and their cars painted over the map) on
// the demo track at a 1600 x 1000 view zoomed x4, against one full drawing of the map image in the
// same run. Goal: a tick at most 0.1 x a full drawing.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <filesystem>

#include "DemoFolder.h"
#include "SilentDocumentUi.h"
#include "desktop/map/TrackMapView.h"
#include "document/ReplayDocument.h"
#include "map/Playback.h"
#include "settings/MemorySettingsStore.h"

namespace {

namespace fs = std::filesystem;

// The demo weekend's race lap 2 of five drivers, shown in a view zoomed x4 on the track's middle.
struct PlaybackScene {
    PlaybackScene() {
        const fs::path folder = fs::temp_directory_path() / "vxra-bench-playback";
        if (!fs::exists(folder / "replay")) writeDemoFolder(folder, DemoOptions{});
        settings = std::make_unique<Settings>(
            SettingsStores{std::make_unique<MemorySettingsStore>(), std::make_unique<MemorySettingsStore>()},
            folder.string());
        settings->setDontShowQualReport(true);
        document = std::make_unique<ReplayDocument>(ui, *settings);
        for (int driver = 0; driver < 5; ++driver)
            document->lapFinderLoad(folder / "replay/Rivaldi weekend (saved in race).rpy",
                                    LapChoice{driver, 3, 2});
        view = std::make_unique<TrackMapView>(*document, [] { return LapsShown{}; });
        view->resize(1600, 1000);
        view->show();
        view->zoomAboutCentre(4);
        QApplication::processEvents();
        for (int slot = 0; slot < 5; ++slot) {
            laps[static_cast<std::size_t>(slot)] =
                document->slots()[static_cast<std::size_t>(slot)].lapData.get();
            ticked[static_cast<std::size_t>(slot)] = laps[static_cast<std::size_t>(slot)] != nullptr;
        }
    }

    SilentDocumentUi ui;
    std::unique_ptr<Settings> settings;
    std::unique_ptr<ReplayDocument> document;
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
        PlaybackTick tick = playback.tick(s.laps, s.ticked, false, s.document->trackLength());
        if (tick.ended) {
            playback.start(true, true);
            tick = playback.tick(s.laps, s.ticked, false, s.document->trackLength());
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
