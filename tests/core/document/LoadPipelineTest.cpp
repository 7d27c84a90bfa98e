#include "document/LoadPipeline.h"

#include <gtest/gtest.h>

#include "DemoSimulatorTest.h"

namespace {

class LoadPipelineTest : public DemoSimulatorTest {};

// The texts the document shows for these failures are asserted in ReplayDocumentTest.
TEST_F(LoadPipelineTest, ReadingAReplayGivesTheMessagesOfTheLoadSequence) {
    const auto absent = sim_->path() / "replay/absent.rpy";
    const auto missing = readReplay(absent);
    ASSERT_FALSE(missing);
    EXPECT_EQ(missing.error(), (LoadMessages{"HeaderClass: Error reading file!", absent.string()}));

    const auto weekend = readReplay(replay("Rivaldi weekend (saved in race).rpy"));
    ASSERT_TRUE(weekend);
    EXPECT_EQ(weekend->header->trackName, "rivaldi");
    EXPECT_EQ(weekend->drivers->driverCount, 21);
}

TEST_F(LoadPipelineTest, ALapLoadStopsAtItsFirstFailedStep) {
    const auto weekend = readReplay(replay("Rivaldi weekend (saved in race).rpy"));
    ASSERT_TRUE(weekend);
    const DriverTable& drivers = *weekend->drivers;

    const LapLoad practice = loadLap(drivers, {0, kPractice, 1}, nullptr);
    EXPECT_EQ(practice.read.error(), LapReadError::NotSelectable);
    EXPECT_TRUE(practice.qualityReport.empty());
    EXPECT_EQ(practice.telemetry, nullptr);

    const LapLoad withoutTrack = loadLap(drivers, {0, kRace, 2}, nullptr);
    ASSERT_TRUE(withoutTrack.ok());
    EXPECT_EQ(withoutTrack.qualityReport.substr(0, 31), "Online quality of lapdata: 100%");
    EXPECT_EQ(withoutTrack.drivingLine, nullptr);
    EXPECT_EQ(withoutTrack.lapTimeCheck, std::nullopt);
    EXPECT_EQ(withoutTrack.telemetry->splitTime1, 0);

    const auto track = loadReplayTrack(sim_->path(), "rivaldi");
    ASSERT_TRUE(track);
    const LapLoad withTrack = loadLap(drivers, {0, kRace, 2}, track.value().get());
    ASSERT_TRUE(withTrack.ok());
    EXPECT_NE(withTrack.drivingLine, nullptr);
    EXPECT_EQ(withTrack.lapTimeCheck, std::nullopt) << "the stored time agrees";
    EXPECT_GT(withTrack.telemetry->splitTime1, 0);

    EXPECT_FALSE(loadReplayTrack(sim_->path(), "phantom ring"));
}

}  // namespace
