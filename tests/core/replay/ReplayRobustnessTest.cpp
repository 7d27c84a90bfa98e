#include <gtest/gtest.h>

#include <memory>
#include <random>

#include "ConstantPaceReplay.h"
#include "TempDir.h"
#include "replay/DriverTable.h"
#include "replay/LapTelemetry.h"
#include "replay/ReplayHeader.h"

// Damaged replays must give an outcome, never a crash, a hang or a read outside the file. These
// tests are most telling in the sanitizer build.
namespace {

// Reads a file with every reader the way the program does, including one selectable lap of each
// driver. True when the driver table reads.
bool readEverything(const std::filesystem::path& path) {
    ReplayHeader header;
    static_cast<void>(header.read(path));
    auto drivers = std::make_unique<DriverTable>();
    if (!drivers->read(path)) return false;
    for (int d = 0; d < drivers->driverCount; ++d) {
        for (int s = 0; s < kSessionCount; ++s) {
            for (int slot = 1; slot <= drivers->lapCount(s, d); ++slot) {
                if (!drivers->selectable(s, d, slot)) continue;
                LapTelemetry lap;
                if (lap.read(*drivers, d, slot, s)) static_cast<void>(lap.process(1));
                slot = drivers->lapCount(s, d);
            }
        }
    }
    return true;
}

ConstantPaceReplay smallFixture() {
    ConstantPaceReplay fixture = ConstantPaceReplay::twoCars();
    fixture.lastFrameTime = 9000;
    fixture.cars[0].lapMs = fixture.cars[1].lapMs = 2000;
    fixture.cars[1].missingFrames = {100, 101};
    return fixture;
}

TEST(ReplayRobustness, EveryPrefixGivesAnOutcome) {
    TempDir dir;
    const std::vector<std::uint8_t> good = smallFixture().writer().bytes();
    const auto path = dir.write("prefix.rpy", good);
    ASSERT_TRUE(readEverything(path));

    // Cut over the head, the tables and the first frames, and over the last frames.
    for (const auto& [from, to] :
         {std::pair{std::size_t{0}, std::size_t{1600}}, {good.size() - 400, good.size()}})
        for (std::size_t n = from; n < to; ++n) {
            dir.write("prefix.rpy",
                      std::vector<std::uint8_t>(good.begin(), good.begin() + static_cast<long>(n)));
            EXPECT_FALSE(readEverything(path)) << "a cut file cannot be whole: " << n;
        }
}

TEST(ReplayRobustness, RandomCorruptionGivesAnOutcome) {
    TempDir dir;
    const std::vector<std::uint8_t> good = smallFixture().writer().bytes();
    const auto path = dir / "corrupt.rpy";
    std::mt19937 random(20261206);
    const std::size_t hot = 1600;  // head, tables and the first frames, where most structure lies
    int failed = 0;
    for (int round = 0; round < 3000; ++round) {
        std::vector<std::uint8_t> bytes = good;
        const int changes = 1 + static_cast<int>(random() % 8);
        for (int c = 0; c < changes; ++c) {
            const std::size_t at = (round % 2 ? random() % hot : random() % bytes.size());
            bytes[at] = static_cast<std::uint8_t>(random());
        }
        dir.write("corrupt.rpy", bytes);
        failed += !readEverything(path);
    }
    EXPECT_GT(failed, 0);
}

}  // namespace
