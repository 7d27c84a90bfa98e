// Opening a replay and reading one lap, against a plain sequential read of the same file.
// Goals: a lap near the end of a 100 MB file reads in at most 1.3 x the plain read; opening a
// 100 MB file takes at most 2 x opening a 1 MB one; the peak heap of a lap read does not grow
// with the file.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <vector>

#include "ConstantPaceReplay.h"
#include "HeapCounter.h"
#include "replay/DriverTable.h"
#include "replay/LapTelemetry.h"
#include "replay/ReplayHeader.h"

namespace {

namespace fs = std::filesystem;

// A session of 20 cars lasting `seconds`: about 0.8 MB of telemetry per minute.
fs::path makeReplay(const std::string& name, int seconds) {
    const fs::path path = fs::temp_directory_path() / ("vxra-bench-" + name + ".rpy");
    if (fs::exists(path)) return path;
    ConstantPaceReplay replay;
    replay.lastFrameTime = static_cast<std::uint32_t>(seconds) * 1000;
    replay.trackMetres = 2000;
    for (std::uint32_t c = 0; c < 20; ++c) {
        ConstantPaceCar car;
        car.driver = {"Driver", "No" + std::to_string(c), "", "GT", c + 1, c == 0 ? 150u : 250u, 10 + c};
        car.startTime = 2000 + 100 * c;
        car.lapMs = 40000 + 250 * c;
        car.laps = static_cast<int>((replay.lastFrameTime - 10000) / car.lapMs);
        replay.cars.push_back(car);
    }
    replay.writer().write(path);
    return path;
}

const fs::path& largeReplay() {
    static const fs::path path = makeReplay("large", 140 * 60);
    return path;
}
const fs::path& smallReplay() {
    static const fs::path path = makeReplay("small", 80);
    return path;
}

void BM_PlainSequentialRead(benchmark::State& state) {
    std::vector<char> block(1 << 20);
    for (auto _ : state) {
        std::ifstream in(largeReplay(), std::ios::binary);
        std::size_t total = 0;
        while (in.read(block.data(), static_cast<std::streamsize>(block.size())) || in.gcount() > 0) {
            total += static_cast<std::size_t>(in.gcount());
        }
        benchmark::DoNotOptimize(total);
        if (total != fs::file_size(largeReplay())) state.SkipWithError("short read");
    }
    state.counters["MB"] = static_cast<double>(fs::file_size(largeReplay())) / 1e6;
}

void openReplay(benchmark::State& state, const fs::path& path) {
    for (auto _ : state) {
        ReplayHeader header;
        auto drivers = std::make_unique<DriverTable>();
        if (!header.read(path) || !drivers->read(path)) state.SkipWithError("the replay does not read");
        benchmark::DoNotOptimize(drivers->driverCount);
    }
    state.counters["MB"] = static_cast<double>(fs::file_size(path)) / 1e6;
}
void BM_OpenSmall(benchmark::State& state) {
    openReplay(state, smallReplay());
}
void BM_OpenLarge(benchmark::State& state) {
    openReplay(state, largeReplay());
}

// The owner's last complete lap: the one nearest the end of the file.
void readLastLap(benchmark::State& state, const fs::path& path) {
    auto drivers = std::make_unique<DriverTable>();
    if (!drivers->read(path)) state.SkipWithError("the replay does not read");
    int slot = drivers->lapCount(kPractice, 0);
    while (slot > 0 && !drivers->selectable(kPractice, 0, slot))
        --slot;
    heap::resetPeak();
    const std::size_t before = heap::current();
    for (auto _ : state) {
        LapTelemetry lap;
        if (!lap.read(*drivers, 0, slot, kPractice) || !lap.process(1)) {
            state.SkipWithError("the lap does not read");
        }
        benchmark::DoNotOptimize(lap.sampleCount);
    }
    state.counters["peakHeapKiB"] = static_cast<double>(heap::peak() - before) / 1024;
    state.counters["MB"] = static_cast<double>(fs::file_size(path)) / 1e6;
}
void BM_ReadLastLapSmall(benchmark::State& state) {
    readLastLap(state, smallReplay());
}
void BM_ReadLastLapLarge(benchmark::State& state) {
    readLastLap(state, largeReplay());
}

}  // namespace

BENCHMARK(BM_PlainSequentialRead)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadLastLapLarge)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadLastLapSmall)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenSmall)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_OpenLarge)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv) {
    // The files are made (or found from an earlier run) before anything is timed.
    largeReplay();
    smallReplay();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
