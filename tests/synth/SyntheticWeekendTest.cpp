#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <memory>
#include <numbers>
#include <tuple>

#include "Circuit.h"
#include "DemoFolder.h"
#include "FileBytes.h"
#include "Scenario.h"
#include "SharedDemoFolder.h"
#include "TempDir.h"
#include "common/SimulatorFolders.h"
#include "replay/DriverTable.h"
#include "replay/LapTelemetry.h"
#include "replay/LapTimeCheck.h"
#include "replay/ReplayHeader.h"
#include "track/TrackFile.h"
#include "track/TrackFileError.h"
#include "track/TrackIni.h"
#include "track/TrackModel.h"
#include "track/VxObjects.h"

namespace {

namespace fs = std::filesystem;
using testing::AllOf;
using testing::Ge;
using testing::Gt;
using testing::Le;
using testing::Lt;

// The demo folder the build wrote.
class DemoFolderTest : public testing::Test {
protected:
    static fs::path replay(const std::string& name) { return folder_->path() / "replay" / name; }
    static std::unique_ptr<DriverTable> drivers(const fs::path& path) {
        auto d = std::make_unique<DriverTable>();
        EXPECT_TRUE(d->read(path)) << path;
        return d;
    }

    static inline const DemoSimulatorFolder* folder_ = &DemoSimulatorFolder::shared();
};

TEST_F(DemoFolderTest, SameSeedGivesTheSameFiles) {
    TempDir again;
    writeDemoFolder(again.path(), DemoOptions{});
    int files = 0;
    for (const auto& entry : fs::recursive_directory_iterator(folder_->path())) {
        if (!entry.is_regular_file()) continue;
        const fs::path twin = again.path() / fs::relative(entry.path(), folder_->path());
        ASSERT_TRUE(fs::exists(twin)) << twin;
        EXPECT_EQ(fileBytes(entry.path()), fileBytes(twin)) << twin;
        EXPECT_EQ(fs::last_write_time(entry.path()), fs::last_write_time(twin)) << twin;
        ++files;
    }
    EXPECT_EQ(files, 13);

    TempDir other;
    writeDemoFolder(other.path(), DemoOptions{7, false});
    EXPECT_NE(fileBytes(replay("Rivaldi quick race.rpy")),
              fileBytes(other.path() / "replay/Rivaldi quick race.rpy"));
}

TEST_F(DemoFolderTest, TracksCloseAndDecode) {
    for (const std::string name : {"rivaldi", "hollowmere"}) {
        SCOPED_TRACE(name);
        const auto file = TrackFile::load(tracksFolder(folder_->path()), name);
        ASSERT_TRUE(file) << file.error().message();
        const VxTrack& track = file->root();
        TrackModel model = TrackModel::build(track).value();
        for (std::size_t i = 0; i < track.segments.size(); ++i) {
            const VxSegment& s = *track.segments[i];
            const VxSegment& next = *track.segments[(i + 1) % track.segments.size()];
            EXPECT_NEAR(s.endX, next.startX, 1e-6) << "segment " << i;
            EXPECT_NEAR(s.endY, next.startY, 1e-6) << "segment " << i;
            EXPECT_NEAR(std::remainder(s.endHeading - next.startHeading, 2 * std::numbers::pi), 0, 1e-9);
        }
        EXPECT_THAT(model.totalLength(), AllOf(Gt(3000), Lt(6000)));
        EXPECT_NEAR(readTrackLength(folder_->path(), name).metres, model.totalLength(), 0.002);
    }
}

// Every lap the tables mark selectable reads and processes, and its time measured from the frames
// agrees with the table, except the laps recorded under accelerated time.
TEST_F(DemoFolderTest, SelectableLapsReadAndAgreeWithTheirTableTimes) {
    int laps = 0, accelerated = 0;
    for (const std::string name :
         {"Rivaldi weekend (saved in race).rpy", "Rivaldi quick race.rpy", "Hollowmere online race.rpy",
          "Hollowmere weekend (saved in warmup).rpy", "Hollowmere practice, two drivers.rpy"}) {
        ReplayHeader header;
        ASSERT_TRUE(header.read(replay(name)));
        const double length = readTrackLength(folder_->path(), header.trackName).metres;
        const auto d = drivers(replay(name));
        for (int s = 0; s < kSessionCount; ++s) {
            for (int i = 0; i < d->driverCount; ++i) {
                for (int j = 1; j <= d->lapCount(s, i); ++j) {
                    if (!d->selectable(s, i, j)) continue;
                    SCOPED_TRACE(name + " " + std::to_string(s) + "/" + std::to_string(i) + "/" +
                                 std::to_string(j));
                    LapTelemetry lap;
                    ASSERT_TRUE(lap.read(*d, i, j, s));
                    const int stored = static_cast<int>(lapDuration(d->lapEntry(s, i, j)));
                    const bool underAcceleratedTime = lap.sampleCount * 1000 / 36 < stored;
                    ASSERT_TRUE(lap.process(1));
                    const auto check = checkLapTime(lap, length);
                    ASSERT_TRUE(check.has_value());
                    ++laps;
                    if (underAcceleratedTime) {
                        ++accelerated;
                        continue;
                    }
                    EXPECT_NEAR(check->calculated, stored, 30);
                    EXPECT_FALSE(check->dataMissing);
                }
            }
        }
    }
    EXPECT_GT(laps, 150);
    EXPECT_EQ(accelerated, 10) << "lap 3 of every car in the online race";
}

TEST_F(DemoFolderTest, TelemetryIsPlausible) {
    const fs::path weekend = replay("Rivaldi weekend (saved in race).rpy");
    const auto d = drivers(weekend);
    ReplayHeader header;
    ASSERT_TRUE(header.read(weekend));
    const auto file = TrackFile::load(tracksFolder(folder_->path()), header.trackName);
    ASSERT_TRUE(file);
    const TrackModel model = TrackModel::build(file->root()).value();
    double topSpeed = 0;
    for (int driver : {0, 4, 15}) {
        LapTelemetry lap;
        ASSERT_TRUE(lap.read(*d, driver, 2, kRace));
        ASSERT_TRUE(lap.process(1));
        int neutral = 0;
        for (int k = 1; k < lap.sampleCount; ++k) {
            topSpeed = std::max(topSpeed, lap.speed[k]);
            EXPECT_THAT(lap.speed[k], AllOf(Ge(0), Le(360)));
            EXPECT_THAT(lap.revs[k], AllOf(Ge(3000u), Le(12600u)));
            EXPECT_THAT(lap.gear[k], AllOf(Ge(0), Le(6)));
            neutral += lap.gear[k] == 0;
            // Slip: the car's orientation against the direction it moves on the map.
            const auto from = model.positionAt(lap.distanceM[k - 1], lap.lateralM[k - 1]);
            const auto to = model.positionAt(lap.distanceM[k], lap.lateralM[k]);
            if (!from || !to) continue;
            const double moving = std::atan2(to->y - from->y, to->x - from->x) * 180 / std::numbers::pi;
            const double slip = std::remainder(moving - lap.orientation[k] * 360.0 / 4096, 360.0);
            EXPECT_LT(std::fabs(slip), 15) << "driver " << driver << " sample " << k;
        }
        EXPECT_LT(neutral, lap.sampleCount / 10) << "neutral only between gears";
    }
    EXPECT_THAT(topSpeed, AllOf(Gt(280), Lt(330)));
    // The fast circuit's laps take 1m15s to 1m30s.
    for (int j = 1; j <= d->lapCount(kPractice, 0); ++j)
        EXPECT_THAT(lapDuration(d->lapEntry(kPractice, 0, j)), AllOf(Gt(75000u), Lt(90000u)));
}

TEST_F(DemoFolderTest, TheWeekendHasItsIncidents) {
    const auto d = drivers(replay("Rivaldi weekend (saved in race).rpy"));
    EXPECT_EQ(d->driverCount, 21);
    EXPECT_EQ(std::tuple(d->driver(0).kind, d->driver(1).kind, d->driver(20).kind), std::tuple(0, 1, 2));
    EXPECT_EQ(d->sessionPresent, (std::array<bool, kSessionCount>{true, true, true, true}));
    EXPECT_EQ(d->firstMarkerSession, kQualifying);
    EXPECT_GT(d->windowStart[kQualifying], 0u);
    const auto race = [&](int driver) { return d->lapCount(kRace, driver); };
    int leaderLaps = 0;
    for (int driver = 0; driver < d->driverCount; ++driver)
        leaderLaps = std::max(leaderLaps, race(driver));
    EXPECT_EQ(leaderLaps, 3);
    EXPECT_LT(race(19), leaderLaps) << "a lapped car";
    EXPECT_EQ(race(9), 1) << "retired after one lap";
    EXPECT_EQ(race(12), 0) << "did not start";
    EXPECT_TRUE(d->lapEntry(kRace, 5, 2) & kBlackFlagLap);
    EXPECT_TRUE(d->lapEntry(kRace, 7, 1) & kOffTrackLap);
    EXPECT_TRUE(d->lapEntry(kQualifying, 0, 3) & kIncompleteLap);

    const auto online = drivers(replay("Hollowmere online race.rpy"));
    EXPECT_EQ(online->onlineRace, 1);
    LapTelemetry lap;
    int missing = 0;
    for (int i = 1; i < online->driverCount; ++i) {
        ASSERT_TRUE(lap.read(*online, i, 2, kRace));
        missing += lap.missingSamples;
    }
    EXPECT_GT(missing, 0) << "other cars' records have gaps online";

    const fs::path warmupPath = replay("Hollowmere weekend (saved in warmup).rpy");
    const auto warmup = drivers(warmupPath);
    ReplayHeader warmupHeader;
    ASSERT_TRUE(warmupHeader.read(warmupPath));
    ASSERT_TRUE(lap.read(*warmup, 0, warmup->lapCount(kWarmup, 0), kWarmup));
    EXPECT_EQ(static_cast<std::uint32_t>(lap.endFrame), warmupHeader.frameCount) << "ends in the last frame";
    EXPECT_LT(lap.filledSamples, lap.sampleCount);

    const auto quick = drivers(replay("Rivaldi quick race.rpy"));
    EXPECT_EQ(quick->quickRace, 1);
    EXPECT_EQ(std::tuple(quick->sessionPresent[kQualifying], quick->sessionPresent[kRace]),
              std::tuple(true, true));
    EXPECT_GT(quick->windowEnd[kRace], 0u);
}

TEST(Scenario, SmallWeekendsForTests) {
    const Circuit circuit = hollowmereCircuit();
    Scenario s;
    s.circuit = &circuit;
    s.sessionInProgress = kPractice;
    s.drivers = syntheticField(2, 5);
    s.sessions = {{kPractice, 10000, 5000, 2, false}};
    s.telemetry = {{kPractice, 0}};
    TempDir dir;
    const auto path = dir / "small.rpy";
    ASSERT_TRUE(buildReplay(s).write(path));
    DriverTable d;
    ASSERT_TRUE(d.read(path));
    EXPECT_EQ(d.lapCount(kPractice, 1), 2);
    EXPECT_EQ(d.selectable(kPractice, 1, 2), 1);
    EXPECT_LT(fs::file_size(path), 1000000u);
}

}  // namespace
