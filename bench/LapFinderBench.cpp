// The Lap Finder's scan of 1,000 replays of one track, warm, against a plain read of the bytes the
// scan must read of each file: its head and driver table (records and lap tables) and the frames
// at both ends of the telemetry that bound its sessions. Goal: at most 1.5 x the plain read.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <vector>

#include "PracticeFolder.h"
#include "common/BinaryFile.h"
#include "common/ByteReader.h"
#include "library/LapFinderScan.h"
#include "replay/DriverTable.h"

namespace {

namespace fs = std::filesystem;

constexpr int kReplays = 1000;

// The simulator folder: 20 cars a replay recorded until 40 s, about 0.5 MB each.
const fs::path& simulatorFolder() {
    static const fs::path folder = practiceFolder("lapfinder-bench-simulator", kReplays, 20, 40000);
    return folder;
}

struct ByteRange {
    std::uint64_t offset;
    std::uint64_t length;
};

// What the scan must read of each file: from the start to the end of the first frame, and the
// last frame.
std::vector<std::pair<fs::path, std::vector<ByteRange>>> requiredBytes() {
    std::vector<std::pair<fs::path, std::vector<ByteRange>>> files;
    for (const fs::path& path : lapFinderFiles(simulatorFolder(), {})) {
        DriverTable drivers;
        if (!drivers.read(path)) continue;
        BinaryFile file;
        std::uint8_t frameHead[kFrameHeadSize];
        const std::uint64_t firstFrame = drivers.telemetryOffset + kChunkHeadSize;
        if (!file.open(path) || !file.readAt(firstFrame, frameHead)) continue;
        const std::uint64_t headEnd = firstFrame + ByteReader(frameHead).u16();
        const std::uint64_t size = fs::file_size(path);
        files.push_back({path, {{0, headEnd}, {size - drivers.lastFrameLength, drivers.lastFrameLength}}});
    }
    return files;
}

void BM_PlainReadOfTheRequiredBytes(benchmark::State& state) {
    const auto files = requiredBytes();
    if (files.size() != kReplays) state.SkipWithError("the replays do not read");
    std::vector<char> buffer(1 << 20);
    for (auto _ : state) {
        std::uint64_t total = 0;
        for (const auto& [path, ranges] : files) {
            std::ifstream in(path, std::ios::binary);
            for (const ByteRange& range : ranges) {
                in.seekg(static_cast<std::streamoff>(range.offset));
                in.read(buffer.data(), static_cast<std::streamsize>(range.length));
                total += static_cast<std::uint64_t>(in.gcount());
            }
        }
        benchmark::DoNotOptimize(total);
    }
    std::uint64_t bytes = 0;
    for (const auto& [path, ranges] : files)
        for (const ByteRange& range : ranges)
            bytes += range.length;
    state.counters["KBperFile"] = static_cast<double>(bytes) / 1024.0 / static_cast<double>(files.size());
}

// Takes each file's rows as the dialog does, a batch at a time.
struct CountingSink : LapFinderSink {
    bool progress(std::size_t, std::size_t) override { return true; }
    void found(std::vector<FoundLap> laps) override { rows += laps.size(); }
    bool unreadable(const std::vector<ScanMessage>&) override { return true; }
    std::size_t rows = 0;
};

void BM_LapFinderScan(benchmark::State& state) {
    std::size_t rows = 0;
    for (auto _ : state) {
        CountingSink sink;
        scanLaps({simulatorFolder(), {}, "testring", LapFilter::AllLaps}, sink);
        rows = sink.rows;
    }
    if (rows != 20 * kReplays) state.SkipWithError("not every lap was found");
    state.counters["rows"] = static_cast<double>(rows);
}

}  // namespace

BENCHMARK(BM_PlainReadOfTheRequiredBytes)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LapFinderScan)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    simulatorFolder();  // made (or found from an earlier run) before anything is timed
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
