#include "PracticeFolder.h"

#include <cstdio>
#include <fstream>
#include <sstream>

#include "ConstantPaceReplay.h"

namespace {

namespace fs = std::filesystem;

// Raise it whenever practiceReplay or the replay writer changes the bytes written: a folder
// marked with another version is written again rather than measured stale.
constexpr int kGeneratorVersion = 1;

ConstantPaceReplay practiceReplay(int index, std::uint32_t cars, std::uint32_t recordedUntilMs) {
    ConstantPaceReplay replay;
    replay.firstFrameTime = 1000;
    replay.lastFrameTime = recordedUntilMs;
    replay.trackMetres = 2000;
    for (std::uint32_t c = 0; c < cars; ++c) {
        ConstantPaceCar car;
        car.driver = {"Driver", "No" + std::to_string(c), "", "GT", c + 1, c == 0 ? 150u : 250u, 10 + c};
        car.startTime = 2000 + 100 * c;
        car.lapMs = 30000 + 10 * static_cast<std::uint32_t>(index % 100) + 250 * c;
        car.laps = 1;
        replay.cars.push_back(car);
    }
    return replay;
}

std::string markerText(int replays, std::uint32_t cars, std::uint32_t recordedUntilMs) {
    return "practice folder generator " + std::to_string(kGeneratorVersion) + ": " + std::to_string(replays) +
           " replays of " + std::to_string(cars) + " cars recorded until " + std::to_string(recordedUntilMs) +
           " ms\n";
}

std::string fileText(const fs::path& path) {
    std::ifstream in(path);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace

fs::path practiceFolder(const std::string& name, int replays, std::uint32_t cars,
                        std::uint32_t recordedUntilMs) {
    const fs::path root = fs::path(VXRA_BENCH_DATA) / name;
    const fs::path marker = root / "complete";
    const std::string wanted = markerText(replays, cars, recordedUntilMs);
    if (fileText(marker) != wanted) {
        fs::remove_all(root);
        fs::create_directories(root / "tracks" / "testring");
        fs::create_directories(root / "replay");
        for (int i = 0; i < replays; ++i) {
            char fileName[32];
            std::snprintf(fileName, sizeof fileName, "practice %04d.rpy", i);
            practiceReplay(i, cars, recordedUntilMs).writer().write(root / "replay" / fileName);
        }
        std::ofstream(marker) << wanted;
    }
    return root;
}
