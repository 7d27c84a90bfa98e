#include "replay/LapCatalogue.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <tuple>

#include "ReplayWriter.h"
#include "TempDir.h"
#include "common/TimeText.h"
#include "replay/DriverTable.h"
#include "replay/LapTelemetry.h"
#include "replay/ReplayHeader.h"

namespace {

using testing::IsSupersetOf;
using testing::Pair;

// A replay's length in minutes and whole seconds, and a split time past the hour.
TEST(TimeText, ReplayLengthAndSplitTimesBeyondAnHour) {
    EXPECT_EQ(formatSplitTime(3723004), "62:03.004s");
    EXPECT_EQ(formatReplayLength(36 * 725), "12m 5s");
    EXPECT_EQ(formatReplayLength(35), "0m 0s");
}

TEST(LapCatalogue, LapLabels) {
    EXPECT_EQ(lapLabel(7, 72500 | kOffTrackLap), "Lap 7: 1m 12.500s [64]");
    EXPECT_EQ(lapLabel(1, 59999), "Lap 1: 0m 59.999s");
    EXPECT_EQ(lapLabel(2, 61005), "Lap 2: 1m 01.005s");
    EXPECT_EQ(lapLabel(0, 4096), "Time before start/finish: 0m 04.096s");
    EXPECT_EQ(lapLabel(0, kUnusedSlot), "No time");
    const std::string both = lapLabel(4, 70000 | 0x50000000);
    EXPECT_EQ(both, "Lap 4: 1m 10.000s [80]");
    EXPECT_EQ(incidentText(both), "Off track, Incomplete lap");
    EXPECT_EQ(incidentText(lapLabel(4, 70000 | 0x81000000)), "Black flag, Unknown");
    EXPECT_EQ(incidentText("Lap 4: 1m 10.000s"), "None reported");
}

TEST(LapCatalogue, RefusedChoices) {
    const auto nothing = refuseLapChoice(nullptr);
    ASSERT_TRUE(nothing);
    EXPECT_EQ(std::tie(nothing->text, nothing->caption),
              std::tuple("Choose a lap to view!", "No lap choosen!"));
    const LapItem plain{2, "Lap 2: 1m 10.000s", false};
    const auto notBold = refuseLapChoice(&plain);
    ASSERT_TRUE(notBold);
    EXPECT_EQ(std::tie(notBold->text, notBold->caption),
              std::tuple("Data for this lap is not stored in the replay file\nor lap isn't complete.",
                         "Not a valid lap!"));
    const LapItem bold{2, "Lap 2: 1m 10.000s", true};
    EXPECT_FALSE(refuseLapChoice(&bold));
}

class LapTreeTest : public testing::Test {
protected:
    void SetUp() override {
        ReplayWriter w;
        w.setOwner(0, "Ann", "Owner");
        w.setSessionInProgress(kQualifying);
        w.setTrackName("Rivaldi");
        w.addDriver({"Ann", "Owner", "annie", "Veltra GT", 7, 150, 10});
        w.addDriver({"Bob", "Bot", "", "Veltra GT-R", 12, 250, 20});
        w.addDriver({"Race", "Control", "", "Pace Car", 0, 0, 99});
        w.addLapTable({lapListFromDurations(10, 5000, {60000, 61005 | kOffTrackLap}),
                       lapListFromDurations(20, 6000, {62000})});
        w.addLapTable({lapListFromDurations(10, 3000, {59999})});
        w.addFrame({sessionMarkerRecord(kPractice, 1000)});
        w.addFrame({sessionMarkerRecord(kPractice, 200000)});
        const auto path = dir_.write("tree.rpy", w.bytes());
        ASSERT_TRUE(header_.read(path));
        ASSERT_TRUE(drivers_.read(path));
    }
    TempDir dir_;
    ReplayHeader header_;
    DriverTable drivers_;
};

TEST_F(LapTreeTest, DriversSessionsAndLaps) {
    const auto tree = buildLapTree(drivers_, false);
    ASSERT_EQ(tree.size(), 3u);
    EXPECT_EQ(tree[0].title, "Ann Owner #7");
    ASSERT_EQ(tree[0].sessions.size(), 2u);
    EXPECT_EQ(tree[0].sessions[0].title, "Practice Laps");
    EXPECT_EQ(tree[0].sessions[1].title, "Qualifying Laps");
    const auto& practice = tree[0].sessions[0].laps;
    ASSERT_EQ(practice.size(), 3u);
    EXPECT_EQ(practice[0].label, "Time before start/finish: 0m 05.000s");
    EXPECT_FALSE(practice[0].selectable);
    EXPECT_EQ(practice[2].label, "Lap 2: 1m 01.005s [64]");
    EXPECT_TRUE(practice[2].selectable);
    // A driver without a lap list in a present session: the slot 0 item alone.
    ASSERT_EQ(tree[2].sessions[0].laps.size(), 1u);
    EXPECT_EQ(tree[2].sessions[0].laps[0].label, "No time");

    const auto filtered = buildLapTree(drivers_, true);
    const auto& kept = filtered[0].sessions[0].laps;
    ASSERT_EQ(kept.size(), 2u);
    EXPECT_EQ(kept[0].slot, 1) << "items keep their own slot numbers";
    EXPECT_EQ(kept[1].slot, 2);
    EXPECT_TRUE(filtered[2].sessions[0].laps.empty());
}

TEST_F(LapTreeTest, SelectedLapInformation) {
    const auto tree = buildLapTree(drivers_, false);
    const SelectedLapInfo lap = selectedLapInfo(drivers_, 0, kPractice, &tree[0].sessions[0].laps[2]);
    EXPECT_EQ(std::tie(lap.driverName, lap.type, lap.chatNick, lap.car, lap.lapTime, lap.incidents,
                       lap.selectable, lap.session),
              std::tuple("Ann Owner", "Human", "annie", "Veltra GT", "1m 01.005s [64]", "Off track", "Yes",
                         "Practice"));
    const SelectedLapInfo driver = selectedLapInfo(drivers_, 2, -1, nullptr);
    EXPECT_EQ(std::tie(driver.type, driver.lapTime, driver.selectable, driver.incidents, driver.session),
              std::tuple("Non-competing", "None selected", "No", "", ""));
}

TEST_F(LapTreeTest, ReplayDescription) {
    const auto fields = describeReplay(header_, drivers_);
    EXPECT_EQ(fields.size(), 31u);
    EXPECT_THAT(fields,
                IsSupersetOf({Pair("Saved by:", "Ann Owner"), Pair("Track:", "rivaldi"),
                              Pair("Length:", "0m 0s"), Pair("No of cars:", "3"), Pair("Practice:", "Yes"),
                              Pair("Race:", "No"), Pair("Damage:", "Realistic"), Pair("Realistic:", "Yes"),
                              Pair("Game mode:", "Simulation"), Pair("Merrownet:", "Yes")}));
}

TEST(QualityReport, TextsOfBothForms) {
    LapTelemetry lap;
    lap.sampleCount = 200;
    lap.missingSamples = 3;
    lap.filledSamples = 197;
    lap.longestGap = 75;
    const std::string quality = "Online quality of lapdata: 98%\nLargest online gap: 2 seconds";
    const std::string turnOff = "\n\nIf you don't wish to see this report - \nturn it off in File->Settings";
    EXPECT_EQ(qualityReport(lap, 5000, QualityReportForm::LapDialog), quality);
    EXPECT_EQ(qualityReport(lap, 5600, QualityReportForm::LoadSequence),
              quality + "\n\nPossible partly loss of data due to accelerated time\nor other disturbance." +
                  turnOff);
    lap.filledSamples = 0;
    EXPECT_EQ(qualityReport(lap, 5000, QualityReportForm::LoadSequence),
              quality +
                  "This laps seems to be a lap set under\r\naccelerated time and contains no data.\n"
                  "The plot and graph will not work OK with this lap,\n but you can run the reports." +
                  turnOff);
    LapTelemetry empty;
    EXPECT_EQ(qualityReport(empty, 5000, QualityReportForm::LapDialog),
              "Online quality of lapdata: 0%\nLargest online gap: 0 seconds\n\n"
              "Possible partly loss of data due to accelerated time\nor other disturbance.");
}

}  // namespace
