// The flag report's walk over the telemetry of the 100 MB endurance race of the demo generator,
// against a plain sequential read of the same file in the same run. Goal: at most 1.5 x the read.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <vector>

#include "DemoFolder.h"
#include "replay/DriverTable.h"
#include "reports/FlagReport.h"

namespace {

namespace fs = std::filesystem;

const fs::path& endurance() {
    static const fs::path path = [] {
        const fs::path folder = fs::temp_directory_path() / "vxra-bench-demo";
        const fs::path file = folder / "replay/Rivaldi endurance race.rpy";
        if (!fs::exists(file)) writeDemoFolder(folder, DemoOptions{1, true});
        return file;
    }();
    return path;
}

void BM_PlainSequentialRead(benchmark::State& state) {
    std::vector<char> block(1 << 20);
    for (auto _ : state) {
        std::ifstream in(endurance(), std::ios::binary);
        std::size_t total = 0;
        while (in.read(block.data(), static_cast<std::streamsize>(block.size())) || in.gcount() > 0) {
            total += static_cast<std::size_t>(in.gcount());
        }
        benchmark::DoNotOptimize(total);
    }
    state.counters["MB"] = static_cast<double>(fs::file_size(endurance())) / 1e6;
}

void BM_FlagReport(benchmark::State& state) {
    auto drivers = std::make_unique<DriverTable>();
    if (!drivers->read(endurance())) state.SkipWithError("the replay does not read");
    std::size_t pieces = 0;
    for (auto _ : state) {
        pieces = 0;
        flagReport(*drivers, [&](const std::string&) { return ++pieces > 0; });
    }
    state.counters["pieces"] = static_cast<double>(pieces);
}

}  // namespace

BENCHMARK(BM_PlainSequentialRead)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FlagReport)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    endurance();  // made (or found from an earlier run) before anything is timed
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
