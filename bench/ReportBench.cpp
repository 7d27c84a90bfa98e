// The complete and the lap-by-lap report of a race of 50 drivers and 500 laps, against reading the
// same replay's driver table in the same run. Goal: each costs no more than a few times the read.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <random>

#include "ReplayWriter.h"
#include "replay/DriverTable.h"
#include "replay/ReplayHeader.h"
#include "reports/ReportRegistry.h"

namespace {

namespace fs = std::filesystem;

const fs::path& bigRace() {
    static const fs::path path = [] {
        const fs::path file = fs::temp_directory_path() / "vxra-bench-50x500.rpy";
        ReplayWriter w;
        w.setOwner(0, "Driver", "0");
        w.setSessionInProgress(kRace);
        w.setTrackName("rivaldi");
        std::mt19937 random(50);
        std::vector<LapList> qualifying, race;
        for (std::uint32_t d = 0; d < 50; ++d) {
            w.addDriver({"Driver", std::to_string(d), "", "GT", d + 1, d == 0 ? 150u : 250u, 10 + d});
            std::vector<std::uint32_t> laps;
            for (int j = 0; j < 500; ++j) {
                std::uint32_t lap = 30000 + d * 40 + random() % 900;
                if (random() % 40 == 0) lap |= kOffTrackLap;
                if (random() % 300 == 0) lap |= kBlackFlagLap;
                laps.push_back(lap);
            }
            race.push_back(lapListFromDurations(10 + d, 1000 + d * 300, laps));
            qualifying.push_back(lapListFromDurations(10 + d, 5000, {31000 + d * 50, 30900 + d * 60}));
        }
        w.addLapTable({});
        w.addLapTable(qualifying);
        w.addLapTable({});
        w.addLapTable(race);
        w.addFrame({sessionMarkerRecord(kRace, 1000)});
        w.write(file);
        return file;
    }();
    return path;
}

void BM_ReadDriverTable(benchmark::State& state) {
    for (auto _ : state) {
        auto drivers = std::make_unique<DriverTable>();
        if (!drivers->read(bigRace())) state.SkipWithError("the replay does not read");
        benchmark::DoNotOptimize(drivers->driverCount);
    }
}

void makeReport(benchmark::State& state, ReportType type) {
    ReplayHeader header;
    auto drivers = std::make_unique<DriverTable>();
    if (!header.read(bigRace()) || !drivers->read(bigRace())) state.SkipWithError("the replay does not read");
    std::size_t size = 0;
    for (auto _ : state) {
        const std::string text = generateReport(type, ReportInput{&header, drivers.get(), 5244, false, true});
        size = text.size();
        benchmark::DoNotOptimize(text.data());
    }
    state.counters["KB"] = static_cast<double>(size) / 1024;
}
void BM_CompleteReport(benchmark::State& state) {
    makeReport(state, ReportType::Complete);
}
void BM_LapByLapReport(benchmark::State& state) {
    makeReport(state, ReportType::LapByLap);
}
void BM_LapChart(benchmark::State& state) {
    makeReport(state, ReportType::LapChart);
}
void BM_RaceReport(benchmark::State& state) {
    makeReport(state, ReportType::Race);
}

}  // namespace

BENCHMARK(BM_ReadDriverTable)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CompleteReport)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LapByLapReport)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LapChart)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RaceReport)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
